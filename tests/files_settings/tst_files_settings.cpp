#include "GoldenFile.h"
#include "core/files/LanguageChoice.h"
#include "core/files/SafeWrite.h"
#include "core/files/ViewChoice.h"

#include "core/files/AnsiText.h"
#include "core/files/AppPaths.h"
#include "core/files/VELO_File.h"
#include "core/model/Settings.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// The lines of the defaults file without line ends, to be edited by the table rows.
QList<QByteArray> defaultLines()
{
    QList<QByteArray> l = golden::load("defaults.prf").split('\n');
    l.removeLast();
    for (QByteArray &line : l)
        line.chop(1);
    return l;
}

QByteArray joined(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + "\r\n";
    return out;
}

// Settings and state that differ from the defaults in every field.
void fillEveryField(Settings &s, WindowState &w)
{
    s.comPort = 17;
    s.colorR = 0x00010203;
    s.colorTheta = 0x00A0B0C0;
    for (int k = 0; k < kReferenceSlots; ++k) {
        s.refColorR[k] = 1000 + k;
        s.refColorTheta[k] = 0xFFFFFFFFu - k;
    }
    s.printInfo[0] = toAnsi(QStringLiteral("ウーファー試験 ①"));
    s.printInfo[1] = "  blanks: and : colons  ";
    s.printInfo[2] = toAnsi(QString(400, QChar(0x6E2C))); // 測 x 400, 800 bytes in the file
    w = {-20, -3, 1111, 777, 9, 1, 1, 0, 1};
}

void compareAll(const Settings &a, const WindowState &aw, const Settings &b, const WindowState &bw)
{
    QCOMPARE(a.comPort, b.comPort);
    QCOMPARE(a.colorR, b.colorR);
    QCOMPARE(a.colorTheta, b.colorTheta);
    for (int k = 0; k < kReferenceSlots; ++k) {
        QCOMPARE(a.refColorR[k], b.refColorR[k]);
        QCOMPARE(a.refColorTheta[k], b.refColorTheta[k]);
    }
    for (int k = 0; k < kPrintInfoLines; ++k)
        QCOMPARE(a.printInfo[k], b.printInfo[k]);
    QCOMPARE(aw.top, bw.top);
    QCOMPARE(aw.left, bw.left);
    QCOMPARE(aw.width, bw.width);
    QCOMPARE(aw.height, bw.height);
    QCOMPARE(aw.band, bw.band);
    QCOMPARE(aw.rOnly, bw.rOnly);
    QCOMPARE(aw.thickLines, bw.thickLines);
    QCOMPARE(aw.averaging, bw.averaging);
    QCOMPARE(aw.warn150, bw.warn150);
}

} // namespace

class TestFilesSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void defaultsFile();
    void handEditedFileReadAndSavedAgain();
    void everyFieldRoundTrips();
    void invalidFile_data();
    void invalidFile();
    void missingFileOrArguments();
    void printInfoLineBreaksAreDropped();
    void failedSaveKeepsOldFile();
    void languageFile_data();
    void languageFile();
    void viewFile_data();
    void viewFile();
    void languageResolution_data();
    void languageResolution();

private:
    QTemporaryDir dir;
    VELO_File vf;
};

void TestFilesSettings::initTestCase()
{
    QVERIFY(dir.isValid());
    setSettingsDirectoryOverride(dir.path());
}

void TestFilesSettings::defaultsFile()
{
    Settings s;
    WindowState w;
    w.top = 0;
    w.left = 0;
    QVERIFY(vf.writeSettingFile(settingsFilePath(), &s, &w));
    const QByteArray bytes = golden::readBytes(settingsFilePath());
    COMPARE_GOLDEN(bytes, "defaults.prf");
    QCOMPARE(bytes.count("\r\n"), 27);
}

void TestFilesSettings::handEditedFileReadAndSavedAgain()
{
    Settings s;
    WindowState w;
    QVERIFY(vf.readSettingFile(golden::path("custom.input.prf"), &s, &w));
    QCOMPARE(s.comPort, 256);
    QCOMPARE(qint32(s.colorR), -5);
    QCOMPARE(s.colorTheta, 65280u);
    QCOMPARE(s.refColorTheta[4], 204u);
    QCOMPARE(fromAnsi(s.printInfo[0]), QStringLiteral("試作スピーカー　１６ｃｍ／８Ω"));
    QCOMPARE(s.printInfo[1], QByteArray("a: b : c  \xFA\x4A\xED\x40\x87\x90\xEE\xF9\x80\xFD\x82"));
    QCOMPARE(fromAnsi(s.printInfo[2]), QStringLiteral("測定者：山田") + QString(300, 'x'));
    QCOMPARE(w.top, -8);
    QCOMPARE(w.left, 0);
    QCOMPARE(w.width, 2000);
    QCOMPARE(w.band, 9);
    QCOMPARE(w.rOnly, quint8(1)); // stored as 5
    QCOMPARE(w.thickLines, quint8(1));
    QCOMPARE(w.averaging, quint8(0));
    QCOMPARE(w.warn150, quint8(1));

    const QString out = dir.filePath("again.prf");
    QVERIFY(vf.writeSettingFile(out, &s, &w));
    COMPARE_GOLDEN(golden::readBytes(out), "custom.expected.prf");
}

void TestFilesSettings::everyFieldRoundTrips()
{
    Settings s;
    WindowState w;
    fillEveryField(s, w);
    const QString path = dir.filePath("every.prf");
    QVERIFY(vf.writeSettingFile(path, &s, &w));
    Settings back;
    WindowState backState;
    QVERIFY(vf.readSettingFile(path, &back, &backState));
    compareAll(back, backState, s, w);
    // The Japanese lines are stored in the Windows code page.
    QVERIFY(golden::readBytes(path).contains("\r\npstr:\x83\x45\x81\x5b\x83\x74\x83\x40"));
}

void TestFilesSettings::invalidFile_data()
{
    QTest::addColumn<QByteArray>("content");
    const auto d = defaultLines();
    auto with = [&](int at, const QByteArray &line) {
        QList<QByteArray> l = d;
        l[at] = line;
        return joined(l);
    };
    auto inserted = [&](int at, const QByteArray &line) {
        QList<QByteArray> l = d;
        l.insert(at, line);
        return joined(l);
    };
    QTest::newRow("first line with blank") << with(0, "VELO2_ini ");
    QTest::newRow("first line lower case") << with(0, "velo2_ini");
    QTest::newRow("port 0") << with(1, "CommPortNum:0");
    QTest::newRow("port 257") << with(1, "CommPortNum:257");
    QTest::newRow("port text") << with(1, "CommPortNum:one");
    QTest::newRow("colour text") << with(2, "PenColor_R:blue");
    QTest::newRow("colour too large") << with(2, "PenColor_R:4294967295");
    QTest::newRow("reference keys swapped") << with(4, "PenColor_Theta_Ref[0]:1");
    QTest::newRow("reference slot wrong") << with(6, "PenColor_R_Ref[0]:1");
    QTest::newRow("print key wrong") << with(14, "Pstr:x");
    QTest::newRow("top text") << with(17, "top:x");
    QTest::newRow("width 0") << with(19, "width:0");
    QTest::newRow("height -1") << with(20, "height:-1");
    QTest::newRow("band 0") << with(21, "band:0");
    QTest::newRow("band 10") << with(21, "band:10");
    QTest::newRow("flag text") << with(22, "fronly:yes");
    QTest::newRow("flag empty") << with(25, "fwarning:");
    QTest::newRow("END missing") << joined(d.mid(0, 26));
    QTest::newRow("line missing") << joined(d.mid(0, 10) + d.mid(11));
    QTest::newRow("blank line") << inserted(5, "");
    QTest::newRow("blank line first") << inserted(0, "");
    QTest::newRow("empty file") << QByteArray();
}

void TestFilesSettings::invalidFile()
{
    QFETCH(QByteArray, content);
    const QString path = dir.filePath("bad.prf");
    QVERIFY(golden::writeBytes(path, content));
    Settings s, before;
    WindowState w, beforeState;
    fillEveryField(s, w);
    fillEveryField(before, beforeState);
    QVERIFY(!vf.readSettingFile(path, &s, &w));
    compareAll(s, w, before, beforeState);
}

void TestFilesSettings::missingFileOrArguments()
{
    Settings s;
    WindowState w;
    QVERIFY(!vf.readSettingFile(dir.filePath("absent.prf"), &s, &w));
    QVERIFY(!vf.readSettingFile(QString(), &s, &w));
    QVERIFY(!vf.readSettingFile(golden::path("defaults.prf"), nullptr, &w));
    QVERIFY(!vf.readSettingFile(golden::path("defaults.prf"), &s, nullptr));
    QVERIFY(!vf.readSettingFile("/dev/zero", &s, &w));
    QVERIFY(!vf.writeSettingFile(QString(), &s, &w));
    QVERIFY(!vf.writeSettingFile(dir.filePath("n.prf"), nullptr, &w));
    QVERIFY(!vf.writeSettingFile(dir.filePath("n.prf"), &s, nullptr));
    QVERIFY(!QFile::exists(dir.filePath("n.prf")));
    // Comments anywhere are fine.
    QList<QByteArray> l = defaultLines();
    l.insert(26, ";c");
    l.insert(1, ";c");
    l.insert(0, ";c");
    QVERIFY(golden::writeBytes(dir.filePath("c.prf"), joined(l)));
    QVERIFY(vf.readSettingFile(dir.filePath("c.prf"), &s, &w));
}

void TestFilesSettings::printInfoLineBreaksAreDropped()
{
    Settings s;
    WindowState w;
    s.printInfo[1] = "one\r\ntwo\n";
    const QString path = dir.filePath("lb.prf");
    QVERIFY(vf.writeSettingFile(path, &s, &w));
    QCOMPARE(golden::readBytes(path).count("\r\n"), 27);
    Settings back;
    QVERIFY(vf.readSettingFile(path, &back, &w));
    QCOMPARE(back.printInfo[1], QByteArray("onetwo"));
}

void TestFilesSettings::failedSaveKeepsOldFile()
{
    const QString folder = dir.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/VELO2_ini.prf";
    QVERIFY(golden::writeBytes(path, "old"));
    Settings s;
    WindowState w;
    if (!golden::lockFolder(folder)) {
        golden::unlockFolder(folder);
        QSKIP("cannot make a folder unwritable here");
    }
    const bool written = vf.writeSettingFile(path, &s, &w);
    golden::unlockFolder(folder);
    QVERIFY(!written);
    QCOMPARE(golden::readBytes(path), QByteArray("old"));
}

void TestFilesSettings::languageFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<int>("choice");
    QTest::newRow("no file") << QByteArray() << int(LanguageChoice::Desktop);
    QTest::newRow("ja") << QByteArray("ja\r\n") << int(LanguageChoice::Japanese);
    QTest::newRow("en, LF") << QByteArray("en\n") << int(LanguageChoice::English);
    QTest::newRow("desktop") << QByteArray("desktop\r\n") << int(LanguageChoice::Desktop);
    QTest::newRow("unknown word") << QByteArray("fr\r\n") << int(LanguageChoice::Desktop);
    QTest::newRow("longer word") << QByteArray("english\r\n") << int(LanguageChoice::Desktop);
}

void TestFilesSettings::languageFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, choice);
    QTemporaryDir dir;
    const QString path = dir.filePath("VELO2_language.txt");
    if (!content.isEmpty())
        QVERIFY(writeFileSafely(path, content));
    QCOMPARE(int(readLanguageChoice(path)), choice);
    // Written back, it reads the same; the settings file is not touched.
    QVERIFY(writeLanguageChoice(path, LanguageChoice(choice)));
    QCOMPARE(int(readLanguageChoice(path)), choice);
    QVERIFY(!QFile::exists(dir.filePath("VELO2_ini.prf")));
}

void TestFilesSettings::viewFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QString>("view");
    QTest::addColumn<bool>("legend");
    QTest::addColumn<bool>("logZ");
    QTest::addColumn<int>("slot");
    QTest::newRow("no file") << QByteArray() << "zphase" << false << false << 0;
    QTest::newRow("nyquist with legend")
        << QByteArray("view=nyquist\r\nlegend=1\r\nlogz=0\r\ndiffpct=1\r\nrefslot=3\r\n")
        << "nyquist" << true << false << 2;
    QTest::newRow("LF, spaces, unknown key, slot out of range")
        << QByteArray("zoom=1\n view = rx \nlogz=1\nrefslot=6\n") << "rx" << false << true << 0;
    QTest::newRow("damaged") << QByteArray("\x01\x02garbage") << "zphase" << false << false << 0;
}

void TestFilesSettings::viewFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, view);
    QFETCH(bool, legend);
    QFETCH(bool, logZ);
    QFETCH(int, slot);
    QTemporaryDir dir;
    const QString path = dir.filePath("VELO2_view.txt");
    if (!content.isEmpty())
        QVERIFY(writeFileSafely(path, content));
    const StoredViewChoice read = readViewChoice(path);
    QCOMPARE(read.view, view);
    QCOMPARE(read.legend, legend);
    QCOMPARE(read.logZ, logZ);
    QCOMPARE(read.referenceSlot, slot);
    // Written back, it reads the same; the settings file is not touched.
    QVERIFY(writeViewChoice(path, read));
    const StoredViewChoice again = readViewChoice(path);
    QCOMPARE(again.view, view);
    QCOMPARE(again.diffPercent, read.diffPercent);
    QCOMPARE(again.referenceSlot, slot);
    QVERIFY(!QFile::exists(dir.filePath("VELO2_ini.prf")));
}

void TestFilesSettings::languageResolution_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QStringList>("desktop");
    QTest::addColumn<int>("shown");
    const int desk = int(LanguageChoice::Desktop);
    const int ja = int(UiLanguage::Japanese);
    const int en = int(UiLanguage::English);
    QTest::newRow("desktop ja-JP") << desk << QStringList{"ja-JP", "en-US"} << ja;
    QTest::newRow("desktop ja") << desk << QStringList{"ja"} << ja;
    QTest::newRow("desktop en-US") << desk << QStringList{"en-US", "ja-JP"} << en;
    QTest::newRow("desktop de-DE") << desk << QStringList{"de-DE"} << en;
    QTest::newRow("desktop C") << desk << QStringList{"C"} << en;
    QTest::newRow("desktop none") << desk << QStringList{} << en;
    QTest::newRow("Japanese on en") << int(LanguageChoice::Japanese) << QStringList{"en-US"} << ja;
    QTest::newRow("English on ja") << int(LanguageChoice::English) << QStringList{"ja-JP"} << en;
    // The suites pin Japanese through LANGUAGE, and Qt reads it as the desktop's language.
    QTest::newRow("this test's desktop") << desk << QLocale::system().uiLanguages() << ja;
}

void TestFilesSettings::languageResolution()
{
    QFETCH(int, choice);
    QFETCH(QStringList, desktop);
    QFETCH(int, shown);
    QCOMPARE(int(resolveLanguage(LanguageChoice(choice), desktop)), shown);
}

QTEST_GUILESS_MAIN(TestFilesSettings)
#include "tst_files_settings.moc"
