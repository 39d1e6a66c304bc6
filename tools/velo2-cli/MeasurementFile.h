#pragma once

#include "measure/CurveBlock.h"
#include "measure/MeasurementRecord.h"

#include <QString>
#include <memory>

// A data file read and converted the way the program opens one.
struct MeasurementFile {
    QString path;
    QString serial;
    quint8 modelFlag = 0; // 1 for a first-model ("DataFile:HK-A") file
    qint32 comPort = 0;
    MeasurementRecord record;
    CurveBlock raw;
    CurveBlock avg;

    const CurveBlock &curve(bool averaging) const { return averaging ? avg : raw; }
};

// Reads and converts the file at path. On failure returns nothing and sets *problem to the
// one-line reason (no such file, not a valid data file, ...).
std::unique_ptr<MeasurementFile> loadMeasurementFile(const QString &path, QString *problem);

// "HK-A2", or "HK-A" for a first-model file.
QString modelTag(quint8 modelFlag);
