// What the QC station does after the last point of a band-2 run: convert the record, search
// the resonance, compute the parameters, check every point against the band and fill the
// log's record. Printed as a time per unit, against the goal of 100 ms.

#include "core/files/VELO_File.h"
#include "core/measure/PointEncoder.h"
#include "core/model/BandTable.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/SweepGrid.h"
#include "core/qc/QcLimitsBuild.h"
#include "core/qc/QcVerdict.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// A woofer as the unit sends it: Re 5.7 ohm, Le 0.5 mH, Fs, Qms 3, Qes 0.45.
void fillBand2(MeasurementRecord &record, double fs)
{
    const double re = 5.7, le = 0.5e-3, qms = 3.0, qes = 0.45;
    const std::complex<double> j(0.0, 1.0);
    clearPoints(record);
    record.band = 2;
    for (int i = bandFirstIndex(2); i <= bandLastIndex(2); ++i) {
        const double f = gridFrequencyHz(i);
        const std::complex<double> z =
            re + j * (2.0 * M_PI * f * le) + re * qms / qes / (1.0 + j * qms * (f / fs - fs / f));
        const QByteArray text = encodePointText(std::abs(z), std::arg(z) * 180.0 / M_PI, f);
        std::memcpy(record.points[i], text.constData(), size_t(text.size()) + 1);
    }
}

} // namespace

int main(int argc, char **argv)
{
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 2000;
    const VELO_File file;
    auto record = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();

    // Limits from three golden units, Fs spread ±2 %.
    std::unique_ptr<CurveBlock> golden[3];
    QVector<QcGolden> set;
    for (int g = 0; g < 3; ++g) {
        golden[g] = std::make_unique<CurveBlock>();
        fillBand2(*record, 40.0 * (0.98 + 0.02 * g));
        file.convertRecord(record.get(), golden[g].get(), avg.get());
        set.append({QStringLiteral("golden"), golden[g].get(), 2});
    }
    QcLimits limits;
    if (!makeQcLimits(set, {}, &limits).isEmpty())
        return 1;

    fillBand2(*record, 40.4);
    int passed = 0;
    double worstMs = 0.0;
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < repetitions; ++n) {
        const auto t0 = std::chrono::steady_clock::now();
        file.convertRecord(record.get(), raw.get(), avg.get());
        QcVerdict verdict;
        checkQcUnit(limits, *raw, 2, &verdict);
        const QcRecord r = qcRecordOf(verdict, limits, QStringLiteral("S"));
        passed += r.passed;
        worstMs = std::max(worstMs, std::chrono::duration<double, std::milli>(
                                        std::chrono::steady_clock::now() - t0)
                                        .count());
    }
    const double totalMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("bench_qc: band 2 (%d points), %d units (%d passed)\n", bandPointCount(2),
                repetitions, passed);
    std::printf("  verdict after the last point (convert, parameters, band, record): %.3f ms "
                "per unit, worst %.3f ms (goal: 100 ms)\n",
                totalMs / repetitions, worstMs);
    return passed == repetitions ? 0 : 1;
}
