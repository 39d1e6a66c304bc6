#include "core/analysis/fit/FitPoints.h"

#include "core/model/BandTable.h"

#include <cmath>

namespace {

// Below one step of the unit's phase reading (0.1 deg) a phase is taken as absent.
constexpr double kNoPhaseDeg = 0.1;

} // namespace

std::vector<FitPoint> fitPoints(const CurveBlock &curve, int band, double fromHz, double toHz)
{
    std::vector<FitPoint> points;
    if (!isValidBand(band))
        return points;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const double hz = curve.freq[i];
        const double ohm = curve.r[i];
        if (!(ohm > 0.0) || !(hz > 0.0) || !std::isfinite(hz) || !std::isfinite(ohm) ||
            !std::isfinite(curve.theta[i]))
            continue;
        if ((fromHz > 0.0 && hz < fromHz) || (toHz > 0.0 && hz > toHz))
            continue;
        points.push_back({hz, ohm, curve.theta[i]});
    }
    return points;
}

bool fitPointsHavePhase(const std::vector<FitPoint> &points)
{
    for (const FitPoint &p : points)
        if (std::fabs(p.deg) >= kNoPhaseDeg)
            return true;
    return false;
}
