#include "core/model/MeasurementRecord.h"

#include <cstring>

void clearPoints(MeasurementRecord &record)
{
    for (auto &slot : record.points)
        std::memset(slot, '0', kPointWireLength);
}

void emptyPoint(char *slot)
{
    std::memset(slot, 0, kPointSlotSize);
}
