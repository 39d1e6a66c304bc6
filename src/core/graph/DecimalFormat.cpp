#include "core/graph/DecimalFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct MaskShape {
    int integerDigits = 0; // "0"s before the point
    int decimals = 0;      // digits after the point
};

MaskShape shapeOf(const char *mask)
{
    MaskShape shape;
    const char *point = std::strchr(mask, '.');
    const char *end = point ? point : mask + std::strlen(mask);
    for (const char *c = mask; c != end; ++c)
        if (*c == '0')
            ++shape.integerDigits;
    if (point)
        shape.decimals = int(std::strlen(point + 1));
    return shape;
}

// |value| rounded half away from zero to `decimals` places, as a plain digit string with the
// last `decimals` digits after an implied point. Works on 18 significant decimal digits.
std::string roundedDigits(long double magnitude, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", magnitude);
    // buf: d.ddddddddddddddddde[+-]xx
    std::string mantissa;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa.push_back(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    // Digits kept: those down to 10^-decimals; the first dropped digit decides the rounding.
    const int keep = exponent + 1 + decimals;
    std::string digits;
    if (keep < 0) {
        digits = "0";
    } else {
        const bool roundUp = keep < int(mantissa.size()) && mantissa[size_t(keep)] >= '5';
        digits = mantissa.substr(0, size_t(std::min<int>(keep, int(mantissa.size()))));
        while (int(digits.size()) < keep)
            digits.push_back('0');
        if (roundUp) {
            int i = int(digits.size()) - 1;
            for (; i >= 0; --i) {
                if (digits[size_t(i)] == '9') {
                    digits[size_t(i)] = '0';
                } else {
                    ++digits[size_t(i)];
                    break;
                }
            }
            if (i < 0)
                digits.insert(digits.begin(), '1');
        }
        if (digits.empty())
            digits = "0";
    }
    // Enough leading zeros that every decimal has its digit.
    while (int(digits.size()) < decimals + 1)
        digits.insert(digits.begin(), '0');
    return digits;
}

} // namespace

QString formatDecimal(long double value, const char *mask)
{
    const MaskShape shape = shapeOf(mask);
    if (std::isnan(value) || std::isinf(value))
        return QString::number(double(value));
    const std::string digits = roundedDigits(std::fabs(value), shape.decimals);
    std::string integer = digits.substr(0, digits.size() - size_t(shape.decimals));
    const std::string fraction = digits.substr(digits.size() - size_t(shape.decimals));
    size_t firstSignificant = integer.find_first_not_of('0');
    integer =
        firstSignificant == std::string::npos ? std::string() : integer.substr(firstSignificant);
    while (int(integer.size()) < shape.integerDigits)
        integer.insert(integer.begin(), '0');
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string text = (value < 0 && !zero) ? "-" : "";
    text += integer;
    if (shape.decimals > 0)
        text += "." + fraction;
    return QString::fromStdString(text);
}
