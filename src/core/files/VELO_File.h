#pragma once

#include "measure/CurveBlock.h"
#include "measure/MeasurementRecord.h"

// Stateless file-handling object: the records it works on are passed in. Each operation
// reports success and shows nothing to the user.
class VELO_File
{
public:
    // Decodes point slot `index` into both blocks (no averaging); false for index >= 600
    // or a missing record or block.
    bool convertPoint(const MeasurementRecord *record, int index, CurveBlock *raw,
                      CurveBlock *avg) const;
    // Converts the whole band of the record, with 3-point averaging of R and theta.
    bool convertRecord(const MeasurementRecord *record, CurveBlock *raw, CurveBlock *avg) const;

    // ---- data file ----

    // ---- settings file ----

    // ---- text export ----
};
