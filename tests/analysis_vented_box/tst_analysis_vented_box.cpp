// The textbook reading of the simulator's vented boxes, swept on the unit's grid.
#include "DriverInput.h"
#include "ImpedanceSource.h"
#include "SimulatorReplay.h"
#include "core/analysis/design/VentedBox.h"
#include "core/model/BandTable.h"

#include <QtTest>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(VentedBoxOutcome)

namespace {

constexpr int kBand = 4; // 20..250 Hz
const char *const kWoofer = "Re=5.7,Le=0,Bl=7,Mms=15,Cms=1,Rms=0.5,Sd=130";

LoudspeakerParams driverIn(const QString &box, const QString &driver = kWoofer)
{
    DriverInput input;
    LoudspeakerParams p;
    std::string error;
    if (!addDriverParams(driver.toStdString(), input, error) ||
        (!box.isEmpty() && !setVentedBox(box.toStdString(), input, error)) ||
        !resolveDriver(input, p, error))
        qFatal("%s", error.c_str());
    return p;
}

} // namespace

class TestAnalysisVentedBox : public QObject
{
    Q_OBJECT
private slots:
    void lossless_data();
    void lossless();
    void refusals_data();
    void refusals();
};

void TestAnalysisVentedBox::lossless_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<double>("vb");
    QTest::newRow("20 L at 35 Hz") << "20,35,0" << 20.0;
    QTest::newRow("8 L at 50 Hz") << "8,50,inf" << 8.0;
    QTest::newRow("40 L at 30 Hz") << "40,30,0" << 40.0;
}

void TestAnalysisVentedBox::lossless()
{
    QFETCH(QString, box);
    QFETCH(double, vb);
    const LoudspeakerParams free = driverIn(QString());
    const VentedBoxTextbook t =
        analyseVentedBox(*replaySweep(LoudspeakerModel(driverIn(box)), kBand), kBand, vb);
    QCOMPARE(t.outcome, VentedBoxOutcome::Ok);
    // Vas of the woofer: rho c^2 Sd^2 Cms.
    const double vas = airStiffnessPa() * 130e-4 * 130e-4 * 1e-3 * 1e3;
    QVERIFY2(std::fabs(t.fsHz / free.fs - 1) < 0.001, qPrintable(QString::number(t.fsHz)));
    QVERIFY2(std::fabs(t.vasLitres / vas - 1) < 0.005, qPrintable(QString::number(t.vasLitres)));
    QVERIFY(t.fLHz < t.fMHz && t.fMHz < t.fHHz);
    QCOMPARE(t.fbHz, t.fMHz);
}

void TestAnalysisVentedBox::refusals_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<double>("vb");
    QTest::addColumn<int>("band");
    QTest::addColumn<VentedBoxOutcome>("outcome");
    QTest::newRow("free air: one peak") << "" << 20.0 << kBand << VentedBoxOutcome::OnePeak;
    QTest::newRow("Vb 0") << "20,35,0" << 0.0 << kBand << VentedBoxOutcome::BadVolume;
    QTest::newRow("Vb below 0") << "20,35,0" << -1.0 << kBand << VentedBoxOutcome::BadVolume;
    QTest::newRow("empty band") << "20,35,0" << 20.0 << 6 << VentedBoxOutcome::NoData;
}

void TestAnalysisVentedBox::refusals()
{
    QFETCH(QString, box);
    QFETCH(double, vb);
    QFETCH(int, band);
    QFETCH(VentedBoxOutcome, outcome);
    const VentedBoxTextbook t =
        analyseVentedBox(*replaySweep(LoudspeakerModel(driverIn(box)), kBand), band, vb);
    QCOMPARE(t.outcome, outcome);
    QCOMPARE(t.vasLitres, 0.0);
}

QTEST_GUILESS_MAIN(TestAnalysisVentedBox)
#include "tst_analysis_vented_box.moc"
