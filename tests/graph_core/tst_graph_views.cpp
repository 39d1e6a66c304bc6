// The graph views: their names, the frame maths, the Nyquist marks and nearest point, and what
// each view refuses.
#include "core/graph/GraphPicture.h"
#include "core/graph/ViewFrame.h"
#include "core/graph/ViewPicture.h"
#include "core/graph/ViewSeries.h"
#include "core/model/BandTable.h"
#include "core/model/SweepGrid.h"

#include <QtTest>
#include <cmath>
#include <complex>
#include <memory>

namespace {

// A driver without coil inductance: a circle in the complex plane.
void fillDriver(CurveBlock &c, int band, double re = 6.0, double fs = 50.0)
{
    clearCurve(c);
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const double f = gridFrequencyHz(i);
        const std::complex<double> z =
            re + re * 10.0 / (1.0 + std::complex<double>(0, 4.0) * (f / fs - fs / f));
        c.freq[i] = float(f);
        c.r[i] = float(std::abs(z));
        c.theta[i] = float(std::arg(z) * 180.0 / M_PI);
    }
    c.valid = 1;
}

} // namespace

class TestGraphViews : public QObject
{
    Q_OBJECT
private slots:
    void viewNames();
    void niceSteps_data();
    void niceSteps();
    void tickTexts_data();
    void tickTexts();
    void nyquistKeepsEqualScales_data();
    void nyquistKeepsEqualScales();
    void pixelsMapBackToData();
    void nearestNyquistPoint();
    void frequencyMarksAtDecadesAndOctaves();
    void refusals_data();
    void refusals();
    void classicChartUnchanged();
    void curveAgainstItselfOnTheZeroLine();
    void otherBandCountedNotDrawn();
    void zoomSetsTheRanges();
    void legendTellsReferencesApart();
};

void TestGraphViews::viewNames()
{
    QCOMPARE(graphViewNames(), QStringList({"zphase", "rx", "nyquist", "diff", "ratio"}));
    for (const QString &name : graphViewNames())
        QCOMPARE(graphViewName(*graphViewFromName(name)), name);
    QVERIFY(!graphViewFromName(QStringLiteral("Nyquist")));
    QVERIFY(ViewOptions().isClassic());
    ViewOptions legend;
    legend.legend = true;
    QVERIFY(!legend.isClassic());
}

void TestGraphViews::niceSteps_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("next");
    QTest::newRow("exact 1") << 1.0 << 1.0 << 2.0;
    QTest::newRow("2.1") << 2.1 << 2.5 << 5.0;
    QTest::newRow("0.3") << 0.3 << 0.5 << 1.0;
    QTest::newRow("7") << 7.0 << 10.0 << 20.0;
    QTest::newRow("2.5k") << 2500.0 << 2500.0 << 5000.0;
}

void TestGraphViews::niceSteps()
{
    QFETCH(double, v);
    QFETCH(double, step);
    QFETCH(double, next);
    QCOMPARE(niceStep(v), step);
    QCOMPARE(nextNiceStep(step), next);
}

void TestGraphViews::tickTexts_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<double>("step");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << -10.0 << 5.0 << "-10";
    QTest::newRow("quarter") << 7.5 << 2.5 << "7.5";
    QTest::newRow("hundredths") << 0.05 << 0.05 << "0.05";
    QTest::newRow("negative zero") << -1e-12 << 0.5 << "0.0";
}

void TestGraphViews::tickTexts()
{
    QFETCH(double, v);
    QFETCH(double, step);
    QFETCH(QString, text);
    QCOMPARE(viewTickText(v, step), text);
}

void TestGraphViews::nyquistKeepsEqualScales_data()
{
    QTest::addColumn<QSize>("plot");
    QTest::addColumn<QRectF>("data"); // R from left to right, X from top to bottom
    QTest::newRow("design box, circle") << QSize(498, 310) << QRectF(6, -27, 54, 54);
    QTest::newRow("tall box") << QSize(200, 600) << QRectF(0, -3, 40, 6);
    QTest::newRow("inductive tail") << QSize(498, 310) << QRectF(5, -12, 20, 40);
    QTest::newRow("one point") << QSize(300, 300) << QRectF(8, 0, 0, 0);
}

void TestGraphViews::nyquistKeepsEqualScales()
{
    QFETCH(QSize, plot);
    QFETCH(QRectF, data);
    ViewFrame frame;
    frame.plot = plot;
    const double step = nyquistFrame(frame, data.left(), data.right(), data.top(), data.bottom());
    // Ohms per pixel the same both ways, ten level bands of the step.
    QCOMPARE((frame.x.hi - frame.x.lo) / plot.width(),
             (frame.left.hi - frame.left.lo) / plot.height());
    QCOMPARE(frame.left.hi - frame.left.lo, 10 * step);
    QVERIFY(frame.x.lo <= data.left() && frame.x.hi >= data.right());
    QVERIFY(frame.left.lo <= data.top() && frame.left.hi >= data.bottom());
    // A circle keeps its shape: equal ohms give equal pixels.
    QCOMPARE(frame.xPixel(frame.x.lo + 5 * step) - frame.xPixel(frame.x.lo),
             frame.leftPixel(frame.left.lo) - frame.leftPixel(frame.left.lo + 5 * step));
    QVERIFY(!frame.hasRight);
}

void TestGraphViews::pixelsMapBackToData()
{
    ViewFrame frame;
    frame.plot = QSize(498, 310);
    frame.x = {10.0, 100000.0, true};
    frame.left = {0.0, 50.0, false};
    frame.right = {-25.0, 25.0, false};
    QCOMPARE(frame.xPixel(1000.0), 249);
    QCOMPARE(frame.leftPixel(25.0), 155);
    QCOMPARE(frame.rightPixel(0.0), 155);
    QVERIFY(std::abs(frame.xAt(249) / 1000.0 - 1.0) < 0.01);
    QCOMPARE(frame.leftAt(155), 25.0);
    QCOMPARE(frame.rightAt(155), 0.0);
    QCOMPARE(frame.leftTick(0), 50.0);
    QCOMPARE(frame.rightTick(10), -25.0);
}

void TestGraphViews::nearestNyquistPoint()
{
    auto curve = std::make_unique<CurveBlock>();
    fillDriver(*curve, 2);
    ViewFrame frame;
    frame.plot = QSize(498, 310);
    nyquistFrame(frame, 0, 70, -30, 30);
    for (int j : {bandFirstIndex(2), 120, bandLastIndex(2)}) {
        const QPoint p(frame.xPixel(pointR(*curve, j)), frame.leftPixel(pointX(*curve, j)));
        const int found = ::nearestNyquistPoint(frame, *curve, 2, p);
        QCOMPARE(frame.xPixel(pointR(*curve, found)), p.x());
        QCOMPARE(frame.leftPixel(pointX(*curve, found)), p.y());
    }
    // The top of the circle is at resonance (the largest R).
    const QPoint atResonance(frame.xPixel(66.0), frame.leftPixel(0.0));
    QVERIFY(std::abs(curve->freq[::nearestNyquistPoint(frame, *curve, 2, atResonance)] - 50) < 2);
    clearCurve(*curve);
    QCOMPARE(::nearestNyquistPoint(frame, *curve, 2, atResonance), -1);
}

void TestGraphViews::frequencyMarksAtDecadesAndOctaves()
{
    auto curve = std::make_unique<CurveBlock>();
    fillDriver(*curve, 2);
    const QVector<FrequencyMark> marks =
        frequencyMarks(*curve, bandFirstIndex(2), bandLastIndex(2));
    QVector<double> hz;
    for (const FrequencyMark &m : marks)
        hz << m.hz;
    // Band 2: 10 Hz to 100 kHz.
    QCOMPARE(hz.size(), 4 * 4 + 1);
    QCOMPARE(hz.mid(0, 5), QVector<double>({10, 20, 40, 80, 100}));
    QCOMPARE(hz.back(), 100000.0);
    QCOMPARE(marks.front().decade, true);
    QCOMPARE(marks[1].decade, false);
    // The mark lies on the curve: at 10 Hz exactly the grid point.
    QCOMPARE(marks.front().r, pointR(*curve, bandFirstIndex(2)));
}

void TestGraphViews::refusals_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<bool>("measuredPhase");
    QTest::addColumn<bool>("referencePhase");
    QTest::addColumn<bool>("reference");
    QTest::addColumn<int>("refusal");
    const int none = int(ViewRefusal::None), noPhase = int(ViewRefusal::NoPhase),
              noRef = int(ViewRefusal::NoReference);
    QTest::newRow("rx") << int(GraphView::RX) << true << true << false << none;
    QTest::newRow("rx without phase") << int(GraphView::RX) << false << true << false << noPhase;
    QTest::newRow("nyquist without phase")
        << int(GraphView::Nyquist) << false << true << false << noPhase;
    QTest::newRow("diff without phase") << int(GraphView::Diff) << false << false << true << none;
    QTest::newRow("ratio, reference without phase")
        << int(GraphView::Ratio) << true << false << true << noPhase;
    QTest::newRow("ratio without reference")
        << int(GraphView::Ratio) << true << true << false << noRef;
    QTest::newRow("zphase log without phase")
        << int(GraphView::ZPhase) << false << true << false << none;
}

void TestGraphViews::refusals()
{
    QFETCH(int, view);
    QFETCH(bool, measuredPhase);
    QFETCH(bool, referencePhase);
    QFETCH(bool, reference);
    QFETCH(int, refusal);
    auto measured = std::make_unique<CurveBlock>();
    auto ref = std::make_unique<CurveBlock>();
    fillDriver(*measured, 2);
    fillDriver(*ref, 2, 6.5, 45);
    GraphScale scale;
    initGraphScale(scale, 2);
    scale.curveShown = measured.get();
    if (reference)
        scale.refCurveShown[0] = ref.get();
    ViewSources sources;
    sources.measurementHasPhase = measuredPhase;
    sources.referenceHasPhase[0] = referencePhase;
    ViewOptions options;
    options.view = GraphView(view);
    options.logZ = true;
    QImage bitmap(498, 310, QImage::Format_RGB32);
    const ViewDrawn drawn = drawView(bitmap, scale, Settings(), options, sources, false, true, {});
    QCOMPARE(int(drawn.refusal), refusal);
    if (refusal == int(ViewRefusal::None))
        QVERIFY(bitmap.pixel(0, 0) != 0); // drawn over a fresh white grid
    // A refused view leaves the classic empty grid: no curve colour on it.
    if (refusal != int(ViewRefusal::None))
        for (int x = 0; x < bitmap.width(); x += 7)
            for (int y = 0; y < bitmap.height(); y += 3)
                QVERIFY((bitmap.pixel(x, y) & 0xFFFFFF) !=
                        (toQColor(Settings().colorR).rgb() & 0xFFFFFF));
}

void TestGraphViews::classicChartUnchanged()
{
    // The legend option over the classic chart draws the classic pixels under its box, and
    // without any named curve nothing else.
    auto measured = std::make_unique<CurveBlock>();
    auto ref = std::make_unique<CurveBlock>();
    fillDriver(*measured, 2);
    fillDriver(*ref, 2, 6.5, 45);
    GraphScale scale;
    initGraphScale(scale, 2);
    scale.rMax = 100;
    scale.curveShown = measured.get();
    scale.refCurveShown[0] = ref.get();
    const Settings settings;
    GraphPicture classic(&scale, &settings);
    classic.resize(QSize(500, 312));
    classic.clear();
    classic.drawAll(false, true);
    GraphPicture view(&scale, &settings);
    view.resize(QSize(500, 312));
    ViewOptions options;
    options.legend = true;
    view.drawView(options, ViewSources(), false, true);
    QCOMPARE(view.bitmap(), classic.bitmap());
    ViewSources named;
    named.measurementName = QStringLiteral("a.dta");
    view.drawView(options, named, false, true);
    QVERIFY(view.bitmap() != classic.bitmap());
    // Only the top right corner changed.
    QCOMPARE(view.bitmap().copy(0, 60, 498, 250), classic.bitmap().copy(0, 60, 498, 250));
    // References alone, as the window shows them without a measurement.
    measured->valid = 0;
    classic.clear();
    classic.drawReferences(false);
    view.drawView(options, ViewSources(), false, true);
    QCOMPARE(view.bitmap(), classic.bitmap());
}

void TestGraphViews::curveAgainstItselfOnTheZeroLine()
{
    auto measured = std::make_unique<CurveBlock>();
    fillDriver(*measured, 2);
    GraphScale scale;
    initGraphScale(scale, 2);
    scale.curveShown = measured.get();
    scale.refCurveShown[3] = measured.get();
    for (GraphView v : {GraphView::Diff, GraphView::Ratio}) {
        ViewOptions options;
        options.view = v;
        QImage bitmap(498, 310, QImage::Format_RGB32);
        const ViewDrawn drawn = drawView(bitmap, scale, Settings(), options, {}, false, true, {});
        QCOMPARE(drawn.referenceSlot, 3);
        // A slot asked for but empty falls back to the first loaded.
        QCOMPARE(compareSlot(scale, 1), 3);
        QCOMPARE(drawn.uncompared, 0);
        QCOMPARE(drawn.frame.left.lo, -drawn.frame.left.hi);
        // Both differences lie on the middle row, the phase's drawn last.
        const int x = drawn.frame.xPixel(1200.0);
        QCOMPARE(QColor(bitmap.pixel(x, 155)), toQColor(Settings().colorTheta));
        QCOMPARE(QColor(bitmap.pixel(x, 150)), QColor(Qt::white));
    }
}

void TestGraphViews::otherBandCountedNotDrawn()
{
    // A reference of band 5 against a band-2 measurement: compared where both have points,
    // the rest counted and left undrawn.
    auto measured = std::make_unique<CurveBlock>();
    auto ref = std::make_unique<CurveBlock>();
    fillDriver(*measured, 2);
    fillDriver(*ref, 5);
    GraphScale scale;
    initGraphScale(scale, 2);
    scale.curveShown = measured.get();
    scale.refCurveShown[0] = ref.get();
    ViewOptions options;
    options.view = GraphView::Diff;
    QImage bitmap(498, 310, QImage::Format_RGB32);
    const ViewDrawn drawn = drawView(bitmap, scale, Settings(), options, {}, false, true, {});
    QVERIFY(drawn.uncompared > 0);
    options.referenceSlot = drawn.referenceSlot;
    const ViewSeriesSet set =
        viewSeries(scale, options, viewCurves(scale, Settings(), {}, options, true, false, {}));
    QCOMPARE(set.series.size(), 1);
    int points = 0;
    for (const auto &run : set.series.front().runs)
        points += run.size();
    QCOMPARE(points + drawn.uncompared, bandPointCount(2));
    QVERIFY(set.extent.xMin >= bandStartHz(5) * 0.999);
}

void TestGraphViews::zoomSetsTheRanges()
{
    // A zoom gives the left axis its range exactly and the frequency axis the axis steps round
    // it; in Nyquist it keeps equal scales round the zoomed rectangle.
    auto measured = std::make_unique<CurveBlock>();
    fillDriver(*measured, 2);
    GraphScale scale;
    initGraphScale(scale, 2);
    scale.curveShown = measured.get();
    ViewOptions options;
    options.view = GraphView::RX;
    options.zoom = QRectF(QPointF(35, 2), QPointF(1200, 12));
    QImage bitmap(498, 310, QImage::Format_RGB32);
    ViewDrawn drawn = drawView(bitmap, scale, Settings(), options, {}, false, true, {});
    QCOMPARE(drawn.frame.left.lo, 2.0);
    QCOMPARE(drawn.frame.left.hi, 12.0);
    QCOMPARE(drawn.frame.x.lo, 30.0);
    QCOMPARE(drawn.frame.x.hi, 1500.0);
    options.view = GraphView::Nyquist;
    options.zoom = QRectF(QPointF(5, -10), QPointF(25, 10));
    drawn = drawView(bitmap, scale, Settings(), options, {}, false, true, {});
    QVERIFY(drawn.frame.x.lo <= 5 && drawn.frame.x.hi >= 25);
    QVERIFY(drawn.frame.left.lo <= -10 && drawn.frame.left.hi >= 10);
    QVERIFY(drawn.frame.left.hi - drawn.frame.left.lo <= 40);
    QCOMPARE(drawn.frame.ohmsPerPixel, (drawn.frame.left.hi - drawn.frame.left.lo) / 310);
}

void TestGraphViews::legendTellsReferencesApart()
{
    // With the legend, references in the shared default colours take a pair each; a colour
    // the user chose stays, and without the legend nothing changes.
    Settings chosen;
    chosen.refColorR[2] = 0x00123456;
    chosen.refColorTheta[2] = 0x00654321;
    ViewOptions options;
    QCOMPARE(viewColours(chosen, options).refColorR[1], chosen.refColorR[1]);
    options.legend = true;
    const Settings shown = viewColours(chosen, options);
    QCOMPARE(shown.refColorR[2], ColorRef(0x00123456));
    QCOMPARE(shown.refColorR[0], chosen.refColorR[0]);
    QSet<ColorRef> pairs;
    for (int k = 0; k < kReferenceSlots; ++k)
        pairs << shown.refColorR[k] << shown.refColorTheta[k];
    QCOMPARE(pairs.size(), 2 * kReferenceSlots);
}

QTEST_MAIN(TestGraphViews)
#include "tst_graph_views.moc"
