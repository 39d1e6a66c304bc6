// QC limits, the limits file and the verdict; then the whole path a line takes: golden units
// measured through the simulated unit, limits made and units checked by velo2-cli.

#include "CliTestSupport.h"
#include "SimulatedUnit.h"
#include "SpeakerCurve.h"
#include "core/qc/QcLimitsBuild.h"
#include "core/qc/QcLimitsFile.h"
#include "core/qc/QcStationFiles.h"
#include "core/qc/QcVerdict.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestQc : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void limitsRule();
    void fileRoundTrip();
    void damagedFile_data();
    void damagedFile();
    void verdictItems();
    void normalisedRe_data();
    void normalisedRe();
    void checkWithCoilTemperature();
    void figures_data();
    void figures();
    void logged();
    void stationFiles();

private:
    // Each test measures what it needs: none depends on another having run first.
    QString measure(const QString &name, const QString &driver);
    QString limitsFile();

    QTemporaryDir m_dir;
    QcLimits m_limits; // from three model drivers, band 2
};

namespace {

std::unique_ptr<CurveBlock> curveOf(const SpeakerModel &m, int band = 2)
{
    auto record = std::make_unique<MeasurementRecord>();
    fillRecord(*record, band, m);
    auto raw = std::make_unique<CurveBlock>();
    CurveBlock avg;
    VELO_File().convertRecord(record.get(), raw.get(), &avg);
    return raw;
}

SpeakerModel model(double fs, double qms, double qes)
{
    SpeakerModel m;
    m.re = 5.7, m.le = 0.5e-3, m.fs = fs, m.qms = qms, m.qes = qes;
    return m;
}

} // namespace

void TestQc::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const auto a = curveOf(model(40.8, 2.94, 0.459));
    const auto b = curveOf(model(40.0, 3.0, 0.45));
    const auto c = curveOf(model(39.2, 3.06, 0.441));
    QcLimitsOptions o;
    o.name = QStringLiteral("woofer 8");
    QCOMPARE(makeQcLimits({{"a", a.get(), 2}, {"b", b.get(), 2}, {"c", c.get(), 2}}, o, &m_limits),
             QString());
}

void TestQc::limitsRule()
{
    // mean 10, σ 1: k·σ wins at k 3, the percentage at 40 %.
    const QcWindow w = toleranceWindow({9.0, 10.0, 11.0}, 3.0, 5.0);
    QCOMPARE(w.low, 7.0);
    QCOMPARE(w.high, 13.0);
    const QcWindow p = toleranceWindow({9.0, 10.0, 11.0}, 3.0, 40.0);
    QCOMPARE(p.low, 6.0);
    QCOMPARE(p.high, 14.0);
    QCOMPARE(m_limits.points.size(), bandPointCount(2));
    QVERIFY(std::fabs(m_limits.re - 5.7) < 0.02); // the smallest real part of Z
    // Golden units of two bands give no limits.
    const auto one = curveOf(model(40, 3, 0.45), 1);
    const auto two = curveOf(model(40, 3, 0.45), 2);
    QcLimits l;
    QVERIFY(makeQcLimits({{"x.DTA", two.get(), 2}, {"y.DTA", one.get(), 1}}, {}, &l)
                .contains("y.DTA was measured on band 1"));
}

void TestQc::fileRoundTrip()
{
    const QByteArray text = qcLimitsText(m_limits);
    QcLimits back;
    QCOMPARE(parseQcLimits(text, "l.txt", &back), QString());
    QCOMPARE(qcLimitsText(back), text);
    QCOMPARE(back.title(), QStringLiteral("woofer 8 v1"));
    // CR LF line ends and a byte-order mark, as an editor on another system leaves them.
    QByteArray crlf = "\xEF\xBB\xBF" + text;
    crlf.replace("\n", "\r\n");
    QCOMPARE(parseQcLimits(crlf, "l.txt", &back), QString());
    QCOMPARE(qcLimitsText(back), text);
}

void TestQc::damagedFile_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("message");
    QTest::newRow("not limits") << QByteArray("velo2-qc-limits 1") << QByteArray("DataFile:HK-A2")
                                << "l.txt: line 3: not a QC limits file";
    QTest::newRow("version") << QByteArray("velo2-qc-limits 1") << QByteArray("velo2-qc-limits 2")
                             << "l.txt: line 3: limits file version 2 is not supported";
    QTest::newRow("band") << QByteArray("band 2") << QByteArray("band 10")
                          << "l.txt: line 6: bad value for \"band\"";
    QTest::newRow("unknown") << QByteArray("golden 3") << QByteArray("gold 3")
                             << "l.txt: line 7: unknown item \"gold\"";
    QTest::newRow("window") << QByteArray("param Qms ") << QByteArray("param Qms 9 ")
                            << "line 14: Qms needs two numbers LOW HIGH";
    QTest::newRow("twice") << QByteArray("param Qes") << QByteArray("param Qms")
                           << "line 15: \"param Qms\" is given twice";
    QTest::newRow("point lost") << QByteArray("\npoint 7 ") << QByteArray("\n#")
                                << "line 27: expected \"point 7 FREQUENCY LOW HIGH\"";
    QTest::newRow("no golden") << QByteArray("\ngolden ") << QByteArray("\n#golden ")
                               << "line 559: \"golden\" is missing";
    QTest::newRow("no k") << QByteArray("\nk ") << QByteArray("\n#k ") << "\"k\" is missing";
    QTest::newRow("no tolerance") << QByteArray("\ntolerance-pct ")
                                  << QByteArray("\n#tolerance-pct ")
                                  << "\"tolerance-pct\" is missing";
    QTest::newRow("point off the grid")
        << QByteArray("\npoint 7 1") << QByteArray("\npoint 7 2")
        << "line 26: point 7 must be at the grid's frequency, 11.28964 Hz";
    QTest::newRow("cut short") << QByteArray("end\n") << QByteArray()
                               << "line 559: the file ends without \"end\"";
    QTest::newRow("Re window") << QByteArray("\nre ") << QByteArray("\nre-window 6 5 20C\nre ")
                               << "re-window needs two numbers LOW HIGH";
    QTest::newRow("after end") << QByteArray("end\n") << QByteArray("end\nband 2\n")
                               << "line 560: text after \"end\"";
}

void TestQc::damagedFile()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, message);
    QByteArray text = qcLimitsText(m_limits);
    const int at = text.indexOf(from);
    QVERIFY(at >= 0);
    text.replace(at, from.size(), to);
    QcLimits l;
    l.name = "kept";
    const QString problem = parseQcLimits(text, "l.txt", &l);
    QVERIFY2(problem.contains(message), qPrintable(problem));
    QCOMPARE(l.name, QStringLiteral("kept"));
}

void TestQc::verdictItems()
{
    QcVerdict v;
    const auto good = curveOf(model(40.4, 3.0, 0.45));
    QCOMPARE(checkQcUnit(m_limits, *good, 2, &v), QString());
    QVERIFY2(v.passed, qPrintable(v.failures.join('\n')));

    // A bump on the curve high above the resonance: one range above the band, in Hz.
    auto bumped = curveOf(model(40.4, 3.0, 0.45));
    for (int i = 300; i <= 310; ++i)
        bumped->r[i] *= 1.3f;
    QCOMPARE(checkQcUnit(m_limits, *bumped, 2, &v), QString());
    QCOMPARE(v.outside.size(), 1);
    QCOMPARE(v.failures, QStringList{QStringLiteral("|Z| above the band at %1 ... %2 Hz")
                                         .arg(bumped->freq[300], 0, 'f', 0)
                                         .arg(bumped->freq[310], 0, 'f', 0)});

    // A resistor: no resonance, so no parameter, and one item says so.
    for (int i = bandFirstIndex(2); i <= bandLastIndex(2); ++i)
        bumped->r[i] = 8.0f, bumped->theta[i] = 0.0f;
    QCOMPARE(checkQcUnit(m_limits, *bumped, 2, &v), QString());
    QVERIFY(!v.passed && v.parameterFailed[0] && v.failures.first().startsWith("no resonance"));

    // The other band is refused naming the limits' line.
    const auto band1 = curveOf(model(40.4, 3.0, 0.45), 1);
    QcLimits named = m_limits;
    named.source = "l.txt";
    named.bandLine = 6;
    QCOMPARE(checkQcUnit(named, *band1, 1, &v),
             QStringLiteral("l.txt: line 6: the limits are for band 2, the measurement is on "
                            "band 1"));

    const QcRecord r = qcRecordOf(v, m_limits, "S1");
    QCOMPARE(r.limitsName, QStringLiteral("woofer 8 v1"));
    QCOMPARE(r.parameters.size(), kQcParameterCount);
    QCOMPARE(r.failures, v.failures);
}

// A warm coil's Re, against a window at 20 °C or as measured; files without the window keep
// their meaning.
void TestQc::normalisedRe_data()
{
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<double>("coilTempC");
    QTest::addColumn<bool>("reFails");
    QTest::newRow("no window") << QByteArray() << 60.0 << false;
    QTest::newRow("as measured") << QByteArray("re-window 5.5 5.9\n") << 60.0 << true;
    QTest::newRow("at 20 °C, coil at 60 °C")
        << QByteArray("re-window 5.5 5.9 20C\n") << 60.0 << false;
    QTest::newRow("at 20 °C, coil at 20 °C")
        << QByteArray("re-window 5.5 5.9 20C\n") << 20.0 << true;
}

void TestQc::normalisedRe()
{
    QFETCH(QByteArray, window);
    QFETCH(double, coilTempC);
    QFETCH(bool, reFails);
    QByteArray text = qcLimitsText(m_limits);
    text.replace("# param NAME", window + "# param NAME");
    QcLimits l;
    QCOMPARE(parseQcLimits(text, "l.txt", &l), QString());
    QCOMPARE(qcLimitsText(l), text);
    QCOMPARE(l.reWindow.has_value(), !window.isEmpty());
    // 5.7 Ω at 20 °C is 6.596 Ω in a copper coil at 60 °C.
    SpeakerModel warm = model(40.4, 3.0, 0.45);
    warm.re = 5.7 * (1.0 + 0.00393 * 40.0);
    QcVerdict v;
    QCOMPARE(
        checkQcUnit(l, *curveOf(warm), 2, &v, CoilTemperature{coilTempC, CoilMaterial::Copper}),
        QString());
    const bool reFailed = std::any_of(v.failures.cbegin(), v.failures.cend(),
                                      [](const QString &f) { return f.startsWith("Re"); });
    QCOMPARE(reFailed, reFails);
}

void TestQc::figures_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("failure"); // part of a failed item
    // Every unit on the grid of the golden units' ±2 % spread passes.
    for (double f : {39.2, 40.0, 40.8})
        for (double m : {2.94, 3.0, 3.06})
            for (double e : {0.441, 0.45, 0.459})
                QTest::addRow("Fs %g Qms %g Qes %g", f, m, e)
                    << QStringLiteral("Re=5.7,Le=0.5,Fs=%1,Qms=%2,Qes=%3").arg(f).arg(m).arg(e) << 0
                    << QString();
    QTest::newRow("not broken in, Fs +16 %")
        << "Re=5.7,Le=0.5,Fs=46.4,Qms=3,Qes=0.45" << 3 << "Fs 46.";
    QTest::newRow("another type") << "Re=3.3,Le=0.2,Fs=85,Qms=5,Qes=0.7" << 3 << "Fs 8";
    QTest::newRow("shorted turn, Re -10 %")
        << "Re=5.13,Le=0.5,Fs=40,Qms=3,Qes=0.45" << 3 << "Zmin ";
}

// qc check hands the coil's temperature to a Re window at 20 °C.
void TestQc::checkWithCoilTemperature()
{
    const QString limits = limitsFile();
    QVERIFY(!limits.isEmpty());
    QFile in(limits);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray text = in.readAll();
    text.replace("# param NAME", "re-window 5.5 5.9 20C\n# param NAME");
    const QString warmLimits = m_dir.filePath("warm.limits");
    QFile out(warmLimits);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
    out.close();
    const QString unit = measure("warm", "Re=6.596,Le=0.5,Fs=40,Qms=3,Qes=0.45");
    QVERIFY(!unit.isEmpty());
    const QStringList check{"qc", "check", unit, "--limits", warmLimits, "--json"};
    const QJsonObject cold = cli::run(check).json().object().value("re").toObject();
    QVERIFY(!cold.value("pass").toBool());
    const QJsonObject warm =
        cli::run(check + QStringList{"--coil-temp", "60"}).json().object().value("re").toObject();
    QVERIFY2(warm.value("pass").toBool(),
             qPrintable(QString::number(warm.value("value").toDouble())));
    QVERIFY(warm.value("at20C").toBool());
}

QString TestQc::measure(const QString &name, const QString &driver)
{
    SimulatedUnit sim;
    const QString link = m_dir.filePath("COM9");
    const QString out = m_dir.filePath(name + ".DTA");
    if (!sim.start(link, {"--driver", driver, "--fast"}))
        return QString();
    const cli::Result r = cli::run({"measure", "--port", link, "--band", "2", "-o", out});
    return r.exitCode == 0 ? out : QString();
}

QString TestQc::limitsFile()
{
    const QString limits = m_dir.filePath("woofer.limits");
    if (QFileInfo::exists(limits))
        return limits;
    QStringList golden;
    for (const char *d :
         {"Fs=39.2,Qms=2.94,Qes=0.441", "Fs=40,Qms=3.06,Qes=0.45", "Fs=40.8,Qms=2.94,Qes=0.459"})
        golden << measure(QString("golden%1").arg(golden.size()),
                          QStringLiteral("Re=5.7,Le=0.5,") + d);
    if (golden.contains(QString()))
        return QString();
    const cli::Result r =
        cli::run(QStringList{"qc", "limits"} + golden + QStringList{"-o", limits});
    return r.exitCode == 0 ? limits : QString();
}

void TestQc::figures()
{
    QFETCH(QString, driver);
    QFETCH(int, exitCode);
    QFETCH(QString, failure);
    const QString limits = limitsFile();
    QVERIFY(!limits.isEmpty());
    const QString unit = measure("unit", driver);
    QVERIFY(!unit.isEmpty());
    const cli::Result r = cli::run({"qc", "check", unit, "--limits", limits, "--json"});
    const QJsonObject o = r.json().object();
    const QStringList failures = o.value("failures").toVariant().toStringList();
    QVERIFY2(r.exitCode == exitCode, qPrintable(failures.join('\n') + r.errText()));
    QCOMPARE(o.value("passed").toBool(), exitCode == 0);
    if (!failure.isEmpty())
        QVERIFY2(failures.join('\n').contains(failure), qPrintable(failures.join('\n')));
}

void TestQc::logged()
{
    // A dead unit (a flat 8 ohm, no resonance) fails and is logged with its values unmeasured;
    // tested again it is still one unit.
    const QString limits = limitsFile();
    QVERIFY(!limits.isEmpty());
    MeasurementRecord record;
    clearPoints(record);
    record.band = 2;
    for (int i = bandFirstIndex(2); i <= bandLastIndex(2); ++i)
        encodePoint(record.points[i], 8.0, 0.0, gridFrequencyHz(i));
    record.valid = 1;
    const QString dead = m_dir.filePath("dead.DTA");
    QVERIFY(VELO_File().writeDataFile(dead, "U1", 1, &record));
    const QString db = m_dir.filePath("qc.sqlite");
    const QStringList check{"qc", "check", dead, "--limits", limits, "--station", "S1", "--db"};
    for (int i = 0; i < 2; ++i) {
        const cli::Result r = cli::run(check + QStringList{db});
        QCOMPARE(r.exitCode, 3);
        QVERIFY2(r.out.startsWith("FAIL dead") && r.out.contains("no resonance"),
                 r.out.constData());
        QVERIFY2(r.err.isEmpty(), r.err.constData());
    }
    const cli::Result report = cli::run({"qc", "report", "--db", db, "--json"});
    const QJsonObject o = report.json().object();
    QCOMPARE(o.value("units").toInt(), 1);
    QCOMPARE(o.value("results").toInt(), 2);
    QCOMPARE(o.value("failed").toInt(), 1);
    // A serial longer than a log takes is refused before anything is measured or kept.
    const cli::Result longSerial =
        cli::run(check + QStringList{db, "--serial", QString(129, QLatin1Char('x'))});
    QCOMPARE(longSerial.exitCode, 2);
    QVERIFY2(longSerial.errText().contains("at most 128 are allowed"), longSerial.err.constData());
    // A target that is no log: the result is not taken, and the script learns it.
    const cli::Result bad = cli::run(check + QStringList{"mysql://host/db"});
    QCOMPARE(bad.exitCode, 1);
    QVERIFY(bad.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestQc)
void TestQc::stationFiles()
{
    using namespace QcStationFiles;
    for (const char *bad : {"", ".", "..", "a/b"})
        QVERIFY2(!serialUsableAsFileName(bad), bad);
    QVERIFY(serialUsableAsFileName("..a") && serialUsableAsFileName("型番-2"));
    QCOMPARE(folderFor("", "/l/w.limits"), QString("/l"));
    QCOMPARE(folderFor("/d", "/l/w.limits"), QString("/d"));
    QCOMPARE(logTarget("", "/d"), QString("/d/VELO2_qc_log.sqlite"));
    QCOMPARE(logTarget("postgresql://h/qc", "/d"), QString("postgresql://h/qc"));

    // A unit tested again keeps each earlier file under the time it was written.
    QTemporaryDir dir;
    const QString path = dataFilePath(dir.path(), "A-1");
    QCOMPARE(keepEarlierFile(path), QString());
    const QDateTime written(QDate(2026, 3, 4), QTime(5, 6, 7));
    QStringList kept;
    for (int i = 0; i < 2; ++i) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1 && f.flush());
        QVERIFY(f.setFileTime(written, QFileDevice::FileModificationTime));
        f.close();
        kept << QFileInfo(keepEarlierFile(path)).fileName();
    }
    QCOMPARE(kept, QStringList({"A-1_20260304-050607.DTA", "A-1_20260304-050607-2.DTA"}));
    QVERIFY(!QFile::exists(path));
}

#include "tst_qc.moc"
