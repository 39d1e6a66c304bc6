// Axis maths: axis ends, grid walk, mapping, tick texts and label positions.
#include "core/graph/AxisLabelLayout.h"
#include "core/graph/AxisLabels.h"
#include "core/graph/AxisMath.h"
#include "core/graph/GraphColors.h"
#include "core/graph/GridPainter.h"
#include "core/model/BandTable.h"

#include <QtTest>

namespace {

GraphScale bandScale(int band)
{
    GraphScale scale;
    initGraphScale(scale, band);
    return scale;
}

QStringList tickTexts(const QVector<FrequencyTick> &ticks)
{
    QStringList texts;
    for (const FrequencyTick &t : ticks)
        texts << t.text;
    return texts;
}

LabelSizes uniformSizes(QSize size)
{
    LabelSizes sizes;
    sizes.fill(size);
    return sizes;
}

} // namespace

class TestGraphCore : public QObject
{
    Q_OBJECT
private slots:
    void colourConversion();
    void axisStart_data();
    void axisStart();
    void axisEnd_data();
    void axisEnd();
    void axisEndsOfEveryBandAreItsLimits();
    void gridWalkFromADecade();
    void gridWalk_data();
    void gridWalk();
    void decade_data();
    void decade();
    void frequencyLabels_data();
    void frequencyLabels();
    void frequencyLabelPositionsBand1();
    void equalAxisEndsPlaceNothing();
    void verticalGridBand5();
    void verticalGridBand2();
    void horizontalGrid();
    void workedMapping_data();
    void workedMapping();
    void pinnedValues_data();
    void pinnedValues();
    void rTicks_data();
    void rTicks();
    void thetaTickText_data();
    void thetaTickText();
    void thetaTicks_data();
    void thetaTicks();
    void screenLabelPositions();
    void labelLayout_data();
    void labelLayout();
    void printRPositions();
    void labelColours();
    void printThetaPositions();
    void printFrequencyPositions();
    void printFrequencyPositionsUnmappable();
};

void TestGraphCore::colourConversion()
{
    QCOMPARE(toQColor(0x00FF0000), QColor(0, 0, 255));
    QCOMPARE(toQColor(0x000000FF), QColor(255, 0, 0));
    QCOMPARE(toQColor(0x00808000), QColor(0, 128, 128));
    QCOMPARE(toQColor(0x00800080), QColor(128, 0, 128));
    QCOMPARE(toQColor(0x00123456), QColor(0x56, 0x34, 0x12));
}

void TestGraphCore::axisStart_data()
{
    QTest::addColumn<float>("f");
    QTest::addColumn<int>("expected");
    QTest::newRow("below 10") << 9.99f << 5;
    QTest::newRow("zero") << 0.0f << 5;
    QTest::newRow("10") << 10.0f << 10;
    QTest::newRow("14") << 14.0f << 10;
    QTest::newRow("250") << 250.0f << 250;
    QTest::newRow("260") << 260.0f << 250;
    QTest::newRow("850 has 800") << 850.0f << 800;
    QTest::newRow("9500 has 9000") << 9500.0f << 9000;
    QTest::newRow("8500 has 8000") << 8500.0f << 8000;
    QTest::newRow("25000 lacks 25000") << 25000.0f << 20000;
    QTest::newRow("above all") << 200000.0f << 100000;
}

void TestGraphCore::axisStart()
{
    QFETCH(float, f);
    QFETCH(int, expected);
    QCOMPARE(axisStartHz(f), expected);
}

void TestGraphCore::axisEnd_data()
{
    QTest::addColumn<float>("f");
    QTest::addColumn<int>("expected");
    QTest::newRow("tiny") << 1.0f << 50;
    QTest::newRow("50") << 50.0f << 50;
    QTest::newRow("51") << 51.0f << 70;
    QTest::newRow("800 lacks 800") << 800.0f << 1000;
    QTest::newRow("12000 has 15000") << 12000.0f << 15000;
    QTest::newRow("25000 has 25000") << 25000.0f << 25000;
    QTest::newRow("26000 has 30000") << 26000.0f << 30000;
    QTest::newRow("50000") << 50000.0f << 50000;
    QTest::newRow("above 50000") << 50001.0f << 100000;
}

void TestGraphCore::axisEnd()
{
    QFETCH(float, f);
    QFETCH(int, expected);
    QCOMPARE(axisEndHz(f), expected);
}

void TestGraphCore::axisEndsOfEveryBandAreItsLimits()
{
    for (int band = 1; band <= kBandCount; ++band) {
        QCOMPARE(axisStartHz(float(bandStartHz(band))), bandStartHz(band));
        QCOMPARE(axisEndHz(float(bandEndHz(band))), bandEndHz(band));
    }
}

void TestGraphCore::gridWalkFromADecade()
{
    QList<double> walk;
    double g = 10;
    while (g < 1000) {
        g = nextGridHz(g);
        walk << g;
    }
    const QList<double> expected = {15,  20,  30,  40,  50,  60,  70,  80,  90,  100,
                                    150, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    QCOMPARE(walk, expected);
}

void TestGraphCore::gridWalk_data()
{
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("next");
    QTest::newRow("250") << 250.0 << 300.0;
    QTest::newRow("15") << 15.0 << 20.0;
    QTest::newRow("90") << 90.0 << 100.0;
    QTest::newRow("95") << 95.0 << 100.0;
    QTest::newRow("100 leaves the decade") << 100.0 << 150.0;
    QTest::newRow("1000 leaves the decade") << 1000.0 << 1500.0;
    QTest::newRow("10000") << 10000.0 << 15000.0;
    QTest::newRow("90000") << 90000.0 << 100000.0;
    QTest::newRow("100000") << 100000.0 << 150000.0;
    QTest::newRow("5") << 5.0 << 6.0;
}

void TestGraphCore::gridWalk()
{
    QFETCH(double, f);
    QFETCH(double, next);
    QCOMPARE(nextGridHz(f), next);
}

void TestGraphCore::decade_data()
{
    QTest::addColumn<double>("f");
    QTest::addColumn<bool>("decade");
    QTest::newRow("1") << 1.0 << true;
    QTest::newRow("10") << 10.0 << true;
    QTest::newRow("100") << 100.0 << true;
    QTest::newRow("1000") << 1000.0 << true;
    QTest::newRow("10000") << 10000.0 << true;
    QTest::newRow("100000") << 100000.0 << true;
    QTest::newRow("1000000") << 1000000.0 << true;
    QTest::newRow("20") << 20.0 << false;
    QTest::newRow("150") << 150.0 << false;
    QTest::newRow("just below 1000") << 999.9999 << false;
    QTest::newRow("just above 100") << 100.00001 << false;
    QTest::newRow("0") << 0.0 << false;
}

void TestGraphCore::decade()
{
    QFETCH(double, f);
    QFETCH(bool, decade);
    QCOMPARE(isDecade(f), decade);
}

void TestGraphCore::frequencyLabels_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("1") << 1 << QStringList{"20", "30", "100", "300", "1k", "3k", "10k", "20k"};
    QTest::newRow("2") << 2
                       << QStringList{"10", "30", "100", "300", "1k", "3k", "10k", "30k", "100k"};
    QTest::newRow("3") << 3 << QStringList{"10", "20", "30", "50"};
    QTest::newRow("4") << 4 << QStringList{"20", "30", "50", "100", "200"};
    QTest::newRow("5") << 5 << QStringList{"300", "500", "1k", "2k"};
    QTest::newRow("6") << 6 << QStringList{"2k", "3k", "5k", "10k", "20k"};
    QTest::newRow("7") << 7 << QStringList{"10k", "20k", "30k", "50k", "100k"};
    QTest::newRow("8") << 8
                       << QStringList{"1k", "2k", "3k", "5k", "10k", "20k", "30k", "50k", "100k"};
    QTest::newRow("9") << 9 << QStringList{"10", "20", "30", "50", "100", "200", "300", "500"};
}

void TestGraphCore::frequencyLabels()
{
    QFETCH(int, band);
    QFETCH(QStringList, texts);
    const auto ticks = frequencyTicks(bandScale(band), 498);
    QVERIFY(ticks.has_value());
    QCOMPARE(tickTexts(*ticks), texts);
}

void TestGraphCore::frequencyLabelPositionsBand1()
{
    const auto ticks = frequencyTicks(bandScale(1), 498);
    QVERIFY(ticks.has_value());
    QCOMPARE(ticks->at(0).x, 0);   // 20 Hz, the left edge
    QCOMPARE(ticks->at(2).x, 116); // 100 Hz
    QCOMPARE(ticks->at(4).x, 282); // 1 kHz
    // 20 kHz maps just short of the right edge: the log ends are single-precision floats and
    // the product is truncated.
    QCOMPARE(ticks->at(7).x, 497);
}

void TestGraphCore::equalAxisEndsPlaceNothing()
{
    GraphScale scale = bandScale(2);
    scale.fStartHz = 100000;
    scale.fEndHz = 100000;
    QVERIFY(!frequencyTicks(scale, 498).has_value());
    QVERIFY(frequencyGridLines(scale, 498).isEmpty());
}

void TestGraphCore::verticalGridBand5()
{
    const QVector<GridLine> lines = frequencyGridLines(bandScale(5), 498);
    // 300, 400, 500, 600, 700, 800, 900, 1000 (decade) and 1500 Hz.
    const QList<int> xs = {43, 112, 166, 209, 246, 278, 306, 332, 429};
    QCOMPARE(lines.size(), xs.size());
    for (int i = 0; i < lines.size(); ++i) {
        QCOMPARE(lines[i].position, xs[i]);
        QCOMPARE(lines[i].strong, i == 7);
    }
}

void TestGraphCore::verticalGridBand2()
{
    const QVector<GridLine> lines = frequencyGridLines(bandScale(2), 498);
    QCOMPARE(lines.size(), 39);
    QList<int> strong;
    for (const GridLine &l : lines)
        if (l.strong)
            strong << l.position;
    QCOMPARE(strong, (QList<int>{124, 249, 373})); // 100 Hz, 1 kHz, 10 kHz
    QVERIFY(lines.last().position < 498);
}

void TestGraphCore::horizontalGrid()
{
    const QVector<GridLine> lines = levelGridLines(310);
    QCOMPARE(lines.size(), 9);
    const QList<int> ys = {31, 62, 93, 124, 155, 186, 217, 248, 279};
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(lines[i].position, ys[i]);
        QCOMPARE(lines[i].strong, i == 4);
    }
}

void TestGraphCore::workedMapping_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("x 100 Hz") << "x" << 100.0 << 116;
    QTest::newRow("x 1 kHz") << "x" << 1000.0 << 282;
    QTest::newRow("x 20 Hz") << "x" << 20.0 << 0;
    QTest::newRow("x 20 kHz") << "x" << 20000.0 << 497;
    QTest::newRow("x 10 Hz truncated toward zero") << "x" << 10.0 << -49;
    QTest::newRow("R 12.5") << "r" << 12.5 << 155;
    QTest::newRow("R 0.005") << "r" << 0.005 << 309;
    QTest::newRow("R 25") << "r" << 25.0 << 0;
    QTest::newRow("theta +45") << "t" << 45.0 << 77;
    QTest::newRow("theta 0") << "t" << 0.0 << 155;
    QTest::newRow("theta -45") << "t" << -45.0 << 232;
}

void TestGraphCore::workedMapping()
{
    QFETCH(QString, what);
    QFETCH(double, value);
    QFETCH(int, expected);
    const GraphScale scale = bandScale(1);
    if (what == "x")
        QCOMPARE(frequencyAxis(scale).x(value, 498), expected);
    else if (what == "r")
        QCOMPARE(mapR(float(value), 25.0f, 310), expected);
    else
        QCOMPARE(mapTheta(float(value), -90.0f, 90.0f, 310, SegmentEnd::Start), expected);
}

void TestGraphCore::pinnedValues_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<float>("value");
    QTest::addColumn<bool>("atEnd");
    QTest::addColumn<int>("expected");
    QTest::newRow("R above rMax") << "r" << 30.0f << false << -1;
    QTest::newRow("R 25.0001 above rMax") << "r" << 25.0001f << false << -1;
    QTest::newRow("theta below min") << "t" << -95.0f << false << 310;
    QTest::newRow("theta below min at end") << "t" << -95.0f << true << 310;
    QTest::newRow("theta = min at start") << "t" << -90.0f << false << 310;
    QTest::newRow("theta = min at end") << "t" << -90.0f << true << 310;
    QTest::newRow("theta = max at start") << "t" << 90.0f << false << -1;
    QTest::newRow("theta = max at end") << "t" << 90.0f << true << 0;
    QTest::newRow("theta above max at end") << "t" << 90.5f << true << -1;
}

void TestGraphCore::pinnedValues()
{
    QFETCH(QString, what);
    QFETCH(float, value);
    QFETCH(bool, atEnd);
    QFETCH(int, expected);
    if (what == "r")
        QCOMPARE(mapR(value, 25.0f, 310), expected);
    else
        QCOMPARE(mapTheta(value, -90.0f, 90.0f, 310, atEnd ? SegmentEnd::End : SegmentEnd::Start),
                 expected);
}

void TestGraphCore::rTicks_data()
{
    QTest::addColumn<float>("rMax");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("25") << 25.0f << QStringList{"25.0", "22.5", "20.0", "17.5", "15.0", "12.5",
                                                "10.0", "7.5",  "5.0",  "2.5",  "0.0"};
    QTest::newRow("120") << 120.0f << QStringList{"120.0", "108.0", "96.0", "84.0", "72.0", "60.0",
                                                  "48.0",  "36.0",  "24.0", "12.0", "0.0"};
    QTest::newRow("15") << 15.0f << QStringList{"15.0", "13.5", "12.0", "10.5", "9.0", "7.5",
                                                "6.0",  "4.5",  "3.0",  "1.5",  "0.0"};
}

void TestGraphCore::rTicks()
{
    QFETCH(float, rMax);
    QFETCH(QStringList, texts);
    QStringList actual;
    for (int i = 0; i < kLevelTicks; ++i)
        actual << rTickText(rMax, i);
    QCOMPARE(actual, texts);
}

void TestGraphCore::thetaTickText_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<QString>("text");
    QTest::newRow("90") << 90 << "+ 90";
    QTest::newRow("0") << 0 << "+  0";
    QTest::newRow("-45") << -45 << "- 45";
    QTest::newRow("180") << 180 << "+180";
    QTest::newRow("-9") << -9 << "-  9";
    QTest::newRow("-180") << -180 << "-180";
}

void TestGraphCore::thetaTickText()
{
    QFETCH(int, v);
    QFETCH(QString, text);
    QCOMPARE(formatThetaTick(v), text);
}

void TestGraphCore::thetaTicks_data()
{
    QTest::addColumn<float>("thetaMax");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("45") << 45.0f << QList<int>{45, 36, 27, 18, 9, 0, -9, -18, -27, -36, -45};
    QTest::newRow("90") << 90.0f << QList<int>{90, 72, 54, 36, 18, 0, -18, -36, -54, -72, -90};
    QTest::newRow("180") << 180.0f
                         << QList<int>{180, 144, 108, 72, 36, 0, -36, -72, -108, -144, -180};
}

void TestGraphCore::thetaTicks()
{
    QFETCH(float, thetaMax);
    QFETCH(QList<int>, values);
    for (int i = 0; i < kLevelTicks; ++i) {
        const int v = thetaTickValue(-thetaMax, thetaMax, i);
        QCOMPARE(v, values[i]);
        QCOMPARE(formatThetaTick(v).size(), 4);
    }
}

void TestGraphCore::screenLabelPositions()
{
    // Box at (64, 24), 500 x 312, bitmap height 310; a 30 x 12 label, a 25 x 13 unit label.
    const QSize tick(30, 12);
    const QSize unit(25, 13);
    QCOMPARE(frequencyTickPosition(64, 336, 116, tick), QPoint(64 + 116 - 15 + 2, 341));
    QCOMPARE(frequencyTickPosition(64, 336, 0, QSize(13, 12)), QPoint(64 - 6 + 2, 341));
    QCOMPARE(frequencyUnitPosition(564, 336, unit), QPoint(564 - 12, 336 + 5 + 13));
    QCOMPARE(rTickPosition(24, 64, 310, 0, tick), QPoint(29, 24 - 6 + 2));
    QCOMPARE(rTickPosition(24, 64, 310, 5, tick), QPoint(29, 24 + 155 - 6 + 2));
    QCOMPARE(rTickPosition(24, 64, 310, 3, QSize(30, 13)), QPoint(29, 24 + 93 - 6 + 2));
    QCOMPARE(rUnitPosition(24, 64, unit), QPoint(64, 24 - 13 - 2));
    QCOMPARE(thetaTickPosition(24, 564, 310, 10, tick), QPoint(569, 24 + 310 - 6 + 2));
    QCOMPARE(thetaUnitPosition(24, 564, unit), QPoint(564 - 25 - 5, 24 - 13 - 2));
}

void TestGraphCore::labelLayout_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<bool>("rOnly");
    QTest::addColumn<float>("fEnd"); // 0: the band's own end
    QTest::addColumn<int>("freqTicks");
    QTest::newRow("band 1") << 1 << false << 0.0f << 8;
    QTest::newRow("band 3, R only") << 3 << true << 0.0f << 4;
    QTest::newRow("unmappable axis") << 2 << false << 100000.0f << -1;
}

void TestGraphCore::labelLayout()
{
    QFETCH(int, band);
    QFETCH(bool, rOnly);
    QFETCH(float, fEnd);
    QFETCH(int, freqTicks);
    GraphScale scale = bandScale(band);
    if (fEnd > 0)
        scale.fStartHz = scale.fEndHz = fEnd;
    // The window's box: (64, 24), 500 x 312 with its frame, a 498 x 310 bitmap inside.
    const QRect box(64, 24, 500, 312);
    const QFont font(QStringLiteral("IPAPGothic"));
    const AxisLabelLayout layout = layoutAxisLabels(scale, box, QSize(498, 310), rOnly, font);
    auto expectShown = [&](int entry, const QString &text, QPoint position) {
        const AxisLabelPlacement &label = layout[size_t(entry)];
        QCOMPARE(label.action, AxisLabelAction::Show);
        QCOMPARE(label.text, text);
        QCOMPARE(label.rect.size(), axisLabelSize(font, text));
        QCOMPARE(label.rect.topLeft(), position);
    };
    for (int i = 0; i < kLevelTicks; ++i) {
        const QString text = rTickText(scale.rMax, i);
        expectShown(kRTickFirst + i, text,
                    rTickPosition(24, 64, 310, i, axisLabelSize(font, text)));
    }
    expectShown(kRUnitLabel, rUnitText(), rUnitPosition(24, 64, axisLabelSize(font, rUnitText())));
    for (int entry = kThetaTickFirst; entry <= kThetaUnitLabel; ++entry)
        QCOMPARE(layout[size_t(entry)].action == AxisLabelAction::Hide, rOnly);
    if (!rOnly)
        expectShown(
            kThetaTickFirst, QStringLiteral("+ 90"),
            thetaTickPosition(24, 564, 310, 0, axisLabelSize(font, QStringLiteral("+ 90"))));
    if (freqTicks < 0) {
        // Nothing may be placed, so the frequency labels keep what they show.
        for (int entry = kFreqTickFirst; entry <= kFreqUnitLabel; ++entry)
            QCOMPARE(layout[size_t(entry)].action, AxisLabelAction::Keep);
        return;
    }
    const auto ticks = frequencyTicks(scale, 498);
    QCOMPARE(ticks->size(), freqTicks);
    for (int k = 0; k < kFreqTickSlots; ++k) {
        if (k < freqTicks) {
            const FrequencyTick &tick = ticks->at(k);
            expectShown(kFreqTickFirst + k, tick.text,
                        frequencyTickPosition(64, 336, tick.x, axisLabelSize(font, tick.text)));
        } else {
            QCOMPARE(layout[size_t(kFreqTickFirst + k)].action, AxisLabelAction::Clear);
        }
    }
    expectShown(kFreqUnitLabel, frequencyUnitText(),
                frequencyUnitPosition(564, 336, axisLabelSize(font, frequencyUnitText())));
}

void TestGraphCore::printRPositions()
{
    // The page of the 600 dpi example: plot (590, 472), 3780 x 3130, scale 6.25, text 56.
    LabelSizes sizes = uniformSizes(QSize(25, 12));
    sizes[kRTickFirst + 10] = QSize(19, 12);
    int xs[12], ys[12];
    std::fill(xs, xs + 12, -1);
    printRLabelPositions(sizes, xs, ys, 590, 472, 3130, 6.25f, 56);
    QCOMPARE(xs[0], 371); // 590 - 156.25 - 62.5
    QCOMPARE(ys[0], 472 - 28);
    QCOMPARE(ys[5], 472 + 1565 - 28);
    QCOMPARE(xs[10], 408); // 590 - 118.75 - 62.5
    QCOMPARE(ys[10], 472 + 3130 - 28);
    QCOMPARE(xs[11], 590);
    QCOMPARE(ys[11], 384); // 472 - 75 - 12.5
}

void TestGraphCore::printThetaPositions()
{
    const LabelSizes sizes = uniformSizes(QSize(31, 12));
    int xs[12], ys[12];
    printThetaLabelPositions(sizes, xs, ys, 4370, 472, 3130, 6.25f, 56);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(xs[i], 4432); // 4370 + 62.5
        QCOMPARE(ys[i], 472 + 3130 * i / 10 - 28);
    }
    QCOMPARE(xs[11], 4145); // 4370 - 193.75 - 31.25
    QCOMPARE(ys[11], 384);
}

void TestGraphCore::printFrequencyPositions()
{
    const LabelSizes sizes = uniformSizes(QSize(20, 12));
    int xs[11], ys[11];
    std::fill(xs, xs + 11, -1);
    std::fill(ys, ys + 11, -1);
    printFrequencyLabelPositions(sizes, bandScale(2), xs, ys, 590, 3602, 3780, 6.25f, 56);
    // Nine labels on band 2: 10 Hz at the left edge, 100 kHz at the right one.
    QCOMPARE(xs[0], 527);  // 590 + 0 - 62.5
    QCOMPARE(xs[2], 1472); // 100 Hz at 3780 / 4: 590 + 945 - 62.5
    QCOMPARE(xs[8], 4307); // 4370 - 62.5
    for (int k = 0; k < 9; ++k)
        QCOMPARE(ys[k], 3633); // 3602 + 31.25
    QCOMPARE(xs[9], -1);
    QCOMPARE(ys[9], -1);
    QCOMPARE(xs[10], 4307);
    QCOMPARE(ys[10], 3720); // 3602 + 56 + 62.5
}

void TestGraphCore::printFrequencyPositionsUnmappable()
{
    GraphScale scale = bandScale(2);
    scale.fStartHz = scale.fEndHz = 100000;
    int xs[11], ys[11];
    std::fill(xs, xs + 11, -1);
    std::fill(ys, ys + 11, -1);
    printFrequencyLabelPositions(uniformSizes(QSize(20, 12)), scale, xs, ys, 590, 3602, 3780, 6.25f,
                                 56);
    for (int k = 0; k < 11; ++k) {
        QCOMPARE(xs[k], -1);
        QCOMPARE(ys[k], -1);
    }
}

void TestGraphCore::labelColours()
{
    // R ticks and "[Ω]" in the R colour, phase ticks and "[deg]" in the phase colour, the
    // frequency labels left to the window's text colour.
    Settings s;
    s.colorR = 0x00123456;
    s.colorTheta = 0x00654321;
    for (int entry = 0; entry < kAxisLabelCount; ++entry) {
        const auto colour = axisLabelColor(s, entry);
        if (entry <= kRUnitLabel)
            QCOMPARE(colour, std::optional<ColorRef>(0x00123456));
        else if (entry <= kThetaUnitLabel)
            QCOMPARE(colour, std::optional<ColorRef>(0x00654321));
        else
            QVERIFY(!colour);
    }
}

QTEST_MAIN(TestGraphCore)
#include "tst_graph_axes.moc"
