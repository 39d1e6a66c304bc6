#pragma once

#include "core/model/CurveBlock.h"

// The driver's main resonance on a whole band, where the analysis window takes the first peak
// it finds: on a tweeter's full band that may be a ripple far below the resonance.

// Index of the highest point of first..last whose |Z| falls to Rx = √(Re·|Z|) on both sides
// before rising above it again: a resonance the classic method can measure. Among equals the
// lowest index wins. -1 when there is none or Re is not above 0.
int mainResonance(const CurveBlock &raw, int first, int last, double re);

// Peaks this close are one resonance: the analysis window's search takes the highest point
// within six grid points of its shape test.
constexpr int kSamePeakSpan = 6;

// Relative step of the grid at index k: freq[k+1] / freq[k] - 1 (from the point below at the
// top of the range).
double gridStepAt(const CurveBlock &raw, int first, int last, int k);

// A peak whose half-power width Fs / Qms is under three grid steps: three points cannot
// trace it, and the classic Qms reads low.
constexpr double kSharpPeakSteps = 3.0;
bool isTooSharpForGrid(double qms, double gridStep);
