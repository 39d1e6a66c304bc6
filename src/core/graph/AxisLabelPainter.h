#pragma once

#include "core/graph/AxisLabelLayout.h"
#include "core/model/Settings.h"

#include <QColor>

class QPainter;

// Draws the shown labels of a layout as the window's label controls show them: each text at
// the left of its cell, centred vertically, in its axis colour (the frequency labels in
// `textColour`). The painter's font is the labels' font.
void drawAxisLabels(QPainter &painter, const AxisLabelLayout &layout, const Settings &settings,
                    const QColor &textColour);
