#pragma once

#include "core/graph/CurveCompare.h"
#include "core/model/CurveBlock.h"

#include <QString>

// The status line's reading of one point in the views beyond |Z| and phase; each starts as
// the |Z| view's reading does ("周波数：" and the frequency).

// R = |Z| cos θ and X = |Z| sin θ of a curve's slot.
double resistanceOf(const CurveBlock &curve, int index);
double reactanceOf(const CurveBlock &curve, int index);

// "周波数：f / R：r[Ω] / X：x[Ω]"
QString rxReadoutText(const CurveBlock &curve, int index);
// "周波数：f / R：r[Ω] / X：x[Ω] / |Z|：z[Ω] / θ：t[deg]"
QString nyquistReadoutText(const CurveBlock &curve, int index);
// "周波数：f / Δ|Z|：d[Ω] (p[%]) / Δθ：t[deg]"; without phase the last part is left out.
QString differenceReadoutText(const ComparePoint &point, bool withPhase);
// "周波数：f / |Zm/Zref|：r[dB] / Δθ：t[deg]"
QString ratioReadoutText(const ComparePoint &point);

// The curve's point of `band` nearest to (r, x) in the complex plane, which the Nyquist view
// draws with equal ohms per pixel on both axes; -1 when the band holds none.
int nearestComplexPoint(const CurveBlock &curve, int band, double r, double x);
