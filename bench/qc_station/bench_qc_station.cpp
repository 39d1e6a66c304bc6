// The QC station window while its log goes to a server that takes the TCP connection and never
// answers: ten units measured with the simulated unit one after another, each logged as it is
// judged. Prints the largest delays of the window's event loop over the ten units, apart for
// a unit's start up to its first point and its end (the unit's own exchanges wait for the port
// there; the end also judges, saves and hands the record to the log) and for the rest of the
// time, against the goal of 50 ms; the same with the log in a local SQLite file for comparison;
// then the time closing the station took and how many results the spool holds. Runs on the
// offscreen platform unless another one is chosen.

#include "MeasureBench.h"
#include "core/qc/QcLimitsBuild.h"
#include "core/qc/QcLimitsFile.h"
#include "core/qc/log/LogConnection.h"
#include "ui/qc/QcTexts.h"
#include "ui/qc/TFormQc.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kUnits = 10;
constexpr int kBand = 2;
constexpr int kProbeMs = 2;
const QString kDriver = QStringLiteral("Re=5.7,Le=0.5,Fs=40,Qms=3,Qes=0.45");

// A timer of the window's thread: how much later than asked each tick came is how long the
// event loop was held. A gap in which the station started a unit (up to its first point) or
// ended one counts apart.
class LoopProbe
{
public:
    LoopProbe(const TFormQc *qc, const QString *serial)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kProbeMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this, qc, serial] {
            const double late = m_since.nsecsElapsed() / 1e6 - kProbeMs;
            const bool running = qc->running();
            const bool starting =
                running &&
                qc->RunLabel->text() == QcTexts::measuring(*serial, 0, bandPointCount(kBand));
            double &worst = running && (!m_running || starting) ? worstStartMs
                            : running == m_running              ? worstElsewhereMs
                                                                : worstEndMs;
            worst = std::max(worst, late);
            m_running = running;
            m_since.start();
        });
    }
    void start()
    {
        worstStartMs = worstEndMs = worstElsewhereMs = 0.0;
        m_running = false;
        m_since.start();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }

    double worstStartMs = 0.0;
    double worstEndMs = 0.0;
    double worstElsewhereMs = 0.0;

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    bool m_running = false;
};

// The station with limits from one golden unit measured in the main window.
TFormQc *openStation(MeasureBench &b)
{
    QcLimits limits;
    if (!b.startSim({"--fast", "--driver", kDriver}) || !b.measure(kBand) ||
        !makeQcLimits({{"golden", &b.win->document().curveRaw(), kBand}}, {"w", 3, 5, 0}, &limits)
             .isEmpty() ||
        !writeQcLimitsFile(b.dir.filePath("w.limits"), limits))
        return nullptr;
    auto *open = b.win->findChild<QAction *>(QStringLiteral("MenuMeasure_Qc"));
    if (!open)
        return nullptr;
    open->trigger();
    TFormQc *qc = b.win->findChild<TFormQc *>();
    if (qc) {
        qc->LimitsEdit->setText(b.dir.filePath("w.limits"));
        QTest::keyClick(qc->LimitsEdit, Qt::Key_Return);
    }
    return qc;
}

bool measureUnit(TFormQc *qc, const QString &serial)
{
    qc->SerialEdit->setText(serial);
    QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
    return waitUntil([qc] { return !qc->running(); }, 30000);
}

// kUnits units logged into `db`, until the last one's log line has its outcome.
bool logUnits(TFormQc *qc, const QString &db, const char *title)
{
    qc->DbEdit->setText(db);
    QString serial;
    LoopProbe probe(qc, &serial);
    probe.start();
    QElapsedTimer wall;
    wall.start();
    bool ok = true;
    for (int i = 1; i <= kUnits && ok; ++i) {
        serial = QStringLiteral("%1-%2").arg(QLatin1Char(title[0])).arg(i);
        ok = measureUnit(qc, serial);
    }
    const QString logging = QcTexts::logging(serial);
    ok = ok && waitUntil([qc, &logging] { return qc->LogLabel->text() != logging; }, 30000);
    probe.stop();
    std::printf("  %-26s %6.1f ms %6.1f ms %6.1f ms %7.1f s%s\n", title, probe.worstStartMs,
                probe.worstEndMs, probe.worstElsewhereMs, wall.elapsed() / 1000.0,
                ok ? "" : "  (a unit did not finish)");
    return ok;
}

int spooled(const QString &path)
{
    LogConnection c;
    if (!c.open(parseLogTarget(path), true))
        return -1;
    QSqlQuery q(c.db());
    return q.exec(QStringLiteral("SELECT COUNT(*) FROM qc_outbox")) && q.next() ? q.value(0).toInt()
                                                                                : -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MeasureBench b;
    Seams::install(&b.recorder.presenter);
    TFormQc *qc = openStation(b);
    QTcpServer silent; // the kernel takes the connection; nobody reads or answers
    if (!qc || !silent.listen(QHostAddress::LocalHost)) {
        std::fprintf(stderr, "bench_qc_station: the station did not open\n");
        return 1;
    }
    std::printf("bench_qc_station: %d band-2 units (simulated unit, --fast) through the QC "
                "station window\n",
                kUnits);
    std::printf("  %-26s %9s %9s %9s %9s\n", "largest event-loop delay", "at start", "at end",
                "elsewhere", "in all");
    bool ok = logUnits(qc, QString(), "log: SQLite file");
    ok = logUnits(qc, QStringLiteral("postgresql://qc@127.0.0.1:%1/qc").arg(silent.serverPort()),
                  "log: silent server") &&
         ok;

    // Closed right after a unit, while the log still waits for the server.
    ok = measureUnit(qc, QStringLiteral("C-1")) && ok;
    QElapsedTimer closing;
    closing.start();
    qc->close();
    const qint64 closeMs = closing.elapsed();
    const int inSpool = spooled(b.dir.filePath(QStringLiteral("VELO2_qc_spool.sqlite")));
    std::printf("  (goal: 50 ms elsewhere and for what the log adds at an end)\n");
    std::printf("  closing the station with a result on its way: %lld ms; results in the spool: "
                "%d of %d\n",
                qlonglong(closeMs), inSpool, kUnits + 1);
    while (QTcpSocket *s = silent.nextPendingConnection())
        s->abort();
    return ok && inSpool == kUnits + 1 ? 0 : 1;
}
