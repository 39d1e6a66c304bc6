// Model fits of curves as the simulated unit sweeps them: real drivers' tables replayed on
// band 1, and the simulator's own LR-2 driver model, whose parameters the fit must give back.

#include "DriverInput.h"
#include "SimulatorReplay.h"
#include "core/analysis/fit/FitMessages.h"
#include "core/analysis/fit/FitReport.h"
#include "core/analysis/fit/ImpedanceFit.h"

#include <QJsonObject>

#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(FitModel)
Q_DECLARE_METATYPE(FitOutcome)

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
    QCOMPARE(r.grade, fitGrade(r.rmsMagPct, r.rmsPhaseDeg, phase));
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
    for (const char *key : {"Re_ohm", "Le_mH", "Res_ohm", "Lces_mH", "Cmes_uF", "R2_ohm", "L2_mH",
                            "Ke_sH", "beta", "Fs_Hz", "Qms", "Qes", "Qts"})
        QVERIFY2(o.value(key).isDouble() && o.contains(QString(key) + "_stderr"), key);
    QCOMPARE(o.value("Re_ohm_stderr").toDouble(), 0.0);
    QCOMPARE(o.value("Le_mH").toDouble(), semi.p[PLe] * 1e3);
    QCOMPARE(o.value("R2_ohm_stderr").isNull(), !std::isfinite(semi.stderrs[PR2]));
    QCOMPARE(o.value("grade").toString(), QStringLiteral("excellent"));
    QCOMPARE(fitRows(semi).size(), 2 + 9 + 4 + 4);

    const FitResult noPhase =
        fitImpedanceCurve(replayFile(QStringLiteral("tb_w3_1876s_datasheet.zma"), 1),
                          {FitModel::Classic, 3.6, false});
    const QJsonObject n = fitJson(noPhase);
    QVERIFY(n.value("rmsPhaseDeg").isNull() && !n.value("phaseUsed").toBool());
    QVERIFY(!n.contains("R2_ohm"));
    QCOMPARE(fitRows(noPhase).at(2 + 5 + 4 + 1).value, FitMessages::magnitudeOnly());

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

QTEST_GUILESS_MAIN(TestAnalysisFit)
#include "tst_analysis_fit.moc"
