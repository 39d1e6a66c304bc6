#include "core/graph/ViewSeries.h"

#include "core/graph/CurveCompare.h"
#include "core/graph/ViewFrame.h"
#include "core/graph/ViewPicture.h"
#include "core/model/BandTable.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kOctaves[] = {1.0, 2.0, 4.0, 8.0};

bool hasPoint(const CurveBlock &c, int j)
{
    return c.r[j] >= 0 && c.freq[j] > 0;
}

void widen(ViewExtent &e, const ViewPoint &p)
{
    if (!e.any) {
        e.any = true;
        e.xMin = e.xMax = p.x;
        e.leftMin = e.leftMax = p.left;
        e.rightMin = e.rightMax = p.hasRight ? p.right : 0.0;
        e.leftPositiveMin = p.left > 0 ? p.left : 0.0;
    }
    e.xMin = std::min(e.xMin, p.x);
    e.xMax = std::max(e.xMax, p.x);
    e.leftMin = std::min(e.leftMin, p.left);
    e.leftMax = std::max(e.leftMax, p.left);
    if (p.left > 0 && (e.leftPositiveMin <= 0 || p.left < e.leftPositiveMin))
        e.leftPositiveMin = p.left;
    if (p.hasRight) {
        e.rightMin = std::min(e.rightMin, p.right);
        e.rightMax = std::max(e.rightMax, p.right);
    }
}

ViewPoint pointOf(GraphView view, const CurveBlock &c, int j)
{
    switch (view) {
    case GraphView::RX:
        return {c.freq[j], pointR(c, j), pointX(c, j), true};
    case GraphView::Nyquist:
        return {pointR(c, j), pointX(c, j), 0.0, false};
    default:
        return {c.freq[j], c.r[j], c.theta[j], true};
    }
}

// The measurement against the compared reference, as one curve named after both.
void compareSeries(ViewSeriesSet &set, const GraphScale &scale, const ViewOptions &options,
                   const QVector<ViewCurve> &curves)
{
    if (curves.isEmpty() || curves.front().kind != ViewCurve::Measurement)
        return;
    const ViewCurve *reference = nullptr;
    for (const ViewCurve &c : curves)
        if (c.kind == ViewCurve::Reference && c.slot == options.referenceSlot)
            reference = &c;
    if (!reference)
        return;
    const ViewCurve &measured = curves.front();
    const CompareResult result = compareCurves(*measured.block, *reference->block, scale.band);
    set.uncompared = result.uncompared;
    const bool phase = measured.hasPhase && reference->hasPhase;
    ViewSeries s;
    QVector<ViewPoint> run;
    int previous = -2;
    for (const ComparePoint &p : result.points) {
        if (p.index != previous + 1 && !run.isEmpty()) {
            s.runs << run;
            run.clear();
        }
        previous = p.index;
        double left = p.ratioDb;
        if (options.view == GraphView::Diff)
            left = options.diffPercent ? p.diffPct : p.diffOhm;
        const ViewPoint point{p.fHz, left, phase ? p.phaseDiffDeg : 0.0, phase};
        widen(set.extent, point);
        run << point;
    }
    if (!run.isEmpty())
        s.runs << run;
    set.series << s;
    ViewCurve named = measured;
    const QString sign =
        options.view == GraphView::Diff ? QStringLiteral(" − ") : QStringLiteral(" / ");
    named.name = measured.name.isEmpty() || reference->name.isEmpty()
                     ? QString()
                     : measured.name + sign + reference->name;
    set.legend << named;
}

} // namespace

QVector<ViewCurve> viewCurves(const GraphScale &scale, const Settings &colours,
                              const ViewSources &sources, const ViewOptions &options,
                              bool withReferences, bool withFit, const ViewPens &pens)
{
    QVector<ViewCurve> curves;
    if (scale.curveShown && scale.curveShown->valid != 0) {
        ViewCurve c;
        c.block = scale.curveShown;
        c.leftColour = colours.colorR;
        c.rightColour = colours.colorTheta;
        c.pen = pens.measurement;
        c.hasPhase = sources.measurementHasPhase;
        c.name = sources.measurementName;
        curves << c;
    }
    for (int k = 0; k < kReferenceSlots; ++k) {
        const CurveBlock *block = scale.refCurveShown[k];
        const bool compared = viewNeedsReference(options.view) && k == options.referenceSlot;
        if (!block || block->valid != 1 || !(withReferences || compared))
            continue;
        ViewCurve c;
        c.kind = ViewCurve::Reference;
        c.block = block;
        c.slot = k;
        c.leftColour = colours.refColorR[k];
        c.rightColour = colours.refColorTheta[k];
        c.pen = pens.reference;
        c.hasPhase = sources.referenceHasPhase[size_t(k)];
        c.name = sources.referenceNames[size_t(k)];
        curves << c;
    }
    if (withFit && scale.fitShown) {
        ViewCurve c;
        c.kind = ViewCurve::Fit;
        c.block = scale.fitShown;
        c.leftColour = c.rightColour = scale.fitColor;
        c.pen = pens.reference;
        c.dashed = true;
        c.name = QStringLiteral("fit");
        curves << c;
    }
    return curves;
}

ViewSeriesSet viewSeries(const GraphScale &scale, const ViewOptions &options,
                         const QVector<ViewCurve> &curves)
{
    ViewSeriesSet set;
    if (!isValidBand(scale.band))
        return set;
    const int first = std::max(bandFirstIndex(scale.band), 0);
    const int last = std::min(bandLastIndex(scale.band), kRecordSlots - 1);
    if (viewNeedsReference(options.view)) {
        compareSeries(set, scale, options, curves);
        return set;
    }
    for (int i = 0; i < curves.size(); ++i) {
        const ViewCurve &c = curves[i];
        if (viewNeedsPhase(options.view) && !c.hasPhase)
            continue;
        ViewSeries s;
        s.curve = i;
        QVector<ViewPoint> run;
        for (int j = first; j <= last; ++j) {
            if (!hasPoint(*c.block, j)) {
                if (run.size() > 0)
                    s.runs << run;
                run.clear();
                continue;
            }
            const ViewPoint p = pointOf(options.view, *c.block, j);
            widen(set.extent, p);
            run << p;
        }
        if (run.size() > 0)
            s.runs << run;
        set.series << s;
        set.legend << c;
    }
    return set;
}

QVector<FrequencyMark> frequencyMarks(const CurveBlock &curve, int first, int last)
{
    QVector<FrequencyMark> marks;
    first = std::max(first, 0);
    last = std::min(last, kRecordSlots - 1);
    for (int j = first; j < last; ++j) {
        if (!hasPoint(curve, j) || !hasPoint(curve, j + 1))
            continue;
        const double f0 = curve.freq[j];
        const double f1 = curve.freq[j + 1];
        if (!(f1 > f0))
            continue;
        // The segment owns [f0, f1); the band's last point owns its own frequency too.
        const bool closing = j + 1 == last || !hasPoint(curve, j + 2);
        for (int n = int(std::floor(std::log10(f0))); n <= int(std::floor(std::log10(f1))); ++n) {
            const double decade = std::pow(10.0, n);
            for (double m : kOctaves) {
                const double hz = m * decade;
                if (hz < f0 || hz > f1 || (hz == f1 && !closing))
                    continue;
                const double t =
                    (std::log10(hz) - std::log10(f0)) / (std::log10(f1) - std::log10(f0));
                const double r = pointR(curve, j) + t * (pointR(curve, j + 1) - pointR(curve, j));
                const double x = pointX(curve, j) + t * (pointX(curve, j + 1) - pointX(curve, j));
                marks << FrequencyMark{hz, r, x, m == 1.0};
            }
        }
    }
    return marks;
}
