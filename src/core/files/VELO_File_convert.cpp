#include "VELO_File.h"

bool VELO_File::convertPoint(const MeasurementRecord *record, int index, CurveBlock *raw,
                             CurveBlock *avg) const
{
    if (!record || !raw || !avg || index < 0 || index >= kRecordSlots)
        return false;
    const DecodedPoint p = decodePoint(record->points[index]);
    raw->r[index] = avg->r[index] = p.r;
    raw->theta[index] = avg->theta[index] = p.theta;
    raw->freq[index] = avg->freq[index] = p.freq;
    return true;
}

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

} // namespace

bool VELO_File::convertRecord(const MeasurementRecord *record, CurveBlock *raw,
                              CurveBlock *avg) const
{
    if (!record || !raw || !avg)
        return false;
    clearCurve(*raw);
    clearCurve(*avg);
    const int first = bandFirstIndex(record->band);
    const int last = bandLastIndex(record->band);
    for (int i = first; i <= last; ++i) {
        const DecodedPoint p = decodePoint(record->points[i]);
        raw->r[i] = p.r;
        raw->theta[i] = p.theta;
        raw->freq[i] = p.freq;
        avg->freq[i] = p.freq;
    }
    average3(raw->r, avg->r, first, last);
    average3(raw->theta, avg->theta, first, last);
    raw->valid = 1;
    avg->valid = 1;
    return true;
}
