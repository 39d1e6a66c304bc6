#include "core/analysis/population/UnitValues.h"

#include "core/analysis/MainResonance.h"
#include "core/analysis/PeakSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

double estimateRe(const CurveBlock &raw, int band, bool hasPhase)
{
    int first = 0;
    int last = 0;
    if (!analysisRange(raw, band, &first, &last))
        return std::numeric_limits<double>::quiet_NaN();
    double lowest = std::numeric_limits<double>::infinity();
    for (int i = first; i <= last; ++i)
        if (raw.r[i] >= 0.0f) {
            const double resistive =
                hasPhase ? raw.r[i] * std::cos(raw.theta[i] * M_PI / 180.0) : raw.r[i];
            lowest = std::min(lowest, resistive);
        }
    return std::isfinite(lowest) ? lowest : std::numeric_limits<double>::quiet_NaN();
}

UnitValues computeUnitValues(const QString &file, const CurveBlock &raw, int band, double re,
                             bool reEstimated)
{
    UnitValues u;
    u.file = file;
    u.band = band;
    u.re = re;
    u.reEstimated = reEstimated;
    int first = 0;
    int last = 0;
    if (!analysisRange(raw, band, &first, &last))
        return u;
    const int peak = mainResonance(raw, first, last, re);
    if (peak < 0)
        return u;
    PeakList peaks;
    peaks.peakCount = 1;
    peaks.peakIndex[0] = peak;
    peaks.Rmax = raw.r[peak];
    peaks.Fs = raw.freq[peak];
    TsParameters p;
    u.result = computeTs(raw, first, last, peaks, float(re), p);
    if (u.result != TsResult::Ok)
        return u;
    u.fs = p.Fs;
    u.qms = p.Qms;
    u.qes = p.Qes;
    u.qts = p.Qts;
    u.zmax = p.Rmax;
    return u;
}
