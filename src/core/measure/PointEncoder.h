#pragma once

#include <QByteArray>

// The unit's side of a point text: 18 upper-case hexadecimal digits from R [ohm], theta [deg]
// and F [Hz]. R and theta are cut to 0.01 ohm and 0.1 deg below the value (decodePoint adds
// half a step back) and held to their fields; F is written as N / D counts of 1000/65536 Hz
// with the largest divisor D (16 bits) that keeps N within 24 bits, so it keeps ~7 digits.
QByteArray encodePointText(double rOhm, double thetaDeg, double freqHz);
