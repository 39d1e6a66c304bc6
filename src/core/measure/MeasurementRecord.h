#pragma once

#include "BandTable.h"
#include "PointText.h"

#include <QString>

// One measurement, as received or as loaded from a data file.
struct MeasurementRecord {
    quint8 valid = 0; // 1 = complete and converted
    QString dateTime; // local date and time at the start of the run
    qint32 band = kStartupBand;
    char points[kRecordSlots][kPointSlotSize] = {};
};

// Writes 19 ASCII "0" at the start of each of the 600 slots; touches nothing else.
void clearPoints(MeasurementRecord &record);
