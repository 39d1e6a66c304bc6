// The textbook reading of the simulator's vented boxes, swept on the unit's grid.
#include "DriverInput.h"
#include "ImpedanceSource.h"
#include "SimulatorReplay.h"
#include "core/analysis/design/VentedBox.h"
#include "core/analysis/design/VentedBoxFit.h"
#include "core/model/BandTable.h"

#include <QtTest>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(VentedBoxOutcome)
Q_DECLARE_METATYPE(VentedBoxFitOutcome)

namespace {

constexpr int kBand = 4;     // 20..250 Hz
constexpr int kWideBand = 9; // 10..500 Hz: a box tuned low puts fL below 20 Hz
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

// The woofer in a box with absorption and a lossy port as well, which the simulator leaves out:
// the textbook circuit of the load, behind the woofer's own motional branch.
struct LossyBox : ImpedanceSource {
    LossyBox(const LoudspeakerParams &p, double a, double b, double l, double qA, double qP)
        : d(p), alpha(a), fb(b), ql(l), qa(qA), qp(qP)
    {
    }
    LoudspeakerParams d;
    double alpha, fb, ql, qa, qp;
    Impedance at(double hz) const override
    {
        const double ws = 2 * M_PI * d.fs, w = 2 * M_PI * hz;
        const double cmes = d.qes / (ws * d.re), lces = 1 / (ws * ws * cmes);
        const std::complex<double> ym(d.re * d.qms / d.qes, 0);
        const std::complex<double> y = 1.0 / ym + std::complex<double>(0, w * cmes) +
                                       1.0 / std::complex<double>(0, w * lces) +
                                       ventedBoxLoadAdmittance(lces, alpha, fb, ql, qa, qp, hz);
        const std::complex<double> z = d.re + 1.0 / y;
        return {std::abs(z), std::arg(z) * 180 / M_PI};
    }
};

} // namespace

class TestAnalysisVentedBox : public QObject
{
    Q_OBJECT
private slots:
    void lossless_data();
    void lossless();
    void refusals_data();
    void refusals();
    void fit_data();
    void fit();
    void fitRefusals();
    void boxLosses_data();
    void boxLosses();
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

void TestAnalysisVentedBox::fit_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<double>("vb");
    QTest::addColumn<double>("ql"); // 0: lossless
    QTest::addColumn<double>("vasTol");
    QTest::newRow("lossless 20 L at 35 Hz") << "20,35,0" << 20.0 << 0.0 << 0.005;
    QTest::newRow("lossless 8 L at 50 Hz") << "8,50,0" << 8.0 << 0.0 << 0.005;
    QTest::newRow("QL 5, 20 L at 30 Hz") << "20,30,5" << 20.0 << 5.0 << 0.02;
    QTest::newRow("QL 7, 20 L at 35 Hz") << "20,35,7" << 20.0 << 7.0 << 0.02;
    QTest::newRow("QL 10, 12 L at 40 Hz") << "12,40,10" << 12.0 << 10.0 << 0.02;
    QTest::newRow("QL 15, 8 L at 50 Hz") << "8,50,15" << 8.0 << 15.0 << 0.02;
}

// The fit recovers the simulator's box: Vas = ρc²·Sd²·Cms, Fb and QL as given.
void TestAnalysisVentedBox::fit()
{
    QFETCH(QString, box);
    QFETCH(double, vb);
    QFETCH(double, ql);
    QFETCH(double, vasTol);
    const auto freeCurve = replaySweep(LoudspeakerModel(driverIn(QString())), kWideBand);
    const auto boxCurve = replaySweep(LoudspeakerModel(driverIn(box)), kWideBand);
    const VentedBoxFitResult r =
        fitVentedBox(ventedBoxFitInput(*freeCurve, kWideBand, *boxCurve, kWideBand, vb, 5.7));
    QVERIFY(r.ok());
    const double vas = airStiffnessPa() * 130e-4 * 130e-4 * 1e-3 * 1e3;
    const double fb = box.section(',', 1, 1).toDouble();
    const QString got =
        QStringLiteral("Vas %1 % ± %2 L, Fb %3 ± %4 Hz, QL %5 ± %6, textbook Vas %7 %")
            .arg(100 * (r.vasLitres / vas - 1), 0, 'f', 3)
            .arg(r.vasStderr)
            .arg(r.fbHz)
            .arg(r.fbStderr)
            .arg(r.ql)
            .arg(r.qlStderr)
            .arg(100 * (r.textbook.vasLitres / vas - 1), 0, 'f', 2);
    qInfo("%s: %s, rms %.3f %%", QTest::currentDataTag(), qPrintable(got), r.rmsMagPct);
    QVERIFY2(std::fabs(r.vasLitres / vas - 1) < vasTol, qPrintable(got));
    QVERIFY2(std::fabs(r.fbHz / fb - 1) < 0.01, qPrintable(got));
    if (ql > 0)
        QVERIFY2(std::fabs(r.ql / ql - 1) < 0.15, qPrintable(got));
    QVERIFY2(r.vasStderr > 0 && r.fbStderr > 0, qPrintable(got));
    QVERIFY(std::isinf(r.qa) && std::isinf(r.qp)); // no loss the simulator does not have
}

// Refused without a number: a box curve of another band, a one-peak box, a free-air curve no
// model fits.
void TestAnalysisVentedBox::fitRefusals()
{
    const auto freeCurve = replaySweep(LoudspeakerModel(driverIn(QString())), kBand);
    const auto boxCurve = replaySweep(LoudspeakerModel(driverIn("20,35,7")), kBand);
    const auto otherBand = replaySweep(LoudspeakerModel(driverIn("20,35,7")), 3);
    const auto flat = std::make_unique<CurveBlock>(*boxCurve);
    for (int i = bandFirstIndex(kBand); i <= bandLastIndex(kBand); ++i)
        flat->theta[i] = 0, flat->r[i] = 8;
    const struct {
        const CurveBlock *free;
        const CurveBlock *box;
        int boxBand;
        VentedBoxFitOutcome outcome;
    } cases[] = {{freeCurve.get(), otherBand.get(), 3, VentedBoxFitOutcome::OtherBand},
                 {freeCurve.get(), freeCurve.get(), kBand, VentedBoxFitOutcome::Textbook},
                 {flat.get(), boxCurve.get(), kBand, VentedBoxFitOutcome::FreeAirFailed}};
    for (const auto &c : cases) {
        const VentedBoxFitResult r =
            fitVentedBox(ventedBoxFitInput(*c.free, kBand, *c.box, c.boxBand, 20, 5.7));
        QCOMPARE(r.outcome, c.outcome);
        QCOMPARE(r.vasLitres, 0.0);
    }
}

void TestAnalysisVentedBox::boxLosses_data()
{
    QTest::addColumn<double>("qa"); // inf: none
    QTest::addColumn<double>("qp");
    const double none = std::numeric_limits<double>::infinity();
    QTest::newRow("absorption and port") << 8.0 << 15.0;
    QTest::newRow("port alone") << none << 10.0;
    QTest::newRow("absorption alone") << 10.0 << none;
}

// Absorption and the port's loss join the model where the curve shows them, and only there.
void TestAnalysisVentedBox::boxLosses()
{
    QFETCH(double, qa);
    QFETCH(double, qp);
    const LoudspeakerParams free = driverIn(QString());
    const auto freeCurve = replaySweep(LoudspeakerModel(free), kWideBand);
    const double vas = airStiffnessPa() * 130e-4 * 130e-4 * 1e-3 * 1e3;
    const LossyBox box(free, vas / 20, 35, 10, qa, qp);
    const VentedBoxFitResult r = fitVentedBox(
        ventedBoxFitInput(*freeCurve, kWideBand, *replaySweep(box, kWideBand), kWideBand, 20, 5.7));
    QVERIFY(r.ok());
    const QString got = QStringLiteral("Vas %1 L, Fb %2, QL %3, QA %4, QP %5")
                            .arg(r.vasLitres)
                            .arg(r.fbHz)
                            .arg(r.ql)
                            .arg(r.qa)
                            .arg(r.qp);
    QVERIFY2(std::fabs(r.vasLitres / vas - 1) < 0.02 && std::fabs(r.fbHz / 35 - 1) < 0.01 &&
                 std::fabs(r.ql / 10 - 1) < 0.15,
             qPrintable(got));
    for (const auto &[fitted, given] : {std::pair{r.qa, qa}, std::pair{r.qp, qp}})
        QVERIFY2(std::isinf(given) ? std::isinf(fitted) : std::fabs(fitted / given - 1) < 0.15,
                 qPrintable(got));
}

QTEST_GUILESS_MAIN(TestAnalysisVentedBox)
#include "tst_analysis_vented_box.moc"
