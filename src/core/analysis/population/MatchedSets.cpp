#include "core/analysis/population/MatchedSets.h"

#include "core/analysis/population/PopulationStats.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>

namespace {

// Values divided by σ and times the weight, so that a set's spread is its widest column.
struct Scaled {
    int units = 0;
    int params = 0;
    std::vector<double> v; // [unit * params + p]
    double at(int u, int p) const { return v[std::size_t(u * params + p)]; }
};

Scaled scale(const MatchInput &in)
{
    Scaled s;
    s.units = int(in.values.size());
    s.params = int(in.values.front().size());
    s.v.assign(std::size_t(s.units * s.params), 0.0);
    for (int p = 0; p < s.params; ++p) {
        std::vector<double> column;
        for (const auto &row : in.values)
            column.push_back(row[std::size_t(p)]);
        const double sigma = sampleSigma(column);
        const double weight = in.weights.empty() ? 1.0 : in.weights[std::size_t(p)];
        const double factor = std::isfinite(sigma) && sigma > 0.0 ? weight / sigma : 0.0;
        for (int u = 0; u < s.units; ++u)
            s.v[std::size_t(u * s.params + p)] = column[std::size_t(u)] * factor;
    }
    return s;
}

double spreadOf(const Scaled &s, const std::vector<int> &units)
{
    double worst = 0.0;
    for (int p = 0; p < s.params; ++p) {
        double lo = 0.0;
        double hi = 0.0;
        for (std::size_t i = 0; i < units.size(); ++i) {
            const double x = s.at(units[i], p);
            lo = i == 0 ? x : std::min(lo, x);
            hi = i == 0 ? x : std::max(hi, x);
        }
        worst = std::max(worst, hi - lo);
    }
    return worst;
}

void finish(const Scaled &s, MatchResult &r)
{
    r.spreads.clear();
    r.worstSpread = 0.0;
    for (auto &set : r.sets) {
        std::sort(set.begin(), set.end());
        r.spreads.push_back(spreadOf(s, set));
        r.worstSpread = std::max(r.worstSpread, r.spreads.back());
    }
}

// What no split can go under: a set of m units spans at least the narrowest m consecutive
// values of each column, and each unit's set reaches at least its (m - 1)-th nearest other unit
// (the distance being the widest column), m the smallest size.
double lowerBoundOf(const Scaled &s, const std::vector<int> &sizes)
{
    double bound = 0.0;
    const int smallest = *std::min_element(sizes.begin(), sizes.end());
    if (smallest > 1) {
        std::vector<double> distances;
        for (int u = 0; u < s.units; ++u) {
            distances.clear();
            for (int v = 0; v < s.units; ++v) {
                if (v == u)
                    continue;
                double d = 0.0;
                for (int p = 0; p < s.params; ++p)
                    d = std::max(d, std::abs(s.at(u, p) - s.at(v, p)));
                distances.push_back(d);
            }
            std::nth_element(distances.begin(), distances.begin() + (smallest - 2),
                             distances.end());
            bound = std::max(bound, distances[std::size_t(smallest - 2)]);
        }
    }
    for (int p = 0; p < s.params; ++p) {
        std::vector<double> column;
        for (int u = 0; u < s.units; ++u)
            column.push_back(s.at(u, p));
        std::sort(column.begin(), column.end());
        for (int m : sizes) {
            double narrowest = column.back() - column.front();
            for (int i = 0; i + m - 1 < s.units; ++i)
                narrowest =
                    std::min(narrowest, column[std::size_t(i + m - 1)] - column[std::size_t(i)]);
            bound = std::max(bound, narrowest);
        }
    }
    return bound;
}

// The splits' order: the largest spread first, then the next. A swap changes two sets, and
// the sorted spreads of the whole split fall exactly when that pair's do.
bool pairLower(double newA, double newB, double oldA, double oldB)
{
    constexpr double eps = 1e-12;
    const double newHi = std::max(newA, newB);
    const double oldHi = std::max(oldA, oldB);
    if (newHi < oldHi - eps)
        return true;
    return newHi <= oldHi + eps && std::min(newA, newB) < std::min(oldA, oldB) - eps;
}

// Swaps of two units of different sets while one lowers the sorted spreads.
void improveBySwaps(const Scaled &s, std::vector<std::vector<int>> &sets)
{
    std::vector<double> spreads;
    for (const auto &set : sets)
        spreads.push_back(spreadOf(s, set));
    for (bool improved = true; improved;) {
        improved = false;
        for (std::size_t a = 0; a < sets.size(); ++a)
            for (std::size_t b = a + 1; b < sets.size(); ++b)
                for (std::size_t i = 0; i < sets[a].size(); ++i)
                    for (std::size_t j = 0; j < sets[b].size(); ++j) {
                        std::swap(sets[a][i], sets[b][j]);
                        const double newA = spreadOf(s, sets[a]);
                        const double newB = spreadOf(s, sets[b]);
                        if (pairLower(newA, newB, spreads[a], spreads[b])) {
                            spreads[a] = newA;
                            spreads[b] = newB;
                            improved = true;
                        } else {
                            std::swap(sets[a][i], sets[b][j]);
                        }
                    }
    }
}

std::vector<double> sortedSpreads(const Scaled &s, const std::vector<std::vector<int>> &sets)
{
    std::vector<double> spreads;
    for (const auto &set : sets)
        spreads.push_back(spreadOf(s, set));
    std::sort(spreads.rbegin(), spreads.rend());
    return spreads;
}

// Units dealt into the sets in the order given.
std::vector<std::vector<int>> deal(const std::vector<int> &order, const std::vector<int> &sizes)
{
    std::vector<std::vector<int>> sets;
    std::size_t next = 0;
    for (int m : sizes) {
        sets.emplace_back(order.begin() + std::ptrdiff_t(next),
                          order.begin() + std::ptrdiff_t(next + std::size_t(m)));
        next += std::size_t(m);
    }
    return sets;
}

constexpr int kShuffledStarts = 8;

// Dealt in the order of each column and in a few seeded shuffles, each improved by swaps; the
// split with the lowest sorted spreads wins.
std::vector<std::vector<int>> heuristic(const Scaled &s, const std::vector<int> &sizes)
{
    std::vector<int> order(std::size_t(s.units));
    std::iota(order.begin(), order.end(), 0);
    std::vector<std::vector<int>> starts;
    for (int p = 0; p < s.params; ++p) {
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return s.at(a, p) < s.at(b, p); });
        starts.push_back(order);
    }
    std::mt19937 gen(1);
    for (int k = 0; k < kShuffledStarts; ++k) {
        std::shuffle(order.begin(), order.end(), gen);
        starts.push_back(order);
    }
    std::vector<std::vector<int>> best;
    std::vector<double> bestSpreads;
    for (const auto &start : starts) {
        auto sets = deal(start, sizes);
        improveBySwaps(s, sets);
        auto spreads = sortedSpreads(s, sets);
        if (best.empty() || spreads < bestSpreads) {
            best = std::move(sets);
            bestSpreads = std::move(spreads);
        }
    }
    return best;
}

// Branch and bound: each set keeps its running min and max per column.
class ExactSearch
{
public:
    ExactSearch(const Scaled &s, const std::vector<int> &sizes, double bound,
                std::vector<std::vector<int>> start)
        : m_s(s), m_sizes(sizes), m_best(bound), m_bestSets(std::move(start)),
          m_lo(sizes.size() * std::size_t(s.params)), m_hi(m_lo.size()), m_sets(sizes.size())
    {
        // Units taken in the order of the first column keep sets narrow early.
        m_order.resize(std::size_t(s.units));
        std::iota(m_order.begin(), m_order.end(), 0);
        std::stable_sort(m_order.begin(), m_order.end(),
                         [&](int a, int b) { return s.at(a, 0) < s.at(b, 0); });
        // A set of a size already seen before it may be opened only after that one.
        for (std::size_t k = 0; k < sizes.size(); ++k) {
            int before = -1;
            for (std::size_t j = 0; j < k; ++j)
                if (sizes[j] == sizes[k])
                    before = int(j);
            m_twin.push_back(before);
        }
    }

    std::vector<std::vector<int>> run()
    {
        place(0, 0.0);
        return m_bestSets;
    }

private:
    void place(int i, double worst)
    {
        if (i == m_s.units) {
            m_best = worst;
            m_bestSets = m_sets;
            return;
        }
        const int u = m_order[std::size_t(i)];
        const std::size_t P = std::size_t(m_s.params);
        // Units come in rising order of the first column: a set still short of units will
        // reach at least this unit's value in it.
        const double next = m_s.at(u, 0);
        for (std::size_t k = 0; k < m_sets.size(); ++k)
            if (!m_sets[k].empty() && int(m_sets[k].size()) < m_sizes[k] &&
                next - m_lo[k * P] >= m_best)
                return;
        for (std::size_t k = 0; k < m_sets.size(); ++k) {
            auto &set = m_sets[k];
            if (int(set.size()) == m_sizes[k])
                continue;
            if (set.empty() && m_twin[k] >= 0 && m_sets[std::size_t(m_twin[k])].empty())
                continue;
            double spread = 0.0;
            std::vector<double> savedLo(m_lo.begin() + std::ptrdiff_t(k * P),
                                        m_lo.begin() + std::ptrdiff_t((k + 1) * P));
            std::vector<double> savedHi(m_hi.begin() + std::ptrdiff_t(k * P),
                                        m_hi.begin() + std::ptrdiff_t((k + 1) * P));
            for (std::size_t p = 0; p < P; ++p) {
                const double x = m_s.at(u, int(p));
                double &lo = m_lo[k * P + p];
                double &hi = m_hi[k * P + p];
                if (set.empty()) {
                    lo = x;
                    hi = x;
                } else {
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
                spread = std::max(spread, hi - lo);
            }
            if (std::max(worst, spread) < m_best) {
                set.push_back(u);
                place(i + 1, std::max(worst, spread));
                set.pop_back();
            }
            std::copy(savedLo.begin(), savedLo.end(), m_lo.begin() + std::ptrdiff_t(k * P));
            std::copy(savedHi.begin(), savedHi.end(), m_hi.begin() + std::ptrdiff_t(k * P));
        }
    }

    const Scaled &m_s;
    const std::vector<int> &m_sizes;
    double m_best;
    std::vector<std::vector<int>> m_bestSets;
    std::vector<double> m_lo;
    std::vector<double> m_hi;
    std::vector<std::vector<int>> m_sets;
    std::vector<int> m_order;
    std::vector<int> m_twin;
};

} // namespace

std::vector<int> evenSizes(int units, int sets)
{
    std::vector<int> sizes;
    for (int k = 0; k < sets; ++k)
        sizes.push_back(units / sets + (k < units % sets ? 1 : 0));
    return sizes;
}

MatchProblem checkMatchInput(const MatchInput &in)
{
    if (in.values.empty())
        return MatchProblem::NoUnits;
    const std::size_t params = in.values.front().size();
    if (params == 0 || (!in.weights.empty() && in.weights.size() != params))
        return MatchProblem::NoParameters;
    for (const auto &row : in.values) {
        if (row.size() != params)
            return MatchProblem::NoParameters;
        for (double x : row)
            if (!std::isfinite(x))
                return MatchProblem::NotFinite;
    }
    for (double w : in.weights)
        if (!std::isfinite(w) || w < 0.0)
            return MatchProblem::NotFinite;
    if (in.sizes.empty() || in.sizes.size() > in.values.size())
        return MatchProblem::FewerUnitsThanSets;
    int total = 0;
    for (int m : in.sizes) {
        if (m <= 0)
            return MatchProblem::BadSize;
        total += m;
    }
    return total == int(in.values.size()) ? MatchProblem::None : MatchProblem::SizesDoNotAdd;
}

double setSpread(const MatchInput &in, const std::vector<int> &units)
{
    return spreadOf(scale(in), units);
}

MatchResult matchSets(const MatchInput &in)
{
    MatchResult r;
    r.problem = checkMatchInput(in);
    if (!r.ok())
        return r;
    const Scaled s = scale(in);
    r.sets = heuristic(s, in.sizes);
    finish(s, r);
    if (s.units <= kExactMatchUnits) {
        // The heuristic's split is the one to beat.
        if (in.seedExact)
            r.sets = ExactSearch(s, in.sizes, r.worstSpread, r.sets).run();
        else
            r.sets = ExactSearch(s, in.sizes, std::numeric_limits<double>::infinity(), {}).run();
        finish(s, r);
        r.exact = true;
        r.lowerBound = r.worstSpread;
    } else {
        r.exact = false;
        r.lowerBound = lowerBoundOf(s, in.sizes);
    }
    return r;
}
