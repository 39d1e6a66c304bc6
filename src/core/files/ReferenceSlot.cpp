#include "core/files/ReferenceSlot.h"

#include "core/files/VELO_File.h"

#include <memory>

void clearReferenceSlot(MeasurementRecord &record, CurveBlock &raw, CurveBlock &avg)
{
    record.valid = 0;
    clearPoints(record);
    clearCurve(raw);
    clearCurve(avg);
}

ReferenceLoad loadReference(const VELO_File &file, const QString &path, MeasurementRecord &record,
                            CurveBlock &raw, CurveBlock &avg)
{
    auto scratch = std::make_unique<MeasurementRecord>();
    clearPoints(*scratch);
    scratch->band = 1;
    QByteArray serial;
    quint8 modelFlag = 0;
    qint32 comPort = 0;
    if (!file.readDataFile(path, serial, modelFlag, comPort, scratch.get()))
        return ReferenceLoad::BadFile;

    auto scratchRaw = std::make_unique<CurveBlock>();
    auto scratchAvg = std::make_unique<CurveBlock>();
    if (!file.convertRecord(scratch.get(), scratchRaw.get(), scratchAvg.get()))
        return ReferenceLoad::BadData;

    scratch->valid = 1;
    record = *scratch;
    raw = *scratchRaw;
    avg = *scratchAvg;
    return ReferenceLoad::Loaded;
}
