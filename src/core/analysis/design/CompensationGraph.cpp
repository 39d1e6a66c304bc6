#include "core/analysis/design/CompensationGraph.h"

#include "core/graph/AxisLabelPainter.h"
#include "core/graph/GraphPicture.h"
#include "core/graph/ViewScale.h"

#include <algorithm>

namespace {

// Margins round the graph box for the labels, as the main window keeps them.
constexpr int kLeft = 64;
constexpr int kTop = 24;
constexpr int kRight = 24;
constexpr int kBottom = 48;

float largestR(const CurveBlock *c, int band)
{
    float top = 0.0f;
    if (c)
        for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
            top = std::max(top, c->r[i]);
    return top;
}

} // namespace

ColorRef compensationMeasuredColour()
{
    return Settings().colorR;
}

ColorRef compensationCurveColour()
{
    return 0x000000D0; // a red apart from the measurement's blue (0x00BBGGRR)
}

QImage renderCompensationGraph(const CompensationGraphInput &in)
{
    const QSize box(in.size.width() - kLeft - kRight, in.size.height() - kTop - kBottom);
    if (box.width() < 60 || box.height() < 40 || !isValidBand(in.band))
        return QImage();
    Settings colours;
    colours.refColorR[0] = compensationCurveColour();
    GraphScale scale;
    initGraphScale(scale, in.band);
    scale.rMax =
        roundUpRScale(std::max(largestR(in.measured, in.band), largestR(in.compensated, in.band)));
    scale.curveShown = in.measured;
    scale.refCurveShown[0] = in.compensated;

    GraphPicture graph(&scale, &colours);
    graph.resize(box);
    graph.clear();
    if (in.compensated)
        graph.drawReferences(true);
    if (in.measured)
        graph.drawMeasurement(true, false);

    return labelledChartImage(graph, scale, in.size, QRect(QPoint(kLeft, kTop), box), true, in.font,
                              in.background, colours, in.text);
}
