#pragma once

#include "core/graph/GraphColors.h"
#include "core/model/Settings.h"

class QPalette;

// The colours of the chart's own parts. The light scheme is the classic one; a dark desktop
// gets a dark plot whose background, grid and frame follow its palette, and curve colours that
// would be hard to see on it are lightened.
struct ChartScheme {
    ColorRef background = kBackgroundColor;
    ColorRef grid = kGridColor;
    ColorRef gridStrong = kGridStrongColor;
    ColorRef frame = kFrameColor;
    ColorRef text = kFrameColor; // texts inside the plot (the legend)
    bool dark = false;

    bool operator==(const ChartScheme &) const = default;
};

// True for a palette whose window colour has a lightness below 128.
bool isDarkPalette(const QPalette &palette);
// The light scheme for a light palette; for a dark one a scheme from its base and text colours.
ChartScheme chartSchemeFor(const QPalette &palette);
// A dark palette of the program's own, for pictures made without a desktop (velo2-cli --dark).
QPalette darkChartPalette();

// The WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(ColorRef a, ColorRef b);
// Curve colours hold at least this contrast against a dark scheme's background.
constexpr double kMinCurveContrast = 3.0;
// The colour itself on a light scheme; on a dark one, mixed towards white just enough to reach
// kMinCurveContrast against the background.
ColorRef readableOn(ColorRef colour, const ChartScheme &scheme);
// The settings' curve colours made readable on the scheme.
Settings readableColours(const Settings &colours, const ChartScheme &scheme);
