#pragma once

#include <QString>

// Writes a value through a decimal format mask such as "#.00", "#0.0" or "#.000": each "0"
// is a digit that is always written, "#" an integer digit written only when significant,
// "." the decimal point. The value is first taken to 18 significant digits and then rounded
// half away from zero to the decimals of the mask; a value that rounds to zero has no sign.
QString formatDecimal(long double value, const char *mask);
