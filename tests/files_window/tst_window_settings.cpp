#include "DataFiles.h"
#include "GoldenFile.h"
#include "SettingsWindow.h"
#include "core/files/AnsiText.h"
#include "core/model/BandTable.h"

#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QtTest>

namespace {

const QString kNotSaved = QStringLiteral("初期設定ファイルを保存できませんでした");

QList<QByteArray> replaced(QList<QByteArray> body, int line, const QByteArray &text)
{
    body[line - 2] = text; // body starts with file line 2
    return body;
}

} // namespace

class TestWindowSettings : public QObject
{
    Q_OBJECT
private slots:
    void firstStartWrites27Lines();
    void storedSettingsAreApplied();
    void invalidFileGivesDefaults_data();
    void invalidFileGivesDefaults();
    void flagFiveIsOnAndWrittenAsOne();
    void settingsSurviveARestart();
    void edgeCoordinatesKeepTheOtherSettings();
    void longJapanesePrintLines();
    void unwritableFolder_data();
    void unwritableFolder();
};

void TestWindowSettings::firstStartWrites27Lines()
{
    SettingsWindow sw;
    QVERIFY(!QFile::exists(sw.file()));
    TFormMain *w = sw.start();
    QVERIFY(w);
    QVERIFY(sw.seams.messages.boxes.isEmpty());
    const QList<QByteArray> expected{"VELO2_ini",
                                     "CommPortNum:1",
                                     "PenColor_R:16711680",
                                     "PenColor_Theta:255",
                                     "PenColor_R_Ref[0]:8421376",
                                     "PenColor_Theta_Ref[0]:8388736",
                                     "PenColor_R_Ref[1]:8421376",
                                     "PenColor_Theta_Ref[1]:8388736",
                                     "PenColor_R_Ref[2]:8421376",
                                     "PenColor_Theta_Ref[2]:8388736",
                                     "PenColor_R_Ref[3]:8421376",
                                     "PenColor_Theta_Ref[3]:8388736",
                                     "PenColor_R_Ref[4]:8421376",
                                     "PenColor_Theta_Ref[4]:8388736",
                                     "pstr:",
                                     "pstr:",
                                     "pstr:",
                                     "top:" + QByteArray::number(w->geometry().y()),
                                     "left:" + QByteArray::number(w->geometry().x()),
                                     "width:" + QByteArray::number(w->outerWidth()),
                                     "height:" + QByteArray::number(w->outerHeight()),
                                     "band:2",
                                     "fronly:0",
                                     "fwide:0",
                                     "fave3:1",
                                     "fwarning:0",
                                     "END:"};
    QByteArray bytes;
    for (const QByteArray &l : expected)
        bytes += l + "\r\n";
    const QString diff = golden::diff(sw.read(), bytes);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(sw.lines().size(), 27);
}

void TestWindowSettings::storedSettingsAreApplied()
{
    SettingsWindow sw;
    QVERIFY(sw.write(settingsFile(typicalBody())));
    TFormMain *w = sw.start();
    QVERIFY(w);
    QVERIFY(sw.seams.messages.boxes.isEmpty());
    QCOMPARE(w->preferences().settings.comPort, 9);
    QCOMPARE(w->preferences().settings.colorR, ColorRef(0x00123456));
    QCOMPARE(w->preferences().settings.colorTheta, ColorRef(0x0000FF00));
    QCOMPARE(w->preferences().settings.refColorR[2], ColorRef(5));
    QCOMPARE(w->preferences().settings.refColorTheta[4], ColorRef(quint32(-10)));
    QCOMPARE(w->preferences().settings.printInfo[0], QStringLiteral("first"));
    QCOMPARE(w->preferences().settings.printInfo[1], QString());
    QCOMPARE(w->preferences().settings.printInfo[2], QStringLiteral("third"));
    // The label colours follow the loaded settings.
    QCOMPARE(w->findChild<QLabel *>("Label0")->palette().color(QPalette::WindowText),
             QColor(0x56, 0x34, 0x12));
    QCOMPARE(w->findChild<QComboBox *>("ComboBox2")->currentIndex(), 4);
    QCOMPARE(w->shownScale().band, 5);
    QCOMPARE(w->shownScale().fStartHz, bandStartHz(5));
    QCOMPARE(w->shownScale().fEndHz, bandEndHz(5));
    QVERIFY(w->findChild<QAction *>("MenuGraph_R_only")->isChecked());
    QVERIFY(!w->findChild<QAction *>("MenuGraph_Wide")->isChecked());
    QVERIFY(!w->findChild<QAction *>("MenuGraph_Ave")->isChecked());
    QVERIFY(w->findChild<QAction *>("MenuSet_Warning")->isChecked());
    // The measurement keeps its own band.
    QCOMPARE(w->document().measurement().band, 2);
    QTRY_COMPARE(outerSize(w), QSize(700, 500));
    // The stored place is the window's own area's: the desktop's frame goes round it.
    QTRY_COMPARE(w->geometry().topLeft(), QPoint(30, 40));
    QCOMPARE(w->preferences().windowState.width, 700);
    QCOMPARE(w->preferences().windowState.top, 40);
}

void TestWindowSettings::invalidFileGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    const QList<QByteArray> body = typicalBody();
    QTest::newRow("first line with a trailing blank")
        << settingsFile(body).replace("VELO2_ini", "VELO2_ini ");
    QTest::newRow("COM port 0") << settingsFile(replaced(body, 2, "CommPortNum:0"));
    QTest::newRow("COM port 257") << settingsFile(replaced(body, 2, "CommPortNum:257"));
    QTest::newRow("band 0") << settingsFile(replaced(body, 22, "band:0"));
    QTest::newRow("band 10") << settingsFile(replaced(body, 22, "band:10"));
    QTest::newRow("colour not an integer") << settingsFile(replaced(body, 3, "PenColor_R:blue"));
    QTest::newRow("flag not an integer") << settingsFile(replaced(body, 24, "fwide:yes"));
    QTest::newRow("width 0") << settingsFile(replaced(body, 20, "width:0"));
    QTest::newRow("key in lower case") << settingsFile(replaced(body, 18, "Top:40"));
    QTest::newRow("blank line") << settingsFile(replaced(body, 15, "pstr:x\r\n"));
    QTest::newRow("missing end line") << settingsFile(body).replace("END:\r\n", "");
    QTest::newRow("empty file") << QByteArray();
}

void TestWindowSettings::invalidFileGivesDefaults()
{
    QFETCH(QByteArray, content);
    SettingsWindow sw;
    QVERIFY(sw.write(content));
    TFormMain *w = sw.start();
    QVERIFY(w);
    // No word to the user: the defaults are used and written anew.
    QVERIFY(sw.seams.messages.boxes.isEmpty());
    QCOMPARE(w->preferences().settings.comPort, 1);
    QCOMPARE(w->preferences().settings.colorR, ColorRef(0x00FF0000));
    QCOMPARE(w->preferences().settings.refColorTheta[4], ColorRef(0x00800080));
    QCOMPARE(w->findChild<QComboBox *>("ComboBox2")->currentIndex(), 1);
    QVERIFY(w->findChild<QAction *>("MenuGraph_Ave")->isChecked());
    QVERIFY(!w->findChild<QAction *>("MenuSet_Warning")->isChecked());
    const QList<QByteArray> lines = sw.lines();
    QCOMPARE(lines.size(), 27);
    QCOMPARE(lines[1], QByteArray("CommPortNum:1\r"));
    QCOMPARE(lines[2], QByteArray("PenColor_R:16711680\r"));
    QCOMPARE(lines[21], QByteArray("band:2\r"));
    QCOMPARE(lines[24], QByteArray("fave3:1\r"));
}

void TestWindowSettings::flagFiveIsOnAndWrittenAsOne()
{
    SettingsWindow sw;
    QVERIFY(
        sw.write(settingsFile(replaced(replaced(typicalBody(), 23, "fronly:5"), 24, "fwide:-3"))));
    TFormMain *w = sw.start();
    QVERIFY(w);
    QVERIFY(w->findChild<QAction *>("MenuGraph_R_only")->isChecked());
    QVERIFY(w->findChild<QAction *>("MenuGraph_Wide")->isChecked());
    sw.stop();
    const QList<QByteArray> lines = sw.lines();
    QCOMPARE(lines[22], QByteArray("fronly:1\r"));
    QCOMPARE(lines[23], QByteArray("fwide:1\r"));
}

void TestWindowSettings::settingsSurviveARestart()
{
    SettingsWindow sw;
    TFormMain *w = sw.start();
    QVERIFY(w);

    // Opening a data file takes over its COM port.
    QTemporaryDir data;
    const QString file = data.filePath("p.DTA");
    QVERIFY(datafiles::write(file, datafiles::bytes({.port = 7})));
    sw.seams.files.answers = {{file}};
    w->findChild<QAction *>("MenuFile_Open")->trigger();
    QCOMPARE(w->preferences().settings.comPort, 7);
    // What the colour and print-information dialogs would change.
    w->preferences().settings.colorR = 0x00010203;
    w->preferences().settings.refColorTheta[3] = 0x00ABCDEF;
    w->preferences().settings.printInfo[1] = toAnsi(QStringLiteral("スピーカ: A-1 / 8Ω"));
    w->findChild<QAction *>("MenuGraph_R_only")->trigger();
    w->findChild<QAction *>("MenuGraph_Ave")->trigger();
    w->findChild<QAction *>("MenuSet_Warning")->trigger();
    w->findChild<QAction *>("MenuGraph_ViewNyquist")->trigger();
    w->findChild<QAction *>("MenuGraph_Legend")->trigger();
    w->findChild<QAction *>("MenuGraph_CompareRef3")->trigger();
    w->findChild<QComboBox *>("ComboBox2")->setCurrentIndex(6);
    w->applyWindowSize(720, 530);
    w->move(25, 35);
    QTRY_COMPARE(outerSize(w), QSize(720, 530));
    QTRY_COMPARE(w->pos(), QPoint(25, 35));
    sw.stop();

    w = sw.start();
    QVERIFY(w);
    QVERIFY(sw.seams.messages.boxes.isEmpty());
    QCOMPARE(w->preferences().settings.comPort, 7);
    QCOMPARE(w->preferences().settings.colorR, ColorRef(0x00010203));
    QCOMPARE(w->preferences().settings.refColorTheta[3], ColorRef(0x00ABCDEF));
    QCOMPARE(fromAnsi(w->preferences().settings.printInfo[1]),
             QStringLiteral("スピーカ: A-1 / 8Ω"));
    QVERIFY(w->findChild<QAction *>("MenuGraph_R_only")->isChecked());
    QVERIFY(!w->findChild<QAction *>("MenuGraph_Wide")->isChecked());
    QVERIFY(!w->findChild<QAction *>("MenuGraph_Ave")->isChecked());
    QVERIFY(w->findChild<QAction *>("MenuSet_Warning")->isChecked());
    // The view is kept in a file of its own: the settings file keeps its 27 lines.
    QVERIFY(w->findChild<QAction *>("MenuGraph_ViewNyquist")->isChecked());
    QVERIFY(w->findChild<QAction *>("MenuGraph_Legend")->isChecked());
    QVERIFY(!w->findChild<QAction *>("MenuGraph_LogZ")->isChecked());
    QVERIFY(w->findChild<QAction *>("MenuGraph_CompareRef3")->isChecked());
    QCOMPARE(sw.lines().size(), 27);
    QCOMPARE(w->findChild<QComboBox *>("ComboBox2")->currentIndex(), 6);
    QCOMPARE(w->shownScale().band, 7);
    QTRY_COMPARE(outerSize(w), QSize(720, 530));
    QTRY_COMPARE(w->pos(), QPoint(25, 35));
    // The text is stored in Windows-31J.
    QVERIFY(sw.read().contains("\r\npstr:\x83\x58\x83\x73\x81\x5B\x83\x4A: A-1 / 8\x83\xB6\r\n"));
}

void TestWindowSettings::edgeCoordinatesKeepTheOtherSettings()
{
    // A window dragged past the top left corner is stored with coordinates below 1.
    SettingsWindow sw;
    QVERIFY(sw.write(settingsFile(replaced(replaced(typicalBody(), 18, "top:-20"), 19, "left:0"))));
    TFormMain *w = sw.start();
    QVERIFY(w);
    QCOMPARE(w->preferences().settings.comPort, 9);
    QCOMPARE(w->findChild<QComboBox *>("ComboBox2")->currentIndex(), 4);
    const QRect screen = w->screen()->availableGeometry();
    QCOMPARE(w->preferences().windowState.top, screen.top());
    QCOMPARE(w->preferences().windowState.left, screen.left());
    QTRY_COMPARE(w->geometry().topLeft(), screen.topLeft());
}

void TestWindowSettings::longJapanesePrintLines()
{
    const QString longLine = QString(QStringLiteral("測定者：山田　")).repeated(60); // 420 chars
    SettingsWindow sw;
    TFormMain *w = sw.start();
    QVERIFY(w);
    w->preferences().settings.printInfo[0] = toAnsi(longLine);
    w->preferences().settings.printInfo[2] = "; not a comment: kept whole  ";
    sw.stop();
    w = sw.start();
    QVERIFY(w);
    QCOMPARE(fromAnsi(w->preferences().settings.printInfo[0]), longLine);
    QCOMPARE(w->preferences().settings.printInfo[2], QByteArray("; not a comment: kept whole  "));
    QCOMPARE(sw.lines().size(), 27);
}

void TestWindowSettings::unwritableFolder_data()
{
    QTest::addColumn<bool>("atStart");
    QTest::newRow("first start") << true;
    QTest::newRow("close") << false;
}

void TestWindowSettings::unwritableFolder()
{
    QFETCH(bool, atStart);
    SettingsWindow sw;
    TFormMain *w = nullptr;
    if (!atStart) {
        w = sw.start();
        QVERIFY(w);
        w->preferences().settings.comPort = 44;
    }
    const QByteArray before = sw.read();
    if (!golden::lockFolder(sw.folder())) {
        golden::unlockFolder(sw.folder());
        QSKIP("cannot make a folder unwritable here");
    }
    if (atStart) {
        w = sw.start();
    } else {
        w->close();
    }
    golden::unlockFolder(sw.folder());
    QVERIFY(w);
    QCOMPARE(sw.seams.messages.boxes.size(), 1);
    QCOMPARE(sw.seams.messages.boxes[0].icon, MessagePresenter::Icon::Warning);
    QCOMPARE(sw.seams.messages.lastText(), kNotSaved);
    QCOMPARE(sw.read(), before);
    // The program runs on with the defaults, or closes anyway.
    QCOMPARE(w->isVisible(), atStart);
    QCOMPARE(w->preferences().settings.comPort, atStart ? 1 : 44);
}

QTEST_MAIN(TestWindowSettings)
#include "tst_window_settings.moc"
