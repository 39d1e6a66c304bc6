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
