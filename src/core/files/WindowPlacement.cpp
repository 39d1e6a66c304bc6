#include "core/files/WindowPlacement.h"

#include <algorithm>

namespace {
constexpr int kMargin = 100;
} // namespace

void clampWindowPlacement(WindowState &state, const QRect &available)
{
    const int x0 = available.x();
    const int y0 = available.y();
    if (state.top > y0 + available.height())
        state.top = y0 + kMargin;
    else if (state.top < y0)
        state.top = y0;
    if (state.left > x0 + available.width())
        state.left = x0 + kMargin;
    else if (state.left < x0)
        state.left = x0;
    if (state.width > available.width())
        state.width = std::max(1, available.width() - kMargin);
    if (state.height > available.height())
        state.height = std::max(1, available.height() - kMargin);
}

QPoint placeBeside(const QRect &main, const QSize &size, const QRect &available)
{
    auto keep = [&](int x, int y) {
        x = std::max(available.left(), std::min(x, available.right() + 1 - size.width()));
        y = std::max(available.top(), std::min(y, available.bottom() + 1 - size.height()));
        return QPoint(x, y);
    };
    const QPoint candidates[] = {
        keep(main.right() + 1, main.top()), keep(main.left() - size.width(), main.top()),
        keep(main.left(), main.bottom() + 1), keep(main.left(), main.top() - size.height())};
    QPoint best = candidates[0];
    qint64 least = -1;
    for (const QPoint &at : candidates) {
        const QRect covered = QRect(at, size).intersected(main);
        const qint64 area = covered.isEmpty() ? 0 : qint64(covered.width()) * covered.height();
        if (least < 0 || area < least) {
            least = area;
            best = at;
        }
    }
    return best;
}
