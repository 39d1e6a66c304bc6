#pragma once

#include "core/analysis/CoilTemperature.h"
#include "core/model/CurveBlock.h"
#include "core/qc/QcLimits.h"
#include "core/qc/QcRecord.h"
#include "core/qc/QcUnitValues.h"

#include <QString>
#include <QStringList>
#include <QVector>

// A run of neighbouring grid points whose |Z| lies on one side of the band.
struct QcBandRange {
    double fromHz = 0.0;
    double toHz = 0.0;
    bool above = false;
};

struct QcVerdict {
    bool passed = false;
    QcUnitValues values;
    bool parameterFailed[kQcParameterCount] = {};
    QVector<QcBandRange> outside;
    QStringList failures; // one line per failed item, in the order checked
    double re = 0.0;      // the unit's Re as its limits compare it; 0 without a Re window
};

// The unit's Re the limits' window compares: measured, or normalised to 20 °C.
double qcComparedRe(const QcLimits &limits, double measuredRe, const CoilTemperature &coil);

// Checks one measured curve against the limits: every parameter against its window, every
// grid point against the band. Returns the reason when the curve cannot be checked against
// these limits at all (another band); *out is then left alone.
// coil: the unit's coil (or room) temperature, for limits whose Re window is at 20 °C.
QString checkQcUnit(const QcLimits &limits, const CurveBlock &raw, int band, QcVerdict *out,
                    const CoilTemperature &coil = CoilTemperature());

// The record the results log keeps for a verdict; station, run id and time are the caller's.
QcRecord qcRecordOf(const QcVerdict &verdict, const QcLimits &limits, const QString &serial);

// A run id unique on this station: the UTC time to the millisecond, the process and a count.
QString newQcRunId(const QDateTime &timeUtc);
