#include "core/graph/CursorReadout.h"

#include "core/graph/AxisMath.h"
#include "core/graph/ReadoutFormat.h"
#include "core/model/BandTable.h"

#include <cmath>
#include <cstring>

float readoutFrequency(const GraphScale &scale, int x, int boxWidth)
{
    const float la = float(std::log10(double(axisStartHz(float(scale.fStartHz)))));
    const float span = float(std::log10(double(axisEndHz(float(scale.fEndHz)))) - la);
    const long double exponent = la + (long double)x * span / boxWidth;
    return float(std::exp(std::log(10.0L) * exponent));
}

int nearestPointIndex(const CurveBlock &curveRaw, int band, float f)
{
    if (!isValidBand(band))
        return kNoPoint;
    const float *F = curveRaw.freq;
    const int first = bandFirstIndex(band);
    const int last = bandLastIndex(band);
    if (F[first] <= f && f < F[first + 1])
        return first;
    if (F[last - 1] < f && f <= F[last])
        return last;
    for (int j = first + 1; j <= last - 1; ++j) {
        const long double low = ((long double)F[j - 1] + F[j]) * 0.5L;
        const long double high = ((long double)F[j] + F[j + 1]) * 0.5L;
        if (low <= f && f < high)
            return j;
    }
    return kNoPoint;
}

std::optional<QString> cursorReadout(const MeasurementRecord &measurement,
                                     const CurveBlock &curveRaw, const GraphScale &scale, int x,
                                     int boxWidth)
{
    if (measurement.valid == 0 || boxWidth <= 0)
        return std::nullopt;
    const float f = readoutFrequency(scale, x, boxWidth);
    const int j = nearestPointIndex(curveRaw, scale.band, f);
    if (j == kNoPoint || curveRaw.r[j] == -1)
        return std::nullopt;
    return recordPointReadout(measurement, j);
}

QString recordPointReadout(const MeasurementRecord &measurement, int index)
{
    // Only the 18 characters of the point text count; the record itself is left as it is.
    char slot[kPointSlotSize];
    std::memcpy(slot, measurement.points[index], kPointSlotSize);
    slot[kPointTextLength] = '\0';
    return pointReadoutText(slot);
}
