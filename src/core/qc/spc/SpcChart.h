#pragma once

#include <cstdint>
#include <vector>

// Individuals and moving-range (I-MR) charts, the Western Electric rules and capability.
// The moving range is that of two consecutive units, so the textbook constants are those of
// subgroups of two.
namespace SpcConstants {
constexpr double kE2 = 2.66;  // individuals limits: centre ± E2 · mean moving range
constexpr double kD3 = 0.0;   // moving-range lower limit: D3 · mean moving range
constexpr double kD4 = 3.267; // moving-range upper limit: D4 · mean moving range
constexpr double kD2 = 1.128; // σ within = mean moving range / d2
} // namespace SpcConstants

struct ImrLimits {
    long long n = 0;
    double centre = 0.0;        // mean of the values
    double mrBar = 0.0;         // mean moving range; NaN below two values
    double upper = 0.0;         // centre + E2 · MR̄
    double lower = 0.0;         // centre - E2 · MR̄
    double mrUpper = 0.0;       // D4 · MR̄
    double mrLower = 0.0;       // D3 · MR̄
    double sigmaWithin() const; // MR̄ / d2
};

ImrLimits imrLimits(double centre, double mrBar, long long n);
// From the values in their order; non-finite values must be left out before.
ImrLimits imrLimits(const std::vector<double> &values);

// The four classic rules, as bits of one flag per point; a point is flagged when it completes
// the pattern.
enum SpcRule : std::uint8_t {
    RuleBeyond3Sigma = 1, // one point beyond 3σ
    Rule2Of3Beyond2 = 2,  // two of three in a row beyond 2σ, on the same side
    Rule4Of5Beyond1 = 4,  // four of five in a row beyond 1σ, on the same side
    Rule8OneSide = 8,     // eight in a row on the same side of the centre
};
constexpr int kSpcRuleCount = 4;

// σ: the chart's σ within (MR̄ / d2). Every flag is 0 when σ is not above zero.
std::vector<std::uint8_t> westernElectricFlags(const std::vector<double> &values, double centre,
                                               double sigma);

struct Capability {
    double cpk = 0.0; // with σ within (MR̄ / d2); NaN without it
    double ppk = 0.0; // with the overall sample σ; NaN without it
};

// min(high - mean, mean - low) / 3σ for each σ; NaN when a σ or a limit is missing or σ is 0.
Capability capability(double mean, double sigmaWithin, double sigmaOverall, double low,
                      double high);

// Least-squares slope of values against their index (per period); NaN below two values.
double trendSlope(const std::vector<double> &values);

// A chart thinned for drawing: consecutive points fall into at most `buckets` groups; each
// keeps its first index, minimum, maximum, mean and the rules its points broke.
struct ThinnedPoint {
    long long first = 0;
    double min = 0.0;
    double max = 0.0;
    double mean = 0.0;
    std::uint8_t rules = 0;
};

std::vector<ThinnedPoint> thinPoints(const std::vector<double> &values,
                                     const std::vector<std::uint8_t> &flags, int buckets);
