#include "ui/graph/TPaintBox.h"

#include "core/graph/ViewZoom.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QTimer>
#include <QWheelEvent>

namespace {

// Pixels of angle per wheel step, as Qt reports a classic mouse's notch.
constexpr double kAnglePerStep = 120.0;

} // namespace

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
    // Moved to a screen of another pixel ratio: drawn again at that resolution, after this.
    const qreal ratio = devicePixelRatioF();
    if (m_ratio != 0.0 && ratio != m_ratio && onLookChange)
        QTimer::singleShot(0, this, [this] {
            if (onLookChange)
                onLookChange();
        });
    m_ratio = ratio;
}

void TPaintBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange && onLookChange)
        onLookChange();
    QWidget::changeEvent(event);
}

void TPaintBox::mousePressEvent(QMouseEvent *event)
{
    m_keyX = int(event->position().x());
    m_pressed = event->button() == Qt::LeftButton;
    m_pressedAt = event->position().toPoint();
    if (onMouseDown)
        onMouseDown(event);
}

QRect TPaintBox::dragRect(QPoint to) const
{
    return QRect(QPoint(qMin(m_pressedAt.x(), to.x()), qMin(m_pressedAt.y(), to.y())),
                 QPoint(qMax(m_pressedAt.x(), to.x()), qMax(m_pressedAt.y(), to.y())))
        .intersected(rect());
}

void TPaintBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || !onDrag)
        return;
    const QRect r = dragRect(event->position().toPoint());
    if (r.width() < kMinZoomDragPixels && r.height() < kMinZoomDragPixels)
        return;
    if (!m_band)
        m_band = new QRubberBand(QRubberBand::Rectangle, this);
    m_band->setGeometry(r);
    m_band->show();
}

void TPaintBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool dragged = m_band && m_band->isVisible();
    if (dragged)
        m_band->hide();
    if (m_pressed && dragged && onDrag)
        onDrag(dragRect(event->position().toPoint()));
    m_pressed = false;
}

void TPaintBox::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / kAnglePerStep;
    if (steps == 0.0 || !onWheel) {
        event->ignore();
        return;
    }
    onWheel(event->position().toPoint(), steps);
    event->accept();
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
    case Qt::Key_Escape:
        if (onZoomReset) {
            onZoomReset();
            return;
        }
        QWidget::keyPressEvent(event);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_keyX = qBound(0, x, qMax(0, last));
    if (onKeyPick)
        onKeyPick(m_keyX);
}
