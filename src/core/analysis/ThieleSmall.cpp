#include "core/analysis/ThieleSmall.h"

#include <cfloat>
#include <cmath>

namespace {

// Linear in R and in frequency between grid points i and i+1, in extended precision.
float interpolate(const CurveBlock &raw, int i, float Rx)
{
    const float *R = raw.r;
    const float *F = raw.freq;
    if (R[i] == R[i + 1])
        return float(((long double)F[i] + F[i + 1]) * 0.5L);
    return float((long double)F[i] + ((long double)Rx - R[i]) / ((long double)R[i + 1] - R[i]) *
                                         ((long double)F[i + 1] - F[i]));
}

bool isPositiveNumber(float v)
{
    return std::isfinite(v) && v > 0.0f;
}

} // namespace

bool isAcceptableRe(float Re, float Rmax)
{
    if (!std::isfinite(Re) || !std::isfinite(Rmax) || !(Re > 0.0f) || !(Re < Rmax))
        return false;
    const float r0 = float((long double)Rmax / Re);
    return std::isfinite(r0) && r0 > 1.0f;
}

bool parseReText(const QString &text, float *Re)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    // "nan", "inf" and values beyond the float range are not numbers the computation can use.
    if (!ok || !std::isfinite(value) || !std::isfinite(float(value)))
        return false;
    *Re = float(value);
    return true;
}

bool findF1(const CurveBlock &raw, int first, int peak, float Rx, float *f1)
{
    if (first < 0 || peak >= kRecordSlots)
        return false;
    for (int i = peak - 1; i >= first; --i) {
        if (raw.r[i] <= Rx && raw.r[i + 1] >= Rx) {
            *f1 = interpolate(raw, i, Rx);
            return true;
        }
    }
    return false;
}

bool findF2(const CurveBlock &raw, int last, int peak, float Rx, float *f2)
{
    if (peak < 0 || last >= kRecordSlots)
        return false;
    for (int i = peak; i <= last - 1; ++i) {
        if (raw.r[i] >= Rx && raw.r[i + 1] <= Rx) {
            *f2 = interpolate(raw, i, Rx);
            return true;
        }
    }
    return false;
}

TsResult computeTs(const CurveBlock &raw, int first, int last, const PeakList &peaks, float Re,
                   TsParameters &p)
{
    if (peaks.peakCount == 0 || peaks.Rmax == 0.0f)
        return TsResult::NoPeak;
    if (!isAcceptableRe(Re, peaks.Rmax))
        return TsResult::BadRe;

    // Each value is stored as a float before the next step reads it.
    p.Re = Re;
    p.Rmax = peaks.Rmax;
    p.Fs = peaks.Fs;
    p.r0 = float((long double)p.Rmax / p.Re);
    p.Rx = float((long double)std::sqrt(double(p.r0)) * p.Re);

    const int pk = peaks.peakIndex[0];
    float f1 = 0.0f;
    float f2 = 0.0f;
    if (!findF1(raw, first, pk, p.Rx, &f1))
        return TsResult::NoF1;
    if (!findF2(raw, last, pk, p.Rx, &f2))
        return TsResult::NoF2;
    if (f1 == f2)
        return TsResult::BadF1F2;

    const float Qms = float((long double)std::sqrt(double(p.r0)) * p.Fs / ((long double)f2 - f1));
    const float Qes = float((long double)Qms / ((long double)p.r0 - 1.0L));
    const float Qts = float((long double)Qms * Qes / ((long double)Qms + Qes));
    // Frequencies that do not rise with the grid index, or a zero resonance frequency, would
    // give a negative, infinite or undefined Q; such a result is not shown as a number.
    if (!isPositiveNumber(Qms) || !isPositiveNumber(Qes) || !isPositiveNumber(Qts) ||
        !std::isfinite(f1) || !std::isfinite(f2))
        return TsResult::BadF1F2;

    p.f1 = f1;
    p.f2 = f2;
    p.Qms = Qms;
    p.Qes = Qes;
    p.Qts = Qts;
    return TsResult::Ok;
}
