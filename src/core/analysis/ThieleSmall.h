#pragma once

#include "core/analysis/PeakSearch.h"
#include "core/analysis/TsParameters.h"
#include "core/model/CurveBlock.h"

#include <QString>

enum class TsResult {
    Ok,
    NoPeak,  // no resonance to start from
    BadRe,   // Re cannot give meaningful values against this Rmax
    NoF1,    // R never falls to Rx below the peak
    NoF2,    // R never falls to Rx above the peak
    BadF1F2, // f1 and f2 give no usable bandwidth
};

// Re is usable when 0 < Re < Rmax and r0 = Rmax / Re stays a finite float above 1. Anything
// else would take the square root of a negative r0, divide by r0 - 1 = 0 or give a negative Q.
bool isAcceptableRe(float Re, float Rmax);

// The number typed as Re, blanks around it allowed. False for anything that is not a finite
// number in float range ("abc", "nan", "inf", "1e39"); *Re is then left alone.
bool parseReText(const QString &text, float *Re);

// Side frequency below the peak: steps i from peak-1 down to first for the first pair with
// R[i] <= Rx <= R[i+1] and interpolates linearly in R and frequency. False when none exists.
bool findF1(const CurveBlock &raw, int first, int peak, float Rx, float *f1);

// Side frequency above the peak: steps i from peak up to last-1 for the first pair with
// R[i] >= Rx >= R[i+1].
bool findF2(const CurveBlock &raw, int last, int peak, float Rx, float *f2);

// Computes p from the resonance of `peaks` and the entered Re on the raw curve of the band.
// Refuses before writing anything when there is no peak or Re is not acceptable. On a later
// failure Re, Rmax, Fs, r0 and Rx are updated and the other fields keep their values; on
// success every field is a finite number and the three Q values are positive.
TsResult computeTs(const CurveBlock &raw, int first, int last, const PeakList &peaks, float Re,
                   TsParameters &p);
