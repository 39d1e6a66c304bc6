#include "core/model/PointText.h"

#include "core/model/Stringutil.h"

#include <cstring>

namespace {

// Value of the characters [from, from + width) of a zero-terminated text; missing
// characters (a short text) simply do not count, as in reading up to the terminator.
long fieldValue(const char *text, int length, int from, int width)
{
    if (from >= length)
        return 0;
    const int n = (from + width <= length) ? width : length - from;
    return hexValue(text + from, n);
}

} // namespace

DecodedPoint decodePoint(const char *slot)
{
    const int length = int(strnlen(slot, kPointSlotSize));
    const long n1 = fieldValue(slot, length, 0, 4);
    long n2 = fieldValue(slot, length, 4, 4);
    const long n3 = fieldValue(slot, length, 8, 6);
    const long n4 = fieldValue(slot, length, 14, 4);
    if (n2 >= 0x8000)
        n2 -= 0x10000;
    constexpr long double kHzPerCount = 0.0152587890625L;
    DecodedPoint p;
    p.r = float(n1 * 0.01L + 0.005L);
    p.theta = float(n2 * 0.1L + 0.05L);
    p.freq = (n4 == 0) ? float(n3 * kHzPerCount * 2) : float(n3 * kHzPerCount / n4);
    return p;
}
