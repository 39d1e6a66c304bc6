// Curve plotting onto a bitmap: mapping on pixels, pinning, gaps, pens, curve choice.
#include "core/graph/AxisMath.h"
#include "core/graph/CurvePlotter.h"
#include "core/graph/GraphColors.h"
#include "core/graph/PenStyle.h"
#include "core/model/BandTable.h"
#include "core/model/SweepGrid.h"

#include <QtTest>

namespace {

constexpr ColorRef kRef0R = 0x00008000;
constexpr ColorRef kRef4R = 0x0000FFFF;

struct Fixture {
    QImage image{498, 310, QImage::Format_RGB32};
    GraphScale scale;
    Settings colours;
    CurveBlock meas;
    CurveBlock refs[kReferenceSlots];

    explicit Fixture(int band = 1)
    {
        image.fill(Qt::white);
        initGraphScale(scale, band);
        scale.curveShown = &meas;
        for (int k = 0; k < kReferenceSlots; ++k)
            scale.refCurveShown[k] = &refs[k];
        colours.refColorR[0] = kRef0R;
        colours.refColorR[4] = kRef4R;
        meas.valid = 1;
    }
    CurvePlotter plotter() { return CurvePlotter(image, scale, colours); }
};

void setPoint(CurveBlock &c, int i, float f, float r, float theta)
{
    c.freq[i] = f;
    c.r[i] = r;
    c.theta[i] = theta;
}

QColor at(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

QList<int> rowsIn(const QImage &image, int x, ColorRef colour)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (at(image, x, y) == toQColor(colour))
            rows << y;
    return rows;
}

int countOf(const QImage &image, ColorRef colour)
{
    int n = 0;
    const QRgb wanted = toQColor(colour).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF);
    return n;
}

bool allWhite(const QImage &image)
{
    return countOf(image, kBackgroundColor) == image.width() * image.height();
}

} // namespace

class TestGraphPlot : public QObject
{
    Q_OBJECT
private slots:
    void workedMappingOnPixels_data();
    void workedMappingOnPixels();
    void lineEndsOnItsEndPoints();
    void thinAndThickLines();
    void rawOrAveragedFollowsShownPointer();
    void rOnlyDrawsNoPhase();
    void referencesLieOnTop();
    void referenceDrawnOnlyOverItsOwnSlots();
    void plotAllWithoutValidMeasurementDrawsNothing();
    void invalidReferenceIsSkipped();
    void rAboveScaleRunsToTopBorder();
    void phaseBelowScaleRunsToBottomBorder();
    void gapRemovesTwoSegments();
    void zeroFrequencyPointIsSkipped();
    void printPenWidths_data();
    void printPenWidths();
    void liveParts();
    void wholeCurveEqualsSegmentBySegment_data();
    void wholeCurveEqualsSegmentBySegment();
    void unmappableAxisDrawsNothing();
};

void TestGraphPlot::workedMappingOnPixels_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<float>("theta");
    QTest::addColumn<int>("rRow");
    QTest::addColumn<int>("thetaRow");
    QTest::newRow("12.5 ohm, +45 deg") << 12.5f << 45.0f << 155 << 77;
    QTest::newRow("0.005 ohm, -45 deg") << 0.005f << -45.0f << 309 << 232;
    QTest::newRow("7 ohm, 0 deg") << 7.0f << 0.0f << 223 << 155;
}

void TestGraphPlot::workedMappingOnPixels()
{
    QFETCH(float, r);
    QFETCH(float, theta);
    QFETCH(int, rRow);
    QFETCH(int, thetaRow);
    Fixture fx; // band 1 axis, 498 x 310, rMax 25, +-90
    setPoint(fx.meas, 40, 100, r, theta);
    setPoint(fx.meas, 41, 1000, r, theta);
    fx.plotter().plotMeasurement(false, 1);
    for (int x : {116, 200, 282}) {
        QCOMPARE(rowsIn(fx.image, x, fx.colours.colorR), QList<int>{rRow});
        QCOMPARE(rowsIn(fx.image, x, fx.colours.colorTheta), QList<int>{thetaRow});
    }
}

void TestGraphPlot::lineEndsOnItsEndPoints()
{
    Fixture fx;
    setPoint(fx.meas, 40, 100, 12.5f, 0);
    setPoint(fx.meas, 41, 1000, 12.5f, 0);
    fx.plotter().plotMeasurement(true, 1);
    QCOMPARE(at(fx.image, 116, 155), toQColor(fx.colours.colorR));
    QCOMPARE(at(fx.image, 282, 155), toQColor(fx.colours.colorR));
    QCOMPARE(at(fx.image, 115, 155), QColor(Qt::white));
    QCOMPARE(at(fx.image, 283, 155), QColor(Qt::white));
}

void TestGraphPlot::thinAndThickLines()
{
    for (bool wide : {false, true}) {
        Fixture fx;
        setPoint(fx.meas, 40, 100, 12.5f, 45);
        setPoint(fx.meas, 41, 1000, 12.5f, 45);
        fx.plotter().plotMeasurement(false, screenMeasurementPen(wide));
        QCOMPARE(rowsIn(fx.image, 200, fx.colours.colorR).size(), wide ? 2 : 1);
        QCOMPARE(rowsIn(fx.image, 200, fx.colours.colorTheta).size(), wide ? 2 : 1);
    }
}

void TestGraphPlot::rawOrAveragedFollowsShownPointer()
{
    Fixture fx;
    CurveBlock avg;
    avg.valid = 1;
    setPoint(fx.meas, 40, 100, 12.5f, 0);
    setPoint(fx.meas, 41, 1000, 12.5f, 0);
    setPoint(avg, 40, 100, 7.0f, 0);
    setPoint(avg, 41, 1000, 7.0f, 0);
    fx.scale.curveShown = &avg;
    fx.plotter().plotMeasurement(true, 1);
    QCOMPARE(rowsIn(fx.image, 200, fx.colours.colorR), QList<int>{223});
}

void TestGraphPlot::rOnlyDrawsNoPhase()
{
    Fixture fx;
    for (int i = 40; i < 60; ++i) {
        setPoint(fx.meas, i, float(gridFrequencyHz(i)), 5.0f + i % 7, -60.0f + 6 * (i - 40));
        setPoint(fx.refs[2], i, float(gridFrequencyHz(i)), 8.0f, 30.0f);
    }
    fx.refs[2].valid = 1;
    CurvePlotter plotter = fx.plotter();
    plotter.plotAll(true, 2, 1);
    plotter.plotMeasurementPart(true, 19, 1);
    plotter.plotSegment(true, 50, 1);
    QVERIFY(countOf(fx.image, fx.colours.colorR) > 0);
    QVERIFY(countOf(fx.image, fx.colours.refColorR[2]) > 0);
    QCOMPARE(countOf(fx.image, fx.colours.colorTheta), 0);
    QCOMPARE(countOf(fx.image, fx.colours.refColorTheta[2]), 0);
}

void TestGraphPlot::referencesLieOnTop()
{
    Fixture fx;
    for (CurveBlock *c : {&fx.meas, &fx.refs[0], &fx.refs[4]}) {
        setPoint(*c, 40, 100, 12.5f, 0);
        setPoint(*c, 41, 1000, 12.5f, 0);
        c->valid = 1;
    }
    fx.plotter().plotAll(true, 1, 1);
    QCOMPARE(at(fx.image, 200, 155), toQColor(kRef4R)); // slot 4 over slot 0 over the measurement

    Fixture two;
    for (CurveBlock *c : {&two.meas, &two.refs[0]}) {
        setPoint(*c, 40, 100, 12.5f, 0);
        setPoint(*c, 41, 1000, 12.5f, 0);
        c->valid = 1;
    }
    two.plotter().plotAll(true, 2, 1);
    // The thick measurement shows beside the one-pixel reference drawn over it.
    const QList<int> measRows = rowsIn(two.image, 200, two.colours.colorR);
    QCOMPARE(rowsIn(two.image, 200, kRef0R), QList<int>{155});
    QCOMPARE(measRows.size(), 1);
    QVERIFY(!measRows.contains(155));
}

void TestGraphPlot::referenceDrawnOnlyOverItsOwnSlots()
{
    Fixture fx(2); // band 2 axis: 10 Hz .. 100 kHz
    fx.meas.valid = 0;
    CurveBlock &ref = fx.refs[1];
    ref.valid = 1;
    for (int i = bandFirstIndex(3); i <= bandLastIndex(3); ++i)
        setPoint(ref, i, float(gridFrequencyHz(i)), 6.0f, 10.0f);
    fx.plotter().plotReferences(false, 1);
    const int x50 = frequencyAxis(fx.scale).x(50.0, 498);
    int inside = 0;
    for (int y = 0; y < 310; ++y) {
        for (int x = 0; x < 498; ++x) {
            const QColor c = at(fx.image, x, y);
            if (c == toQColor(fx.colours.refColorR[1]) ||
                c == toQColor(fx.colours.refColorTheta[1])) {
                QVERIFY2(x <= x50, qPrintable(QString::number(x)));
                ++inside;
            }
        }
    }
    QVERIFY(inside > 2 * x50); // both lines across 10..50 Hz
}

void TestGraphPlot::plotAllWithoutValidMeasurementDrawsNothing()
{
    Fixture fx;
    fx.meas.valid = 0;
    for (CurveBlock *c : {&fx.meas, &fx.refs[0]}) {
        setPoint(*c, 40, 100, 12.5f, 45);
        setPoint(*c, 41, 1000, 12.5f, 45);
    }
    fx.refs[0].valid = 1;
    fx.plotter().plotAll(false, 1, 1);
    fx.plotter().plotMeasurement(false, 1);
    QVERIFY(allWhite(fx.image));
    fx.plotter().plotReferences(false, 1);
    QCOMPARE(rowsIn(fx.image, 200, kRef0R), QList<int>{155});
}

void TestGraphPlot::invalidReferenceIsSkipped()
{
    Fixture fx;
    setPoint(fx.refs[0], 40, 100, 12.5f, 0);
    setPoint(fx.refs[0], 41, 1000, 12.5f, 0);
    fx.refs[0].valid = 0;
    fx.plotter().plotReferences(false, 1);
    QVERIFY(allWhite(fx.image));
}

void TestGraphPlot::rAboveScaleRunsToTopBorder()
{
    Fixture fx;
    setPoint(fx.meas, 40, 100, 12.5f, 0);
    setPoint(fx.meas, 41, 1000, 30.0f, 0); // above rMax 25: pinned to y = -1
    fx.plotter().plotMeasurement(true, 1);
    QList<int> topRow;
    for (int x = 0; x < 498; ++x)
        if (at(fx.image, x, 0) == toQColor(fx.colours.colorR))
            topRow << x;
    QVERIFY(!topRow.isEmpty());
    QVERIFY(topRow.first() >= 279 && topRow.last() <= 282);
    QCOMPARE(at(fx.image, 116, 155), toQColor(fx.colours.colorR));
}

void TestGraphPlot::phaseBelowScaleRunsToBottomBorder()
{
    Fixture fx;
    setPoint(fx.meas, 40, 100, 1, 0);
    setPoint(fx.meas, 41, 1000, 1, -95); // below -90: pinned to y = H
    fx.plotter().plotMeasurement(false, 1);
    QCOMPARE(at(fx.image, 281, 309), toQColor(fx.colours.colorTheta));
    QCOMPARE(at(fx.image, 116, 155), toQColor(fx.colours.colorTheta));
}

void TestGraphPlot::gapRemovesTwoSegments()
{
    Fixture fx;
    const float freqs[] = {100, 200, 300, 400, 500};
    for (int i = 0; i < 5; ++i)
        setPoint(fx.meas, 40 + i, freqs[i], 12.5f, 0);
    fx.meas.r[42] = -1;
    fx.plotter().plotMeasurement(true, 1);
    const LogAxis axis = frequencyAxis(fx.scale);
    const int x200 = axis.x(200, 498), x400 = axis.x(400, 498);
    for (int x = x200 + 1; x < x400; ++x)
        QCOMPARE(at(fx.image, x, 155), QColor(Qt::white));
    QCOMPARE(at(fx.image, (116 + x200) / 2, 155), toQColor(fx.colours.colorR));
    QCOMPARE(at(fx.image, x400 + 2, 155), toQColor(fx.colours.colorR));
}

void TestGraphPlot::zeroFrequencyPointIsSkipped()
{
    Fixture fx;
    setPoint(fx.meas, 40, 100, 12.5f, 0);
    setPoint(fx.meas, 41, 0, 12.5f, 0); // decodes to no frequency
    setPoint(fx.meas, 42, 1000, 12.5f, 0);
    fx.plotter().plotMeasurement(false, 1);
    QVERIFY(allWhite(fx.image));
}

void TestGraphPlot::printPenWidths_data()
{
    QTest::addColumn<bool>("wide");
    QTest::addColumn<bool>("withReferences");
    QTest::addColumn<int>("measurementRows");
    QTest::addColumn<int>("referenceRows");
    QTest::newRow("alone thin") << false << false << 5 << 0;
    QTest::newRow("alone wide") << true << false << 8 << 0;
    QTest::newRow("with references thin") << false << true << 5 << 2;
    QTest::newRow("with references wide") << true << true << 5 << 2;
}

void TestGraphPlot::printPenWidths()
{
    QFETCH(bool, wide);
    QFETCH(bool, withReferences);
    QFETCH(int, measurementRows);
    QFETCH(int, referenceRows);
    Fixture fx;
    fx.image = QImage(1000, 750, QImage::Format_RGB888);
    fx.image.fill(Qt::white);
    setPoint(fx.meas, 40, 100, 12.5f, 0);
    setPoint(fx.meas, 41, 1000, 12.5f, 0);
    setPoint(fx.refs[0], 40, 100, 5.0f, 0);
    setPoint(fx.refs[0], 41, 1000, 5.0f, 0);
    fx.refs[0].valid = 1;
    const int pen = printMeasurementPen(wide, withReferences);
    if (withReferences)
        fx.plotter().plotAll(true, pen, kPrintReferencePen);
    else
        fx.plotter().plotMeasurement(true, pen);
    QCOMPARE(rowsIn(fx.image, 400, fx.colours.colorR).size(), measurementRows);
    QCOMPARE(rowsIn(fx.image, 400, kRef0R).size(), referenceRows);
}

void TestGraphPlot::liveParts()
{
    Fixture fx;
    fx.meas.valid = 0; // a run fills the block while it is still invalid
    const float freqs[] = {100, 200, 300, 400, 500};
    for (int i = 0; i < 5; ++i)
        setPoint(fx.meas, 40 + i, freqs[i], 12.5f, 0);
    const LogAxis axis = frequencyAxis(fx.scale);
    auto drawnAt = [&](float f) {
        return at(fx.image, axis.x(f, 498), 155) == toQColor(fx.colours.colorR);
    };

    fx.plotter().plotMeasurementPart(true, 0, 1);
    QVERIFY(allWhite(fx.image));
    fx.plotter().plotMeasurementPart(true, 2, 1); // segments 40-41 and 41-42
    QVERIFY(drawnAt(150) && drawnAt(250));
    QVERIFY(!drawnAt(350) && !drawnAt(450));

    fx.image.fill(Qt::white);
    fx.plotter().plotSegment(true, 0, 1);
    QVERIFY(allWhite(fx.image));
    fx.plotter().plotSegment(true, 43, 1); // only 42-43
    QVERIFY(drawnAt(350));
    QVERIFY(!drawnAt(150) && !drawnAt(250) && !drawnAt(450));
}

void TestGraphPlot::wholeCurveEqualsSegmentBySegment_data()
{
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<int>("band");
    for (int band : {1, 4})
        for (int pen : {1, 2, 3})
            QTest::addRow("band %d, pen %d", band, pen) << pen << band;
}

// A whole curve is drawn in batches; where R and phase cross again and again, every pixel
// must still be the colour the segment-by-segment order of a run leaves.
void TestGraphPlot::wholeCurveEqualsSegmentBySegment()
{
    QFETCH(int, penWidth);
    QFETCH(int, band);
    Fixture whole(band), single(band);
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const float f = float(gridFrequencyHz(i));
        const float r = 12.5f + 11.0f * std::sin(0.37f * float(i));
        const float theta = 80.0f * std::cos(0.23f * float(i));
        setPoint(whole.meas, i, f, r, theta);
        setPoint(single.meas, i, f, r, theta);
    }
    whole.meas.r[bandFirstIndex(band) + 50] = -1; // a gap too
    single.meas.r[bandFirstIndex(band) + 50] = -1;
    whole.plotter().plotMeasurement(false, penWidth);
    // A run repaints only the rectangle a segment returns: nothing may change outside it.
    for (int i = bandFirstIndex(band) + 1; i <= bandLastIndex(band); ++i) {
        QImage before = single.image.copy();
        const QRect drawn = single.plotter().plotSegment(false, i, penWidth);
        QImage after = single.image.copy();
        QPainter(&before).fillRect(drawn, Qt::black);
        QPainter(&after).fillRect(drawn, Qt::black);
        QVERIFY2(before == after, qPrintable(QStringLiteral("segment %1").arg(i)));
    }
    QVERIFY(countOf(whole.image, whole.colours.colorR) > 0);
    QVERIFY(countOf(whole.image, whole.colours.colorTheta) > 0);
    QCOMPARE(whole.image, single.image);
}

void TestGraphPlot::unmappableAxisDrawsNothing()
{
    Fixture fx;
    fx.scale.fStartHz = fx.scale.fEndHz = 100000;
    setPoint(fx.meas, 40, 100, 12.5f, 0);
    setPoint(fx.meas, 41, 1000, 12.5f, 0);
    fx.plotter().plotMeasurement(false, 1);
    QVERIFY(allWhite(fx.image));
}

QTEST_MAIN(TestGraphPlot)
#include "tst_graph_plot.moc"
