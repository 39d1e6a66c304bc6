// A full band-2 run (540 points) through a pseudo-terminal against the simulated unit, paced at
// the line rate and sent at once. Prints wall time, points per second and the processor time
// this process spent, to show that waiting in poll() costs next to nothing.

#include "core/files/AppPaths.h"
#include "core/measure/RunReceiver.h"
#include "core/measure/TCommPortDriver.h"
#include "core/measure/UnitProtocol.h"
#include "core/model/BandTable.h"
#include "core/model/MeasurementRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr int kBand = 2;

double cpuSeconds()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

bool benchOnce(const QString &dir, bool fast)
{
    QProcess sim;
    QStringList args{QStringLiteral("--link"), dir + QStringLiteral("/COM1")};
    if (fast)
        args << QStringLiteral("--fast");
    sim.start(QStringLiteral(VELO2_BINARY_DIR "/tools/unit-sim/hka2-sim"), args);
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_run: the simulator did not start\n");
        return false;
    }

    TCommPortDriver driver;
    UnitProtocol unit(driver);
    if (unit.openAndIdentify(1) != UnitOutcome::Ok) {
        std::fprintf(stderr, "bench_run: no unit on the line\n");
        return false;
    }
    auto record = std::make_unique<MeasurementRecord>();
    clearPoints(*record);
    RunReceiver rx;

    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    if (unit.mRequestBand(kBand) != UnitOutcome::Ok) {
        std::fprintf(stderr, "bench_run: band request failed\n");
        return false;
    }
    rx.start(kBand);
    RunReceiver::Step end = RunReceiver::Step::Nothing;
    int reads = 0;
    int silent = 0;
    while (!rx.finished() && silent < 20) {
        ++reads;
        silent = rx.readFrom(driver) > 0 ? 0 : silent + 1;
        end = rx.step(*record).step;
    }
    const double seconds = wall.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    unit.mReleaseCOM();
    sim.terminate();
    sim.waitForFinished();

    const int points = rx.pointsReceived();
    const int lineBytes = 5 + bandPointCount(kBand) * 19 + 3; // count reply, points, end mark
    const double lineSeconds = lineBytes * 10.0 / 9600.0;
    std::printf("%-10s %s  %3d points  %7.3f s  %8.1f points/s  %5d reads",
                fast ? "--fast" : "9600 bit/s", end == RunReceiver::Step::EndOk ? "OK " : "ERR",
                points, seconds, points / seconds, reads);
    if (!fast)
        std::printf("  line limit %.3f s  ratio %.3f", lineSeconds, seconds / lineSeconds);
    std::printf("  cpu %.3f s (%.1f %% of wall)\n", cpu, 100.0 * cpu / seconds);
    return end == RunReceiver::Step::EndOk;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    setSettingsDirectoryOverride(dir.path());
    std::printf("bench_run: band %d (%d points) through a pseudo-terminal, request to end mark\n",
                kBand, bandPointCount(kBand));
    const bool paced = benchOnce(dir.path(), false);
    const bool fast = benchOnce(dir.path(), true);
    return paced && fast ? 0 : 1;
}
