#include "core/analysis/RefinedResonance.h"

#include <cmath>

namespace {

// Where |Z| reaches level between grid points i and i+1, linear in |Z| over log f.
double crossing(const CurveBlock &raw, int i, double level)
{
    const double r0 = raw.r[i];
    const double r1 = raw.r[i + 1];
    const double l0 = std::log(double(raw.freq[i]));
    const double l1 = std::log(double(raw.freq[i + 1]));
    if (r0 == r1)
        return std::exp((l0 + l1) * 0.5);
    return std::exp(l0 + (level - r0) / (r1 - r0) * (l1 - l0));
}

} // namespace

bool parabolaPeak(const double f[3], const double y[3], double *fPeak, double *yPeak)
{
    const double x0 = std::log(f[0]);
    const double x1 = std::log(f[1]);
    const double x2 = std::log(f[2]);
    // Newton's divided differences: y = y0 + d1 (x - x0) + d2 (x - x0) (x - x1).
    const double d01 = (y[1] - y[0]) / (x1 - x0);
    const double d12 = (y[2] - y[1]) / (x2 - x1);
    const double d2 = (d12 - d01) / (x2 - x0);
    if (!(d2 < 0.0) || !std::isfinite(d2))
        return false;
    const double x = 0.5 * (x0 + x1 - d01 / d2);
    if (x < x0 || x > x2)
        return false;
    *fPeak = std::exp(x);
    *yPeak = y[0] + d01 * (x - x0) + d2 * (x - x0) * (x - x1);
    return true;
}

void refinedPeak(const CurveBlock &raw, int first, int last, int k, double *fs, double *zmax)
{
    *fs = raw.freq[k];
    *zmax = raw.r[k];
    if (k <= first || k >= last)
        return;
    const double f[3] = {raw.freq[k - 1], raw.freq[k], raw.freq[k + 1]};
    const double y[3] = {raw.r[k - 1], raw.r[k], raw.r[k + 1]};
    if (!(f[0] > 0.0 && f[0] < f[1] && f[1] < f[2]))
        return;
    double fp = 0.0;
    double yp = 0.0;
    if (parabolaPeak(f, y, &fp, &yp)) {
        *fs = fp;
        *zmax = yp;
    }
}

TsResult refinedTs(const CurveBlock &raw, int first, int last, int peak, double Re, RefinedTs *out)
{
    if (peak < first || peak > last)
        return TsResult::NoPeak;
    RefinedTs t;
    t.Re = Re;
    refinedPeak(raw, first, last, peak, &t.Fs, &t.Rmax);
    if (!std::isfinite(Re) || !(Re > 0.0) || !(Re < t.Rmax))
        return TsResult::BadRe;
    t.r0 = t.Rmax / Re;
    t.Rx = Re * std::sqrt(t.r0);
    int i = peak - 1;
    while (i >= first && !(raw.r[i] <= t.Rx && raw.r[i + 1] >= t.Rx))
        --i;
    if (i < first)
        return TsResult::NoF1;
    t.f1 = crossing(raw, i, t.Rx);
    i = peak;
    while (i < last && !(raw.r[i] >= t.Rx && raw.r[i + 1] <= t.Rx))
        ++i;
    if (i >= last)
        return TsResult::NoF2;
    t.f2 = crossing(raw, i, t.Rx);
    if (!(t.f2 > t.f1) || !std::isfinite(t.f1) || !std::isfinite(t.f2))
        return TsResult::BadF1F2;
    t.Qms = std::sqrt(t.r0) * t.Fs / (t.f2 - t.f1);
    t.Qes = t.Qms / (t.r0 - 1.0);
    t.Qts = t.Qms * t.Qes / (t.Qms + t.Qes);
    if (!(t.Qms > 0.0) || !(t.Qes > 0.0) || !std::isfinite(t.Qts))
        return TsResult::BadF1F2;
    *out = t;
    return TsResult::Ok;
}
