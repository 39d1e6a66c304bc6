#include "core/analysis/fit/FitStart.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

// A resonance stands at least this factor above the lowest |Z| on either side of it, and the
// phase falls across it by at least this much (a break-up ripple on the rising curve does not).
constexpr double kPeakProminence = 1.3;
constexpr double kPhaseFallDeg = 20.0;
// Smallest start values, so that every logarithm of a parameter stays finite.
constexpr double kMinInductance = 1e-6; // H
constexpr double kMinResistance = 1e-3; // ohm

double reactance(const FitPoint &pt, double re)
{
    const double rad = pt.deg * M_PI / 180.0;
    if (std::fabs(pt.deg) >= 0.1)
        return pt.ohm * std::sin(rad);
    return std::sqrt(std::max(pt.ohm * pt.ohm - re * re, 0.0));
}

} // namespace

int resonanceIndex(const std::vector<FitPoint> &pts)
{
    const bool phase = fitPointsHavePhase(pts);
    const int n = int(pts.size());
    int best = -1;
    for (int i = 1; i + 1 < n; ++i) {
        if (pts[i].ohm < pts[i - 1].ohm || pts[i].ohm < pts[i + 1].ohm)
            continue;
        if (best >= 0 && pts[i].ohm <= pts[best].ohm)
            continue;
        // The lowest point on each side, and the phase's fall across the hill between them.
        int left = i, right = i;
        for (int k = 0; k < i; ++k)
            if (pts[k].ohm < pts[left].ohm)
                left = k;
        for (int k = i + 1; k < n; ++k)
            if (pts[k].ohm < pts[right].ohm)
                right = k;
        double high = -180.0, low = 180.0;
        for (int k = left; k <= i; ++k)
            high = std::max(high, pts[k].deg);
        for (int k = i; k <= right; ++k)
            low = std::min(low, pts[k].deg);
        const bool stands = pts[i].ohm >= kPeakProminence * std::max(pts[left].ohm, pts[right].ohm);
        if (stands && (!phase || high - low >= kPhaseFallDeg))
            best = i;
    }
    return best;
}

namespace {

// Frequency between points i and i + 1 where |Z| passes level, on a logarithmic scale.
double crossing(const std::vector<FitPoint> &pts, int i, double level)
{
    const double a = pts[i].ohm, b = pts[i + 1].ohm;
    const double t = b != a ? (level - a) / (b - a) : 0.5;
    return pts[i].hz * std::pow(pts[i + 1].hz / pts[i].hz, t);
}

} // namespace

double startRe(const std::vector<FitPoint> &points)
{
    double re = points.front().ohm;
    for (const FitPoint &pt : points) {
        const double real = pt.ohm * std::cos(pt.deg * M_PI / 180.0);
        re = std::min(re, real);
    }
    return std::max(re, kMinResistance);
}

std::vector<double> classicStart(const std::vector<FitPoint> &pts, double re)
{
    const int peak = resonanceIndex(pts);
    const double fs = pts[peak].hz;
    const double r0 = pts[peak].ohm / re;
    const double rx = re * std::sqrt(r0);
    double f1 = 0, f2 = 0;
    for (int i = peak; i-- > 0;)
        if (pts[i].ohm <= rx) {
            f1 = crossing(pts, i, rx);
            break;
        }
    for (int i = peak; i + 1 < int(pts.size()); ++i)
        if (pts[i + 1].ohm <= rx) {
            f2 = crossing(pts, i, rx);
            break;
        }
    // A side cut off by the range mirrors the other about Fs (f1·f2 = Fs²).
    if (f1 <= 0 && f2 > 0)
        f1 = fs * fs / f2;
    if (f2 <= 0 && f1 > 0)
        f2 = fs * fs / f1;
    double qms = f2 > f1 && f1 > 0 ? std::sqrt(r0) * fs / (f2 - f1) : 5.0;
    qms = std::clamp(qms, 0.3, 100.0);
    const double qes = qms / (r0 - 1.0);
    const double ws = 2.0 * M_PI * fs;

    std::vector<double> p(fitParamCount(FitModel::Classic));
    p[PRe] = re;
    p[PRes] = re * qms / qes;
    p[PCmes] = qes / (ws * re);
    p[PLces] = 1.0 / (ws * ws * p[PCmes]);
    const FitPoint &top = pts.back();
    p[PLe] = top.hz > 2.0 * fs
                 ? std::max(reactance(top, re) / (2.0 * M_PI * top.hz), kMinInductance)
                 : kMinInductance;
    return p;
}

std::vector<double> lr2Start(const std::vector<double> &classic, double fromHz, double topHz,
                             int which)
{
    std::vector<double> p = classic;
    p.resize(fitParamCount(FitModel::Lr2));
    const double le = std::max(classic[PLe], 2.0 * kMinInductance);
    const double fs = fitDerived(FitModel::Classic, classic).Fs;
    // The branch's corner between Fs and the top of the range, at Fs, at the top, and at the
    // bottom (where the branch acts as a resistance beside Re).
    const double top = std::max(topHz, fs);
    const double corner[kLr2Starts] = {std::sqrt(fs * top), fs, top, fromHz};
    p[PLe] = le / 2.0;
    p[PL2] = le;
    p[PR2] = std::max(2.0 * M_PI * corner[which] * le, kMinResistance);
    return p;
}

std::vector<double> semiStart(const std::vector<double> &lr2, int which)
{
    struct Start {
        double keFactor; // |√(jω)·Ke| against R2 at the branch's corner
        double beta;
        double leShare; // of the whole inductance Le + L2 put in Le anew; 0: as LR-2 has it
    };
    // Weak and strong semi-inductance and creep on the LR-2 solution, and the same with the
    // inductance shared out again (LR-2 may have emptied Le, from which no step leads back).
    const Start starts[kSemiStarts] = {{100.0, 0.005, 0.0}, {4.0, 0.05, 0.0}, {4.0, 0.005, 0.0},
                                       {100.0, 0.05, 0.0},  {4.0, 0.05, 0.3}, {1.0, 0.1, 0.5}};
    const Start &st = starts[which];
    std::vector<double> p = lr2;
    p.resize(fitParamCount(FitModel::Semi));
    if (st.leShare > 0) {
        const double l = lr2[PLe] + lr2[PL2];
        p[PLe] = st.leShare * l;
        p[PL2] = (1.0 - st.leShare) * l;
    }
    const double corner = p[PR2] / p[PL2]; // rad/s
    // |√(jω)·Ke| equals R2 at the branch's corner for a factor 1.
    p[PKe] = st.keFactor * p[PR2] / std::sqrt(corner);
    p[PBeta] = st.beta;
    return p;
}
