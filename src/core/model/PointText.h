#pragma once

// One measured point as the unit sends it: 18 hexadecimal digits
//   1-4 R (unsigned, 0.01 ohm), 5-8 phase (two's complement, 0.1 deg),
//   9-14 frequency numerator N, 15-18 divisor D (F = N * 1000/65536 / D, or * 2 when D = 0).
// A record keeps each point in a 20-character slot: the text, then a zero at character 18.
constexpr int kPointTextLength = 18;
constexpr int kPointSlotSize = 20;
constexpr int kPointWireLength = 19; // the text and one terminator byte on the line

struct DecodedPoint {
    float r;     // ohms
    float theta; // degrees
    float freq;  // Hz
};

// Decodes a slot's text up to its terminating zero (characters after 18 are ignored).
// Products are formed in extended precision and stored as floats.
DecodedPoint decodePoint(const char *slot);
