#include "core/qc/QcUnitValues.h"

#include "core/analysis/PeakSearch.h"
#include "core/analysis/RefinedResonance.h"

#include <cmath>
#include <limits>
#include <memory>

QcUnitValues::QcUnitValues()
{
    for (double &p : parameters)
        p = std::numeric_limits<double>::quiet_NaN();
}

QcUnitValues measureQcUnit(const CurveBlock &raw, int band, double re)
{
    QcUnitValues v;
    v.band = band;
    if (!isValidBand(band))
        return v;
    v.complete = true;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
        v.complete = v.complete && raw.r[i] >= 0.0f;
    int first = 0;
    int last = 0;
    if (!analysisRange(raw, band, &first, &last))
        return v;
    auto smooth = std::make_unique<CurveBlock>();
    const PeakList peaks = searchBand(raw, *smooth, band);
    if (peaks.peakCount == 0)
        return v;
    v.peak = true;
    const int peak = peaks.peakIndex[0];
    RefinedTs ts;
    if (refinedTs(raw, first, last, peak, re, &ts) != TsResult::Ok)
        return v;
    v.resonance = true;
    double zmin = raw.r[peak];
    for (int i = peak; i <= last; ++i)
        if (raw.r[i] >= 0.0f)
            zmin = std::min(zmin, double(raw.r[i]));
    const double values[kQcParameterCount] = {ts.Fs, ts.Rmax, ts.Qms, ts.Qes, ts.Qts, zmin};
    std::copy(std::begin(values), std::end(values), v.parameters);
    return v;
}

namespace {
constexpr float kSteepPhaseDeg = 30.0f;
} // namespace

double estimateRe(const CurveBlock &raw, int band)
{
    if (!isValidBand(band))
        return 0.0;
    double best = 0.0;
    bool any = false;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        // Where the phase is steep its rounding to 0.1 degree alone moves R·cos θ by ohms.
        if (raw.r[i] < 0.0f || std::fabs(raw.theta[i]) > kSteepPhaseDeg)
            continue;
        const double real = double(raw.r[i]) * std::cos(double(raw.theta[i]) * M_PI / 180.0);
        best = any ? std::min(best, real) : real;
        any = true;
    }
    return any ? best : 0.0;
}
