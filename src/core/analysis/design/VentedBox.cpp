#include "core/analysis/design/VentedBox.h"

#include "core/analysis/PeakSearch.h"
#include "core/model/CurveBlock.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Point {
    double logF;
    double mag; // |Z|
    double r;   // resistance
    double x;   // reactance
    double v;   // the value the parabola goes through
};

// The vertex of the parabola through three points on log f; the middle point when the three
// do not bend (a flat top), so the result stays between the neighbours. Near a resonance
// 1/|Z - Re|^2 (a peak: the motional part alone, Re the band's lowest |Z|) and |Z|^2 (the
// port's dip) are the parabolas, not |Z|.
double vertexHz(Point a, Point b, Point c, bool peak, double re)
{
    for (Point *p : {&a, &b, &c})
        p->v = peak ? 1 / ((p->r - re) * (p->r - re) + p->x * p->x) : p->r * p->r + p->x * p->x;
    const double d1 = (b.v - a.v) / (b.logF - a.logF);
    const double d2 = (c.v - b.v) / (c.logF - b.logF);
    const double curvature = (d2 - d1) / (c.logF - a.logF);
    if (curvature == 0)
        return std::exp(b.logF);
    // v = a.v + d1·(x − a) + curvature·(x − a)(x − b); zero slope at the vertex.
    const double x = 0.5 * (a.logF + b.logF) - d1 / (2 * curvature);
    return std::exp(std::clamp(x, a.logF, c.logF));
}

// At the port's tuning the box cancels the motion and Z is Re alone: |Z| there is flat within
// the unit's 0.01 ohm steps while the reactance crosses zero steeply, so the crossing next to
// the lowest point is read, on a straight line in log f. Without a phase, |Z|'s parabola.
double dipHz(const std::vector<Point> &pts, std::size_t m, double re)
{
    for (std::size_t i : {m - 1, m}) {
        const Point &a = pts[i];
        const Point &b = pts[i + 1];
        if (a.x < 0 && b.x >= 0)
            return std::exp(a.logF + (b.logF - a.logF) * (-a.x) / (b.x - a.x));
    }
    return vertexHz(pts[m - 1], pts[m], pts[m + 1], false, re);
}

} // namespace

double ventedBoxAlpha(double fL, double fM, double fH)
{
    return (fH * fH - fM * fM) * (fM * fM - fL * fL) / (fH * fH * fL * fL);
}

VentedBoxTextbook analyseVentedBox(const CurveBlock &raw, int band, double vbLitres)
{
    VentedBoxTextbook t;
    if (!(vbLitres > 0) || !std::isfinite(vbLitres)) {
        t.outcome = VentedBoxOutcome::BadVolume;
        return t;
    }
    int first = 0, last = 0;
    if (!analysisRange(raw, band, &first, &last))
        return t; // NoData
    std::vector<Point> pts;
    for (int i = first; i <= last; ++i)
        if (raw.r[i] > 0 && raw.freq[i] > 0)
            pts.push_back({std::log(double(raw.freq[i])), raw.r[i],
                           raw.r[i] * std::cos(raw.theta[i] * M_PI / 180.0),
                           raw.r[i] * std::sin(raw.theta[i] * M_PI / 180.0), 0});

    if (pts.size() < 5)
        return t; // NoData: an edge of another band
    // Interior local maxima, the two highest taken as the box's twin peaks.
    std::vector<std::size_t> maxima;
    for (std::size_t i = 1; i + 1 < pts.size(); ++i)
        if (pts[i].mag > pts[i - 1].mag && pts[i].mag >= pts[i + 1].mag)
            maxima.push_back(i);
    t.outcome = VentedBoxOutcome::OnePeak;
    if (maxima.size() < 2)
        return t;
    std::partial_sort(maxima.begin(), maxima.begin() + 2, maxima.end(),
                      [&](std::size_t a, std::size_t b) { return pts[a].mag > pts[b].mag; });
    const std::size_t lo = std::min(maxima[0], maxima[1]);
    const std::size_t hi = std::max(maxima[0], maxima[1]);
    std::size_t m = lo + 1;
    for (std::size_t i = lo + 1; i < hi; ++i)
        if (pts[i].mag < pts[m].mag)
            m = i;
    // A ripple on one peak is no second peak: the dip must be clear of the lower one.
    if (m == lo + 1 && m + 1 == hi)
        return t;
    if (pts[m].mag > 0.9 * std::min(pts[lo].mag, pts[hi].mag))
        return t;

    double re = pts[0].mag;
    for (const Point &p : pts)
        re = std::min(re, p.mag);
    t.fLHz = vertexHz(pts[lo - 1], pts[lo], pts[lo + 1], true, re);
    t.fMHz = dipHz(pts, m, re);
    t.fHHz = vertexHz(pts[hi - 1], pts[hi], pts[hi + 1], true, re);
    t.fbHz = t.fMHz;
    t.fsHz = t.fLHz * t.fHHz / t.fMHz;
    t.alpha = ventedBoxAlpha(t.fLHz, t.fMHz, t.fHHz);
    t.vasLitres = t.alpha * vbLitres;
    t.outcome = VentedBoxOutcome::Ok;
    return t;
}
