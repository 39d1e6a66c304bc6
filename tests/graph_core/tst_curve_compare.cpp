// The difference and ratio of a curve against a reference: exact zeros against itself, the
// textbook values, a reference on another band or grid, and points that compare with nothing.
#include "core/graph/CurveCompare.h"
#include "core/graph/ViewReadout.h"
#include "core/model/BandTable.h"

#include <QtTest>
#include <cmath>

namespace {

// A curve on band 2's grid: f = 10 Hz · 10^(i/108) (five decades over 540 slots), |Z| and θ
// from the caller.
std::unique_ptr<CurveBlock> curve(int first, int last, float r, float theta)
{
    auto c = std::make_unique<CurveBlock>();
    clearCurve(*c);
    for (int i = first; i <= last; ++i) {
        c->freq[i] = float(10.0 * std::pow(10.0, i / 108.0));
        c->r[i] = r;
        c->theta[i] = theta;
    }
    return c;
}

} // namespace

class TestCurveCompare : public QObject
{
    Q_OBJECT
private slots:
    void againstItselfIsExactlyZero();
    void values_data();
    void values();
    void otherBandAndGrid();
    void readouts();
};

void TestCurveCompare::againstItselfIsExactlyZero()
{
    auto c = curve(0, 539, 6.3f, -41.7f);
    c->r[100] = -1.0f; // an empty slot is neither compared nor counted
    const CompareResult r = compareCurves(*c, *c, 2);
    QCOMPARE(r.points.size(), 539);
    QCOMPARE(r.uncompared, 0);
    for (const ComparePoint &p : r.points) {
        QCOMPARE(p.diffOhm, 0.0);
        QCOMPARE(p.diffPct, 0.0);
        QCOMPARE(p.ratioDb, 0.0);
        QCOMPARE(p.phaseDiffDeg, 0.0);
    }
    QCOMPARE(r.maxDiffOhm, 0.0);
    QCOMPARE(r.maxRatioDb, 0.0);
    QCOMPARE(r.maxDiffAtHz, double(c->freq[0])); // the first of equals
}

void TestCurveCompare::values_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<float>("theta");
    QTest::addColumn<float>("refR");
    QTest::addColumn<float>("refTheta");
    QTest::addColumn<double>("diffPct");
    QTest::addColumn<double>("ratioDb");
    QTest::addColumn<double>("phaseDeg");
    QTest::newRow("larger") << 10.0f << 30.0f << 8.0f << 10.0f << 25.0 << 1.9382003 << 20.0;
    QTest::newRow("halved") << 4.0f << 0.0f << 8.0f << 0.0f << -50.0 << -6.0205999 << 0.0;
    // The phase of Zm / Zref wraps into (-180, 180].
    QTest::newRow("wraps up") << 8.0f << 170.0f << 8.0f << -170.0f << 0.0 << 0.0 << -20.0;
    QTest::newRow("wraps down") << 8.0f << -100.0f << 8.0f << 80.0f << 0.0 << 0.0 << 180.0;
}

void TestCurveCompare::values()
{
    QFETCH(float, r);
    QFETCH(float, theta);
    QFETCH(float, refR);
    QFETCH(float, refTheta);
    QFETCH(double, diffPct);
    QFETCH(double, ratioDb);
    QFETCH(double, phaseDeg);
    auto m = curve(40, 40, r, theta);
    auto ref = curve(40, 40, refR, refTheta);
    const CompareResult res = compareCurves(*m, *ref, 1);
    QCOMPARE(res.points.size(), 1);
    const ComparePoint &p = res.points.first();
    QCOMPARE(p.diffOhm, double(r) - double(refR));
    QVERIFY(std::fabs(p.diffPct - diffPct) < 1e-9);
    QVERIFY(std::fabs(p.ratioDb - ratioDb) < 1e-6);
    QVERIFY(std::fabs(p.phaseDiffDeg - phaseDeg) < 1e-9);
    QCOMPARE(res.maxPhaseDiffDeg, p.phaseDiffDeg);
}

void TestCurveCompare::otherBandAndGrid()
{
    // A band-3 reference (slots 0..91) under a band-2 measurement: the rest is counted.
    auto m = curve(0, 539, 8.0f, 0.0f);
    auto band3 = curve(0, 91, 8.0f, 0.0f);
    CompareResult r = compareCurves(*m, *band3, 2);
    QCOMPARE(r.points.size(), 92);
    QCOMPARE(r.uncompared, 448);
    QCOMPARE(r.points.last().index, 91);

    // A reference on a grid of every other slot is interpolated on log f between them, and
    // never beyond its last point.
    auto sparse = curve(0, 539, 8.0f, 0.0f);
    for (int i = 1; i < 540; i += 2)
        sparse->r[i] = -1.0f;
    sparse->theta[10] = 10.0f;
    sparse->theta[12] = 20.0f;
    r = compareCurves(*m, *sparse, 2);
    QCOMPARE(r.uncompared, 1); // slot 539 lies beyond slot 538
    const ComparePoint &mid = r.points.at(11);
    QCOMPARE(mid.index, 11);
    QVERIFY(std::fabs(mid.phaseDiffDeg + 15.0) < 1e-4); // halfway on log f
    QVERIFY(std::fabs(mid.diffOhm) < 1e-5);

    // |Z| 0 on either side has no ratio; nothing in common leaves the maxima unknown.
    auto zero = curve(0, 539, 8.0f, 0.0f);
    zero->r[5] = 0.0f;
    r = compareCurves(*zero, *zero, 3);
    QCOMPARE(r.uncompared, 1);
    r = compareCurves(*curve(200, 300, 8.0f, 0.0f), *band3, 2);
    QVERIFY(r.points.isEmpty());
    QCOMPARE(r.uncompared, 101);
    QVERIFY(std::isnan(r.maxDiffOhm) && std::isnan(r.maxDiffAtHz));
}

void TestCurveCompare::readouts()
{
    auto c = curve(0, 539, 10.0f, 60.0f);
    c->freq[108] = 100.0f;
    QCOMPARE(rxReadoutText(*c, 108), QStringLiteral("周波数：100.0[Hz] / R：5.00[Ω] / X：8.66[Ω]"));
    QCOMPARE(nyquistReadoutText(*c, 108),
             QStringLiteral("周波数：100.0[Hz] / R：5.00[Ω] / X：8.66[Ω] / |Z|：10.00[Ω] / "
                            "θ：60.0[deg]"));
    ComparePoint p{7, 1234.5, -0.126, -1.5, -0.1313, 181.0};
    QCOMPARE(differenceReadoutText(p, true),
             QStringLiteral("周波数：1.235[kHz] / Δ|Z|：-0.13[Ω] (-1.50[%]) / Δθ：181.0[deg]"));
    QCOMPARE(differenceReadoutText(p, false),
             QStringLiteral("周波数：1.235[kHz] / Δ|Z|：-0.13[Ω] (-1.50[%])"));
    QCOMPARE(ratioReadoutText(p),
             QStringLiteral("周波数：1.235[kHz] / |Zm/Zref|：-0.13[dB] / Δθ：181.0[deg]"));
}

QTEST_APPLESS_MAIN(TestCurveCompare)
#include "tst_curve_compare.moc"
