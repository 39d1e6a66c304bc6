#include "core/analysis/AnalysisFlags.h"

#include "core/analysis/MainResonance.h"
#include "core/analysis/WorksheetFormat.h"
#include "core/analysis/WorksheetMessages.h"

#include <cstdlib>

namespace M = WorksheetMessages;

QVector<TsFlag> analysisWindowFlags(const CurveBlock &raw, int first, int last,
                                    const PeakList &peaks, const TsParameters &p)
{
    QVector<TsFlag> flags;
    if (peaks.peakCount == 0)
        return flags;
    const int k = peaks.peakIndex[0];
    const int main = mainResonance(raw, first, last, p.Re);
    if (main >= 0 && std::abs(main - k) > kSamePeakSpan)
        flags.append(
            {TsFlagCode::NotMainResonance,
             M::notMainResonance(worksheetFixed(p.Fs, 2), worksheetFixed(raw.freq[main], 2),
                                 worksheetFixed(raw.r[main], 2))});
    const double step = gridStepAt(raw, first, last, k);
    if (isTooSharpForGrid(p.Qms, step))
        flags.append({TsFlagCode::PeakTooSharp,
                      M::peakTooSharp(worksheetFixed(p.Fs / p.Qms, 2),
                                      worksheetFixed(kSharpPeakSteps * step * p.Fs, 2), 0)});
    return flags;
}
