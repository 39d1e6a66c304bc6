#include "DataFiles.h"
#include "DocumentProbe.h"
#include "GoldenFile.h"
#include "ScriptedFileChooser.h"
#include "WaitIdle.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "core/files/VELO_File.h"
#include "ui/common/HStatus.h"
#include "ui/common/TStatusBar.h"
#include "ui/main/TFormMain.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>

using Kind = ScriptedFileChooser::Kind;
using Icon = MessagePresenter::Icon;

namespace {

const QString kCaption = QStringLiteral("VELO2 v2.3");
const QString kBadFile = QStringLiteral("データファイルの内容が正しくありませんでした");
const QString kTooMany = QStringLiteral("参照データは５個までにしてください");
const QString kConvert =
    QStringLiteral("ＨＫ－Ａ２／ＶＥＬＯ２のデータファイルとして保存しますか　");
const QString kSaveFailed = QStringLiteral("データ保存できませんでした");

QString overwriteText(const QString &path)
{
    return QStringLiteral("ファイル：") + path + QStringLiteral("があります。\n上書きしますか");
}

// The columns of the open/save/close state table.
struct State {
    int valid;
    int saved;
    int oldFormat;
    QString dataFileName;
    QString title;
    bool operator==(const State &) const = default;
};

char *describe(const State &s)
{
    return qstrdup(QStringLiteral("valid=%1 saved=%2 old=%3 file=%4 title=%5")
                       .arg(s.valid)
                       .arg(s.saved)
                       .arg(s.oldFormat)
                       .arg(s.dataFileName, s.title)
                       .toUtf8()
                       .constData());
}

} // namespace

namespace QTest {
template <> char *toString(const State &s)
{
    return describe(s);
}
} // namespace QTest

class TestFilesWorkflow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openSucceeded_data();
    void openSucceeded();
    void openFailed_data();
    void openFailed();
    void openAsksAboutUnsavedData_data();
    void openAsksAboutUnsavedData();
    void saveSucceeded();
    void saveWithoutData();
    void saveNames_data();
    void saveNames();
    void proposals();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void conversionQuestion_data();
    void conversionQuestion();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void close_data();
    void close();
    void exportNames_data();
    void exportNames();
    void exportAveragedOrRaw_data();
    void exportAveragedOrRaw();
    void exportWithoutDataAndFailures();
    void referenceLimits_data();
    void referenceLimits();
    void referenceBand();
    void referencesLeaveMeasurementAlone();
    void referenceSelectionWithBadFile_data();
    void referenceSelectionWithBadFile();
    void referenceClear();
    void warning150_data();
    void warning150();
    void viewsFollowTheCommands();
    void importTables();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString put(const QString &name, const datafiles::FileShape &shape = {});
    void open(const QString &file);
    void save(const QString &chosen);
    void loadReferences(const QStringList &files);
    // A finished run: a valid, unsaved measurement that no file is known for.
    void measured(const datafiles::FileShape &shape = {});
    State state() const;
    QString panelText(int panel) const
    {
        return m_win->findChild<TStatusBar *>("StatusBar1")->panel(panel)->text();
    }
    RecordingPresenter &boxes() { return m_seams->messages; }
    ScriptedFileChooser &dialogs() { return m_seams->files; }

    QTemporaryDir *m_dir = nullptr;
    ScopedFileSeams *m_seams = nullptr;
    TFormMain *m_win = nullptr;
};

void TestFilesWorkflow::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(QDir().mkpath(path("settings")));
    setSettingsDirectoryOverride(path("settings"));
    m_seams = new ScopedFileSeams;
    m_win = new TFormMain;
    QVERIFY(startWindow(m_win));
    QVERIFY(boxes().boxes.isEmpty());
}

void TestFilesWorkflow::cleanup()
{
    delete m_win;
    delete m_seams;
    delete m_dir;
}

QString TestFilesWorkflow::put(const QString &name, const datafiles::FileShape &shape)
{
    const QString file = path(name);
    QDir().mkpath(QFileInfo(file).path());
    if (!datafiles::write(file, datafiles::bytes(shape)))
        qFatal("cannot write %s", qPrintable(file));
    return file;
}

void TestFilesWorkflow::open(const QString &file)
{
    dialogs().answers = {{file}};
    m_win->findChild<QAction *>("MenuFile_Open")->trigger();
}

void TestFilesWorkflow::save(const QString &chosen)
{
    dialogs().answers = {{chosen}};
    m_win->findChild<QAction *>("MenuFile_Save")->trigger();
}

void TestFilesWorkflow::loadReferences(const QStringList &files)
{
    dialogs().answers = {files};
    m_win->findChild<QAction *>("MenuRef_Open")->trigger();
}

void TestFilesWorkflow::measured(const datafiles::FileShape &shape)
{
    const QString file = put(QStringLiteral("run.tmp"), shape);
    quint8 flag = 0;
    QVERIFY(VELO_File().readDataFile(file, DocumentProbe::unitSerial(m_win->document()), flag,
                                     m_win->preferences().settings.comPort,
                                     &DocumentProbe::measurement(m_win->document())));
    QVERIFY(VELO_File().convertRecord(&DocumentProbe::measurement(m_win->document()),
                                      &DocumentProbe::curveRaw(m_win->document()),
                                      &DocumentProbe::curveAvg(m_win->document())));
    QFile::remove(file);
    DocumentProbe::measurement(m_win->document()).valid = 1;
    DocumentProbe::saved(m_win->document()) = 0;
    DocumentProbe::dataFileName(m_win->document()).clear();
}

State TestFilesWorkflow::state() const
{
    return {m_win->document().measurement().valid, m_win->document().saved(),
            m_win->document().oldFormatLoaded(), m_win->document().dataFileName(),
            m_win->windowTitle()};
}

// ---- Open ----

void TestFilesWorkflow::openSucceeded_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<int>("fileBand");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("oldBefore");
    QTest::addColumn<int>("oldAfter");
    QTest::newRow("current form clears the old-format flag")
        << QByteArray("DataFile:HK-A2") << 7 << 7 << 1 << 0;
    QTest::newRow("first-model form sets it, band mapped")
        << QByteArray("DataFile:HK-A") << 3 << 5 << 0 << 1;
}

void TestFilesWorkflow::openSucceeded()
{
    QFETCH(QByteArray, tag);
    QFETCH(int, fileBand);
    QFETCH(int, band);
    QFETCH(int, oldBefore);
    QFETCH(int, oldAfter);
    datafiles::FileShape shape;
    shape.tag = tag;
    shape.band = fileBand;
    shape.port = 17;
    shape.serial = "SN-4711";
    const QString file = put(QStringLiteral("x.DTA"), shape);
    DocumentProbe::oldFormatLoaded(m_win->document()) = quint8(oldBefore);

    open(file);

    QCOMPARE(state(), (State{1, 1, oldAfter, file, kCaption + " / " + file}));
    QVERIFY(boxes().boxes.isEmpty());
    QCOMPARE(dialogs().calls.size(), 1);
    QCOMPARE(dialogs().calls[0].kind, Kind::Open);
    QCOMPARE(dialogs().calls[0].caption, QStringLiteral("データファイルを選んでください"));
    QCOMPARE(dialogs().calls[0].filter.section(QStringLiteral(";;"), 0, 0),
             QStringLiteral("データファイル (*.DTA)"));
    // The file's serial and COM port are taken over; the band list follows the file.
    QCOMPARE(m_win->document().unitSerial(), QStringLiteral("SN-4711"));
    QCOMPARE(m_win->preferences().settings.comPort, 17);
    QCOMPARE(m_win->document().measurement().band, band);
    QCOMPARE(m_win->shownScale().band, band);
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->currentIndex(), band - 1);
    // The curves were converted from the file.
    const int mid = datafiles::middleIndex(shape);
    QCOMPARE(m_win->document().curveRaw().r[mid], 30.005f);
    QCOMPARE(m_win->document().curveAvg().r[mid], 14.005f);
}

void TestFilesWorkflow::openFailed_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("oldBefore");
    QTest::addColumn<int>("oldAfter");
    QTest::addColumn<int>("portAfter");

    datafiles::FileShape firstModel;
    firstModel.tag = "DataFile:HK-A";
    firstModel.band = 5; // a first-model file has bands 1..4 only
    firstModel.port = 42;
    QByteArray cutShort = datafiles::bytes({});
    cutShort.chop(QByteArray("END:\r\n").size());

    QTest::newRow("unknown first line leaves the flag")
        << QByteArray("DataFile:HK-B\r\n") << 1 << 1 << 3;
    QTest::newRow("first-model file with a bad band")
        << datafiles::bytes(firstModel) << 0 << 1 << 42;
    QTest::newRow("current file without its end line") << cutShort << 1 << 0 << 3;
    QTest::newRow("missing file") << QByteArray() << 1 << 1 << 3;
}

void TestFilesWorkflow::openFailed()
{
    QFETCH(QByteArray, content);
    QFETCH(int, oldBefore);
    QFETCH(int, oldAfter);
    QFETCH(int, portAfter);
    const QString good = put(QStringLiteral("good.DTA"));
    open(good);
    QCOMPARE(m_win->preferences().settings.comPort, 3);
    const QString bad = path(QStringLiteral("bad.DTA"));
    if (!content.isEmpty())
        QVERIFY(datafiles::write(bad, content));
    DocumentProbe::oldFormatLoaded(m_win->document()) = quint8(oldBefore);

    open(bad);

    QCOMPARE(state(), (State{0, 0, oldAfter, bad, kCaption + " / " + good}));
    QCOMPARE(boxes().boxes.size(), 1);
    QCOMPARE(boxes().boxes[0].icon, Icon::Error);
    QCOMPARE(boxes().lastText(), kBadFile);
    QCOMPARE(m_win->preferences().settings.comPort, portAfter);
}

void TestFilesWorkflow::openAsksAboutUnsavedData_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("No keeps the measurement") << false;
    QTest::newRow("Yes opens the file") << true;
}

void TestFilesWorkflow::openAsksAboutUnsavedData()
{
    QFETCH(bool, answer);
    measured();
    const QString file = put(QStringLiteral("y.DTA"));
    boxes().answers = {answer};
    open(file);
    QCOMPARE(boxes().boxes.size(), 1);
    QCOMPARE(boxes().lastText(), QStringLiteral("測定データを保存していません。破棄しますか？"));
    QCOMPARE(dialogs().calls.size(), answer ? 1 : 0);
    if (answer)
        QCOMPARE(state(), (State{1, 1, 0, file, kCaption + " / " + file}));
    else
        QCOMPARE(state(), (State{1, 0, 0, QString(), kCaption}));
}

// ---- Save ----

void TestFilesWorkflow::saveSucceeded()
{
    datafiles::FileShape shape;
    shape.serial = "A2-31";
    shape.port = 12;
    shape.band = 3;
    measured(shape);
    const QString target = path(QStringLiteral("out.DTA"));

    save(target);

    QCOMPARE(state(), (State{1, 1, 0, target, kCaption + " / " + target}));
    QCOMPARE(panelText(1), QStringLiteral("データ保存できました"));
    QVERIFY(boxes().boxes.isEmpty());
    QCOMPARE(dialogs().calls[0].kind, Kind::Save);
    QCOMPARE(dialogs().calls[0].filter, QStringLiteral("データファイル (*.DTA)"));
    // What was read is what is written: the same file, byte for byte.
    QCOMPARE(datafiles::read(target), datafiles::bytes(shape));
}

void TestFilesWorkflow::saveWithoutData()
{
    m_win->findChild<QAction *>("MenuFile_Save")->trigger();
    QCOMPARE(boxes().boxes.size(), 1);
    QCOMPARE(boxes().boxes[0].icon, Icon::Error);
    QCOMPARE(boxes().lastText(), QStringLiteral("データがありません"));
    QVERIFY(dialogs().calls.isEmpty());
}

void TestFilesWorkflow::saveNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "spk"
                                  << "spk.DTA";
    QTest::newRow("data extension") << "spk.DTA"
                                    << "spk.DTA";
    QTest::newRow("lower-case extension") << "spk.dta"
                                          << "spk.dta.DTA";
    QTest::newRow("other extension") << "spk.txt"
                                     << "spk.txt.DTA";
    QTest::newRow("dotted folder") << "a.b/spk"
                                   << "a.b/spk.DTA";
}

void TestFilesWorkflow::saveNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QVERIFY(QDir().mkpath(path("a.b")));
    measured();
    save(path(chosen));
    const QString target = path(written);
    QCOMPARE(state(), (State{1, 1, 0, target, kCaption + " / " + target}));
    QVERIFY(QFile::exists(target));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
             written.contains('/') ? QStringList() : QStringList(written));
}

void TestFilesWorkflow::proposals()
{
    measured();
    dialogs().answers = {{}, {}};
    m_win->findChild<QAction *>("MenuFile_Save")->trigger();
    m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    QCOMPARE(dialogs().calls[0].suggested, QStringLiteral("*.DTA"));
    QCOMPARE(dialogs().calls[1].suggested, QStringLiteral("*.txt"));
    QCOMPARE(dialogs().calls[1].filter, QStringLiteral("データファイル (*.txt)"));
    QCOMPARE(dialogs().calls[1].folder, QString());

    // After opening a.b.DTA from a dotted folder: the name up to its first dot.
    open(put(QStringLiteral("x.y/a.b.DTA")));
    dialogs().answers = {{}, {}};
    m_win->findChild<QAction *>("MenuFile_Save")->trigger();
    m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    QCOMPARE(dialogs().calls[2].kind, Kind::Open);
    QCOMPARE(dialogs().calls[3].suggested, QStringLiteral("a.DTA"));
    QCOMPARE(dialogs().calls[4].suggested, QStringLiteral("a.txt"));
    // The dialogs open in the folder of that file, not in the working folder.
    QCOMPARE(dialogs().calls[3].folder, path("x.y"));
    QCOMPARE(dialogs().calls[4].folder, path("x.y"));

    // After an export to spk.txt the next Save proposes spk.DTA.
    dialogs().answers = {{path("spk.txt")}, {}};
    m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    QCOMPARE(m_win->document().dataFileName(), path("spk"));
    m_win->findChild<QAction *>("MenuFile_Save")->trigger();
    QCOMPARE(dialogs().lastSuggested(), QStringLiteral("spk.DTA"));
    QCOMPARE(dialogs().calls.last().folder, m_dir->path());
    m_win->findChild<QAction *>("MenuFile_Open")->trigger();
    QCOMPARE(dialogs().calls.last().folder, m_dir->path());
    QCOMPARE(dialogs().calls.last().filter.section(QStringLiteral(";;"), 0, 0),
             QStringLiteral("データファイル (*.DTA)"));
    // A cancelled dialog changes nothing.
    QCOMPARE(state().saved, 1);
    QCOMPARE(m_win->windowTitle(), kCaption + " / " + path("x.y/a.b.DTA"));
}

void TestFilesWorkflow::overwriteQuestion_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("No keeps the file") << false;
    QTest::newRow("Yes replaces it") << true;
}

void TestFilesWorkflow::overwriteQuestion()
{
    QFETCH(bool, answer);
    const QString target = path(QStringLiteral("exists.DTA"));
    QVERIFY(datafiles::write(target, "older file"));
    measured();
    boxes().answers = {answer};
    save(path(QStringLiteral("exists")));
    QCOMPARE(boxes().boxes.size(), 1);
    QCOMPARE(boxes().boxes[0].icon, Icon::Question);
    QCOMPARE(boxes().lastText(), overwriteText(target));
    if (answer) {
        QCOMPARE(state(), (State{1, 1, 0, target, kCaption + " / " + target}));
        QCOMPARE(datafiles::read(target), datafiles::bytes({}));
    } else {
        QCOMPARE(state(), (State{1, 0, 0, QString(), kCaption}));
        QCOMPARE(datafiles::read(target), QByteArray("older file"));
    }
}

void TestFilesWorkflow::conversionQuestion_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Yes saves in the current form") << true;
    QTest::newRow("No writes nothing") << false;
}

void TestFilesWorkflow::conversionQuestion()
{
    QFETCH(bool, answer);
    datafiles::FileShape shape;
    shape.tag = "DataFile:HK-A";
    shape.band = 2;
    const QString source = put(QStringLiteral("old.DTA"), shape);
    open(source);
    QCOMPARE(m_win->document().oldFormatLoaded(), quint8(1));
    const QString target = path(QStringLiteral("new.DTA"));

    boxes().answers = {answer};
    save(target);
    QCOMPARE(boxes().boxes.size(), 1);
    QCOMPARE(boxes().boxes[0].icon, Icon::Question);
    QCOMPARE(boxes().lastText(), kConvert);
    if (!answer) {
        QVERIFY(dialogs().calls.size() == 1); // only the Open dialog
        QVERIFY(!QFile::exists(target));
        QCOMPARE(state(), (State{1, 1, 1, source, kCaption + " / " + source}));
        // The next Save asks again.
        boxes().answers = {false};
        save(target);
        QCOMPARE(boxes().boxes.size(), 2);
        QCOMPARE(boxes().lastText(), kConvert);
        return;
    }
    QCOMPARE(state(), (State{1, 1, 0, target, kCaption + " / " + target}));
    const QByteArray written = datafiles::read(target);
    QVERIFY(written.startsWith("DataFile:HK-A2\r\nSN:A2-000777\r\n"));
    QVERIFY(written.contains("\r\nBand:4\r\nDNum:144\r\n"));
    // Saved once in the current form, the measurement is not asked about again.
    boxes().answers = {true};
    save(target);
    QCOMPARE(boxes().boxes.size(), 2);
    QCOMPARE(boxes().lastText(), overwriteText(target));
}

void TestFilesWorkflow::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("read-only folder") << true;
    QTest::newRow("write failing part-way") << false;
}

void TestFilesWorkflow::failedSaveKeepsOldFile()
{
    QFETCH(bool, readOnlyFolder);
    const QString folder = path(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/kept.DTA");
    QVERIFY(datafiles::write(target, "previous measurement"));
    open(put(QStringLiteral("m.DTA")));
    DocumentProbe::saved(m_win->document()) = 0;
    DocumentProbe::oldFormatLoaded(m_win->document()) = 1;
    boxes().answers = {true, true}; // convert, overwrite
    if (readOnlyFolder) {
        if (!golden::lockFolder(folder)) {
            golden::unlockFolder(folder);
            QSKIP("cannot make a folder unwritable here");
        }
        save(target);
        golden::unlockFolder(folder);
    } else {
        golden::FileSizeLimit limit(4096); // a band-2 file is about 11 kB
        save(target);
        // The system's reason, as for a full disk.
        QCOMPARE(panelText(1), kSaveFailed + "：" + QString::fromLocal8Bit(strerror(EFBIG)));
    }
    QVERIFY(panelText(1).startsWith(kSaveFailed));
    QCOMPARE(state(), (State{1, 0, 0, target, kCaption + " / " + path("m.DTA")}));
    QCOMPARE(datafiles::read(target), QByteArray("previous measurement"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList("kept.DTA"));
}

// ---- Close ----

void TestFilesWorkflow::close_data()
{
    QTest::addColumn<int>("saved");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("saved closes without asking") << 1 << false << true;
    QTest::newRow("unsaved, answered No") << 0 << false << false;
    QTest::newRow("unsaved, answered Yes") << 0 << true << true;
}

void TestFilesWorkflow::close()
{
    QFETCH(int, saved);
    QFETCH(bool, answer);
    QFETCH(bool, closed);
    const QString file = put(QStringLiteral("c.DTA"));
    open(file);
    DocumentProbe::saved(m_win->document()) = quint8(saved);
    DocumentProbe::oldFormatLoaded(m_win->document()) = 1;
    m_win->findChild<TStatusBar *>("StatusBar1")->panel(1)->setText(QStringLiteral("progress"));
    m_win->findChild<TStatusBar *>("StatusBar1")->panel(2)->setText(QStringLiteral("readout"));
    boxes().answers = {answer};

    m_win->findChild<QAction *>("MenuFile_Close")->trigger();

    QCOMPARE(boxes().boxes.size(), saved ? 0 : 1);
    if (!saved)
        QCOMPARE(boxes().lastText(),
                 QStringLiteral("測定データを保存していません。データを破棄しますか？"));
    if (closed) {
        QCOMPARE(state(), (State{0, saved, 1, file, kCaption}));
        QCOMPARE(panelText(1), QString());
        QCOMPARE(panelText(2), QString());
        QCOMPARE(m_win->findChild<TStatusBar *>("StatusBar1")->panel(1)->width(), 110);
        // The record and its curves stay behind the closed measurement.
        QCOMPARE(m_win->document().curveRaw().r[datafiles::middleIndex({})], 30.005f);
    } else {
        QCOMPARE(state(), (State{1, 0, 1, file, kCaption + " / " + file}));
        QCOMPARE(panelText(1), QStringLiteral("progress"));
    }
}

// ---- Text export ----

void TestFilesWorkflow::exportNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "spk"
                                  << "spk.txt";
    QTest::newRow("upper-case extension") << "x.TXT"
                                          << "x.txt";
    QTest::newRow("other extension") << "report.csv"
                                     << "report.txt";
    QTest::newRow("two dots") << "a.b.csv"
                              << "a.txt";
    QTest::newRow("dotted folder") << "a.b/spk.csv"
                                   << "a.b/spk.txt";
}

void TestFilesWorkflow::exportNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QVERIFY(QDir().mkpath(path("a.b")));
    measured();
    dialogs().answers = {{path(chosen)}};
    m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    QVERIFY2(QFile::exists(path(written)), qPrintable(written));
    QCOMPARE(panelText(1), QStringLiteral("データ書き出し完了"));
    QCOMPARE(m_win->document().dataFileName(), path(written).chopped(4));
    // The export neither saves the measurement nor names the window.
    QCOMPARE(m_win->document().saved(), quint8(0));
    QCOMPARE(m_win->windowTitle(), kCaption);
}

void TestFilesWorkflow::exportAveragedOrRaw_data()
{
    QTest::addColumn<bool>("averaging");
    QTest::addColumn<QByteArray>("peakRow");
    // Codes 600 and 3000 decode as 6.005 and 30.005 ohm, phase code 100 as 10.05 deg.
    QTest::newRow("averaged") << true << QByteArray("\t14.01\t10.1");
    QTest::newRow("raw") << false << QByteArray("\t30.00\t10.1");
}

void TestFilesWorkflow::exportAveragedOrRaw()
{
    QFETCH(bool, averaging);
    QFETCH(QByteArray, peakRow);
    datafiles::FileShape shape;
    shape.band = 3;
    measured(shape);
    m_win->findChild<QAction *>("MenuGraph_Ave")->setChecked(averaging);
    const QString target = path(QStringLiteral("e.txt"));
    dialogs().answers = {{target}};
    m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    const QList<QByteArray> lines = datafiles::read(target).split('\n');
    QCOMPARE(lines.size(), 3 + 92 + 1); // the last line ends in CR LF too
    const int row = 3 + datafiles::middleIndex(shape) - bandFirstIndex(3);
    QVERIFY2(lines[row].endsWith(peakRow + "\r"), lines[row].constData());
    QVERIFY(lines[row - 1].endsWith(averaging ? "\t14.01\t10.1\r" : "\t6.01\t10.1\r"));
    QVERIFY(lines[3].endsWith("\t6.01\t10.1\r")); // the first point is never averaged
}

void TestFilesWorkflow::exportWithoutDataAndFailures()
{
    m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    QCOMPARE(boxes().lastText(), QStringLiteral("データがありません"));
    QVERIFY(dialogs().calls.isEmpty());

    measured();
    const QString folder = path(QStringLiteral("ro"));
    QVERIFY(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/t.txt");
    QVERIFY(datafiles::write(target, "older table"));
    // Declining the overwrite question ends the command before anything changes.
    boxes().answers = {false};
    dialogs().answers = {{target}};
    m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    QCOMPARE(boxes().lastText(), overwriteText(target));
    QCOMPARE(m_win->document().dataFileName(), QString());
    QCOMPARE(panelText(1), QString());

    boxes().answers = {true};
    dialogs().answers = {{target}};
    {
        golden::FileSizeLimit limit(1024);
        m_win->findChild<QAction *>("MenuFile_Export")->trigger();
    }
    QCOMPARE(panelText(1), kSaveFailed + "：" + QString::fromLocal8Bit(strerror(EFBIG)));
    QCOMPARE(datafiles::read(target), QByteArray("older table"));
    QCOMPARE(m_win->document().dataFileName(), folder + QStringLiteral("/t"));
}

// ---- References ----

void TestFilesWorkflow::referenceLimits_data()
{
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<bool>("dialogShown");
    QTest::newRow("3 + 3 refused") << 3 << 3 << true << true;
    QTest::newRow("3 + 2 fill slots 3 and 4") << 3 << 2 << false << true;
    QTest::newRow("0 + 5") << 0 << 5 << false << true;
    QTest::newRow("0 + 6 refused") << 0 << 6 << true << true;
    QTest::newRow("5 loaded, no dialog") << 5 << 1 << true << false;
}

void TestFilesWorkflow::referenceLimits()
{
    QFETCH(int, loaded);
    QFETCH(int, selected);
    QFETCH(bool, refused);
    QFETCH(bool, dialogShown);
    QStringList first;
    for (int i = 0; i < loaded; ++i)
        first << put(QStringLiteral("first%1.DTA").arg(i));
    if (loaded)
        loadReferences(first);
    QCOMPARE(m_win->document().refCount(), loaded);
    const int callsBefore = int(dialogs().calls.size());

    QStringList more;
    for (int i = 0; i < selected; ++i) {
        datafiles::FileShape shape;
        shape.band = 3 + i;
        more << put(QStringLiteral("more%1.DTA").arg(i), shape);
    }
    loadReferences(more);

    QCOMPARE(dialogs().calls.size(), callsBefore + (dialogShown ? 1 : 0));
    if (dialogShown) {
        QCOMPARE(dialogs().calls.last().kind, Kind::OpenMany);
        QCOMPARE(dialogs().calls.last().caption,
                 QStringLiteral("参照ファイルを選んでください(５個まで)"));
        QCOMPARE(dialogs().calls.last().filter.section(QStringLiteral(";;"), 0, 0),
                 QStringLiteral("データファイル (*.DTA)"));
    }
    if (refused) {
        QCOMPARE(boxes().boxes.size(), 1);
        QCOMPARE(boxes().boxes[0].icon, Icon::Error);
        QCOMPARE(boxes().lastText(), kTooMany);
        QCOMPARE(m_win->document().refCount(), loaded);
        for (int s = loaded; s < kReferenceSlots; ++s)
            QCOMPARE(m_win->document().reference(s).valid, quint8(0));
        return;
    }
    QVERIFY(boxes().boxes.isEmpty());
    QCOMPARE(m_win->document().refCount(), loaded + selected);
    for (int j = 0; j < selected; ++j) {
        const int s = loaded + j;
        QCOMPARE(m_win->document().reference(s).valid, quint8(1));
        QCOMPARE(m_win->document().reference(s).band, 3 + j);
        QCOMPARE(m_win->document().refFileNames()[s], more[j]);
        QCOMPARE(m_win->document().refCurveRaw(s).r[datafiles::middleIndex({.band = 3 + j})],
                 30.005f);
    }
    for (int s = loaded + selected; s < kReferenceSlots; ++s)
        QCOMPARE(m_win->document().reference(s).valid, quint8(0));
}

void TestFilesWorkflow::referenceBand()
{
    datafiles::FileShape b5, b3;
    b5.band = 5;
    b3.band = 3;
    // Without a measurement the band of slot 0 decides the frequency axis.
    loadReferences({put("r5.DTA", b5), put("r3.DTA", b3)});
    QCOMPARE(m_win->shownScale().band, 5);
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->currentIndex(), 4);
    loadReferences({put("r8.DTA", {.band = 8})});
    QCOMPARE(m_win->shownScale().band, 5);

    // With a measurement its band stays.
    m_win->findChild<QAction *>("MenuRef_Close")->trigger();
    open(put("m.DTA", {.band = 2}));
    loadReferences({put("r7.DTA", {.band = 7})});
    QCOMPARE(m_win->shownScale().band, 2);
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->currentIndex(), 1);
}

void TestFilesWorkflow::referencesLeaveMeasurementAlone()
{
    const QString file = put(QStringLiteral("m.DTA"), {.tag = "DataFile:HK-A", .band = 1});
    open(file);
    const State before = state();
    QCOMPARE(before.oldFormat, 1);
    datafiles::FileShape other;
    other.serial = "OTHER";
    other.port = 99;
    loadReferences({put("r.DTA", other)});
    QCOMPARE(m_win->document().refCount(), 1);
    QCOMPARE(state(), before);
    QCOMPARE(m_win->document().unitSerial(), QStringLiteral("A2-000777"));
    QCOMPARE(m_win->preferences().settings.comPort, 3);
    m_win->findChild<QAction *>("MenuRef_Close")->trigger();
    QCOMPARE(state(), before);
}

void TestFilesWorkflow::referenceSelectionWithBadFile_data()
{
    QTest::addColumn<int>("loadedBefore");
    QTest::newRow("into empty slots") << 0;
    QTest::newRow("after two references") << 2;
}

void TestFilesWorkflow::referenceSelectionWithBadFile()
{
    QFETCH(int, loadedBefore);
    QStringList earlier;
    for (int i = 0; i < loadedBefore; ++i)
        earlier << put(QStringLiteral("e%1.DTA").arg(i), {.band = 6});
    if (loadedBefore)
        loadReferences(earlier);

    const QString good = put(QStringLiteral("good.DTA"), {.band = 4});
    const QString bad = path(QStringLiteral("bad.DTA"));
    QByteArray broken = datafiles::bytes({.band = 5});
    broken.replace("END:", "ENDE");
    QVERIFY(datafiles::write(bad, broken));
    const QString never = put(QStringLiteral("never.DTA"), {.band = 7});

    loadReferences({good, bad, never});

    // The file before the bad one is loaded and counted, the bad one is reported, and
    // no slot holds a part of it.
    QCOMPARE(boxes().boxes.size(), 1);
    QCOMPARE(boxes().lastText(), kBadFile);
    QCOMPARE(m_win->document().refCount(), loadedBefore + 1);
    QCOMPARE(m_win->document().reference(loadedBefore).valid, quint8(1));
    QCOMPARE(m_win->document().reference(loadedBefore).band, 4);
    QCOMPARE(m_win->document().refFileNames()[loadedBefore], good);
    const int inBadBand = bandFirstIndex(5);
    for (int s = loadedBefore + 1; s < kReferenceSlots; ++s) {
        QCOMPARE(m_win->document().reference(s).valid, quint8(0));
        QCOMPARE(QByteArray(m_win->document().reference(s).points[inBadBand], 18),
                 QByteArray(18, '0'));
        QCOMPARE(m_win->document().refCurveRaw(s).r[inBadBand], -1.0f);
    }
    // Shown without a measurement: the axis is that of slot 0.
    QCOMPARE(m_win->shownScale().band, loadedBefore ? 6 : 4);

    // The next selection continues after the loaded ones.
    loadReferences({never});
    QCOMPARE(m_win->document().refCount(), loadedBefore + 2);
    QCOMPARE(m_win->document().reference(loadedBefore + 1).band, 7);
    QCOMPARE(m_win->document().reference(loadedBefore).band, 4);
}

void TestFilesWorkflow::referenceClear()
{
    const QString a = put("a.DTA"), b = put("b.DTA", {.band = 3});
    loadReferences({a, b});
    QCOMPARE(m_win->document().refCount(), 2);
    m_win->findChild<QAction *>("MenuRef_Close")->trigger();
    QVERIFY(boxes().boxes.isEmpty());
    QCOMPARE(m_win->document().refCount(), 0);
    QVERIFY(!m_win->document().anyReferenceLoaded());
    for (int s = 0; s < kReferenceSlots; ++s) {
        QCOMPARE(m_win->document().refCurveRaw(s).r[100], -1.0f);
        QCOMPARE(m_win->document().refCurveAvg(s).r[100], -1.0f);
    }
    QCOMPARE(m_win->document().refFileNames()[1], b);
    // A cancelled dialog loads nothing.
    dialogs().answers = {};
    m_win->findChild<QAction *>("MenuRef_Open")->trigger();
    QCOMPARE(m_win->document().refCount(), 0);
    QVERIFY(boxes().boxes.isEmpty());
}

// ---- Redraws and the 150-ohm message ----

void TestFilesWorkflow::warning150_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<double>("peak");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("warned");
    QTest::newRow("open above 150, checked") << "open" << 180.0 << true << true;
    QTest::newRow("open above 150, unchecked") << "open" << 180.0 << false << false;
    QTest::newRow("open at 149, checked") << "open" << 149.0 << true << false;
    QTest::newRow("reference above 150 with a measurement") << "reference" << 180.0 << true << true;
    QTest::newRow("reference above 150, unchecked") << "reference" << 180.0 << false << false;
    QTest::newRow("reference without a measurement") << "reference only" << 180.0 << true << false;
}

void TestFilesWorkflow::warning150()
{
    QFETCH(QString, command);
    QFETCH(double, peak);
    QFETCH(bool, checked);
    QFETCH(bool, warned);
    m_win->findChild<QAction *>("MenuSet_Warning")->setChecked(checked);
    datafiles::FileShape high;
    high.peakOhm = peak;
    if (command == "open") {
        open(put(QStringLiteral("high.DTA"), high));
    } else {
        if (command == "reference")
            open(put(QStringLiteral("low.DTA")));
        loadReferences({put(QStringLiteral("high.DTA"), high)});
    }
    // The message judges the scale of the redrawn graph.
    QCOMPARE(m_win->shownScale().rMax, peak > 150 ? 200.0f : 150.0f);
    QCOMPARE(boxes().boxes.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(boxes().boxes[0].icon, Icon::Warning);
        QCOMPARE(boxes().lastText(), QStringLiteral("抵抗値の最大値が150Ωを越えています"));
    }
}

void TestFilesWorkflow::viewsFollowTheCommands()
{
    // A 20-ohm measurement with references reaching 130 ohm.
    open(put(QStringLiteral("m.DTA"), {.peakOhm = 20.0}));
    QCOMPARE(m_win->shownScale().rMax, 25.0f);
    loadReferences({put(QStringLiteral("r.DTA"), {.band = 3, .peakOhm = 130.0})});
    QCOMPARE(m_win->shownScale().rMax, 150.0f);
    QCOMPARE(m_win->shownScale().band, 2);
    // Closing the measurement leaves the references on their own scale.
    m_win->findChild<QAction *>("MenuFile_Close")->trigger();
    QCOMPARE(m_win->shownScale().rMax, 150.0f);
    // Clearing them with a measurement shows it alone on its own scale again.
    open(put(QStringLiteral("m2.DTA"), {.peakOhm = 20.0}));
    m_win->findChild<QAction *>("MenuRef_Close")->trigger();
    QCOMPARE(m_win->shownScale().rMax, 25.0f);
    QVERIFY(boxes().boxes.isEmpty());
}

void TestFilesWorkflow::importTables()
{
    // Another tool's table opens as the measurement: the title and the status name it.
    const QString table =
        QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/grs_8sw4he8_datasheet.zma");
    open(table);
    QVERIFY(boxes().boxes.isEmpty());
    QCOMPARE(state(), (State{1, 1, 0, table, kCaption + " / " + table}));
    QVERIFY(panelText(1).startsWith(QStringLiteral("grs_8sw4he8_datasheet.zma を読み込みました")));
    QCOMPARE(m_win->findChild<QComboBox *>("ComboBox2")->currentIndex(), 0);

    // A bad table: one error box naming file and line; nothing else changes.
    QVERIFY(golden::writeBytes(path("bad.txt"), "10 8\n20 -9\n40 9\n"));
    open(path("bad.txt"));
    QCOMPARE(boxes().boxes.size(), 1);
    QCOMPARE(boxes().boxes[0].icon, Icon::Error);
    QVERIFY(boxes().boxes[0].text.contains(path("bad.txt")));
    QVERIFY(boxes().boxes[0].text.contains(QStringLiteral("2行目")));
    QCOMPARE(state(), (State{1, 1, 0, table, kCaption + " / " + table}));
    loadReferences({path("bad.txt")});
    QCOMPARE(boxes().boxes.size(), 2);
    QCOMPARE(m_win->document().refCount(), 0);

    // Saving asks first; declined, no file dialog opens.
    boxes().answers = {false};
    const int calls = dialogs().calls.size();
    m_win->findChild<QAction *>("MenuFile_Save")->trigger();
    QCOMPARE(boxes().boxes.size(), 3);
    QCOMPARE(boxes().boxes[2].icon, Icon::Question);
    QCOMPARE(dialogs().calls.size(), calls);
    save(path("grs"));
    QCOMPARE(state(), (State{1, 1, 0, path("grs.DTA"), kCaption + " / " + path("grs.DTA")}));
    QVERIFY(!m_win->document().isImported());

    // A curve above what a data file holds is saved with a warning that names its points.
    QVERIFY(golden::writeBytes(path("high.txt"), "30 700\n40 900\n50 700\n"));
    open(path("high.txt"));
    save(path("high"));
    QCOMPARE(boxes().boxes.last().icon, Icon::Warning);
    QVERIFY2(boxes().lastText().contains(QStringLiteral(
                 "29点のインピーダンスが655.35Ωを超えています。データファイルには655."
                 "35Ωとして保存しました（30.23 Hz, 30.78 Hz")),
             qPrintable(boxes().lastText()));
}

QTEST_MAIN(TestFilesWorkflow)
#include "tst_files_workflow.moc"
