// "velo2-cli qc report --html" over an SQLite log of 1,000,000 units with 6 parameters each:
// the time it takes and the size of the page.

#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogSchema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

// User and system time of the children waited for so far: on a machine others share, the
// time the report itself took.
double childCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double loadAverage()
{
    double load[1] = {0.0};
    return getloadavg(load, 1) == 1 ? load[0] : -1.0;
}

const int kUnits = 1000000;
const double kSecondsAllowed = 3.0;
const qint64 kBytesAllowed = 2 * 1024 * 1024;

// The database writes the units itself into a log of the current version, then the day sums
// the stations keep as they log. A slow drift runs through the values so that the charts have
// something to show.
bool fillLog(const QString &path)
{
    LogConnection c;
    QString error;
    if (!c.open(parseLogTarget(path)) || !LogSchema::migrate(c.db(), &error))
        return false;
    QSqlQuery q(c.db());
    const QString units =
        QStringLiteral(
            "WITH RECURSIVE seq(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM seq "
            "WHERE i < %1) INSERT INTO qc_unit (station, run_id, time_utc, serial, limits_name, "
            "passed) SELECT 'st' || (i % 8), printf('run-%07d', i), "
            "strftime('%Y-%m-%dT%H:%M:%fZ', '2026-01-01', '+' || (i * 30) || ' seconds'), "
            "printf('SN%07d', i), 'woofer v1', abs(random()) % 100 < 97 FROM seq")
            .arg(kUnits);
    const char *const parameters[][3] = {{"Fs", "30", "3"},       {"Rmax", "40", "4"},
                                         {"Qms", "3", "0.5"},     {"Qes", "0.5", "0.08"},
                                         {"Qts", "0.43", "0.07"}, {"Zmin", "6.5", "0.5"}};
    // A bulk load: nothing to recover if it breaks off.
    bool ok = q.exec(QStringLiteral("PRAGMA journal_mode=OFF")) &&
              q.exec(QStringLiteral("PRAGMA synchronous=OFF")) && q.exec(QStringLiteral("BEGIN")) &&
              q.exec(units) &&
              q.exec(QStringLiteral("UPDATE qc_unit SET failures = 'Fs outside its window', "
                                    "data_file = '/data/woofer/' || run_id || '.DTA' WHERE "
                                    "passed = 0"));
    for (const auto &p : parameters)
        ok = ok &&
             q.exec(QStringLiteral("INSERT INTO qc_parameter (station, run_id, name, value, low, "
                                   "high, time_utc) SELECT station, run_id, '%1', %2 + %3 * "
                                   "(((abs(random()) % 2001) - 1000) / 3000.0 + 0.1 * "
                                   "sin(CAST(substr(run_id, 5) AS INTEGER) / 40000.0)), %2 - %3, "
                                   "%2 + %3, time_utc FROM qc_unit")
                        .arg(QLatin1String(p[0]), QLatin1String(p[1]), QLatin1String(p[2])));
    ok = ok &&
         q.exec(QStringLiteral("INSERT INTO qc_day_unit (station, day, units, passed) SELECT "
                               "station, substr(time_utc, 1, 10), COUNT(*), SUM(passed) FROM "
                               "qc_unit GROUP BY station, substr(time_utc, 1, 10)")) &&
         q.exec(QStringLiteral(
             "INSERT INTO qc_day_passed (station, day, limits_name, name, n, total, squares) "
             "SELECT p.station, substr(p.time_utc, 1, 10), u.limits_name, p.name, COUNT(*), "
             "SUM(p.value), SUM(p.value * p.value) FROM qc_parameter p JOIN qc_unit u ON "
             "u.station = p.station AND u.run_id = p.run_id WHERE u.passed = 1 GROUP BY "
             "p.station, substr(p.time_utc, 1, 10), u.limits_name, p.name"));
    return q.exec(QStringLiteral("COMMIT")) && ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("bench_qc_spc: qc report --html over an SQLite log of %d units (6 parameters "
                "each)\n",
                kUnits);
    // A log named on the command line is filled once and kept for the next run.
    const QString log =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("year.sqlite"));
    QElapsedTimer clock;
    clock.start();
    if (!QFileInfo::exists(log)) {
        if (!fillLog(log)) {
            std::printf("  could not fill the log\n");
            return 1;
        }
        std::printf("  log filled in %.1f s (%.0f MB)\n", clock.elapsed() / 1000.0,
                    QFileInfo(log).size() / 1e6);
    }
    const QString page = dir.filePath(QStringLiteral("report.html"));
    bool allOk = true;
    for (const QStringList &extra :
         {QStringList{}, QStringList{QStringLiteral("--by"), QStringLiteral("shift")},
          QStringList{QStringLiteral("--since"), QStringLiteral("2026-07-01")}}) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        clock.restart();
        const double cpuBefore = childCpuSeconds();
        p.start(QStringLiteral(VELO2_CLI),
                QStringList{QStringLiteral("qc"), QStringLiteral("report"), QStringLiteral("--db"),
                            log, QStringLiteral("--html"), page} +
                    extra);
        p.waitForFinished(120000);
        const double seconds = clock.elapsed() / 1000.0;
        const double cpu = childCpuSeconds() - cpuBefore;
        const qint64 bytes = QFileInfo(page).size();
        const bool ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
                        seconds <= kSecondsAllowed && bytes > 0 && bytes <= kBytesAllowed;
        allOk = allOk && ok;
        std::printf("  velo2-cli qc report --html%-22s %.2f s (<= %.0f s; CPU %.2f s, load "
                    "%.1f), page %.0f kB (<= %lld kB)  %s\n",
                    extra.isEmpty() ? "" : qPrintable(QLatin1Char(' ') + extra.join(' ')), seconds,
                    kSecondsAllowed, cpu, loadAverage(), bytes / 1024.0, kBytesAllowed / 1024,
                    ok ? "ok" : "FAILED");
        QFile::remove(page);
    }
    return allOk ? 0 : 1;
}
