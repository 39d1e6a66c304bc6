#include "DataFiles.h"
#include "DocumentProbe.h"
#include "ModalDriver.h"
#include "ScriptedChoosers.h"
#include "ScriptedFileChooser.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/analysis/WorksheetFields.h"
#include "ui/graph/TFormSetColor.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/TFormMain.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What undo must bring back: the document, the colours, the graph menu's marks and the
// worksheet's inputs.
struct Shown {
    DocumentState document;
    Settings settings;
    QStringList checked;
    QMap<QString, QString> worksheet;
    bool operator==(const Shown &o) const
    {
        return document == o.document && worksheet == o.worksheet && checked == o.checked &&
               coloursOf(settings) == coloursOf(o.settings);
    }
};

} // namespace

class TestAppWorkspace : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void workspaceRoundTripEqualsTheDocument();
    void undoRedoRestoresEachAction_data();
    void undoRedoRestoresEachAction();
    void measurementIsNeverUndoneAway();
    void dropOpensTheFile_data();
    void dropOpensTheFile();
    void recentFilesSurviveARestart();
    void workspaceNamedAtStartOpens();

private:
    QAction *action(const char *name) { return m_win->findChild<QAction *>(name); }
    QString put(const QString &name, double peak)
    {
        datafiles::FileShape shape;
        shape.peakOhm = peak;
        datafiles::write(m_dir->filePath(name), datafiles::bytes(shape));
        return m_dir->filePath(name);
    }
    Shown shown()
    {
        Shown s;
        s.document = m_win->document().state();
        s.settings = m_win->preferences().settings;
        for (QMenu *menu : m_win->findChildren<QMenu *>(QStringLiteral("MenuGraph")))
            for (QAction *a : menu->findChildren<QAction *>())
                if (a->isCheckable() && a->isChecked())
                    s.checked << a->objectName();
        s.worksheet = inputValues(m_win->findChild<TFormWorksheet *>());
        return s;
    }
    void open(const QString &path)
    {
        m_seams->files.answers = {{path}};
        action("MenuFile_Open")->trigger();
    }
    void drop(const QString &path, Qt::KeyboardModifiers modifiers)
    {
        auto *mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_win, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_win, &dropped);
        delete mime;
    }
    struct Seamed {
        Seamed() { Seams::install(&messages, &files, &colors); }
        ~Seamed() { Seams::install(nullptr); }
        RecordingPresenter messages;
        ScriptedFileChooser files;
        ScriptedColorChooser colors;
    };
    QTemporaryDir *m_dir = nullptr;
    Seamed *m_seams = nullptr;
    TFormMain *m_win = nullptr;
};

void TestAppWorkspace::init()
{
    m_dir = new QTemporaryDir;
    setSettingsDirectoryOverride(m_dir->path());
    m_seams = new Seamed;
    m_win = new TFormMain;
    QVERIFY(startWindow(m_win));
}

void TestAppWorkspace::cleanup()
{
    delete m_win;
    delete m_seams;
    delete m_dir;
}

void TestAppWorkspace::workspaceRoundTripEqualsTheDocument()
{
    open(put("free.DTA", 30));
    m_seams->files.answers = {{put("ref.DTA", 40), put("ref2.DTA", 50)}};
    action("MenuRef_Open")->trigger();
    action("MenuGraph_Legend")->trigger();
    m_win->findChild<QLineEdit *>("ReEdit")->setText("6.3");
    const Shown saved = shown();
    QCOMPARE(saved.document.refCount, 2);
    const QString path = m_dir->filePath("bench");
    m_seams->files.answers = {{path}};
    action("MenuFile_SaveWorkspace")->trigger();
    QVERIFY(QFile::exists(path + ".velo2ws"));

    // Everything changed, and a reference's file moved away.
    action("MenuRef_Close")->trigger();
    action("MenuGraph_Legend")->trigger();
    m_win->findChild<QLineEdit *>("ReEdit")->setText("7");
    open(put("other.DTA", 20));
    QVERIFY(QFile::rename(m_dir->filePath("ref.DTA"), m_dir->filePath("moved.DTA")));
    m_seams->messages.boxes.clear();
    m_seams->files.answers = {{path + ".velo2ws"}};
    action("MenuFile_OpenWorkspace")->trigger();
    QVERIFY(shown() == saved);
    QCOMPARE(m_seams->messages.boxes.size(), 1);
    QVERIFY(m_seams->messages.lastText().contains(m_dir->filePath("ref.DTA")));
    QVERIFY(m_seams->messages.lastText().contains("写しを使いました"));

    // A damaged one changes nothing and says so.
    datafiles::write(path + ".velo2ws", "VELO2 workspace 1\r\nview\r\n");
    m_seams->files.answers = {{path + ".velo2ws"}};
    action("MenuFile_OpenWorkspace")->trigger();
    QVERIFY(shown() == saved);
    QVERIFY(m_seams->messages.lastText().contains("2 行目"));
}

void TestAppWorkspace::undoRedoRestoresEachAction_data()
{
    QTest::addColumn<QString>("act");
    for (const char *act : {"open", "import", "load references", "clear references", "recolour",
                            "view", "view option", "averaging", "worksheet input"})
        QTest::newRow(act) << QString::fromLatin1(act);
}

void TestAppWorkspace::undoRedoRestoresEachAction()
{
    QFETCH(QString, act);
    open(put("free.DTA", 30));
    m_seams->files.answers = {{put("ref.DTA", 40)}};
    action("MenuRef_Open")->trigger();
    const Shown before = shown();
    if (act == "open") {
        open(put("other.DTA", 20));
    } else if (act == "import") {
        datafiles::write(m_dir->filePath("t.zma"), "20 6.1 5\n200 9 -3\n2000 12 20\n");
        open(m_dir->filePath("t.zma"));
    } else if (act == "load references") {
        m_seams->files.answers = {{put("ref2.DTA", 50)}};
        action("MenuRef_Open")->trigger();
    } else if (act == "clear references") {
        action("MenuRef_Close")->trigger();
    } else if (act == "recolour") {
        m_seams->colors.answers = {QColor(10, 200, 30)};
        whenModalShown<TFormSetColor>([](TFormSetColor *d) {
            QTest::mouseClick(d->PaintBox1, Qt::LeftButton);
            QTest::mouseClick(d->SetBtn, Qt::LeftButton);
        });
        action("MenuSet_Color")->trigger();
    } else if (act == "view") {
        action("MenuGraph_ViewRX")->trigger();
    } else if (act == "view option") {
        action("MenuGraph_LogZ")->trigger();
    } else if (act == "averaging") {
        action("MenuGraph_Ave")->trigger();
    } else {
        auto *edit = m_win->findChild<QLineEdit *>("TempEdit");
        edit->setText("23.5");
        emit edit->editingFinished();
    }
    QVERIFY(waitUntil([] { return true; }));
    const Shown after = shown();
    QVERIFY(!(after == before));
    action("MenuFile_Undo")->trigger();
    QVERIFY(shown() == before);
    QVERIFY(action("MenuFile_Redo")->isEnabled());
    action("MenuFile_Redo")->trigger();
    QVERIFY(shown() == after);
}

void TestAppWorkspace::measurementIsNeverUndoneAway()
{
    open(put("free.DTA", 30));
    action("MenuGraph_Legend")->trigger();
    open(put("other.DTA", 20));
    // As a run leaves it: in no file, not saved.
    DocumentProbe::saved(m_win->document()) = 0;
    DocumentProbe::dataFileName(m_win->document()).clear();
    const DocumentState measured = m_win->document().state();
    int steps = 0;
    for (; action("MenuFile_Undo")->isEnabled(); ++steps)
        action("MenuFile_Undo")->trigger();
    QCOMPARE(steps, 3);
    QVERIFY(*m_win->document().state().measurement == *measured.measurement);
    QVERIFY(!action("MenuGraph_Legend")->isChecked());
}

void TestAppWorkspace::dropOpensTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("measurement"); // the measurement is now the dropped file
    QTest::addColumn<int>("refs");
    QTest::addColumn<QString>("box"); // part of the box's text, if one is shown
    QTest::newRow("data file") << "drop.DTA" << false << true << 0 << "";
    QTest::newRow("with Ctrl: a reference") << "drop.DTA" << true << false << 1 << "";
    QTest::newRow("folder") << "folder" << false << false << 0 << "フォルダー";
    QTest::newRow("unknown file") << "drop.xyz" << false << false << 0 << "開けるファイルでは";
    QTest::newRow("damaged data file") << "bad.DTA" << false << false << 0 << "";
}

void TestAppWorkspace::dropOpensTheFile()
{
    QFETCH(QString, name);
    QFETCH(bool, ctrl);
    QFETCH(bool, measurement);
    QFETCH(int, refs);
    QFETCH(QString, box);
    open(put("free.DTA", 30));
    const Shown before = shown();
    put("drop.DTA", 25);
    datafiles::write(m_dir->filePath("drop.xyz"), "20 6\n");
    datafiles::write(m_dir->filePath("bad.DTA"), "DataFile:HK-B\r\n");
    QDir(m_dir->path()).mkdir("folder");
    m_seams->messages.boxes.clear();
    drop(m_dir->filePath(name), ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(m_win->document().dataFileName(),
             m_dir->filePath(measurement ? name : QStringLiteral("free.DTA")));
    QCOMPARE(m_win->document().refCount(), refs);
    if (!measurement && refs == 0)
        QVERIFY(shown() == before);
    QCOMPARE(m_seams->messages.boxes.isEmpty(), box.isEmpty() && name != "bad.DTA");
    QVERIFY(m_seams->messages.lastText().contains(box));
}

void TestAppWorkspace::recentFilesSurviveARestart()
{
    const QString path = put("free.DTA", 30);
    open(path);
    delete m_win;
    m_win = new TFormMain;
    QVERIFY(startWindow(m_win));
    QAction *first = action("MenuFile_Recent1");
    QVERIFY(first && first->text().endsWith(path));
    QVERIFY(QFile::remove(path));
    first->trigger();
    QVERIFY(m_seams->messages.lastText().contains("一覧から外しました"));
    QVERIFY(!action("MenuFile_Recent1"));
}

void TestAppWorkspace::workspaceNamedAtStartOpens()
{
    open(put("free.DTA", 30));
    const Shown saved = shown();
    m_seams->files.answers = {{m_dir->filePath("start.velo2ws")}};
    action("MenuFile_SaveWorkspace")->trigger();
    delete m_win;
    m_win = new TFormMain;
    m_win->openAtStart(m_dir->filePath("start.velo2ws"));
    QVERIFY(startWindow(m_win));
    QVERIFY(waitUntil([this] { return m_win->document().hasMeasurement(); }));
    QVERIFY(shown() == saved);
    // What the start opened is not undone.
    QVERIFY(!action("MenuFile_Undo")->isEnabled());
}

QTEST_MAIN(TestAppWorkspace)
#include "tst_app_workspace.moc"
