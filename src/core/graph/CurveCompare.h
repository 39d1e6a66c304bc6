#pragma once

#include "core/model/CurveBlock.h"

#include <QVector>

// One point of a measured curve against a reference at the same frequency.
struct ComparePoint {
    int index = 0; // the measured curve's grid slot
    double fHz = 0;
    double diffOhm = 0;      // |Zm| - |Zref|
    double diffPct = 0;      // the same in % of |Zref|
    double ratioDb = 0;      // 20 log10 |Zm / Zref|
    double phaseDiffDeg = 0; // arg(Zm / Zref), within (-180, 180]
};

// The difference and ratio of two curves where both have a point, and their largest
// deviations (signed, the value of largest magnitude; NaN when nothing was compared).
struct CompareResult {
    QVector<ComparePoint> points;
    int uncompared = 0; // measured points the reference does not reach
    double maxDiffOhm = 0;
    double maxDiffPct = 0;
    double maxDiffAtHz = 0; // where |Zm| - |Zref| is largest
    double maxRatioDb = 0;
    double maxPhaseDiffDeg = 0;
};

// The measured curve's points of `band` against the reference: at the same slot and
// frequency the reference's own point, else the reference interpolated linearly on log f
// between its neighbouring points (never extrapolated); a |Z| of 0 on either side compares
// with nothing. A curve against itself gives exact zeros.
CompareResult compareCurves(const CurveBlock &measured, const CurveBlock &reference, int band);
