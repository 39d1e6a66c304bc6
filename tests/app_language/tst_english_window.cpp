#include "RecordingPresenter.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "ui/common/QtTranslation.h"
#include "ui/common/TStatusBar.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/MainFileCommands.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

// The window started in English, as main() starts it on a desktop that is not Japanese.
class TestEnglishWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        setSettingsDirectoryOverride(m_dir.path());
        m_win = new TFormMain;
        QVERIFY(startWindow(m_win));
    }
    void cleanup() { delete m_win; }
    void menusAndButtons();
    void failedStartSpeaksEnglish();
    void languageChoiceIsKeptForTheNextStart();
    void importedTableSpeaksEnglish();

private:
    QTemporaryDir m_dir;
    ScopedRecorder m_rec;
    TFormMain *m_win = nullptr;
};

void TestEnglishWindow::menusAndButtons()
{
    QStringList titles;
    for (QAction *a : m_win->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles,
             (QStringList{"&File", "&Measure", "&Graph", "&Reference", "Se&ttings", "&Help"}));
    QCOMPARE(m_win->findChild<QAction *>("MenuFile_Open")->text(), QStringLiteral("&Open..."));
    QCOMPARE(m_win->findChild<QPushButton *>("MStartBtn")->text(), QStringLiteral("&Start"));
    QCOMPARE(m_win->findChild<QPushButton *>("QuitBtn")->text(), QStringLiteral("E&xit"));
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->itemText(1),
             QStringLiteral("10 Hz – 100 kHz"));
}

void TestEnglishWindow::failedStartSpeaksEnglish()
{
    m_win->preferences().settings.comPort = 250; // no such port
    m_win->findChild<QPushButton *>("MStartBtn")->click();
    QCOMPARE(m_win->findChild<TStatusBar *>("StatusBar1")->panel(0)->text(),
             QStringLiteral("Cannot open the serial port"));
    QCOMPARE(m_rec.presenter.lastText(),
             QStringLiteral("The COM port could not be opened. Please check the COM port number."));
    QCOMPARE(m_win->findChild<QPushButton *>("MStartBtn")->text(), QStringLiteral("&Start"));
}

void TestEnglishWindow::languageChoiceIsKeptForTheNextStart()
{
    m_rec.presenter.boxes.clear();
    m_win->findChild<QAction *>("MenuSet_LangJapanese")->trigger();
    QCOMPARE(readLanguageChoice(languageFilePath()), LanguageChoice::Japanese);
    QCOMPARE(m_rec.presenter.lastText(),
             QStringLiteral("The new language applies from the next start"));
    m_win->findChild<QAction *>("MenuSet_LangJapanese")->trigger(); // no change, nothing to say
    QCOMPARE(m_rec.presenter.boxes.size(), 1);
    delete m_win;
    m_win = new TFormMain;
    QVERIFY(m_win->findChild<QAction *>("MenuSet_LangJapanese")->isChecked());
    QVERIFY(!m_win->findChild<QAction *>("MenuSet_LangDesktop")->isChecked());
    QVERIFY(QFile::remove(languageFilePath()));
}

// The status line names the band in English, and no reading of the curve before stays.
void TestEnglishWindow::importedTableSpeaksEnglish()
{
    const auto readAt = [this](int x) {
        m_win->PaintBox1ReadAt(x);
        return m_win->findChild<TStatusBar *>("StatusBar1")->panel(2)->text();
    };
    m_win->files().openDataFile(
        QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/seas_l16rnx_0g.zma"));
    QVERIFY(!readAt(100).isEmpty());
    QFile f(m_dir.filePath("t.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("300 8 0\n1000 9 10\n1800 12 20\n") > 0);
    f.close();
    m_win->files().openDataFile(f.fileName());
    QCOMPARE(m_win->findChild<TStatusBar *>("StatusBar1")->panel(1)->text(),
             QStringLiteral("t.txt read (250 Hz – 2 kHz)"));
    QCOMPARE(m_win->findChild<TStatusBar *>("StatusBar1")->panel(2)->text(), QString());
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!installTranslations(UiLanguage::English))
        return 1;
    TestEnglishWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_english_window.moc"
