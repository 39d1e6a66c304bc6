#include "core/analysis/design/Compensation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

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
        const Complex zn = network(p.freqHz);
        const Complex total = p.z * zn / (p.z + zn);
        mags.push_back(std::abs(total));
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

// Nelder-Mead on log values: two parameters, a fixed number of steps, so the result is the
// same on every run.
std::array<double, 2> refine(const std::function<double(double, double)> &cost,
                             std::array<double, 2> start, double step)
{
    std::array<std::array<double, 2>, 3> s = {start,
                                              std::array<double, 2>{start[0] + step, start[1]},
                                              std::array<double, 2>{start[0], start[1] + step}};
    std::array<double, 3> f;
    for (int i = 0; i < 3; ++i)
        f[std::size_t(i)] = cost(s[std::size_t(i)][0], s[std::size_t(i)][1]);
    for (int iter = 0; iter < 400; ++iter) {
        std::array<int, 3> o = {0, 1, 2};
        std::sort(o.begin(), o.end(),
                  [&](int a, int b) { return f[std::size_t(a)] < f[std::size_t(b)]; });
        const auto best = s[std::size_t(o[0])], mid = s[std::size_t(o[1])];
        const auto worst = s[std::size_t(o[2])];
        const double fb = f[std::size_t(o[0])], fm = f[std::size_t(o[1])];
        const double fw = f[std::size_t(o[2])];
        const std::array<double, 2> c = {(best[0] + mid[0]) / 2, (best[1] + mid[1]) / 2};
        auto at = [&](double t) {
            return std::array<double, 2>{c[0] + t * (worst[0] - c[0]),
                                         c[1] + t * (worst[1] - c[1])};
        };
        const auto r = at(-1.0);
        const double fr = cost(r[0], r[1]);
        std::array<double, 2> next = worst;
        double fn = fw;
        if (fr < fb) {
            const auto e = at(-2.0);
            const double fe = cost(e[0], e[1]);
            next = fe < fr ? e : r;
            fn = std::min(fe, fr);
        } else if (fr < fm) {
            next = r;
            fn = fr;
        } else {
            const auto k = at(fr < fw ? -0.5 : 0.5);
            const double fk = cost(k[0], k[1]);
            if (fk < std::min(fr, fw)) {
                next = k;
                fn = fk;
            } else {
                // Shrink toward the best point.
                for (const int i : {o[1], o[2]}) {
                    auto &p = s[std::size_t(i)];
                    p = {best[0] + (p[0] - best[0]) / 2, best[1] + (p[1] - best[1]) / 2};
                    f[std::size_t(i)] = cost(p[0], p[1]);
                }
                continue;
            }
        }
        s[std::size_t(o[2])] = next;
        f[std::size_t(o[2])] = fn;
    }
    const auto bestIt = std::min_element(f.begin(), f.end());
    return s[std::size_t(bestIt - f.begin())];
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

ZobelDesign designZobel(const CurveBlock &raw, double fromHz, double toHz, ESeries series)
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

    auto cost = [&](double logR, double logC) {
        return zobelFlatnessPct(points, std::exp(logR), std::exp(logC));
    };
    // A coarse log grid, then the refinement from its best cell.
    constexpr int kGrid = 40;
    const double r0 = std::log(0.5 * re), r1 = std::log(3.0 * re);
    const double c0 = std::log(0.1e-6), c1 = std::log(1000e-6);
    std::array<double, 2> best = {r0, c0};
    double bestCost = std::numeric_limits<double>::infinity();
    for (int i = 0; i <= kGrid; ++i)
        for (int j = 0; j <= kGrid; ++j) {
            const double lr = r0 + (r1 - r0) * i / kGrid, lc = c0 + (c1 - c0) * j / kGrid;
            const double c = cost(lr, lc);
            if (c < bestCost) {
                bestCost = c;
                best = {lr, lc};
            }
        }
    best = refine(cost, best, (c1 - c0) / kGrid);
    d.fitted = {std::exp(best[0]), std::exp(best[1]) * 1e6, cost(best[0], best[1])};

    const double sr = snapToSeries(d.fitted.rOhm, series);
    const double sc = snapToSeries(d.fitted.cUf, series);
    d.snapped = {sr, sc, zobelFlatnessPct(points, sr, sc * 1e-6)};

    for (const double k : {1.0, 1.25}) {
        const double r = k * re, c = le / (r * r);
        d.classic.push_back(
            {k == 1.0 ? QStringLiteral("R=Re, C=Le/Re²") : QStringLiteral("R=1.25Re, C=Le/R²"),
             {r, c * 1e6, zobelFlatnessPct(points, r, c)}});
    }
    d.outcome = ZobelOutcome::Ok;
    return d;
}
