#pragma once

#include "core/analysis/fit/FitModel.h"
#include "core/analysis/fit/FitPoints.h"

#include <vector>

struct FitSettings {
    FitModel model = FitModel::Semi;
    double re = 0;       // ohm: held fixed, or the start value when reFree and above 0
    bool reFree = false; // fit Re too
    bool operator==(const FitSettings &) const = default;
};

enum class FitOutcome { Ok, TooFewPoints, NoResonance, BadRe, NoConvergence };

// How closely the fitted curve follows the measurement: both RMS errors at or below a grade's
// limits (only |Z| when the curve has no phase) earn that grade.
enum class FitGrade { Excellent, Good, Fair, Poor };
struct FitGradeLimit {
    double magPct;
    double phaseDeg;
};
constexpr FitGradeLimit kFitGradeLimits[] = {{2.0, 1.0}, {5.0, 3.0}, {10.0, 6.0}};
FitGrade fitGrade(double rmsMagPct, double rmsPhaseDeg, bool phaseUsed);
// Relative standard errors above which the fit does not determine a parameter (its 95 % range
// spans more than a factor e either way), or Fs, Qms or Qes.
constexpr double kFitParamLimit = 0.5;
constexpr double kFitDerivedLimit = 0.1;

struct FitResult {
    FitOutcome outcome = FitOutcome::TooFewPoints;
    FitModel model = FitModel::Semi;
    bool reFixed = true;
    bool phaseUsed = true; // false: fitted on |Z| alone
    int points = 0;
    double fromHz = 0, toHz = 0; // first and last point fitted
    std::vector<double> p;       // full parameter vector (FitParam order, SI units)
    std::vector<double> stderrs; // beside p; 0 for a fixed Re, NaN where not determined
    FitDerived derived;
    FitDerived derivedStderr;
    double rmsMagPct = 0;   // RMS of |Z|fit / |Z| - 1, per cent
    double rmsPhaseDeg = 0; // RMS of the phase difference (0 without phase)
    FitGrade grade = FitGrade::Poor;
    int iterations = 0; // solver iterations over every stage
    double cost = 0;    // sum of the squared residuals ln(Zfit / Z) at the solution
    // Beside p: a parameter that ran to the edge of any driver (an element the curve has no
    // use for, such as a branch that opens) is held there and no longer fitted; its value only
    // stands for "absent" and is not shown as a number.
    std::vector<bool> pinned;
    // Lag-1 autocorrelation of the residuals along the curve, and the factor
    // √((1 + ρ)/(1 − ρ)) (1 for ρ ≤ 0) by which the standard errors were widened for it.
    double residualLag1 = 0;
    double stderrWidening = 1;
    // The grade of the residuals alone, and the fitted values the curve does not determine
    // (FitParam indices; a standard error above kFitParamLimit, or none): any of them caps
    // the grade at good, and Fs, Qms or Qes so loose at fair.
    FitGrade residualGrade = FitGrade::Poor;
    std::vector<int> weak;
    bool weakDerived = false; // Fs, Qms or Qes with a standard error above kFitDerivedLimit

    std::complex<double> impedance(double hz) const { return fitImpedance(model, p, hz); }
};

// Fewest points a fit of n free parameters needs.
int fitMinimumPoints(int freeParams);

// Fits the model to the points by weighted least squares on the complex curve: the residual of
// each point is ln(Zfit / Z), whose real part is the relative |Z| error and imaginary part the
// phase error in radians, so every point of the logarithmic grid counts alike. Parameters are
// fitted as logarithms, which keeps each positive. A richer model starts from the fit of the
// simpler one before it; the semi-inductance model tries several starts and keeps the best. A
// free Re is also fitted from the solution with Re held at its start value, and the result is
// never worse than that solution.
FitResult fitImpedanceCurve(const std::vector<FitPoint> &points, const FitSettings &settings);

// One fit of settings.model from the given full parameter vector (Re held at start[PRe] unless
// settings.reFree), without stages or further starts: to compare other starts with the fit's.
FitResult fitImpedanceFrom(const std::vector<FitPoint> &points, const FitSettings &settings,
                           const std::vector<double> &start);
