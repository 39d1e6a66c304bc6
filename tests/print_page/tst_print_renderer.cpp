// The printout with the chart renderer itself as its drawing source, on a stand-in for the
// main window: the plot, the screen labels' texts and the frame on a PDF page.
#include "AnalysisCurves.h"
#include "PrintFixtures.h"
#include "RendererHost.h"
#include "core/graph/AxisLabels.h"
#include "core/graph/ViewScale.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"
#include "ui/print/THKA_Print.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

// The stand-in window holding a 6.5 ohm driver with its resonance at 45 Hz, measured over
// 10 Hz to 100 kHz.
struct Window : RendererHost {
    Window()
    {
        AnalysisCurves::measure(AnalysisCurves::Driver{6.5, 0.0008, 45, 4, 0.5}, 2, measurement,
                                curveRaw, curveAvg);
        scaleForMeasurement(scale, measurement, curveRaw);
    }
};

bool near(const QColor &a, const QColor &b, int tolerance = 60)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

class TestPrintRenderer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void printedChart_data();
    void printedChart();
};

void TestPrintRenderer::initTestCase()
{
    if (!Pdf::toolsAvailable())
        QSKIP("pdfinfo, pdftotext and pdftoppm (poppler-utils) are needed to read the PDF back");
}

void TestPrintRenderer::printedChart_data()
{
    QTest::addColumn<bool>("rOnly");
    QTest::addColumn<bool>("nyquist"); // the chosen view: Nyquist, which has no phase axis
    QTest::newRow("R and θ") << false << false;
    QTest::newRow("R only") << true << false;
    QTest::newRow("Nyquist") << false << true;
}

void TestPrintRenderer::printedChart()
{
    QFETCH(bool, rOnly);
    QFETCH(bool, nyquist);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    Window w;
    ViewOptions view;
    view.view = nyquist ? GraphView::Nyquist : GraphView::ZPhase;
    w.graph->setView(view, ViewSources());
    w.graph->clear();
    w.graph->drawMeasurement(false, false); // the screen labels hold the θ scale too

    QPrinter printer(QPrinter::HighResolution);
    printToPdf(&printer, pdf);
    RendererPrintSource<Graph_RTF> source(*w.graph);
    THKA_Print job(&source, &printer, &w.settings, w.labels);
    QVERIFY(job.printGraph(rOnly, false, false, false));
    const PrintLayout &l = job.layout();
    QCOMPARE(Pdf::pageCount(pdf), 1);

    // The texts the screen labels hold, the θ group only outside the R-only view.
    const QString text = Pdf::text(pdf);
    for (int entry : {0, 5, 10, 11, 24, 34})
        QVERIFY2(text.contains(w.labels[entry]->text()), qPrintable(w.labels[entry]->text()));
    QCOMPARE(text.contains(QStringLiteral("[deg]")), !rOnly && !nyquist);
    QCOMPARE(text.contains(QStringLiteral("R [Ω]")), nyquist);
    QVERIFY(text.contains(QStringLiteral("< HK-A2 インピーダンス測定 >")));

    const QImage page = Pdf::render(pdf, dir.path(), kPdfDpi);
    QVERIFY(!page.isNull());
    const int off = qRound(kMarginPoints * kPdfDpi / 72.0);
    const auto at = [&](int x, int y) { return page.pixelColor(off + x, off + y); };
    // The frame round the plot, white paper outside it.
    for (int x : {l.plotLeft - 1, l.plotLeft + l.plotWidth / 2, l.plotRight}) {
        QCOMPARE(at(x, l.plotTop - 1), QColor(Qt::black));
        QCOMPARE(at(x, l.plotBottom), QColor(Qt::black));
        QCOMPARE(at(x, l.plotTop - 2), QColor(Qt::white));
    }
    // The curves lie inside the plot and nowhere else on the page.
    const QColor rColour = toQColor(w.settings.colorR);
    const QColor thetaColour = toQColor(w.settings.colorTheta);
    int rInside = 0, thetaInside = 0, colouredOutside = 0;
    const QRect plot = l.plotRect().translated(off, off);
    for (int y = 0; y < page.height(); y += 2) {
        for (int x = 0; x < page.width(); x += 2) {
            const QColor c = page.pixelColor(x, y);
            const bool r = near(c, rColour);
            const bool theta = near(c, thetaColour);
            if (plot.contains(x, y)) {
                rInside += r;
                thetaInside += theta;
            } else {
                colouredOutside += r || theta;
            }
        }
    }
    QVERIFY2(rInside > 200, qPrintable(QString::number(rInside)));
    QCOMPARE(thetaInside > 200, !rOnly && !nyquist);
    QCOMPARE(colouredOutside, 0);
}

QTEST_MAIN(TestPrintRenderer)
#include "tst_print_renderer.moc"
