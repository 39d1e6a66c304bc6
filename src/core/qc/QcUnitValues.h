#pragma once

#include "core/model/CurveBlock.h"
#include "core/qc/QcLimits.h"

#include <QString>

// What the QC takes from one measured curve: the parameters (NaN when the curve gives none)
// and whether the whole band was measured.
struct QcUnitValues {
    int band = 0;
    bool complete = false;  // every point of the band is there
    bool peak = false;      // a resonance peak was found
    bool resonance = false; // and the Thiele-Small values computed from it
    double parameters[kQcParameterCount];
    QcUnitValues();
};

// Peak search and the refined classic Thiele-Small values on the raw curve with the given Re;
// Zmin from the resonance up to the band's last point.
QcUnitValues measureQcUnit(const CurveBlock &raw, int band, double re);

// Re estimated from a curve: the smallest real part of Z over the band's points with a phase
// within ±30° (the voice coil's resistance, which the motional part and the inductance only
// add to). 0 without such points.
double estimateRe(const CurveBlock &raw, int band);
