#include "core/qc/spc/SpcChart.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A point's side of the centre (+1, -1, 0 on it) and how many σ beyond it it lies (0 to 3).
struct Zone {
    signed char side = 0;
    signed char level = 0;
};

// Whether at least `need` of the last `window` points up to i lie `level` σ or more beyond the
// centre on the side of point i, point i among them.
bool countBeyond(const std::vector<Zone> &z, std::size_t i, int window, int need, int level)
{
    if (z[i].level < level || i + 1 < std::size_t(window))
        return false;
    int count = 0;
    for (std::size_t j = i + 1 - window; j <= i; ++j)
        count += z[j].side == z[i].side && z[j].level >= level ? 1 : 0;
    return count >= need;
}

} // namespace

double ImrLimits::sigmaWithin() const
{
    return std::isfinite(mrBar) ? mrBar / SpcConstants::kD2 : kNaN;
}

ImrLimits imrLimits(double centre, double mrBar, long long n)
{
    ImrLimits l;
    l.n = n;
    l.centre = centre;
    l.mrBar = mrBar;
    l.upper = centre + SpcConstants::kE2 * mrBar;
    l.lower = centre - SpcConstants::kE2 * mrBar;
    l.mrUpper = SpcConstants::kD4 * mrBar;
    l.mrLower = SpcConstants::kD3 * mrBar;
    return l;
}

ImrLimits imrLimits(const std::vector<double> &values)
{
    if (values.empty())
        return imrLimits(kNaN, kNaN, 0);
    double sum = 0.0;
    double ranges = 0.0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        sum += values[i];
        if (i > 0)
            ranges += std::abs(values[i] - values[i - 1]);
    }
    const double n = double(values.size());
    return imrLimits(sum / n, values.size() > 1 ? ranges / (n - 1.0) : kNaN,
                     (long long)values.size());
}

std::vector<std::uint8_t> westernElectricFlags(const std::vector<double> &v, double centre,
                                               double sigma)
{
    std::vector<std::uint8_t> flags(v.size(), 0);
    if (!(sigma > 0.0) || !std::isfinite(centre))
        return flags;
    std::vector<Zone> z(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        const double d = v[i] - centre;
        z[i].side = d > 0.0 ? 1 : (d < 0.0 ? -1 : 0);
        const double k = std::abs(d) / sigma;
        z[i].level = k > 3.0 ? 3 : (k > 2.0 ? 2 : (k > 1.0 ? 1 : 0));
    }
    int run = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        std::uint8_t f = 0;
        if (z[i].level >= 3)
            f |= RuleBeyond3Sigma;
        if (countBeyond(z, i, 3, 2, 2))
            f |= Rule2Of3Beyond2;
        if (countBeyond(z, i, 5, 4, 1))
            f |= Rule4Of5Beyond1;
        run = z[i].side != 0 && i > 0 && z[i].side == z[i - 1].side ? run + 1
                                                                    : (z[i].side != 0 ? 1 : 0);
        if (run >= 8)
            f |= Rule8OneSide;
        flags[i] = f;
    }
    return flags;
}

Capability capability(double mean, double sigmaWithin, double sigmaOverall, double low, double high)
{
    const auto index = [&](double sigma) {
        if (!(sigma > 0.0) || !std::isfinite(sigma) || !std::isfinite(low) ||
            !std::isfinite(high) || !std::isfinite(mean))
            return kNaN;
        return std::min(high - mean, mean - low) / (3.0 * sigma);
    };
    return {index(sigmaWithin), index(sigmaOverall)};
}

double trendSlope(const std::vector<double> &values)
{
    double n = 0.0, sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i]))
            continue;
        const double x = double(i);
        n += 1.0;
        sx += x;
        sy += values[i];
        sxx += x * x;
        sxy += x * values[i];
    }
    const double d = n * sxx - sx * sx;
    return n >= 2.0 && d > 0.0 ? (n * sxy - sx * sy) / d : kNaN;
}

std::vector<ThinnedPoint> thinPoints(const std::vector<double> &values,
                                     const std::vector<std::uint8_t> &flags, int buckets)
{
    std::vector<ThinnedPoint> out;
    const std::size_t n = values.size();
    if (n == 0 || buckets <= 0)
        return out;
    const std::size_t count = std::min<std::size_t>(n, std::size_t(buckets));
    out.reserve(count);
    for (std::size_t b = 0; b < count; ++b) {
        const std::size_t from = b * n / count;
        const std::size_t to = (b + 1) * n / count;
        ThinnedPoint p;
        p.first = (long long)from;
        p.min = values[from];
        p.max = values[from];
        double sum = 0.0;
        for (std::size_t i = from; i < to; ++i) {
            p.min = std::min(p.min, values[i]);
            p.max = std::max(p.max, values[i]);
            sum += values[i];
            if (i < flags.size())
                p.rules |= flags[i];
        }
        p.mean = sum / double(to - from);
        out.push_back(p);
    }
    return out;
}
