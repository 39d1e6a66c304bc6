#include "core/print/PrintLayout.h"

#include <QtTest>

class TestPrintLayout : public QObject
{
    Q_OBJECT
private slots:
    void geometry_data();
    void geometry();
    void landscapeIgnoresPrintableWidth();
    void portraitIgnoresPrintableHeight();
    void millimetres_data();
    void millimetres();
    void tooSmallForAPlot_data();
    void tooSmallForAPlot();
};

void TestPrintLayout::geometry_data()
{
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<int>("widthMM");
    QTest::addColumn<int>("heightMM");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<double>("screenDpi");
    QTest::addColumn<float>("scale");
    QTest::addColumn<int>("textHeight");
    QTest::addColumn<QList<int>>("graph"); // left, top, width, height, bottom
    QTest::addColumn<QRect>("plot");
    QTest::addColumn<QList<int>>("textY"); // title, three information lines

    // 600 dpi, 200 mm printable width, portrait, 96 dpi screen.
    QTest::newRow("worked example")
        << 600 << 600 << 200 << 287 << false << 96.0 << 6.25f << 56
        << QList<int>{236, 354, 4488, 3366, 3720} << QRect(QPoint(590, 472), QPoint(4369, 3601))
        << QList<int>{3845, 3970, 4095, 4220};
    // Landscape: the graph width comes from the printable height less 20 mm.
    QTest::newRow("landscape") << 600 << 600 << 277 << 190 << true << 96.0 << 6.25f << 56
                               << QList<int>{236, 354, 4015, 3011, 3365}
                               << QRect(590, 472, 3307, 2775) << QList<int>{3490, 3615, 3740, 3865};
    // Horizontal lengths follow dpiX, vertical ones and the scale dpiY.
    QTest::newRow("600x300 dpi") << 600 << 300 << 200 << 287 << false << 96.0 << 3.125f << 28
                                 << QList<int>{236, 177, 4488, 3366, 3543}
                                 << QRect(590, 236, 3780, 3248)
                                 << QList<int>{3605, 3668, 3730, 3793};
    // A screen at 125 %: one screen pixel is fewer printer pixels.
    QTest::newRow("120 dpi screen")
        << 600 << 600 << 200 << 287 << false << 120.0 << 5.0f << 45
        << QList<int>{236, 354, 4488, 3366, 3720} << QRect(590, 472, 3780, 3130)
        << QList<int>{3820, 3920, 4020, 4120};
    // 150 dpi as the PDF tests print; 9 x 1.5625 = 14.06 is cut to 14.
    QTest::newRow("150 dpi, 184 mm") << 150 << 150 << 184 << 271 << false << 96.0 << 1.5625f << 14
                                     << QList<int>{59, 88, 1027, 770, 858}
                                     << QRect(147, 117, 850, 711) << QList<int>{889, 920, 951, 983};
}

void TestPrintLayout::geometry()
{
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(int, widthMM);
    QFETCH(int, heightMM);
    QFETCH(bool, landscape);
    QFETCH(double, screenDpi);
    QFETCH(float, scale);
    QFETCH(int, textHeight);
    QFETCH(QList<int>, graph);
    QFETCH(QRect, plot);
    QFETCH(QList<int>, textY);

    const PrintLayout l = computePrintLayout({dpiX, dpiY, widthMM, heightMM, landscape, screenDpi});
    QCOMPARE(l.scale, scale);
    QCOMPARE(l.textHeight, textHeight);
    QCOMPARE((QList<int>{l.left, l.top, l.graphWidth, l.graphHeight, l.bottom}), graph);
    QCOMPARE(l.plotRect(), plot);
    QCOMPARE(l.plotLeft, plot.left());
    QCOMPARE(l.plotTop, plot.top());
    QCOMPARE(l.plotWidth, plot.width());
    QCOMPARE(l.plotHeight, plot.height());
    // Right and bottom are exclusive: plotLeft + plotWidth, plotTop + plotHeight.
    QCOMPARE(l.plotRight, plot.left() + plot.width());
    QCOMPARE(l.plotBottom, plot.top() + plot.height());
    QCOMPARE(l.textX, plot.left());
    QCOMPARE((QList<int>{l.titleY, l.infoY[0], l.infoY[1], l.infoY[2]}), textY);
    QVERIFY(l.hasPlot());
}

void TestPrintLayout::landscapeIgnoresPrintableWidth()
{
    const PrintLayout a = computePrintLayout({600, 600, 277, 190, true, 96.0});
    const PrintLayout b = computePrintLayout({600, 600, 400, 190, true, 96.0});
    const PrintLayout c = computePrintLayout({600, 600, 277, 180, true, 96.0});
    QCOMPARE(a.graphWidth, b.graphWidth);
    QCOMPARE(a.plotRect(), b.plotRect());
    QCOMPARE(a.titleY, b.titleY);
    QCOMPARE(c.graphWidth, millimetresToPixels(160, 600));
    // The texts still follow below the graph.
    QVERIFY(a.titleY > a.bottom);
    QVERIFY(a.infoY[0] > a.titleY);
}

void TestPrintLayout::portraitIgnoresPrintableHeight()
{
    const PrintLayout a = computePrintLayout({600, 600, 190, 277, false, 96.0});
    const PrintLayout b = computePrintLayout({600, 600, 190, 120, false, 96.0});
    QCOMPARE(a.graphWidth, 4251);
    QCOMPARE(a.plotRect(), b.plotRect());
}

void TestPrintLayout::millimetres_data()
{
    QTest::addColumn<int>("mm");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("10 mm at 600") << 10 << 600 << 236;
    QTest::newRow("15 mm at 600") << 15 << 600 << 354;
    QTest::newRow("5 mm at 600") << 5 << 600 << 118;
    QTest::newRow("30 mm at 600") << 30 << 600 << 708;
    // Whole inches come out exact, not one pixel short.
    QTest::newRow("5 in at 600") << 127 << 600 << 3000;
    QTest::newRow("10 in at 300") << 254 << 300 << 3000;
    QTest::newRow("1 in at 72") << 254 << 72 << 720;
    QTest::newRow("1 mm at 600") << 1 << 600 << 23;
    QTest::newRow("zero") << 0 << 600 << 0;
    QTest::newRow("negative truncates toward zero") << -5 << 600 << -118;
}

void TestPrintLayout::millimetres()
{
    QFETCH(int, mm);
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    QCOMPARE(millimetresToPixels(mm, dpi), pixels);
}

void TestPrintLayout::tooSmallForAPlot_data()
{
    QTest::addColumn<int>("widthMM");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<bool>("hasPlot");
    QTest::newRow("40 mm portrait") << 40 << false << false;
    QTest::newRow("41 mm portrait") << 41 << false << true;
    QTest::newRow("5 mm portrait") << 5 << false << false;
    QTest::newRow("50 mm landscape") << 50 << true << false;
    QTest::newRow("51 mm landscape") << 51 << true << true;
}

void TestPrintLayout::tooSmallForAPlot()
{
    QFETCH(int, widthMM);
    QFETCH(bool, landscape);
    QFETCH(bool, hasPlot);
    // In landscape the short side (here the same number) sizes the graph.
    const PrintLayout l = computePrintLayout({600, 600, widthMM, widthMM, landscape, 96.0});
    QCOMPARE(l.hasPlot(), hasPlot);
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_print_layout.moc"
