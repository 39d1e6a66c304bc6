#include "SimulatedUnit.h"
#include "core/files/AppPaths.h"
#include "core/measure/PointEncoder.h"
#include "core/measure/RunReceiver.h"
#include "core/measure/TCommPortDriver.h"
#include "core/measure/UnitProtocol.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/PointText.h"
#include "core/model/SweepGrid.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <complex>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// |Z| of a moving-coil driver in free air, written out independently of the simulator.
double woofer(double f, double re, double leH, double fs, double qms, double qes)
{
    const double w = 2 * M_PI * f;
    const std::complex<double> zm =
        (re * qms / qes) / std::complex<double>(1.0, qms * (f / fs - fs / f));
    return std::abs(std::complex<double>(re, w * leH) + zm);
}

// The same driver written from its mechanics: Bl^2 over the mechanical impedance.
double physicalDriver(double f, double re, double leH, double bl, double mms, double cms,
                      double rms)
{
    using C = std::complex<double>;
    const double w = 2 * M_PI * f;
    const C zm = rms + C(0, w * mms) + 1.0 / C(0, w * cms);
    return std::abs(C(re, w * leH) + bl * bl / zm);
}

// Above a kilohertz the voice coil's inductance, not the resonance, makes the highest values.
constexpr int kOneKiloHertz = 263;

int resonance(const MeasurementRecord &record)
{
    int peak = 0;
    for (int i = 0; i < kOneKiloHertz; ++i)
        if (decodePoint(record.points[i]).r > decodePoint(record.points[peak]).r)
            peak = i;
    return peak;
}

int runProcess(const QStringList &args, QByteArray *out = nullptr)
{
    QProcess p;
    p.start(SimulatedUnit::binary(), args);
    if (!p.waitForFinished(5000))
        return -1;
    if (out)
        *out = p.readAllStandardOutput() + p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

class TestMeasureSim : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void encodeKnownTexts_data();
    void encodeKnownTexts();
    void encodeRoundTrip_data();
    void encodeRoundTrip();

    void helpListsEveryOption_data();
    void helpListsEveryOption();
    void badCommandLines_data();
    void badCommandLines();
    void exitsCleanlyOnSignal_data();
    void exitsCleanlyOnSignal();
    void replacesStaleLinkButNotAFile();
    void replyArrivesInOnePiece();

    void defaultWooferCurve();
    void driverParameters();
    void physicalDrivers_data();
    void physicalDrivers();
    void realDriverTables_data();
    void realDriverTables();
    void noiseRepeatsWithItsSeed();
    void driftWarmsTheCoil();

private:
    // Runs band 2 against the simulator started with `args` into `record`.
    bool measureBand2(const QStringList &args, MeasurementRecord &record);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SimulatedUnit> m_sim;
};

void TestMeasureSim::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    setSettingsDirectoryOverride(m_dir->path());
    m_sim = std::make_unique<SimulatedUnit>();
}

void TestMeasureSim::cleanup()
{
    if (m_sim)
        QVERIFY(m_sim->stop());
    m_sim.reset();
    m_dir.reset();
}

void TestMeasureSim::encodeKnownTexts_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("theta");
    QTest::addColumn<double>("freq");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("40 ohm") << 40.0 << 0.0 << 10.0 << QByteArray("0FA00000FFFD7163FF");
    QTest::newRow("-100 deg") << 5.7 << -100.0 << 10.0 << QByteArray("023AFC18FFFD7163FF");
    QTest::newRow("100 kHz") << 1.0 << 0.05 << 100000.0 << QByteArray("00640000C800000002");
    QTest::newRow("R above range") << 1000.0 << 0.0 << 10.0 << QByteArray("FFFF0000FFFD7163FF");
    QTest::newRow("R below 0") << -3.0 << 0.0 << 10.0 << QByteArray("00000000FFFD7163FF");
    QTest::newRow("phase above range") << 1.0 << 5000.0 << 10.0 << QByteArray("00647FFFFFFD7163FF");
    QTest::newRow("phase below range")
        << 1.0 << -5000.0 << 10.0 << QByteArray("00648000FFFD7163FF");
    QTest::newRow("no frequency") << 1.0 << 0.0 << 0.0 << QByteArray("006400000000000001");
}

void TestMeasureSim::encodeKnownTexts()
{
    QFETCH(double, r);
    QFETCH(double, theta);
    QFETCH(double, freq);
    QFETCH(QByteArray, text);
    QCOMPARE(encodePointText(r, theta, freq), text);
}

void TestMeasureSim::encodeRoundTrip_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("theta");
    QTest::addColumn<int>("grid");
    QTest::newRow("woofer at 10 Hz") << 6.88 << 29.4 << 0;
    QTest::newRow("peak at Fs") << 43.67 << -0.3 << 79;
    QTest::newRow("1 kHz") << 7.123 << 12.34 << 263;
    QTest::newRow("negative phase") << 5.9 << -12.34 << 300;
    QTest::newRow("100 kHz") << 120.5 << 85.0 << 539;
    QTest::newRow("tiny") << 0.004 << -0.04 << 100;
}

void TestMeasureSim::encodeRoundTrip()
{
    QFETCH(double, r);
    QFETCH(double, theta);
    QFETCH(int, grid);
    const double f = gridFrequencyHz(grid);
    const QByteArray text = encodePointText(r, theta, f);
    QCOMPARE(text.size(), 18);
    char slot[kPointSlotSize] = {};
    memcpy(slot, text.constData(), 18);
    const DecodedPoint p = decodePoint(slot);
    QVERIFY2(qAbs(p.r - r) <= 0.0051, qPrintable(QString::number(p.r)));
    QVERIFY2(qAbs(p.theta - theta) <= 0.051, qPrintable(QString::number(p.theta)));
    QVERIFY2(qAbs(p.freq - f) <= f * 2e-7, qPrintable(QString::number(p.freq)));
}

void TestMeasureSim::helpListsEveryOption_data()
{
    QTest::addColumn<QString>("option");
    for (const char *o :
         {"--link",        "--model",        "--serial",    "--version",      "--driver",
          "--curve",       "--fast",         "--instant",   "--baud",         "--chunk",
          "--gap",         "--silent-after", "--end-mark",  "--cr-in-point",  "--wrong-count",
          "--count-reply", "--refuse-band",  "--ignore-me", "--uncalibrated", "--verbose",
          "--help",        "--added-mass",   "--box",       "--noise",        "--seed",
          "--drift"})
        QTest::newRow(o) << QString::fromLatin1(o);
}

void TestMeasureSim::helpListsEveryOption()
{
    QFETCH(QString, option);
    QByteArray out;
    QCOMPARE(runProcess({"--help"}, &out), 0);
    QVERIFY(out.contains(option.toLatin1()));
}

void TestMeasureSim::badCommandLines_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2;
    QTest::newRow("missing value") << QStringList{"--link"} << 2;
    QTest::newRow("not a number") << QStringList{"--chunk", "x"} << 2;
    QTest::newRow("chunk of 0") << QStringList{"--chunk", "0"} << 2;
    QTest::newRow("negative count") << QStringList{"--silent-after", "-1"} << 2;
    QTest::newRow("unknown parameter") << QStringList{"--driver", "Bl=7"} << 2;
    QTest::newRow("bad parameter value") << QStringList{"--driver", "Fs=0"} << 2;
    QTest::newRow("negative inductance") << QStringList{"--driver", "Le=-0.1"} << 2;
    QTest::newRow("mass of 0") << QStringList{"--driver", "Mms=15", "--added-mass", "0"} << 2;
    QTest::newRow("negative mass") << QStringList{"--driver", "Mms=15", "--added-mass", "-5"} << 2;
    QTest::newRow("mass without Mms") << QStringList{"--added-mass", "5"} << 2;
    QTest::newRow("box without Sd") << QStringList{"--driver", "Mms=15", "--box", "20"} << 2;
    QTest::newRow("box of 0") << QStringList{"--driver", "Mms=15,Sd=100", "--box", "0"} << 2;
    QTest::newRow("negative Sd") << QStringList{"--driver", "Mms=15,Sd=-100"} << 2;
    QTest::newRow("Fs with Cms") << QStringList{"--driver", "Bl=7,Mms=15,Cms=1,Rms=1,Fs=40"} << 2;
    QTest::newRow("physical, no Rms") << QStringList{"--driver", "Bl=7,Mms=15,Cms=1"} << 2;
    QTest::newRow("mass on a curve")
        << QStringList{"--curve", "table.zma", "--driver", "Mms=15", "--added-mass", "5"} << 2;
    QTest::newRow("missing table") << QStringList{"--curve", "/nonexistent/table.zma"} << 1;
    QTest::newRow("negative noise") << QStringList{"--noise", "-1"} << 2;
    QTest::newRow("noise over 100") << QStringList{"--noise", "101"} << 2;
    QTest::newRow("seed not a number") << QStringList{"--seed", "x"} << 2;
    QTest::newRow("negative seed") << QStringList{"--seed", "-3"} << 2;
    QTest::newRow("drift on a curve") << QStringList{"--curve", "t.zma", "--drift", "1"} << 2;
}

void TestMeasureSim::badCommandLines()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QCOMPARE(runProcess(args), exitCode);
}

void TestMeasureSim::exitsCleanlyOnSignal_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestMeasureSim::exitsCleanlyOnSignal()
{
    QFETCH(int, signal);
    const QString link = m_dir->filePath(QStringLiteral("COM1"));
    QVERIFY(m_sim->start(link));
    // In the middle of a paced sweep, with the port just closed by the program.
    {
        TCommPortDriver driver;
        UnitProtocol unit(driver);
        QCOMPARE(unit.openAndIdentify(1), UnitOutcome::Ok);
        QCOMPARE(unit.mRequestBand(2), UnitOutcome::Ok);
        unit.mCloseCOM();
    }
    QProcess &p = m_sim->process();
    QCOMPARE(::kill(pid_t(p.processId()), signal), 0);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

// On a loaded machine every wake-up of the simulator may come late; a reply that trickles out
// byte by byte misses the program's 100 ms reply time-out where one written at once does not.
void TestMeasureSim::replyArrivesInOnePiece()
{
    QVERIFY(m_sim->start(m_dir->filePath(QStringLiteral("COM1"))));
    const int fd = ::open(qPrintable(m_sim->slavePath()), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios tio{};
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    const QList<QByteArray> exchange{"?\r", "OK\r", "U?\r", "HKA2\r", "M2\r", "021C\r"};
    for (int i = 0; i < exchange.size(); i += 2) {
        QCOMPARE(::write(fd, exchange[i].constData(), size_t(exchange[i].size())),
                 ssize_t(exchange[i].size()));
        pollfd p{fd, POLLIN, 0};
        QCOMPARE(::poll(&p, 1, 5000), 1);
        char buffer[64];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        QCOMPARE(QByteArray(buffer, int(std::max<ssize_t>(n, 0))), exchange[i + 1]);
    }
    ::close(fd);
}

void TestMeasureSim::replacesStaleLinkButNotAFile()
{
    const QString link = m_dir->filePath(QStringLiteral("COM1"));
    QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("gone")), link));
    QVERIFY(m_sim->start(link));
    QCOMPARE(QFileInfo(link).symLinkTarget(), m_sim->slavePath());
    QVERIFY(m_sim->stop());

    const QString file = m_dir->filePath(QStringLiteral("COM2"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep");
    f.close();
    QCOMPARE(runProcess({"--link", file}), 1);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep"));
}

bool TestMeasureSim::measureBand2(const QStringList &args, MeasurementRecord &record)
{
    if (!m_sim->start(m_dir->filePath(QStringLiteral("COM1")), args + QStringList{"--fast"}))
        return false;
    TCommPortDriver driver;
    UnitProtocol unit(driver);
    if (unit.openAndIdentify(1) != UnitOutcome::Ok || unit.mRequestBand(2) != UnitOutcome::Ok)
        return false;
    RunReceiver rx;
    rx.start(2);
    RunReceiver::Step end = RunReceiver::Step::Nothing;
    int silent = 0;
    while (!rx.finished() && silent < 3) {
        silent = rx.readFrom(driver) > 0 ? 0 : silent + 1;
        end = rx.step(record).step;
    }
    unit.mReleaseCOM();
    return end == RunReceiver::Step::EndOk && rx.pointsReceived() == kGridPoints;
}

void TestMeasureSim::defaultWooferCurve()
{
    // Re 5.7, Le 0.5 mH, Fs 40, Qms 3, Qes 0.45: a 6.5" woofer.
    auto record = std::make_unique<MeasurementRecord>();
    QVERIFY(measureBand2({}, *record));
    int peak = 0;
    float rMax = 0;
    for (int i = 0; i < kGridPoints; ++i) {
        const DecodedPoint p = decodePoint(record->points[i]);
        const double expected = woofer(p.freq, 5.7, 0.5e-3, 40, 3, 0.45);
        QVERIFY2(qAbs(p.r - expected) <= 0.0051 + expected * 1e-6,
                 qPrintable(QStringLiteral("%1 Hz: %2 / %3").arg(p.freq).arg(p.r).arg(expected)));
        if (i < kOneKiloHertz && p.r > rMax) {
            rMax = p.r;
            peak = i;
        }
    }
    // The peak sits at the grid point next to Fs and reaches Re (1 + Qms/Qes) within 0.5 %.
    QVERIFY(qAbs(gridFrequencyHz(peak) - 40.0) < 1.0);
    QVERIFY(qAbs(rMax - 5.7 * (1 + 3 / 0.45)) < 5.7 * (1 + 3 / 0.45) * 0.005);
}

void TestMeasureSim::driverParameters()
{
    auto record = std::make_unique<MeasurementRecord>();
    QVERIFY(measureBand2({"--driver", "Re=7.5,Fs=95,Qms=5,Qes=0.5,Le=0.8"}, *record));
    QVERIFY(qAbs(gridFrequencyHz(resonance(*record)) / 95.0 - 1.0) < 0.02);
    const DecodedPoint top = decodePoint(record->points[539]);
    QVERIFY(qAbs(top.r - woofer(top.freq, 7.5, 0.8e-3, 95, 5, 0.5)) < 0.01);
    QVERIFY(top.theta > 80); // the coil's inductance dominates at 100 kHz

    // Without inductance the impedance falls back to Re far above the resonance.
    QVERIFY(measureBand2({"--driver", "Re=7.5,Fs=95,Qms=5,Qes=0.5,Le=0"}, *record));
    const DecodedPoint pure = decodePoint(record->points[539]);
    QVERIFY(qAbs(pure.r - 7.5) < 0.02);
    QVERIFY(qAbs(pure.theta) < 0.5);
}

void TestMeasureSim::physicalDrivers_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("bl");
    QTest::addColumn<double>("mmsGrams");
    QTest::addColumn<double>("cmsMmPerN");
    QTest::addColumn<double>("rms");
    const QString physical = QStringLiteral("Re=6,Le=0,Bl=7,Mms=15,Cms=0.9,Rms=1.2,Sd=104");
    QTest::newRow("physical") << QStringList{"--driver", physical} << 6.0 << 7.0 << 15.0 << 0.9
                              << 1.2;
    QTest::newRow("physical, 10 g on the cone")
        << QStringList{"--driver", physical, "--added-mass", "10"} << 6.0 << 7.0 << 25.0 << 0.9
        << 1.2;
    // 20 L of air at 20 C: a spring of V / (rho c^2 Sd^2) = 1.3035 mm/N beside the suspension.
    const double box = 0.020 / (1.2041 * 343.23 * 343.23 * 0.0104 * 0.0104) * 1e3;
    QTest::newRow("physical, 20 L box") << QStringList{"--driver", physical, "--box", "20"} << 6.0
                                        << 7.0 << 15.0 << 0.9 * box / (0.9 + box) << 1.2;
    QTest::newRow("physical, mass and box")
        << QStringList{"--driver", physical, "--box", "20", "--added-mass", "10"} << 6.0 << 7.0
        << 25.0 << 0.9 * box / (0.9 + box) << 1.2;
    // Fs 40, Qms 3, Qes 0.45 and Re 5.7 with 20 g moving: Cms = 1 / (ws^2 Mms),
    // Rms = ws Mms / Qms, Bl = sqrt(ws Mms Re / Qes).
    QTest::newRow("resonance and Mms, 8 g on the cone")
        << QStringList{"--driver", "Le=0,Mms=20", "--added-mass", "8"} << 5.7 << 7.979324 << 28.0
        << 0.7915717 << 1.6755161;
}

void TestMeasureSim::physicalDrivers()
{
    QFETCH(QStringList, args);
    QFETCH(double, re);
    QFETCH(double, bl);
    QFETCH(double, mmsGrams);
    QFETCH(double, cmsMmPerN);
    QFETCH(double, rms);
    const double mms = mmsGrams * 1e-3, cms = cmsMmPerN * 1e-3;
    auto record = std::make_unique<MeasurementRecord>();
    QVERIFY(measureBand2(args, *record));
    for (int i = 0; i < kGridPoints; ++i) {
        const DecodedPoint p = decodePoint(record->points[i]);
        const double expected = physicalDriver(p.freq, re, 0, bl, mms, cms, rms);
        QVERIFY2(qAbs(p.r - expected) <= 0.0051 + expected * 1e-3,
                 qPrintable(QStringLiteral("%1 Hz: %2 / %3").arg(p.freq).arg(p.r).arg(expected)));
    }
    // Without inductance the peak lies at 1 / (2 pi sqrt(Mms Cms)), to a grid step (1.7 %).
    const double fs = 1 / (2 * M_PI * std::sqrt(mms * cms));
    const double found = gridFrequencyHz(resonance(*record));
    QVERIFY2(qAbs(found / fs - 1) < 0.018,
             qPrintable(QStringLiteral("%1 / %2").arg(found).arg(fs)));
}

void TestMeasureSim::realDriverTables_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("r10Hz"); // what the 10 Hz point must carry
    QTest::addColumn<double>("theta10Hz");
    QTest::addColumn<double>("peakHz"); // where the table's maximum lies
    // Starts exactly at 10 Hz: 7.1179 ohm, +25.2241 deg.
    QTest::newRow("SEAS, blank-separated") << "seas_l16rnx_0g.zma" << 7.1179 << 25.2241 << 44.0;
    // Scientific notation, single comment line.
    QTest::newRow("SEAS, scientific") << "seas_l16rnx_plus16g.zma" << 7.3166 << 26.3593 << 33.0;
    // CR LF, a long comment header; the table starts above 10 Hz, so its first row holds.
    QTest::newRow("SB17, CR LF") << "sb17mfc35_w1_new.zma" << -1.0 << 0.0 << 42.63;
    // Tabs and a column-title line.
    QTest::newRow("GRS, titled") << "grs_8sw4he8_datasheet.zma" << 4.4427 << 29.80 << -1.0;
    // No phase column at all.
    QTest::newRow("Tang Band, no phase") << "tb_w3_1876s_datasheet.zma" << 5.681544 << 0.0 << -1.0;
}

void TestMeasureSim::realDriverTables()
{
    QFETCH(QString, file);
    QFETCH(double, r10Hz);
    QFETCH(double, theta10Hz);
    QFETCH(double, peakHz);
    const QString path = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/") + file;
    QVERIFY(QFileInfo::exists(path));
    auto record = std::make_unique<MeasurementRecord>();
    QVERIFY(measureBand2({"--curve", path}, *record));
    const DecodedPoint first = decodePoint(record->points[0]);
    if (r10Hz > 0) {
        QVERIFY2(qAbs(first.r - r10Hz) <= 0.0051, qPrintable(QString::number(first.r)));
        QVERIFY2(qAbs(first.theta - theta10Hz) <= 0.051, qPrintable(QString::number(first.theta)));
    }
    if (peakHz > 0) {
        const double found = gridFrequencyHz(resonance(*record));
        QVERIFY2(qAbs(found / peakHz - 1.0) < 0.1, qPrintable(QString::number(found)));
    }
}

QTEST_GUILESS_MAIN(TestMeasureSim)
#include "tst_measure_sim.moc"

void TestMeasureSim::noiseRepeatsWithItsSeed()
{
    const QStringList driver{"--driver", "Re=7.5,Fs=95,Qms=5,Qes=0.5,Le=0.8"};
    auto a = std::make_unique<MeasurementRecord>();
    auto b = std::make_unique<MeasurementRecord>();
    auto c = std::make_unique<MeasurementRecord>();
    QVERIFY(measureBand2(driver + QStringList{"--noise", "1", "--seed", "7"}, *a));
    QVERIFY(measureBand2(driver + QStringList{"--noise", "1", "--seed", "7"}, *b));
    QVERIFY(measureBand2(driver + QStringList{"--noise", "1", "--seed", "8"}, *c));
    QCOMPARE(QByteArray(a->points[0], kGridPoints * kPointSlotSize),
             QByteArray(b->points[0], kGridPoints * kPointSlotSize));
    QVERIFY(QByteArray(a->points[0], kGridPoints * kPointSlotSize) !=
            QByteArray(c->points[0], kGridPoints * kPointSlotSize));
    // One standard deviation of 1 % on |Z| and 0.573 deg on the phase, within the scatter of
    // 540 draws.
    double ohm2 = 0.0;
    double deg2 = 0.0;
    for (int i = 0; i < kGridPoints; ++i) {
        const DecodedPoint p = decodePoint(a->points[i]);
        const double expected = woofer(p.freq, 7.5, 0.8e-3, 95, 5, 0.5);
        ohm2 += std::pow(p.r / expected - 1.0, 2);
        const std::complex<double> z =
            std::complex<double>(7.5, 2 * M_PI * p.freq * 0.8e-3) +
            (7.5 * 5 / 0.5) / std::complex<double>(1.0, 5 * (p.freq / 95 - 95 / p.freq));
        deg2 += std::pow(p.theta - std::arg(z) * 180 / M_PI, 2);
    }
    QVERIFY(qAbs(std::sqrt(ohm2 / kGridPoints) / 0.01 - 1.0) < 0.15);
    QVERIFY(qAbs(std::sqrt(deg2 / kGridPoints) / 0.573 - 1.0) < 0.15);
}

void TestMeasureSim::driftWarmsTheCoil()
{
    // 10 % over the sweep: the last point, where only the coil is left, reads 1.1 Re.
    auto record = std::make_unique<MeasurementRecord>();
    QVERIFY(
        measureBand2({"--driver", "Re=7.5,Fs=95,Qms=5,Qes=0.5,Le=0", "--drift", "10"}, *record));
    QVERIFY(qAbs(decodePoint(record->points[539]).r - 8.25) < 0.02);
    // Half way, half the rise adds to the real part of the model's impedance.
    const DecodedPoint mid = decodePoint(record->points[270]);
    const std::complex<double> z =
        7.5 * (1 + 0.1 * 270 / 539.0) +
        (7.5 * 5 / 0.5) / std::complex<double>(1.0, 5 * (mid.freq / 95 - 95 / mid.freq));
    QVERIFY(qAbs(mid.r - std::abs(z)) < 0.01);
}
