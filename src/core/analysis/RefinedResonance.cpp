#include "core/analysis/RefinedResonance.h"

#include "core/analysis/MainResonance.h"

#include <algorithm>
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

constexpr int kLorentzHalfWidth = 3; // points either side of the peak
constexpr int kLorentzLeastPoints = 5;

// Solves the 3x3 system m·x = v by Cramer's rule; false when it is singular.
bool solve3(const double m[3][3], const double v[3], double x[3])
{
    auto det = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(m);
    if (d == 0.0 || !std::isfinite(d))
        return false;
    for (int col = 0; col < 3; ++col) {
        double t[3][3];
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                t[r][c] = c == col ? v[r] : m[r][c];
        x[col] = det(t) / d;
    }
    return true;
}

} // namespace

bool lorentzianTs(const CurveBlock &raw, int first, int last, int k, double Re, RefinedTs *out)
{
    if (!(Re > 0.0) || k < first || k > last)
        return false;
    const int from = std::max(first, k - kLorentzHalfWidth);
    const int to = std::min(last, k + kLorentzHalfWidth);
    if (to - from + 1 < kLorentzLeastPoints)
        return false;
    // 1/u = a + b·x² + c/x², x = f / f(k): each row scaled by u, so that the residual is the
    // relative error of u = |Z|² - Re².
    const double fk = raw.freq[k];
    double m[3][3] = {};
    double v[3] = {};
    for (int i = from; i <= to; ++i) {
        const double x = raw.freq[i] / fk;
        const double u = double(raw.r[i]) * raw.r[i] - Re * Re;
        if (!(u > 0.0) || !(x > 0.0))
            return false;
        const double row[3] = {u, u * x * x, u / (x * x)};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                m[r][c] += row[r] * row[c];
            v[r] += row[r];
        }
    }
    double abc[3];
    if (!solve3(m, v, abc) || !(abc[1] > 0.0) || !(abc[2] > 0.0))
        return false;
    const double s = std::sqrt(abc[1] * abc[2]); // Q² / K
    const double inverseK = abc[0] + 2.0 * s;
    if (!(inverseK > 0.0))
        return false;
    RefinedTs t;
    t.Re = Re;
    t.Fs = fk * std::pow(abc[2] / abc[1], 0.25);
    const double K = 1.0 / inverseK;
    const double res = std::sqrt(Re * Re + K) - Re;
    t.Qms = std::sqrt(s * K);
    t.Rmax = Re + res;
    t.r0 = t.Rmax / Re;
    t.Rx = Re * std::sqrt(t.r0);
    // |Z| = Rx where Q·(f/Fs - Fs/f) = ±√r0.
    const double sigma = std::sqrt(t.r0) / t.Qms;
    const double root = std::sqrt(sigma * sigma / 4.0 + 1.0);
    t.f1 = t.Fs * (root - sigma / 2.0);
    t.f2 = t.Fs * (root + sigma / 2.0);
    t.Qes = t.Qms / (t.r0 - 1.0);
    t.Qts = t.Qms * t.Qes / (t.Qms + t.Qes);
    t.gridStep = gridStepAt(raw, first, last, k);
    t.lorentzPoints = to - from + 1;
    if (!(t.Fs >= raw.freq[from] && t.Fs <= raw.freq[to]) || !std::isfinite(t.Qts) ||
        !(t.Qes > 0.0))
        return false;
    *out = t;
    return true;
}

double peakFrequencySigma(const CurveBlock &raw, int first, int last, int k)
{
    constexpr int kNoiseSpan = 20; // points either side whose scatter is measured
    // Var(Δ⁴ ln r) = 70 σ² for white relative noise, while a smooth resonance adds almost
    // nothing. A meter's noise is relative: at the peak it is σ·r.
    double sum = 0.0;
    int count = 0;
    const auto lr = [&raw](int i) { return std::log(std::max(double(raw.r[i]), 1e-6)); };
    for (int i = std::max(first, k - kNoiseSpan); i + 4 <= std::min(last, k + kNoiseSpan); ++i) {
        const double d4 = lr(i) - 4.0 * lr(i + 1) + 6.0 * lr(i + 2) - 4.0 * lr(i + 3) + lr(i + 4);
        sum += d4 * d4;
        ++count;
    }
    if (count == 0 || k <= first || k >= last)
        return 0.0;
    const double noise = std::sqrt(sum / count / 70.0) * raw.r[k];
    // y = y0 + b x + c x² through k-1, k, k+1 on x = ln f, step h: the vertex -b / 2c moves by
    // δb / 2c, with σ(b) = σ / (√2 h). The curvature c from the least-squares parabola
    // through the seven points around k, which noise moves far less than three points.
    const double h = 0.5 * std::log(double(raw.freq[k + 1]) / double(raw.freq[k - 1]));
    double m[3][3] = {};
    double v[3] = {};
    for (int i = std::max(first, k - kLorentzHalfWidth); i <= std::min(last, k + kLorentzHalfWidth);
         ++i) {
        const double x = std::log(double(raw.freq[i]) / double(raw.freq[k]));
        const double row[3] = {1.0, x, x * x};
        for (int a = 0; a < 3; ++a) {
            for (int b = 0; b < 3; ++b)
                m[a][b] += row[a] * row[b];
            v[a] += row[a] * raw.r[i];
        }
    }
    double abc[3];
    if (!(h > 0.0) || !solve3(m, v, abc) || !(abc[2] < 0.0))
        return 0.0;
    const double c = abc[2];
    return noise / (std::sqrt(2.0) * h) / (2.0 * -c);
}

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
    t.gridStep = gridStepAt(raw, first, last, peak);
    *out = t;
    return TsResult::Ok;
}

TsResult traceableTs(const CurveBlock &raw, int first, int last, int peak, double Re,
                     RefinedTs *out)
{
    RefinedTs t;
    const TsResult result = refinedTs(raw, first, last, peak, Re, &t);
    if (result != TsResult::Ok)
        return result;
    if (isTooSharpForGrid(t.Qms, t.gridStep))
        lorentzianTs(raw, first, last, peak, Re, &t); // else the parabola's values stay
    *out = t;
    return TsResult::Ok;
}
