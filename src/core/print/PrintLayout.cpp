#include "core/print/PrintLayout.h"

#include <cmath>

int millimetresToPixels(int mm, int dpi)
{
    // mm x dpi / 25.4 exactly, so whole-inch lengths do not lose a pixel to rounding.
    return int(qint64(mm) * dpi * 10 / 254);
}

namespace {
int truncated(double v)
{
    return int(std::trunc(v));
}
} // namespace

PrintLayout computePrintLayout(const PrintDevice &device)
{
    PrintLayout l;
    const auto mmX = [&](int mm) { return millimetresToPixels(mm, device.dpiX); };
    const auto mmY = [&](int mm) { return millimetresToPixels(mm, device.dpiY); };

    l.scale = device.screenDpi > 0 ? float(device.dpiY / device.screenDpi) : 0.0f;
    l.textHeight = truncated(9.0 * double(l.scale));

    l.left = mmX(10);
    l.top = mmY(15);
    // In landscape the graph is sized by the short side so that it still fits under the
    // title and information lines.
    l.graphWidth =
        device.landscape ? mmX(device.printableHeightMM - 20) : mmX(device.printableWidthMM - 10);
    l.graphHeight = l.graphWidth * 3 / 4;
    l.bottom = l.top + l.graphHeight;

    l.plotLeft = l.left + mmX(15);
    l.plotTop = l.top + mmY(5);
    l.plotWidth = l.graphWidth - mmX(30);
    l.plotHeight = l.graphHeight - mmY(10);
    l.plotRight = l.plotLeft + l.plotWidth;
    l.plotBottom = l.plotTop + l.plotHeight;

    l.textX = l.plotLeft;
    l.titleY = truncated(l.bottom + 20.0 * double(l.scale));
    for (int i = 0; i < 3; ++i)
        l.infoY[i] = truncated(l.bottom + 20.0 * (i + 2) * double(l.scale));
    return l;
}
