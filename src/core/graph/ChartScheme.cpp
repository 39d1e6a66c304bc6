#include "core/graph/ChartScheme.h"

#include <QPalette>
#include <cmath>

namespace {

constexpr int kDarkLightness = 128;

ColorRef mix(const QColor &a, const QColor &b, int percentB)
{
    auto m = [percentB](int x, int y) { return (x * (100 - percentB) + y * percentB) / 100; };
    return toColorRef(QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue())));
}

double luminance(ColorRef c)
{
    const QColor q = toQColor(c);
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(q.red()) + 0.7152 * channel(q.green()) + 0.0722 * channel(q.blue());
}

} // namespace

bool isDarkPalette(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < kDarkLightness;
}

ChartScheme chartSchemeFor(const QPalette &palette)
{
    if (!isDarkPalette(palette))
        return ChartScheme();
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    ChartScheme s;
    s.background = toColorRef(base);
    // The grid's two greys and the frame at fixed steps from the background towards the text.
    s.grid = mix(base, text, 20);
    s.gridStrong = mix(base, text, 40);
    s.frame = mix(base, text, 60);
    s.text = toColorRef(text);
    s.dark = true;
    return s;
}

QPalette darkChartPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, QColor(0xE6, 0xE6, 0xE6));
    p.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    p.setColor(QPalette::Text, QColor(0xE6, 0xE6, 0xE6));
    return p;
}

double contrastRatio(ColorRef a, ColorRef b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ColorRef readableOn(ColorRef colour, const ChartScheme &scheme)
{
    if (!scheme.dark || contrastRatio(colour, scheme.background) >= kMinCurveContrast)
        return colour;
    const QColor c = toQColor(colour);
    for (int percent = 10; percent < 100; percent += 10) {
        const ColorRef lighter = mix(c, Qt::white, percent);
        if (contrastRatio(lighter, scheme.background) >= kMinCurveContrast)
            return lighter;
    }
    return 0x00FFFFFF;
}

Settings readableColours(const Settings &colours, const ChartScheme &scheme)
{
    Settings shown = colours;
    if (!scheme.dark)
        return shown;
    shown.colorR = readableOn(colours.colorR, scheme);
    shown.colorTheta = readableOn(colours.colorTheta, scheme);
    for (int k = 0; k < kReferenceSlots; ++k) {
        shown.refColorR[k] = readableOn(colours.refColorR[k], scheme);
        shown.refColorTheta[k] = readableOn(colours.refColorTheta[k], scheme);
    }
    return shown;
}
