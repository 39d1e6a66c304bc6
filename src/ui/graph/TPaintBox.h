#pragma once

#include <QWidget>
#include <functional>

class QMouseEvent;
class QPainter;

// The graph area. It only forwards painting and mouse presses; the renderer decides
// what to show. From the keyboard, Left/Right (with Shift: ten steps), Home and End move a
// reading position along the box and report it as a press at that x would be.
class TPaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit TPaintBox(QWidget *parent = nullptr);
    std::function<void(QPainter &)> onPaint;
    std::function<void(QMouseEvent *)> onMouseDown;
    std::function<void(int x)> onKeyPick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_keyX = -1; // none yet: the first key starts in the middle
};
