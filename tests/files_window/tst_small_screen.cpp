#include "SettingsWindow.h"

#include <QScreen>
#include <QtTest>

// Runs on a 1024 x 768 screen (see CMakeLists.txt).
class TestSmallScreen : public QObject
{
    Q_OBJECT
private slots:
    void screenSize();
    void placementIsClamped_data();
    void placementIsClamped();
};

void TestSmallScreen::screenSize()
{
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1024, 768));
}

void TestSmallScreen::placementIsClamped_data()
{
    QTest::addColumn<QRect>("stored"); // left, top, width, height as in the file
    QTest::addColumn<QRect>("clamped");
    QTest::addColumn<QRect>("window");
    QTest::newRow("2000 wide, top below the screen")
        << QRect(50, 900, 2000, 600) << QRect(50, 100, 924, 600) << QRect(50, 100, 924, 600);
    QTest::newRow("left beyond the screen, too high")
        << QRect(1100, 20, 700, 900) << QRect(100, 20, 700, 668) << QRect(100, 20, 700, 668);
    // The window cannot be narrower than 640; what was stored stays stored.
    QTest::newRow("below the window's minimum width")
        << QRect(10, 10, 500, 600) << QRect(10, 10, 500, 600) << QRect(10, 10, 640, 600);
}

void TestSmallScreen::placementIsClamped()
{
    QFETCH(QRect, stored);
    QFETCH(QRect, clamped);
    QFETCH(QRect, window);
    SettingsWindow sw;
    QList<QByteArray> body = typicalBody();
    body[16] = "top:" + QByteArray::number(stored.y());
    body[17] = "left:" + QByteArray::number(stored.x());
    body[18] = "width:" + QByteArray::number(stored.width());
    body[19] = "height:" + QByteArray::number(stored.height());
    QVERIFY(sw.write(settingsFile(body)));
    TFormMain *w = sw.start();
    QVERIFY(w);

    // Wait for the window system to report the new placement; the resize events it
    // brings must not overwrite what was loaded.
    QVERIFY(waitUntil([&] { return QRect(w->pos(), outerSize(w)) == window; }));
    const WindowState &s = w->preferences().windowState;
    QCOMPARE(QRect(s.left, s.top, s.width, s.height), clamped);
    QCOMPARE(w->preferences().settings.comPort, 9);
    QVERIFY(w->findChild<QAction *>("MenuGraph_R_only")->isChecked());

    // Closing stores where the window really is.
    sw.stop();
    const QList<QByteArray> lines = sw.lines();
    QCOMPARE(lines[17], "top:" + QByteArray::number(window.y()) + "\r");
    QCOMPARE(lines[18], "left:" + QByteArray::number(window.x()) + "\r");
    QCOMPARE(lines[19], "width:" + QByteArray::number(window.width()) + "\r");
    QCOMPARE(lines[20], "height:" + QByteArray::number(window.height()) + "\r");
}

QTEST_MAIN(TestSmallScreen)
#include "tst_small_screen.moc"
