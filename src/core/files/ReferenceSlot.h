#pragma once

#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"

#include <QString>

class VELO_File;

// How loading one reference file ended.
enum class ReferenceLoad { Loaded, BadFile, BadData };

// Empties a reference slot: record not valid with its points cleared, both curve blocks
// cleared.
void clearReferenceSlot(MeasurementRecord &record, CurveBlock &raw, CurveBlock &avg);

// Loads a data file as a reference. The file is read and converted into scratch copies,
// and only a file that passed both replaces the slot's record and curves and marks it
// valid, so a failure leaves the slot as it was. The file's serial, model flag and COM
// port are dropped: a reference never changes the measurement's or the settings'.
ReferenceLoad loadReference(const VELO_File &file, const QString &path, MeasurementRecord &record,
                            CurveBlock &raw, CurveBlock &avg);
