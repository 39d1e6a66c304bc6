#pragma once

#include <QStatusBar>
#include <QVector>

class QLabel;

// A status bar of fixed-width text panels, left to right.
class TStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    TStatusBar(int panelCount, int initialWidth, QWidget *parent = nullptr);
    int panelCount() const { return int(m_panels.size()); }
    QLabel *panel(int index) const { return m_panels.value(index); }

private:
    QVector<QLabel *> m_panels;
};
