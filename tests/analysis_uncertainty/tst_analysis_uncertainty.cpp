// The worksheet from typed numbers, the air and coil inputs, and the uncertainty budget against
// a Monte Carlo of the same inputs.

#include "AnalysisCurves.h"
#include "core/analysis/CoilTemperature.h"
#include "core/analysis/TsUncertainty.h"
#include "core/analysis/TsWorksheet.h"

#include <QJsonArray>
#include <QtTest>
#include <random>

namespace {

// A published single added-mass case, air constants given.
TsWorksheetInput publishedCase()
{
    TsWorksheetInput in;
    in.re = 5.6;
    in.diameterMm = 110.0;
    in.airGiven = Air{1.18, 344.0};
    in.typed = TsTypedFreeAir{56.9327, 2.4038, 0.4208};
    TsMassInput m;
    m.grams = 25.0;
    m.fsLoaded = 26.5131;
    in.masses = {m};
    return in;
}

double rounded(const QJsonValue &v, int decimals)
{
    return std::round(v.toDouble() * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
}

} // namespace

class TestAnalysisUncertainty : public QObject
{
    Q_OBJECT
private slots:
    void fromNumbers();
    void humidAir();
    void monteCarloVas();
    void repeatsAndGrid();
    void refusals_data();
    void refusals();
    void normalisedRe_data();
    void normalisedRe();
};

void TestAnalysisUncertainty::fromNumbers()
{
    const QJsonObject o = worksheetJson(computeWorksheet(publishedCase()));
    QVERIFY2(!o.contains("refusal"), qPrintable(o.value("refusal").toString()));
    const QJsonObject single = o.value("singleMass").toArray().first().toObject();
    QCOMPARE(rounded(single.value("Mms_g"), 4), 6.9231);
    QCOMPARE(rounded(single.value("Cms_mmPerN"), 4), 1.1288);
    QCOMPARE(rounded(single.value("Rms_kgPerS"), 4), 1.0303);
    QCOMPARE(rounded(single.value("Vas_L"), 4), 14.2352);
    QCOMPARE(rounded(o.value("classic").toObject().value("Qts"), 4), 0.3581);
    // The air used is shown as given, without the conditions it did not come from.
    const QJsonObject inputs = o.value("inputs").toObject();
    QCOMPARE(inputs.value("rho_kgPerM3").toDouble(), 1.18);
    QCOMPARE(inputs.value("c_mPerS").toDouble(), 344.0);
    QVERIFY(!inputs.contains("temp_C"));
}

// Dry air stays exactly as before; at 50 % and 20 °C the air is 0.45 % lighter (1.1987 kg/m³
// in the CIPM formula) and sound about 0.6 m/s faster.
void TestAnalysisUncertainty::humidAir()
{
    const Air dry = airAt(20.0, 1013.25);
    const Air none = airAt(20.0, 1013.25, 0.0);
    QCOMPARE(none.rho, dry.rho);
    QCOMPARE(none.c, dry.c);
    const Air humid = airAt(20.0, 1013.25, 50.0);
    QVERIFY2(std::fabs(humid.rho / 1.1987 - 1.0) < 1e-3, qPrintable(QString::number(humid.rho)));
    QVERIFY2(humid.c - dry.c > 0.5 && humid.c - dry.c < 0.8, qPrintable(QString::number(humid.c)));
}

void TestAnalysisUncertainty::monteCarloVas()
{
    TsWorksheetInput in = publishedCase();
    TsTolerances tol;
    tol.re = 0.1;
    tol.massResolution = 0.1;
    tol.diameter = 1.0;
    tol.rho = 0.02;
    tol.c = 2.0;
    const TsUncertainty u = worksheetUncertainty(in, computeWorksheet(in), tol);
    QVERIFY2(u.refusal.isEmpty(), qPrintable(u.refusal));
    const TsValueUncertainty *vas = u.find("singleMass[0].Vas_L");
    QVERIFY(vas);

    // The same inputs drawn 10,000 times from their rectangular distributions.
    std::mt19937_64 random(23);
    auto within = [&random](double centre, double half) {
        return std::uniform_real_distribution<double>(centre - half, centre + half)(random);
    };
    const int draws = 10000;
    double sum = 0.0;
    double squares = 0.0;
    for (int i = 0; i < draws; ++i) {
        TsWorksheetInput p = publishedCase();
        p.re = within(5.6, tol.re);
        p.masses[0].grams = within(25.0, tol.massResolution / 2.0);
        p.diameterMm = within(110.0, tol.diameter);
        p.airGiven = Air{within(1.18, tol.rho), within(344.0, tol.c)};
        const double v = computeWorksheet(p).singleMass.first().set.Vas * 1e3;
        sum += v;
        squares += v * v;
    }
    const double mean = sum / draws;
    const double sigma = std::sqrt((squares - draws * mean * mean) / (draws - 1));
    qInfo("u(Vas): budget %.4f L, Monte Carlo of %d draws %.4f L (%+.1f %%)", vas->u, draws, sigma,
          (vas->u / sigma - 1.0) * 100.0);
    QVERIFY(std::fabs(vas->u / sigma - 1.0) < 0.10);
    // Re does not enter Vas; the diameter does, to the fourth power.
    QVERIFY(std::none_of(vas->budget.cbegin(), vas->budget.cend(),
                         [](const TsBudgetEntry &b) { return b.source == "Re"; }));
    QCOMPARE(vas->budget.first().source, QStringLiteral("diameter"));
    QCOMPARE(uncertaintyJson(u).value("k").toDouble(), 2.0);
}

// A measured curve carries what its grid and its noise leave in the refined values, until
// repeated values stand for them.
void TestAnalysisUncertainty::repeatsAndGrid()
{
    const int band = 4;
    auto record = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    AnalysisCurves::measure(
        [](double hz) {
            const std::complex<double> jw(0.0, 2.0 * M_PI * hz);
            return 6.0 + 49.0 / (1.2 + jw * 0.015 + 1.0 / (jw * 0.62e-3));
        },
        band, *record, *raw, *avg);
    TsWorksheetInput in;
    in.freeAir = {raw.get(), band};
    in.re = 6.0;
    const TsWorksheetResult r = computeWorksheet(in);
    QVERIFY2(r.refusal.isEmpty(), qPrintable(r.refusal));
    const TsUncertainty single = worksheetUncertainty(in, r, TsTolerances());
    const TsValueUncertainty *fs = single.find("classic.Fs_Hz");
    QStringList sources;
    for (const TsBudgetEntry &b : fs->budget)
        sources << b.source;
    sources.sort();
    QCOMPARE(sources, QStringList({"grid-free-air", "noise-free-air"}));
    // Honest: the refined Fs is off by no more than its u allows, and u lies far below the
    // raw grid's s/√12, which the parabola between the points does not suffer.
    const double truth = 1.0 / (2.0 * M_PI * std::sqrt(0.015 * 0.62e-3));
    const double rawGrid = r.classic.Fs * r.classic.gridStep / std::sqrt(12.0);
    qInfo("Fs %.4f Hz, true %.4f Hz, u(Fs) %.4f Hz, raw grid s/√12 %.4f Hz", r.classic.Fs, truth,
          fs->u, rawGrid);
    QVERIFY(fs->u > 0.0 && fs->u < 0.1 * rawGrid);
    QVERIFY(std::fabs(r.classic.Fs - truth) < 3.0 * fs->u);

    const std::vector<double> sweeps{52.1, 52.4, 51.9, 52.2};
    const TsUncertainty repeated = worksheetUncertainty(in, r, TsTolerances(), {{"Fs_Hz", sweeps}});
    fs = repeated.find("classic.Fs_Hz");
    QCOMPARE(fs->budget.size(), 1);
    QCOMPARE(fs->budget.first().source, QStringLiteral("repeats"));
    QVERIFY(qFuzzyCompare(fs->u, 0.20816659994661338 / 2.0)); // s / √4
    QCOMPARE(repeated.repeatCount, 4);
}

void TestAnalysisUncertainty::refusals_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");
    QTest::newRow("negative tolerance") << "re=-0.1"
                                        << "the tolerance of Re must be";
    QTest::newRow("tolerance not a number") << "diameter=nan"
                                            << "the tolerance of diameter";
    QTest::newRow("one repeat") << "repeats=1"
                                << "needs at least two";
    QTest::newRow("unknown repeat") << "repeats=unknown"
                                    << "does not compute";
    QTest::newRow("typed Qms 0") << "qms=0"
                                 << "the typed Qms must be above 0";
    QTest::newRow("air constants") << "rho=1180"
                                   << "are outside";
    QTest::newRow("humidity") << "humidity=120"
                              << "relative humidity must be";
    QTest::newRow("coil temperature") << "coil=900"
                                      << "coil temperature must be";
    QTest::newRow("loaded above free") << "loaded=60"
                                       << "not below the free-air";
}

void TestAnalysisUncertainty::refusals()
{
    QFETCH(QString, what);
    QFETCH(QString, expected);
    TsWorksheetInput in = publishedCase();
    TsTolerances tol;
    TsRepeatValues repeats;
    const QString value = what.section('=', 1);
    if (what.startsWith("re="))
        tol.re = value.toDouble();
    if (what.startsWith("diameter="))
        tol.diameter = std::nan("");
    if (what == "repeats=1")
        repeats["Fs_Hz"] = {56.9};
    if (what == "repeats=unknown")
        repeats["box.Vas_L"] = {1.0, 2.0};
    if (what.startsWith("qms="))
        in.typed->qms = 0.0;
    if (what.startsWith("rho="))
        in.airGiven->rho = 1180.0;
    if (what.startsWith("humidity=")) {
        in.airGiven.reset();
        in.humidityPct = 120.0;
    }
    if (what.startsWith("coil="))
        in.coil = CoilTemperature{900.0, CoilMaterial::Copper};
    if (what.startsWith("loaded="))
        in.masses[0].fsLoaded = 60.0;
    const TsUncertainty u = worksheetUncertainty(in, computeWorksheet(in), tol, repeats);
    QVERIFY2(u.refusal.contains(expected), qPrintable(u.refusal));
    QVERIFY(u.values.isEmpty());
    QVERIFY(!uncertaintyJson(u).contains("k"));
}

void TestAnalysisUncertainty::normalisedRe_data()
{
    QTest::addColumn<int>("material");
    QTest::addColumn<double>("tempC");
    QTest::addColumn<double>("re20");
    // 6.0 / (1 + α·(T − 20))
    QTest::newRow("copper 45 °C") << int(CoilMaterial::Copper) << 45.0 << 5.4632;
    QTest::newRow("aluminium 45 °C") << int(CoilMaterial::Aluminium) << 45.0 << 5.4508;
    QTest::newRow("copper 20 °C") << int(CoilMaterial::Copper) << 20.0 << 6.0;
    QTest::newRow("copper 10 °C") << int(CoilMaterial::Copper) << 10.0 << 6.2454;
}

void TestAnalysisUncertainty::normalisedRe()
{
    QFETCH(int, material);
    QFETCH(double, tempC);
    QFETCH(double, re20);
    TsWorksheetInput in = publishedCase();
    in.re = 6.0;
    in.coil = CoilTemperature{tempC, CoilMaterial(material)};
    const QJsonObject inputs = worksheetJson(computeWorksheet(in)).value("inputs").toObject();
    QCOMPARE(rounded(inputs.value("Re20_Ohm"), 4), re20);
    QCOMPARE(inputs.value("coilMaterial").toString(), coilMaterialName(CoilMaterial(material)));
}

QTEST_GUILESS_MAIN(TestAnalysisUncertainty)
#include "tst_analysis_uncertainty.moc"
