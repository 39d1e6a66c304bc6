// New limits from the units that passed in a results log; limits that measure only some bands.

#include "CliTestSupport.h"
#include "PgServer.h"
#include "SimulatedUnit.h"
#include "core/files/AppPaths.h"
#include "core/measure/UnitStation.h"
#include "core/qc/QcLimitsBuild.h"
#include "core/qc/QcLimitsFile.h"
#include "core/qc/QcLimitsProposal.h"
#include "core/qc/QcVerdict.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"

#include <QTemporaryDir>
#include <QtTest>

class TestQcLimits : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fromLog_data();
    void fromLog();
    void sweepLine_data();
    void sweepLine();
    void fastSweep_data();
    void fastSweep();
    void sweepBandRefused();

private:
    QTemporaryDir m_dir;
    QString m_limitsPath; // woofer v1, k 3, tolerance 5 %
    QcLimits m_limits;
    PgServer m_pg;
};

namespace {

std::unique_ptr<CurveBlock> curveOf(double fs, int band = 2)
{
    SpeakerModel m;
    m.re = 5.7, m.le = 0.5e-3, m.fs = fs, m.qms = 3.0, m.qes = 0.45;
    auto record = std::make_unique<MeasurementRecord>();
    fillRecord(*record, band, m);
    auto raw = std::make_unique<CurveBlock>();
    CurveBlock avg;
    VELO_File().convertRecord(record.get(), raw.get(), &avg);
    return raw;
}

// Unit i of the log: Fs 39 + i Hz, the other values fixed; checked one minute after i - 1.
QcRecord unit(int i, const QString &limits, bool passed, const QString &station = "st1")
{
    QcRecord r;
    r.station = station;
    r.runId = QStringLiteral("run-%1").arg(i, 4, 10, QLatin1Char('0'));
    r.timeUtc = QDateTime(QDate(2026, 12, 7), QTime(8, 0), Qt::UTC).addSecs(60 * i);
    r.serial = QStringLiteral("SN%1").arg(i);
    r.limitsName = limits;
    r.band = 2;
    r.passed = passed;
    const double values[kQcParameterCount] = {39.0 + i, 40.0, 3.0, 0.45, 0.39, 6.0};
    for (int p = 0; p < kQcParameterCount; ++p)
        r.parameters.append({kQcParameterNames[p], values[p], values[p] - 1.0, values[p] + 1.0});
    return r;
}

} // namespace

void TestQcLimits::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const auto a = curveOf(39.5), b = curveOf(40.0), g = curveOf(40.5);
    QcLimitsOptions o;
    o.name = QStringLiteral("woofer");
    QCOMPARE(makeQcLimits({{"a", a.get(), 2}, {"b", b.get(), 2}, {"c", g.get(), 2}}, o, &m_limits),
             QString());
    m_limitsPath = m_dir.filePath("woofer.limits");
    QVERIFY(writeQcLimitsFile(m_limitsPath, m_limits));

    // Before them a unit of another type; units 1..14 of woofer at st1: 5 failed, 3 passed and
    // then failed a retest (unit 15), 12 was checked against v2; then a tweeter at st2. In an
    // SQLite log and on a server; and an empty log beside.
    QVector<QcRecord> records{unit(0, "woofers v1", true)};
    for (int i = 1; i <= 14; ++i)
        records << unit(i, i == 12 ? "woofer v2" : "woofer v1", i != 5);
    QcRecord retest = unit(15, "woofer v1", false);
    retest.serial = QStringLiteral("SN3");
    records << retest << unit(16, "tweeter v1", true, "st2");
    QVERIFY2(PgServer::available(), "PostgreSQL 15 is not installed (./run test installs it)");
    QVERIFY2(m_pg.setUp(), qPrintable(m_pg.error()));
    QString error;
    for (const QString &target : {m_dir.filePath("qc.sqlite"), m_pg.socketUri()}) {
        LogConnection c;
        QVERIFY(c.open(parseLogTarget(target)));
        QVERIFY2(LogSchema::migrate(c.db(), &error), qPrintable(error));
        RecordWriter writer(c.db());
        for (const QcRecord &r : records) {
            bool added = false;
            QVERIFY2(writer.write(r, &added) && added, qPrintable(writer.error()));
        }
    }
    LogConnection empty;
    QVERIFY(empty.open(parseLogTarget(m_dir.filePath("empty.sqlite"))));
    QVERIFY2(LogSchema::migrate(empty.db(), &error), qPrintable(error));
}

void TestQcLimits::fromLog_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");  // part of stdout, or of stderr on a refusal
    QTest::addColumn<QString>("fsUnits"); // the units whose Fs make the new window
    const QString log = m_dir.filePath("qc.sqlite");
    const QStringList base{"--from-db", log, "--last", "10"};
    // The 10 latest woofer units that passed, each serial once by its latest result: not 5,
    // not 3 (failed its retest), not the other type "woofers" or the tweeter.
    QTest::newRow("with the limits in use")
        << base + QStringList{"--limits", m_limitsPath, "-o", m_dir.filePath("new.limits")} << 0
        << "new.limits: written as woofer v2"
        << "14 13 12 11 10 9 8 7 6 4";
    QTest::newRow("on a server") << QStringList{"--from-db", m_pg.socketUri(), "--last",
                                                "10",        "--limits",       m_limitsPath}
                                 << 0 << "woofer v2 from the last 10 units"
                                 << "14 13 12 11 10 9 8 7 6 4";
    QTest::newRow("the log's own windows, one station")
        << base + QStringList{"--station", "st1", "--k", "2"} << 0
        << "woofer v2 from the last 10 units that passed: mean +- max(2 sigma, 5 % of the mean)\n"
           "parameter old window                new window                 change\n"
           "Fs        52 ... 54"
        << "";
    QTest::newRow("too few") << QStringList{"--from-db", log,
                                            "--last",    "13",
                                            "--limits",  m_limitsPath,
                                            "-o",        m_dir.filePath("no.limits")}
                             << 1 << "only 12 units of woofer passed, --last asks for 13"
                             << "";
    QTest::newRow("at a station without them")
        << base + QStringList{"--limits", m_limitsPath, "--station", "st2"} << 1
        << "no unit of woofer passed at station st2"
        << "";
    QTest::newRow("empty log") << QStringList{"--from-db", m_dir.filePath("empty.sqlite"), "--last",
                                              "10"}
                               << 1 << "empty.sqlite: no unit passed"
                               << "";
    QTest::newRow("no log") << QStringList{"--from-db", m_dir.filePath("none.sqlite"), "--last",
                                           "10"}
                            << 1 << "none.sqlite: no such results log"
                            << "";
    QTest::newRow("bad URL") << QStringList{"--from-db", "mysql://h/db", "--last", "10"} << 1
                             << "mysql"
                             << "";
    QTest::newRow("too few asked") << QStringList{"--from-db", log, "--last", "9"} << 2
                                   << "--last '9': must be a whole number of units, at least 10"
                                   << "";
    QTest::newRow("-o without the limits")
        << base + QStringList{"-o", m_dir.filePath("no.limits")} << 2 << "-o needs --limits"
        << "";
}

void TestQcLimits::fromLog()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, fsUnits);
    const cli::Result r = cli::run(QStringList{"qc", "limits"} + args);
    QVERIFY2(r.exitCode == exitCode, r.err.constData());
    const QString text = QString::fromUtf8(exitCode == 0 ? r.out : r.err);
    QVERIFY2(text.contains(output), qPrintable(text));
    QVERIFY(!QFile::exists(m_dir.filePath("no.limits")));
    if (fsUnits.isEmpty())
        return;
    QVector<double> values[kQcParameterCount];
    for (const QString &i : fsUnits.split(' '))
        for (int p = 0; p < kQcParameterCount; ++p)
            values[p] << unit(i.toInt(), "", true).parameters[p].value;
    // Fs: mean 48.4, 3σ 9.9 Hz wins over 5 %; Qms: σ 0, so the 5 % floor.
    const QcWindow fs = toleranceWindow(values[0], 3.0, 5.0);
    QVERIFY(fs.high - fs.low > 19.0);
    const auto window = [](const QcWindow &w) {
        return QStringLiteral("%1 ... %2").arg(w.low, 0, 'g', 6).arg(w.high, 0, 'g', 6);
    };
    const QString line = QStringLiteral("Fs        %1 %2  low ")
                             .arg(window(m_limits.parameters[0]), -25)
                             .arg(window(fs), -25);
    QVERIFY2(text.contains(line), qPrintable(text));
    QVERIFY2(text.contains("Qms       " + window(m_limits.parameters[2]).leftJustified(26) +
                           "2.85 ... 3.15"),
             qPrintable(text));
    if (!args.contains("-o"))
        return;
    QcLimits written;
    QCOMPARE(readQcLimitsFile(m_dir.filePath("new.limits"), &written), QString());
    QCOMPARE(written.revision, 2);
    QCOMPARE(written.goldenCount, 10);
    QVERIFY(std::fabs(written.parameters[0].low - fs.low) < 1e-5);
    // The band on |Z| is kept as the file in use has it.
    QcLimits current;
    QCOMPARE(readQcLimitsFile(m_limitsPath, &current), QString());
    const QByteArray before = qcLimitsText(current), after = qcLimitsText(written);
    QCOMPARE(after.mid(after.indexOf("\npoint ")), before.mid(before.indexOf("\npoint ")));
}

// The sweep line: bands in order, each within the limits' band; files without it as before.
void TestQcLimits::sweepLine_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("problem");
    QTest::newRow("two bands") << 2 << QByteArray("sweep 9 5") << QString();
    QTest::newRow("a gap") << 2 << QByteArray("sweep 9 6")
                           << "line 11: the sweep leaves 508.7 ... 1965.6 Hz out";
    QTest::newRow("twice the same") << 2 << QByteArray("sweep 9 9") << "bad value for \"sweep\"";
    QTest::newRow("no band") << 2 << QByteArray("sweep") << "bad value for \"sweep\"";
    QTest::newRow("no such band") << 2 << QByteArray("sweep 3 10") << "bad value for \"sweep\"";
    QTest::newRow("outside") << 9 << QByteArray("sweep 3 6")
                             << "line 11: sweep band 6 does not lie within band 9";
}

void TestQcLimits::sweepLine()
{
    QFETCH(int, band);
    QFETCH(QByteArray, line);
    QFETCH(QString, problem);
    QcLimits limits = m_limits;
    if (band != 2) {
        const auto a = curveOf(39.5, band), b = curveOf(40.5, band);
        QCOMPARE(makeQcLimits({{"a", a.get(), band}, {"b", b.get(), band}}, {"t"}, &limits),
                 QString());
    }
    QByteArray text = qcLimitsText(limits);
    text.replace("# param NAME", line + "\n# param NAME");
    QcLimits read;
    const QString refusal = parseQcLimits(text, "l.txt", &read);
    QVERIFY2(problem.isEmpty() ? refusal.isEmpty() : refusal.contains(problem),
             qPrintable(refusal));
    if (!problem.isEmpty())
        return;
    QCOMPARE(read.sweep, QVector<int>({9, 5}));
    QCOMPARE(qcLimitsText(read), text);
}

// A unit measured band by band and the same unit measured whole, judged against limits with a
// sweep: the same verdict and the same record for the log.
void TestQcLimits::fastSweep_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<bool>("passed");
    QTest::newRow("good") << "Re=5.7,Le=0.5,Fs=40,Qms=3,Qes=0.45" << true;
    QTest::newRow("not broken in") << "Re=5.7,Le=0.5,Fs=46.4,Qms=3,Qes=0.45" << false;
}

void TestQcLimits::fastSweep()
{
    QFETCH(QString, driver);
    QFETCH(bool, passed);
    QTemporaryDir settings;
    setSettingsDirectoryOverride(settings.path());
    SimulatedUnit sim;
    QVERIFY(sim.start(settings.filePath("COM1"), {"--driver", driver, "--fast"}));
    UnitStation station;
    MeasurementRun &run = station.run();
    const auto measure = [&run](const QVector<int> &bands, MeasurementRecord &record,
                                CurveBlock &raw) {
        CurveBlock avg;
        if (!run.start(1, bands, 2, record, raw, avg).started())
            return false;
        const MeasurementRun::StepEvent end =
            run.runToEnd([] { return false; }, [](const MeasurementRun::StepEvent &) {});
        return end.event == MeasurementRun::Event::Finished && run.finish();
    };
    auto wholeRecord = std::make_unique<MeasurementRecord>();
    auto fastRecord = std::make_unique<MeasurementRecord>();
    auto whole = std::make_unique<CurveBlock>(), fast = std::make_unique<CurveBlock>();
    QVERIFY(measure({}, *wholeRecord, *whole));
    QVERIFY(measure({9, 5}, *fastRecord, *fast));
    QCOMPARE(run.pointsReceived(), 224 + 121);
    QCOMPARE(fastRecord->band, 2);
    QCOMPARE(fast->r[304], -1.0f); // above the bands: not measured

    QcLimits limits = m_limits;
    limits.sweep = {9, 5};
    QcVerdict a, b;
    QCOMPARE(checkQcUnit(limits, *whole, 2, &a), QString());
    QCOMPARE(checkQcUnit(limits, *fast, 2, &b), QString());
    QVERIFY2(a.passed == passed, qPrintable(a.failures.join('\n')));
    QCOMPARE(b.failures, a.failures);
    const QcRecord x = qcRecordOf(a, limits, "S"), y = qcRecordOf(b, limits, "S");
    QCOMPARE(y.passed, x.passed);
    QCOMPARE(y.band, x.band);
    for (int p = 0; p < kQcParameterCount; ++p)
        QCOMPARE(y.parameters[p].value, x.parameters[p].value);
    // The station's saved file, with its empty points, checked again by qc check.
    const QString file = settings.filePath("fast.DTA"), limitsFile = settings.filePath("l");
    QVERIFY(VELO_File().writeDataFile(file, "U1", 1, fastRecord.get()));
    QVERIFY(writeQcLimitsFile(limitsFile, limits));
    const cli::Result r = cli::run({"qc", "check", file, "--limits", limitsFile});
    QCOMPARE(r.exitCode, passed ? 0 : 3);
    QCOMPARE(r.out.count("\n  - "), a.failures.size());
}

// A later band the unit lacks ends the sweep with the start's outcome, the unit released.
void TestQcLimits::sweepBandRefused()
{
    QTemporaryDir settings;
    setSettingsDirectoryOverride(settings.path());
    SimulatedUnit sim;
    QVERIFY(sim.start(settings.filePath("COM1"), {"--model", "HK-A", "--fast"}));
    UnitStation station;
    auto record = std::make_unique<MeasurementRecord>();
    CurveBlock raw, avg;
    QVERIFY(station.run().start(1, {4, 3}, 2, *record, raw, avg).started());
    const MeasurementRun::StepEvent end =
        station.run().runToEnd([] { return false; }, [](const MeasurementRun::StepEvent &) {});
    QCOMPARE(end.event, MeasurementRun::Event::Failed);
    QCOMPARE(end.failure, MeasurementRun::Failure::BandStart);
    QCOMPARE(end.outcome, UnitOutcome::BandUnsupported);
    QCOMPARE(station.run().pointsReceived(), bandPointCount(4));
    // Released: "ME" is the last word the unit heard.
    QTRY_VERIFY([&sim] {
        const QStringList c = sim.commands();
        return !c.isEmpty() && c.last() == QLatin1String("ME");
    }());
}

QTEST_GUILESS_MAIN(TestQcLimits)
#include "tst_qc_limits.moc"
