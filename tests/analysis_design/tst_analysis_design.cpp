// Compensation networks fitted to the measured curve: the real SEAS woofer, an ideal coil the
// textbook Zobel flattens exactly, and bands the fit must refuse.

#include "CliTestSupport.h"
#include "core/analysis/design/CompensatedCurve.h"
#include "core/analysis/design/Compensation.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <numbers>

namespace {

const QString kSeas = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/seas_l16rnx_0g.zma");

// A ZMA's "f |Z| phase" rows into the curve's slots.
CurveBlock readZma(const QString &path)
{
    CurveBlock c;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return c;
    int i = 0;
    while (!f.atEnd() && i < kRecordSlots) {
        const QStringList parts =
            QString::fromLatin1(f.readLine())
                .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        bool ok = false;
        if (parts.size() < 3 || (parts[0].toDouble(&ok), !ok))
            continue;
        c.freq[i] = parts[0].toFloat();
        c.r[i] = parts[1].toFloat();
        c.theta[i] = parts[2].toFloat();
        ++i;
    }
    return c;
}

// Re + jωL (a resistor's flat line when l = 0) on a log grid from 10 Hz to 20 kHz.
CurveBlock coil(double re, double l)
{
    CurveBlock c;
    for (int i = 0; i < 200; ++i) {
        const double f = 10.0 * std::pow(2000.0, i / 199.0);
        const std::complex<double> z(re, 2.0 * std::numbers::pi * f * l);
        c.freq[i] = float(f);
        c.r[i] = float(std::abs(z));
        c.theta[i] = float(std::arg(z) * 180.0 / std::numbers::pi);
    }
    return c;
}

} // namespace

class TestAnalysisDesign : public QObject
{
    Q_OBJECT
private slots:
    void seasZobel();
    void seasSecondPair();
    void idealCoil();
    void refused_data();
    void refused();
    void seasNotch();
    void cliJson();
    void compensated();
    void cliZma();
};

void TestAnalysisDesign::seasZobel()
{
    const ZobelDesign d = designZobel(readZma(kSeas), 300.0, 20000.0, ESeries::E24);
    QVERIFY(d.ok());
    QCOMPARE(d.classic.size(), std::size_t(2));
    qInfo("SEAS L16RN-X 300 Hz-20 kHz: Re %.3f ohm Le %.3f mH | fitted R %.3f C %.3f uF ±%.2f %% "
          "| E24 R %.3g C %.3g uF ±%.2f %% | %s ±%.2f %% | %s ±%.2f %%",
          d.reOhm, d.leMh, d.fitted.rOhm, d.fitted.cUf, d.fitted.flatnessPct, d.snapped.rOhm,
          d.snapped.cUf, d.snapped.flatnessPct, qPrintable(d.classic[0].rule),
          d.classic[0].values.flatnessPct, qPrintable(d.classic[1].rule),
          d.classic[1].values.flatnessPct);
    QVERIFY2(d.fitted.flatnessPct <= 6.0, qPrintable(QString::number(d.fitted.flatnessPct)));
    for (const ClassicZobel &c : d.classic)
        QVERIFY(d.fitted.flatnessPct < c.values.flatnessPct);
    // Snapping moves the parts onto the series and recomputes the flatness, never better.
    QCOMPARE(snapToSeries(d.snapped.rOhm, ESeries::E24), d.snapped.rOhm);
    QVERIFY(d.snapped.flatnessPct >= d.fitted.flatnessPct);
    QCOMPARE(d.snapped.flatnessPct, zobelFlatnessPct(networkPoints(readZma(kSeas), 300.0, 20000.0),
                                                     d.snapped.rOhm, d.snapped.cUf * 1e-6));
}

void TestAnalysisDesign::seasSecondPair()
{
    const CurveBlock seas = readZma(kSeas);
    const ZobelDesign one = designZobel(seas, 300.0, 20000.0, ESeries::E12);
    const ZobelDesign two = designZobel(seas, 300.0, 20000.0, ESeries::E12, true);
    qInfo("SEAS two pairs: R %.3f C %.3f uF, R2 %.3f C2 %.4f uF ±%.2f %% | E12 ±%.2f %%",
          two.fitted.rOhm, two.fitted.cUf, two.fitted.r2Ohm, two.fitted.c2Uf,
          two.fitted.flatnessPct, two.snapped.flatnessPct);
    QVERIFY(!one.fitted.hasSecondPair() && two.fitted.hasSecondPair());
    QVERIFY2(two.fitted.flatnessPct < 3.0, qPrintable(QString::number(two.fitted.flatnessPct)));
    QCOMPARE(snapToSeries(two.snapped.c2Uf, ESeries::E12), two.snapped.c2Uf);
    // The snapped flatness is that of both snapped pairs across the driver.
    const auto out = std::make_unique<CurveBlock>();
    compensatedCurve(seas, 2, zobelNetwork(two.snapped), *out);
    QVERIFY(std::abs(zobelFlatnessPct(networkPoints(*out, 300.0, 20000.0), 1e12, 1e-30) -
                     two.snapped.flatnessPct) < 1e-3);
}

void TestAnalysisDesign::idealCoil()
{
    // R = Re, C = L/Re² turns Re + jωL into Re exactly: 6 Ω, 0.5 mH → 13.889 µF.
    const ZobelDesign d = designZobel(coil(6.0, 0.5e-3), 300.0, 20000.0, ESeries::Exact);
    QVERIFY(d.ok());
    QVERIFY(std::abs(d.reOhm - 6.0) < 1e-4);
    QVERIFY(std::abs(d.leMh - 0.5) < 1e-3);
    const ZobelValues &rule = d.classic[0].values;
    QVERIFY(std::abs(rule.rOhm - 6.0) < 1e-3 && std::abs(rule.cUf - 13.889) < 0.03);
    QVERIFY2(rule.flatnessPct < 0.01, qPrintable(QString::number(rule.flatnessPct)));
    QVERIFY2(d.fitted.flatnessPct < 0.05, qPrintable(QString::number(d.fitted.flatnessPct)));
    QCOMPARE(snapToSeries(13.889, ESeries::E12), 15.0);
    QCOMPARE(snapToSeries(13.889, ESeries::E24), 13.0);
    QCOMPARE(snapToSeries(9.7, ESeries::E24), 10.0);
}

void TestAnalysisDesign::refused_data()
{
    QTest::addColumn<double>("l");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("outcome");
    QTest::newRow("flat resistor") << 0.0 << 300.0 << 20000.0 << int(ZobelOutcome::NoPhase);
    // A negative inductance: |Z| rises but the reactance is capacitive, no coil to compensate.
    QTest::newRow("capacitive rise")
        << -0.5e-3 << 300.0 << 20000.0 << int(ZobelOutcome::NoCoilRise);
    QTest::newRow("band upside down") << 0.5e-3 << 2000.0 << 300.0 << int(ZobelOutcome::BadBand);
    QTest::newRow("band above the curve")
        << 0.5e-3 << 30000.0 << 90000.0 << int(ZobelOutcome::TooFewPoints);
}

void TestAnalysisDesign::refused()
{
    QFETCH(double, l);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(int, outcome);
    const ZobelDesign d = designZobel(coil(6.0, l), from, to, ESeries::E24);
    QCOMPARE(int(d.outcome), outcome);
    QCOMPARE(d.fitted.flatnessPct, 0.0);
    QVERIFY(d.classic.empty());
}

void TestAnalysisDesign::seasNotch()
{
    const NotchDesign d = designNotch(readZma(kSeas));
    QVERIFY(d.ok());
    qInfo("SEAS notch: fs %.2f Hz Qms %.3f Qes %.3f | R %.3f ohm L %.3f mH C %.0f uF ±%.2f %% "
          "(textbook ±%.2f %%)",
          d.fsHz, d.qms, d.qes, d.rOhm, d.lMh, d.cUf, d.flatnessPct, d.textbookFlatnessPct);
    QVERIFY(std::abs(d.fsHz - 45.7) < 1.0);
    QVERIFY(d.flatnessPct < d.textbookFlatnessPct && d.flatnessPct > 0.0);
    // The parts stay near their textbook values: no short across the driver.
    QVERIFY(d.rOhm > d.reOhm * (1.0 + d.qes / d.qms) / 4.0);
    // A resistor has no resonance to notch.
    QCOMPARE(designNotch(coil(6.0, 0.0)).outcome, NotchOutcome::NoPhase);
    QCOMPARE(designNotch(coil(6.0, 0.5e-3)).outcome, NotchOutcome::NoResonance);
}

void TestAnalysisDesign::cliJson()
{
    const cli::Result r = cli::run({"zobel", kSeas, "--series", "E12", "--json"});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject o = r.json().object();
    for (const char *part : {"fitted", "snapped"})
        for (const char *key : {"R_ohm", "C_uF", "flatnessPct"})
            QVERIFY2(o.value(part).toObject().value(key).isDouble(), key);
    const QJsonArray classic = o.value("classic").toArray();
    QCOMPARE(classic.size(), 2);
    QCOMPARE(classic[1].toObject().value("rule").toString(), QStringLiteral("R=1.25Re, C=Le/R²"));
    QCOMPARE(o.value("snapped").toObject().value("R_ohm").toDouble(), 8.2);
    QVERIFY(!o.value("fitted").toObject().contains("R2_ohm"));
    const QJsonObject second = cli::run({"zobel", kSeas, "--second", "--json"})
                                   .json()
                                   .object()
                                   .value("snapped")
                                   .toObject();
    QVERIFY(second.value("R2_ohm").isDouble() && second.value("C2_uF").isDouble());
    const QJsonObject notch = cli::run({"notch", kSeas, "--json"}).json().object();
    for (const char *key : {"R_ohm", "L_mH", "C_uF", "flatnessPct"})
        QVERIFY2(notch.value(key).isDouble(), key);
    // A flat band is refused with a reason and no numbers.
    const cli::Result bad = cli::run({"zobel", kSeas, "--from", "20", "--to", "60", "--json"});
    QCOMPARE(bad.exitCode, 1);
    QVERIFY(bad.out.isEmpty() && bad.errText().contains("no Zobel"));
}

void TestAnalysisDesign::compensated()
{
    // The textbook Zobel across an ideal coil reads Re at every point, with no phase.
    const auto in = std::make_unique<CurveBlock>(coil(6.0, 0.5e-3));
    const auto out = std::make_unique<CurveBlock>();
    compensatedCurve(*in, 2, zobelNetwork({6.0, 0.5e-3 / 36.0 * 1e6, 0.0}), *out);
    QCOMPARE(out->valid, 1u);
    for (int i = 0; i < 200; ++i) {
        QCOMPARE(out->freq[i], in->freq[i]);
        QVERIFY2(std::abs(out->r[i] - 6.0f) < 1e-4f && std::abs(out->theta[i]) < 1e-3f,
                 qPrintable(QString::number(out->r[i])));
    }
    QCOMPARE(out->r[200], -1.0f); // no point, none made
    // A notch branch with its L and C resonating at f leaves only R across the driver there.
    const NotchDesign n = [] {
        NotchDesign d;
        d.rOhm = 6.0, d.lMh = 10.0,
        d.cUf = 1e6 / (std::pow(2 * std::numbers::pi * 100.0, 2) * 0.01);
        return d;
    }();
    QVERIFY(std::abs(withNetwork({6.0, 0.0}, notchNetwork(n), 100.0) - 3.0) < 1e-9);
}

void TestAnalysisDesign::cliZma()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("z.zma"));
    const cli::Result r = cli::run({"zobel", kSeas, "--series", "exact", "--json", "--zma", path});
    QCOMPARE(r.exitCode, 0);
    // The written curve is the one the flatness was judged on.
    const auto written = std::make_unique<CurveBlock>(readZma(path));
    std::vector<NetworkPoint> noNetwork = networkPoints(*written, 300.0, 20000.0);
    QVERIFY(noNetwork.size() > std::size_t(kMinZobelPoints));
    const double flatness = zobelFlatnessPct(noNetwork, 1e12, 1e-30); // an open branch
    const double fitted =
        r.json().object().value("fitted").toObject().value("flatnessPct").toDouble();
    QVERIFY2(std::abs(flatness - fitted) < 1e-3, qPrintable(QString::number(flatness)));
    const cli::Result notch = cli::run({"notch", kSeas, "--zma", path});
    QCOMPARE(notch.exitCode, 0);
    QVERIFY(QFile(path).size() > 1000);
    QCOMPARE(cli::run({"notch", kSeas, "--zma", "-"}).exitCode, 2);
}

QTEST_GUILESS_MAIN(TestAnalysisDesign)
#include "tst_analysis_design.moc"
