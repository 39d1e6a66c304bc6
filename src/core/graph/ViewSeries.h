#pragma once

#include "core/graph/GraphView.h"
#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"
#include "core/model/Settings.h"

#include <QString>
#include <QVector>

struct ViewSources;
struct ViewPens;

// A curve a view draws, with its colours, pen and legend name.
struct ViewCurve {
    enum Kind { Measurement, Reference, Fit };
    Kind kind = Measurement;
    const CurveBlock *block = nullptr;
    int slot = -1; // reference slot
    ColorRef leftColour = 0;
    ColorRef rightColour = 0;
    int pen = 1;
    bool dashed = false;
    bool hasPhase = true;
    QString name;
};

// The curves of the scale a view may draw, in drawing order: the measurement, the references
// (when asked), the fitted curve (when asked).
QVector<ViewCurve> viewCurves(const GraphScale &scale, const Settings &colours,
                              const ViewSources &sources, const ViewOptions &options,
                              bool withReferences, bool withFit, const ViewPens &pens);

// One point of a view: its x and the values on the left and the right axis.
struct ViewPoint {
    double x = 0.0;
    double left = 0.0;
    double right = 0.0;
    bool hasRight = true;
};

struct ViewSeries {
    int curve = 0;                    // into the curve list
    QVector<QVector<ViewPoint>> runs; // unbroken runs of points
};

// The extremes of every drawn value.
struct ViewExtent {
    bool any = false;
    double xMin = 0.0, xMax = 0.0;
    double leftMin = 0.0, leftMax = 0.0, leftPositiveMin = 0.0;
    double rightMin = 0.0, rightMax = 0.0;
};

struct ViewSeriesSet {
    QVector<ViewSeries> series;
    ViewExtent extent;
    QVector<ViewCurve> legend; // the curves drawn, as the legend names them
    int uncompared = 0;
};

// The values each curve gives in the view, over the scale's band. Curves without phase are
// left out of the views that need it; a difference or ratio is one curve against the
// options' reference slot.
ViewSeriesSet viewSeries(const GraphScale &scale, const ViewOptions &options,
                         const QVector<ViewCurve> &curves);

// A frequency mark on a Nyquist curve, interpolated on log f between grid points.
struct FrequencyMark {
    double hz = 0.0;
    double r = 0.0;
    double x = 0.0;
    bool decade = false;
};
// Marks at 1, 2, 4 and 8 times each decade between the curve's points first..last.
QVector<FrequencyMark> frequencyMarks(const CurveBlock &curve, int first, int last);
