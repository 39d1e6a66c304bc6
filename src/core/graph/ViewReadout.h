#pragma once

#include "core/graph/CurveCompare.h"
#include "core/model/CurveBlock.h"

#include <QString>

// The status line's reading of one point in the views beyond |Z| and phase; each starts as
// the |Z| view's reading does ("周波数：" and the frequency).

// "周波数：f / R：r[Ω] / X：x[Ω]"
QString rxReadoutText(const CurveBlock &curve, int index);
// "周波数：f / R：r[Ω] / X：x[Ω] / |Z|：z[Ω] / θ：t[deg]"
QString nyquistReadoutText(const CurveBlock &curve, int index);
// "周波数：f / Δ|Z|：d[Ω] (p[%]) / Δθ：t[deg]"; without phase the last part is left out.
QString differenceReadoutText(const ComparePoint &point, bool withPhase);
// "周波数：f / |Zm/Zref|：r[dB] / Δθ：t[deg]"
QString ratioReadoutText(const ComparePoint &point);
