#include "PrintFixtures.h"
#include "core/files/AnsiText.h"
#include "ui/print/THKA_Print.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Printer pixels (origin at the printable area) to PDF points on the page.
double toPoints(int printerPixels, int dpi, double marginPoints)
{
    return marginPoints + printerPixels * 72.0 / dpi;
}

bool near(const QColor &a, const QColor &b, int tolerance = 48)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

const Pdf::Word *findWord(const QList<Pdf::Word> &words, const QString &text)
{
    for (const Pdf::Word &w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

// Words whose top lies within a few points of y (PDF points).
QStringList wordsAt(const QList<Pdf::Word> &words, double y)
{
    QStringList out;
    for (const Pdf::Word &w : words)
        if (qAbs(w.yMin - y) < 4.0)
            out << w.text;
    return out;
}

} // namespace

class TestPrintout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void workedExampleOnAPrinter();
    void geometryFollowsThePrinter_data();
    void geometryFollowsThePrinter();
    void pageText_data();
    void pageText();
    void renderedPage_data();
    void renderedPage();
    void printerThatWillNotStart();
    void pageTooSmallForAPlot();

private:
    QString pdfPath() const { return m_dir->filePath(QStringLiteral("graph.pdf")); }
    bool print(QPrinter &printer, bool rOnly, bool unitIsHKA, bool wide, bool withRefs);

    QTemporaryDir *m_dir = nullptr;
    FakePrintSource *m_source = nullptr;
    LabelTable *m_labels = nullptr;
    Settings m_settings;
    PrintLayout m_layout;
};

void TestPrintout::initTestCase()
{
    if (!Pdf::toolsAvailable())
        QSKIP("pdfinfo, pdftotext and pdftoppm (poppler-utils) are needed to read the PDF back");
}

void TestPrintout::init()
{
    m_dir = new QTemporaryDir;
    m_source = new FakePrintSource;
    m_labels = new LabelTable;
    m_settings = Settings();
}

void TestPrintout::cleanup()
{
    delete m_labels;
    delete m_source;
    delete m_dir;
}

bool TestPrintout::print(QPrinter &printer, bool rOnly, bool unitIsHKA, bool wide, bool withRefs)
{
    THKA_Print job(m_source, &printer, &m_settings, m_labels->table());
    const bool ok = job.printGraph(rOnly, unitIsHKA, wide, withRefs);
    m_layout = job.layout();
    return ok;
}

void TestPrintout::workedExampleOnAPrinter()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->logicalDotsPerInchY() != 96.0)
        QSKIP("the worked example needs a 96 dpi screen");
    // A page whose printable area is 200 mm wide at 600 dpi.
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(&printer, pdfPath(), 600);
    printer.setPageSize(QPageSize(QSizeF(220, 297), QPageSize::Millimeter));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    m_settings.printInfo[0] = "L1";
    m_settings.printInfo[1] = "L2";
    m_settings.printInfo[2] = "L3";

    THKA_Print job(m_source, &printer, &m_settings, m_labels->table());
    const PrintDevice device = job.deviceValues();
    QCOMPARE(device.dpiX, 600);
    QCOMPARE(device.dpiY, 600);
    QCOMPARE(device.printableWidthMM, 200);
    QCOMPARE(device.landscape, false);
    QVERIFY(job.printGraph(false, false, false, false));

    const PrintLayout &l = job.layout();
    QCOMPARE(l.scale, 6.25f);
    QCOMPARE(l.textHeight, 56);
    QCOMPARE(QRect(QPoint(l.plotLeft, l.plotTop), QPoint(l.plotRight, l.plotBottom)),
             QRect(QPoint(590, 472), QPoint(4370, 3602)));
    QCOMPARE(l.titleY, 3845);
    QCOMPARE((QList<int>{l.infoY[0], l.infoY[1], l.infoY[2]}), (QList<int>{3970, 4095, 4220}));
    // The renderer drew into a bitmap of exactly the plot's size, with the scale and text
    // height the labels are placed by.
    QCOMPARE(m_source->draws.size(), 1);
    QCOMPARE(m_source->draws[0].size, QSize(3780, 3130));
    QCOMPARE(m_source->scales, QList<float>{6.25f});
    QCOMPARE(m_source->textHeights, QList<int>{56});

    // Title and lines land there on the page (10 mm margins = 28.35 pt).
    const QList<Pdf::Word> words = Pdf::words(pdfPath());
    const double margin = 10 * 72.0 / 25.4;
    for (const auto &[text, y] :
         {std::pair{"HK-A2", 3845}, {"L1", 3970}, {"L2", 4095}, {"L3", 4220}}) {
        const Pdf::Word *w = findWord(words, QString::fromLatin1(text));
        QVERIFY2(w, text);
        QVERIFY2(qAbs(w->yMin - toPoints(y, 600, margin)) < 3.0, text);
        QVERIFY2(qAbs(w->xMin - toPoints(590, 600, margin)) < 3.0 || QByteArray(text) == "HK-A2",
                 text);
    }
}

void TestPrintout::geometryFollowsThePrinter_data()
{
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::newRow("portrait") << QPageLayout::Portrait;
    QTest::newRow("landscape") << QPageLayout::Landscape;
}

void TestPrintout::geometryFollowsThePrinter()
{
    QFETCH(QPageLayout::Orientation, orientation);
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(&printer, pdfPath(), kPdfDpi, orientation);
    THKA_Print job(m_source, &printer, &m_settings, m_labels->table());
    const PrintDevice d = job.deviceValues();
    QCOMPARE(d.dpiX, kPdfDpi);
    QCOMPARE(d.landscape, orientation == QPageLayout::Landscape);
    QCOMPARE(d.printableWidthMM, printer.widthMM());
    QCOMPARE(d.printableHeightMM, printer.heightMM());
    // A4 less half an inch each side: 184.5 x 271.7 mm.
    QVERIFY(qAbs(qMin(d.printableWidthMM, d.printableHeightMM) - 184) <= 1);

    QVERIFY(job.printGraph(false, false, false, false));
    const PrintLayout expected = computePrintLayout(d);
    QCOMPARE(job.layout().plotRect(), expected.plotRect());
    QCOMPARE(job.layout().titleY, expected.titleY);
    QCOMPARE(m_source->draws[0].size, expected.plotRect().size());
    // In landscape the graph is sized by the short side, so it is the same as in portrait.
    QCOMPARE(expected.graphWidth,
             millimetresToPixels(
                 qMin(d.printableWidthMM, d.printableHeightMM) - (d.landscape ? 20 : 10), kPdfDpi));
    QVERIFY(QFileInfo::exists(pdfPath()));
    QCOMPARE(Pdf::pageCount(pdfPath()), 1);
}

void TestPrintout::pageText_data()
{
    QTest::addColumn<bool>("rOnly");
    QTest::addColumn<bool>("unitIsHKA");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("three lines") << false << false << QStringList{"Woofer", "Closed box", "Run 3"};
    QTest::newRow("all lines empty") << false << false << QStringList{"", "", ""};
    QTest::newRow("only the second line") << false << false << QStringList{"", "Second", ""};
    QTest::newRow("HK-A, R only") << true << true << QStringList{"First", "", "Third"};
}

void TestPrintout::pageText()
{
    QFETCH(bool, rOnly);
    QFETCH(bool, unitIsHKA);
    QFETCH(QStringList, lines);
    for (int i = 0; i < 3; ++i)
        m_settings.printInfo[i] = toAnsi(lines[i]);
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(&printer, pdfPath());
    QVERIFY(print(printer, rOnly, unitIsHKA, false, false));
    QCOMPARE(m_source->draws[0].rOnly, rOnly);
    QCOMPARE(Pdf::pageCount(pdfPath()), 1);

    const QList<Pdf::Word> words = Pdf::words(pdfPath());
    const auto y = [](int px) { return toPoints(px, kPdfDpi, kMarginPoints); };
    const auto x = [](int px) { return toPoints(px, kPdfDpi, kMarginPoints); };

    // Title.
    const QString model = unitIsHKA ? QStringLiteral("HK-A") : QStringLiteral("HK-A2");
    QCOMPARE(wordsAt(words, y(m_layout.titleY)),
             (QStringList{"<", model, "インピーダンス測定", ">"}));
    const Pdf::Word *lt = findWord(words, QStringLiteral("<"));
    QVERIFY(lt);
    QVERIFY(qAbs(lt->xMin - x(m_layout.textX)) < 3.0);
    QVERIFY(Pdf::text(pdfPath()).contains(model + QStringLiteral(" インピーダンス測定")));

    // Information lines: each filled one at its own place, nothing where a line is empty.
    for (int i = 0; i < 3; ++i) {
        const QStringList at = wordsAt(words, y(m_layout.infoY[i]));
        if (lines[i].isEmpty())
            QVERIFY2(at.isEmpty(), qPrintable(at.join(' ')));
        else
            QCOMPARE(at, lines[i].split(' '));
    }

    // Labels: the texts the label controls hold, where the renderer says.
    const Pdf::Word *r0 = findWord(words, QStringLiteral("Rt0"));
    QVERIFY(r0);
    QVERIFY(qAbs(r0->xMin - x(m_layout.plotLeft - 60)) < 3.0);
    QVERIFY(qAbs(r0->yMin - y(m_layout.plotTop - m_layout.textHeight / 2)) < 3.0);
    QVERIFY(findWord(words, QStringLiteral("Rt10")));
    QVERIFY(findWord(words, QStringLiteral("[Ω]")));
    QVERIFY2(!findWord(words, QStringLiteral("Rt5")), "a position of 0 is not printed");
    for (int k = 0; k < 4; ++k)
        QVERIFY(findWord(words, QStringLiteral("F%1").arg(k)));
    for (int k = 4; k < 10; ++k)
        QVERIFY(!findWord(words, QStringLiteral("F%1").arg(k)));
    QVERIFY(findWord(words, QStringLiteral("[Hz]")));
    // The θ group is left out in the R-only view.
    QCOMPARE(findWord(words, QStringLiteral("Th0")) != nullptr, !rOnly);
    QCOMPARE(findWord(words, QStringLiteral("Th10")) != nullptr, !rOnly);
    QCOMPARE(findWord(words, QStringLiteral("[deg]")) != nullptr, !rOnly);
}

void TestPrintout::renderedPage_data()
{
    QTest::addColumn<bool>("rOnly");
    QTest::addColumn<bool>("withReferences");
    QTest::newRow("R and θ, no references") << false << false;
    QTest::newRow("R and θ with references") << false << true;
    QTest::newRow("R only with references") << true << true;
}

void TestPrintout::renderedPage()
{
    QFETCH(bool, rOnly);
    QFETCH(bool, withReferences);
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(&printer, pdfPath());
    QVERIFY(print(printer, rOnly, false, true, withReferences));
    QCOMPARE(m_source->draws[0].withReferences, withReferences);
    QCOMPARE(m_source->draws[0].wide, true);

    QFile pdf(pdfPath());
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(!pdf.readAll().contains("/DCTDecode")); // the plot is not stored as a JPEG
    const QImage page = Pdf::render(pdfPath(), m_dir->path(), kPdfDpi);
    QVERIFY(!page.isNull());
    const int off = qRound(kMarginPoints * kPdfDpi / 72.0); // 75 pixels
    const PrintLayout &l = m_layout;
    const auto at = [&](int px, int py) { return page.pixelColor(off + px, off + py); };
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const int midX = l.plotLeft + l.plotWidth * 3 / 4;
    const int midY = l.plotTop + l.plotHeight * 3 / 8;

    // The one-pixel frame right round the plot, and white paper right outside it.
    for (int px : {l.plotLeft - 1, l.plotLeft + 100, midX, l.plotRight}) {
        QCOMPARE(at(px, l.plotTop - 1), black);
        QCOMPARE(at(px, l.plotBottom), black);
        QCOMPARE(at(px, l.plotTop - 2), white);
        QCOMPARE(at(px, l.plotBottom + 1), white);
    }
    for (int py : {l.plotTop - 1, midY, l.plotBottom}) {
        QCOMPARE(at(l.plotLeft - 1, py), black);
        QCOMPARE(at(l.plotRight, py), black);
        QCOMPARE(at(l.plotLeft - 2, py), white);
        QCOMPARE(at(l.plotRight + 1, py), white);
    }
    // The bitmap fills exactly the inside of the frame.
    QVERIFY(near(at(l.plotLeft, l.plotTop), kPlotBackground));
    QVERIFY(near(at(l.plotRight - 1, l.plotBottom - 1), kPlotBackground));
    QVERIFY(near(at(l.plotLeft, l.plotBottom - 1), kPlotBackground));
    // The curves where the renderer put them in its bitmap.
    QVERIFY(near(at(midX, l.plotTop + l.plotHeight / 2), kRCurve));
    QVERIFY(near(at(l.plotLeft + l.plotWidth / 4, midY), rOnly ? kPlotBackground : kThetaCurve));
    QVERIFY(near(at(midX, l.plotTop + l.plotHeight * 3 / 4),
                 withReferences ? kReferenceCurve : kPlotBackground));
}

void TestPrintout::printerThatWillNotStart()
{
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(&printer, m_dir->filePath(QStringLiteral("no/such/folder/graph.pdf")));
    QVERIFY(!print(printer, false, false, false, false));
}

void TestPrintout::pageTooSmallForAPlot()
{
    // 40 mm of printable width leave no room between the 15 mm insets.
    QPrinter printer(QPrinter::HighResolution);
    printToPdf(&printer, pdfPath());
    printer.setPageSize(QPageSize(QSizeF(40, 60), QPageSize::Millimeter));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QVERIFY(!print(printer, false, false, false, false));
    QVERIFY(m_source->draws.isEmpty());
    QVERIFY(!QFileInfo::exists(pdfPath()));
}

QTEST_MAIN(TestPrintout)
#include "tst_printout.moc"
