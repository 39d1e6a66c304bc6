#pragma once

#include "core/graph/AxisMath.h"
#include "core/graph/ChartScheme.h"
#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"
#include "core/model/Settings.h"

#include <QPainter>

class QImage;

// Draws the measured curves onto a bitmap as polylines over the logarithmic frequency axis:
// the R line against the left scale and, unless rOnly, the phase line against the right
// one. The curves are those the scale's shown-curve pointers name; the drawn grid indexes
// are those of the scale's band. Nothing is cleared: callers draw over a fresh grid.
class CurvePlotter
{
public:
    CurvePlotter(QImage &target, const GraphScale &scale, const Settings &colours,
                 const ChartScheme &scheme = ChartScheme());
    // On a painter already open, over a plot of `plot` with its top left at the origin.
    CurvePlotter(QPainter &painter, QSize plot, const GraphScale &scale, const Settings &colours,
                 const ChartScheme &scheme = ChartScheme());

    // The whole measurement; nothing when it is not valid.
    void plotMeasurement(bool rOnly, int penWidth);
    // Every valid reference, slot 0 first.
    void plotReferences(bool rOnly, int penWidth);
    // The measurement, then the references on top; nothing at all without a valid measurement.
    void plotAll(bool rOnly, int measurementPen, int referencePen);
    // The fitted curve the scale names, dashed, as polylines broken at empty slots.
    void plotFit(bool rOnly, int penWidth);
    // The band between the scale's spread edges, shaded in light tints of the measurement's
    // colours, broken where an edge has no value; drawn first, under the curves.
    void plotSpread(bool rOnly);
    // The first `count` segments of the measurement, valid or not (a run fills it).
    void plotMeasurementPart(bool rOnly, int count, int penWidth);
    // The single segment ending at grid index `index` (none for index 0). Returns the
    // rectangle that holds every pixel it drew (empty when it drew nothing).
    QRect plotSegment(bool rOnly, int index, int penWidth);

private:
    // Returns the rectangle that holds every pixel it drew.
    QRect plotCurve(const CurveBlock &curve, int from, int to, ColorRef rColor, ColorRef thetaColor,
                    bool rOnly, int penWidth);

    bool active() const { return m_painter && m_painter->isActive(); }
    // A vector file gets each unbroken run of a curve as one polyline.
    void plotCurveRuns(const CurveBlock &curve, int from, int to, ColorRef rColor,
                       ColorRef thetaColor, bool rOnly, int penWidth);

    QSize m_size;
    const GraphScale &m_scale;
    const Settings m_colours; // made readable on the scheme
    ChartScheme m_scheme;
    QPainter m_own;
    QPainter *m_painter = nullptr;
    bool m_vector = false; // drawing into an SVG or PDF file
    LogAxis m_axis;
    int m_first = 0;
    int m_last = 0;
};
