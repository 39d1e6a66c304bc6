#include "core/measure/PointEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr double kCountsPerHz = 65.536; // 65536 / 1000
constexpr double kMaxNumerator = 0xFFFFFF;
constexpr double kMaxDivisor = 0xFFFF;
// Keeps values that are exact multiples of a step (5.7 ohm) from landing one step lower.
constexpr double kEpsilon = 1e-9;
} // namespace

QByteArray encodePointText(double rOhm, double thetaDeg, double freqHz)
{
    const long r = long(std::clamp(std::floor(rOhm * 100.0 + kEpsilon), 0.0, 65535.0));
    const long theta = long(std::clamp(std::floor(thetaDeg * 10.0 + kEpsilon), -32768.0, 32767.0));
    long numerator = 0;
    long divisor = 1;
    if (freqHz > 0) {
        const double perDivisor = freqHz * kCountsPerHz;
        divisor = long(std::clamp(std::floor(kMaxNumerator / perDivisor), 1.0, kMaxDivisor));
        numerator = long(std::min(std::round(perDivisor * double(divisor)), kMaxNumerator));
    }
    char text[19];
    std::snprintf(text, sizeof text, "%04lX%04lX%06lX%04lX", r, theta & 0xFFFF, numerator, divisor);
    return QByteArray(text, 18);
}
