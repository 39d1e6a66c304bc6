#pragma once

#include <QFrame>
#include <QStatusBar>
#include <QString>
#include <QTextLayout>
#include <QVector>

// One panel of the status bar: a sunken frame with a line of text, painted as a QLabel paints
// it. A new text repaints only the panel and asks for no layout pass, and it is shaped once for
// both its width and its painting: the readout changes with every point of a run.
class TStatusPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TStatusPanel(QWidget *parent = nullptr);
    QString text() const { return m_text; }
    void setText(const QString &text);
    // The text's width in the panel's font, measured once per text.
    int textWidth() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The text shaped as one line, or false when it needs the label's general drawing.
    bool shapeLine() const;

    QString m_text;
    mutable int m_textWidth = -1;
    mutable bool m_shaped = false;
    mutable QTextLayout m_line;
};

// A status bar of fixed-width text panels, left to right.
class TStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    TStatusBar(int panelCount, int initialWidth, QWidget *parent = nullptr);
    int panelCount() const { return int(m_panels.size()); }
    TStatusPanel *panel(int index) const { return m_panels.value(index); }

private:
    QVector<TStatusPanel *> m_panels;
};
