#pragma once

#include "core/graph/CurveCompare.h"
#include "core/graph/ViewFrame.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"

#include <QPoint>
#include <QString>
#include <optional>

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

// What a reading in a view reads from.
struct ReadoutCurves {
    const MeasurementRecord *measurement = nullptr; // its point texts, for the |Z| view
    const CurveBlock *curve = nullptr;              // the measurement, unaveraged
    const CurveBlock *reference = nullptr;          // the compared one (difference, ratio)
    bool withPhase = true;                          // both curves have a phase
};

// The reading at plot pixel `at` of a drawn view: the point under x on a frequency axis, the
// nearest point in the plane in Nyquist. From the keyboard (`along` true) Nyquist reads along
// the band instead, x spread evenly over its log frequency. Nothing where no point is.
std::optional<QString> viewCursorReadout(const ReadoutCurves &curves, const ViewFrame &frame,
                                         int band, QPoint at, bool along);
