#include "core/qc/QcGraph.h"

#include "core/graph/AxisLabelPainter.h"
#include "core/graph/GraphPicture.h"
#include "core/graph/ViewScale.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Margins round the graph box for the labels, as the main window keeps them.
constexpr int kLeft = 64;
constexpr int kTop = 24;
constexpr int kRight = 76;
constexpr int kBottom = 48;
// The band's lines: a dark orange that neither default curve colour uses (0x00BBGGRR).
constexpr ColorRef kBandColour = 0x000080FF;

} // namespace

void qcBandCurves(const QcLimits &limits, CurveBlock &low, CurveBlock &high)
{
    clearCurve(low);
    clearCurve(high);
    for (const QcBandPoint &p : limits.points) {
        low.r[p.index] = float(p.z.low);
        high.r[p.index] = float(p.z.high);
        low.freq[p.index] = high.freq[p.index] = float(p.freqHz);
    }
    low.valid = high.valid = 1;
}

QImage renderQcGraph(const QcGraphInput &in)
{
    const QSize box(in.size.width() - kLeft - kRight, in.size.height() - kTop - kBottom);
    if (box.width() < 60 || box.height() < 40)
        return QImage();
    const int band = in.limits ? in.limits->band : kStartupBand;

    Settings colours;
    colours.refColorR[0] = colours.refColorR[1] = kBandColour;
    GraphScale scale;
    initGraphScale(scale, band);
    auto low = std::make_unique<CurveBlock>();
    auto high = std::make_unique<CurveBlock>();
    float rTop = 0.0f;
    float thetaTop = 0.0f;
    if (in.limits) {
        qcBandCurves(*in.limits, *low, *high);
        for (const QcBandPoint &p : in.limits->points)
            rTop = std::max(rTop, float(p.z.high));
        scale.refCurveShown[0] = low.get();
        scale.refCurveShown[1] = high.get();
    }
    const int shown = in.raw ? std::clamp(in.pointsShown, 0, bandPointCount(band)) : 0;
    for (int i = bandFirstIndex(band); i < bandFirstIndex(band) + shown; ++i) {
        rTop = std::max(rTop, in.raw->r[i]);
        thetaTop = std::max(thetaTop, std::fabs(in.raw->theta[i]));
    }
    scale.rMax = roundUpRScale(rTop);
    scale.thetaMax = thetaFullScale(thetaTop);
    scale.thetaMin = -scale.thetaMax;
    scale.curveShown = in.raw;

    GraphPicture graph(&scale, &colours);
    graph.resize(box);
    graph.clear();
    graph.drawReferences(true);
    if (shown > 0)
        graph.drawLive(false, shown - 1, false);

    return labelledChartImage(graph, scale, in.size, QRect(QPoint(kLeft, kTop), box), false,
                              in.font, in.background, colours, in.text);
}
