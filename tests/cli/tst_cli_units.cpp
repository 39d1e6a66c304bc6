// velo2-cli stats, match and trend on data files the program's writer made of loudspeakers whose
// resonance drifts from unit to unit.

#include "CliTestSupport.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <complex>

namespace {

struct Unit {
    const char *name;
    int band;
    double fs;
    const char *dateTime;
};

// Measured in this order, written out of it; u3's date reads either way round.
const Unit kUnits[] = {
    {"u0", 4, 60.0, "2024/05/01 9:00:00"},        {"u1", 4, 51.0, "2024/05/03 9:00:00"},
    {"u2", 4, 54.0, "2024年5月2日 9:00:00"},      {"u3", 9, 50.2, "5/4/24 9:00:00"},
    {"tweeter", 6, 3000.0, "2024/05/05 9:00:00"},
};

} // namespace

class TestCliUnits : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void statsEqualIndependentSums();
    void unreadableFileListed();
    void matchSplitsUnits();
    void trendByRecordedDate();
    void unitsFromResultsLog();
    void badInput_data();
    void badInput();

private:
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name) + ".DTA"); }
    QStringList woofers() const { return {path("u0"), path("u1"), path("u2"), path("u3")}; }
    QTemporaryDir m_dir;
};

void TestCliUnits::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const Unit &u : kUnits) {
        SpeakerModel m;
        m.fs = u.fs;
        m.le = 1e-6;
        MeasurementRecord record;
        fillRecord(record, u.band, m);
        record.dateTime = toAnsi(QString::fromUtf8(u.dateTime));
        QVERIFY(VELO_File().writeDataFile(path(u.name), "S1", 3, &record));
    }
    // Another tool's table of u0's speaker, dated by its file only: a day before u0.
    QFile table(m_dir.filePath(QStringLiteral("old.zma")));
    QVERIFY(table.open(QIODevice::WriteOnly));
    SpeakerModel m;
    m.fs = 60.0;
    m.le = 1e-6;
    for (double f = 20.0; f <= 250.0; f *= 1.02) {
        const std::complex<double> z = speakerImpedance(m, f);
        table.write(QByteArray::number(f) + ' ' + QByteArray::number(std::abs(z)) + ' ' +
                    QByteArray::number(std::arg(z) * 180 / M_PI) + '\n');
    }
    QVERIFY(table.flush()); // no later write to move the time
    QVERIFY(table.setFileTime(QDateTime(QDate(2024, 4, 30), QTime(9, 0)),
                              QFileDevice::FileModificationTime));
    QFile list(m_dir.filePath(QStringLiteral("re.csv")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("file,Re\nu0.DTA,6.2\nu1.DTA,6.1\nu2.DTA,6.3\n");
}

void TestCliUnits::statsEqualIndependentSums()
{
    const cli::Result r = cli::run(QStringList{"stats", "--re", "6.2", "--json"} + woofers());
    QCOMPARE(r.exitCode, 0);
    const QJsonObject o = r.json().object();
    const QJsonArray units = o["units"].toArray();
    QCOMPARE(units.size(), 4);
    long double sum = 0.0L;
    long double squares = 0.0L;
    for (const QJsonValue &u : units) {
        const double fs = float(u["Fs_Hz"].toDouble()); // the float the tool computed
        QVERIFY(!u["reEstimated"].toBool());
        QCOMPARE(u["Re_ohm"].toDouble(), 6.2);
        sum += fs;
        squares += (long double)fs * fs;
    }
    const long double mean = sum / 4;
    const double sigma = double(std::sqrt((squares - 4 * mean * mean) / 3));
    const QJsonObject fs = o["summary"]["Fs_Hz"].toObject();
    QVERIFY(std::abs(fs["mean"].toDouble() - double(mean)) <= 1e-9 * double(mean));
    QVERIFY(std::abs(fs["sigma"].toDouble() - sigma) <= 1e-9 * sigma);
    QCOMPARE(fs["n"].toInt(), 4);
    QCOMPARE(float(fs["min"].toDouble()), float(units[3]["Fs_Hz"].toDouble())); // the lowest Fs
    // Band 9 and band 4 share band 4's 144 points.
    QCOMPARE(o["commonBand"]["points"].toInt(), 144);

    const cli::Result est = cli::run(QStringList{"stats", "--re-estimate", "--json"} + woofers());
    QCOMPARE(est.exitCode, 0);
    const QJsonObject first = est.json()["units"][0].toObject();
    QVERIFY(first["reEstimated"].toBool());
    QVERIFY(first["Re_ohm"].toDouble() > 6.19 && first["Re_ohm"].toDouble() < 6.5);
}

void TestCliUnits::unreadableFileListed()
{
    const QString missing = m_dir.filePath(QStringLiteral("gone.DTA"));
    const QString empty = m_dir.filePath(QStringLiteral("empty"));
    QVERIFY(QDir().mkpath(empty));
    // u3 is not in the Re list: left out with the reason, like the missing file.
    const cli::Result r = cli::run(
        QStringList{"stats", "--re-file", m_dir.filePath("re.csv"), "--json", missing, empty} +
        woofers());
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.errText().contains(missing + ": no such file"));
    QVERIFY(r.errText().contains(path("u3") + ": not in the Re list"));
    const QJsonObject o = r.json().object();
    QCOMPARE(o["units"].toArray().size(), 3);
    QCOMPARE(o["units"][1]["Re_ohm"].toDouble(), 6.1);
    QVERIFY(r.errText().contains(empty + ": holds no data file"));
    QCOMPARE(o["skipped"].toArray().size(), 3);
}

void TestCliUnits::matchSplitsUnits()
{
    const cli::Result r = cli::run(
        QStringList{"match", "--sets", "2", "--by", "fs", "--re", "6.2", "--json"} + woofers());
    QCOMPARE(r.exitCode, 0);
    const QJsonObject o = r.json().object();
    // Fs 60, 51, 54, 50.2: the two lowest together, 54 with 60.
    const QJsonArray sets = o["sets"].toArray();
    QCOMPARE(sets.size(), 2);
    QCOMPARE(sets[0]["files"].toArray().toVariantList(), QVariantList({path("u1"), path("u3")}));
    QCOMPARE(sets[1]["files"].toArray().toVariantList(), QVariantList({path("u0"), path("u2")}));
    QVERIFY(o["exact"].toBool());
    QCOMPARE(o["worstSpread"].toDouble(),
             std::max(sets[0]["spread"].toDouble(), sets[1]["spread"].toDouble()));
}

void TestCliUnits::trendByRecordedDate()
{
    const QString table = m_dir.filePath(QStringLiteral("old.zma"));
    const cli::Result r =
        cli::run(QStringList{"trend", "--re", "6.2", "--json"} + woofers() + QStringList{table});
    QCOMPARE(r.exitCode, 0);
    const QJsonArray points = r.json()["points"].toArray();
    QStringList order;
    for (const QJsonValue &p : points)
        order << p["file"].toString();
    QCOMPARE(order, QStringList({table, path("u0"), path("u2"), path("u1"), path("u3")}));
    QCOMPARE(points[0]["dateSource"].toString(), QStringLiteral("modified"));
    QCOMPARE(points[2]["dateSource"].toString(), QStringLiteral("record"));
    QCOMPARE(points[2]["date"].toString(), QStringLiteral("2024-05-02T09:00:00"));
    QVERIFY(points[4]["dateAmbiguous"].toBool());
    QVERIFY(!points[1]["dateAmbiguous"].toBool());
    // The table's resonance is read like the data file's of the same speaker.
    QVERIFY(std::abs(points[0]["Fs_Hz"].toDouble() - points[1]["Fs_Hz"].toDouble()) < 0.6);
    // 51 then 50.2: 1.6 % apart.
    QVERIFY(r.json()["settled"].toBool());
    const cli::Result strict =
        cli::run(QStringList{"trend", "--re", "6.2", "--settle", "1", "--json"} + woofers());
    QVERIFY(!strict.json()["settled"].toBool());
}

void TestCliUnits::unitsFromResultsLog()
{
    // Checked in this order: u1, u0, a file since deleted (passed), u2 (failed).
    const QString log = m_dir.filePath(QStringLiteral("log.sqlite"));
    {
        LogConnection c;
        QVERIFY2(c.open(parseLogTarget(log)), qPrintable(c.message()));
        QString error;
        QVERIFY2(LogSchema::migrate(c.db(), &error), qPrintable(error));
        RecordWriter writer(c.db());
        const QStringList files{path("u1"), path("u0"), path("gone"), path("u2")};
        for (int i = 0; i < files.size(); ++i) {
            QcRecord r;
            r.station = QStringLiteral("st1");
            r.runId = QString::number(i);
            r.timeUtc = QDateTime(QDate(2026, 12, 7), QTime(8, i), Qt::UTC);
            r.passed = i < 3;
            r.dataFile = files[i];
            bool added = false;
            QVERIFY2(writer.write(r, &added), qPrintable(writer.error()));
        }
    }
    const cli::Result r =
        cli::run({"stats", "--re", "6.2", "--json", path("u3"), "--db", log, "--passed"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.errText().contains(path("gone") + ": the log names this file but it is not there"),
             qPrintable(r.errText()));
    const QJsonArray units = r.json().object()["units"].toArray();
    QCOMPARE(units.size(), 3);
    QCOMPARE(units[0]["file"].toString(), path("u3"));
    QCOMPARE(units[1]["file"].toString(), path("u1"));
    QCOMPARE(units[2]["file"].toString(), path("u0"));
    QCOMPARE(r.json().object()["skipped"].toArray().size(), 1);
}

void TestCliUnits::badInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no Re") << QStringList{"stats"} << 2 << "give Re";
    QTest::newRow("two Re") << QStringList{"stats", "--re", "6", "--re-estimate"} << 2
                            << "exclude each other";
    QTest::newRow("no common band") << QStringList{"stats", "--re", "6.2", "DIR"} << 1
                                    << "tweeter.DTA: shares no band with the files before it";
    QTest::newRow("fewer units than sets") << QStringList{"match", "--sets", "5", "--re", "6.2"}
                                           << 1 << "4 unit(s) cannot make 5 sets";
    QTest::newRow("sizes do not add")
        << QStringList{"match", "--sets", "2", "--size", "3", "--re", "6.2"} << 1
        << "add up to 6 but there are 4 unit(s)";
    QTest::newRow("sizes per set")
        << QStringList{"match", "--sets", "3", "--size", "2,2", "--re", "6.2"} << 2
        << "--size '2,2'";
    QTest::newRow("vas") << QStringList{"match", "--sets", "2", "--by", "fs,vas", "--re", "6.2"}
                         << 2 << "Vas needs";
    QTest::newRow("filter without log")
        << QStringList{"trend", "--re", "6.2", "--failed"} << 2 << "--failed needs --db";
    QTest::newRow("no such log")
        << QStringList{"match", "--sets", "2", "--re", "6.2", "--db", "/nonexistent/log.sqlite"}
        << 1 << "no such results log";
    QTest::newRow("bad settle") << QStringList{"trend", "--re", "6.2", "--settle", "-1"} << 2
                                << "--settle '-1'";
}

void TestCliUnits::badInput()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    // The folder stands for its files: the table, the tweeter, then the woofers.
    if (args.contains(QStringLiteral("DIR")))
        args.replace(args.indexOf(QStringLiteral("DIR")), m_dir.path());
    const cli::Result r = cli::run(args + woofers());
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.errText().contains(message), qPrintable(r.errText()));
    QVERIFY(r.out.isEmpty()); // nothing half-shown
}

QTEST_GUILESS_MAIN(TestCliUnits)
#include "tst_cli_units.moc"
