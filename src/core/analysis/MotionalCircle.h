#pragma once

#include "core/model/CurveBlock.h"

#include <QString>
#include <array>

// The motional circle: around the main resonance the impedance R + jX of a driver traces a
// circle whose diameter is the motional resistance Res = Re·Qms/Qes. The points taken are the
// run of grid points around the resonance whose R lies above a quarter of the way from the
// band's lowest R to the resonance's R: for a pure circle that is 240° of its arc, and it holds
// both turning points of X (at R half way up) well inside.

// Why there is no circle to give.
enum class CircleOutcome {
    Ok,
    NoResonance,  // no measured point, or no peak of |Z| the main resonance search accepts
    NoPhase,      // every phase of the band is 0: a table of |Z| alone
    TooFewPoints, // fewer than kMinCirclePoints around the resonance
    NoCircle,     // the points lie on no circle (collinear, or the fit does not settle)
    NoTurningX,   // the points do not pass the circle's top, right end and bottom in turn
};

// Fewer leave the circle and its three turning points to two or three points each side.
constexpr int kMinCirclePoints = 5;
// Where the window's R threshold sits between the lowest R and the resonance's R.
constexpr double kCircleWindowFraction = 0.25;

struct MotionalCircle {
    CircleOutcome outcome = CircleOutcome::NoResonance;
    double diameterOhm = 0.0; // Res
    double centreROhm = 0.0;
    double centreXOhm = 0.0;
    double fsHz = 0.0;        // largest R: the curve passes the circle's right end
    double faHz = 0.0;        // largest X: its top, below fs
    double fbHz = 0.0;        // smallest X: its bottom, above fs
    double qms = 0.0;         // fs / (fb - fa)
    double residualOhm = 0.0; // RMS distance of the points from the circle
    int first = -1;           // the grid points fitted
    int last = -1;
    bool ok() const { return outcome == CircleOutcome::Ok; }
};

// The circle of the curve's band 1..9 (r = |Z| in Ω, theta in degrees, r < 0 an empty slot).
// The circle is an algebraic fit refined by geometric least squares; each frequency is where
// the points' angle around its centre passes 0°, +90° or -90°, interpolated on log f between
// the grid points either side.
MotionalCircle fitMotionalCircle(const CurveBlock &raw, int band);

// The values in the rows of the analysis window and velo2-cli: Res, fs, fa, fb, Qms, residual.
constexpr int kCircleValueCount = 6;
std::array<double, kCircleValueCount> circleValues(const MotionalCircle &c);
// Value i's text: two decimals, the residual (often far below 0.01 Ω) to three digits.
QString circleValueText(int i, double value);
