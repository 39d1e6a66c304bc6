// The renderer on a stand-in for the main window: a plain widget carrying the graph box and
// the 35 axis labels.
#include "RendererHost.h"

#include "core/files/VELO_File.h"
#include "core/graph/AxisMath.h"
#include "core/graph/GraphColors.h"
#include "core/graph/ViewScale.h"
#include "core/model/Settings.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"

#include <QLabel>
#include <QPainter>
#include <QtTest>
#include <memory>

namespace {

using Window = RendererHost;

int countOf(const QImage &image, ColorRef colour)
{
    const QRgb wanted = toQColor(colour).rgb() & 0xFFFFFF;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == wanted;
    return n;
}

QColor at(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

QImage boxPicture(Window &w)
{
    return w.box->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestGraphRender : public QObject
{
    Q_OBJECT
private slots:
    void constructionSizesBitmap();
    void clearShowsFramedGrid();
    void frequencyLabelsPerBand_data();
    void frequencyLabelsPerBand();
    void labelPositions();
    void labelsFollowABoxInsideAFrame();
    void labelsBesideTheBoxInAClientArea();
    void rOnlyHidesPhaseLabels();
    void clearLeavesLabels();
    void drawAllWithReferences();
    void thinAndThickMeasurement();
    void averagedAndRawDiffer();
    void referencesWithoutMeasurement();
    void liveSegmentsBuildTheCurve();
    void liveScaleChangeRedraws();
    void drawForPrint();
    void printPositionsUseScreenLabels();
    void resizeFollowsTheBox();
    void typicalPictureToPng();
};

void TestGraphRender::constructionSizesBitmap()
{
    Window w;
    QCOMPARE(w.graph->bitmap().size(), QSize(498, 310));
    QCOMPARE(w.box->onPaint != nullptr, true);
    w.label(0)->setText(QStringLiteral("120.0"));
    w.graph->layoutLabels(false);
    QCOMPARE(w.label(0)->size(), w.label(0)->sizeHint());
    w.graph.reset();
    QVERIFY(!w.box->onPaint); // the box no longer calls into a deleted renderer
}

void TestGraphRender::clearShowsFramedGrid()
{
    Window w;
    w.graph->clear();
    const QImage pic = boxPicture(w);
    QCOMPARE(pic.size(), QSize(500, 312));
    const QColor black(Qt::black), white(Qt::white);
    const QColor silver = toQColor(kGridColor), grey = toQColor(kGridStrongColor);
    for (QPoint p : {QPoint(0, 0), QPoint(499, 0), QPoint(0, 311), QPoint(499, 311), QPoint(250, 0),
                     QPoint(250, 311), QPoint(0, 150), QPoint(499, 150)})
        QCOMPARE(at(pic, p.x(), p.y()), black);
    QCOMPARE(at(pic, 1, 1), white);
    QCOMPARE(at(pic, 498, 310), white);
    // Horizontal lines at bitmap y = 31 ... 279, the middle one grey; bitmap (x, y) is box (x+1,
    // y+1).
    for (int y : {31, 62, 93, 124, 186, 217, 248, 279})
        QCOMPARE(at(pic, 11, y + 1), silver);
    QCOMPARE(at(pic, 11, 156), grey);
    // Band 2: 100 Hz, 1 kHz and 10 kHz decade lines in grey, 30 Hz in silver.
    for (int x : {124, 249, 373})
        QCOMPARE(at(pic, x + 1, 11), grey);
    QCOMPARE(at(pic, 59 + 1, 11), silver);
    QCOMPARE(pic.copy(1, 1, 498, 310), w.graph->bitmap());
}

void TestGraphRender::frequencyLabelsPerBand_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("1") << 1 << QStringList{"20", "30", "100", "300", "1k", "3k", "10k", "20k"};
    QTest::newRow("3") << 3 << QStringList{"10", "20", "30", "50"};
    QTest::newRow("4") << 4 << QStringList{"20", "30", "50", "100", "200"};
    QTest::newRow("5") << 5 << QStringList{"300", "500", "1k", "2k"};
    QTest::newRow("8") << 8
                       << QStringList{"1k", "2k", "3k", "5k", "10k", "20k", "30k", "50k", "100k"};
}

void TestGraphRender::frequencyLabelsPerBand()
{
    QFETCH(int, band);
    QFETCH(QStringList, texts);
    Window w;
    w.graph->layoutLabels(false); // band 2 first, so leftovers must be cleared
    initGraphScale(w.scale, band);
    w.graph->layoutLabels(false);
    for (int k = 0; k < kFreqTickSlots; ++k) {
        QLabel *label = w.label(kFreqTickFirst + k);
        if (k < texts.size()) {
            QCOMPARE(label->text(), texts[k]);
            QVERIFY(w.shown(kFreqTickFirst + k));
        } else {
            QCOMPARE(label->text(), QString());
            QVERIFY(!w.shown(kFreqTickFirst + k));
        }
    }
    QCOMPARE(w.label(kFreqUnitLabel)->text(), QStringLiteral("[Hz]"));
    QVERIFY(w.shown(kFreqUnitLabel));
}

void TestGraphRender::labelPositions()
{
    Window w;
    initGraphScale(w.scale, 1); // rMax 25, +-90
    w.graph->layoutLabels(false);
    auto pos = [&](int entry) { return w.label(entry)->pos(); };
    auto half = [&](int entry) { return w.label(entry)->width() / 2; };
    auto width = [&](int entry) { return w.label(entry)->width(); };
    auto height = [&](int entry) { return w.label(entry)->height(); };
    // Box (64, 24) 500 x 312: bottom 336, right 564; bitmap 498 x 310.
    QCOMPARE(pos(24), QPoint(64 + 0 - half(24) + 2, 341));   // 20 Hz
    QCOMPARE(pos(26), QPoint(64 + 116 - half(26) + 2, 341)); // 100 Hz
    QCOMPARE(pos(28), QPoint(64 + 282 - half(28) + 2, 341)); // 1 kHz
    QCOMPARE(pos(34), QPoint(564 - half(34), 341 + height(34)));
    QCOMPARE(w.label(0)->text(), QStringLiteral("25.0"));
    QCOMPARE(w.label(9)->text(), QStringLiteral("2.5"));
    QCOMPARE(w.label(10)->text(), QStringLiteral("0.0"));
    QCOMPARE(w.label(11)->text(), QStringLiteral("[Ω]"));
    for (int i = 0; i <= 10; ++i) {
        QCOMPARE(pos(i), QPoint(64 - width(i) - 5, 24 + i * 31 - height(i) / 2 + 2));
        QCOMPARE(pos(12 + i), QPoint(569, 24 + i * 31 - height(12 + i) / 2 + 2));
        QVERIFY(w.shown(i) && w.shown(12 + i));
    }
    QCOMPARE(pos(11), QPoint(64, 24 - height(11) - 2));
    QCOMPARE(w.label(12)->text(), QStringLiteral("+ 90"));
    QCOMPARE(w.label(17)->text(), QStringLiteral("+  0"));
    QCOMPARE(w.label(22)->text(), QStringLiteral("- 90"));
    QCOMPARE(w.label(23)->text(), QStringLiteral("[deg]"));
    QCOMPARE(pos(23), QPoint(564 - width(23) - 5, 24 - height(23) - 2));
    // R labels right-aligned 5 pixels left of the box.
    QCOMPARE(w.label(0)->geometry().right() + 1, 64 - 5);
}

void TestGraphRender::labelsFollowABoxInsideAFrame()
{
    Window w;
    auto *frame = new QWidget(&w.owner);
    frame->setGeometry(10, 20, 600, 400);
    w.box->setParent(frame);
    w.box->setGeometry(54, 4, 500, 312); // (64, 24) in the owner's coordinates
    w.graph->layoutLabels(false);
    QCOMPARE(w.label(24)->pos(), QPoint(64 - w.label(24)->width() / 2 + 2, 341));
    QCOMPARE(w.label(12)->pos().x(), 569);
}

void TestGraphRender::labelsBesideTheBoxInAClientArea()
{
    // A main window keeps box and labels in a central widget below its menu bar.
    QWidget window;
    window.resize(640, 480);
    auto *client = new QWidget(&window);
    client->setGeometry(0, 22, 640, 440);
    auto *box = new TPaintBox(client);
    box->setGeometry(64, 24, 500, 312);
    QLabel *labels[kAxisLabelCount];
    for (QLabel *&label : labels)
        label = new QLabel(client);
    Settings settings;
    GraphScale scale;
    initGraphScale(scale, 2);
    Graph_RTF graph(&window, box, &settings, labels, &scale);
    graph.layoutLabels(false);
    QCOMPARE(labels[24]->pos(), QPoint(64 - labels[24]->width() / 2 + 2, 341));
    QCOMPARE(labels[11]->pos(), QPoint(64, 24 - labels[11]->height() - 2));
    QCOMPARE(labels[12]->pos().x(), 569);
}

void TestGraphRender::rOnlyHidesPhaseLabels()
{
    Window w;
    w.graph->layoutLabels(true);
    for (int entry = 12; entry <= 23; ++entry)
        QVERIFY(!w.shown(entry));
    QVERIFY(w.shown(0) && w.shown(11) && w.shown(24) && w.shown(34));
    w.graph->layoutLabels(false);
    for (int entry = 12; entry <= 23; ++entry)
        QVERIFY(w.shown(entry));
}

void TestGraphRender::clearLeavesLabels()
{
    Window w;
    w.graph->layoutLabels(false);
    const QString before = w.label(0)->text();
    w.scale.rMax = 120;
    w.graph->clear();
    QCOMPARE(w.label(0)->text(), before);
    w.graph->layoutLabels(false);
    QCOMPARE(w.label(0)->text(), QStringLiteral("120.0"));
}

void TestGraphRender::drawAllWithReferences()
{
    auto w = std::make_unique<Window>();
    w->loadMeasurement(2, SpeakerModel{});
    w->loadReference(0, 2, SpeakerModel{6.2, 0.0001, 40, 4, 0.45});
    w->loadReference(3, 3, SpeakerModel{7.0, 0.0001, 30, 3, 0.6});
    scaleForBoth(w->scale, w->measurement, w->curveRaw, w->references, w->refCurveRaw);
    QCOMPARE(w->scale.rMax, 100.0f);
    QCOMPARE(w->scale.thetaMax, 180.0f);
    w->graph->clear();
    w->graph->drawAll(false, false);
    const QImage &bmp = w->graph->bitmap();
    QVERIFY(countOf(bmp, w->settings.colorR) > 400);
    QVERIFY(countOf(bmp, w->settings.colorTheta) > 400);
    QVERIFY(countOf(bmp, w->settings.refColorR[0]) > 300); // teal and purple for both slots
    QCOMPARE(w->label(0)->text(), QStringLiteral("100.0"));
    QCOMPARE(w->label(12)->text(), QStringLiteral("+180"));
    QCOMPARE(boxPicture(*w).copy(1, 1, 498, 310), bmp);
}

void TestGraphRender::thinAndThickMeasurement()
{
    int counts[2];
    for (bool wide : {false, true}) {
        auto w = std::make_unique<Window>();
        w->loadMeasurement(2, SpeakerModel{});
        scaleForMeasurement(w->scale, w->measurement, w->curveRaw);
        w->graph->clear();
        w->graph->drawMeasurement(true, wide);
        counts[wide] = countOf(w->graph->bitmap(), w->settings.colorR);
        QCOMPARE(countOf(w->graph->bitmap(), w->settings.colorTheta), 0);
    }
    QVERIFY2(counts[1] > counts[0] * 3 / 2,
             qPrintable(QString("%1 %2").arg(counts[0]).arg(counts[1])));
}

void TestGraphRender::averagedAndRawDiffer()
{
    auto w = std::make_unique<Window>();
    w->loadMeasurement(5, SpeakerModel{});
    // A one-point spike: the averaged curve spreads it over three points at a third.
    encodePoint(w->measurement.points[240], 19.5, 0, gridFrequencyHz(240));
    QVERIFY(w->file.convertRecord(&w->measurement, &w->curveRaw, &w->curveAvg));
    w->scale.band = 5;
    scaleForMeasurement(w->scale, w->measurement, w->curveRaw);
    QCOMPARE(w->scale.rMax, 20.0f); // from the raw spike even while averaging
    w->graph->clear();
    w->graph->drawMeasurement(true, false);
    const QImage averaged = w->graph->bitmap().copy();
    selectShownCurves(w->scale, false, w->curveRaw, w->curveAvg, w->refCurveRaw, w->refCurveAvg);
    w->graph->clear();
    w->graph->drawMeasurement(true, false);
    const QImage raw = w->graph->bitmap().copy();
    const int x = frequencyAxis(w->scale).x(gridFrequencyHz(240), 498);
    auto topmost = [&](const QImage &img) {
        for (int y = 0; y < img.height(); ++y)
            if (at(img, x, y) == toQColor(w->settings.colorR))
                return y;
        return -1;
    };
    QVERIFY(topmost(raw) < 10); // the raw spike reaches almost full scale
    QVERIFY(topmost(averaged) > 100);
}

void TestGraphRender::referencesWithoutMeasurement()
{
    auto w = std::make_unique<Window>();
    w->loadReference(1, 2, SpeakerModel{});
    scaleForReferences(w->scale, w->references, w->refCurveRaw);
    w->graph->clear();
    const QImage empty = w->graph->bitmap().copy();
    w->graph->drawAll(false, false);
    QCOMPARE(w->graph->bitmap(), empty);
    w->graph->drawReferences(false);
    QVERIFY(countOf(w->graph->bitmap(), w->settings.refColorR[1]) > 400);
    QVERIFY(countOf(w->graph->bitmap(), w->settings.refColorTheta[1]) > 400);
    QCOMPARE(countOf(w->graph->bitmap(), w->settings.colorR), 0);
}

void TestGraphRender::liveSegmentsBuildTheCurve()
{
    auto w = std::make_unique<Window>();
    SpeakerModel model;
    MeasurementRecord source;
    fillRecord(source, 1, model);
    w->measurement.band = 1;
    w->scale.band = 1;
    initGraphScale(w->scale, 1);
    w->scale.rMax = 200;
    selectShownCurves(w->scale, false, w->curveRaw, w->curveAvg, w->refCurveRaw, w->refCurveAvg);
    w->graph->clear();
    w->graph->layoutLabels(false);
    const int first = bandFirstIndex(1);
    const int received = 120;
    for (int n = 0; n < received; ++n) {
        std::memcpy(w->measurement.points[first + n], source.points[first + n], kPointSlotSize);
        QVERIFY(w->file.convertPoint(&w->measurement, first + n, &w->curveRaw, &w->curveAvg));
        if (n >= 1)
            w->graph->drawLiveSegment(false, first + n, true);
    }
    const QImage live = w->graph->bitmap().copy();
    QVERIFY(countOf(live, w->settings.colorR) > 100);
    w->graph->clear();
    w->graph->drawLive(false, received - 1, true);
    QCOMPARE(w->graph->bitmap(), live);
}

void TestGraphRender::liveScaleChangeRedraws()
{
    auto w = std::make_unique<Window>();
    initGraphScale(w->scale, 2);
    w->graph->layoutLabels(false);
    QCOMPARE(w->label(0)->text(), QStringLiteral("25.0"));
    w->scale.rMax = roundUpRScale(61.0f);
    w->graph->drawLiveSegment(false, 5, false); // segments never re-lay the labels
    QCOMPARE(w->label(0)->text(), QStringLiteral("25.0"));
    w->graph->clear();
    w->graph->drawLive(false, 4, false);
    QCOMPARE(w->label(0)->text(), QStringLiteral("100.0"));
}

void TestGraphRender::drawForPrint()
{
    auto w = std::make_unique<Window>();
    w->loadMeasurement(2, SpeakerModel{});
    w->loadReference(0, 2, SpeakerModel{6.2, 0.0001, 40, 4, 0.45});
    scaleForBoth(w->scale, w->measurement, w->curveRaw, w->references, w->refCurveRaw);
    w->graph->clear();
    w->graph->drawAll(false, false);
    const QImage screen = w->graph->bitmap().copy();
    const QString label0 = w->label(0)->text();

    QImage page(1000, 750, QImage::Format_RGB888);
    page.fill(Qt::black);
    w->graph->drawForPrint(page, false, true, false);
    // Level lines 4 pixels wide at y = 75 * i, the middle one grey; a silver line beside a
    // column free of curves.
    auto rowsAt = [&](int x, ColorRef colour) {
        int n = 0;
        for (int y = 0; y < page.height(); ++y)
            n += at(page, x, y) == toQColor(colour);
        return n;
    };
    QCOMPARE(at(page, 3, 375), toQColor(kGridStrongColor));
    QCOMPARE(at(page, 3, 150), toQColor(kGridColor));
    QCOMPARE(at(page, 3, 100), QColor(Qt::white));
    QCOMPARE(rowsAt(3, kGridColor), 8 * 4);
    QCOMPARE(rowsAt(3, kGridStrongColor), 4);
    // 100 Hz decade at x = 250 is 4 wide, 30 Hz at 119 is 3 wide.
    auto columnsAt = [&](int y, ColorRef colour, int from, int to) {
        int n = 0;
        for (int x = from; x <= to; ++x)
            n += at(page, x, y) == toQColor(colour);
        return n;
    };
    QCOMPARE(columnsAt(10, kGridStrongColor, 240, 260), 4);
    QCOMPARE(columnsAt(10, kGridColor, 110, 128), 3);
    QVERIFY(countOf(page, w->settings.colorR) > 8 * 900);
    QCOMPARE(countOf(page, w->settings.refColorR[0]), 0); // without references

    page.fill(Qt::black);
    w->graph->drawForPrint(page, true, true, true);
    QVERIFY(countOf(page, w->settings.refColorR[0]) > 2 * 900);
    QCOMPARE(countOf(page, w->settings.colorTheta), 0);
    // The screen picture and the labels are untouched.
    QCOMPARE(w->graph->bitmap(), screen);
    QCOMPARE(w->label(0)->text(), label0);
}

void TestGraphRender::printPositionsUseScreenLabels()
{
    Window w;
    initGraphScale(w.scale, 1);
    w.graph->layoutLabels(false);
    const float scale = 6.25f;
    int xs[12], ys[12];
    w.graph->printRLabelPositions(xs, ys, 590, 472, 3130, scale, 56);
    for (int i = 0; i <= 10; ++i) {
        QCOMPARE(xs[i], int(590 - w.label(i)->width() * 6.25 - 62.5));
        QCOMPARE(ys[i], 472 + 313 * i - 28);
    }
    QCOMPARE(ys[11], int(472 - w.label(11)->height() * 6.25 - 12.5));
    w.graph->printThetaLabelPositions(xs, ys, 4370, 472, 3130, scale, 56);
    QCOMPARE(xs[0], 4432);
    QCOMPARE(xs[11], int(4370 - w.label(23)->width() * 6.25 - 31.25));
    int fx[11], fy[11];
    std::fill(fx, fx + 11, -1);
    std::fill(fy, fy + 11, -1);
    w.graph->printFrequencyLabelPositions(fx, fy, 590, 3602, 3780, scale, 56);
    const int x1k = frequencyAxis(w.scale).x(1000, 3780);
    QCOMPARE(fx[4], int(590 + x1k - w.label(28)->width() * 3.125)); // "1k"
    QCOMPARE(fy[4], 3633);
    QCOMPARE(fx[8], -1); // band 1 has eight labels
    QCOMPARE(fx[10], int(4370 - w.label(34)->width() * 3.125));
}

void TestGraphRender::resizeFollowsTheBox()
{
    Window w;
    w.graph->clear();
    w.box->setGeometry(64, 24, 600, 400);
    w.graph->resize();
    QCOMPARE(w.graph->bitmap().size(), QSize(598, 398));
    w.graph->clear();
    const QImage pic = boxPicture(w);
    QCOMPARE(at(pic, 599, 399), QColor(Qt::black));
    QCOMPARE(at(pic, 598, 398), QColor(Qt::white));
    QCOMPARE(at(pic, 11, 39 + 1), toQColor(kGridColor)); // 398 / 10
    QCOMPARE(at(pic, 11, 199 + 1), toQColor(kGridStrongColor));
    w.graph->layoutLabels(false);
    QCOMPARE(w.label(34)->pos().y(), 24 + 400 + 5 + w.label(34)->height());
}

void TestGraphRender::typicalPictureToPng()
{
    auto w = std::make_unique<Window>();
    initGraphScale(w->scale, 5);
    w->graph->clear();
    w->graph->layoutLabels(false);
    QVERIFY(w->owner.grab().save(QStringLiteral(VELO2_BINARY_DIR "/graph_empty_band5.png")));
    initGraphScale(w->scale, 2);
    w->loadMeasurement(2, SpeakerModel{});
    w->loadReference(0, 2, SpeakerModel{6.0, 0.0001, 38, 5, 0.5});
    w->loadReference(1, 3, SpeakerModel{7.5, 0.0001, 25, 3, 0.6});
    w->settings.refColorR[1] = 0x00008000;
    w->settings.refColorTheta[1] = 0x000080FF;
    scaleForBoth(w->scale, w->measurement, w->curveRaw, w->references, w->refCurveRaw);
    w->graph->clear();
    w->graph->drawAll(false, true);
    const QImage picture = w->owner.grab().toImage();
    const QString path = QStringLiteral(VELO2_BINARY_DIR "/graph_band2.png");
    QVERIFY(picture.save(path));
    QVERIFY(countOf(picture.convertToFormat(QImage::Format_RGB32), w->settings.colorR) > 500);
}

QTEST_MAIN(TestGraphRender)
#include "tst_graph_render.moc"
