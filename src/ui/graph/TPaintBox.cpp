#include "ui/graph/TPaintBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reachable with Tab, so the readout works without a mouse.
    setFocusPolicy(Qt::StrongFocus);
}

void TPaintBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (onPaint)
        onPaint(painter);
}

void TPaintBox::mousePressEvent(QMouseEvent *event)
{
    m_keyX = int(event->position().x());
    if (onMouseDown)
        onMouseDown(event);
}

void TPaintBox::keyPressEvent(QKeyEvent *event)
{
    const int last = width() - 1;
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    const int from = m_keyX < 0 ? width() / 2 : m_keyX;
    int x = from;
    switch (event->key()) {
    case Qt::Key_Left:
        x = m_keyX < 0 ? from : from - step;
        break;
    case Qt::Key_Right:
        x = m_keyX < 0 ? from : from + step;
        break;
    case Qt::Key_Home:
        x = 0;
        break;
    case Qt::Key_End:
        x = last;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_keyX = qBound(0, x, qMax(0, last));
    if (onKeyPick)
        onKeyPick(m_keyX);
}
