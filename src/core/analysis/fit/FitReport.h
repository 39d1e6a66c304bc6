#pragma once

#include "core/analysis/fit/ImpedanceFit.h"
#include "core/model/CurveBlock.h"

#include <QJsonObject>
#include <QString>
#include <QVector>

// The views of a fit result that the window and velo2-cli show.
//
// fitJson(r): {"model", "reFixed", "phaseUsed", "points", "fromHz", "toHz", then each parameter
//   of the model with its unit in the key ("Re_ohm", "Le_mH", "Res_ohm", "Lces_mH", "Cmes_uF",
//   "R2_ohm", "L2_mH", "Ke_sH", "beta") and "Fs_Hz", "Qms", "Qes", "Qts", each followed by
//   its "…_stderr" (0 for a fixed Re, null where the curve does not determine it), then
//   "rmsMagPct", "rmsPhaseDeg" (null without phase), "grade", "iterations"}; for a fit without
//   result {"model", "points", "error"}.
// fitRows(r): one row per value: name, value, unit and the standard error ("± 0.012"), in the
//   order of the JSON.

struct FitRow {
    QString name;
    QString value;
    QString unit;
    QString stderrText;
};

QJsonObject fitJson(const FitResult &r);
QVector<FitRow> fitRows(const FitResult &r);

// The fitted curve at the frequencies of the measured curve's points in its band, the slots
// without a point left empty, as the graph and the ZMA writer take it.
void fittedCurve(const FitResult &r, const CurveBlock &measured, int band, CurveBlock &out);
