// The graph in the real main window: start-up grid, band list, view options, curves, scales,
// cursor readout and resizing.
#include "DocumentProbe.h"
#include "RecordingPresenter.h"
#include "SpeakerCurve.h"
#include "WaitIdle.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "core/files/VELO_File.h"
#include "core/graph/GraphColors.h"
#include "ui/common/TStatusBar.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainView.h"
#include "ui/main/TFormMain.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int countOf(const QImage &image, ColorRef colour)
{
    const QRgb wanted = toQColor(colour).rgb() & 0xFFFFFF;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == wanted;
    return n;
}

// Columns of a bitmap holding a colour anywhere.
QVector<int> columnsWith(const QImage &image, ColorRef colour)
{
    const QRgb wanted = toQColor(colour).rgb() & 0xFFFFFF;
    QVector<int> xs;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if ((image.pixel(x, y) & 0xFFFFFF) == wanted) {
                xs << x;
                break;
            }
    return xs;
}

QColor at(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// Vertical grid lines met along row y between two level lines.
int linesAcross(const QImage &image, int y)
{
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += at(image, x, y) != QColor(Qt::white);
    return n;
}

// Every slot of the band at r ohm and theta degrees, one optional peak at `peakIndex`.
void fillFlat(MeasurementRecord &rec, int band, double r, double theta, int peakIndex = -1,
              double peakR = 0, double peakTheta = 0)
{
    clearPoints(rec);
    rec.band = band;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const bool peak = i == peakIndex;
        encodePoint(rec.points[i], peak ? peakR : r, peak ? peakTheta : theta, gridFrequencyHz(i));
    }
}

void setSlot(MeasurementRecord &rec, int index, const char *text)
{
    std::memset(rec.points[index], 0, kPointSlotSize);
    std::memcpy(rec.points[index], text, std::strlen(text));
}

} // namespace

// A run's progress as the window's drawing reads it, for a resize in the middle of a run.
struct MainRunProbe {
    static void setProgress(MainRun &run, int points)
    {
        run.m_measuring = points > 0;
        run.m_pointsReceived = points;
    }
};

class TestAppGraph : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpShowsEmptyGrid();
    void bandListRedrawsTheGrid_data();
    void bandListRedrawsTheGrid();
    void bandListRedrawsCurvesOverTheChosenBand();
    void optionsToggleOnceAndRedraw_data();
    void optionsToggleOnceAndRedraw();
    void rOnlyWithNothingLoadedChangesOnlyTheMark();
    void thickLinesLeaveReferencesAlone();
    void curvesInTheConfiguredColours();
    void referencesLieOnTop();
    void scalesFromTheRawCurve_data();
    void scalesFromTheRawCurve();
    void referencesRaiseTheScale();
    void readout_data();
    void readout();
    void resizeRedraws_data();
    void resizeRedraws();
    void screenshot();

private:
    void loadMeasurement(int band, const SpeakerModel &model = {});
    void convertMeasurement();
    void loadReference(int slot, int band, const SpeakerModel &model);
    void chooseBand(int band);
    QImage boxPicture() const;
    QLabel *label(int entry) const { return m_win->axisLabels()[entry]; }
    bool shown(int entry) const { return label(entry)->isVisibleTo(m_win); }
    QStringList frequencyLabels() const;
    const QImage &bitmap() const { return m_win->view().graph()->bitmap(); }
    QString panel2() const
    {
        return m_win->findChild<TStatusBar *>("StatusBar1")->panel(2)->text();
    }

    QTemporaryDir *m_dir = nullptr;
    ScopedRecorder *m_rec = nullptr;
    TFormMain *m_win = nullptr;
};

void TestAppGraph::init()
{
    m_dir = new QTemporaryDir;
    setSettingsDirectoryOverride(m_dir->path());
    m_rec = new ScopedRecorder;
    m_win = new TFormMain;
    QVERIFY(startWindow(m_win));
}

void TestAppGraph::cleanup()
{
    delete m_win;
    delete m_rec;
    delete m_dir;
}

// What the file and run commands do: point texts into the record, then the whole conversion.
void TestAppGraph::loadMeasurement(int band, const SpeakerModel &model)
{
    fillRecord(DocumentProbe::measurement(m_win->document()), band, model);
    convertMeasurement();
}

void TestAppGraph::convertMeasurement()
{
    QVERIFY(VELO_File().convertRecord(&DocumentProbe::measurement(m_win->document()),
                                      &DocumentProbe::curveRaw(m_win->document()),
                                      &DocumentProbe::curveAvg(m_win->document())));
    DocumentProbe::measurement(m_win->document()).valid = 1;
}

void TestAppGraph::loadReference(int slot, int band, const SpeakerModel &model)
{
    fillRecord(DocumentProbe::reference(m_win->document(), slot), band, model);
    QVERIFY(VELO_File().convertRecord(&DocumentProbe::reference(m_win->document(), slot),
                                      &DocumentProbe::refCurveRaw(m_win->document(), slot),
                                      &DocumentProbe::refCurveAvg(m_win->document(), slot)));
    DocumentProbe::reference(m_win->document(), slot).valid = 1;
}

// The user's way through the band list: the keyboard walks it item by item.
void TestAppGraph::chooseBand(int band)
{
    QComboBox *combo = m_win->findChild<QComboBox *>("ComboBox2");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 1; i < band; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentIndex(), band - 1);
    QCOMPARE(m_win->shownScale().band, band);
}

QImage TestAppGraph::boxPicture() const
{
    return m_win->findChild<TPaintBox *>("PaintBox1")
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QStringList TestAppGraph::frequencyLabels() const
{
    QStringList texts;
    for (int k = 0; k < kFreqTickSlots; ++k)
        if (shown(kFreqTickFirst + k))
            texts << label(kFreqTickFirst + k)->text();
    return texts;
}

void TestAppGraph::startUpShowsEmptyGrid()
{
    QVERIFY(m_win->view().graph());
    const QSize box = m_win->findChild<TPaintBox *>("PaintBox1")->size();
    QCOMPARE(box.width(), 500);
    const int w = box.width() - 2, h = box.height() - 2;
    QCOMPARE(bitmap().size(), QSize(w, h));

    // The box shows the bitmap inside a one-pixel black frame.
    const QImage pic = boxPicture();
    QCOMPARE(pic.copy(1, 1, w, h), bitmap());
    for (QPoint p : {QPoint(0, 0), QPoint(box.width() - 1, box.height() - 1), QPoint(0, h / 2),
                     QPoint(w / 2, box.height() - 1)})
        QCOMPARE(at(pic, p.x(), p.y()), QColor(Qt::black));

    // Band 2 spans four decades: decade lines grey at a quarter, half and three quarters.
    const QColor silver = toQColor(kGridColor), grey = toQColor(kGridStrongColor);
    for (int x : {w / 4, w / 2, w * 3 / 4})
        QCOMPARE(at(bitmap(), x, 3), grey);
    QCOMPARE(linesAcross(bitmap(), 3), 39);
    for (int i = 1; i <= 9; ++i)
        QCOMPARE(at(bitmap(), w - 2, i * h / 10), i == 5 ? grey : silver);
    QCOMPARE(at(bitmap(), w - 2, h / 10 + 1), QColor(Qt::white));
    QCOMPARE(countOf(bitmap(), m_win->preferences().settings.colorR), 0);

    // Labels of band 2 with the start-up scales, placed around the box in the client area.
    QCOMPARE(frequencyLabels(),
             (QStringList{"10", "30", "100", "300", "1k", "3k", "10k", "30k", "100k"}));
    QVERIFY(!shown(kFreqTickFirst + 9));
    QCOMPARE(label(kFreqUnitLabel)->text(), QStringLiteral("[Hz]"));
    QCOMPARE(label(0)->text(), QStringLiteral("25.0"));
    QCOMPARE(label(10)->text(), QStringLiteral("0.0"));
    QCOMPARE(label(kRUnitLabel)->text(), QStringLiteral("[Ω]"));
    QCOMPARE(label(12)->text(), QStringLiteral("+ 90"));
    QCOMPARE(label(22)->text(), QStringLiteral("- 90"));
    QCOMPARE(label(kThetaUnitLabel)->text(), QStringLiteral("[deg]"));
    for (int entry = 0; entry < kAxisLabelCount - 1; ++entry)
        QVERIFY2(shown(entry) == (entry != kFreqTickFirst + 9), qPrintable(QString::number(entry)));
    const QRect g = m_win->findChild<TPaintBox *>("PaintBox1")->geometry();
    QCOMPARE(label(24)->pos(), QPoint(g.left() - label(24)->width() / 2 + 2, g.bottom() + 1 + 5));
    QCOMPARE(label(28)->pos().x(), g.left() + w / 2 - label(28)->width() / 2 + 2); // 1k
    QCOMPARE(label(5)->pos(), QPoint(g.left() - label(5)->width() - 5,
                                     g.top() + 5 * h / 10 - label(5)->height() / 2 + 2));
    QCOMPARE(label(17)->pos().x(), g.right() + 1 + 5);
}

void TestAppGraph::bandListRedrawsTheGrid_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("lines");
    QTest::newRow("band 1") << 1 << QStringList{"20", "30", "100", "300", "1k", "3k", "10k", "20k"}
                            << 29;
    QTest::newRow("band 3") << 3 << QStringList{"10", "20", "30", "50"} << 4;
    QTest::newRow("band 5") << 5 << QStringList{"300", "500", "1k", "2k"} << 9;
    QTest::newRow("band 8") << 8 << QStringList{"1k",  "2k",  "3k",  "5k",  "10k",
                                                "20k", "30k", "50k", "100k"}
                            << 19;
}

void TestAppGraph::bandListRedrawsTheGrid()
{
    QFETCH(int, band);
    QFETCH(QStringList, texts);
    QFETCH(int, lines);
    chooseBand(band);
    QCOMPARE(m_win->shownScale().fStartHz, bandStartHz(band));
    QCOMPARE(m_win->shownScale().fEndHz, bandEndHz(band));
    QCOMPARE(m_win->document().measurement().band, 2); // the measurement keeps its own band
    QCOMPARE(frequencyLabels(), texts);
    for (int k = texts.size(); k < kFreqTickSlots; ++k)
        QCOMPARE(label(kFreqTickFirst + k)->text(), QString());
    QCOMPARE(linesAcross(bitmap(), 3), lines);
    // Nothing measured yet: the empty raw curve gives the smallest scales.
    QCOMPARE(label(0)->text(), QStringLiteral("10.0"));
    QCOMPARE(label(12)->text(), QStringLiteral("+ 45"));
    QCOMPARE(label(22)->text(), QStringLiteral("- 45"));
    QCOMPARE(boxPicture().copy(1, 1, bitmap().width(), bitmap().height()), bitmap());
}

void TestAppGraph::bandListRedrawsCurvesOverTheChosenBand()
{
    loadMeasurement(2);
    m_win->view().showMeasurement();
    const QVector<int> wholeBand = columnsWith(bitmap(), m_win->preferences().settings.colorR);
    QVERIFY(wholeBand.size() > bitmap().width() - 5);
    chooseBand(5); // 250 Hz .. 2 kHz of the band-2 curve fill the width
    QCOMPARE(frequencyLabels(), (QStringList{"300", "500", "1k", "2k"}));
    const QVector<int> part = columnsWith(bitmap(), m_win->preferences().settings.colorR);
    QVERIFY(part.size() > bitmap().width() - 5);
    QCOMPARE(m_win->document().measurement().band, 2);
    // A band-3 measurement (10 .. 50 Hz) on the band-2 axis covers only its own slots.
    fillRecord(DocumentProbe::measurement(m_win->document()), 3, SpeakerModel{});
    convertMeasurement();
    chooseBand(2);
    const QVector<int> band3 = columnsWith(bitmap(), m_win->preferences().settings.colorR);
    QVERIFY(!band3.isEmpty());
    QVERIFY(band3.last() <= bitmap().width() * 0.175 + 1); // log10(50) - 1 over four decades
}

void TestAppGraph::optionsToggleOnceAndRedraw_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("initially");
    QTest::addColumn<bool>("redraws");
    QTest::newRow("R only") << "MenuGraph_R_only" << false << true;
    QTest::newRow("thick lines") << "MenuGraph_Wide" << false << true;
    QTest::newRow("averaging") << "MenuGraph_Ave" << true << true;
    QTest::newRow("150 ohm warning") << "MenuSet_Warning" << false << false;
}

void TestAppGraph::optionsToggleOnceAndRedraw()
{
    QFETCH(QString, action);
    QFETCH(bool, initially);
    QFETCH(bool, redraws);
    // A curve with a one-point spike, so the raw and the averaged pictures differ.
    fillFlat(DocumentProbe::measurement(m_win->document()), 2, 6.0, -20.0, 300, 18.0, 40.0);
    convertMeasurement();
    m_win->view().refreshView();
    const QImage before = bitmap().copy();
    const QString rTop = label(0)->text();

    QAction *item = m_win->findChild<QAction *>(action);
    QVERIFY(item);
    QCOMPARE(item->isChecked(), initially);
    item->trigger();
    QCOMPARE(item->isChecked(), !initially);
    QCOMPARE(bitmap() != before, redraws);
    QCOMPARE(boxPicture().copy(1, 1, bitmap().width(), bitmap().height()), bitmap());
    QCOMPARE(label(0)->text(), rTop); // the scales come from the raw curve in every case

    const QImage after = bitmap().copy();
    if (action == "MenuGraph_R_only") {
        QCOMPARE(countOf(after, m_win->preferences().settings.colorTheta), 0);
        for (int entry = kThetaTickFirst; entry <= kThetaUnitLabel; ++entry)
            QVERIFY(!shown(entry));
    } else if (action == "MenuGraph_Wide") {
        QVERIFY(countOf(after, m_win->preferences().settings.colorR) >
                countOf(before, m_win->preferences().settings.colorR) * 3 / 2);
    } else if (action == "MenuGraph_Ave") {
        QCOMPARE(m_win->shownScale().curveShown, &m_win->document().curveRaw());
        // The raw spike reaches higher than the averaged one.
        auto topOf = [this](const QImage &img) {
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (at(img, x, y) == toQColor(m_win->preferences().settings.colorR))
                        return y;
            return -1;
        };
        QVERIFY(topOf(after) < topOf(before));
    }

    item->trigger();
    QCOMPARE(item->isChecked(), initially);
    QCOMPARE(bitmap(), before);
    for (int entry = kThetaTickFirst; entry <= kThetaUnitLabel; ++entry)
        QVERIFY(shown(entry));
}

void TestAppGraph::rOnlyWithNothingLoadedChangesOnlyTheMark()
{
    const QImage before = bitmap().copy();
    m_win->findChild<QAction *>("MenuGraph_R_only")->trigger();
    QVERIFY(m_win->findChild<QAction *>("MenuGraph_R_only")->isChecked());
    QCOMPARE(bitmap(), before);
    QVERIFY(shown(kThetaTickFirst) && shown(kThetaUnitLabel)); // until the next layout
    chooseBand(3);
    QVERIFY(!shown(kThetaTickFirst) && !shown(kThetaUnitLabel));
    // Averaging likewise changes nothing without data.
    m_win->findChild<QAction *>("MenuGraph_Ave")->trigger();
    QVERIFY(!m_win->findChild<QAction *>("MenuGraph_Ave")->isChecked());
}

void TestAppGraph::thickLinesLeaveReferencesAlone()
{
    loadReference(2, 2, SpeakerModel{});
    m_win->view().refreshView();
    const QImage before = bitmap().copy();
    QVERIFY(countOf(before, m_win->preferences().settings.refColorR[2]) > 400);
    m_win->findChild<QAction *>("MenuGraph_Wide")->trigger();
    QVERIFY(m_win->findChild<QAction *>("MenuGraph_Wide")->isChecked());
    QCOMPARE(bitmap(), before);
}

void TestAppGraph::curvesInTheConfiguredColours()
{
    m_win->preferences().settings.colorR = 0x00008000;     // green
    m_win->preferences().settings.colorTheta = 0x00FF00FF; // magenta
    loadMeasurement(2);
    m_win->view().showMeasurement();
    const int thin = countOf(bitmap(), 0x00008000);
    QVERIFY(thin > 450);
    QVERIFY(countOf(bitmap(), 0x00FF00FF) > 450);
    QCOMPARE(countOf(bitmap(), 0x00FF0000), 0); // not the default blue
    QCOMPARE(m_win->shownScale().curveShown, &m_win->document().curveAvg());

    m_win->findChild<QAction *>("MenuGraph_Wide")->trigger();
    QVERIFY(countOf(bitmap(), 0x00008000) > thin * 3 / 2);
    m_win->findChild<QAction *>("MenuGraph_Ave")->trigger();
    QCOMPARE(m_win->shownScale().curveShown, &m_win->document().curveRaw());
    QVERIFY(countOf(bitmap(), 0x00008000) > thin * 3 / 2);
}

void TestAppGraph::referencesLieOnTop()
{
    // A reference equal to the measurement covers its thin lines completely.
    loadMeasurement(2);
    loadReference(0, 2, SpeakerModel{});
    loadReference(4, 3, SpeakerModel{7.5, 0.0001, 25, 3, 0.6});
    m_win->preferences().settings.refColorR[4] = 0x00008000;
    m_win->view().refreshView();
    const Settings &s = m_win->preferences().settings;
    QCOMPARE(countOf(bitmap(), s.colorR), 0);
    QCOMPARE(countOf(bitmap(), s.colorTheta), 0);
    QVERIFY(countOf(bitmap(), s.refColorR[0]) > 400);
    QVERIFY(countOf(bitmap(), s.refColorTheta[0]) > 400);
    // The band-3 reference only over its own slots.
    const QVector<int> band3 = columnsWith(bitmap(), 0x00008000);
    QVERIFY(!band3.isEmpty());
    QVERIFY(band3.last() <= bitmap().width() * 0.175 + 1);
    // Thick measured lines show beside the references' single pixels.
    m_win->findChild<QAction *>("MenuGraph_Wide")->trigger();
    QVERIFY(countOf(bitmap(), s.colorR) > 400);
    QVERIFY(countOf(bitmap(), s.refColorR[0]) > 400);
}

void TestAppGraph::scalesFromTheRawCurve_data()
{
    QTest::addColumn<double>("peakR");
    QTest::addColumn<double>("peakTheta");
    QTest::addColumn<float>("rMax");
    QTest::addColumn<float>("thetaMax");
    QTest::addColumn<QString>("rTop");
    QTest::addColumn<QString>("thetaTop");
    // A flat 5 ohm, 0 degree curve with one peak: the averaged peak is a third as high.
    QTest::newRow("8 ohm") << 8.0 << 10.0 << 10.0f << 45.0f << "10.0"
                           << "+ 45";
    QTest::newRow("10.01 ohm") << 10.01 << 10.0 << 15.0f << 45.0f << "15.0"
                               << "+ 45";
    QTest::newRow("26 ohm") << 26.0 << 10.0 << 50.0f << 45.0f << "50.0"
                            << "+ 45";
    QTest::newRow("149.9 ohm") << 149.9 << 10.0 << 150.0f << 45.0f << "150.0"
                               << "+ 45";
    QTest::newRow("180 ohm") << 180.0 << 10.0 << 200.0f << 45.0f << "200.0"
                             << "+ 45";
    QTest::newRow("900 ohm") << 900.0 << 10.0 << 200.0f << 45.0f << "200.0"
                             << "+ 45";
    QTest::newRow("29.9 deg") << 8.0 << 29.9 << 10.0f << 45.0f << "10.0"
                              << "+ 45";
    QTest::newRow("30.2 deg") << 8.0 << 30.2 << 10.0f << 90.0f << "10.0"
                              << "+ 90";
    QTest::newRow("59.9 deg") << 8.0 << 59.9 << 10.0f << 90.0f << "10.0"
                              << "+ 90";
    QTest::newRow("75 deg") << 8.0 << 75.0 << 10.0f << 180.0f << "10.0"
                            << "+180";
    QTest::newRow("-75 deg") << 8.0 << -75.0 << 10.0f << 180.0f << "10.0"
                             << "+180";
}

void TestAppGraph::scalesFromTheRawCurve()
{
    QFETCH(double, peakR);
    QFETCH(double, peakTheta);
    QFETCH(float, rMax);
    QFETCH(float, thetaMax);
    QFETCH(QString, rTop);
    QFETCH(QString, thetaTop);
    QVERIFY(m_win->findChild<QAction *>("MenuGraph_Ave")->isChecked());
    fillFlat(DocumentProbe::measurement(m_win->document()), 2, 5.0, 0.0, 270, peakR, peakTheta);
    convertMeasurement();
    m_win->view().showMeasurement();
    QCOMPARE(m_win->shownScale().rMax, rMax);
    QCOMPARE(m_win->shownScale().rMin, 0.0f);
    QCOMPARE(m_win->shownScale().thetaMax, thetaMax);
    QCOMPARE(m_win->shownScale().thetaMin, -thetaMax);
    QCOMPARE(label(0)->text(), rTop);
    QCOMPARE(label(12)->text(), thetaTop);
    QCOMPARE(label(22)->text(), QString(thetaTop).replace('+', '-'));
    // Switching averaging off keeps the scales.
    m_win->findChild<QAction *>("MenuGraph_Ave")->trigger();
    QCOMPARE(m_win->shownScale().rMax, rMax);
    QCOMPARE(m_win->shownScale().thetaMax, thetaMax);
}

void TestAppGraph::referencesRaiseTheScale()
{
    fillFlat(DocumentProbe::measurement(m_win->document()), 2, 19.9, 5.0);
    convertMeasurement();
    fillFlat(DocumentProbe::reference(m_win->document(), 1), 4, 60.0, 0.0, 100, 130.0, 0.0);
    QVERIFY(VELO_File().convertRecord(&DocumentProbe::reference(m_win->document(), 1),
                                      &DocumentProbe::refCurveRaw(m_win->document(), 1),
                                      &DocumentProbe::refCurveAvg(m_win->document(), 1)));
    DocumentProbe::reference(m_win->document(), 1).valid = 1;
    m_win->view().refreshView();
    QCOMPARE(m_win->shownScale().rMax, 150.0f);
    QCOMPARE(label(0)->text(), QStringLiteral("150.0"));
    m_win->view().showMeasurement();
    QCOMPARE(m_win->shownScale().rMax, 20.0f);
    m_win->view().showReferences();
    QCOMPARE(m_win->shownScale().rMax, 150.0f);
    QCOMPARE(countOf(bitmap(), m_win->preferences().settings.colorR), 0);
}

void TestAppGraph::readout_data()
{
    QTest::addColumn<int>("measurementBand"); // 0: no measurement
    QTest::addColumn<int>("axisBand");
    QTest::addColumn<double>("where"); // fraction of the box width
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text"); // empty: nothing shown
    // Grid index 263 is set to 8.255 ohm, -12.35 deg at exactly 1 kHz; index 0 to 40.005 ohm,
    // -99.95 deg at 655 steps (9.99 Hz). The neighbours differ, so averaging would show.
    QTest::newRow("1 kHz in the middle of band 2")
        << 2 << 2 << 0.5 << int(Qt::LeftButton)
        << QStringLiteral("周波数：1.000[kHz] / 8.26[Ω] / -12.4[deg]");
    QTest::newRow("any button") << 2 << 2 << 0.5 << int(Qt::RightButton)
                                << QStringLiteral("周波数：1.000[kHz] / 8.26[Ω] / -12.4[deg]");
    QTest::newRow("left edge selects the first point")
        << 2 << 2 << 0.0 << int(Qt::LeftButton)
        << QStringLiteral("周波数：9.99[Hz] / 40.01[Ω] / -99.9[deg]");
    QTest::newRow("left of the first point on the 20 Hz axis")
        << 2 << 1 << 0.0 << int(Qt::LeftButton) << QString();
    QTest::newRow("right of a band-9 curve's last point")
        << 9 << 2 << 0.5 << int(Qt::LeftButton) << QString();
    QTest::newRow("no measurement") << 0 << 2 << 0.5 << int(Qt::LeftButton) << QString();
}

void TestAppGraph::readout()
{
    QFETCH(int, measurementBand);
    QFETCH(int, axisBand);
    QFETCH(double, where);
    QFETCH(int, button);
    QFETCH(QString, text);
    if (measurementBand != 0) {
        fillRecord(DocumentProbe::measurement(m_win->document()), measurementBand, SpeakerModel{});
        if (measurementBand == 2) {
            setSlot(DocumentProbe::measurement(m_win->document()), 263, "0339FF840100000001");
            setSlot(DocumentProbe::measurement(m_win->document()), 0, "0FA0FC1800028F0001");
        }
        convertMeasurement();
        m_win->view().showMeasurement();
    }
    chooseBand(axisBand);
    const QString before = QStringLiteral("before");
    m_win->findChild<TStatusBar *>("StatusBar1")->panel(2)->setText(before);
    const QImage picture = bitmap().copy();

    const int x = int(m_win->findChild<TPaintBox *>("PaintBox1")->width() * where);
    QTest::mousePress(m_win->findChild<TPaintBox *>("PaintBox1"), Qt::MouseButton(button), {},
                      QPoint(x, 40));
    QCOMPARE(panel2(), text.isEmpty() ? before : text);
    QCOMPARE(bitmap(), picture); // a readout never redraws
    QTest::mouseRelease(m_win->findChild<TPaintBox *>("PaintBox1"), Qt::MouseButton(button), {},
                        QPoint(x, 40));
}

void TestAppGraph::resizeRedraws_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QSize>("size");
    QTest::newRow("empty grid") << "empty" << QSize(900, 700);
    QTest::newRow("measurement") << "measurement" << QSize(1000, 600);
    QTest::newRow("measurement and references") << "both" << QSize(1280, 1024);
    QTest::newRow("references") << "references" << QSize(800, 500);
    QTest::newRow("run in progress") << "live" << QSize(900, 700);
}

void TestAppGraph::resizeRedraws()
{
    QFETCH(QString, content);
    QFETCH(QSize, size);
    const Settings &s = m_win->preferences().settings;
    if (content == "measurement" || content == "both")
        loadMeasurement(2);
    if (content == "both" || content == "references")
        loadReference(3, 2, SpeakerModel{6.0, 0.0001, 38, 5, 0.5});
    if (content == "live") {
        // A run has stored 120 points of band 2 so far.
        MeasurementRecord source;
        fillRecord(source, 2, SpeakerModel{});
        DocumentProbe::measurement(m_win->document()).valid = 0;
        for (int i = 0; i < 120; ++i) {
            std::memcpy(DocumentProbe::measurement(m_win->document()).points[i], source.points[i],
                        kPointSlotSize);
            QVERIFY(VELO_File().convertPoint(&DocumentProbe::measurement(m_win->document()), i,
                                             &DocumentProbe::curveRaw(m_win->document()),
                                             &DocumentProbe::curveAvg(m_win->document())));
        }
        MainRunProbe::setProgress(m_win->run(), 120);
        m_win->shownScale().rMax = 50; // raised by the run; a resize keeps it
    }
    m_win->view().refreshView();

    m_win->applyWindowSize(size.width(), size.height());
    QTRY_COMPARE(m_win->findChild<TPaintBox *>("PaintBox1")->width(), size.width() - 140);
    const QSize box = m_win->findChild<TPaintBox *>("PaintBox1")->size();
    QCOMPARE(box.height(), m_win->centralWidget()->height() - 120);
    const int w = box.width() - 2, h = box.height() - 2;
    QCOMPARE(bitmap().size(), QSize(w, h));
    QCOMPARE(boxPicture().copy(1, 1, w, h), bitmap());
    QCOMPARE(at(boxPicture(), box.width() - 1, box.height() - 1), QColor(Qt::black));
    QCOMPARE(at(bitmap(), 0, h / 2), toQColor(kGridStrongColor));
    QCOMPARE(at(bitmap(), w / 2, 2), toQColor(kGridStrongColor)); // 1 kHz
    const QRect g = m_win->findChild<TPaintBox *>("PaintBox1")->geometry();
    QCOMPARE(label(kFreqUnitLabel)->y(), g.bottom() + 1 + 5 + label(kFreqUnitLabel)->height());
    QCOMPARE(label(10)->y(), g.top() + h - label(10)->height() / 2 + 2);

    const int measured = countOf(bitmap(), s.colorR);
    const int referenced = countOf(bitmap(), s.refColorR[3]);
    if (content == "empty") {
        QCOMPARE(measured + referenced, 0);
    } else if (content == "measurement") {
        QVERIFY(measured > w - 5);
        QCOMPARE(referenced, 0);
    } else if (content == "both") {
        QVERIFY(measured > w - 5);
        QVERIFY(referenced > w - 5);
    } else if (content == "references") {
        QCOMPARE(measured, 0);
        QVERIFY(referenced > w - 5);
    } else {
        // The curve so far, up to the 120th point (grid index 119), on the run's scale.
        MainRunProbe::setProgress(m_win->run(), 0);
        QCOMPARE(label(0)->text(), QStringLiteral("50.0"));
        const QVector<int> xs = columnsWith(bitmap(), s.colorR);
        QVERIFY(!xs.isEmpty());
        const double lastDecades = std::log10(m_win->document().curveRaw().freq[119]) - 1;
        QCOMPARE(xs.last(), int(w * lastDecades / 4));
        QVERIFY(xs.first() <= 1);
    }
    // Redrawing once more by hand changes nothing: the resize already drew the full view.
    if (content != "live" && content != "empty") {
        const QImage afterResize = bitmap().copy();
        m_win->view().refreshView();
        QCOMPARE(bitmap(), afterResize);
    }
}

void TestAppGraph::screenshot()
{
    // The empty grid, then a band-2 measurement and two references, as a user would see them;
    // kept for a look.
    m_win->applyWindowSize(800, 600);
    QTRY_COMPARE(m_win->findChild<TPaintBox *>("PaintBox1")->width(), 660);
    QVERIFY(waitUntil([this] { return m_win->layoutPending() == 0; })); // the status bar moves
    QVERIFY(m_win->grab().save(QStringLiteral(VELO2_BINARY_DIR "/main_window_empty.png")));
    loadMeasurement(2);
    loadReference(0, 2, SpeakerModel{6.0, 0.0001, 38, 5, 0.5});
    loadReference(1, 3, SpeakerModel{7.5, 0.0001, 25, 3, 0.6});
    m_win->preferences().settings.refColorR[1] = 0x00008000;
    m_win->preferences().settings.refColorTheta[1] = 0x000080FF;
    m_win->view().refreshView();
    QTest::mousePress(m_win->findChild<TPaintBox *>("PaintBox1"), Qt::LeftButton, {},
                      QPoint(330, 100));
    QVERIFY(panel2().startsWith(QStringLiteral("周波数：")));
    const QImage shot = m_win->grab().toImage();
    QVERIFY(shot.save(QStringLiteral(VELO2_BINARY_DIR "/main_window_band2.png")));
    QVERIFY(countOf(shot.convertToFormat(QImage::Format_RGB32),
                    m_win->preferences().settings.colorR) > 300);
}

QTEST_MAIN(TestAppGraph)
#include "tst_app_graph.moc"
