#pragma once

#include "core/graph/AxisLabels.h"
#include "core/model/GraphScale.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <array>

// What one layout pass does to a label of the table.
enum class AxisLabelAction {
    Keep,  // untouched: it keeps text, place and visibility
    Hide,  // hidden, text and place kept (the phase labels in the R-only view)
    Clear, // emptied and hidden (frequency slots beyond the labelled ticks)
    Show,  // shown with `text` at `rect`
};

struct AxisLabelPlacement {
    AxisLabelAction action = AxisLabelAction::Keep;
    QString text;
    QRect rect; // for Show: top left and the size of the text in the label font
};

using AxisLabelLayout = std::array<AxisLabelPlacement, kAxisLabelCount>;

// Size a plain label takes for `text` in `font`: its text's bounding box, no margins.
QSize axisLabelSize(const QFont &font, const QString &text);

// The 35 labels round a graph box. `box` is the paint box in the labels' coordinates (frame
// included), `plot` the size of the bitmap inside the frame. The frequency labels are left
// as they are when the axis cannot be mapped.
AxisLabelLayout layoutAxisLabels(const GraphScale &scale, const QRect &box, const QSize &plot,
                                 bool rOnly, const QFont &font);
