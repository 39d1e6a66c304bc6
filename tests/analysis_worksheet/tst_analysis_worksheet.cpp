// The worksheet's methods against drivers whose parameters are known: lumped models measured on
// the unit's grid, and the three measured SEAS L16RN-X curves of the dual added-mass paper.

#include "AnalysisCurves.h"
#include "core/analysis/AnalysisFlags.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/PeakSearch.h"
#include "core/analysis/SealedBox.h"
#include "core/analysis/TsWorksheet.h"
#include "core/analysis/WorksheetMessages.h"

#include <QJsonArray>
#include <QtTest>
#include <map>
#include <memory>
#include <random>

namespace {

using cplx = std::complex<double>;

// A moving-coil driver in SI units; `added` on the cone, `cab` the compliance of a box; a
// suspension that creeps has the compliance cms·(1 - creep·ln(jω/ωs)).
struct Physical {
    double re, le, bl, mms, cms, rms, sd;
    double creep = 0.0;
    double fs() const { return 1.0 / (2.0 * M_PI * std::sqrt(mms * cms)); }
    AnalysisCurves::Impedance curve(double added = 0.0, double cab = 0.0) const
    {
        const Physical d = *this;
        return [d, added, cab](double hz) {
            const double w = 2.0 * M_PI * hz;
            const cplx cms = d.cms * (1.0 - d.creep * std::log(cplx(0.0, hz / d.fs())));
            const cplx c = cab > 0.0 ? cms * cab / (cms + cab) : cms;
            const cplx zmech = d.rms + cplx(0.0, w * (d.mms + added)) + 1.0 / (cplx(0.0, w) * c);
            return d.re + cplx(0.0, w * d.le) + d.bl * d.bl / zmech;
        };
    }
};

struct Measured {
    std::unique_ptr<CurveBlock> raw = std::make_unique<CurveBlock>();
};

Measured measure(const AnalysisCurves::Impedance &z, int band)
{
    Measured m;
    auto record = std::make_unique<MeasurementRecord>();
    auto avg = std::make_unique<CurveBlock>();
    AnalysisCurves::measure(z, band, *record, *m.raw, *avg);
    return m;
}

double err(double value, double truth)
{
    return std::fabs(value / truth - 1.0);
}

QStringList codes(const TsWorksheetResult &r)
{
    QStringList out;
    for (const TsFlag &f : r.flags)
        out << tsFlagCodeName(f.code);
    return out;
}

const Air kAir = airAt(kDefaultAirTempC, kDefaultAirPressureHPa);

} // namespace

class TestAnalysisWorksheet : public QObject
{
    Q_OBJECT
private slots:
    void modelDriver_data();
    void modelDriver();
    void seasDualMass();
    void flags_data();
    void flags();
    void refusals_data();
    void refusals();
    void sharpPeak_data();
    void sharpPeak();
    void tweeterFullBand();
    void disagreeBeyondScatter_data();
    void disagreeBeyondScatter();
    void motionalBasis();
};

void TestAnalysisWorksheet::modelDriver_data()
{
    QTest::addColumn<double>("bl");
    QTest::addColumn<double>("mms");
    QTest::addColumn<double>("cms");
    QTest::addColumn<double>("rms");
    QTest::addColumn<double>("sd");
    QTest::addColumn<double>("m1");
    QTest::addColumn<double>("m2");
    QTest::addColumn<double>("vb");
    QTest::addColumn<int>("band");
    // Fs about 31, 52 and 87 Hz; masses near Mms / 2 and Mms, a box near Vas.
    QTest::newRow("10 inch") << 9.5 << 0.045 << 0.58e-3 << 1.2 << 0.033 << 0.020 << 0.045 << 60.0
                             << 4;
    QTest::newRow("6.5 inch") << 6.8 << 0.015 << 0.62e-3 << 0.9 << 0.0133 << 0.008 << 0.016 << 12.0
                              << 4;
    QTest::newRow("4 inch") << 4.2 << 0.0045 << 0.74e-3 << 0.5 << 0.0055 << 0.0025 << 0.005 << 1.5
                            << 1;
}

void TestAnalysisWorksheet::modelDriver()
{
    QFETCH(double, bl);
    QFETCH(double, mms);
    QFETCH(double, cms);
    QFETCH(double, rms);
    QFETCH(double, sd);
    QFETCH(double, m1);
    QFETCH(double, m2);
    QFETCH(double, vb);
    QFETCH(int, band);
    const Physical d{6.0, 0.3e-3, bl, mms, cms, rms, sd};
    const double vas = kAir.rho * kAir.c * kAir.c * sd * sd * cms;
    const double cab = vb * 1e-3 / (kAir.rho * kAir.c * kAir.c * sd * sd);
    const Measured free = measure(d.curve(), band);
    const Measured one = measure(d.curve(m1), band);
    const Measured two = measure(d.curve(m2), band);
    const Measured box = measure(d.curve(0.0, cab), band);

    TsWorksheetInput in;
    in.freeAir = {free.raw.get(), band};
    in.re = d.re;
    in.sdM2 = sd;
    in.masses = {{{one.raw.get(), band}, m1 * 1e3}, {{two.raw.get(), band}, m2 * 1e3}};
    in.box = TsBoxInput{{box.raw.get(), band}, vb};
    const TsWorksheetResult r = computeWorksheet(in);
    QVERIFY2(r.refusal.isEmpty(), qPrintable(r.refusal));
    QCOMPARE(r.singleMass.size(), 2);
    for (const TsFlag &f : r.flags)
        qInfo("%s", qPrintable(f.text));
    QVERIFY(r.dualMass && r.box);
    qInfo("model Fs %.2f Mms %.2f g Bl %.3f Vas %.2f L | single %.2f / %.2f g | dual Mms %.2f g "
          "Bl %.3f | box Vas %.2f L Mms %.2f g Bl %.3f",
          d.fs(), mms * 1e3, bl, vas * 1e3, r.singleMass[0].set.Mms * 1e3,
          r.singleMass[1].set.Mms * 1e3, r.dualMass->set.Mms * 1e3, r.dualMass->set.Bl,
          r.box->set.Vas * 1e3, r.box->set.Mms * 1e3, r.box->set.Bl);
    for (const TsSingleMassResult &s : r.singleMass) {
        QVERIFY2(err(s.set.Mms, mms) < 0.01, qPrintable(QString::number(s.set.Mms)));
        QVERIFY2(err(s.set.Bl, bl) < 0.01, qPrintable(QString::number(s.set.Bl)));
        QVERIFY2(err(s.set.Vas, vas) < 0.01, qPrintable(QString::number(s.set.Vas)));
    }
    QVERIFY2(err(r.dualMass->set.Mms, mms) < 0.01,
             qPrintable(QString::number(r.dualMass->set.Mms)));
    QVERIFY2(err(r.dualMass->set.Bl, bl) < 0.01, qPrintable(QString::number(r.dualMass->set.Bl)));
    QVERIFY2(err(r.box->set.Vas, vas) < 0.01, qPrintable(QString::number(r.box->set.Vas)));
    QVERIFY2(err(r.box->set.Mms, mms) < 0.01, qPrintable(QString::number(r.box->set.Mms)));
    QVERIFY2(err(r.box->set.Bl, bl) < 0.01, qPrintable(QString::number(r.box->set.Bl)));

    // The same box from the grid values alone, as the analysis window finds them.
    auto smooth = std::make_unique<CurveBlock>();
    TsParameters pf, pb;
    const int first = bandFirstIndex(band), last = bandLastIndex(band);
    QCOMPARE(computeTs(*free.raw, first, last, searchBand(*free.raw, *smooth, band), 6.0f, pf),
             TsResult::Ok);
    QCOMPARE(computeTs(*box.raw, first, last, searchBand(*box.raw, *smooth, band), 6.0f, pb),
             TsResult::Ok);
    const double gridVas = vasFromSealedBox(vb * 1e-3, pf.Fs, pf.Qes, pb.Fs, pb.Qes);
    qInfo("sealed-box Vas error: grid %.2f %%, refined %.2f %%", err(gridVas, vas) * 100.0,
          err(r.box->set.Vas, vas) * 100.0);
    QVERIFY(err(r.box->set.Vas, vas) < err(gridVas, vas));
}

void TestAnalysisWorksheet::seasDualMass()
{
    const int band = 4;
    Measured curves[3];
    const char *files[3] = {"seas_l16rnx_0g.zma", "seas_l16rnx_plus8g.zma",
                            "seas_l16rnx_plus16g.zma"};
    for (int i = 0; i < 3; ++i) {
        AnalysisCurves::Table t;
        QVERIFY(AnalysisCurves::readZma(
            QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/") + files[i], t));
        curves[i] = measure(t, band);
    }
    TsWorksheetInput in;
    in.freeAir = {curves[0].raw.get(), band};
    in.re = 5.721;
    in.sdM2 = 103.869e-4;
    in.tempC = 21.83; // rho 1.19667 kg/m³, c 344.30 m/s
    in.pressureHPa = 1013.26;
    in.masses = {{{curves[1].raw.get(), band}, 8.017}, {{curves[2].raw.get(), band}, 16.048}};
    const TsWorksheetResult r = computeWorksheet(in);
    QVERIFY2(r.refusal.isEmpty(), qPrintable(r.refusal));
    QVERIFY(r.dualMass);
    const TsDualMassResult &d = *r.dualMass;
    qInfo("SEAS L16RN-X band 4: rho %.5f c %.2f Fs %.2f Hz | dual Bl %.3f T·m Mms %.2f g beta "
          "%.4f consistency %.2f %% Vas %.2f L (%.1f %% from 12.86) | single 8 g Mms %.2f g, "
          "16 g Mms %.2f g",
          r.air.rho, r.air.c, r.classic.Fs, d.set.Bl, d.set.Mms * 1e3, d.fit.beta,
          d.fit.consistency * 100.0, d.set.Vas * 1e3, (d.set.Vas * 1e3 / 12.86 - 1.0) * 100.0,
          r.singleMass[0].set.Mms * 1e3, r.singleMass[1].set.Mms * 1e3);
    QVERIFY(std::fabs(r.air.rho - 1.19667) < 1e-4 && std::fabs(r.air.c - 344.30) < 0.01);
    QVERIFY2(d.set.Bl >= 6.99 && d.set.Bl <= 7.08, qPrintable(QString::number(d.set.Bl)));
    QVERIFY2(d.set.Mms >= 14.9e-3 && d.set.Mms <= 15.3e-3, qPrintable(QString::number(d.set.Mms)));
    QVERIFY2(err(d.set.Vas * 1e3, 12.86) < 0.04, qPrintable(QString::number(d.set.Vas)));
    QCOMPARE(codes(r).count(QStringLiteral("single-dual-disagree")), 2);
}

namespace {

// The 6.5 inch model of modelDriver and its curves on band 4, for the flag and refusal tables.
struct Bench {
    Physical d{6.0, 0.3e-3, 6.8, 0.015, 0.62e-3, 0.9, 0.0133};
    std::map<QString, Measured> curves;

    const CurveBlock *curve(const QString &name, int band = 4)
    {
        auto it = curves.find(name + QString::number(band));
        if (it != curves.end())
            return it->second.raw.get();
        AnalysisCurves::Impedance z = d.curve();
        if (name.startsWith('m'))
            z = d.curve(QString(name.mid(1)).remove(QRegularExpression("[a-z]")).toDouble() * 1e-3);
        else if (name == "box")
            z = d.curve(0.0, 12e-3 / (kAir.rho * kAir.c * kAir.c * d.sd * d.sd));
        else if (name == "tilted") // rising with frequency: a skewed resonance
            z = [z, re = d.re](double hz) { return re + (z(hz) - re) * std::pow(hz / 52.0, 0.4); };
        Measured m = measure(z, band);
        if (name == "m16shifted") { // the same curve on frequencies 0.5 % off the grid
            for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
                m.raw->freq[i] *= 1.005f;
        }
        return curves.emplace(name + QString::number(band), std::move(m)).first->second.raw.get();
    }

    // "free|m8:8|m16:16|box:12": curves by name and the grams or litres each stands for.
    TsWorksheetInput input(const QString &given)
    {
        TsWorksheetInput in;
        in.re = d.re;
        in.sdM2 = d.sd;
        for (const QString &part : given.split('|')) {
            const QString name = part.section(':', 0, 0);
            const int band = name.endsWith("@1") ? 1 : 4;
            const QString curveName = name.section('@', 0, 0);
            const double value = part.section(':', 1, 1).toDouble();
            if (curveName == "free" || curveName == "tilted")
                in.freeAir = {curve(curveName, band), band};
            else if (curveName == "box")
                in.box = TsBoxInput{{curve(curveName, band), band}, value};
            else if (curveName == "boxAsMass" || curveName == "freeAsMass")
                in.masses.append(
                    {{curve(curveName.left(curveName.size() - 6), band), band}, value});
            else
                in.masses.append({{curve(curveName, band), band}, value});
        }
        return in;
    }
};

Bench &bench()
{
    static Bench b;
    return b;
}

} // namespace

void TestAnalysisWorksheet::flags_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<double>("re");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("two good masses") << "free|m8:8|m16:16" << 6.0 << QStringList();
    QTest::newRow("1 g moves Fs 3 %") << "free|m1:1" << 6.0 << QStringList{"mass-shift-small"};
    QTest::newRow("60 g moves Fs 55 %") << "free|m60:60" << 6.0 << QStringList{"mass-shift-large"};
    QTest::newRow("Re above the minimum") << "free" << 6.3 << QStringList{"re-above-minimum"};
    QTest::newRow("skewed resonance") << "tilted" << 6.0 << QStringList{"asymmetric-resonance"};
    QTest::newRow("frequencies 0.5 % apart")
        << "free|m8:8|m16shifted:16" << 6.0 << QStringList{"grid-mismatch"};
    QTest::newRow("9 g typed for 8 g")
        << "free|m8:9|m16:16" << 6.0
        << QStringList{"single-dual-disagree", "dual-mass-inconsistent"};
    QTest::newRow("masses 8 and 8.4 g")
        << "free|m8:8|m8.4:8.4" << 6.0 << QStringList{"mass-ratio-small"};
}

void TestAnalysisWorksheet::flags()
{
    QFETCH(QString, given);
    QFETCH(double, re);
    QFETCH(QStringList, expected);
    TsWorksheetInput in = bench().input(given);
    in.re = re;
    const TsWorksheetResult r = computeWorksheet(in);
    QVERIFY2(r.refusal.isEmpty(), qPrintable(r.refusal));
    for (const TsFlag &f : r.flags)
        qInfo("%s: %s", qPrintable(tsFlagCodeName(f.code)), qPrintable(f.text));
    QCOMPARE(codes(r), expected);
    // Each flag shows in the table and in the JSON.
    const QJsonArray json = worksheetJson(r).value("flags").toArray();
    QCOMPARE(json.size(), expected.size());
    const QVector<TsRow> rows = worksheetRows(r);
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(json[i].toObject().value("code").toString(), expected[i]);
        QCOMPARE(rows[rows.size() - expected.size() + i].name, expected[i]);
    }
}

void TestAnalysisWorksheet::refusals_data()
{
    namespace M = WorksheetMessages;
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("mass 0 g") << "free|m8:0"
                              << "" << M::massNotPositive("0");
    QTest::newRow("mass -8 g") << "free|m8:-8"
                               << "" << M::massNotPositive("-8");
    QTest::newRow("box 0 L") << "free|box:0"
                             << "" << M::boxNotPositive("0");
    QTest::newRow("Sd unknown with a mass") << "free|m8:8"
                                            << "sd0" << M::sdMissing();
    QTest::newRow("Sd unknown with a box") << "free|box:12"
                                           << "sd0" << M::sdMissing();
    QTest::newRow("negative Sd") << "free"
                                 << "sd-1" << M::sdNotPositive();
    QTest::newRow("mass curve of band 1") << "free|m8@1:8"
                                          << "" << M::otherBand(M::massCurve("8"), 1, 4);
    QTest::newRow("box curve as a mass")
        << "free|boxAsMass:8"
        << ""
        << M::notBelowFreeAir(M::massCurve("8"), QString(), QString()).section(" resonates", 0, 0);
    QTest::newRow("free-air curve as a mass")
        << "free|freeAsMass:8"
        << ""
        << M::notBelowFreeAir(M::massCurve("8"), QString(), QString()).section(" resonates", 0, 0);
    QTest::newRow("mass curve as the box")
        << "free|m8:8|box:12"
        << "swapbox"
        << M::notAboveFreeAir(M::boxCurve("12"), QString(), QString()).section(" resonates", 0, 0);
    QTest::newRow("two equal masses") << "free|m8:8|m16:8"
                                      << "" << M::identicalMasses("8");
    QTest::newRow("air at 100 °C") << "free"
                                   << "hot" << M::airImplausible("100", "1013.25");
    QTest::newRow("Re 0") << "free"
                          << "re0" << AnalysisMessages::badRe();
}

void TestAnalysisWorksheet::refusals()
{
    QFETCH(QString, given);
    QFETCH(QString, change);
    QFETCH(QString, message);
    TsWorksheetInput in = bench().input(given);
    if (change == "sd0")
        in.sdM2 = 0.0;
    else if (change == "sd-1")
        in.sdM2 = -1.0;
    else if (change == "hot")
        in.tempC = 100.0;
    else if (change == "re0")
        in.re = 0.0;
    else if (change == "swapbox")
        in.box->curve = in.masses.takeFirst().curve;
    const TsWorksheetResult r = computeWorksheet(in);
    QVERIFY2(r.refusal.startsWith(message), qPrintable(r.refusal));
    // No number anywhere: no rows, and the JSON holds the refusal alone.
    QVERIFY(r.singleMass.isEmpty() && !r.dualMass && !r.box && r.flags.isEmpty());
    QVERIFY(worksheetRows(r).isEmpty());
    QCOMPARE(worksheetJson(r), QJsonObject({{"refusal", r.refusal}}));
}

// Re in series with a parallel resonance between the grid points: the Lorentzian gives Qms
// back where three points cannot, and both the worksheet and the analysis window's values flag
// the peak.
void TestAnalysisWorksheet::sharpPeak_data()
{
    QTest::addColumn<double>("qms");
    QTest::addColumn<bool>("sharp");
    QTest::newRow("Qms 10") << 10.0 << false;
    QTest::newRow("Qms 43") << 43.0 << true;
    QTest::newRow("Qms 80") << 80.0 << true;
}

void TestAnalysisWorksheet::sharpPeak()
{
    QFETCH(double, qms);
    QFETCH(bool, sharp);
    const AnalysisCurves::Driver d{6.0, 0.0, 41.3, qms, 1.0};
    const Measured m = measure(d, 4);
    TsWorksheetInput in;
    in.freeAir = {m.raw.get(), 4};
    in.re = d.Re;
    const TsWorksheetResult r = computeWorksheet(in);
    QVERIFY2(r.refusal.isEmpty(), qPrintable(r.refusal));
    QCOMPARE(codes(r).contains("peak-too-sharp"), sharp);
    QCOMPARE(r.classic.lorentzPoints, sharp ? 7 : 0);
    QVERIFY2(err(r.classic.Qms, qms) < 0.01, qPrintable(QString::number(r.classic.Qms)));
    QVERIFY(err(r.classic.Fs, d.Fs) < 5e-4 && err(r.classic.Rmax, d.Rmax()) < 0.01);
    auto smooth = std::make_unique<CurveBlock>();
    const PeakList peaks = searchBand(*m.raw, *smooth, 4);
    TsParameters p;
    QCOMPARE(computeTs(*m.raw, 40, 183, peaks, 6.0f, p), TsResult::Ok);
    const QVector<TsFlag> window = analysisWindowFlags(*m.raw, 40, 183, peaks, p);
    QCOMPARE(window.size(), sharp ? 1 : 0);
    if (sharp)
        QCOMPARE(window[0].code, TsFlagCode::PeakTooSharp);
}

// A tweeter on the full band with a small ripple at 76 Hz, which the analysis window's search
// finds first: the worksheet takes the resonance at 1053.6 Hz and says so.
void TestAnalysisWorksheet::tweeterFullBand()
{
    const AnalysisCurves::Driver tweeter{3.0, 0.03e-3, 1053.6, 2.5, 0.8};
    const auto z = [tweeter](double hz) {
        return tweeter(hz) + 0.5 / (1.0 + cplx(0.0, 6.0) * (hz / 76.0 - 76.0 / hz));
    };
    const Measured m = measure(z, 2);
    auto smooth = std::make_unique<CurveBlock>();
    const PeakList peaks = searchBand(*m.raw, *smooth, 2);
    QVERIFY(peaks.peakCount > 0 && std::fabs(peaks.Fs - 76.0) < 3.0);
    TsWorksheetInput in;
    in.freeAir = {m.raw.get(), 2};
    in.re = 3.0;
    const TsWorksheetResult r = computeWorksheet(in);
    QVERIFY2(r.refusal.isEmpty(), qPrintable(r.refusal));
    QVERIFY2(err(r.classic.Fs, 1053.6) < 0.005, qPrintable(QString::number(r.classic.Fs)));
    QVERIFY2(err(r.classic.Qes, 0.8) < 0.03, qPrintable(QString::number(r.classic.Qes)));
    QCOMPARE(codes(r), QStringList{"not-main-resonance"});
    TsParameters p;
    QCOMPARE(computeTs(*m.raw, 0, 539, peaks, 3.0f, p), TsResult::Ok);
    QCOMPARE(p.Fs, peaks.Fs); // the analysis window keeps its first peak
    const QVector<TsFlag> window = analysisWindowFlags(*m.raw, 0, 539, peaks, p);
    QVERIFY(window.size() == 1 && window[0].code == TsFlagCode::NotMainResonance);
}

// Seeded noise on |Z| and phase, 20 runs each: single and dual mass disagree on a suspension
// that creeps, never on one that does not.
void TestAnalysisWorksheet::disagreeBeyondScatter_data()
{
    QTest::addColumn<double>("creep");
    QTest::addColumn<double>("noise"); // relative on |Z|, in radians on the phase
    QTest::addColumn<int>("flagged");
    QTest::newRow("no creep, 0.5 % noise") << 0.0 << 0.005 << 0;
    QTest::newRow("creep 0.08, 0.1 % noise") << 0.08 << 0.001 << 20;
}

void TestAnalysisWorksheet::disagreeBeyondScatter()
{
    QFETCH(double, creep);
    QFETCH(double, noise);
    QFETCH(int, flagged);
    Physical d = bench().d;
    d.creep = creep;
    int raised = 0;
    int overTwoPct = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        auto random = std::make_shared<std::mt19937>(seed);
        auto noisy = [random, noise](const AnalysisCurves::Impedance &z) {
            return [z, random, noise](double hz) {
                std::normal_distribution<double> mag(1.0, noise), deg(0.0, noise);
                return z(hz) * std::polar(mag(*random), deg(*random));
            };
        };
        const Measured free = measure(noisy(d.curve()), 4);
        const Measured m8 = measure(noisy(d.curve(0.008)), 4);
        const Measured m16 = measure(noisy(d.curve(0.016)), 4);
        TsWorksheetInput in;
        in.freeAir = {free.raw.get(), 4};
        in.re = d.re;
        in.sdM2 = d.sd;
        in.masses = {{{m8.raw.get(), 4}, 8.0}, {{m16.raw.get(), 4}, 16.0}};
        const TsWorksheetResult r = computeWorksheet(in);
        QVERIFY2(r.refusal.isEmpty() && r.dualMass, qPrintable(r.refusal));
        raised += codes(r).contains("single-dual-disagree") ? 1 : 0;
        for (const TsSingleMassResult &s : r.singleMass)
            overTwoPct += err(s.set.Mms, r.dualMass->set.Mms) > 0.02 ? 1 : 0;
    }
    qInfo("creep %.2f: flagged in %d of 20 runs; %d of 40 single masses over 2 %% off", creep,
          raised, overTwoPct);
    QCOMPARE(raised, flagged);
}

// A coil of 1.5 mH tilts the peak: with a fit the methods read Z - Ze and give Qes and Bl back.
void TestAnalysisWorksheet::motionalBasis()
{
    Physical d = bench().d;
    d.le = 1.5e-3;
    const Measured free = measure(d.curve(), 4);
    const Measured m8 = measure(d.curve(0.008), 4);
    const Measured box =
        measure(d.curve(0.0, 12e-3 / (kAir.rho * kAir.c * kAir.c * d.sd * d.sd)), 4);
    TsWorksheetInput in;
    in.freeAir = {free.raw.get(), 4};
    in.re = d.re;
    in.sdM2 = d.sd;
    in.masses = {{{m8.raw.get(), 4}, 8.0}};
    in.box = TsBoxInput{{box.raw.get(), 4}, 12.0};
    const TsWorksheetResult classic = computeWorksheet(in);
    const FitResult fit =
        fitImpedanceCurve(fitPoints(*free.raw, 4, 0, 0), {FitModel::Classic, d.re, false});
    QCOMPARE(fit.outcome, FitOutcome::Ok);
    in.fit = &fit;
    const TsWorksheetResult r = computeWorksheet(in);
    QVERIFY2(r.refusal.isEmpty() && r.motional, qPrintable(r.refusal));
    const double qes = 2.0 * M_PI * d.fs() * d.mms * d.re / (d.bl * d.bl);
    qInfo("Qes %.4f: classic %.4f, motional %.4f | Bl %.3f: classic %.3f, motional %.3f", qes,
          classic.classic.Qes, r.motional->Qes, d.bl, classic.singleMass[0].set.Bl,
          r.singleMass[0].set.Bl);
    QVERIFY(err(classic.classic.Qes, qes) > 0.005);
    qInfo("box Mms %.3f g: classic %.3f, motional %.3f", d.mms * 1e3, classic.box->set.Mms * 1e3,
          r.box->set.Mms * 1e3);
    QVERIFY(err(r.motional->Qes, qes) < 0.002 && err(r.singleMass[0].set.Bl, d.bl) < 0.002);
    QVERIFY(err(r.box->set.Mms, d.mms) < 0.003);
    QCOMPARE(r.classic.Qes, classic.classic.Qes); // the curve's own values stay
    const QJsonObject json = worksheetJson(r);
    QCOMPARE(json.value("inputs").toObject().value("basis").toString(), "motional");
    QVERIFY(err(json.value("motional").toObject().value("Qes").toDouble(), r.motional->Qes) < 1e-6);
    QCOMPARE(worksheetJson(classic).value("inputs").toObject().value("basis").toString(),
             "classic");
}

QTEST_GUILESS_MAIN(TestAnalysisWorksheet)
#include "tst_analysis_worksheet.moc"
