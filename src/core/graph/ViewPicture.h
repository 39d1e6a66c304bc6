#pragma once

#include "core/graph/AxisLabelLayout.h"
#include "core/graph/ChartScheme.h"
#include "core/graph/GraphView.h"
#include "core/graph/ViewFrame.h"
#include "core/model/BandTable.h"
#include "core/model/GraphScale.h"
#include "core/model/Settings.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <array>

// What the drawing of a view needs besides the scale's curves: the names the legend gives
// them and whether each has a phase.
struct ViewSources {
    QString measurementName;
    std::array<QString, kReferenceSlots> referenceNames;
    bool measurementHasPhase = true;
    std::array<bool, kReferenceSlots> referenceHasPhase{true, true, true, true, true};
};

// Why a view was not drawn.
enum class ViewRefusal {
    None,
    NoPhase,     // the measurement (or the compared reference) has no phase
    NoReference, // a difference or ratio with no reference loaded
};

// Pens and text size of one drawing: the screen's or the printer's.
struct ViewPens {
    int measurement = 1;
    int reference = 1;
    bool forPrint = false;
    // Pixel height of the legend's and the frequency marks' text.
    int textPixels = 12;
    ChartScheme scheme; // the classic light colours unless a dark desktop asks otherwise
};

struct ViewDrawn {
    ViewRefusal refusal = ViewRefusal::None;
    // Difference and ratio: the measured points the reference does not cover, left undrawn.
    int uncompared = 0;
    int referenceSlot = -1; // the slot compared against
    double nyquistStep = 0.0;
    ViewFrame frame;
};

// The frame of the classic |Z| and phase chart on a plot of this size: what a first zoom
// starts from.
ViewFrame classicViewFrame(const GraphScale &scale, QSize plot);

// The slot a difference or ratio compares against: the one asked for when it is loaded,
// else the first loaded; -1 when none is.
int compareSlot(const GraphScale &scale, int wanted);

// The colours a view draws in: with the legend, each reference still in the shared default
// colours takes a pair of its own, so that the legend can tell them apart.
Settings viewColours(const Settings &colours, const ViewOptions &options);

// Draws a view other than the classic chart over a fresh grid in `bitmap`: the grid, the
// curves of the scale (the references unless `withReferences` is false, the fitted curve)
// and the legend when asked. A refused view leaves the empty grid of the classic chart.
ViewDrawn drawView(QImage &bitmap, const GraphScale &scale, const Settings &colours,
                   const ViewOptions &options, const ViewSources &sources, bool rOnly,
                   bool withReferences, const ViewPens &pens);
// The same on any painter, over a plot of `plot` with its top left at the painter's origin.
ViewDrawn drawView(QPainter &painter, QSize plot, const GraphScale &scale, const Settings &colours,
                   const ViewOptions &options, const ViewSources &sources, bool rOnly,
                   bool withReferences, const ViewPens &pens);

// The 35 labels of a drawn view round a box (see layoutAxisLabels): the left ticks in the
// R entries, the right ticks in the phase entries, the bottom ticks in the frequency entries.
AxisLabelLayout layoutViewLabels(const ViewDrawn &drawn, const GraphScale &scale,
                                 const ViewOptions &options, const QRect &box, bool rOnly,
                                 const QFont &font);
