#pragma once

#include "core/analysis/AirProperties.h"

// The rest of the Thiele-Small set once the moving mass and the force factor are known, in SI
// units. Values that need Sd are NaN when Sd is unknown (0).
struct DriverSet {
    double Mms = 0.0;  // kg
    double Cms = 0.0;  // m/N
    double Rms = 0.0;  // kg/s
    double Bl = 0.0;   // T·m
    double Qes = 0.0;  // from Bl: 2π Fs Mms Re / Bl²
    double Vas = 0.0;  // m³
    double EBP = 0.0;  // Hz, Fs / Qes
    double eta0 = 0.0; // reference efficiency, a fraction
    double spl1W = 0.0;
    double spl2V83 = 0.0;
};

// Bl from the electrical Q: sqrt(2π Fs Mms Re / Qes).
double blFromQes(double fs, double mms, double re, double qes);

// Cms = 1 / ((2π Fs)² Mms), Rms = 2π Fs Mms / Qms, Vas = rho c² Sd² Cms,
// eta0 = rho Bl² Sd² / (2π c Re Mms²), sensitivity at 1 m on a half space for 1 W and for
// 2.83 V into Re.
DriverSet completeDriverSet(double fs, double qms, double re, double mms, double bl, double sd,
                            const Air &air);

// Sound pressure level at 1 m on a half space for an acoustic power of eta0 watt per watt.
double splOneWatt(double eta0, const Air &air);
