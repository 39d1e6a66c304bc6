#pragma once

#include <QDialog>

// The version window: one picture filling the window; a click anywhere closes it.
class TFormVersion : public QDialog
{
    Q_OBJECT
public:
    explicit TFormVersion(QWidget *parent = nullptr);
    static QPixmap picture(const QSize &size);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
