// The results log's figures: eight station processes logging 2,000 units each at once into one
// throwaway PostgreSQL server, once undisturbed and once with the server stopped for 10 s in
// the middle; and "velo2-cli qc report" over an SQLite log of 1,000,000 units.

#include "PgServer.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogSchema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <vector>

namespace {

const int kStations = 8;
const int kUnitsEach = 2000;
const int kReportUnits = 1000000;

struct LineResult {
    bool ok = true;
    double seconds = 0.0;
    qint64 rows = 0;
    qint64 distinct = 0;
    int shortStations = 0; // stations with fewer or more rows than they logged
};

qint64 count(PgServer &pg, const QString &sql)
{
    return pg.psql(sql).toLongLong();
}

// Eight stations named PREFIX1..8; with an outage, the server stops once a quarter of the
// units are in and starts again 10 s later.
LineResult runLine(PgServer &pg, const QString &prefix, const QString &folder, bool outage)
{
    LineResult r;
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> stations;
    for (int s = 1; s <= kStations; ++s) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QString station = prefix + QString::number(s);
        p->start(QStringLiteral(VELO2_QC_STATION),
                 {pg.socketUri(), station, QString::number(kUnitsEach),
                  folder + QLatin1Char('/') + station + QStringLiteral(".spool.sqlite")});
        stations.push_back(std::move(p));
    }
    const QString inLine =
        QStringLiteral("SELECT COUNT(*) FROM qc_unit WHERE station LIKE '%1%'").arg(prefix);
    if (outage) {
        while (count(pg, inLine) < kStations * kUnitsEach / 4 && clock.elapsed() < 300000)
            QThread::msleep(100);
        const qint64 before = count(pg, inLine);
        pg.stop();
        std::printf("  server stopped at %.1f s with %lld rows in; 10 s later it starts again\n",
                    clock.elapsed() / 1000.0, before);
        QThread::sleep(10);
        pg.start();
    }
    for (auto &p : stations) {
        p->waitForFinished(600000);
        r.ok = r.ok && p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0;
    }
    r.seconds = clock.elapsed() / 1000.0;
    r.rows = count(pg, inLine);
    r.distinct = count(pg, QStringLiteral("SELECT COUNT(DISTINCT (station, run_id)) FROM qc_unit "
                                          "WHERE station LIKE '%1%'")
                               .arg(prefix));
    for (int s = 1; s <= kStations; ++s)
        if (count(pg, QStringLiteral("SELECT COUNT(*) FROM qc_unit WHERE station = '%1%2'")
                          .arg(prefix)
                          .arg(s)) != kUnitsEach)
            ++r.shortStations;
    r.ok = r.ok && r.rows == kStations * kUnitsEach && r.distinct == r.rows && r.shortStations == 0;
    return r;
}

bool printLine(const char *title, const LineResult &r)
{
    std::printf("  %-34s %5lld rows, %5lld distinct (expected %d), stations short: %d, "
                "%.1f s, %.0f units/s  %s\n",
                title, r.rows, r.distinct, kStations * kUnitsEach, r.shortStations, r.seconds,
                r.rows / r.seconds, r.ok ? "ok" : "FAILED");
    return r.ok;
}

// A log of a year of units, 6 parameters each, written by the database itself in the tables of
// version 2; the step to the current version then adds the day sums, as for an older log.
bool fillSqliteLog(const QString &path, double *migrateSeconds)
{
    LogConnection c;
    QString error;
    if (!c.open(parseLogTarget(path)) || !LogSchema::migrate(c.db(), &error, 2))
        return false;
    QSqlQuery q(c.db());
    const QString units =
        QStringLiteral(
            "WITH RECURSIVE seq(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM seq "
            "WHERE i < %1) INSERT INTO qc_unit (station, run_id, time_utc, passed) "
            "SELECT 'st' || (i % 8), printf('run-%07d', i), "
            "strftime('%Y-%m-%dT%H:%M:%fZ', '2026-01-01', '+' || (i * 30) || ' seconds'), "
            "abs(random()) % 100 < 97 FROM seq")
            .arg(kReportUnits);
    // name, centre, half window
    const char *const parameters[][3] = {{"Fs", "30", "3"},       {"Rmax", "40", "4"},
                                         {"Qms", "3", "0.5"},     {"Qes", "0.5", "0.08"},
                                         {"Qts", "0.43", "0.07"}, {"Zmin", "6.5", "0.5"}};
    bool ok = q.exec(QStringLiteral("BEGIN")) && q.exec(units);
    for (const auto &p : parameters)
        ok = ok && q.exec(QStringLiteral("INSERT INTO qc_parameter (station, run_id, name, "
                                         "value, low, high, time_utc) SELECT station, run_id, "
                                         "'%1', %2 + %3 * ((abs(random()) % 2001) - 1000) / "
                                         "3000.0, %2 - %3, %2 + %3, time_utc FROM qc_unit")
                              .arg(QLatin1String(p[0]), QLatin1String(p[1]), QLatin1String(p[2])));
    ok = ok && q.exec(QStringLiteral("COMMIT"));
    q.finish();
    QElapsedTimer clock;
    clock.start();
    ok = ok && LogSchema::migrate(c.db(), &error);
    *migrateSeconds = clock.elapsed() / 1000.0;
    return ok && q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

double runReport(const QStringList &args, QByteArray *out)
{
    QElapsedTimer clock;
    clock.start();
    QProcess p;
    p.start(QStringLiteral(VELO2_CLI),
            QStringList{QStringLiteral("qc"), QStringLiteral("report")} + args);
    p.waitForFinished(120000);
    *out = p.readAllStandardOutput();
    return p.exitCode() == 0 ? clock.elapsed() / 1000.0 : -1.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    bool allOk = true;

    std::printf("bench_qc_log: %d station processes x %d units into one PostgreSQL 15 "
                "(each through its own SQLite spool)\n",
                kStations, kUnitsEach);
    PgServer pg;
    if (!PgServer::available() || !pg.setUp()) {
        std::printf("  no PostgreSQL server: %s\n", qPrintable(pg.error()));
        allOk = false;
    } else {
        allOk =
            printLine("all at once", runLine(pg, QStringLiteral("a"), dir.path(), false)) && allOk;
        allOk = printLine("all at once, server down for 10 s",
                          runLine(pg, QStringLiteral("b"), dir.path(), true)) &&
                allOk;
    }

    std::printf("bench_qc_log: qc report over an SQLite log of %d units (6 parameters each)\n",
                kReportUnits);
    const QString path = dir.filePath(QStringLiteral("year.sqlite"));
    QElapsedTimer fill;
    fill.start();
    double migrate = 0.0;
    if (!fillSqliteLog(path, &migrate)) {
        std::printf("  could not fill the log\n");
        return 1;
    }
    std::printf("  filled in %.1f s; of that, the day sums made from a log of version 2 in %.1f "
                "s\n",
                fill.elapsed() / 1000.0, migrate);
    QByteArray out;
    for (const QString &since : {QString(), QStringLiteral("2026-07-01")}) {
        QStringList args{QStringLiteral("--db"), path, QStringLiteral("--json")};
        if (!since.isEmpty())
            args << QStringLiteral("--since") << since;
        const double seconds = runReport(args, &out);
        const QJsonObject json = QJsonDocument::fromJson(out).object();
        const bool ok = seconds >= 0.0 && seconds <= 2.0;
        allOk = allOk && ok;
        std::printf(
            "  velo2-cli qc report%-22s %7lld units, yield %.2f %%, Fs Cpk %.3f: "
            "%.2f s  %s\n",
            since.isEmpty() ? "" : qPrintable(QStringLiteral(" --since ") + since),
            qint64(json.value(QStringLiteral("units")).toDouble()),
            json.value(QStringLiteral("yieldPct")).toDouble(),
            json.value(QStringLiteral("parameters"))[QStringLiteral("Fs")][QStringLiteral("cpk")]
                .toDouble(),
            seconds, ok ? "ok (<= 2 s)" : "FAILED");
    }
    return allOk ? 0 : 1;
}
