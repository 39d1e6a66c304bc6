// The motional circle of the simulator's driver measured on the unit's grid: the point texts'
// steps and the program's record conversion, then the circle against the driver's own values.
#include "DriverInput.h"
#include "ImpedanceSource.h"
#include "SimulatorReplay.h"
#include "core/analysis/MotionalCircle.h"

#include <QtTest>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(CircleOutcome)

namespace {

constexpr int kBand = 4; // 20..250 Hz

LoudspeakerParams physicalDriver(const char *given)
{
    DriverInput input;
    LoudspeakerParams p;
    std::string error;
    if (!addDriverParams(given, input, error) || !resolveDriver(input, p, error))
        qFatal("%s", error.c_str());
    return p;
}

bool near(double got, double want, double tolerance)
{
    if (std::fabs(got / want - 1.0) < tolerance)
        return true;
    qWarning("%.6g, not %.6g within %g", got, want, tolerance);
    return false;
}

} // namespace

class TestAnalysisCircle : public QObject
{
    Q_OBJECT
private slots:
    void driver_data();
    void driver();
    void refusals_data();
    void refusals();
};

void TestAnalysisCircle::driver_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<double>("tolerance"); // of fb - fa; of the rest a quarter of it
    QTest::newRow("woofer, Qms 2.6") << "Re=5.7,Le=0,Bl=7,Mms=15,Cms=1,Rms=1.5" << 0.02;
    QTest::newRow("Qms 8, small Res") << "Re=6.4,Le=0,Bl=4,Mms=9,Cms=0.6,Rms=0.55" << 0.02;
    QTest::newRow("stiff, Qms 13") << "Re=3.3,Le=0,Bl=9,Mms=30,Cms=0.08,Rms=1.5" << 0.02;
    // A coil lifts the circle by about its reactance at fs and bends it a little.
    QTest::newRow("woofer, Le 3 mH") << "Re=5.7,Le=3,Bl=7,Mms=15,Cms=1,Rms=1.5" << 0.04;
}

void TestAnalysisCircle::driver()
{
    QFETCH(QString, driver);
    QFETCH(double, tolerance);
    const LoudspeakerParams p = physicalDriver(driver.toLatin1().constData());
    const MotionalCircle c = fitMotionalCircle(*replaySweep(LoudspeakerModel(p), kBand), kBand);
    QCOMPARE(c.outcome, CircleOutcome::Ok);
    const double res = p.re * p.qms / p.qes;
    QVERIFY(near(c.diameterOhm, res, tolerance / 4));
    QVERIFY(near(std::sqrt(c.faHz * c.fbHz), p.fs, tolerance / 4));
    QVERIFY(near(c.fsHz, p.fs, tolerance / 4));
    QVERIFY(near(c.fbHz - c.faHz, p.fs / p.qms, tolerance));
    QCOMPARE(c.qms, c.fsHz / (c.fbHz - c.faHz));
    // The centre at Re + Res / 2 + jωLe; the points off the circle only by their steps.
    QVERIFY(near(c.centreROhm, p.re + res / 2, tolerance / 4));
    QVERIFY(std::fabs(c.centreXOhm - 2 * M_PI * p.fs * p.leMilliHenry * 1e-3) < 0.005 * res);
    QVERIFY(c.residualOhm > 0.0 && c.residualOhm < 0.01 * res);
}

void TestAnalysisCircle::refusals_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<bool>("phase");
    QTest::addColumn<int>("band");
    QTest::addColumn<CircleOutcome>("outcome");
    const QString woofer = QStringLiteral("Re=5.7,Le=0,Bl=7,Mms=15,Cms=1,Rms=1.5");
    QTest::newRow("flat 8 ohm") << "Re=8,Le=0,Bl=1e-6,Mms=15,Cms=1,Rms=1.5" << true << kBand
                                << CircleOutcome::NoResonance;
    QTest::newRow("no phase") << woofer << false << kBand << CircleOutcome::NoPhase;
    QTest::newRow("empty band") << woofer << true << 6 << CircleOutcome::NoResonance;
    QTest::newRow("no such band") << woofer << true << 10 << CircleOutcome::NoResonance;
    // Qms 60: three points above the window's R.
    QTest::newRow("too sharp") << "Re=6,Le=0,Bl=6,Mms=15,Cms=1,Rms=0.065" << true << kBand
                               << CircleOutcome::TooFewPoints;
}

void TestAnalysisCircle::refusals()
{
    QFETCH(QString, driver);
    QFETCH(bool, phase);
    QFETCH(int, band);
    QFETCH(CircleOutcome, outcome);
    const auto curve =
        replaySweep(LoudspeakerModel(physicalDriver(driver.toLatin1().constData())), kBand);
    if (!phase)
        std::fill(std::begin(curve->theta), std::end(curve->theta), 0.0f);
    const MotionalCircle c = fitMotionalCircle(*curve, band);
    QCOMPARE(c.outcome, outcome);
    QCOMPARE(c.qms, 0.0);
}

QTEST_GUILESS_MAIN(TestAnalysisCircle)
#include "tst_analysis_circle.moc"
