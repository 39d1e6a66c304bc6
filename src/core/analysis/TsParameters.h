#pragma once

#include <QString>
#include <array>

// The ten Thiele-Small values of the last computation, single precision, in display order.
struct TsParameters {
    float Re = 0.0f;   // ohm, entered by the user
    float Rmax = 0.0f; // ohm, raw R at the first peak
    float Fs = 0.0f;   // Hz, frequency of the first peak
    float r0 = 0.0f;   // Rmax / Re
    float Rx = 0.0f;   // ohm, Re * sqrt(r0)
    float f1 = 0.0f;   // Hz, below Fs where R falls to Rx
    float f2 = 0.0f;   // Hz, above Fs where R falls to Rx
    float Qms = 0.0f;
    float Qes = 0.0f;
    float Qts = 0.0f;
};

static_assert(sizeof(TsParameters) == 10 * sizeof(float));

constexpr int kTsValueCount = 10;

// The values in field order, for forms that list them row by row.
std::array<float, kTsValueCount> tsValues(const TsParameters &p);

// The row label of value i as the result window shows it: "Re [ Ω ]" ... "Qts".
QString tsValueLabel(int i);
