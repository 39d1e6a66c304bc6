#pragma once

#include "core/graph/AxisLabelLayout.h"
#include "core/model/Settings.h"

#include <QColor>
#include <QImage>

class GraphPicture;
class QFont;
class QPainter;
struct GraphScale;

// Draws the shown labels of a layout as the window's label controls show them: each text at
// the left of its cell, centred vertically, in its axis colour (the frequency labels in
// `textColour`). The painter's font is the labels' font.
void drawAxisLabels(QPainter &painter, const AxisLabelLayout &layout, const Settings &settings,
                    const QColor &textColour);

// A drawn graph with its labels round it, for the windows that draw a small graph of their
// own: the picture of `size` filled with `background`, the graph drawn into `box` and the labels
// laid out round it as the main window lays them out.
QImage labelledChartImage(const GraphPicture &graph, const GraphScale &scale, const QSize &size,
                          const QRect &box, bool rOnly, const QFont &font, const QColor &background,
                          const Settings &settings, const QColor &textColour);
