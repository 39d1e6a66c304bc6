#include "core/graph/CurveCompare.h"

#include "core/model/BandTable.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

struct Polar {
    double r;
    double theta;
};

bool hasPoint(const CurveBlock &c, int i)
{
    return c.r[i] >= 0.0f && c.freq[i] > 0.0f;
}

// The reference at f: its own point when it sits there, else the two valid points around f.
std::optional<Polar> referenceAt(const CurveBlock &ref, int index, double f)
{
    if (hasPoint(ref, index) && double(ref.freq[index]) == f)
        return Polar{ref.r[index], ref.theta[index]};
    int below = -1;
    int above = -1;
    for (int i = 0; i < kRecordSlots; ++i) {
        if (!hasPoint(ref, i))
            continue;
        const double fi = ref.freq[i];
        if (fi == f)
            return Polar{ref.r[i], ref.theta[i]};
        if (fi < f && (below < 0 || fi > ref.freq[below]))
            below = i;
        if (fi > f && (above < 0 || fi < ref.freq[above]))
            above = i;
    }
    if (below < 0 || above < 0)
        return std::nullopt;
    const double t =
        std::log(f / ref.freq[below]) / std::log(double(ref.freq[above]) / ref.freq[below]);
    return Polar{ref.r[below] + t * (double(ref.r[above]) - ref.r[below]),
                 ref.theta[below] + t * (double(ref.theta[above]) - ref.theta[below])};
}

double wrapDegrees(double d)
{
    while (d > 180.0)
        d -= 360.0;
    while (d <= -180.0)
        d += 360.0;
    return d;
}

void keepLargest(double &largest, double value)
{
    if (std::isnan(largest) || std::fabs(value) > std::fabs(largest))
        largest = value;
}

} // namespace

CompareResult compareCurves(const CurveBlock &measured, const CurveBlock &reference, int band)
{
    CompareResult result;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    result.maxDiffOhm = result.maxDiffPct = result.maxDiffAtHz = nan;
    result.maxRatioDb = result.maxPhaseDiffDeg = nan;
    if (!isValidBand(band))
        return result;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        if (!hasPoint(measured, i))
            continue;
        const double f = measured.freq[i];
        const std::optional<Polar> ref = referenceAt(reference, i, f);
        // A |Z| of 0 on either side has no ratio.
        if (!ref || ref->r <= 0.0 || measured.r[i] <= 0.0f) {
            ++result.uncompared;
            continue;
        }
        ComparePoint p;
        p.index = i;
        p.fHz = f;
        p.diffOhm = double(measured.r[i]) - ref->r;
        p.diffPct = 100.0 * p.diffOhm / ref->r;
        p.ratioDb = 20.0 * std::log10(double(measured.r[i]) / ref->r);
        p.phaseDiffDeg = wrapDegrees(double(measured.theta[i]) - ref->theta);
        if (std::isnan(result.maxDiffOhm) || std::fabs(p.diffOhm) > std::fabs(result.maxDiffOhm)) {
            result.maxDiffOhm = p.diffOhm;
            result.maxDiffAtHz = f;
        }
        keepLargest(result.maxDiffPct, p.diffPct);
        keepLargest(result.maxRatioDb, p.ratioDb);
        keepLargest(result.maxPhaseDiffDeg, p.phaseDiffDeg);
        result.points.append(p);
    }
    return result;
}
