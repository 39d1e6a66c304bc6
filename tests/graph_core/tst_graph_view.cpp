// View scales from the raw curves, the cursor readout and the readout texts.
#include "core/graph/CursorReadout.h"
#include "core/graph/DecimalFormat.h"
#include "core/graph/ReadoutFormat.h"
#include "core/graph/ViewScale.h"
#include "core/model/BandTable.h"
#include "core/model/Settings.h"

#include <QtTest>
#include <cstring>
#include <memory>

namespace {

void setSlot(MeasurementRecord &rec, int index, const char *text)
{
    std::memset(rec.points[index], 0, kPointSlotSize);
    std::memcpy(rec.points[index], text, std::strlen(text));
}

// A band-3 curve (grid 0..91) with F = 10 + i Hz, so every midpoint is a half.
void linearBand3(CurveBlock &c)
{
    for (int i = 0; i <= 91; ++i) {
        c.freq[i] = 10.0f + i;
        c.r[i] = 5.0f;
    }
    c.valid = 1;
}

struct References {
    MeasurementRecord records[kReferenceSlots];
    CurveBlock raw[kReferenceSlots];
};

} // namespace

class TestGraphView : public QObject
{
    Q_OBJECT
private slots:
    void rScaleSteps_data();
    void rScaleSteps();
    void warningResistance_data();
    void warningResistance();
    void thetaSteps_data();
    void thetaSteps();
    void scalesComeFromTheRawCurve();
    void positivePhaseGetsSmallestScale();
    void referenceScalesUseEachOwnBand();
    void bothTakesTheLarger();
    void bandChangeBeforeAnyMeasurement();
    void scaleKeepsBandAndSetsAxes();
    void shownCurvesFollowAveraging();
    void nearestPoint_data();
    void nearestPoint();
    void readoutFrequencyAtEdges();
    void readoutText();
    void readoutIgnoresUnusablePresses();
    void readoutShowsRawValuesAndLeavesRecord();
    void decimalMasks_data();
    void decimalMasks();
    void valueTexts_data();
    void valueTexts();
    void slotTexts_data();
    void slotTexts();
};

void TestGraphView::rScaleSteps_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("scale");
    QTest::newRow("0") << 0.0f << 10.0f;
    QTest::newRow("8") << 8.0f << 10.0f;
    QTest::newRow("10") << 10.0f << 10.0f;
    QTest::newRow("10.01") << 10.01f << 15.0f;
    QTest::newRow("20") << 20.0f << 20.0f;
    QTest::newRow("25") << 25.0f << 25.0f;
    QTest::newRow("26") << 26.0f << 50.0f;
    QTest::newRow("100") << 100.0f << 100.0f;
    QTest::newRow("101") << 101.0f << 120.0f;
    QTest::newRow("130") << 130.0f << 150.0f;
    QTest::newRow("150") << 150.0f << 150.0f;
    QTest::newRow("180") << 180.0f << 200.0f;
    QTest::newRow("900") << 900.0f << 200.0f;
}

void TestGraphView::rScaleSteps()
{
    QFETCH(float, x);
    QFETCH(float, scale);
    QCOMPARE(roundUpRScale(x), scale);
}

void TestGraphView::warningResistance_data()
{
    QTest::addColumn<float>("rMax");
    QTest::addColumn<bool>("warns");
    QTest::newRow("150") << 150.0f << false;
    QTest::newRow("150.01") << 150.01f << true;
    QTest::newRow("200") << 200.0f << true;
}

void TestGraphView::warningResistance()
{
    QFETCH(float, rMax);
    QFETCH(bool, warns);
    GraphScale scale;
    scale.rMax = rMax;
    QCOMPARE(aboveWarningResistance(scale), warns);
}

void TestGraphView::thetaSteps_data()
{
    QTest::addColumn<float>("magnitude");
    QTest::addColumn<float>("scale");
    QTest::newRow("0") << 0.0f << 45.0f;
    QTest::newRow("30") << 30.0f << 45.0f;
    QTest::newRow("30.1") << 30.1f << 90.0f;
    QTest::newRow("60") << 60.0f << 90.0f;
    QTest::newRow("75") << 75.0f << 180.0f;
}

void TestGraphView::thetaSteps()
{
    QFETCH(float, magnitude);
    QFETCH(float, scale);
    QCOMPARE(thetaFullScale(magnitude), scale);
}

void TestGraphView::scalesComeFromTheRawCurve()
{
    MeasurementRecord m;
    m.band = 3;
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    for (int i = 0; i <= 91; ++i) {
        raw->r[i] = avg->r[i] = 8.0f;
        raw->theta[i] = avg->theta[i] = 10.0f;
    }
    raw->r[50] = 26.0f; // a peak that averaging would flatten
    raw->theta[50] = -35.0f;
    avg->r[50] = 14.0f;
    avg->theta[50] = -18.0f;
    QCOMPARE(measurementRScale(m, *raw), 50.0f);
    QCOMPARE(measurementThetaScale(m, *raw), 90.0f);
    GraphScale scale;
    scale.band = 3;
    selectShownCurves(scale, true, *raw, *avg, nullptr, nullptr);
    scaleForMeasurement(scale, m, *raw);
    QCOMPARE(scale.rMax, 50.0f);
    QCOMPARE(scale.thetaMax, 90.0f);
    QCOMPARE(scale.thetaMin, -90.0f);
}

void TestGraphView::positivePhaseGetsSmallestScale()
{
    MeasurementRecord m;
    m.band = 1;
    auto raw = std::make_unique<CurveBlock>();
    for (int i = bandFirstIndex(1); i <= bandLastIndex(1); ++i)
        raw->theta[i] = float(i % 21); // 0 .. +20
    QCOMPARE(measurementThetaScale(m, *raw), 45.0f);
    raw->theta[100] = 29.9f;
    QCOMPARE(measurementThetaScale(m, *raw), 45.0f);
    raw->theta[101] = -30.5f;
    QCOMPARE(measurementThetaScale(m, *raw), 90.0f);
}

void TestGraphView::referenceScalesUseEachOwnBand()
{
    auto refs = std::make_unique<References>();
    refs->records[1].valid = 1;
    refs->records[1].band = 3; // grid 0..91
    refs->raw[1].r[91] = 12.0f;
    refs->raw[1].r[92] = 180.0f; // outside its own band: ignored
    refs->raw[1].theta[92] = 170.0f;
    refs->records[3].valid = 0; // not loaded: ignored
    refs->records[3].band = 2;
    refs->raw[3].r[10] = 140.0f;
    refs->raw[3].theta[10] = -100.0f;
    QCOMPARE(referencesRScale(refs->records, refs->raw), 15.0f);
    QCOMPARE(referencesThetaScale(refs->records, refs->raw), 45.0f);
    refs->records[3].valid = 1;
    QCOMPARE(referencesRScale(refs->records, refs->raw), 150.0f);
    QCOMPARE(referencesThetaScale(refs->records, refs->raw), 180.0f);
}

void TestGraphView::bothTakesTheLarger()
{
    MeasurementRecord m;
    m.band = 2;
    auto raw = std::make_unique<CurveBlock>();
    for (int i = 0; i <= 539; ++i)
        raw->r[i] = 20.0f;
    raw->theta[5] = 70.0f;
    auto refs = std::make_unique<References>();
    refs->records[0].valid = 1;
    refs->records[0].band = 2;
    refs->raw[0].r[300] = 130.0f;
    refs->raw[0].theta[300] = 20.0f;
    GraphScale scale;
    scale.band = 2;
    scaleForBoth(scale, m, *raw, refs->records, refs->raw);
    QCOMPARE(scale.rMax, 150.0f);
    QCOMPARE(scale.thetaMax, 180.0f);
    scaleForMeasurement(scale, m, *raw);
    QCOMPARE(scale.rMax, 20.0f);
    scaleForReferences(scale, refs->records, refs->raw);
    QCOMPARE(scale.rMax, 150.0f);
    QCOMPARE(scale.thetaMax, 45.0f);
}

void TestGraphView::bandChangeBeforeAnyMeasurement()
{
    MeasurementRecord m; // never measured: band 2, cleared curve
    auto raw = std::make_unique<CurveBlock>();
    GraphScale scale;
    initGraphScale(scale, 2);
    QCOMPARE(scale.rMax, 25.0f);
    scale.band = 6;
    scaleForMeasurement(scale, m, *raw);
    QCOMPARE(scale.rMax, 10.0f);
    QCOMPARE(scale.thetaMax, 45.0f);
    QCOMPARE(scale.thetaMin, -45.0f);
    QCOMPARE(scale.fStartHz, 2000);
    QCOMPARE(scale.fEndHz, 20000);
}

void TestGraphView::scaleKeepsBandAndSetsAxes()
{
    MeasurementRecord m;
    m.band = 3;
    auto raw = std::make_unique<CurveBlock>();
    GraphScale scale;
    scale.band = 5;
    scale.rMin = 3.0f;
    scaleForMeasurement(scale, m, *raw);
    QCOMPARE(scale.band, 5);
    QCOMPARE(scale.fStartHz, 250);
    QCOMPARE(scale.fEndHz, 2000);
    QCOMPARE(scale.rMin, 0.0f);
}

void TestGraphView::shownCurvesFollowAveraging()
{
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    auto refRaw = std::make_unique<CurveBlock[]>(kReferenceSlots);
    auto refAvg = std::make_unique<CurveBlock[]>(kReferenceSlots);
    GraphScale scale;
    selectShownCurves(scale, true, *raw, *avg, refRaw.get(), refAvg.get());
    QCOMPARE(scale.curveShown, avg.get());
    QCOMPARE(scale.refCurveShown[4], &refAvg[4]);
    selectShownCurves(scale, false, *raw, *avg, refRaw.get(), refAvg.get());
    QCOMPARE(scale.curveShown, raw.get());
    QCOMPARE(scale.refCurveShown[0], &refRaw[0]);
}

void TestGraphView::nearestPoint_data()
{
    QTest::addColumn<float>("f");
    QTest::addColumn<int>("index");
    QTest::newRow("below the first point") << 9.99f << kNoPoint;
    QTest::newRow("at the first point") << 10.0f << 0;
    QTest::newRow("next to the second point") << 10.99f << 0;
    QTest::newRow("at the second point") << 11.0f << 1;
    QTest::newRow("below a midpoint") << 15.49f << 5;
    QTest::newRow("at a midpoint goes up") << 15.5f << 6;
    QTest::newRow("from the midpoint below the last but one") << 99.5f << 90;
    QTest::newRow("at the last but one") << 100.0f << 90;
    QTest::newRow("just above the last but one") << 100.01f << 91;
    QTest::newRow("at the last point") << 101.0f << 91;
    QTest::newRow("above the last point") << 101.01f << kNoPoint;
}

void TestGraphView::nearestPoint()
{
    QFETCH(float, f);
    QFETCH(int, index);
    auto raw = std::make_unique<CurveBlock>();
    linearBand3(*raw);
    QCOMPARE(nearestPointIndex(*raw, 3, f), index);
}

void TestGraphView::readoutFrequencyAtEdges()
{
    GraphScale scale;
    initGraphScale(scale, 1);
    QVERIFY(qAbs(readoutFrequency(scale, 0, 500) - 20.0f) < 1e-3f);
    QVERIFY(qAbs(readoutFrequency(scale, 500, 500) - 20000.0f) < 1e-1f);
    initGraphScale(scale, 2);
    QVERIFY(qAbs(readoutFrequency(scale, 250, 500) - 1000.0f) < 1e-2f); // the middle decade
}

void TestGraphView::readoutText()
{
    auto m = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    m->valid = 1;
    m->band = 3;
    linearBand3(*raw);
    GraphScale scale;
    initGraphScale(scale, 3);
    // 0339: 8.255 ohm; FF84: -124, so -12.35 deg; 000E84 / 0001: 56.70 Hz. Point 47 lies at 57 Hz.
    const int j = 47;
    setSlot(*m, j, "0339FF84000E840001");
    // Find a press that lands on point 47 (57 Hz) of the linear test curve.
    scale.fStartHz = 10;
    scale.fEndHz = 100;
    int press = -1;
    for (int px = 0; px < 500; ++px)
        if (nearestPointIndex(*raw, 3, readoutFrequency(scale, px, 500)) == j) {
            press = px;
            break;
        }
    QVERIFY(press >= 0);
    const auto text = cursorReadout(*m, *raw, scale, press, 500);
    QVERIFY(text.has_value());
    QCOMPARE(*text, QStringLiteral("周波数：56.70[Hz] / 8.26[Ω] / -12.4[deg]"));
}

void TestGraphView::readoutIgnoresUnusablePresses()
{
    auto m = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    m->band = 1;
    GraphScale scale;
    initGraphScale(scale, 1);
    for (int i = 40; i <= 439; ++i) {
        raw->freq[i] = 20.5f + (i - 40) * 50.0f; // first point above 20 Hz
        raw->r[i] = 4.0f;
        setSlot(*m, i, "0190000000051E0001");
    }
    m->valid = 0; // only references loaded
    QVERIFY(!cursorReadout(*m, *raw, scale, 250, 500).has_value());
    m->valid = 1;
    QVERIFY(!cursorReadout(*m, *raw, scale, 0, 500).has_value()); // 20 Hz, left of the first point
    QVERIFY(cursorReadout(*m, *raw, scale, 400, 500).has_value());
    const float f = readoutFrequency(scale, 400, 500);
    raw->r[nearestPointIndex(*raw, 1, f)] = -1; // an empty slot
    QVERIFY(!cursorReadout(*m, *raw, scale, 400, 500).has_value());
    QVERIFY(!cursorReadout(*m, *raw, scale, 400, 0).has_value());
}

void TestGraphView::readoutShowsRawValuesAndLeavesRecord()
{
    auto m = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    m->valid = 1;
    m->band = 3;
    linearBand3(*raw);
    GraphScale scale;
    initGraphScale(scale, 3);
    scale.fEndHz = 100;
    for (int i = 0; i <= 91; ++i)
        setSlot(*m, i, "0FA0FC18000A000001X"); // a stray character after the point text
    const auto text = cursorReadout(*m, *raw, scale, 0, 500);
    QVERIFY(text.has_value());
    QCOMPARE(*text, QStringLiteral("周波数：39.06[Hz] / 40.01[Ω] / -99.9[deg]"));
    QCOMPARE(m->points[0][18], 'X');
}

void TestGraphView::decimalMasks_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("text");
    QTest::newRow("optional integer digit") << 0.5 << "#.00"
                                            << ".50";
    QTest::newRow("required integer digit") << 0.5 << "#0.00"
                                            << "0.50";
    QTest::newRow("half rounds away from zero") << 0.125 << "#0.00"
                                                << "0.13";
    QTest::newRow("negative half") << -0.25 << "#0.0"
                                   << "-0.3";
    QTest::newRow("carry into a new digit") << 9.996 << "#0.00"
                                            << "10.00";
    QTest::newRow("rounds to zero has no sign") << -0.04 << "#0.0"
                                                << "0.0";
    QTest::newRow("zero") << 0.0 << "#.00"
                          << ".00";
    QTest::newRow("large") << 12345.678 << "#0.0"
                           << "12345.7";
    QTest::newRow("tiny") << 0.004 << "#0.00"
                          << "0.00";
    QTest::newRow("tiny up") << 0.006 << "#.00"
                             << ".01";
}

void TestGraphView::decimalMasks()
{
    QFETCH(double, value);
    QFETCH(QString, mask);
    QFETCH(QString, text);
    QCOMPARE(formatDecimal(value, mask.toLatin1().constData()), text);
}

void TestGraphView::valueTexts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("8.2561 ohm") << "r" << 8.2561f << "8.26[Ω]";
    QTest::newRow("0.3 ohm") << "r" << 0.3f << "0.30[Ω]";
    QTest::newRow("655.355 ohm stored as float") << "r" << 655.355f << "655.35[Ω]";
    QTest::newRow("-12.34 deg") << "t" << -12.34f << "-12.3[deg]";
    QTest::newRow("0.05 deg") << "t" << 0.05f << "0.1[deg]";
    QTest::newRow("56.7 Hz") << "f" << 56.7f << "56.70[Hz]";
    QTest::newRow("99.999 Hz") << "f" << 99.999f << "100.00[Hz]";
    QTest::newRow("100 Hz") << "f" << 100.0f << "100.0[Hz]";
    QTest::newRow("999.99 Hz") << "f" << 999.99f << "1000.0[Hz]";
    QTest::newRow("1000 Hz") << "f" << 1000.0f << "1.000[kHz]";
    QTest::newRow("1234.6 Hz") << "f" << 1234.6f << "1.235[kHz]";
    QTest::newRow("1234.5 Hz rounds up in kHz") << "f" << 1234.5f << "1.235[kHz]";
    QTest::newRow("100 kHz") << "f" << 100000.0f << "100.000[kHz]";
}

void TestGraphView::valueTexts()
{
    QFETCH(QString, kind);
    QFETCH(float, value);
    QFETCH(QString, text);
    if (kind == "r")
        QCOMPARE(formatOhms(value), text);
    else if (kind == "t")
        QCOMPARE(formatDegrees(value), text);
    else
        QCOMPARE(formatHertz(value), text);
}

void TestGraphView::slotTexts_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("r");
    QTest::addColumn<QString>("theta");
    QTest::addColumn<QString>("f");
    QTest::newRow("40.005 ohm, -99.95 deg") << "0FA0FC1800FFFF0001"
                                            << "40.01[Ω]"
                                            << "-99.9[deg]"
                                            << "1000.0[Hz]";
    QTest::newRow("divisor 0 doubles") << "0000000000FFFF0000"
                                       << "0.00[Ω]"
                                       << "0.1[deg]"
                                       << "2.000[kHz]";
    QTest::newRow("lower case digits") << "0fa07fff0186a00001"
                                       << "40.01[Ω]"
                                       << "3276.8[deg]"
                                       << "1.526[kHz]";
    QTest::newRow("most negative phase") << "00008000000A000001"
                                         << "0.00[Ω]"
                                         << "-3276.8[deg]"
                                         << "39.06[Hz]";
}

void TestGraphView::slotTexts()
{
    QFETCH(QString, slot);
    QFETCH(QString, r);
    QFETCH(QString, theta);
    QFETCH(QString, f);
    char text[kPointSlotSize] = {};
    std::memcpy(text, slot.toLatin1().constData(), size_t(qMin(slot.size(), kPointTextLength)));
    QCOMPARE(formatResistance(text), r);
    QCOMPARE(formatPhase(text), theta);
    QCOMPARE(formatFrequency(text), f);
    QCOMPARE(pointReadoutText(text), "周波数：" + f + " / " + r + " / " + theta);
}

QTEST_MAIN(TestGraphView)
#include "tst_graph_view.moc"
