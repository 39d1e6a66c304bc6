#pragma once

// A sweep of the simulated unit without its terminal: the simulator's impedance source read on
// the band's grid, written as the unit's point texts and converted by the program's own record
// conversion, so the curve carries the unit's steps exactly as a measurement would.

#include "ImpedanceSource.h"
#include "core/files/VELO_File.h"
#include "core/measure/PointEncoder.h"
#include "core/model/BandTable.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/SweepGrid.h"

#include <cstring>
#include <memory>

inline std::unique_ptr<CurveBlock> replaySweep(const ImpedanceSource &source, int band)
{
    auto record = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    clearPoints(*record);
    record->band = band;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const double hz = gridFrequencyHz(i);
        const Impedance z = source.at(hz);
        const QByteArray text = encodePointText(z.magnitude, z.phaseDeg, hz);
        std::memcpy(record->points[i], text.constData(),
                    std::min<qsizetype>(text.size() + 1, kPointSlotSize));
    }
    VELO_File().convertRecord(record.get(), raw.get(), avg.get());
    return raw;
}
