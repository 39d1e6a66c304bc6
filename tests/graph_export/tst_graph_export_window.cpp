// The main window's export and copy of the graph: its menu entries, the file at the shown
// size pixel for pixel the window's picture, a target that cannot be written, and Ctrl+C.
#include "CliTestSupport.h"
#include "ScriptedFileChooser.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "core/graph/ChartScheme.h"
#include "ui/common/Seams.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/TFormMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ScriptedNumbers : NumberChooser {
    QList<int> answers; // none left: cancelled
    bool chooseNumber(QWidget *, const QString &, const QString &, int min, int max,
                      int &value) override
    {
        if (answers.isEmpty())
            return false;
        value = std::clamp(answers.takeFirst(), min, max);
        return true;
    }
};

} // namespace

class TestGraphExportWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void exportSameAsWindow();
    void badTargetsChangeNothing_data();
    void badTargetsChangeNothing();
    void copyPutsPngAndSvg();
    void darkDesktopDarkPlot();

private:
    QTemporaryDir *m_dir = nullptr;
    ScopedFileSeams *m_seams = nullptr;
    ScriptedNumbers m_numbers;
    TFormMain *m_win = nullptr;
    QString m_data;
};

void TestGraphExportWindow::init()
{
    m_dir = new QTemporaryDir;
    setSettingsDirectoryOverride(m_dir->path());
    m_seams = new ScopedFileSeams;
    Seams::installNumbers(&m_numbers);
    m_win = new TFormMain;
    QVERIFY(startWindow(m_win));
    m_data = cli::writeFixture(m_dir->path(), cli::fixtures()[1]);
    m_seams->files.answers << QStringList{m_data};
    m_win->findChild<QAction *>("MenuFile_Open")->trigger();
    QCOMPARE(m_win->document().dataFileName(), m_data);
}

void TestGraphExportWindow::cleanup()
{
    delete m_win;
    Seams::installNumbers(nullptr);
    delete m_seams;
    delete m_dir;
}

void TestGraphExportWindow::exportSameAsWindow()
{
    // PNG at the size the dialog proposes is the window's box and labels, pixel for pixel;
    // SVG and PDF go through the same entry.
    const QRect box = m_win->findChild<TPaintBox *>("PaintBox1")->geometry();
    const QImage window = m_win->centralWidget()
                              ->grab(QRect(0, 0, box.width() + 140, box.bottom() + 37))
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    QAction *entry = m_win->findChild<QAction *>("MenuFile_ExportGraph");
    QVERIFY(entry);
    QVERIFY(m_win->findChild<QMenu *>("MenuFile")->actions().contains(entry));
    for (const char *name : {"g.png", "g.svg", "g.pdf"}) {
        const QString path = m_dir->filePath(name);
        m_seams->files.answers << QStringList{path};
        m_numbers.answers = {box.width() + 140, box.height() + 72};
        entry->trigger();
        QVERIFY2(m_seams->messages.boxes.isEmpty(), qPrintable(m_seams->messages.lastText()));
        QVERIFY(QFileInfo(path).size() > 1000);
    }
    QCOMPARE(m_seams->files.lastSuggested(), QFileInfo(m_data).completeBaseName() + ".svg");
    const QImage png = QImage(m_dir->filePath("g.png")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(png.size(), box.size() + QSize(140, 72));
    QCOMPARE(png.copy(window.rect()), window);
    QVERIFY(cli::readAll(m_dir->filePath("g.pdf")).startsWith("%PDF-"));

    // A chosen size; the size dialog cancelled writes nothing.
    m_seams->files.answers << QStringList{m_dir->filePath("big.png")};
    m_numbers.answers = {1200, 900};
    entry->trigger();
    QCOMPARE(QImage(m_dir->filePath("big.png")).size(), QSize(1200, 900));
    m_seams->files.answers << QStringList{m_dir->filePath("none.png")};
    entry->trigger();
    QVERIFY(!QFile::exists(m_dir->filePath("none.png")));
}

void TestGraphExportWindow::badTargetsChangeNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("said");
    QTest::newRow("no such folder") << "missing/g.svg"
                                    << "フォルダがありません";
    QTest::newRow("a folder") << "folder.svg"
                              << "folder.svg";
    QTest::newRow("unknown suffix") << "g.eps"
                                    << ".svg、.pdf、.png";
}

void TestGraphExportWindow::badTargetsChangeNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, said);
    QVERIFY(QDir(m_dir->path()).mkdir("folder.svg"));
    const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);
    m_seams->files.answers << QStringList{m_dir->filePath(name)};
    m_numbers.answers = {640, 400};
    m_win->findChild<QAction *>("MenuFile_ExportGraph")->trigger();
    QCOMPARE(m_seams->messages.boxes.size(), 1);
    QVERIFY2(m_seams->messages.lastText().contains(said), qPrintable(m_seams->messages.lastText()));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(QDir(m_dir->filePath("folder.svg")).isEmpty());
}

void TestGraphExportWindow::copyPutsPngAndSvg()
{
    // Ctrl+C is the graph menu's copy and nothing else's.
    QAction *copy = m_win->findChild<QAction *>("MenuGraph_Copy");
    QVERIFY(copy);
    QCOMPARE(copy->shortcut(), QKeySequence(QKeySequence::Copy));
    for (QAction *a : m_win->findChildren<QAction *>())
        QVERIFY(a == copy || a->shortcut() != copy->shortcut());
    QGuiApplication::clipboard()->clear();
    copy->trigger();
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime && mime->hasImage());
    const QSize box = m_win->findChild<TPaintBox *>("PaintBox1")->size();
    QCOMPARE(qvariant_cast<QImage>(mime->imageData()).size(), box + QSize(140, 72));
    QVERIFY(mime->data("image/svg+xml").contains("<polyline"));
}

void TestGraphExportWindow::darkDesktopDarkPlot()
{
    // A window started on a dark desktop draws a dark plot and lightens the blue |Z| labels
    // (the other tests' light desktop keeps the classic white).
    delete m_win;
    const QPalette light = QApplication::palette();
    QApplication::setPalette(darkChartPalette());
    m_win = new TFormMain;
    const bool started = startWindow(m_win);
    const QImage pic = m_win->findChild<TPaintBox *>("PaintBox1")->grab().toImage();
    const QColor rLabel = m_win->axisLabels()[0]->palette().color(QPalette::WindowText);
    QApplication::setPalette(light);
    QVERIFY(started);
    const ChartScheme scheme = chartSchemeFor(darkChartPalette());
    QCOMPARE(QColor(pic.pixel(0, 0)), toQColor(scheme.frame));
    QCOMPARE(QColor(pic.pixel(3, 3)), toQColor(scheme.background));
    QCOMPARE(rLabel, toQColor(readableOn(Settings().colorR, scheme)));
    QVERIFY(rLabel != toQColor(Settings().colorR));
    // Back to a light desktop: the classic white plot and blue labels again.
    auto *box = m_win->findChild<TPaintBox *>("PaintBox1");
    QTRY_COMPARE(QColor(box->grab().toImage().pixel(3, 3)), QColor(Qt::white));
    QCOMPARE(m_win->axisLabels()[0]->palette().color(QPalette::WindowText),
             toQColor(Settings().colorR));
}

QTEST_MAIN(TestGraphExportWindow)
#include "tst_graph_export_window.moc"
