#pragma once

#include "core/graph/GraphView.h"
#include "core/model/CurveBlock.h"

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QVector>

// One axis of a view: linear, or logarithmic (frequency, log |Z|), from lo to hi.
struct ViewAxis {
    double lo = 0.0;
    double hi = 1.0;
    bool log = false;
    // Where v lies between the ends, 0 at lo and 1 at hi (in log10 on a log axis).
    double fraction(double v) const;
    double valueAt(double fraction) const;
};

// The data ranges of a drawn view and the mapping between plot pixels and data. Pixels
// truncate toward zero, as on the classic chart: x = W * fraction, y = H * (1 - fraction).
struct ViewFrame {
    GraphView view = GraphView::ZPhase;
    QSize plot;
    ViewAxis x;     // frequency in Hz, or R in ohms in Nyquist
    ViewAxis left;  // |Z|, R, X (Nyquist), the difference or the ratio in dB
    ViewAxis right; // phase, X, or the phase difference; unused in Nyquist
    bool hasRight = true;
    // Nyquist: the ohms one pixel spans both ways, so that equal ohms give equal pixels.
    double ohmsPerPixel = 0.0;

    int xPixel(double v) const;
    int leftPixel(double v) const;
    int rightPixel(double v) const;
    // Data under a plot pixel: x, the left axis and the right axis.
    double xAt(int px) const;
    double leftAt(int py) const;
    double rightAt(int py) const;
    // Value of level tick i (0 at the top, 10 at the bottom) of each side.
    double leftTick(int i) const;
    double rightTick(int i) const;
};

// The smallest of 1, 2, 2.5, 5 times a power of ten not below v (v > 0).
double niceStep(double v);
// The step after a nice step.
double nextNiceStep(double step);
// A tick value's text with as many decimals as `step` needs: "2.5", "-10", "0.05".
QString viewTickText(double v, double step);

// Nyquist ranges for R in [rMin, rMax] and X in [xMin, xMax] on a plot: the same ohms per
// pixel both ways, ten equal level bands of a nice step and vertical lines as far apart.
// Returns the step.
double nyquistFrame(ViewFrame &frame, double rMin, double rMax, double xMin, double xMax);
// The R values of the vertical grid lines of a Nyquist frame.
QVector<double> nyquistGridValues(const ViewFrame &frame, double step);

// R and X of a curve point (|Z| cos θ, |Z| sin θ).
double pointR(const CurveBlock &curve, int index);
double pointX(const CurveBlock &curve, int index);

// The grid index of the curve's point nearest to a plot pixel in a Nyquist frame (pixel
// distance), within the band; -1 when the curve has no point there.
int nearestNyquistPoint(const ViewFrame &frame, const CurveBlock &curve, int band, QPoint pixel);
