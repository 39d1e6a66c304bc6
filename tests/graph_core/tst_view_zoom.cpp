// The zoom a drag or a wheel step asks for over a drawn view.
#include "core/graph/ViewZoom.h"

#include <QtTest>

class TestViewZoom : public QObject
{
    Q_OBJECT
private slots:
    void dragAndWheel();
};

void TestViewZoom::dragAndWheel()
{
    ViewFrame frame;
    frame.plot = QSize(100, 100);
    frame.x = {0.0, 100.0, false};
    frame.left = {0.0, 50.0, false};

    // The rectangle's pixels from its left edge to past its right one, top down.
    const auto drag = zoomForDrag(frame, QRect(QPoint(10, 20), QPoint(29, 59)));
    QVERIFY(drag);
    QCOMPARE(drag->left(), 10.0);
    QCOMPARE(drag->right(), 30.0);
    QCOMPARE(drag->top(), 40.0);
    QCOMPARE(drag->bottom(), 20.0);
    QVERIFY(!zoomForDrag(frame, QRect(10, 10, 3, 40))); // a click that wobbled

    QRectF in = zoomAbout(frame, QPoint(50, 50), 0.5);
    QCOMPARE(in.left(), 25.0);
    QCOMPARE(in.right(), 75.0);
    QCOMPARE(in.top(), 37.5);
    QCOMPARE(in.bottom(), 12.5);

    // On a log axis the pointer's frequency stays under it.
    frame.x = {10.0, 1000.0, true};
    in = zoomAbout(frame, QPoint(0, 100), 0.5);
    QVERIFY(qFuzzyCompare(in.left(), 10.0) && qFuzzyCompare(in.right(), 100.0));
    QCOMPARE(in.bottom(), 0.0);
    QCOMPARE(in.top(), 25.0);
}

QTEST_APPLESS_MAIN(TestViewZoom)
#include "tst_view_zoom.moc"
