#include "core/graph/ViewZoom.h"

#include <algorithm>

namespace {

// The axis's ends after scaling its span by `factor` about the fraction `at`, in the axis's
// own measure (log10 on a log axis), so the value at `at` stays where it is.
std::pair<double, double> scaledEnds(const ViewAxis &axis, double at, double factor)
{
    return {axis.valueAt(at - at * factor), axis.valueAt(at + (1.0 - at) * factor)};
}

} // namespace

std::optional<QRectF> zoomForDrag(const ViewFrame &frame, const QRect &pixels)
{
    const QRect r = pixels.normalized();
    if (r.width() < kMinZoomDragPixels || r.height() < kMinZoomDragPixels)
        return std::nullopt;
    const double x0 = frame.xAt(r.left());
    const double x1 = frame.xAt(r.right() + 1);
    const double top = frame.leftAt(r.top());
    const double bottom = frame.leftAt(r.bottom() + 1);
    return QRectF(QPointF(x0, top), QPointF(x1, bottom));
}

QRectF zoomAbout(const ViewFrame &frame, QPoint pixel, double factor)
{
    const double w = std::max(frame.plot.width(), 1);
    const double h = std::max(frame.plot.height(), 1);
    const auto [x0, x1] = scaledEnds(frame.x, std::clamp(pixel.x() / w, 0.0, 1.0), factor);
    const auto [bottom, top] =
        scaledEnds(frame.left, std::clamp(1.0 - pixel.y() / h, 0.0, 1.0), factor);
    return QRectF(QPointF(x0, top), QPointF(x1, bottom));
}
