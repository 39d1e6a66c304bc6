#pragma once

#include "core/analysis/ThieleSmall.h"
#include "core/model/CurveBlock.h"

#include <QString>

// One unit's classic values in a population: the analysis window's computation (computeTs)
// started from the band's main resonance, so that a ripple below a tweeter's resonance is not
// taken for it.

// Re from the curve when none is typed: the lowest resistive part |Z|·cos θ measured in the
// band (the lowest |Z| of a curve without phase). The motional branch only adds to it, so the
// estimate is never below Re, and it comes closest far from the resonance; a band that ends
// near the resonance reads high (and Qes, Qts with it). NaN when the band holds no point.
double estimateRe(const CurveBlock &raw, int band, bool hasPhase = true);

struct UnitValues {
    QString file;
    int band = 0;
    double re = 0.0;
    bool reEstimated = false;
    TsResult result = TsResult::NoPeak;
    double fs = 0.0;
    double qms = 0.0;
    double qes = 0.0;
    double qts = 0.0;
    double zmax = 0.0; // |Z| at the resonance
    bool ok() const { return result == TsResult::Ok; }
};

UnitValues computeUnitValues(const QString &file, const CurveBlock &raw, int band, double re,
                             bool reEstimated);
