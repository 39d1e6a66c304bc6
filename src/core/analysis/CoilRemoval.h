#pragma once

#include "core/analysis/fit/ImpedanceFit.h"
#include "core/model/CurveBlock.h"

// The voice coil's inductance tilts the |Z| peak and biases the classic Q values. A model fit
// of the free-air curve knows the coil: its impedance Ze is the fitted model without the
// motional branch. The curve Re + (Z - Ze) is the motional impedance over the entered Re,
// which the classic method reads without that bias. The coil is the same with a mass on the
// cone or in a box, so every curve of the worksheet is corrected alike.

// Whether the fit can correct curves: a result, fitted with the phase.
bool canRemoveCoil(const FitResult &fit);

// The fitted coil's impedance at hz: the model with the motional branch shorted.
std::complex<double> fittedCoilImpedance(const FitResult &fit, double hz);

// out = raw with every measured point of first..last replaced by Re + (Z - Ze); the other
// slots are copied as they are.
void removeCoil(const CurveBlock &raw, int first, int last, const FitResult &fit, double re,
                CurveBlock &out);
