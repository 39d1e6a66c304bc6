// velo2-cli ts over whole measurements: each curve played by the simulated unit, measured with
// velo2-cli measure, then analysed by every method the options allow.

#include "CliTestSupport.h"
#include "SimulatedUnit.h"
#include "SpeakerCurve.h"
#include "core/document/MeasurementDocument.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

class TestCliWorksheet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void seas();
    void modelDriver_data();
    void modelDriver();
    void badInput_data();
    void badInput();
    void fromNumbers();
    void curveUncertainty();
    void repeatsGiveTypeA();
    void sharpPeak_data();
    void sharpPeak();

private:
    // Measures band `band` of the simulator started with `simArgs` into `name`.DTA.
    QString measure(const QString &name, const QStringList &simArgs, int band);
    QString file(const QString &name) const { return m_dir.filePath(name + ".DTA"); }

    QTemporaryDir m_dir;
};

namespace {

double relative(const QJsonValue &v, double truth)
{
    return std::fabs(v.toDouble() / truth - 1.0);
}

QStringList flagCodes(const QJsonObject &o)
{
    QStringList out;
    for (const QJsonValue &f : o.value("flags").toArray())
        out << f.toObject().value("code").toString();
    return out;
}

} // namespace

QString TestCliWorksheet::measure(const QString &name, const QStringList &simArgs, int band)
{
    SimulatedUnit sim;
    const QString link = m_dir.filePath("COM9");
    if (!sim.start(link, simArgs + QStringList{"--fast"}))
        return QString();
    const cli::Result r =
        cli::run({"measure", "--port", link, "--band", QString::number(band), "-o", file(name)});
    sim.stop();
    return r.exitCode == 0 ? file(name) : QString();
}

void TestCliWorksheet::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFileInfo(SimulatedUnit::binary()).isExecutable());
}

void TestCliWorksheet::seas()
{
    const QString data = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/seas_l16rnx_");
    for (const char *name : {"0g", "plus8g", "plus16g"})
        QVERIFY(!measure(name, {"--curve", data + name + ".zma"}, 4).isEmpty());
    // 21.83 °C and 1013.26 hPa give the paper's air: 1.19667 kg/m³, 344.30 m/s.
    const cli::Result r =
        cli::run({"ts", file("0g"), "--re", "5.721", "--sd", "103.869", "--mass",
                  file("plus8g") + ":8.017", "--mass", file("plus16g") + ":16.048", "--temp",
                  "21.83", "--pressure", "1013.26", "--json"});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject o = r.json().object();
    // Today's ten values stay at the top, the worksheet's sections beside them.
    for (const char *key :
         {"file", "Re", "Rmax", "Fs", "r0", "Rx", "f1", "f2", "Qms", "Qes", "Qts"})
        QVERIFY2(o.contains(key), key);
    QVERIFY(o.value("classic").isObject() && o.value("dualMass").isObject() && !o.contains("box"));
    const QJsonArray single = o.value("singleMass").toArray();
    QCOMPARE(single.size(), 2);
    const QJsonObject dual = o.value("dualMass").toObject();
    const double bl = dual.value("Bl_Tm").toDouble();
    const double mms = dual.value("Mms_g").toDouble();
    const double vas = dual.value("Vas_L").toDouble();
    qInfo("SEAS L16RN-X through the unit, band 4: Fs %.2f Hz | dual Bl %.3f T·m Mms %.2f g Vas "
          "%.2f L (%+.1f %% from 12.86 L) consistency %.2f %% | single 8.017 g Mms %.2f g, "
          "16.048 g Mms %.2f g",
          o.value("classic").toObject().value("Fs_Hz").toDouble(), bl, mms, vas,
          (vas / 12.86 - 1.0) * 100.0, dual.value("consistency_pct").toDouble(),
          single[0].toObject().value("Mms_g").toDouble(),
          single[1].toObject().value("Mms_g").toDouble());
    QVERIFY2(bl >= 6.99 && bl <= 7.08, qPrintable(QString::number(bl)));
    QVERIFY2(mms >= 14.9 && mms <= 15.3, qPrintable(QString::number(mms)));
    QVERIFY2(relative(dual.value("Vas_L"), 12.86) < 0.04, qPrintable(QString::number(vas)));
    QCOMPARE(flagCodes(o).count("single-dual-disagree"), 2);
}

void TestCliWorksheet::modelDriver_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<double>("bl");
    QTest::addColumn<double>("mms"); // g
    QTest::addColumn<double>("cms"); // mm/N
    QTest::addColumn<double>("sd");  // cm²
    QTest::addColumn<QStringList>("masses");
    QTest::addColumn<QString>("litres");
    // Fs about 31, 52 and 87 Hz.
    QTest::newRow("10 inch") << "Re=6,Le=0.3,Bl=9.5,Mms=45,Cms=0.58,Rms=1.2,Sd=330" << 9.5 << 45.0
                             << 0.58 << 330.0 << QStringList{"20", "45"} << "60";
    QTest::newRow("6.5 inch") << "Re=6,Le=0.3,Bl=6.8,Mms=15,Cms=0.62,Rms=0.9,Sd=133" << 6.8 << 15.0
                              << 0.62 << 133.0 << QStringList{"8", "16"} << "12";
    QTest::newRow("4 inch") << "Re=6,Le=0.3,Bl=4.2,Mms=4.5,Cms=0.74,Rms=0.5,Sd=55" << 4.2 << 4.5
                            << 0.74 << 55.0 << QStringList{"2.5", "5"} << "1.5";
}

void TestCliWorksheet::modelDriver()
{
    QFETCH(QString, driver);
    QFETCH(double, bl);
    QFETCH(double, mms);
    QFETCH(double, cms);
    QFETCH(double, sd);
    QFETCH(QStringList, masses);
    QFETCH(QString, litres);
    const int band = 1;
    QVERIFY(!measure("free", {"--driver", driver}, band).isEmpty());
    QStringList args{"ts", file("free"), "--re", "6", "--sd", QString::number(sd), "--json"};
    for (const QString &g : masses) {
        QVERIFY(!measure("m" + g, {"--driver", driver, "--added-mass", g}, band).isEmpty());
        args << "--mass" << file("m" + g) + ":" + g;
    }
    QVERIFY(!measure("box", {"--driver", driver, "--box", litres}, band).isEmpty());
    args << "--box" << file("box") + ":" + litres;
    const cli::Result r = cli::run(args);
    QCOMPARE(r.exitCode, 0);
    const QJsonObject o = r.json().object();
    // Air at 20 °C and 1013.25 hPa, as the simulator's box: rho c² = 1.4 p.
    const double vas = 1.4 * 101325.0 * std::pow(sd * 1e-4, 2) * cms * 1e-3 * 1e3;
    const QJsonObject dual = o.value("dualMass").toObject();
    const QJsonObject box = o.value("box").toObject();
    qInfo("model Mms %.2f g Bl %.2f Vas %.2f L | single %.2f / %.2f g | dual %.2f g %.3f T·m | "
          "box Vas %.2f L",
          mms, bl, vas, o.value("singleMass")[0].toObject().value("Mms_g").toDouble(),
          o.value("singleMass")[1].toObject().value("Mms_g").toDouble(),
          dual.value("Mms_g").toDouble(), dual.value("Bl_Tm").toDouble(),
          box.value("Vas_L").toDouble());
    for (const QJsonValue &s : o.value("singleMass").toArray()) {
        QVERIFY(relative(s.toObject().value("Mms_g"), mms) < 0.01);
        QVERIFY(relative(s.toObject().value("Bl_Tm"), bl) < 0.01);
    }
    QVERIFY(relative(dual.value("Mms_g"), mms) < 0.01);
    QVERIFY(relative(dual.value("Bl_Tm"), bl) < 0.01);
    QVERIFY(relative(box.value("Vas_L"), vas) < 0.01);
    QVERIFY(relative(box.value("Mms_g"), mms) < 0.01);
    QCOMPARE(flagCodes(o), QStringList());
}

void TestCliWorksheet::badInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("--sd and --diameter") << QStringList{"--sd", "100", "--diameter", "110"} << 2
                                         << "--sd and --diameter exclude each other";
    QTest::newRow("mass without grams")
        << QStringList{"--mass", "m.DTA"} << 2 << "--mass 'm.DTA': expected FILE.DTA:GRAMS";
    QTest::newRow("temperature not a number")
        << QStringList{"--temp", "warm"} << 2 << "--temp 'warm': not a number";
    QTest::newRow("mass 0 g") << QStringList{"--sd", "100", "--mass", "FREE:0"} << 1
                              << "the added mass must be above 0 g";
    QTest::newRow("missing mass file")
        << QStringList{"--sd", "100", "--mass", "nothing.DTA:8"} << 1 << "nothing.DTA: ";
    QTest::newRow("negative tolerance")
        << QStringList{"--re-tol", "-0.1"} << 1 << "the tolerance of Re must be a number of 0";
    QTest::newRow("--rho without --c") << QStringList{"--rho", "1.2"} << 2 << "missing --c M_S";
    QTest::newRow("unknown coil material")
        << QStringList{"--coil-temp", "40", "--coil-material", "tin"} << 2
        << "unknown coil material 'tin'";
}

// The published single added-mass case typed as numbers, with its uncertainty on request.
void TestCliWorksheet::fromNumbers()
{
    const QStringList args{"ts",     "--fs",  "56.9327", "--fs-mass", "26.5131:25", "--diameter",
                           "110",    "--re",  "5.6",     "--qms",     "2.4038",     "--qes",
                           "0.4208", "--rho", "1.18",    "--c",       "344",        "--json"};
    cli::Result r = cli::run(args);
    QCOMPARE(r.exitCode, 0);
    QJsonObject o = r.json().object();
    const QJsonObject single = o.value("singleMass").toArray().first().toObject();
    const std::pair<const char *, double> expected[] = {
        {"Mms_g", 6.9231}, {"Cms_mmPerN", 1.1288}, {"Rms_kgPerS", 1.0303}, {"Vas_L", 14.2352}};
    for (const auto &[key, value] : expected)
        QCOMPARE(std::round(single.value(key).toDouble() * 1e4) / 1e4, value);
    QCOMPARE(std::round(o.value("classic").toObject().value("Qts").toDouble() * 1e4) / 1e4, 0.3581);
    QVERIFY(!o.contains("uncertainty"));

    r = cli::run(args + QStringList{"--diameter-tol", "0.5"});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject u = r.json().object().value("uncertainty").toObject();
    QCOMPARE(u.value("k").toDouble(), 2.0);
    const QJsonObject su = u.value("singleMass").toArray().first().toObject();
    // Vas ∝ d⁴: u = 4·Vas·(0.5 mm / √3) / 110 mm.
    QVERIFY(std::fabs(su.value("u_Vas_L").toDouble() / (4 * 14.23518 * 0.5 / std::sqrt(3.0) / 110) -
                      1.0) < 1e-3);
    QVERIFY(u.value("budget").toObject().contains("singleMass[0].Vas_L"));
}

// A measured curve: its grid step alone gives Fs an uncertainty; nothing new without the
// new options.
void TestCliWorksheet::curveUncertainty()
{
    const QString free = file("0g");
    QVERIFY2(QFileInfo::exists(free), "seas() measures the free-air curve first");
    const cli::Result plain =
        cli::run({"ts", free, "--re", "5.721", "--diameter", "130", "--json"});
    QVERIFY(!plain.json().object().contains("uncertainty"));
    const cli::Result r =
        cli::run({"ts", free, "--re", "5.721", "--diameter", "130", "--uncertainty", "--json"});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject u = r.json().object().value("uncertainty").toObject();
    QVERIFY(u.value("classic").toObject().value("u_Fs_Hz").toDouble() > 0.0);
    QVERIFY(
        u.value("budget").toObject().value("classic.Fs_Hz").toObject().contains("grid-free-air"));
}

// The mean of repeated sweeps: their scatter stands in for the grid and noise terms.
void TestCliWorksheet::repeatsGiveTypeA()
{
    RepeatSet set = speakerSweeps(4, {48.0, 48.6, 47.5});
    QCOMPARE(set.count(), 3);
    MeasurementDocument doc;
    QVERIFY(doc.takeRepeatMean(std::move(set)));
    const QString mean = file("mean");
    QCOMPARE(doc.save(mean, 1), WriteOutcome::Written);
    const cli::Result r =
        cli::run({"ts", mean, "--re", "6.2", "--diameter", "130", "--uncertainty", "--json"});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject u = r.json().object().value("uncertainty").toObject();
    QCOMPARE(u.value("repeats").toInt(), 3);
    const QJsonObject fsBudget = u.value("budget").toObject().value("classic.Fs_Hz").toObject();
    QVERIFY(fsBudget.contains("repeats") && !fsBudget.contains("grid-free-air"));
    // The scatter of 48, 48.6 and 47.5 Hz: s/sqrt(3) = 0.318 Hz.
    QVERIFY(qAbs(u.value("classic").toObject().value("u_Fs_Hz").toDouble() - 0.318) < 0.03);
}

void TestCliWorksheet::badInput()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString free = file("0g");
    QVERIFY2(QFileInfo::exists(free), "seas() measures the free-air curve first");
    args.replaceInStrings("FREE", free);
    const cli::Result r = cli::run(QStringList{"ts", free, "--re", "5.721"} + args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.errText().startsWith("velo2-cli ts: ") && r.errText().contains(message),
             qPrintable(r.errText()));
    QVERIFY(r.out.isEmpty());
}

// A peak too sharp for the grid is flagged on the analysis window's values and on the
// worksheet's, in the text and in the JSON; --fit makes the methods read Z - Ze.
void TestCliWorksheet::sharpPeak_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("basis"); // empty: no worksheet
    QTest::newRow("ten values") << QStringList() << QString();
    QTest::newRow("worksheet with a fit") << QStringList{"--fit", "lr2"} << "motional";
}

void TestCliWorksheet::sharpPeak()
{
    QFETCH(QStringList, args);
    QFETCH(QString, basis);
    const QString sharp = file("sharp");
    if (!QFileInfo::exists(sharp))
        QVERIFY(!measure("sharp", {"--driver", "Re=6,Le=0.1,Fs=41.3,Qms=43,Qes=1"}, 4).isEmpty());
    const QStringList common = QStringList{"ts", sharp, "--re", "6"} + args;
    const cli::Result json = cli::run(common + QStringList{"--json"});
    QCOMPARE(json.exitCode, 0);
    const QJsonObject o = json.json().object();
    QCOMPARE(flagCodes(o), QStringList{"peak-too-sharp"});
    QCOMPARE(o.value("inputs").toObject().value("basis").toString(), basis);
    const cli::Result text = cli::run(common);
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(text.out.contains("peak-too-sharp  the resonance is only"), text.out.constData());
}

QTEST_GUILESS_MAIN(TestCliWorksheet)
#include "tst_cli_worksheet.moc"
