#include "core/files/VELO_File.h"

namespace {

// The averaging constant is used as written, in extended precision.
constexpr long double kThird = 0.33333333333333333334L;

void average3(const float *in, float *out, int first, int last)
{
    out[first] = in[first];
    for (int i = first + 1; i <= last - 1; ++i)
        out[i] = float(((long double)in[i - 1] + in[i] + in[i + 1]) * kThird);
    out[last] = in[last];
}

// An empty slot keeps the block's "no point" values (R -1, theta and F 0).
void storePoint(const char *slot, int index, CurveBlock &block)
{
    if (isEmptyPoint(slot)) {
        block.r[index] = -1.0f;
        block.theta[index] = 0.0f;
        block.freq[index] = 0.0f;
        return;
    }
    const DecodedPoint p = decodePoint(slot);
    block.r[index] = p.r;
    block.theta[index] = p.theta;
    block.freq[index] = p.freq;
}

} // namespace

bool VELO_File::convertPoint(const MeasurementRecord *record, int index, CurveBlock *raw,
                             CurveBlock *avg) const
{
    if (!record || !raw || !avg || index < 0 || index >= kRecordSlots)
        return false;
    storePoint(record->points[index], index, *raw);
    storePoint(record->points[index], index, *avg);
    return true;
}

bool VELO_File::convertRecord(const MeasurementRecord *record, CurveBlock *raw,
                              CurveBlock *avg) const
{
    if (!record || !raw || !avg)
        return false;
    clearCurve(*raw);
    clearCurve(*avg);
    const int first = bandFirstIndex(record->band);
    const int last = bandLastIndex(record->band);
    for (int i = first; i <= last; ++i)
        storePoint(record->points[i], i, *raw);
    averageCurve(record->band, *raw, avg);
    raw->valid = 1;
    return true;
}

void VELO_File::averageCurve(int band, const CurveBlock &raw, CurveBlock *avg) const
{
    const int first = bandFirstIndex(band);
    const int last = bandLastIndex(band);
    for (int i = first; i <= last; ++i)
        avg->freq[i] = raw.freq[i];
    // Missing points are not averaged into their neighbours: each unbroken run of points
    // is averaged on its own, its ends kept as measured.
    for (int from = first; from <= last;) {
        if (raw.r[from] < 0.0f) {
            ++from;
            continue;
        }
        int to = from;
        while (to < last && raw.r[to + 1] >= 0.0f)
            ++to;
        average3(raw.r, avg->r, from, to);
        average3(raw.theta, avg->theta, from, to);
        from = to + 1;
    }
    avg->valid = 1;
}
