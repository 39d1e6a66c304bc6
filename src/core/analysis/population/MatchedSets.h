#pragma once

#include <vector>

// Matched sets: the units split into sets of given sizes so that the worst in-set spread is
// smallest. A set's spread is the largest, over the chosen parameters, of
// weight · (max − min) / σ, σ being the parameter's sample standard deviation over all units;
// a parameter that does not vary (σ = 0) spreads no set.

enum class MatchProblem {
    None,
    NoUnits,
    NoParameters,       // no column, or a unit's row lacks one
    FewerUnitsThanSets, // more sets than units
    BadSize,            // a set of no unit
    SizesDoNotAdd,      // the sizes do not add up to the number of units
    NotFinite,          // a value or a weight is not a finite number
};

struct MatchInput {
    std::vector<std::vector<double>> values; // [unit][parameter]
    std::vector<double> weights;             // per parameter; empty: all 1
    std::vector<int> sizes;                  // one per set
    // The exact search starts from the heuristic's split as the one to beat; without it, from
    // none (slower, the search alone).
    bool seedExact = true;
};

// Up to this many units the search is exact.
constexpr int kExactMatchUnits = 16;

struct MatchResult {
    MatchProblem problem = MatchProblem::None;
    std::vector<std::vector<int>> sets; // unit indexes, ascending, in the order of sizes
    std::vector<double> spreads;        // per set
    double worstSpread = 0.0;
    // True when no split can do better. Above kExactMatchUnits the sets come from a heuristic
    // and lowerBound is what no split can go under: the worst spread found lies between.
    bool exact = true;
    double lowerBound = 0.0;
    bool ok() const { return problem == MatchProblem::None; }
};

// Sizes for k sets of n units when none are given: as equal as possible, the larger first.
std::vector<int> evenSizes(int units, int sets);

MatchProblem checkMatchInput(const MatchInput &in);

// Exact branch and bound up to kExactMatchUnits (units placed one by one into sets with room,
// a branch dropped as soon as a set's spread reaches the best split found so far, sets of equal
// size taken as interchangeable). Above that: the units dealt into the sets in the order of each
// parameter and of eight seeded shuffles, each split improved by swapping two units of different
// sets while that lowers the largest spread of the two (or keeps it and lowers the other); the
// split whose spreads, largest first, are lowest wins.
MatchResult matchSets(const MatchInput &in);

// The spread of one set of units under in's σ and weights.
double setSpread(const MatchInput &in, const std::vector<int> &units);
