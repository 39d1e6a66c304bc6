#pragma once

#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"

#include "core/model/Settings.h"

#include <QString>
#include <array>
#include <memory>

// A data file read and converted the way the program opens one.
struct MeasurementFile {
    QString path;
    QByteArray serial;    // as the file holds it
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

// Reference files loaded into the window's five slots the way its "読込み" loads them; unused
// slots stay empty.
struct ReferenceFiles {
    std::array<MeasurementRecord, kReferenceSlots> records;
    std::array<CurveBlock, kReferenceSlots> raw;
    std::array<CurveBlock, kReferenceSlots> avg;
    int count = 0;
};

// Loads path into the next slot; on failure the slots stay as they were and *problem says why.
bool loadReferenceFile(ReferenceFiles &refs, const QString &path, QString *problem);

// "HK-A2", or "HK-A" for a first-model file.
QString modelTag(quint8 modelFlag);
