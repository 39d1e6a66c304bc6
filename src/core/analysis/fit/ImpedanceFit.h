#pragma once

#include "core/analysis/fit/FitModel.h"
#include "core/analysis/fit/FitPoints.h"

#include <vector>

struct FitSettings {
    FitModel model = FitModel::Semi;
    double re = 0;       // ohm: held fixed, or the start value when reFree and above 0
    bool reFree = false; // fit Re too
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

    std::complex<double> impedance(double hz) const { return fitImpedance(model, p, hz); }
};

// Fewest points a fit of n free parameters needs.
int fitMinimumPoints(int freeParams);

// Fits the model to the points by weighted least squares on the complex curve: the residual of
// each point is ln(Zfit / Z), whose real part is the relative |Z| error and imaginary part the
// phase error in radians, so every point of the logarithmic grid counts alike. Parameters are
// fitted as logarithms, which keeps each positive. A richer model starts from the fit of the
// simpler one before it.
FitResult fitImpedanceCurve(const std::vector<FitPoint> &points, const FitSettings &settings);
