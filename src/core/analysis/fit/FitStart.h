#pragma once

#include "core/analysis/fit/FitModel.h"
#include "core/analysis/fit/FitPoints.h"

#include <vector>

// Start values read from the curve itself.

// Re when it is to be fitted: the smallest real part of the curve (|Z| without phase), which
// lies at or a little above the coil's resistance.
double startRe(const std::vector<FitPoint> &points);

// Index of the resonance peak: the highest point that stands clearly above the curve on both
// sides of it; -1 when the range holds none.
int resonanceIndex(const std::vector<FitPoint> &points);

// The classic model's parameters from the resonance peak and the two points where |Z| falls to
// √(Re·Zmax) (the three-point method), and Le from the top of the range. Needs a resonance
// peak above re.
std::vector<double> classicStart(const std::vector<FitPoint> &points, double re);

// The next model's start from the previous model's fitted parameters: the blocked inductance
// is split between Le and the lossy branch, whose corner sits between Fs and the top of the
// range, at Fs, at the top or at the bottom. The semi-inductance model starts from the LR-2 fit
// with a weak or a real semi-inductance and little or more creep, also with the inductance shared
// out anew. Each start may lead to another local minimum; the fit keeps the best.
constexpr int kLr2Starts = 4;
std::vector<double> lr2Start(const std::vector<double> &classic, double fromHz, double topHz,
                             int which);
constexpr int kSemiStarts = 6;
std::vector<double> semiStart(const std::vector<double> &lr2, int which);
