// velo2-cli against the real main window, driven through its menus: the picture of graph box
// and labels compared pixel for pixel with render, and the menu's text export byte for byte
// with export.
#include "CliTestSupport.h"
#include "GoldenFile.h"
#include "ScriptedFileChooser.h"
#include "WaitIdle.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "core/graph/GraphColors.h"
#include "core/graph/GraphView.h"
#include "ui/common/TStatusBar.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/TFormMain.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

namespace {

struct Options {
    bool rOnly = false;
    bool thick = false;
    bool raw = false;
    int band = 0;    // 0: the file's band
    QList<int> refs; // fixture indexes loaded as references
    QString view;    // the graph menu's view by its command-line name; empty for the default
    bool legend = false;
    bool logZ = false;
    bool percent = false;
};

// Pixels that differ, with the first one named.
QString compareImages(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes %1x%2 and %3x%4")
            .arg(a.width())
            .arg(a.height())
            .arg(b.width())
            .arg(b.height());
    int n = 0;
    QPoint firstAt;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF) && n++ == 0)
                firstAt = QPoint(x, y);
    if (n == 0)
        return QString();
    return QStringLiteral("%1 pixels differ, first at (%2, %3)")
        .arg(n)
        .arg(firstAt.x())
        .arg(firstAt.y());
}

// Pixels whose colour leans clearly towards `colour` (label text is drawn smoothed, so few
// pixels carry the exact colour).
int countNear(const QImage &image, const QRect &area, ColorRef colour)
{
    const QColor want = toQColor(colour);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c(image.pixel(x, y));
            const int spread =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            const bool sameHue = (c.red() > 128) == (want.red() > 128) &&
                                 (c.green() > 128) == (want.green() > 128) &&
                                 (c.blue() > 128) == (want.blue() > 128);
            n += spread > 100 && sameHue;
        }
    return n;
}

} // namespace

Q_DECLARE_METATYPE(Options)

class TestCliWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sameAsWindow_data();
    void sameAsWindow();
    void viewRefusedInWindow();
    void readoutAndZoomInViews();
    void defaultSizeAndLabels();
    void withoutDisplay();
    void exportSameAsMenu_data();
    void exportSameAsMenu();
    void zmaSameAsMenu();

private:
    void open(const QString &path);
    void setOption(QAction *action, bool on);

    QTemporaryDir m_files;
    QTemporaryDir *m_dir = nullptr;
    ScopedFileSeams *m_seams = nullptr;
    TFormMain *m_win = nullptr;
};

void TestCliWindow::initTestCase()
{
    QVERIFY(m_files.isValid());
    for (const cli::Fixture &f : cli::fixtures())
        QVERIFY(!cli::writeFixture(m_files.path(), f).isEmpty());
}

void TestCliWindow::init()
{
    m_dir = new QTemporaryDir;
    setSettingsDirectoryOverride(m_dir->path());
    m_seams = new ScopedFileSeams;
    m_win = new TFormMain;
    QVERIFY(startWindow(m_win));
}

void TestCliWindow::cleanup()
{
    delete m_win;
    m_win = nullptr;
    delete m_seams;
    m_seams = nullptr;
    delete m_dir;
    m_dir = nullptr;
}

// "開く" with the file chosen in the dialog.
void TestCliWindow::open(const QString &path)
{
    m_seams->files.answers << QStringList{path};
    m_win->findChild<QAction *>("MenuFile_Open")->trigger();
    QCOMPARE(m_win->document().measurement().valid, quint8(1));
    QCOMPARE(m_win->document().dataFileName(), path);
}

// A graph option as the user sets it: its menu item, when the mark differs.
void TestCliWindow::setOption(QAction *action, bool on)
{
    if (action->isChecked() != on)
        action->trigger();
    QCOMPARE(action->isChecked(), on);
}

void TestCliWindow::sameAsWindow_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Options>("options");
    for (int i = 0; i < cli::fixtures().size(); ++i)
        QTest::newRow(cli::fixtures()[i].name) << i << Options{};
    QTest::newRow("r only") << 1 << Options{true, false, false, 0, {}, "", false, false, false};
    QTest::newRow("thick") << 2 << Options{false, true, false, 0, {}, "", false, false, false};
    QTest::newRow("raw") << 7 << Options{false, false, true, 0, {}, "", false, false, false};
    QTest::newRow("other band") << 1
                                << Options{false, false, false, 9, {}, "", false, false, false};
    QTest::newRow("first model on band 2")
        << 6 << Options{false, false, false, 2, {}, "", false, false, false};
    QTest::newRow("one reference")
        << 1 << Options{false, false, false, 0, {2}, "", false, false, false};
    QTest::newRow("five references, thick, raw")
        << 1 << Options{false, true, true, 0, {0, 2, 5, 7, 9}, "", false, false, false};
    QTest::newRow("references r only")
        << 5 << Options{true, false, false, 0, {7}, "", false, false, false};
    QTest::newRow("rx, legend") << 1
                                << Options{false, false, false, 0, {2}, "rx", true, false, false};
    QTest::newRow("nyquist") << 1
                             << Options{false, false, false, 0, {}, "nyquist", false, false, false};
    QTest::newRow("nyquist, five references, legend")
        << 1 << Options{false, true, false, 0, {0, 2, 5, 7, 9}, "nyquist", true, false, false};
    QTest::newRow("diff in %") << 1
                               << Options{false, false, false, 0, {2}, "diff", false, false, true};
    QTest::newRow("diff, other band")
        << 1 << Options{false, false, false, 0, {3}, "diff", false, false, false};
    QTest::newRow("ratio against itself, legend, r only")
        << 1 << Options{true, false, false, 0, {1}, "ratio", true, false, false};
    QTest::newRow("zphase, log |Z|, legend")
        << 1 << Options{false, false, false, 0, {2}, "zphase", true, true, false};
}

void TestCliWindow::sameAsWindow()
{
    QFETCH(int, index);
    QFETCH(Options, options);
    const QString path = cli::fixturePath(m_files.path(), cli::fixtures()[index]);

    // The window after "開く", "読込み" of the references, the graph options and a band chosen
    // in the band list.
    open(path);
    QStringList args{"render", path};
    QStringList refs;
    for (int k : options.refs)
        refs << cli::fixturePath(m_files.path(), cli::fixtures()[k]);
    if (!refs.isEmpty()) {
        m_seams->files.answers << refs;
        m_win->findChild<QAction *>("MenuRef_Open")->trigger();
        QCOMPARE(m_win->document().refCount(), int(refs.size()));
        for (const QString &ref : refs)
            args << "--ref" << ref;
    }
    setOption(m_win->findChild<QAction *>("MenuGraph_R_only"), options.rOnly);
    setOption(m_win->findChild<QAction *>("MenuGraph_Wide"), options.thick);
    setOption(m_win->findChild<QAction *>("MenuGraph_Ave"), !options.raw);
    setOption(m_win->findChild<QAction *>("MenuGraph_Legend"), options.legend);
    setOption(m_win->findChild<QAction *>("MenuGraph_LogZ"), options.logZ);
    setOption(m_win->findChild<QAction *>("MenuGraph_DiffPct"), options.percent);
    static const char *const kEntries[] = {"ZPhase", "RX", "Nyquist", "Diff", "Ratio"};
    const GraphView chosen = graphViewFromName(options.view).value_or(GraphView::ZPhase);
    const QString entry = QStringLiteral("MenuGraph_View") + QLatin1String(kEntries[int(chosen)]);
    m_win->findChild<QAction *>(entry)->trigger();
    if (options.band) {
        m_win->findChild<QComboBox *>("ComboBox2")->setCurrentIndex(options.band - 1);
        emit m_win->findChild<QComboBox *>("ComboBox2")->activated(options.band - 1);
    }
    QCOMPARE(m_win->shownScale().band,
             options.band ? options.band : m_win->document().measurement().band);
    QVERIFY2(m_seams->messages.boxes.isEmpty(), qPrintable(m_seams->messages.lastText()));

    // The box with the labels round it: 64 pixels to the left, 76 to the right, 24 above and
    // the frequency labels below.
    const QRect box = m_win->findChild<TPaintBox *>("PaintBox1")->geometry();
    QCOMPARE(box.topLeft(), QPoint(64, 24));
    const QSize picture(box.width() + 140, box.height() + 72);
    const QImage window = m_win->centralWidget()
                              ->grab(QRect(0, 0, picture.width(), box.bottom() + 37))
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);

    const QString png = m_dir->filePath("graph.png");
    args << "-o" << png << "--size"
         << QStringLiteral("%1x%2").arg(picture.width()).arg(picture.height());
    if (options.rOnly)
        args << "--r-only";
    if (options.thick)
        args << "--thick";
    if (options.raw)
        args << "--raw";
    if (options.band)
        args << "--band" << QString::number(options.band);
    if (!options.view.isEmpty())
        args << "--view" << options.view;
    if (options.legend)
        args << "--legend";
    if (options.logZ)
        args << "--log-z";
    if (options.percent)
        args << "--percent";
    const cli::Result r = cli::run(args);
    QCOMPARE(r.exitCode, 0);
    // A reference of another band is compared only where both have points, and that is said.
    QCOMPARE(r.err.contains("points not compared"), options.view == QLatin1String("diff"));
    const QImage drawn(png);
    QCOMPARE(drawn.size(), picture);
    const QImage part = drawn.copy(window.rect()).convertToFormat(QImage::Format_RGB32);
    const QString d = compareImages(part, window);
    if (!d.isEmpty()) {
        window.save(QStringLiteral(VELO2_BINARY_DIR "/cli_render_window.png"));
        drawn.save(QStringLiteral(VELO2_BINARY_DIR "/cli_render_tool.png"));
    }
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

void TestCliWindow::viewRefusedInWindow()
{
    // A table without phase: Nyquist is refused with its box and the view before comes back;
    // a difference without a reference likewise.
    const QString flat = m_dir->filePath("flat.txt");
    QVERIFY(golden::writeBytes(flat, "10 8\n1000 8\n100000 8\n"));
    m_seams->files.answers << QStringList{flat};
    m_win->findChild<QAction *>("MenuFile_Open")->trigger();
    QVERIFY(m_win->document().hasMeasurement() && !m_win->document().measurementHasPhase());
    m_seams->messages.boxes.clear();
    QAction *zPhase = m_win->findChild<QAction *>("MenuGraph_ViewZPhase");
    for (const char *entry : {"MenuGraph_ViewNyquist", "MenuGraph_ViewDiff"}) {
        m_win->findChild<QAction *>(entry)->trigger();
        QCOMPARE(m_seams->messages.boxes.size(), 1);
        QVERIFY(zPhase->isChecked());
        m_seams->messages.boxes.clear();
    }
    // R and X of a curve with phase are drawn without a word.
    open(cli::fixturePath(m_files.path(), cli::fixtures()[1]));
    m_win->findChild<QAction *>("MenuGraph_ViewRX")->trigger();
    QVERIFY(m_seams->messages.boxes.isEmpty());
    QVERIFY(!zPhase->isChecked());
    // Opened later in a view it cannot give, or compared with a reference of another band,
    // the status line says so.
    auto readout = [this] {
        return m_win->findChild<TStatusBar *>("StatusBar1")->panel(2)->text();
    };
    m_seams->files.answers << QStringList{flat};
    m_win->findChild<QAction *>("MenuFile_Open")->trigger();
    QCOMPARE(readout(), QStringLiteral("この表示では表示できない曲線です"));
    open(cli::fixturePath(m_files.path(), cli::fixtures()[1]));
    m_seams->files.answers << QStringList{cli::fixturePath(m_files.path(), cli::fixtures()[2])};
    m_win->findChild<QAction *>("MenuRef_Open")->trigger();
    m_win->findChild<QAction *>("MenuGraph_ViewDiff")->trigger();
    QCOMPARE(readout(), QStringLiteral("参照データのない448点は比べていません"));
}

void TestCliWindow::readoutAndZoomInViews()
{
    const QString path = cli::fixturePath(m_files.path(), cli::fixtures()[1]);
    open(path);
    m_seams->files.answers << QStringList{path};
    m_win->findChild<QAction *>("MenuRef_Open")->trigger();
    auto *box = m_win->findChild<TPaintBox *>("PaintBox1");
    auto readAt = [&](QPoint at) {
        QTest::mousePress(box, Qt::LeftButton, {}, at);
        QTest::mouseRelease(box, Qt::LeftButton, {}, at);
        return m_win->findChild<TStatusBar *>("StatusBar1")->panel(2)->text();
    };
    const QPoint middle(box->width() / 2, box->height() / 2);

    // Nyquist reads the point nearest in the plane, so the height counts; a curve against
    // itself differs by nothing.
    m_win->findChild<QAction *>("MenuGraph_ViewNyquist")->trigger();
    const QString high = readAt(QPoint(middle.x(), 5));
    const QString low = readAt(QPoint(middle.x(), box->height() - 5));
    QVERIFY2(high.contains("θ：") && low.contains("θ：") && high != low, qPrintable(high));
    m_win->findChild<QAction *>("MenuGraph_ViewDiff")->trigger();
    QVERIFY2(readAt(middle).endsWith("Δ|Z|：0.00[Ω] (0.00[%]) / Δθ：0.0[deg]"),
             qPrintable(readAt(middle)));

    // A drag zooms the chart, the wheel too, and Escape brings back the whole band, pixel
    // for pixel.
    m_win->findChild<QAction *>("MenuGraph_ViewZPhase")->trigger();
    const QImage whole = box->grab().toImage();
    QLabel *firstHz = m_win->findChild<QLabel *>("Label10");
    const QString wholeHz = firstHz->text();
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mouseMove(box, QPoint(200, 200));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(200, 200));
    QVERIFY(firstHz->text() != wholeHz);
    QVERIFY(box->grab().toImage() != whole);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(firstHz->text(), wholeHz);
    QCOMPARE(box->grab().toImage(), whole);
    QWheelEvent wheel(QPointF(middle), box->mapToGlobal(QPointF(middle)), {}, {0, 120},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
    QVERIFY(box->grab().toImage() != whole);
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(box->grab().toImage(), whole);
}

void TestCliWindow::defaultSizeAndLabels()
{
    // The design size of the box, R labels in the R colour to the left of it, phase labels in
    // the phase colour to the right, and none of them with --r-only.
    const QString path = cli::fixturePath(m_files.path(), cli::fixtures()[1]);
    const QString png = m_dir->filePath("graph.png");
    const Settings defaults;
    const QRect leftOfBox(0, 0, 60, 384);
    const QRect rightOfBox(566, 0, 74, 384);
    for (bool rOnly : {false, true}) {
        QStringList args{"render", path, "-o", png};
        if (rOnly)
            args << "--r-only";
        const cli::Result r = cli::run(args);
        QCOMPARE(r.exitCode, 0);
        const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(640, 384));
        QCOMPARE(QColor(image.pixel(64, 24)), QColor(Qt::black)); // the frame
        QCOMPARE(QColor(image.pixel(563, 335)), QColor(Qt::black));
        QVERIFY(countNear(image, leftOfBox, defaults.colorR) > 50);
        QCOMPARE(countNear(image, rightOfBox, defaults.colorTheta) > 50, !rOnly);
    }

    // Standard output takes the same picture.
    QCOMPARE(cli::run({"render", path, "-o", png}).exitCode, 0);
    const cli::Result toStdout = cli::run({"render", path, "-o", "-"});
    QCOMPARE(toStdout.exitCode, 0);
    QCOMPARE(toStdout.out, cli::readAll(png));
}

void TestCliWindow::withoutDisplay()
{
    // Neither a platform nor a display given, or a display that does not answer: the picture is
    // still made.
    const QString path = cli::fixturePath(m_files.path(), cli::fixtures()[0]);
    const QString png = m_dir->filePath("graph.png");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QStringList &vars : {QStringList{"DISPLAY=", "QT_QPA_PLATFORM="},
                                    QStringList{"DISPLAY=:99", "QT_QPA_PLATFORM="}}) {
        QFile::remove(png);
        const cli::Result r = cli::run({"render", path, "-o", png}, QString(), vars);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QImage(png).size(), QSize(640, 384));
    }
}

void TestCliWindow::exportSameAsMenu_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("averaging");
    for (int i = 0; i < cli::fixtures().size(); ++i) {
        QTest::addRow("%s averaged", cli::fixtures()[i].name) << i << true;
        QTest::addRow("%s raw", cli::fixtures()[i].name) << i << false;
    }
}

void TestCliWindow::exportSameAsMenu()
{
    // "データをテキスト出力" after "開く", with the averaging option as given.
    QFETCH(int, index);
    QFETCH(bool, averaging);
    const QString path = cli::fixturePath(m_files.path(), cli::fixtures()[index]);
    open(path);
    setOption(m_win->findChild<QAction *>("MenuGraph_Ave"), averaging);
    const QString fromMenu = m_dir->filePath("menu.txt");
    m_seams->files.answers << QStringList{fromMenu};
    m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    const QByteArray expected = cli::readAll(fromMenu);
    QVERIFY(expected.startsWith("HK-A2 "));

    QStringList args{"export", path};
    if (!averaging)
        args << "--raw";
    const cli::Result toStdout = cli::run(args);
    QCOMPARE(toStdout.exitCode, 0);
    QString d = golden::diff(toStdout.out, expected);
    QVERIFY2(d.isEmpty(), qPrintable(d));

    const QString toFile = m_dir->filePath("tool.txt");
    QCOMPARE(cli::run(args << "-o" << toFile).exitCode, 0);
    d = golden::diff(cli::readAll(toFile), expected);
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

void TestCliWindow::zmaSameAsMenu()
{
    // "ZMA出力" after "開く" of a table writes what velo2-cli zma writes, byte for byte.
    const QString path = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/seas_l16rnx_0g.zma");
    open(path);
    setOption(m_win->findChild<QAction *>("MenuGraph_Ave"), false);
    m_seams->files.answers << QStringList{m_dir->filePath("menu")};
    m_win->findChild<QAction *>("MenuFile_Zma")->trigger();
    const QByteArray expected = cli::readAll(m_dir->filePath("menu.zma"));
    QVERIFY(expected.startsWith("* VELO2: seas_l16rnx_0g.zma, band 2 (10Hz-100kHz)\r\n"));

    const cli::Result r = cli::run({"zma", path, "--raw"});
    QCOMPARE(r.exitCode, 0);
    const QString d = golden::diff(r.out, expected);
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

QTEST_MAIN(TestCliWindow)
#include "tst_cli_window.moc"
