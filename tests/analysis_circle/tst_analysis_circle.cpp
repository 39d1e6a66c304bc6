// The motional circle of the simulator's driver measured on the unit's grid: the point texts'
// steps and the program's record conversion, then the circle against the driver's own values.
#include "DriverInput.h"
#include "ImpedanceSource.h"
#include "core/analysis/MotionalCircle.h"
#include "core/files/VELO_File.h"
#include "core/measure/PointEncoder.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/SweepGrid.h"

#include <QtTest>
#include <cmath>
#include <cstring>
#include <memory>

Q_DECLARE_METATYPE(CircleOutcome)

namespace {

constexpr int kBand = 4; // 20..250 Hz

// band's curve of source, through the point texts the unit sends.
std::unique_ptr<CurveBlock> sweep(const ImpedanceSource &source, int band = kBand)
{
    auto record = std::make_unique<MeasurementRecord>();
    clearPoints(*record);
    record->band = band;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const Impedance z = source.at(gridFrequencyHz(i));
        std::memcpy(record->points[i], encodePointText(z.magnitude, z.phaseDeg, gridFrequencyHz(i)),
                    kPointTextLength);
    }
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    VELO_File().convertRecord(record.get(), raw.get(), avg.get());
    return raw;
}

LoudspeakerParams physicalDriver(const char *given)
{
    DriverInput input;
    LoudspeakerParams p;
    std::string error;
    if (!addDriverParams(given, input, error) || !resolveDriver(input, p, error))
        qFatal("%s", error.c_str());
    return p;
}

// |Z| as given at every frequency, at a phase of deg.
struct Flat : ImpedanceSource {
    double ohm, deg;
    Flat(double o, double d) : ohm(o), deg(d) {}
    Impedance at(double) const override { return {ohm, deg}; }
};

} // namespace

class TestAnalysisCircle : public QObject
{
    Q_OBJECT
private slots:
    void driverWithoutInductance_data();
    void driverWithoutInductance();
    void driverWithInductance();
    void refusals_data();
    void refusals();
};

void TestAnalysisCircle::driverWithoutInductance_data()
{
    QTest::addColumn<QString>("driver");
    QTest::newRow("woofer, Qms 2.6") << "Re=5.7,Le=0,Bl=7,Mms=15,Cms=1,Rms=1.5";
    QTest::newRow("Qms 8, small Res") << "Re=6.4,Le=0,Bl=4,Mms=9,Cms=0.6,Rms=0.55";
    QTest::newRow("stiff, Qms 13") << "Re=3.3,Le=0,Bl=9,Mms=30,Cms=0.08,Rms=1.5";
}

void TestAnalysisCircle::driverWithoutInductance()
{
    QFETCH(QString, driver);
    const LoudspeakerParams p = physicalDriver(driver.toLatin1().constData());
    const MotionalCircle c = fitMotionalCircle(*sweep(LoudspeakerModel(p)), kBand);
    QCOMPARE(c.outcome, CircleOutcome::Ok);
    const double res = p.re * p.qms / p.qes;
    QVERIFY2(std::fabs(c.diameterOhm / res - 1.0) < 0.005,
             qPrintable(QStringLiteral("Res %1, driver %2").arg(c.diameterOhm).arg(res)));
    QVERIFY2(std::fabs(std::sqrt(c.faHz * c.fbHz) / p.fs - 1.0) < 0.005,
             qPrintable(QStringLiteral("fa %1 fb %2 fs %3").arg(c.faHz).arg(c.fbHz).arg(p.fs)));
    QVERIFY2(
        std::fabs((c.fbHz - c.faHz) / (p.fs / p.qms) - 1.0) < 0.02,
        qPrintable(QStringLiteral("fb-fa %1, fs/Qms %2").arg(c.fbHz - c.faHz).arg(p.fs / p.qms)));
    QVERIFY(std::fabs(c.fsHz / p.fs - 1.0) < 0.005);
    QCOMPARE(c.qms, c.fsHz / (c.fbHz - c.faHz));
    // The centre lies on the R axis at Re + Res / 2; the points only as far off as their steps.
    QVERIFY(std::fabs(c.centreROhm - (p.re + res / 2)) < 0.005 * res);
    QVERIFY(std::fabs(c.centreXOhm) < 0.005 * res);
    QVERIFY(c.residualOhm < 0.01 * res);
}

void TestAnalysisCircle::driverWithInductance()
{
    // The coil lifts and bends the circle: finite values, fs at the peak still, the centre
    // about the coil's reactance at fs above the R axis.
    const LoudspeakerParams p = physicalDriver("Re=5.7,Le=3,Bl=7,Mms=15,Cms=1,Rms=1.5");
    const MotionalCircle c = fitMotionalCircle(*sweep(LoudspeakerModel(p)), kBand);
    QCOMPARE(c.outcome, CircleOutcome::Ok);
    for (double v : {c.diameterOhm, c.fsHz, c.faHz, c.fbHz, c.qms, c.residualOhm})
        QVERIFY(std::isfinite(v) && v > 0.0);
    QVERIFY(c.faHz < c.fsHz && c.fsHz < c.fbHz);
    QVERIFY(std::fabs(c.fsHz / p.fs - 1.0) < 0.02);
    const double coil = 2 * M_PI * p.fs * p.leMilliHenry * 1e-3;
    QVERIFY(std::fabs(c.centreXOhm / coil - 1.0) < 0.25);
}

void TestAnalysisCircle::refusals_data()
{
    QTest::addColumn<double>("ohm"); // > 0: flat at deg; 0: the driver; -1: it without phase
    QTest::addColumn<double>("deg");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<int>("band");
    QTest::addColumn<CircleOutcome>("outcome");
    const QString woofer = QStringLiteral("Re=5.7,Le=0,Bl=7,Mms=15,Cms=1,Rms=1.5");
    QTest::newRow("flat 8 ohm") << 8.0 << 0.0 << woofer << kBand << CircleOutcome::NoResonance;
    QTest::newRow("flat, 10 deg") << 8.0 << 10.0 << woofer << kBand << CircleOutcome::NoResonance;
    QTest::newRow("no phase") << -1.0 << 0.0 << woofer << kBand << CircleOutcome::NoPhase;
    QTest::newRow("empty band") << 0.0 << 0.0 << woofer << 6 << CircleOutcome::NoResonance;
    QTest::newRow("no such band") << 0.0 << 0.0 << woofer << 10 << CircleOutcome::NoResonance;
    // Qms 60: three points above the window's R.
    QTest::newRow("too sharp") << 0.0 << 0.0 << "Re=6,Le=0,Bl=6,Mms=15,Cms=1,Rms=0.065" << kBand
                               << CircleOutcome::TooFewPoints;
}

void TestAnalysisCircle::refusals()
{
    QFETCH(double, ohm);
    QFETCH(double, deg);
    QFETCH(QString, driver);
    QFETCH(int, band);
    QFETCH(CircleOutcome, outcome);
    const LoudspeakerModel model(physicalDriver(driver.toLatin1().constData()));
    std::unique_ptr<CurveBlock> curve = ohm > 0 ? sweep(Flat(ohm, deg)) : sweep(model);
    if (ohm < 0)
        std::fill(std::begin(curve->theta), std::end(curve->theta), 0.0f);
    const MotionalCircle c = fitMotionalCircle(*curve, band);
    QCOMPARE(c.outcome, outcome);
    QCOMPARE(c.qms, 0.0);
}

QTEST_GUILESS_MAIN(TestAnalysisCircle)
#include "tst_analysis_circle.moc"
