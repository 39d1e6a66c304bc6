#pragma once

#include <QWidget>
#include <functional>

class QMouseEvent;
class QPainter;

// The graph area. It only forwards painting and mouse presses; the renderer decides
// what to show.
class TPaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit TPaintBox(QWidget *parent = nullptr);
    std::function<void(QPainter &)> onPaint;
    std::function<void(QMouseEvent *)> onMouseDown;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};
