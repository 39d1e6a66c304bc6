#pragma once

#include "core/model/CurveBlock.h"

// The dual added-mass method: the free-air curve and two curves with masses m1 < m2 on the same
// grid. Their differences cancel the voice coil (whatever its frequency dependence), leaving the
// motional impedance Zm = (1 - mu) dZ1 dZ2 / (dZ2 - mu dZ1), mu = m2 / m1, dZk = Z0 - Zk.
// Over 0.8..1.2 times its resonance, 1/Zm = jw a + b + j c Q(w) / w is fitted by least squares
// with the creep factor Q = 1 / (1 - beta ln(jw)), beta chosen for the smallest residual. Each
// mass's own equation Bl²·dZk = jw mk Zfit (Zfit - dZk), with the fitted Zfit, gives Bl² by
// least squares over both masses, and Mms = Bl² a.

struct DualMassInput {
    const CurveBlock *free = nullptr;
    const CurveBlock *light = nullptr; // with m1
    const CurveBlock *heavy = nullptr; // with m2
    int first = 0;
    int last = 0;
    double m1 = 0.0;     // kg
    double m2 = 0.0;     // kg, above m1
    double fsHint = 0.0; // Hz, the free-air resonance; |Zm| peaks within 0.5..2 times it
};

struct DualMassFit {
    bool ok = false;
    double fsMotional = 0.0; // Hz, maximum of |Zm|
    double lowHz = 0.0;      // the window averaged and fitted
    double highHz = 0.0;
    int points = 0;
    double Bl = 0.0;  // T·m
    double Mms = 0.0; // kg
    double beta = 0.0;
    double m1Fit = 0.0; // kg, each mass as the fitted model sees it
    double m2Fit = 0.0;
    double consistency = 0.0; // largest |mFit / m - 1|
    double mmsSigma = 0.0;    // relative standard uncertainty of Mms from the scatter of both
                              // least-squares fits (white residuals assumed)
};

// Fewer than kDualMassMinPoints grid points in the window give no fit.
constexpr int kDualMassMinPoints = 5;

DualMassFit fitDualMass(const DualMassInput &in);
