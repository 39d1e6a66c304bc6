// Model fits of curves as the simulated unit sweeps them: real drivers' tables replayed on
// band 1, and the simulator's own LR-2 driver model, whose parameters the fit must give back.

#include "DriverInput.h"
#include "SimulatorReplay.h"
#include "core/analysis/fit/FitMessages.h"
#include "core/analysis/fit/FitReport.h"
#include "core/analysis/fit/ImpedanceFit.h"

#include <QJsonObject>

#include <QJsonArray>
#include <QtTest>
#include <cmath>
#include <random>

Q_DECLARE_METATYPE(FitModel)
Q_DECLARE_METATYPE(FitOutcome)
Q_DECLARE_METATYPE(std::vector<double>)

namespace {

std::vector<FitPoint> replayFile(const QString &file, int band, double fromHz = 0, double toHz = 0)
{
    CurveTable table;
    std::string error;
    const QString path = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/") + file;
    if (!table.load(path.toStdString(), error))
        qFatal("%s", error.c_str());
    return fitPoints(*replaySweep(table, band), band, fromHz, toHz);
}

// Points of a curve given directly (no unit steps), for the cases no sweep can make.
std::vector<FitPoint> flatPoints(int count, double ohm)
{
    std::vector<FitPoint> pts;
    for (int i = 0; i < count; ++i)
        pts.push_back({20.0 * std::pow(1.02, i), ohm, 0.0});
    return pts;
}

// Semi-inductance drivers with known parameters (SI units, FitParam order).
const std::vector<double> kWoofer = {5.7, 5e-5, 28.0, 0.039, 3e-4, 20.0, 8e-4, 0.06, 0.08};
const std::vector<double> kTweeter = {4.7, 2e-5, 9.8, 6.2e-4, 4.06e-5, 3.0, 6e-5, 0.01, 0.05};

// The model's own curve from 20 Hz to 20 kHz on the unit's grid, with noise of a fixed seed: an
// AR(1) series of lag-1 correlation rho in ln |Z| (0.2 %) and phase (0.1°); phase 0 without it.
std::vector<FitPoint> modelPoints(FitModel m, const std::vector<double> &p, bool phase,
                                  double rho = 0, unsigned seed = 1)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> gauss;
    const double scale = std::sqrt(1 - rho * rho);
    double a = 0, b = 0;
    std::vector<FitPoint> pts;
    for (int i = 0; i < 400; ++i) {
        const double hz = 20.0 * std::pow(1000.0, i / 399.0);
        a = rho * a + scale * gauss(rng);
        b = rho * b + scale * gauss(rng);
        const std::complex<double> z = fitImpedance(m, p, hz);
        pts.push_back({hz, std::abs(z) * std::exp(0.002 * a),
                       phase ? std::arg(z) * 180 / M_PI + 0.1 * b : 0.0});
    }
    return pts;
}

// No value in the JSON is absurd or an accidental null: null only for a standard error, a pinned
// parameter and the phase error of a curve without phase.
void jsonSane(const FitResult &r)
{
    const QJsonObject o = fitJson(r);
    const QJsonArray pinned = o.value("pinned").toArray();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const bool nullAllowed = it.key().endsWith("_stderr") || pinned.contains(it.key()) ||
                                 (it.key() == "rmsPhaseDeg" && !r.phaseUsed);
        QVERIFY2(it->isNull() ? nullAllowed : !it->isDouble() || std::fabs(it->toDouble()) < 1e6,
                 qPrintable(it.key()));
    }
}

} // namespace

class TestAnalysisFit : public QObject
{
    Q_OBJECT
private slots:
    void realDriver_data();
    void realDriver();
    void simulatorModel_data();
    void simulatorModel();
    void noFit_data();
    void noFit();
    void derivatives();
    void views();
    void creepQms();
    void modelCurve_data();
    void modelCurve();
    void widening();
    void localMinima_data();
    void localMinima();
};

void TestAnalysisFit::realDriver_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("re");
    QTest::addColumn<FitModel>("model");
    QTest::addColumn<double>("maxMagPct"); // 0: no limit
    QTest::addColumn<double>("maxPhaseDeg");
    QTest::addColumn<double>("fs"); // published fit, 0: none
    QTest::addColumn<double>("qes");
    QTest::addColumn<bool>("phase");
    const QString seas = QStringLiteral("seas_l16rnx_0g.zma");
    QTest::newRow("SEAS semi") << seas << 5.721 << FitModel::Semi << 1.7 << 1.0 << 44.985 << 0.4903
                               << true;
    QTest::newRow("SEAS lr2") << seas << 5.721 << FitModel::Lr2 << 5.5 << 0.0 << 0.0 << 0.0 << true;
    struct Row {
        const char *file;
        double re;
    };
    const Row others[] = {{"seas_l16rnx_0g.zma", 5.721},      {"seas_l16rnx_plus8g.zma", 5.721},
                          {"seas_l16rnx_plus16g.zma", 5.721}, {"sb17mfc35_w1_new.zma", 5.763},
                          {"grs_8sw4he8_datasheet.zma", 3.8}, {"tb_w3_1876s_datasheet.zma", 3.6}};
    for (const Row &r : others)
        for (FitModel m : {FitModel::Classic, FitModel::Lr2, FitModel::Semi})
            QTest::addRow("%s %s", r.file, qPrintable(fitModelName(m)))
                << QString(r.file) << r.re << m << 0.0 << 0.0 << 0.0 << 0.0
                << !QByteArray(r.file).startsWith("tb_");
}

void TestAnalysisFit::realDriver()
{
    QFETCH(QString, file);
    QFETCH(double, re);
    QFETCH(FitModel, model);
    QFETCH(double, maxMagPct);
    QFETCH(double, maxPhaseDeg);
    QFETCH(double, fs);
    QFETCH(double, qes);
    QFETCH(bool, phase);
    const FitResult r = fitImpedanceCurve(replayFile(file, 1), {model, re, false});
    QCOMPARE(r.outcome, FitOutcome::Ok);
    qInfo("Fs %.3f Hz Qes %.4f Qms %.3f |Z| %.2f %% phase %.2f deg grade %d, %d iterations",
          r.derived.Fs, r.derived.Qes, r.derived.Qms, r.rmsMagPct, r.rmsPhaseDeg, int(r.grade),
          r.iterations);
    QCOMPARE(r.phaseUsed, phase);
    QCOMPARE(r.residualGrade, fitGrade(r.rmsMagPct, r.rmsPhaseDeg, phase));
    QVERIFY(int(r.grade) >= int(r.residualGrade));
    QVERIFY(std::isfinite(r.derivedStderr.Fs) && r.derivedStderr.Fs > 0);
    if (maxMagPct > 0)
        QVERIFY2(r.rmsMagPct <= maxMagPct, qPrintable(QString::number(r.rmsMagPct)));
    if (maxPhaseDeg > 0)
        QVERIFY2(r.rmsPhaseDeg <= maxPhaseDeg, qPrintable(QString::number(r.rmsPhaseDeg)));
    if (fs > 0) {
        QVERIFY2(std::fabs(r.derived.Fs / fs - 1) <= 0.01,
                 qPrintable(QString::number(r.derived.Fs)));
        QVERIFY2(std::fabs(r.derived.Qes / qes - 1) <= 0.01,
                 qPrintable(QString::number(r.derived.Qes)));
    }
}

void TestAnalysisFit::simulatorModel_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<int>("band");
    QTest::addColumn<bool>("reFree");
    const char *drivers[] = {"Re=5.7,Le=0.3,Fs=40,Qms=3,Qes=0.45,R2=3,L2=0.8",
                             "Re=3.2,Le=0.1,Fs=25,Qms=8,Qes=0.3,R2=1.5,L2=0.4",
                             "Re=7.5,Le=0.8,Fs=80,Qms=2,Qes=0.9,R2=12,L2=2.5"};
    for (const char *d : drivers)
        for (int band : {1, 2})
            for (bool reFree : {false, true})
                QTest::addRow("%s band %d%s", d, band, reFree ? " Re free" : "")
                    << QString(d) << band << reFree;
    // A tweeter: a semi-inductance fit of its full band once let Ke run off to 1e284.
    const char *tweeter = "Re=4.7,Le=0.03,Fs=1500,Qms=5,Qes=1.2,R2=2,L2=0.05";
    for (bool reFree : {false, true})
        QTest::addRow("tweeter band 1%s", reFree ? " Re free" : "") << tweeter << 1 << reFree;
}

void TestAnalysisFit::simulatorModel()
{
    QFETCH(QString, driver);
    QFETCH(int, band);
    QFETCH(bool, reFree);
    DriverInput given;
    LoudspeakerParams sp;
    std::string error;
    QVERIFY(addDriverParams(driver.toStdString(), given, error));
    QVERIFY(resolveDriver(given, sp, error));
    const FitResult r =
        fitImpedanceCurve(fitPoints(*replaySweep(LoudspeakerModel(sp), band), band, 0, 0),
                          {FitModel::Lr2, reFree ? 0.0 : sp.re, reFree});
    QCOMPARE(r.outcome, FitOutcome::Ok);
    const double ws = 2 * M_PI * sp.fs;
    const double cmes = sp.qes / (ws * sp.re);
    const double truth[] = {
        sp.re, sp.leMilliHenry * 1e-3, sp.re * sp.qms / sp.qes, 1 / (ws * ws * cmes), cmes,
        sp.r2, sp.l2MilliHenry * 1e-3};
    for (int k = 0; k < fitParamCount(FitModel::Lr2); ++k)
        QVERIFY2(std::fabs(r.p[k] / truth[k] - 1) <= 0.001,
                 qPrintable(QString("parameter %1: %2 for %3").arg(k).arg(r.p[k]).arg(truth[k])));
    QVERIFY(std::fabs(r.derived.Fs / sp.fs - 1) <= 0.001);
    QVERIFY(std::fabs(r.derived.Qms / sp.qms - 1) <= 0.001);
    QVERIFY(std::fabs(r.derived.Qes / sp.qes - 1) <= 0.001);
    QCOMPARE(r.grade, FitGrade::Excellent);
    // A curve without semi-inductance: Ke runs off to an open branch and is held there.
    const FitResult semi =
        fitImpedanceCurve(fitPoints(*replaySweep(LoudspeakerModel(sp), band), band, 0, 0),
                          {FitModel::Semi, reFree ? 0.0 : sp.re, reFree});
    QCOMPARE(semi.outcome, FitOutcome::Ok);
    jsonSane(semi);
}

void TestAnalysisFit::noFit_data()
{
    QTest::addColumn<int>("points"); // a flat curve of this many points, else 0
    QTest::addColumn<int>("band");
    QTest::addColumn<double>("fromHz");
    QTest::addColumn<double>("toHz");
    QTest::addColumn<double>("re");
    QTest::addColumn<FitOutcome>("outcome");
    QTest::newRow("flat curve") << 200 << 0 << 0.0 << 0.0 << 5.0 << FitOutcome::NoResonance;
    QTest::newRow("three points") << 3 << 0 << 0.0 << 0.0 << 5.0 << FitOutcome::TooFewPoints;
    QTest::newRow("no points") << 0 << 1 << 30000.0 << 40000.0 << 5.7 << FitOutcome::TooFewPoints;
    QTest::newRow("band 6, no resonance") << 0 << 6 << 0.0 << 0.0 << 5.7 << FitOutcome::NoResonance;
    QTest::newRow("range above resonance")
        << 0 << 1 << 100.0 << 1000.0 << 5.7 << FitOutcome::NoResonance;
    QTest::newRow("Re above the peak") << 0 << 1 << 0.0 << 0.0 << 60.0 << FitOutcome::BadRe;
    QTest::newRow("Re not a number") << 0 << 1 << 0.0 << 0.0 << qQNaN() << FitOutcome::BadRe;
}

void TestAnalysisFit::noFit()
{
    QFETCH(int, points);
    QFETCH(int, band);
    QFETCH(double, fromHz);
    QFETCH(double, toHz);
    QFETCH(double, re);
    QFETCH(FitOutcome, outcome);
    const std::vector<FitPoint> pts =
        band ? replayFile(QStringLiteral("seas_l16rnx_0g.zma"), band, fromHz, toHz)
             : flatPoints(points, 8.0);
    for (FitModel m : {FitModel::Classic, FitModel::Lr2, FitModel::Semi}) {
        const FitResult r = fitImpedanceCurve(pts, {m, re, false});
        QCOMPARE(r.outcome, outcome);
        QVERIFY(r.p.empty());
    }
}

// The solver's Jacobian against central differences of the model itself.
void TestAnalysisFit::derivatives()
{
    const std::vector<double> p = {5.7, 4e-5, 27.0, 0.04, 3e-4, 50.0, 8e-4, 0.06, 0.08};
    for (FitModel m : {FitModel::Classic, FitModel::Lr2, FitModel::Semi}) {
        for (double hz : {12.0, 45.0, 900.0, 18000.0}) {
            std::complex<double> d[kFitParamMax];
            const std::complex<double> z = fitImpedanceDerivatives(m, p, hz, d);
            QCOMPARE(z, fitImpedance(m, p, hz));
            for (int k = 0; k < fitParamCount(m); ++k) {
                std::vector<double> up = p, down = p;
                up[k] *= std::exp(1e-6);
                down[k] *= std::exp(-1e-6);
                const std::complex<double> numeric =
                    (std::log(fitImpedance(m, up, hz)) - std::log(fitImpedance(m, down, hz))) /
                    2e-6;
                QVERIFY2(std::abs(numeric - d[k]) <= 1e-6 * (1 + std::abs(d[k])),
                         qPrintable(
                             QString("model %1, %2 Hz, parameter %3").arg(int(m)).arg(hz).arg(k)));
            }
        }
    }
}

// JSON and rows: every key of the model with its error, null where the curve gives none.
void TestAnalysisFit::views()
{
    const FitResult semi = fitImpedanceCurve(replayFile(QStringLiteral("seas_l16rnx_0g.zma"), 1),
                                             {FitModel::Semi, 5.721, false});
    const QJsonObject o = fitJson(semi);
    // SEAS has no use for R2 on band 1: it runs off, is held and shown as no number.
    QCOMPARE(o.value("pinned").toArray(), QJsonArray({"R2_ohm"}));
    for (const char *key : {"Re_ohm", "Le_mH", "Res_ohm", "Lces_mH", "Cmes_uF", "L2_mH", "Ke_sH",
                            "beta", "Fs_Hz", "Qms", "Qes", "Qts", "Qms_branch"})
        QVERIFY2(o.value(key).isDouble() && o.contains(QString(key) + "_stderr"), key);
    QVERIFY(o.value("R2_ohm").isNull() && o.value("R2_ohm_stderr").isNull());
    QCOMPARE(o.value("Re_ohm_stderr").toDouble(), 0.0);
    QCOMPARE(o.value("Le_mH").toDouble(), semi.p[PLe] * 1e3);
    QCOMPARE(o.value("grade").toString(), QStringLiteral("excellent"));
    QCOMPARE(o.value("stderrWidening").toDouble(), semi.stderrWidening);
    const QVector<FitRow> rows = fitRows(semi);
    QCOMPARE(rows.size(), 2 + 9 + 5 + 5);
    QCOMPARE(rows.at(2 + PR2).value, FitMessages::pinnedValue());

    const FitResult noPhase =
        fitImpedanceCurve(replayFile(QStringLiteral("tb_w3_1876s_datasheet.zma"), 1),
                          {FitModel::Classic, 3.6, false});
    const QJsonObject n = fitJson(noPhase);
    QVERIFY(n.value("rmsPhaseDeg").isNull() && !n.value("phaseUsed").toBool());
    QVERIFY(!n.contains("R2_ohm"));
    QCOMPARE(fitRows(noPhase).at(2 + 5 + 4 + 2).value, FitMessages::magnitudeOnly());

    const FitResult none = fitImpedanceCurve(flatPoints(3, 8.0), {FitModel::Lr2, 5.0, false});
    QCOMPARE(fitJson(none).keys(), QStringList({"error", "model", "points"}));
    QCOMPARE(fitJson(none).value("error").toString(), FitMessages::outcomeText(none));

    CurveBlock measured, fitted;
    measured.r[50] = 9.0f;
    measured.freq[50] = 30.0f;
    fittedCurve(semi, measured, 1, fitted);
    QCOMPARE(fitted.r[50], float(std::abs(semi.impedance(30.0))));
    QCOMPARE(fitted.r[51], -1.0f);
}

// Qms counts the creep's loss at Fs: the motional admittance there is real, and Qms is ωs·Cmes
// over it; the branch's own Qms leaves the loss out.
void TestAnalysisFit::creepQms()
{
    const std::vector<double> &p = kWoofer;
    const FitDerived d = fitDerived(FitModel::Semi, p);
    const double ws = 2 * M_PI * d.Fs;
    const std::complex<double> jw(0, ws);
    const double w0 = 1.5 / std::sqrt(p[PLces] * p[PCmes]);
    const std::complex<double> c = 1.0 + p[PBeta] * std::log(1.0 + w0 / jw);
    const std::complex<double> ym = 1 / p[PRes] + jw * p[PCmes] + 1.0 / (jw * p[PLces] * c);
    QVERIFY(std::fabs(ym.imag()) < 1e-12 * ym.real());
    QCOMPARE(d.Qms, ws * p[PCmes] / ym.real());
    QCOMPARE(d.QmsBranch, ws * p[PCmes] * p[PRes]);
    QVERIFY(d.Qms < 0.9 * d.QmsBranch);
    // The SEAS L16RN-X: 1.995 published.
    const FitResult seas = fitImpedanceCurve(replayFile(QStringLiteral("seas_l16rnx_0g.zma"), 1),
                                             {FitModel::Semi, 5.721, false});
    QVERIFY2(std::fabs(seas.derived.Qms / 1.995 - 1) < 0.03,
             qPrintable(QString::number(seas.derived.Qms)));
}

// Curves of the model itself: Fs, Qms and Qes come back, freeing Re never ends worse, no value in
// the JSON is absurd or an accidental null, and a curve that cannot determine the model (|Z| alone)
// is not graded excellent.
void TestAnalysisFit::modelCurve_data()
{
    QTest::addColumn<std::vector<double>>("truth");
    QTest::addColumn<bool>("phase");
    QTest::addColumn<double>("toHz");
    QTest::newRow("woofer") << kWoofer << true << 0.0;
    QTest::newRow("woofer |Z| alone, to 250 Hz") << kWoofer << false << 250.0;
    QTest::newRow("tweeter") << kTweeter << true << 0.0;
    QTest::newRow("tweeter |Z| alone, to 3 kHz") << kTweeter << false << 3000.0;
}

void TestAnalysisFit::modelCurve()
{
    QFETCH(std::vector<double>, truth);
    QFETCH(bool, phase);
    QFETCH(double, toHz);
    std::vector<FitPoint> pts = modelPoints(FitModel::Semi, truth, phase);
    while (toHz > 0 && pts.back().hz > toHz)
        pts.pop_back();
    const FitResult held = fitImpedanceCurve(pts, {FitModel::Semi, truth[PRe], false});
    const FitResult free = fitImpedanceCurve(pts, {FitModel::Semi, truth[PRe], true});
    QVERIFY(free.cost <= held.cost);
    if (!phase)
        QVERIFY(held.grade != FitGrade::Excellent && !held.weak.empty());
    const FitDerived want = fitDerived(FitModel::Semi, truth);
    for (const FitResult *r : {&held, &free}) {
        QCOMPARE(r->outcome, FitOutcome::Ok);
        if (phase) {
            QVERIFY(std::fabs(r->derived.Fs / want.Fs - 1) < 0.002);
            QVERIFY(std::fabs(r->derived.Qms / want.Qms - 1) < 0.01);
            QVERIFY(std::fabs(r->derived.Qes / want.Qes - 1) < 0.01);
        }
        jsonSane(*r);
    }
}

// Residuals that follow each other carry fewer independent points: with noise of lag-1
// correlation 0.9 the errors of Qms against the truth match the standard errors given.
void TestAnalysisFit::widening()
{
    const std::vector<double> lr2(kWoofer.begin(), kWoofer.begin() + fitParamCount(FitModel::Lr2));
    const double want = fitDerived(FitModel::Lr2, lr2).Qms;
    double sum = 0;
    const int runs = 12;
    for (int seed = 1; seed <= runs; ++seed) {
        const FitResult r = fitImpedanceCurve(modelPoints(FitModel::Lr2, lr2, true, 0.9, seed),
                                              {FitModel::Lr2, lr2[PRe], false});
        QVERIFY(r.residualLag1 > 0.7);
        QCOMPARE(r.stderrWidening, std::sqrt((1 + r.residualLag1) / (1 - r.residualLag1)));
        sum += std::pow((r.derived.Qms - want) / r.derivedStderr.Qms, 2);
    }
    QVERIFY2(std::sqrt(sum / runs) < 1.6, qPrintable(QString::number(std::sqrt(sum / runs))));
}

// Curves with local minima: no start of an independent random search around the fit's solution
// ends lower, and freeing Re can only lower the cost, since the free fit also starts where the
// held one ended (on these curves the free fit's own stages end higher, or nowhere).
void TestAnalysisFit::localMinima_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("band");
    QTest::addColumn<double>("re");
    QTest::addColumn<FitModel>("model");
    QTest::newRow("SEAS band 4 semi") << "seas_l16rnx_0g.zma" << 4 << 5.721 << FitModel::Semi;
    QTest::newRow("TB band 9 lr2") << "tb_w3_1876s_datasheet.zma" << 9 << 3.6 << FitModel::Lr2;
    QTest::newRow("GRS band 9 semi") << "grs_8sw4he8_datasheet.zma" << 9 << 3.8 << FitModel::Semi;
    QTest::newRow("SEAS band 9 lr2") << "seas_l16rnx_0g.zma" << 9 << 5.721 << FitModel::Lr2;
}

void TestAnalysisFit::localMinima()
{
    QFETCH(QString, file);
    QFETCH(int, band);
    QFETCH(double, re);
    QFETCH(FitModel, model);
    const std::vector<FitPoint> pts = replayFile(file, band);
    const FitResult held = fitImpedanceCurve(pts, {model, re, false});
    const FitResult free = fitImpedanceCurve(pts, {model, re, true});
    QCOMPARE(free.outcome, FitOutcome::Ok);
    QVERIFY2(free.cost <= held.cost, qPrintable(QString("%1 > %2").arg(free.cost).arg(held.cost)));
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> spread(-2.0, 2.0);
    for (int n = 0; n < 20; ++n) {
        std::vector<double> start = held.p;
        for (int k = PLe; k < fitParamCount(model); ++k)
            start[k] *= std::exp(k == PLces || k == PCmes ? 0.1 * spread(rng) : spread(rng));
        const FitResult other = fitImpedanceFrom(pts, {model, re, false}, start);
        QVERIFY(other.outcome != FitOutcome::Ok || other.cost >= held.cost * (1 - 1e-6));
    }
}

QTEST_GUILESS_MAIN(TestAnalysisFit)
#include "tst_analysis_fit.moc"
