#pragma once

#include "core/model/CurveBlock.h"
#include "core/qc/QcLimits.h"

#include <QString>
#include <QVector>

struct QcGolden {
    QString name; // for messages: the file it came from
    const CurveBlock *raw = nullptr;
    int band = 0;
};

struct QcLimitsOptions {
    QString name;
    double k = 3.0;
    double tolerancePct = 5.0;
    double re = 0.0; // ohm; 0 = estimated from the golden curves (mean of estimateRe)
};

// Limits from golden units of one type, all measured on one band with every point: the band
// and the windows by toleranceWindow over the golden values. Returns the reason when the
// golden set cannot give limits (none given, another band, missing points, no resonance, an
// Re the classic method refuses); *out is then left alone.
QString makeQcLimits(const QVector<QcGolden> &golden, const QcLimitsOptions &options,
                     QcLimits *out);
