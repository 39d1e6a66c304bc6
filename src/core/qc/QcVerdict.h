#pragma once

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
};

// Checks one measured curve against the limits: every parameter against its window, every
// grid point against the band. Returns the reason when the curve cannot be checked against
// these limits at all (another band); *out is then left alone.
QString checkQcUnit(const QcLimits &limits, const CurveBlock &raw, int band, QcVerdict *out);

// The record the results log keeps for a verdict; station, run id and time are the caller's.
QcRecord qcRecordOf(const QcVerdict &verdict, const QcLimits &limits, const QString &serial);

// A run id unique on this station: the UTC time to the millisecond, the process and a count.
QString newQcRunId(const QDateTime &timeUtc);
