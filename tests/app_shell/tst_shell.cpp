#include "DataFiles.h"
#include "DocumentProbe.h"
#include "RecordingPresenter.h"
#include "WaitIdle.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "core/files/VELO_File.h"
#include "core/measure/StopSignals.h"
#include "ui/analysis/TFormCalc.h"
#include "ui/common/TStatusBar.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/MainView.h"
#include "ui/main/SignalClose.h"
#include "ui/main/TFormMain.h"
#include "ui/main/TFormVersion.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <pthread.h>

namespace {

// Every item of a menu as "caption" or "-" for a separator, with the check state.
QStringList describe(QMenu *menu)
{
    QStringList items;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            items << QStringLiteral("-");
        else
            items << a->text() +
                         (a->isCheckable() && a->isChecked() ? QStringLiteral(" [x]") : QString());
    }
    return items;
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menus_data();
    void menus();
    void menuBarOrder();
    void startUpState();
    void geometryAt640();
    void geometryFollowsSize_data();
    void geometryFollowsSize();
    void statusBarSitsAtTheBottom();
    void quitAsksWhenUnsaved_data();
    void quitAsksWhenUnsaved();
    void quitWithoutDataDoesNotAsk();
    void lockAndUnlock();
    void labelColours();
    void versionWindow();
    void shownCurvesFollowAveraging();
    void analysisWithoutMeasurement();
    void signalKeepsUnsavedMeasurement();
    void fileNamedAtStartIsOpened();
    void commandLine_data();
    void commandLine();
    void placementRoundTrip();

private:
    QTemporaryDir *m_dir = nullptr;
    ScopedRecorder *m_rec = nullptr;
    TFormMain *m_win = nullptr;
};

void TestShell::init()
{
    m_dir = new QTemporaryDir;
    setSettingsDirectoryOverride(m_dir->path());
    m_rec = new ScopedRecorder;
    m_win = new TFormMain;
    QVERIFY(startWindow(m_win));
}

void TestShell::cleanup()
{
    delete m_win;
    delete m_rec;
    delete m_dir;
}

void TestShell::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("file") << "MenuFile"
                          << "ファイル(&F)"
                          << QStringList{"開く(&O)",
                                         "保存する(&S)",
                                         "-",
                                         "ワークスペースを開く...",
                                         "ワークスペースを保存...",
                                         "最近使ったファイル",
                                         "-",
                                         "元に戻す(&U)",
                                         "やり直す(&R)",
                                         "-",
                                         "閉じる",
                                         "-",
                                         "データをテキスト出力",
                                         "ZMA出力",
                                         "-",
                                         "グラフをエクスポート...",
                                         "印刷設定",
                                         "グラフ印刷(&P)",
                                         "-",
                                         "終了(&X)"};
    QTest::newRow("measure")
        << "MenuMeasure"
        << "測定(&M)"
        << QStringList{"開始(&S)",          "繰り返し測定...",  "-",
                       "結果を分析",        "T/S ワークシート", "複数ユニットの比較...",
                       "ドライバー一覧...", "補正回路...",      "QCモード"};
    QTest::newRow("graph") << "MenuGraph"
                           << "グラフ(&G)"
                           << QStringList{"抵抗値のみ表示",
                                          "測定値は太線で描画",
                                          "平均処理 [x]",
                                          "-",
                                          "繰り返し測定の±2σを表示",
                                          "-",
                                          "|Z|と位相を表示 [x]",
                                          "RとXを表示",
                                          "ナイキスト線図を表示",
                                          "参照データとの差を表示",
                                          "参照データとの比を表示",
                                          "-",
                                          "差を%で表示",
                                          "凡例を表示",
                                          "|Z|を対数目盛で表示",
                                          "比べる参照データ",
                                          "-",
                                          "グラフをコピー"};
    QTest::newRow("ref") << "MenuRef"
                         << "参照データ(&R)" << QStringList{"読込み", "クリア"};
    QTest::newRow("set") << "MenuSet"
                         << "設定" << QStringList{"COMポート", "グラフの線色",
                                                  "-",         "抵抗値150Ωのメッセージ",
                                                  "-",         "Language / 言語"};
    QTest::newRow("help") << "MenuHelp"
                          << "ヘルプ(&H)" << QStringList{"バージョン(&V)"};
}

void TestShell::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, items);
    auto *m = m_win->findChild<QMenu *>(menu);
    QVERIFY(m);
    QCOMPARE(m->title(), title);
    QCOMPARE(describe(m), items);
}

void TestShell::menuBarOrder()
{
    QStringList titles;
    for (QAction *a : m_win->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{"ファイル(&F)", "測定(&M)", "グラフ(&G)", "参照データ(&R)",
                                  "設定", "ヘルプ(&H)"}));
    for (const char *name :
         {"MenuFile_Open",       "MenuFile_Save",         "MenuFile_Close", "MenuFile_Export",
          "MenuFile_PrintSetup", "MenuFile_Print",        "MenuFile_Quit",  "MenuMeasure_Start",
          "MenuMesure_Calc",     "MenuMeasure_Worksheet", "MenuMeasure_Qc", "MenuMeasure_Units",
          "MenuGraph_R_only",    "MenuGraph_Wide",        "MenuGraph_Ave",  "MenuRef_Open",
          "MenuRef_Close",       "MenuSet_COM",           "MenuSet_Color",  "MenuSet_Warning",
          "MenuHelp_Version"})
        QVERIFY2(m_win->findChild<QAction *>(name), name);
}

void TestShell::startUpState()
{
    QCOMPARE(m_win->windowTitle(), QStringLiteral("VELO2 v2.3"));
    QCOMPARE(m_win->findChild<QPushButton *>("MStartBtn")->text(), QStringLiteral("測定開始"));
    QCOMPARE(m_win->findChild<QPushButton *>("QuitBtn")->text(), QStringLiteral("終了"));
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->count(), 9);
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->currentIndex(), 1);
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->itemText(0),
             QStringLiteral("20Hz～20kHz"));
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->itemText(8),
             QStringLiteral("10Hz～500Hz"));
    QCOMPARE(m_win->findChild<TStatusBar *>("StatusBar1")->panelCount(), 3);
    QCOMPARE(m_win->document().measurement().valid, quint8(0));
    QCOMPARE(m_win->document().measurement().band, 2);
    QCOMPARE(m_win->shownScale().fEndHz, 100000);
    QCOMPARE(m_win->document().refCount(), 0);
    QVERIFY(!m_win->document().anyReferenceLoaded());
    for (int slot = 0; slot < kReferenceSlots; ++slot) {
        const MeasurementRecord &ref = m_win->document().reference(slot);
        QCOMPARE(ref.band, 1);
        QCOMPARE(QByteArray(ref.points[0], 19), QByteArray(19, '0'));
    }
    QCOMPARE(m_win->centralWidget()->size(), QSize(632, 440));
    QCOMPARE(m_win->font().pixelSize(), 12);
    QCOMPARE(m_win->font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
    // The renderer is the last service made: the others before it were made too.
    QVERIFY(m_win->view().graph());
    // The label table holds the 35 axis labels in the renderer's order.
    const auto &labels = m_win->axisLabels();
    QCOMPARE(labels[0]->objectName(), QStringLiteral("Label0"));
    QCOMPARE(labels[10]->objectName(), QStringLiteral("Label00"));
    QCOMPARE(labels[12]->objectName(), QStringLiteral("Label20"));
    QCOMPARE(labels[22]->objectName(), QStringLiteral("Label30"));
    QCOMPARE(labels[24]->objectName(), QStringLiteral("Label10"));
    QCOMPARE(labels[34]->objectName(), QStringLiteral("Label199"));
    QVERIFY(m_win->findChild<QWidget *>(QStringLiteral("FormDebug")));
    QVERIFY(!m_win->findChild<QWidget *>(QStringLiteral("FormDebug"))->isVisible());
}

void TestShell::geometryAt640()
{
    m_win->applyWindowSize(640, 480);
    QTRY_COMPARE(m_win->outerWidth(), 640);
    const int clientHeight = m_win->centralWidget()->height();
    QCOMPARE(m_win->findChild<TPaintBox *>("PaintBox1")->geometry(), QRect(64, 24, 500, 320));
    QCOMPARE(m_win->findChild<QPushButton *>("QuitBtn")->geometry().right(),
             m_win->findChild<TPaintBox *>("PaintBox1")->geometry().right());
    QCOMPARE(m_win->findChild<QPushButton *>("MStartBtn")->pos(), QPoint(64, clientHeight - 60));
    QCOMPARE(m_win->findChild<QPushButton *>("QuitBtn")->y(), clientHeight - 60);
    QCOMPARE(
        m_win->findChild<QComboBox *>("ComboBox2")->pos(),
        QPoint(64 + m_win->findChild<QPushButton *>("MStartBtn")->width() + 20, clientHeight - 58));
}

void TestShell::geometryFollowsSize_data()
{
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("applied");
    QTest::newRow("default 640x480") << QSize(640, 480) << QSize(640, 480);
    QTest::newRow("900x700") << QSize(900, 700) << QSize(900, 700);
    QTest::newRow("too small") << QSize(300, 200) << QSize(640, 480);
    QTest::newRow("too big") << QSize(2000, 1500) << QSize(1280, 1024);
}

void TestShell::geometryFollowsSize()
{
    QFETCH(QSize, asked);
    QFETCH(QSize, applied);
    m_win->applyWindowSize(asked.width(), asked.height());
    // The client area below the menu is 8 narrower and 40 lower than the outer size.
    QTRY_COMPARE(m_win->centralWidget()->size(), applied - QSize(8, 40));
    QCOMPARE(m_win->findChild<TPaintBox *>("PaintBox1")->size(), applied - QSize(140, 160));
    QCOMPARE(m_win->preferences().windowState.width, applied.width());
    QCOMPARE(m_win->preferences().windowState.height, applied.height());
}

void TestShell::statusBarSitsAtTheBottom()
{
    m_win->applyWindowSize(800, 600);
    QVERIFY(waitUntil([this] {
        return m_win->findChild<TStatusBar *>("StatusBar1")->geometry().bottom() ==
               m_win->centralWidget()->height() - 1;
    }));
    QCOMPARE(m_win->findChild<TStatusBar *>("StatusBar1")->height(), 20);
}

void TestShell::quitAsksWhenUnsaved_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("No keeps running") << false;
    QTest::newRow("Yes quits") << true;
}

void TestShell::quitAsksWhenUnsaved()
{
    QFETCH(bool, answer);
    DocumentProbe::measurement(m_win->document()).valid = 1;
    DocumentProbe::saved(m_win->document()) = 0;
    m_rec->presenter.answers = {answer};
    QTest::mouseClick(m_win->findChild<QPushButton *>("QuitBtn"), Qt::LeftButton);
    QCOMPARE(m_rec->presenter.boxes.size(), 1);
    QCOMPARE(m_rec->presenter.lastText(),
             QStringLiteral("測定データを保存していません。終了しますか？"));
    QCOMPARE(m_win->isVisible(), !answer);

    // The File menu's quit asks the same question.
    if (!answer) {
        m_rec->presenter.answers = {false};
        m_win->findChild<QAction *>("MenuFile_Quit")->trigger();
        QCOMPARE(m_rec->presenter.boxes.size(), 2);
        QVERIFY(m_win->isVisible());
    }
}

void TestShell::quitWithoutDataDoesNotAsk()
{
    DocumentProbe::measurement(m_win->document()).valid = 1;
    DocumentProbe::saved(m_win->document()) = 1;
    m_win->findChild<QAction *>("MenuFile_Quit")->trigger();
    QVERIFY(m_rec->presenter.boxes.isEmpty());
    QVERIFY(!m_win->isVisible());
}

void TestShell::lockAndUnlock()
{
    const QList<QMenu *> menus{
        m_win->findChild<QMenu *>("MenuFile"),  m_win->findChild<QMenu *>("MenuMeasure"),
        m_win->findChild<QMenu *>("MenuGraph"), m_win->findChild<QMenu *>("MenuRef"),
        m_win->findChild<QMenu *>("MenuSet"),   m_win->findChild<QMenu *>("MenuHelp")};
    m_win->mLockControls();
    for (QMenu *m : menus)
        QVERIFY(!m->menuAction()->isEnabled());
    QVERIFY(!m_win->findChild<QPushButton *>("QuitBtn")->isEnabled());
    QVERIFY(!m_win->findChild<QComboBox *>("ComboBox2")->isEnabled());
    QVERIFY(m_win->findChild<QPushButton *>("MStartBtn")->isEnabled());
    m_win->findChild<QPushButton *>("MStartBtn")->setEnabled(false);
    m_win->mUnlockControls();
    for (QMenu *m : menus)
        QVERIFY(m->menuAction()->isEnabled());
    QVERIFY(m_win->findChild<QPushButton *>("QuitBtn")->isEnabled());
    QVERIFY(m_win->findChild<QComboBox *>("ComboBox2")->isEnabled());
    QVERIFY(m_win->findChild<QPushButton *>("MStartBtn")->isEnabled());
}

void TestShell::labelColours()
{
    m_win->preferences().settings.colorR = 0x00112233;
    m_win->preferences().settings.colorTheta = 0x00445566;
    m_win->mApplyLabelColors();
    auto colour = [this](const char *name) {
        return m_win->findChild<QLabel *>(name)->palette().color(QPalette::WindowText);
    };
    QCOMPARE(colour("Label0"), QColor(0x33, 0x22, 0x11));
    QCOMPARE(colour("Label01"), QColor(0x33, 0x22, 0x11));
    QCOMPARE(colour("Label29"), QColor(0x66, 0x55, 0x44));
    QCOMPARE(colour("Label31"), QColor(0x66, 0x55, 0x44));
    QVERIFY(colour("Label10") != QColor(0x33, 0x22, 0x11));
}

void TestShell::versionWindow()
{
    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        auto *v = qobject_cast<TFormVersion *>(QApplication::activeModalWidget());
        QVERIFY(v);
        QCOMPARE(v->windowTitle(), QStringLiteral("VELO バージョン情報"));
        QCOMPARE(v->size(), QSize(290, 170));
        QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(100, 100));
        checked = true;
    });
    m_win->findChild<QAction *>("MenuHelp_Version")->trigger();
    QVERIFY(checked);
    QVERIFY(!QApplication::activeModalWidget());
    // The picture is drawn, not blank.
    const QImage img = TFormVersion::picture(QSize(290, 170)).toImage();
    QVERIFY(img.pixelColor(5, 5) != img.pixelColor(145, 40));
}

void TestShell::shownCurvesFollowAveraging()
{
    // The renderer reads the shown curves through the graph scale.
    const GraphScale &scale = m_win->shownScale();
    QCOMPARE(scale.curveShown, &m_win->document().curveAvg());
    QCOMPARE(scale.refCurveShown[4], &m_win->document().refCurveAvg(4));
    m_win->findChild<QAction *>("MenuGraph_Ave")->setChecked(false);
    m_win->view().selectShownCurves();
    QCOMPARE(scale.curveShown, &m_win->document().curveRaw());
    QCOMPARE(scale.refCurveShown[0], &m_win->document().refCurveRaw(0));
}

void TestShell::analysisWithoutMeasurement()
{
    m_win->findChild<QAction *>("MenuMesure_Calc")->trigger();
    QCOMPARE(m_rec->presenter.boxes.size(), 1);
    QCOMPARE(m_rec->presenter.lastText(), QStringLiteral("データがありません"));
    QVERIFY(!m_win->findChild<TFormCalc *>("FormCalc")->isVisible());
}

void TestShell::signalKeepsUnsavedMeasurement()
{
    StopSignals stop;
    new SignalClose(stop, *m_win);
    const QByteArray measured = datafiles::bytes({});
    QVERIFY(datafiles::write(m_dir->filePath("run.tmp"), measured));
    quint8 flag = 0;
    QVERIFY(VELO_File().readDataFile(
        m_dir->filePath("run.tmp"), DocumentProbe::unitSerial(m_win->document()), flag,
        m_win->preferences().settings.comPort, &DocumentProbe::measurement(m_win->document())));
    DocumentProbe::measurement(m_win->document()).valid = 1; // a finished run, not saved
    ::pthread_kill(::pthread_self(), SIGTERM);
    QVERIFY(waitUntil([this] { return !m_win->isVisible(); }));
    const QStringList kept = QDir(m_dir->path()).entryList({"VELO2_recovery_*.DTA"});
    QCOMPARE(kept.size(), 1);
    QCOMPARE(datafiles::read(m_dir->filePath(kept[0])), measured);
    // The next start says where it is, once.
    for (int start = 0; start < 2; ++start) {
        delete m_win;
        m_win = new TFormMain;
        QVERIFY(startWindow(m_win));
    }
    QCOMPARE(m_rec->presenter.boxes.size(), 1);
    QCOMPARE(m_rec->presenter.lastText(),
             "前回の終了時に保存されていなかった測定データを次のファイルに保存しました\n" +
                 m_dir->filePath(kept[0]));
}

QTEST_MAIN(TestShell)
// The window opens it after its own start-up, so the loaded settings do not clear it again.
void TestShell::fileNamedAtStartIsOpened()
{
    datafiles::FileShape shape;
    shape.band = 3;
    const QString path = m_dir->filePath(QStringLiteral("start.DTA"));
    QVERIFY(datafiles::write(path, datafiles::bytes(shape)));
    delete m_win;
    m_win = new TFormMain;
    m_win->openAtStart(path);
    QVERIFY(startWindow(m_win));
    QCOMPARE(m_win->document().dataFileName(), path);
    QCOMPARE(m_win->document().measurement().band, 3);
    QVERIFY(m_win->windowTitle().contains(QStringLiteral("start.DTA")));
    // A name that is not there is named as missing.
    delete m_win;
    m_win = new TFormMain;
    m_win->openAtStart(m_dir->filePath("gone.zma"));
    QVERIFY(startWindow(m_win));
    QCOMPARE(m_rec->presenter.lastText(), m_dir->filePath("gone.zma") + " が見つかりません");
}

// --help and --version answer without a window: no display is there to make one.
void TestShell::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("text"); // how standard output starts, or standard error ends
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "Usage: velo2 [FILE]\n";
    QTest::newRow("-h, after a file") << QStringList{"a.DTA", "-h"} << 0 << "Usage: velo2 [FILE]\n";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "velo2 2.3\n";
    QTest::newRow("unknown option") << QStringList{"-platform", "offscreen", "--bogus"} << 2
                                    << "velo2: unknown option --bogus (see velo2 --help)\n";
}

void TestShell::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, text);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELO2_BINARY_DIR "/src/velo2"), args);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), exitCode);
    const QString out =
        QString::fromUtf8(exitCode ? p.readAllStandardError() : p.readAllStandardOutput());
    QCOMPARE(exitCode ? out.right(text.size()) : out.left(text.size()), text);
}

// The saved place is where the window opens again, start after start: client area to client
// area, so a frame the window manager adds later cannot shift it.
void TestShell::placementRoundTrip()
{
    m_win->move(150, 210); // dragged by its frame
    m_win->close();
    const WindowState first = m_win->preferences().windowState;
    for (int start = 0; start < 2; ++start) {
        delete m_win;
        m_win = new TFormMain;
        QVERIFY(startWindow(m_win));
        QCOMPARE(m_win->geometry().topLeft(), QPoint(first.left, first.top));
        m_win->close();
        const WindowState &saved = m_win->preferences().windowState;
        QCOMPARE(QPoint(saved.left, saved.top), QPoint(first.left, first.top));
    }
}

#include "tst_shell.moc"
