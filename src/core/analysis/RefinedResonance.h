#pragma once

#include "core/analysis/ThieleSmall.h"
#include "core/model/CurveBlock.h"

// The classic method between the grid points: the resonance from the parabola through the three
// points around the |Z| maximum on a logarithmic frequency axis, f1 and f2 where |Z| crosses Rx
// interpolated on the same axis. The grid alone moves Fs by up to half a grid step (about 1 %
// on band 4), which a sealed-box Vas doubles.

// Vertex of the parabola through (log f, y) at three points. False when the points do not bend
// downwards (no maximum between them).
bool parabolaPeak(const double f[3], const double y[3], double *fPeak, double *yPeak);

// The resonance around grid index k of raw: the vertex through k-1, k, k+1, or the grid point
// itself at the edge of first..last or on a flat top.
void refinedPeak(const CurveBlock &raw, int first, int last, int k, double *fs, double *zmax);

// Relative standard uncertainty of the refined resonance at grid index k from the curve's own
// noise: the scatter of |Z| about a smooth curve (its fourth differences over the points
// around k) carried through the parabola's vertex. 0 when it cannot be told.
double peakFrequencySigma(const CurveBlock &raw, int first, int last, int k);

struct RefinedTs {
    double Re = 0.0, Rmax = 0.0, Fs = 0.0, r0 = 0.0, Rx = 0.0, f1 = 0.0, f2 = 0.0;
    double Qms = 0.0, Qes = 0.0, Qts = 0.0;
    double gridStep = 0.0; // relative grid step at the peak
    int lorentzPoints = 0; // points of the Lorentzian the values come from; 0: the parabola
};

// A resonance too sharp for the grid, traced by the one curve that Re in series with a parallel
// resonance gives: |Z|² - Re² = K / (1 + Q²·(f/Fs - Fs/f)²), fitted through the 5 to 7 points
// around grid index k (relative errors of |Z|² - Re², linear least squares in 1 / (|Z|² - Re²)).
// Fs, Rmax, Qms follow exactly, f1 and f2 where |Z| = Rx on that curve. False when the points
// do not make such a peak; *out is then left alone.
bool lorentzianTs(const CurveBlock &raw, int first, int last, int k, double Re, RefinedTs *out);

// The classic values from the resonance at grid index peak, refined as above. The same
// refusals as computeTs (BadRe, NoF1, NoF2, BadF1F2); on refusal *out is left alone.
TsResult refinedTs(const CurveBlock &raw, int first, int last, int peak, double Re, RefinedTs *out);

// The same, but a peak too sharp for the grid (isTooSharpForGrid) from the Lorentzian when
// it can be fitted: the worksheet's values. (QC limits keep the parabola they were made with.)
TsResult traceableTs(const CurveBlock &raw, int first, int last, int peak, double Re,
                     RefinedTs *out);
