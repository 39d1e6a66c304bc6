// A band-2 run (540 points) through the real main window against the simulated unit paced at
// 9600 bit/s, from the start click to "測定終了しました". Prints the line-rate limit, the wall
// time, their ratio and the processor time the program used; then the time a stop click
// waits mid-run before the unit is stopped. Goals: ratio at most 1.03, processor time at most
// 5 % of the wall time. Runs on the offscreen platform unless another one is chosen.

#include "DocumentProbe.h"
#include "RecordingPresenter.h"
#include "SimulatedUnit.h"
#include "core/files/AppPaths.h"
#include "core/model/BandTable.h"
#include "core/model/PointText.h"
#include "ui/common/TStatusBar.h"
#include "ui/main/MainRun.h"
#include "ui/main/TFormMain.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

constexpr int kBand = 2;
constexpr int kComPort = 1;
constexpr double kBitsPerByte = 10.0;
constexpr double kBitRate = 9600.0;

double cpuSeconds()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Bytes the unit puts on the line from the start click to the end of the run: the replies of
// the start ("OK", "HKA2", "OK", "HKA2", version, serial, "0", the count), the points, the
// end mark and the reply to the release's "ME", each with its terminator.
int lineBytes()
{
    const int replies = 3 + 5 + 3 + 5 + 5 + 5 + 2 + 5;
    return replies + bandPointCount(kBand) * kPointWireLength + 3 + 3;
}

// Runs the event loop until `done` holds, checking only when the loop is about to wait, so
// that the check itself never wakes the loop and never speeds the run up.
bool runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QEventLoop loop;
    QObject guard;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &guard, [&] {
                         if (done())
                             loop.quit();
                     });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// Found once: the check runs whenever the loop waits and must cost next to nothing.
QString panel(const TFormMain &w, int i)
{
    static const TStatusBar *bar = w.findChild<TStatusBar *>("StatusBar1");
    return bar->panel(i)->text();
}

bool fullRun(TFormMain &w, bool visible)
{
    w.setVisible(visible);
    w.findChild<QComboBox *>("ComboBox2")->setCurrentIndex(kBand - 1);
    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    w.findChild<QPushButton *>("MStartBtn")->click();
    const bool ok =
        runUntil([&] { return panel(w, 1) == QStringLiteral("測定終了しました"); }, 60000);
    const double seconds = wall.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpu0;
    const double limit = lineBytes() * kBitsPerByte / kBitRate;
    std::printf("%-14s %s  %3d points  line limit %6.3f s  wall %6.3f s  ratio %5.3f  "
                "cpu %5.3f s (%4.1f %% of wall)\n",
                visible ? "window shown" : "window hidden", ok ? "OK " : "ERR",
                w.run().pointsReceived(), limit, seconds, seconds / limit, cpu,
                100.0 * cpu / seconds);
    return ok && w.document().measurement().valid == 1;
}

bool stopLatency(TFormMain &w)
{
    w.setVisible(true);
    DocumentProbe::saved(w.document()) = 1; // no question about the previous run
    w.findChild<QPushButton *>("MStartBtn")->click();
    if (!runUntil([&] { return w.run().pointsReceived() >= 200; }, 30000))
        return false;
    // The click is posted as a user's would be and waits for the event loop.
    QElapsedTimer waited;
    qint64 handledAfter = -1;
    QTimer::singleShot(0, &w, [&] {
        handledAfter = waited.elapsed();
        w.findChild<QPushButton *>("MStartBtn")->click();
    });
    waited.start();
    const bool ok = runUntil([&] { return !w.run().measuring(); }, 5000);
    std::printf("stop mid-run   %s  click handled after %lld ms, unit stopped after %lld ms, "
                "at point %d\n",
                ok ? "OK " : "ERR", qlonglong(handledAfter), qlonglong(waited.elapsed()),
                w.run().pointsReceived());
    return ok && panel(w, 1) == QStringLiteral("測定中止しました");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    setSettingsDirectoryOverride(dir.path());
    ScopedRecorder boxes;
    SimulatedUnit sim;
    if (!sim.start(dir.filePath(QStringLiteral("COM%1").arg(kComPort)), {})) {
        std::fprintf(stderr, "bench_run_speed: the simulator did not start\n");
        return 1;
    }
    auto window = std::make_unique<TFormMain>();
    TFormMain &w = *window;
    w.show();
    runUntil([&] { return !w.initPending(); }, 5000);
    w.preferences().settings.comPort = kComPort;

    std::printf("bench_run_speed: band %d (%d points) through the main window, simulator paced "
                "at 9600 bit/s\n",
                kBand, bandPointCount(kBand));
    bool ok = true;
    for (bool visible : {true, false, true}) {
        ok = fullRun(w, visible) && ok;
        DocumentProbe::saved(w.document()) = 1; // no question about the previous run
    }
    ok = stopLatency(w) && ok;
    if (!boxes.presenter.boxes.isEmpty()) {
        std::fprintf(stderr, "bench_run_speed: unexpected message: %s\n",
                     qPrintable(boxes.presenter.lastText()));
        ok = false;
    }
    window.reset();
    sim.stop();
    return ok ? 0 : 1;
}
