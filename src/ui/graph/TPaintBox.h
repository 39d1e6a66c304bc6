#pragma once

#include <QWidget>
#include <functional>

class QMouseEvent;
class QPainter;
class QRubberBand;

// The graph area. It only forwards painting and mouse presses; the renderer decides
// what to show. From the keyboard, Left/Right (with Shift: ten steps), Home and End move a
// reading position along the box and report it as a press at that x would be. A drag with the
// left button draws a rubber band and reports the rectangle, a wheel turn its steps (positive
// away from the user) and Escape a wish for the whole band again.
class TPaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit TPaintBox(QWidget *parent = nullptr);
    std::function<void(QPainter &)> onPaint;
    std::function<void(QMouseEvent *)> onMouseDown;
    std::function<void(int x)> onKeyPick;
    std::function<void(const QRect &)> onDrag; // box coordinates
    std::function<void(QPoint, double steps)> onWheel;
    std::function<void()> onZoomReset;
    // The desktop's palette or the screen's pixel ratio changed.
    std::function<void()> onLookChange;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QRect dragRect(QPoint to) const;

    int m_keyX = -1; // none yet: the first key starts in the middle
    QPoint m_pressedAt;
    bool m_pressed = false;
    QRubberBand *m_band = nullptr;
    qreal m_ratio = 0.0; // the pixel ratio of the last paint
};
