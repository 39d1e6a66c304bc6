#include "core/measure/RepeatMeanRecord.h"

#include "core/files/VELO_File.h"
#include "core/measure/PointEncoder.h"
#include "core/model/BandTable.h"

#include <cstring>

bool repeatMeanRecord(const RepeatSet &set, MeasurementRecord &record, CurveBlock &raw,
                      CurveBlock &avg)
{
    if (set.isEmpty())
        return false;
    const int band = set.band();
    const int first = bandFirstIndex(band);
    const std::vector<RepeatPoint> stats = set.statistics();
    clearPoints(record);
    record.band = band;
    record.dateTime = set.dateTime();
    for (std::size_t k = 0; k < stats.size(); ++k) {
        char *slot = record.points[first + int(k)];
        const RepeatPoint &p = stats[k];
        if (p.n == 0) {
            emptyPoint(slot);
            continue;
        }
        const QByteArray text = encodePointText(p.ohm, p.deg, p.freqHz);
        std::memcpy(slot, text.constData(), kPointTextLength);
        slot[kPointTextLength] = '\0';
    }
    set.meanCurve(raw);
    clearCurve(avg);
    VELO_File().averageCurve(band, raw, &avg);
    avg.valid = 1;
    record.valid = 1;
    return true;
}
