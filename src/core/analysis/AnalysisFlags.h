#pragma once

#include "core/analysis/PeakSearch.h"
#include "core/analysis/TsFlags.h"
#include "core/analysis/TsParameters.h"

#include <QVector>

// Warnings on the analysis window's ten values, which keep their own rule (the first peak, the
// grid points), for `velo2-cli ts`: `not-main-resonance` when the first peak is not the main
// resonance (MainResonance.h), `peak-too-sharp` when Fs / Qms is under three grid steps.
QVector<TsFlag> analysisWindowFlags(const CurveBlock &raw, int first, int last,
                                    const PeakList &peaks, const TsParameters &p);
