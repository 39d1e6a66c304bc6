#pragma once

#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/RepeatSet.h"

// The mean of a repeat set as an ordinary measurement, which saves as a data file every reader
// opens: the set's band and the first sweep's date and time; each point some sweep measured
// written as the unit would send the mean |Z| and phase at the mean frequency; the points no
// sweep reached left empty, so the data file ends early there, as a stopped run's does. raw
// gets the mean in full single precision (the point texts cut |Z| to 0.01 ohm and the phase to
// 0.1 deg), avg its three-point average; the record is valid. False, with nothing changed, for
// an empty set.
bool repeatMeanRecord(const RepeatSet &set, MeasurementRecord &record, CurveBlock &raw,
                      CurveBlock &avg);
