#pragma once

#include <QRect>
#include <array>

// What the page geometry depends on: the printer's resolution and printable area as its
// device reports them, the orientation, and the screen's logical dots per inch (the screen
// labels' sizes are converted to printer pixels with it).
struct PrintDevice {
    int dpiX = 0;
    int dpiY = 0;
    int printableWidthMM = 0;
    int printableHeightMM = 0;
    bool landscape = false;
    double screenDpi = 96.0;
};

// The page geometry of the graph printout, in printer pixels with the origin at the top
// left of the printable area. The plot is inset 15 mm left and right and 5 mm top and
// bottom inside a 4:3 graph area that starts 10 mm from the left and 15 mm from the top;
// title and information lines follow below the graph area.
struct PrintLayout {
    float scale = 0.0f; // printer pixels per screen pixel
    int textHeight = 0;
    int left = 0;
    int top = 0;
    int graphWidth = 0;
    int graphHeight = 0;
    int bottom = 0;
    int plotLeft = 0;
    int plotTop = 0;
    int plotWidth = 0;
    int plotHeight = 0;
    int plotRight = 0;
    int plotBottom = 0;
    int textX = 0; // title and information lines start at the plot's left edge
    int titleY = 0;
    std::array<int, 3> infoY{};

    // Right and bottom exclusive, as the bitmap is copied onto it.
    QRect plotRect() const { return QRect(plotLeft, plotTop, plotWidth, plotHeight); }
    // False when the printable area is too small to hold a plot.
    bool hasPlot() const { return plotWidth > 0 && plotHeight > 0; }
};

// Whole millimetres to printer pixels, truncated toward zero.
int millimetresToPixels(int mm, int dpi);

PrintLayout computePrintLayout(const PrintDevice &device);
