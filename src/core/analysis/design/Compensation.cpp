#include "core/analysis/design/Compensation.h"

#include "core/analysis/MainResonance.h"
#include "core/analysis/ThieleSmall.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <utility>

namespace {

using Complex = std::complex<double>;

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double flatnessOf(const std::vector<NetworkPoint> &points,
                  const std::function<Complex(double)> &network)
{
    std::vector<double> mags;
    mags.reserve(points.size());
    double sum = 0.0;
    for (const NetworkPoint &p : points) {
        // |z·zn / (z + zn)| without the complex division, which dominates the fits' time.
        const Complex zn = network(p.freqHz);
        mags.push_back(std::sqrt(std::norm(p.z) * std::norm(zn) / std::norm(p.z + zn)));
        sum += mags.back();
    }
    if (mags.empty() || sum <= 0.0)
        return std::numeric_limits<double>::infinity();
    const double mean = sum / double(mags.size());
    double worst = 0.0;
    for (const double m : mags)
        worst = std::max(worst, std::abs(m - mean));
    return worst / mean * 100.0;
}

// Nelder-Mead on log values: a fixed number of steps, so the result is the same on every run.
using Vec = std::vector<double>;
Vec refine(const std::function<double(const Vec &)> &cost, const Vec &start, double step,
           int iterations = 600)
{
    const std::size_t n = start.size();
    std::vector<Vec> s(n + 1, start);
    for (std::size_t i = 0; i < n; ++i)
        s[i + 1][i] += step;
    std::vector<double> f(n + 1);
    for (std::size_t i = 0; i <= n; ++i)
        f[i] = cost(s[i]);
    std::vector<std::size_t> o(n + 1);
    for (int iter = 0; iter < iterations; ++iter) {
        for (std::size_t i = 0; i <= n; ++i)
            o[i] = i;
        std::sort(o.begin(), o.end(), [&](std::size_t a, std::size_t b) { return f[a] < f[b]; });
        const std::size_t w = o[n];
        Vec c(n, 0.0);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t k = 0; k < n; ++k)
                c[k] += s[o[i]][k] / double(n);
        auto at = [&](double t) {
            Vec v(n);
            for (std::size_t k = 0; k < n; ++k)
                v[k] = c[k] + t * (s[w][k] - c[k]);
            return v;
        };
        const Vec r = at(-1.0);
        const double fr = cost(r);
        if (fr < f[o[0]]) {
            const Vec e = at(-2.0);
            const double fe = cost(e);
            s[w] = fe < fr ? e : r;
            f[w] = std::min(fe, fr);
        } else if (fr < f[o[n - 1]]) {
            s[w] = r;
            f[w] = fr;
        } else {
            const Vec k = at(fr < f[w] ? -0.5 : 0.5);
            const double fk = cost(k);
            if (fk < std::min(fr, f[w])) {
                s[w] = k;
                f[w] = fk;
            } else {
                // Shrink toward the best point.
                for (std::size_t i = 1; i <= n; ++i) {
                    Vec &v = s[o[i]];
                    for (std::size_t k2 = 0; k2 < n; ++k2)
                        v[k2] = s[o[0]][k2] + (v[k2] - s[o[0]][k2]) / 2.0;
                    f[o[i]] = cost(v);
                }
            }
        }
    }
    return s[std::size_t(std::min_element(f.begin(), f.end()) - f.begin())];
}

constexpr std::array<double, 12> kE12 = {1.0, 1.2, 1.5, 1.8, 2.2, 2.7,
                                         3.3, 3.9, 4.7, 5.6, 6.8, 8.2};
constexpr std::array<double, 24> kE24 = {1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 1.8, 2.0,
                                         2.2, 2.4, 2.7, 3.0, 3.3, 3.6, 3.9, 4.3,
                                         4.7, 5.1, 5.6, 6.2, 6.8, 7.5, 8.2, 9.1};

} // namespace

std::vector<NetworkPoint> networkPoints(const CurveBlock &raw, double fromHz, double toHz)
{
    std::vector<NetworkPoint> points;
    for (int i = 0; i < kRecordSlots; ++i) {
        if (raw.r[i] < 0.0f || raw.freq[i] <= 0.0f || raw.freq[i] < fromHz || raw.freq[i] > toHz)
            continue;
        const double theta = double(raw.theta[i]) * std::numbers::pi / 180.0;
        points.push_back({double(raw.freq[i]), std::polar(double(raw.r[i]), theta)});
    }
    std::sort(points.begin(), points.end(),
              [](const NetworkPoint &a, const NetworkPoint &b) { return a.freqHz < b.freqHz; });
    return points;
}

double zobelFlatnessPct(const std::vector<NetworkPoint> &points, double rOhm, double cFarad)
{
    return flatnessOf(points,
                      [&](double f) { return Complex(rOhm, -1.0 / (kTwoPi * f * cFarad)); });
}

namespace {

// Two R-C pairs across the driver.
double twoPairFlatnessPct(const std::vector<NetworkPoint> &points, double r1, double c1, double r2,
                          double c2)
{
    return flatnessOf(points, [&](double f) {
        const double w = kTwoPi * f;
        const Complex z1(r1, -1.0 / (w * c1)), z2(r2, -1.0 / (w * c2)), sum = z1 + z2;
        return z1 * z2 * std::conj(sum) / std::norm(sum);
    });
}

// The second pair fitted with the first from a few starts: each a corner above the first
// pair's, where a lossy coil keeps rising after the first pair has levelled it. The single
// pair with an all but open second pair is one of them, so two pairs never read worse.
ZobelValues fitSecondPair(const std::vector<NetworkPoint> &points, const ZobelValues &first)
{
    const double r1 = std::log(first.rOhm), c1 = std::log(first.cUf * 1e-6);
    auto cost = [&](const Vec &v) {
        return twoPairFlatnessPct(points, std::exp(v[0]), std::exp(v[1]), std::exp(v[2]),
                                  std::exp(v[3]));
    };
    Vec best = {r1, c1, r1 + std::log(1e3), c1 - std::log(1e3)};
    double bestCost = cost(best);
    // Two starts of 300 steps each: more of either changed the flatness by hundredths.
    for (const auto &[rk, ck] : {std::pair{1.0, 0.1}, std::pair{3.0, 0.3}}) {
        const Vec v = refine(cost, {r1, c1, r1 + std::log(rk), c1 + std::log(ck)}, 0.5, 300);
        if (const double c = cost(v); c < bestCost) {
            bestCost = c;
            best = v;
        }
    }
    ZobelValues out;
    out.rOhm = std::exp(best[0]);
    out.cUf = std::exp(best[1]) * 1e6;
    out.r2Ohm = std::exp(best[2]);
    out.c2Uf = std::exp(best[3]) * 1e6;
    out.flatnessPct = bestCost;
    return out;
}

} // namespace

double snapToSeries(double v, ESeries series)
{
    if (series == ESeries::Exact || !(v > 0.0))
        return v;
    const double decade = std::pow(10.0, std::floor(std::log10(v)));
    double best = v, bestDistance = std::numeric_limits<double>::infinity();
    auto consider = [&](double m) {
        const double d = std::abs(std::log(v / m));
        if (d < bestDistance) {
            bestDistance = d;
            best = m;
        }
    };
    if (series == ESeries::E12)
        for (const double m : kE12)
            consider(m * decade);
    else
        for (const double m : kE24)
            consider(m * decade);
    consider(10.0 * decade);
    return best;
}

ZobelDesign designZobel(const CurveBlock &raw, double fromHz, double toHz, ESeries series,
                        bool secondPair)
{
    ZobelDesign d;
    if (!(fromHz > 0.0) || !(toHz > fromHz))
        return d;
    const std::vector<NetworkPoint> points = networkPoints(raw, fromHz, toHz);
    if (int(points.size()) < kMinZobelPoints) {
        d.outcome = ZobelOutcome::TooFewPoints;
        return d;
    }
    if (std::all_of(points.begin(), points.end(),
                    [](const NetworkPoint &p) { return p.z.imag() == 0.0; })) {
        d.outcome = ZobelOutcome::NoPhase;
        return d;
    }

    // Re: the lowest resistance at or below the band's bottom, where the coil's rise is small.
    double re = std::numeric_limits<double>::infinity();
    for (const NetworkPoint &p : networkPoints(raw, 0.0, fromHz))
        re = std::min(re, p.z.real());
    for (const NetworkPoint &p : points)
        re = std::min(re, p.z.real());
    // Le: the inductance the reactance shows over the band's top quarter.
    const std::size_t top = std::max<std::size_t>(3, points.size() / 4);
    double le = 0.0;
    for (std::size_t i = points.size() - top; i < points.size(); ++i)
        le += points[i].z.imag() / (kTwoPi * points[i].freqHz);
    le /= double(top);
    double minMag = std::numeric_limits<double>::infinity();
    for (const NetworkPoint &p : points)
        minMag = std::min(minMag, std::abs(p.z));
    // The coil's rise: the top reads at least 10 % above the band's lowest |Z|, inductively.
    if (!(re > 0.0) || !(le > 0.0) || std::abs(points.back().z) < 1.1 * minMag) {
        d.outcome = ZobelOutcome::NoCoilRise;
        return d;
    }
    d.reOhm = re;
    d.leMh = le * 1e3;

    auto cost = [&](const Vec &v) {
        return zobelFlatnessPct(points, std::exp(v[0]), std::exp(v[1]));
    };
    // A coarse log grid, then the refinement from its best cell.
    constexpr int kGrid = 40;
    const double r0 = std::log(0.5 * re), r1 = std::log(3.0 * re);
    const double c0 = std::log(0.1e-6), c1 = std::log(1000e-6);
    Vec best = {r0, c0};
    double bestCost = std::numeric_limits<double>::infinity();
    for (int i = 0; i <= kGrid; ++i)
        for (int j = 0; j <= kGrid; ++j) {
            const double lr = r0 + (r1 - r0) * i / kGrid, lc = c0 + (c1 - c0) * j / kGrid;
            const double c = cost({lr, lc});
            if (c < bestCost) {
                bestCost = c;
                best = {lr, lc};
            }
        }
    best = refine(cost, best, (c1 - c0) / kGrid);
    d.fitted = {std::exp(best[0]), std::exp(best[1]) * 1e6, cost(best)};

    const double sr = snapToSeries(d.fitted.rOhm, series);
    const double sc = snapToSeries(d.fitted.cUf, series);
    d.snapped = {sr, sc, zobelFlatnessPct(points, sr, sc * 1e-6)};
    if (secondPair) {
        d.fitted = fitSecondPair(points, d.fitted);
        ZobelValues &s = d.snapped;
        s.rOhm = snapToSeries(d.fitted.rOhm, series);
        s.cUf = snapToSeries(d.fitted.cUf, series);
        s.r2Ohm = snapToSeries(d.fitted.r2Ohm, series);
        s.c2Uf = snapToSeries(d.fitted.c2Uf, series);
        s.flatnessPct = twoPairFlatnessPct(points, s.rOhm, s.cUf * 1e-6, s.r2Ohm, s.c2Uf * 1e-6);
    }

    for (const double k : {1.0, 1.25}) {
        const double r = k * re, c = le / (r * r);
        d.classic.push_back(
            {k == 1.0 ? QStringLiteral("R=Re, C=Le/Re²") : QStringLiteral("R=1.25Re, C=Le/R²"),
             {r, c * 1e6, zobelFlatnessPct(points, r, c)}});
    }
    d.outcome = ZobelOutcome::Ok;
    return d;
}

NotchDesign designNotch(const CurveBlock &raw)
{
    NotchDesign d;
    int first = -1, last = -1;
    double re = std::numeric_limits<double>::infinity();
    bool phase = false;
    for (int i = 0; i < kRecordSlots; ++i) {
        if (raw.r[i] < 0.0f || raw.freq[i] <= 0.0f)
            continue;
        if (first < 0)
            first = i;
        last = i;
        re = std::min(re,
                      double(raw.r[i]) * std::cos(double(raw.theta[i]) * std::numbers::pi / 180.0));
        phase = phase || raw.theta[i] != 0.0f;
    }
    if (first < 0 || !phase) {
        d.outcome = NotchOutcome::NoPhase;
        return d;
    }
    const int peak = re > 0.0 ? mainResonance(raw, first, last, re) : -1;
    float f1 = 0.0f, f2 = 0.0f;
    const double rmax = peak >= 0 ? double(raw.r[peak]) : 0.0;
    const float rx = float(std::sqrt(re * rmax));
    if (peak < 0 || !findF1(raw, first, peak, rx, &f1) || !findF2(raw, last, peak, rx, &f2) ||
        !(f2 > f1)) {
        d.outcome = NotchOutcome::NoResonance;
        return d;
    }
    // The classic Thiele-Small values from the curve's -3 dB points around the peak.
    const double fs = raw.freq[peak], r0 = rmax / re;
    const double qms = fs * std::sqrt(r0) / double(f2 - f1), qes = qms / (r0 - 1.0);
    d.reOhm = re;
    d.fsHz = fs;
    d.qms = qms;
    d.qes = qes;
    d.fromHz = fs / 3.0;
    d.toHz = fs * 3.0;
    const std::vector<NetworkPoint> points = networkPoints(raw, d.fromHz, d.toHz);
    if (int(points.size()) < kMinZobelPoints) {
        d.outcome = NotchOutcome::NoResonance;
        return d;
    }
    auto flatness = [&](double r, double l, double c) {
        return flatnessOf(points, [&](double f) {
            const double w = kTwoPi * f;
            return Complex(r, w * l - 1.0 / (w * c));
        });
    };
    // The textbook values, then the fit to the curve from there.
    const double w0 = kTwoPi * fs;
    const Vec start = {std::log(re * (1.0 + qes / qms)), std::log(qes * re / w0),
                       std::log(1.0 / (w0 * re * qes))};
    // Each part within a factor of four of its textbook value: an R toward 0 would short the
    // driver and read perfectly flat.
    const double reach = std::log(4.0);
    const Vec best = refine(
        [&](const Vec &v) {
            for (std::size_t k = 0; k < v.size(); ++k)
                if (std::abs(v[k] - start[k]) > reach)
                    return std::numeric_limits<double>::infinity();
            return flatness(std::exp(v[0]), std::exp(v[1]), std::exp(v[2]));
        },
        start, 0.2);
    d.rOhm = std::exp(best[0]);
    d.lMh = std::exp(best[1]) * 1e3;
    d.cUf = std::exp(best[2]) * 1e6;
    d.flatnessPct = flatness(d.rOhm, d.lMh * 1e-3, d.cUf * 1e-6);
    d.textbookROhm = std::exp(start[0]);
    d.textbookLMh = std::exp(start[1]) * 1e3;
    d.textbookCUf = std::exp(start[2]) * 1e6;
    d.textbookFlatnessPct = flatness(d.textbookROhm, d.textbookLMh * 1e-3, d.textbookCUf * 1e-6);
    d.outcome = NotchOutcome::Ok;
    return d;
}
