#include "PgServer.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"
#include "core/qc/log/LogUnits.h"
#include "core/qc/log/ResultsLog.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QcRecord unit(int i)
{
    QcRecord r;
    r.runId = QStringLiteral("run-%1").arg(i, 4, 10, QLatin1Char('0'));
    // Five hours apart: units 1-3 on one UTC day, 4-8 on the next two.
    r.timeUtc = QDateTime(QDate(2026, 12, 7), QTime(8, 0), Qt::UTC).addSecs(i * 5 * 3600);
    r.serial = QStringLiteral("SN%1").arg(i);
    r.limitsName = QStringLiteral("woofer v1");
    r.band = 2;
    r.passed = i % 4 != 0;
    if (!r.passed)
        r.failures << QStringLiteral("Fs out of its window");
    r.parameters = {{QStringLiteral("Fs"), 30.0 + i, 25.0, 45.0},
                    {QStringLiteral("Qts"), 0.4, 0.3, 0.5}};
    return r;
}

// A unit without a resonance: no value measured.
QcRecord deadUnit(int i)
{
    QcRecord r = unit(i);
    r.passed = false;
    r.failures = QStringList{QStringLiteral("no resonance")};
    for (QcParameter &p : r.parameters)
        p.value = qQNaN();
    return r;
}

// A log of the first version with one unit, as an older station left it.
void makeVersion1(const LogTarget &target)
{
    LogConnection c;
    QVERIFY2(c.open(target), qPrintable(c.message()));
    QString error;
    QVERIFY2(LogSchema::migrate(c.db(), &error, 1), qPrintable(error));
    QSqlQuery q(c.db());
    QVERIFY(q.exec(QStringLiteral("INSERT INTO qc_unit VALUES ('old', 'r0', "
                                  "'2026-01-05T10:00:00.000Z', 'S0', 'woofer v1', 2, 1, '', '')")));
    QVERIFY(q.exec(QStringLiteral("INSERT INTO qc_parameter VALUES ('old', 'r0', 'Fs', 30, 25, "
                                  "45)")));
}

} // namespace

class TestQcLog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void scenarios_data();
    void scenarios();
    void report();
    void units_data();
    void units();
    void cliReport_data();
    void cliReport();

private:
    QString targetText(const QString &kind) const;

    std::unique_ptr<PgServer> m_pg;
    QTemporaryDir m_dir;
};

void TestQcLog::initTestCase()
{
    QVERIFY2(PgServer::available(), "PostgreSQL 15 is not installed (./run test installs it)");
    m_pg = std::make_unique<PgServer>();
    QVERIFY2(m_pg->setUp(), qPrintable(m_pg->error()));
}

void TestQcLog::init()
{
    QVERIFY(m_pg->start());
    m_pg->psql(
        QStringLiteral("DROP TABLE IF EXISTS qc_unit, qc_parameter, qc_day_unit, qc_day_parameter, "
                       "qc_day_passed, schema_version"));
    m_pg->psql(QStringLiteral("DROP TABLE IF EXISTS qc_study, qc_study_value"));
    QFile::remove(m_dir.filePath(QStringLiteral("log.sqlite")));
    QFile::remove(m_dir.filePath(QStringLiteral("spool.sqlite")));
}

QString TestQcLog::targetText(const QString &kind) const
{
    if (kind == QLatin1String("sqlite"))
        return m_dir.filePath(QStringLiteral("log.sqlite"));
    if (kind == QLatin1String("socket"))
        return m_pg->socketUri();
    if (kind == QLatin1String("tcp"))
        return m_pg->tcpUri();
    if (kind == QLatin1String("wrong password"))
        return m_pg->tcpUri(QStringLiteral("guess"));
    if (kind == QLatin1String("latin1")) {
        // A server whose encoding cannot store every serial.
        m_pg->psql(QStringLiteral("DROP DATABASE IF EXISTS qclatin"));
        m_pg->psql(QStringLiteral("CREATE DATABASE qclatin ENCODING 'LATIN1' LC_COLLATE 'C' "
                                  "LC_CTYPE 'C' TEMPLATE template0"));
        return QString(m_pg->socketUri())
            .replace(QStringLiteral("/qc?"), QStringLiteral("/qclatin?"));
    }
    if (kind == QLatin1String("nobody listens"))
        return QStringLiteral("postgresql://postgres@127.0.0.1:%1/qc").arg(PgServer::freePort());
    return kind;
}

void TestQcLog::scenarios_data()
{
    QTest::addColumn<QString>("target");
    // v1: an older log first; open; recN: N new units; again: the last unit once more;
    // dead: a unit without values; kanji: a serial LATIN1 cannot hold; down, up: the server;
    // fwd: forward; resend: as if the server's answer got lost; open2: the log "qc2" on the
    // same server; old: the spool as an older station left it; damage, empty: the spool
    // overwritten or cut to 0 bytes, then opened again; limits: names over their limits
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("rows"); // units in the target in the end; -1: none to count
    QTest::addColumn<int>("pending");
    QTest::addColumn<QString>("problem"); // part of problem() in the end

    QTest::newRow("sqlite file") << "sqlite"
                                 << "open rec3 again" << 3 << 0 << "";
    QTest::newRow("spool, then forward") << "socket"
                                         << "open rec5" << 5 << 0 << "";
    QTest::newRow("password over tcp") << "tcp"
                                       << "open rec2" << 2 << 0 << "";
    QTest::newRow("server down: spooled")
        << "socket"
        << "open rec2 down rec3" << 2 << 3 << "cannot reach the results database";
    QTest::newRow("server down, then up") << "socket"
                                          << "open rec2 down rec3 up fwd" << 5 << 0 << "";
    QTest::newRow("restart between units") << "socket"
                                           << "open rec2 down up rec1" << 3 << 0 << "";
    QTest::newRow("retry doubles nothing") << "socket"
                                           << "open rec4 resend fwd" << 4 << 0 << "";
    QTest::newRow("unmeasured, sqlite") << "sqlite"
                                        << "open rec1 dead" << 2 << 0 << "";
    QTest::newRow("unmeasured, server") << "socket"
                                        << "open dead rec1 down dead up fwd" << 3 << 0 << "";
    QTest::newRow("queued for another log") << "socket"
                                            << "down open rec2 up open2 rec1 open" << 2 << 0 << "";
    QTest::newRow("older spool") << "socket"
                                 << "down open rec2 old up open rec1" << 3 << 0 << "";
    QTest::newRow("refused serial set aside")
        << "latin1"
        << "down open kanji rec2 up fwd" << 2 << 0 << "(serial 型番-2) was refused by postgresql:";
    QTest::newRow("damaged spool") << "socket"
                                   << "down open rec2 damage rec1 up fwd" << 1 << 0 << "";
    QTest::newRow("empty spool") << "socket"
                                 << "open rec1 empty rec1" << 2 << 0 << "";
    QTest::newRow("names too long") << "socket"
                                    << "open rec1 limits" << 1 << 0 << "at most 64 are allowed";
    QTest::newRow("same unit twice") << "socket"
                                     << "open rec1 again fwd" << 1 << 0 << "";
    QTest::newRow("new server log") << "socket"
                                    << "down open rec2 up fwd" << 2 << 0 << "";
    QTest::newRow("older sqlite log") << "sqlite"
                                      << "v1 open rec2" << 3 << 0 << "";
    QTest::newRow("older server log") << "socket"
                                      << "v1 open rec2" << 3 << 0 << "";
    QTest::newRow("wrong password")
        << "wrong password"
        << "open rec2" << 0 << 2
        << "refused user 'postgres': wrong password\n2 results wait in the station's spool";
    QTest::newRow("unreachable") << "nobody listens"
                                 << "open rec1" << -1 << 1
                                 << "cannot reach the results database postgresql://postgres@"
                                    "127.0.0.1:";
    QTest::newRow("bad url") << "mysql://db/qc"
                             << "open" << -1 << 0 << "'mysql://db/qc' is not a results database";
    QTest::newRow("bad port") << "postgresql://h:99999/qc"
                              << "open" << -1 << 0 << "is not a results database";
}

void TestQcLog::scenarios()
{
    QFETCH(QString, target);
    QFETCH(QString, steps);
    QFETCH(int, rows);
    QFETCH(int, pending);
    QFETCH(QString, problem);

    const QString text = targetText(target);
    const QString spool = m_dir.filePath(QStringLiteral("spool.sqlite"));
    ResultsLog log;
    int next = 1;
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        if (step == QLatin1String("v1")) {
            makeVersion1(parseLogTarget(text));
        } else if (step == QLatin1String("open")) {
            const bool good = !problem.contains(QLatin1String("not a results database"));
            QCOMPARE(log.open(text, QStringLiteral("st1"), spool), good);
        } else if (step.startsWith(QLatin1String("rec"))) {
            for (int n = step.mid(3).toInt(); n > 0; --n)
                QVERIFY2(log.record(unit(next++)), qPrintable(log.problem()));
        } else if (step == QLatin1String("open2")) {
            m_pg->psql(QStringLiteral("DROP DATABASE IF EXISTS qc2"));
            m_pg->psql(QStringLiteral("CREATE DATABASE qc2"));
            QVERIFY(log.open(QString(text).replace(QStringLiteral("/qc?"), QStringLiteral("/qc2?")),
                             QStringLiteral("st1"), spool));
            QCOMPARE(log.pending(), 0);
            QVERIFY2(log.notice().startsWith(QStringLiteral("2 results in the station's spool %1 "
                                                            "were checked for postgresql:///qc?")
                                                 .arg(spool)),
                     qPrintable(log.notice()));
        } else if (step == QLatin1String("kanji")) {
            QcRecord r = unit(next++);
            r.serial = QStringLiteral("型番-2");
            QVERIFY(log.record(r));
        } else if (step == QLatin1String("old") || step == QLatin1String("damage") ||
                   step == QLatin1String("empty")) {
            log.close();
            if (step == QLatin1String("old")) {
                LogConnection c;
                QVERIFY(c.open(parseLogTarget(spool)));
                QSqlQuery q(c.db());
                QVERIFY(q.exec(QStringLiteral("ALTER TABLE qc_outbox DROP COLUMN refused")));
                QVERIFY(q.exec(QStringLiteral("ALTER TABLE qc_outbox DROP COLUMN target")));
                continue;
            }
            QFile f(spool);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(step == QLatin1String("damage") ? "no database" : "");
            f.close();
            QFile::remove(spool + QStringLiteral("-wal"));
            QVERIFY(log.open(text, QStringLiteral("st1"), spool));
            QVERIFY2(log.notice().contains(QStringLiteral("was moved to %1.damaged-")
                                               .arg(m_dir.filePath(QStringLiteral("spool")))),
                     qPrintable(log.notice()));
        } else if (step == QLatin1String("limits")) {
            QcRecord r = unit(next);
            r.serial = QString(129, QLatin1Char('x'));
            QVERIFY(!log.record(r));
            QVERIFY2(log.problem().contains(QLatin1String("at most 128")),
                     qPrintable(log.problem()));
            QVERIFY(!log.open(text, QString(65, QLatin1Char('s')), spool));
        } else if (step == QLatin1String("dead")) {
            QVERIFY2(log.record(deadUnit(next++)), qPrintable(log.problem()));
        } else if (step == QLatin1String("again")) {
            QVERIFY(log.record(unit(next - 1)));
        } else if (step == QLatin1String("down")) {
            QVERIFY(m_pg->stop());
        } else if (step == QLatin1String("up")) {
            QVERIFY(m_pg->start());
        } else if (step == QLatin1String("fwd")) {
            QVERIFY2(log.forward() >= 0, qPrintable(log.problem()));
        } else if (step == QLatin1String("resend")) {
            LogConnection c;
            QVERIFY(c.open(parseLogTarget(spool)));
            QSqlQuery q(c.db());
            QVERIFY(q.exec(QStringLiteral("INSERT INTO qc_outbox (station, run_id) "
                                          "SELECT station, run_id FROM qc_unit")));
        }
    }
    QVERIFY2(log.problem().contains(problem), qPrintable(log.problem()));
    QCOMPARE(problem.isEmpty(), log.problem().isEmpty());
    QCOMPARE(log.pending(), pending);
    if (rows < 0)
        return;
    QVERIFY(m_pg->start());
    const QString reader = text;
    if (rows == 0) {
        QCOMPARE(m_pg->psql(QStringLiteral("SELECT to_regclass('qc_unit') IS NULL")),
                 QStringLiteral("t"));
        return;
    }
    // The old unit's parameter got its time in the migration: a period excludes no more.
    QcReport r;
    QString error;
    QVERIFY2(
        reportFromTarget(reader, QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC), &r, &error),
        qPrintable(error));
    QCOMPARE(r.units, qint64(rows));
    QCOMPARE(r.parameters.value(0).name, QStringLiteral("Fs"));
    QCOMPARE(r.parameters.value(0).count, r.passed);
    LogConnection c;
    QVERIFY(c.open(parseLogTarget(reader)));
    QCOMPARE(LogSchema::version(c.db()), LogSchema::kVersion);
    // Each parameter of a dead unit is there, unmeasured.
    QSqlQuery q(c.db());
    QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM qc_parameter WHERE value IS NULL AND "
                                  "measured = 0")) &&
            q.next());
    QCOMPARE(q.value(0).toInt(), 2 * int(steps.count(QStringLiteral("dead"))));
    // A refused unit stays in the spool, set aside.
    QCOMPARE(log.setAside(), int(steps.count(QStringLiteral("kanji"))));
}

void TestQcLog::units_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("since"); // the unit whose time starts the period; 0: the whole log
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QString>("station");
    QTest::addColumn<QString>("files");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<int>("withoutFile");
    // Units 1..8 save a, b, -, gone, a, sub/, c (station st2), d; 4 and 8 failed.
    const int all = int(LogUnitsQuery::Verdict::All);
    QTest::newRow("whole log") << "sqlite" << 0 << all << ""
                               << "b a c d"
                               << "gone sub" << 1;
    QTest::newRow("whole log, server") << "socket" << 0 << all << ""
                                       << "b a c d"
                                       << "gone sub" << 1;
    QTest::newRow("from unit 5 on") << "sqlite" << 5 << all << ""
                                    << "a c d"
                                    << "sub" << 0;
    QTest::newRow("passed") << "sqlite" << 0 << int(LogUnitsQuery::Verdict::Passed) << ""
                            << "b a c"
                            << "sub" << 1;
    QTest::newRow("failed") << "sqlite" << 0 << int(LogUnitsQuery::Verdict::Failed) << ""
                            << "d"
                            << "gone" << 0;
    QTest::newRow("one station") << "sqlite" << 0 << all << "st2"
                                 << "c"
                                 << "" << 0;
    QTest::newRow("no such log") << "nolog.sqlite" << 0 << all << ""
                                 << ""
                                 << "" << -1;
}

void TestQcLog::units()
{
    QFETCH(QString, target);
    QFETCH(int, since);
    QFETCH(int, verdict);
    QFETCH(QString, station);
    QFETCH(QString, files);
    QFETCH(QString, missing);
    QFETCH(int, withoutFile);

    const QString text =
        target.endsWith(QLatin1String(".sqlite")) ? m_dir.filePath(target) : targetText(target);
    QTemporaryDir data;
    QVERIFY(QDir(data.path()).mkdir(QStringLiteral("sub")));
    if (withoutFile >= 0) {
        LogConnection c;
        QVERIFY2(c.open(parseLogTarget(text)), qPrintable(c.message()));
        QString error;
        QVERIFY2(LogSchema::migrate(c.db(), &error), qPrintable(error));
        RecordWriter writer(c.db());
        const QStringList saved{"a", "b", "", "gone", "a", "sub", "c", "d"};
        for (int i = 1; i <= 8; ++i) {
            QcRecord r = unit(i);
            r.station = i == 7 ? QStringLiteral("st2") : QStringLiteral("st1");
            if (!saved[i - 1].isEmpty())
                r.dataFile = data.filePath(saved[i - 1]);
            if (saved[i - 1].size() == 1) {
                QFile f(r.dataFile);
                QVERIFY(f.open(QIODevice::WriteOnly));
            }
            bool added = false;
            QVERIFY2(writer.write(r, &added) && added, qPrintable(writer.error()));
        }
    }
    LogUnitsQuery query;
    if (since > 0)
        query.since = unit(since).timeUtc;
    query.verdict = LogUnitsQuery::Verdict(verdict);
    query.station = station;
    LogUnits out;
    QString error;
    const bool ok = unitsFromTarget(text, query, &out, &error);
    QCOMPARE(ok, withoutFile >= 0);
    if (!ok) {
        QVERIFY2(error.contains(QLatin1String("no such results log")), qPrintable(error));
        return;
    }
    QStringList names, gone;
    for (const QString &f : out.files)
        names << QFileInfo(f).fileName();
    for (const LogUnitFile &f : out.missing) {
        gone << QFileInfo(f.path).fileName();
        QVERIFY(!f.reason.isEmpty());
    }
    QCOMPARE(names.join(QLatin1Char(' ')), files);
    QCOMPARE(gone.join(QLatin1Char(' ')), missing);
    QCOMPARE(out.withoutFile, withoutFile);
}

void TestQcLog::report()
{
    ResultsLog log;
    QVERIFY(log.open(m_dir.filePath(QStringLiteral("log.sqlite")), QStringLiteral("st1")));
    for (int i = 1; i <= 8; ++i)
        QVERIFY(log.record(unit(i)));
    QcReport r;
    // Units 3..8: Fs 33..38, window 25..45; units 4 and 8 failed, so the capability is that of
    // units 3, 5, 6 and 7.
    QVERIFY(log.report(unit(3).timeUtc, &r));
    QCOMPARE(r.units, qint64(6));
    QCOMPARE(r.passed, qint64(4));
    QCOMPARE(r.failed, qint64(2));
    QCOMPARE(r.yieldPct, 400.0 / 6.0);
    QCOMPARE(r.parameters.size(), 2);
    const QcParameterStats fs = r.parameters[0];
    QCOMPARE(fs.count, qint64(4));
    QCOMPARE(fs.mean, 35.25);
    QCOMPARE(fs.sigma, std::sqrt(35.0 / 12.0));
    QCOMPARE(fs.cpk, (45.0 - 35.25) / (3.0 * std::sqrt(35.0 / 12.0)));
    QCOMPARE(qcReportJson(r)[QStringLiteral("capabilityOf")].toString(),
             QStringLiteral("units that passed woofer v1, latest result per serial"));
    // Every unit alike: no spread, so no Cpk.
    QVERIFY(qIsNaN(r.parameters[1].cpk));
    QVERIFY(
        qcReportJson(r)[QStringLiteral("parameters")][QStringLiteral("Qts")][QStringLiteral("cpk")]
            .isNull());
    // Retests count once with their latest result: SN4 (failed) passes with Fs 34, SN3 (passed)
    // now fails; a unit of other limits has no say in the capability.
    QcRecord retest = unit(4), fails = unit(3), other = unit(9);
    retest.runId += QStringLiteral("-again");
    retest.timeUtc = unit(8).timeUtc.addSecs(60);
    retest.passed = true;
    fails.runId += QStringLiteral("-again");
    fails.timeUtc = unit(8).timeUtc.addSecs(120);
    fails.passed = false;
    other.timeUtc = unit(8).timeUtc.addSecs(30);
    other.limitsName = QStringLiteral("tweeter v1");
    other.parameters[0].value = 1000.0;
    QVERIFY(log.record(retest) && log.record(fails) && log.record(other));
    QVERIFY(log.report(unit(3).timeUtc, &r));
    QCOMPARE(r.results, qint64(9));
    QCOMPARE(r.units, qint64(7));
    QCOMPARE(r.passed, qint64(5));
    QCOMPARE(r.capabilityLimits, QStringLiteral("woofer v1"));
    QCOMPARE(r.parameters[0].count, qint64(4));
    QCOMPARE(r.parameters[0].mean, 35.5); // SN4, 5, 6, 7

    QVERIFY(log.report(unit(9).timeUtc, &r));
    QCOMPARE(r.units, qint64(0));
    QVERIFY(qcReportJson(r)[QStringLiteral("yieldPct")].isNull());
    QVERIFY(r.parameters.isEmpty());
}

void TestQcLog::cliReport_data()
{
    QTest::addColumn<QStringList>("args"); // LOG: the SQLite log of units 1..8
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("json") << QStringList{"--db", "LOG", "--json"} << 0
                          << "\"units\": 8,\n    \"yieldPct\": 75\n"
                          << "";
    QTest::newRow("csv since") << QStringList{"--db", "LOG", "--csv", "--since",
                                              "2026-12-07T23:00:00Z"}
                               << 0
                               << "units,passed,failed,yieldPct,results,capabilityOf\n"
                                  "6,4,2,66.66666667,6,\"units that passed woofer v1, latest "
                                  "result per serial\"\n\n"
                                  "parameter,n,mean,sigma,low,high,cpk\n"
                                  "Fs,4,35.25,1.707825128,25,45,1.903005142\n"
                                  "Qts,4,0.4,0,0.3,0.5,\n"
                               << "";
    QTest::newRow("text") << QStringList{"--db", "LOG"} << 0 << "yield   75.00 %"
                          << "";
    QTest::newRow("both forms") << QStringList{"--db", "LOG", "--csv", "--json"} << 2 << ""
                                << "--csv and --json";
    QTest::newRow("bad date") << QStringList{"--db", "LOG", "--since", "2026-13-01"} << 2 << ""
                              << "--since '2026-13-01': expected YYYY-MM-DD";
    QTest::newRow("no log") << QStringList{"--db", "none.sqlite"} << 1 << ""
                            << "none.sqlite: no such results log";
    QTest::newRow("wrong password") << QStringList{"--db", "TCP-GUESS"} << 1 << ""
                                    << "refused user 'postgres': wrong password";
}

void TestQcLog::cliReport()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    {
        ResultsLog log;
        QVERIFY(log.open(m_dir.filePath(QStringLiteral("log.sqlite")), QStringLiteral("st1")));
        for (int i = 1; i <= 8; ++i)
            QVERIFY(log.record(unit(i)));
    }
    args.replaceInStrings(QStringLiteral("LOG"), m_dir.filePath(QStringLiteral("log.sqlite")));
    args.replaceInStrings(QStringLiteral("TCP-GUESS"), m_pg->tcpUri(QStringLiteral("guess")));
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    p.start(QStringLiteral(VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli"),
            QStringList{QStringLiteral("qc"), QStringLiteral("report")} + args);
    QVERIFY(p.waitForFinished(60000));
    const QString stdOut = QString::fromUtf8(p.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(p.readAllStandardError());
    QCOMPARE(p.exitCode(), exitCode);
    QVERIFY2(stdOut.contains(out), qPrintable(stdOut));
    QVERIFY2(stdErr.contains(err), qPrintable(stdErr));
    QCOMPARE(stdErr.isEmpty(), err.isEmpty());
}

QTEST_GUILESS_MAIN(TestQcLog)
#include "tst_qc_log.moc"
