// The worksheet's methods against drivers whose parameters are known: lumped models measured on
// the unit's grid, and the three measured SEAS L16RN-X curves of the dual added-mass paper.

#include "AnalysisCurves.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/PeakSearch.h"
#include "core/analysis/SealedBox.h"
#include "core/analysis/TsWorksheet.h"
#include "core/analysis/WorksheetMessages.h"

#include <QJsonArray>
#include <QtTest>
#include <map>
#include <memory>

namespace {

using cplx = std::complex<double>;

// A moving-coil driver in SI units; `added` on the cone, `cab` the compliance of a box.
struct Physical {
    double re, le, bl, mms, cms, rms, sd;
    double fs() const { return 1.0 / (2.0 * M_PI * std::sqrt(mms * cms)); }
    AnalysisCurves::Impedance curve(double added = 0.0, double cab = 0.0) const
    {
        const Physical d = *this;
        return [d, added, cab](double hz) {
            const double w = 2.0 * M_PI * hz;
            const double c = cab > 0.0 ? d.cms * cab / (d.cms + cab) : d.cms;
            const cplx zmech = d.rms + cplx(0.0, w * (d.mms + added)) + 1.0 / cplx(0.0, w * c);
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
    QCOMPARE(codes(r).count(QStringLiteral("single-mass-creep")), 2);
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
        << QStringList{"single-mass-creep", "single-mass-creep", "dual-mass-inconsistent"};
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

QTEST_GUILESS_MAIN(TestAnalysisWorksheet)
#include "tst_analysis_worksheet.moc"
