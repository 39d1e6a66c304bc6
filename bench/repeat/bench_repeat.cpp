// `velo2-cli measure` of band 4 against the simulated unit paced at 9600 bit/s, once as a single
// run and once with --repeat 4, each timed from the tool's start to its end. Prints both wall
// times, the line time of one sweep and how far the four sweeps stay within four line times
// plus 0.5 s (the goal).

#include "SimulatedUnit.h"
#include "core/model/BandTable.h"
#include "core/model/PointText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kBand = 4;
constexpr int kRepeats = 4;
constexpr double kBitsPerByte = 10.0;
constexpr double kBitRate = 9600.0;
constexpr double kAllowanceS = 0.5;

// Bytes the unit puts on the line for one sweep: the replies of the start ("OK", "HKA2", "OK",
// "HKA2", version, serial, "0", the count), the points, the end mark and the reply to the
// release's "ME", each with its terminator.
int sweepLineBytes()
{
    const int replies = 3 + 5 + 3 + 5 + 5 + 5 + 2 + 5;
    return replies + bandPointCount(kBand) * kPointWireLength + 3 + 3;
}

// Wall seconds of one velo2-cli measure, or -1 when it failed.
double timedMeasure(const QString &port, const QString &out, int repeats)
{
    QStringList args{
        QStringLiteral("measure"), QStringLiteral("--port"), port, QStringLiteral("--band"),
        QString::number(kBand),    QStringLiteral("-o"),     out};
    if (repeats > 1)
        args << QStringLiteral("--repeat") << QString::number(repeats);
    QProcess cli;
    QElapsedTimer wall;
    wall.start();
    cli.start(QStringLiteral(VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli"), args);
    const bool done = cli.waitForFinished(120000);
    const double seconds = wall.nsecsElapsed() / 1e9;
    if (!done || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        std::fprintf(stderr, "bench_repeat: measure failed: %s\n",
                     cli.readAllStandardError().constData());
        return -1.0;
    }
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    SimulatedUnit sim;
    const QString port = dir.filePath(QStringLiteral("COM1"));
    if (!sim.start(port, {QStringLiteral("--noise"), QStringLiteral("1")})) {
        std::fprintf(stderr, "bench_repeat: the simulator did not start\n");
        return 1;
    }
    const double line = sweepLineBytes() * kBitsPerByte / kBitRate;
    const double limit = kRepeats * line + kAllowanceS;
    std::printf("bench_repeat: velo2-cli measure, band %d (%d points), simulator paced at 9600 "
                "bit/s; line time of one sweep %.3f s (%d bytes)\n",
                kBand, bandPointCount(kBand), line, sweepLineBytes());
    bool ok = true;
    for (int round = 0; round < 2 && ok; ++round) {
        const double one = timedMeasure(port, dir.filePath(QStringLiteral("one.DTA")), 1);
        const double four = timedMeasure(port, dir.filePath(QStringLiteral("four.DTA")), kRepeats);
        ok = one > 0.0 && four > 0.0;
        if (ok)
            std::printf("N = 1: %6.3f s   N = %d: %6.3f s   goal %d x %.3f + %.1f = %6.3f s   "
                        "margin %+.3f s   N = %d per sweep %.3f s\n",
                        one, kRepeats, four, kRepeats, line, kAllowanceS, limit, limit - four,
                        kRepeats, four / kRepeats);
    }
    sim.stop();
    return ok ? 0 : 1;
}
