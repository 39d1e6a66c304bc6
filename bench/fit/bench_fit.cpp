// Model fits of real drivers' curves as the simulated unit replays them, and the time of one
// fit of a full 540-point sweep.

#include "SimulatorReplay.h"
#include "core/analysis/fit/ImpedanceFit.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

struct Driver {
    const char *file;
    double re;
};
// Re as the data folder's README gives it.
const Driver kDrivers[] = {{"seas_l16rnx_0g.zma", 5.721},      {"seas_l16rnx_plus8g.zma", 5.721},
                           {"seas_l16rnx_plus16g.zma", 5.721}, {"sb17mfc35_w1_new.zma", 5.763},
                           {"grs_8sw4he8_datasheet.zma", 3.8}, {"tb_w3_1876s_datasheet.zma", 3.6}};

const char *const kGrades[] = {"excellent", "good", "fair", "poor"};

std::unique_ptr<CurveBlock> replay(const char *file, int band)
{
    CurveTable table;
    std::string error;
    if (!table.load(std::string(VELO2_DRIVER_DATA_DIR "/") + file, error)) {
        std::fprintf(stderr, "bench_fit: %s\n", error.c_str());
        std::exit(1);
    }
    return replaySweep(table, band);
}

} // namespace

int main(int argc, char **argv)
{
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 50;
    bool allOk = true;
    std::printf("bench_fit: real drivers replayed on band 1, Re fixed\n");
    for (const Driver &d : kDrivers) {
        const auto raw = replay(d.file, 1);
        const std::vector<FitPoint> pts = fitPoints(*raw, 1, 0, 0);
        for (FitModel m : {FitModel::Classic, FitModel::Lr2, FitModel::Semi}) {
            const FitResult r = fitImpedanceCurve(pts, {m, d.re, false});
            allOk = allOk && r.outcome == FitOutcome::Ok;
            if (r.outcome != FitOutcome::Ok) {
                std::printf("  %-26s %-7s failed (%d)\n", d.file, qPrintable(fitModelName(m)),
                            int(r.outcome));
                continue;
            }
            std::printf("  %-26s %-7s Fs %7.3f Hz  Qms %6.3f  Qes %6.4f  Qts %6.4f  |Z| %5.2f %%  "
                        "phase %5.2f deg%s  %-9s %3d it\n",
                        d.file, qPrintable(fitModelName(m)), r.derived.Fs, r.derived.Qms,
                        r.derived.Qes, r.derived.Qts, r.rmsMagPct, r.rmsPhaseDeg,
                        r.phaseUsed ? "" : " (|Z| alone)", kGrades[int(r.grade)], r.iterations);
        }
    }

    const auto raw = replay("seas_l16rnx_0g.zma", 2);
    const std::vector<FitPoint> pts = fitPoints(*raw, 2, 0, 0);
    for (FitModel m : {FitModel::Classic, FitModel::Lr2, FitModel::Semi}) {
        FitResult r;
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        for (int n = 0; n < repetitions; ++n)
            r = fitImpedanceCurve(pts, {m, 5.721, false});
        const std::clock_t cpuStop = std::clock();
        const auto stop = std::chrono::steady_clock::now();
        const double ms = std::chrono::duration<double, std::milli>(stop - start).count();
        // Processor time beside the wall clock: on a busy machine the two part.
        const double cpuMs = 1000.0 * double(cpuStop - cpuStart) / CLOCKS_PER_SEC;
        std::printf("  %d-point fit (SEAS, band 2), %-7s %.2f ms per fit, %.2f ms processor "
                    "time (%d repetitions)\n",
                    int(pts.size()), qPrintable(fitModelName(m)), ms / repetitions,
                    cpuMs / repetitions, repetitions);
        allOk = allOk && r.outcome == FitOutcome::Ok;
    }
    return allOk ? 0 : 1;
}
