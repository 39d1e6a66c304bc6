#include "CurveRanges.h"

#include <algorithm>

CurveRanges curveRanges(const CurveBlock &curve, int band)
{
    CurveRanges c;
    if (!isValidBand(band))
        return c;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        if (!(curve.r[i] >= 0.0f))
            continue;
        if (c.points == 0) {
            c.fMin = c.fMax = curve.freq[i];
            c.rMin = c.rMax = curve.r[i];
            c.thetaMin = c.thetaMax = curve.theta[i];
        } else {
            c.fMin = std::min(c.fMin, curve.freq[i]);
            c.fMax = std::max(c.fMax, curve.freq[i]);
            c.rMin = std::min(c.rMin, curve.r[i]);
            c.rMax = std::max(c.rMax, curve.r[i]);
            c.thetaMin = std::min(c.thetaMin, curve.theta[i]);
            c.thetaMax = std::max(c.thetaMax, curve.theta[i]);
        }
        ++c.points;
    }
    return c;
}
