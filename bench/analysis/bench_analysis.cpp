// Time of one analysis pass on a full band-2 curve: smoothing, peak search and the
// Thiele-Small computation, averaged over many repetitions.

#include "core/analysis/AnalysisSmoothing.h"
#include "core/analysis/PeakSearch.h"
#include "core/analysis/ThieleSmall.h"
#include "core/model/BandTable.h"
#include "core/model/CurveBlock.h"
#include "core/model/SweepGrid.h"

#include <chrono>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// A 6.5" woofer: Re 6 ohm, Le 0.5 mH, Fs 45 Hz, Qms 4, Qes 0.57.
void fillBand2(CurveBlock &raw)
{
    const double re = 6.0, le = 0.5e-3, fs = 45.0, qms = 4.0, qes = 0.57;
    const std::complex<double> j(0.0, 1.0);
    for (int i = bandFirstIndex(2); i <= bandLastIndex(2); ++i) {
        const double f = gridFrequencyHz(i);
        const std::complex<double> z =
            re + j * (2.0 * M_PI * f * le) + re * qms / qes / (1.0 + j * qms * (f / fs - fs / f));
        raw.r[i] = float(std::abs(z));
        raw.theta[i] = float(std::arg(z) * 180.0 / M_PI);
        raw.freq[i] = float(f);
    }
    raw.valid = 1;
}

} // namespace

int main(int argc, char **argv)
{
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 20000;
    auto raw = std::make_unique<CurveBlock>();
    auto smooth = std::make_unique<CurveBlock>();
    fillBand2(*raw);
    const int first = bandFirstIndex(2);
    const int last = bandLastIndex(2);

    TsParameters p;
    int okCount = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < repetitions; ++n) {
        smoothForAnalysis(*raw, *smooth, first, last);
        const PeakList peaks = findPeaks(*raw, *smooth, first, last);
        okCount += computeTs(*raw, first, last, peaks, 6.0f, p) == TsResult::Ok;
    }
    const auto stop = std::chrono::steady_clock::now();
    const double totalMs = std::chrono::duration<double, std::milli>(stop - start).count();

    std::printf("bench_analysis: band 2 (%d points), %d repetitions\n", last - first + 1,
                repetitions);
    std::printf("  smoothing + peak search + Thiele-Small: %.3f ms total, %.2f us per pass\n",
                totalMs, totalMs * 1000.0 / repetitions);
    std::printf("  result: Fs %.2f Hz, Qms %.3f, Qes %.3f, Qts %.3f (%d of %d computed)\n", p.Fs,
                p.Qms, p.Qes, p.Qts, okCount, repetitions);
    return okCount == repetitions ? 0 : 1;
}
