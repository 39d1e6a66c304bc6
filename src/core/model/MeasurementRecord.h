#pragma once

#include "core/model/BandTable.h"
#include "core/model/PointText.h"

#include <QByteArray>

// One measurement, as received or as loaded from a data file.
struct MeasurementRecord {
    quint8 valid = 0;    // 1 = complete and converted
    QByteArray dateTime; // local date and time at the start of the run, as the file holds it
    qint32 band = kStartupBand;
    char points[kRecordSlots][kPointSlotSize] = {};
};

// Writes 19 ASCII "0" at the start of each of the 600 slots; touches nothing else.
void clearPoints(MeasurementRecord &record);

// A slot without a point (a data file that ended early) holds an empty text: it is neither
// drawn nor saved as a measured point. A cleared slot ("0" digits) is a point.
void emptyPoint(char *slot);
inline bool isEmptyPoint(const char *slot)
{
    return slot[0] == '\0';
}
