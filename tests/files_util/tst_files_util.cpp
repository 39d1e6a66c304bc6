#include "GoldenFile.h"
#include "core/files/AnsiText.h"
#include "core/files/AppPaths.h"
#include "core/files/FileFields.h"
#include "core/files/FileNameRules.h"
#include "core/files/SafeWrite.h"
#include "core/files/TextFileReader.h"
#include "core/files/WindowPlacement.h"
#include "core/model/Stringutil.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestFilesUtil : public QObject
{
    Q_OBJECT
private slots:
    void fileNamePart_data();
    void fileNamePart();
    void cutAtFirstDot_data();
    void cutAtFirstDot();
    void removeLineBreaks();
    void saveName_data();
    void saveName();
    void exportName_data();
    void exportName();
    void zmaName_data();
    void zmaName();
    void proposedName_data();
    void proposedName();
    void massCurveName_data();
    void massCurveName();
    void placement_data();
    void placeBeside_data();
    void placeBeside();
    void placement();
    void ansiRoundTrip();
    void ansiSpecialForms_data();
    void ansiSpecialForms();
    void parseInt_data();
    void parseInt();
    void textModeReading_data();
    void textModeReading();
    void settingsLocation_data();
    void settingsLocation();
    void safeWrite_data();
    void safeWrite();
};

void TestFilesUtil::fileNamePart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("full path") << "/home/u/a.b.DTA"
                               << "a.b.DTA";
    QTest::newRow("ends with separator") << "/home/u/"
                                         << "";
    QTest::newRow("no separator") << "spk.DTA"
                                  << "";
    QTest::newRow("root file") << "/x"
                               << "x";
    QTest::newRow("Japanese") << "/データ/試験.DTA"
                              << "試験.DTA";
}

void TestFilesUtil::fileNamePart()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(::fileNamePart(path), name);
}

void TestFilesUtil::cutAtFirstDot_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cut");
    QTest::newRow("no dot") << "spk"
                            << "spk";
    QTest::newRow("one dot") << "spk.DTA"
                             << "spk";
    QTest::newRow("two dots") << "a.b.DTA"
                              << "a";
    QTest::newRow("leading dot") << ".DTA"
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestFilesUtil::cutAtFirstDot()
{
    QFETCH(QString, text);
    QFETCH(QString, cut);
    QCOMPARE(::cutAtFirstDot(text), cut);
}

void TestFilesUtil::removeLineBreaks()
{
    QString s = "\r\na\rb\nc\n\r";
    ::removeLineBreaks(s);
    QCOMPARE(s, QStringLiteral("abc"));
    QByteArray b("x\r\ny\r", 5);
    ::removeLineBreaks(b);
    QCOMPARE(b, QByteArray("xy"));
}

void TestFilesUtil::saveName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("path");
    QTest::newRow("spk") << "/d/spk"
                         << "/d/spk.DTA";
    QTest::newRow("spk.DTA") << "/d/spk.DTA"
                             << "/d/spk.DTA";
    QTest::newRow("spk.dta") << "/d/spk.dta"
                             << "/d/spk.dta.DTA";
    QTest::newRow("spk.txt") << "/d/spk.txt"
                             << "/d/spk.txt.DTA";
    QTest::newRow("dotted folder") << "/d/a.b/spk"
                                   << "/d/a.b/spk.DTA";
}

void TestFilesUtil::saveName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, path);
    QCOMPARE(dataFileSavePath(chosen), path);
}

void TestFilesUtil::exportName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("withoutExtension");
    QTest::newRow("no extension") << "/d/spk"
                                  << "/d/spk.txt"
                                  << "/d/spk";
    QTest::newRow("spk.txt") << "/d/spk.txt"
                             << "/d/spk.txt"
                             << "/d/spk";
    QTest::newRow("upper case") << "/d/spk.TXT"
                                << "/d/spk.txt"
                                << "/d/spk";
    QTest::newRow("report.csv") << "/d/report.csv"
                                << "/d/report.txt"
                                << "/d/report";
    QTest::newRow("a.b.csv") << "/d/a.b.csv"
                             << "/d/a.txt"
                             << "/d/a";
    QTest::newRow("dotted folder") << "/home/a.b/spk.csv"
                                   << "/home/a.b/spk.txt"
                                   << "/home/a.b/spk";
    QTest::newRow("dotted folder, no ext") << "/home/.x/spk"
                                           << "/home/.x/spk.txt"
                                           << "/home/.x/spk";
    QTest::newRow("trailing dot") << "/d/spk."
                                  << "/d/spk.txt"
                                  << "/d/spk";
}

void TestFilesUtil::exportName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, path);
    QFETCH(QString, withoutExtension);
    QCOMPARE(exportFilePath(chosen), path);
    QCOMPARE(pathWithoutExtension(path), withoutExtension);
}

void TestFilesUtil::zmaName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("path");
    QTest::newRow("spk") << "/d/spk"
                         << "/d/spk.zma";
    QTest::newRow("upper case kept") << "/d/spk.ZMA"
                                     << "/d/spk.ZMA";
    QTest::newRow("spk.txt") << "/d/spk.txt"
                             << "/d/spk.txt.zma";
}

void TestFilesUtil::zmaName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, path);
    QCOMPARE(zmaFilePath(chosen), path);
}

void TestFilesUtil::massCurveName_data()
{
    QTest::addColumn<QString>("freeAir");
    QTest::addColumn<double>("grams");
    QTest::addColumn<QString>("path");
    QTest::newRow("typed decimals") << "/d/woofer.DTA" << 8.017 << "/d/woofer_m8.017g.DTA";
    QTest::newRow("whole grams") << "/d/woofer.DTA" << 20.0 << "/d/woofer_m20g.DTA";
    QTest::newRow("tiny, no exponent") << "/d/w.DTA" << 1e-5 << "/d/w_m0.00001g.DTA";
    QTest::newRow("large, no exponent") << "/d/w.DTA" << 1.5e6 << "/d/w_m1500000g.DTA";
    QTest::newRow("only the last extension") << "/d.x/a.b.DTA" << 5.0 << "/d.x/a.b_m5g.DTA";
    QTest::newRow("after an export") << "/d.x/spk" << 0.5 << "/d.x/spk_m0.5g.DTA";
}

void TestFilesUtil::massCurveName()
{
    QFETCH(QString, freeAir);
    QFETCH(double, grams);
    QFETCH(QString, path);
    QCOMPARE(massCurvePath(freeAir, grams), path);
}

void TestFilesUtil::proposedName_data()
{
    QTest::addColumn<QString>("dataFileName");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("proposal");
    QTest::newRow("nothing yet, save") << "" << kDataFileExtension << "*.DTA";
    QTest::newRow("nothing yet, export") << "" << kExportFileExtension << "*.txt";
    QTest::newRow("opened a.b.DTA") << "/d/x.y/a.b.DTA" << kDataFileExtension << "a.DTA";
    QTest::newRow("opened x.DTA, export") << "/d/x.DTA" << kExportFileExtension << "x.txt";
    QTest::newRow("after export to spk.txt")
        << pathWithoutExtension("/d/spk.txt") << kDataFileExtension << "spk.DTA";
}

void TestFilesUtil::proposedName()
{
    QFETCH(QString, dataFileName);
    QFETCH(QString, extension);
    QFETCH(QString, proposal);
    QCOMPARE(proposedFileName(dataFileName, extension), proposal);
}

void TestFilesUtil::placement_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QList<int>>("stored"); // top, left, width, height
    QTest::addColumn<QList<int>>("placed");
    const QRect s(0, 0, 1024, 768);
    QTest::newRow("fits") << s << QList<int>{10, 20, 800, 600} << QList<int>{10, 20, 800, 600};
    QTest::newRow("width 2000") << s << QList<int>{10, 20, 2000, 600}
                                << QList<int>{10, 20, 924, 600};
    QTest::newRow("height too big")
        << s << QList<int>{10, 20, 800, 769} << QList<int>{10, 20, 800, 668};
    QTest::newRow("top beyond") << s << QList<int>{769, 20, 800, 600}
                                << QList<int>{100, 20, 800, 600};
    QTest::newRow("top at edge") << s << QList<int>{768, 1024, 800, 600}
                                 << QList<int>{768, 1024, 800, 600};
    QTest::newRow("left beyond") << s << QList<int>{10, 1025, 800, 600}
                                 << QList<int>{10, 100, 800, 600};
    QTest::newRow("off the top left")
        << s << QList<int>{-8, -30, 640, 480} << QList<int>{0, 0, 640, 480};
    const QRect panel(0, 32, 1920, 1048);
    QTest::newRow("area below a panel")
        << panel << QList<int>{5, 5, 640, 480} << QList<int>{32, 5, 640, 480};
    QTest::newRow("beyond, area below a panel")
        << panel << QList<int>{2000, 5, 640, 1100} << QList<int>{132, 5, 640, 948};
}

void TestFilesUtil::placement()
{
    QFETCH(QRect, screen);
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, placed);
    WindowState w;
    w.top = stored[0];
    w.left = stored[1];
    w.width = stored[2];
    w.height = stored[3];
    w.band = 7;
    clampWindowPlacement(w, screen);
    QCOMPARE((QList<int>{w.top, w.left, w.width, w.height}), placed);
    QCOMPARE(w.band, 7);
}

// A 900 x 640 window beside a 640 x 480 one on a 1920 x 1040 area.
void TestFilesUtil::placeBeside_data()
{
    QTest::addColumn<QRect>("main");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("room on the right") << QRect(100, 50, 640, 480) << QPoint(740, 50);
    QTest::newRow("room on the left only") << QRect(1000, 50, 640, 480) << QPoint(100, 50);
    QTest::newRow("no room: the least covered") << QRect(700, 300, 640, 480) << QPoint(0, 300);
}

void TestFilesUtil::placeBeside()
{
    QFETCH(QRect, main);
    QFETCH(QPoint, at);
    QCOMPARE(::placeBeside(main, QSize(900, 640), QRect(0, 0, 1920, 1040)), at);
}

void TestFilesUtil::ansiRoundTrip()
{
    QVERIFY2(ansiCodecName() != "ISO-8859-1", "Qt offers no Windows-31J codec");
    const QString text = QStringLiteral("HK-A2 測定データ ～ Ω ① 髙 ｶﾅ abc");
    const QByteArray bytes = toAnsi(text);
    QCOMPARE(bytes.left(16), QByteArray("HK-A2 \x91\xaa\x92\xe8\x83\x66\x81\x5b\x83\x5e"));
    QVERIFY(bytes.contains("\x87\x40")); // circled one, an NEC row-13 character
    QVERIFY(bytes.contains("\xfb\xfc")); // an IBM extension character
    QVERIFY(bytes.contains("\xb6\xc5")); // half-width katakana are single bytes
    QCOMPARE(fromAnsi(bytes), text);
}

void TestFilesUtil::ansiSpecialForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("wave dash") << QStringLiteral("\u301C") << QByteArray("\x81\x60");
    QTest::newRow("minus sign") << QStringLiteral("\u2212") << QByteArray("\x81\x7c");
    QTest::newRow("em dash") << QStringLiteral("\u2014") << QByteArray("\x81\x5c");
    QTest::newRow("not in the code page") << QStringLiteral("a\u00E9b") << QByteArray("a?b");
    QTest::newRow("emoji") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
}

void TestFilesUtil::ansiSpecialForms()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toAnsi(text), bytes);
}

void TestFilesUtil::parseInt_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << QByteArray("256") << true << 256;
    QTest::newRow("negative") << QByteArray("-8") << true << -8;
    QTest::newRow("plus") << QByteArray("+3") << true << 3;
    QTest::newRow("leading zeros") << QByteArray("007") << true << 7;
    QTest::newRow("int min") << QByteArray("-2147483648") << true << int(-2147483647 - 1);
    QTest::newRow("int max") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("too large") << QByteArray("2147483648") << false << 0;
    QTest::newRow("empty") << QByteArray("") << false << 0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0;
    QTest::newRow("blank") << QByteArray(" 3") << false << 0;
    QTest::newRow("trailing") << QByteArray("3 ") << false << 0;
    QTest::newRow("hex") << QByteArray("0x10") << false << 0;
}

void TestFilesUtil::parseInt()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    qint32 v = 0;
    QCOMPARE(parseFileInt(text, v), ok);
    QCOMPARE(v, value);
}

void TestFilesUtil::textModeReading_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("max");
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::newRow("CR LF becomes LF")
        << QByteArray("ab\r\ncd\r\n") << 10 << QList<QByteArray>{"ab\n", "cd\n"};
    QTest::newRow("bare LF") << QByteArray("ab\ncd") << 10 << QList<QByteArray>{"ab\n", "cd"};
    QTest::newRow("lone CR stays")
        << QByteArray("a\rb\r\r\n") << 10 << QList<QByteArray>{"a\rb\r\n"};
    QTest::newRow("pieces of max")
        << QByteArray("abcdefg\n") << 3 << QList<QByteArray>{"abc", "def", "g\n"};
    QTest::newRow("CR LF across the limit")
        << QByteArray("abc\r\nd") << 3 << QList<QByteArray>{"abc", "\n", "d"};
    QTest::newRow("Ctrl-Z ends") << QByteArray("ab\n\x1A"
                                               "cd\n")
                                 << 10 << QList<QByteArray>{"ab\n"};
    QTest::newRow("CR before Ctrl-Z") << QByteArray("ab\r\x1A"
                                                    "cd")
                                      << 10 << QList<QByteArray>{"ab\r"};
    QTest::newRow("zero byte kept")
        << QByteArray("a\0b\n", 4) << 10 << QList<QByteArray>{QByteArray("a\0b\n", 4)};
}

void TestFilesUtil::textModeReading()
{
    QFETCH(QByteArray, input);
    QFETCH(int, max);
    QFETCH(QList<QByteArray>, pieces);
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    TextFileReader in(&buffer);
    QList<QByteArray> got;
    QByteArray piece;
    while (in.readPiece(piece, max))
        got << piece;
    QCOMPARE(got, pieces);
}

void TestFilesUtil::settingsLocation_data()
{
    QTest::addColumn<bool>("exeWritable");
    QTest::addColumn<QString>("files"); // folders holding a settings file
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("written");
    QTest::newRow("writable program folder") << true << "bin config"
                                             << "bin"
                                             << "bin";
    QTest::newRow("installed, first start") << false << ""
                                            << "config"
                                            << "config";
    QTest::newRow("installed, file beside it") << false << "bin"
                                               << "bin"
                                               << "config";
    QTest::newRow("installed, own file written") << false << "bin config"
                                                 << "config"
                                                 << "config";
    // "share": the metainfo an installation puts beside bin/.
    QTest::newRow("installed, writable by this user") << true << "bin share"
                                                      << "bin"
                                                      << "config";
}

void TestFilesUtil::settingsLocation()
{
    QFETCH(bool, exeWritable);
    QFETCH(QString, files);
    QFETCH(QString, read);
    QFETCH(QString, written);
    QTemporaryDir root;
    const QString bin = root.filePath("bin"), config = root.filePath("config");
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(config));
    for (const QString &folder : files.split(' ', Qt::SkipEmptyParts)) {
        const QString file = folder == "share" ? "share/metainfo/" VELO2_APP_ID ".metainfo.xml"
                                               : folder + "/VELO2_ini.prf";
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(root.filePath(file)).path()));
        QVERIFY(golden::writeBytes(root.filePath(file), "x"));
    }
    if (!exeWritable && !golden::lockFolder(bin, false))
        QSKIP("cannot make a folder unwritable here");
    const QStringList got{settingsReadPathFor(bin, config), settingsDirectoryFor(bin, config)};
    golden::unlockFolder(bin);
    QCOMPARE(got, (QStringList{root.filePath(read + "/VELO2_ini.prf"), root.filePath(written)}));
}

void TestFilesUtil::safeWrite_data()
{
    // Root ignores permission bits: the folder is made unwritable with the immutable attribute.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("outcome"); // 0 not written, 1 a new file renamed over it, 2 in place
    QTest::newRow("replaced by a rename") << "plain" << 1;
    QTest::newRow("mode, owner and group kept") << "owner" << 1;
    QTest::newRow("hard link kept") << "link" << 2;
    QTest::newRow("unwritable folder") << "locked" << 2;
    QTest::newRow("unwritable folder, new file") << "locked new" << 0;
}

void TestFilesUtil::safeWrite()
{
    QFETCH(QString, setup);
    QFETCH(int, outcome);
    QTemporaryDir dir;
    const QByteArray target = QFile::encodeName(dir.filePath("f.DTA"));
    const QByteArray other = QFile::encodeName(dir.filePath("other.DTA"));
    if (setup != "locked new")
        QVERIFY(golden::writeBytes(target, "old content, longer than the new"));
    if (setup == "owner" && (::chmod(target, 0640) != 0 || ::chown(target, 4321, 4322) != 0))
        QSKIP("cannot give a file to another user here");
    if (setup == "link")
        QCOMPARE(::link(target, other), 0);
    struct stat before {
    }, after{};
    ::stat(target, &before);
    if (setup.startsWith("locked") && !golden::lockFolder(dir.path(), false))
        QSKIP("cannot make a folder unwritable here");
    const bool ok = writeFileSafely(target, "new");
    const qsizetype entries = QDir(dir.path()).entryList(QDir::Files).size();
    golden::unlockFolder(dir.path());
    QCOMPARE(ok, outcome > 0);
    QCOMPARE(entries, qsizetype(ok) + (setup == "link")); // no temporary file left
    ::stat(target, &after);
    if (ok) {
        QCOMPARE(golden::readBytes(target) + golden::readBytes(other),
                 QByteArray(setup == "link" ? "newnew" : "new"));
        QCOMPARE(after.st_ino == before.st_ino, outcome == 2);
        QVERIFY(after.st_mode == before.st_mode && after.st_uid == before.st_uid &&
                after.st_gid == before.st_gid);
    }
}

QTEST_GUILESS_MAIN(TestFilesUtil)
#include "tst_files_util.moc"
