#include "core/analysis/population/PopulationStats.h"

#include "core/analysis/PeakSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

std::vector<double> finiteOnly(const std::vector<double> &values)
{
    std::vector<double> v;
    v.reserve(values.size());
    for (double x : values)
        if (std::isfinite(x))
            v.push_back(x);
    return v;
}

} // namespace

double sampleSigma(const std::vector<double> &values)
{
    if (values.size() < 2)
        return std::numeric_limits<double>::quiet_NaN();
    double sum = 0.0;
    for (double x : values)
        sum += x;
    const double mean = sum / double(values.size());
    double squares = 0.0;
    for (double x : values)
        squares += (x - mean) * (x - mean);
    return std::sqrt(squares / double(values.size() - 1));
}

ColumnSummary summarize(const std::vector<double> &values)
{
    const std::vector<double> v = finiteOnly(values);
    ColumnSummary s;
    s.n = int(v.size());
    if (v.empty())
        return s;
    double sum = 0.0;
    for (double x : v)
        sum += x;
    s.mean = sum / double(v.size());
    s.sigma = v.size() > 1 ? sampleSigma(v) : 0.0;
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    s.min = *lo;
    s.max = *hi;
    return s;
}

HistogramBins histogram(const std::vector<double> &values, int bins)
{
    const std::vector<double> v = finiteOnly(values);
    HistogramBins h;
    if (v.empty())
        return h;
    if (bins <= 0)
        bins = int(std::ceil(std::log2(double(v.size())))) + 1;
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    h.lo = *lo;
    h.hi = *hi;
    h.counts.assign(std::size_t(bins), 0);
    const double width = (h.hi - h.lo) / bins;
    for (double x : v) {
        int k = width > 0.0 ? int((x - h.lo) / width) : 0;
        k = std::clamp(k, 0, bins - 1);
        ++h.counts[std::size_t(k)];
    }
    return h;
}

Envelope computeEnvelope(const std::vector<EnvelopeCurve> &curves)
{
    Envelope e;
    e.first = 0;
    e.last = kRecordSlots - 1;
    for (std::size_t c = 0; c < curves.size(); ++c) {
        int first = 0;
        int last = 0;
        if (!analysisRange(*curves[c].raw, curves[c].band, &first, &last) ||
            std::max(first, e.first) > std::min(last, e.last)) {
            e.disjointCurve = int(c);
            return e;
        }
        e.first = std::max(first, e.first);
        e.last = std::min(last, e.last);
    }
    if (curves.empty())
        return e;
    std::vector<double> r(curves.size());
    std::vector<double> theta(curves.size());
    for (int i = e.first; i <= e.last; ++i) {
        double freq = 0.0;
        bool all = true;
        for (std::size_t c = 0; c < curves.size() && all; ++c) {
            const CurveBlock &b = *curves[c].raw;
            all = b.r[i] >= 0.0f;
            r[c] = b.r[i];
            theta[c] = b.theta[i];
            freq += b.freq[i];
        }
        if (!all)
            continue; // a slot some unit skipped
        e.points.push_back({i, freq / double(curves.size()), summarize(r), summarize(theta)});
    }
    return e;
}
