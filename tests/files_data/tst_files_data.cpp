#include "GoldenFile.h"

#include "core/files/AnsiText.h"
#include "core/files/TextFileReader.h"
#include "core/files/VELO_File.h"
#include "core/model/BandTable.h"
#include "core/model/MeasurementRecord.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <memory>

namespace {

QByteArray pointFor(int i)
{
    return QString::asprintf("%04X%04X%06X%04X", i * 7, (i * 13) & 0xFFFF, i * 100 + 1, 1)
        .toLatin1();
}

// The lines of a data file: header, `points` point lines for the grid from `first`, end.
QList<QByteArray> fileLines(const char *tag, const char *port, const char *band, const char *count,
                            int first, int points)
{
    QList<QByteArray> l{tag,
                        "SN:A2-1",
                        "DateTime:2024/05/01 12:34:56",
                        QByteArray("CommPortNum:") + port,
                        QByteArray("Band:") + band,
                        QByteArray("DNum:") + count};
    for (int i = first; i < first + points; ++i)
        l << pointFor(i);
    l << "END:";
    return l;
}

QList<QByteArray> band3(const char *port = "5", const char *band = "3", const char *count = "92")
{
    return fileLines("DataFile:HK-A2", port, band, count, 0, 92);
}

QByteArray joined(const QList<QByteArray> &lines, const QByteArray &eol = "\r\n")
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + eol;
    return out;
}

QList<QByteArray> with(QList<QByteArray> lines, int at, const QByteArray &line)
{
    lines[at] = line;
    return lines;
}

QList<QByteArray> inserted(QList<QByteArray> lines, int at, const QByteArray &line)
{
    lines.insert(at, line);
    return lines;
}

std::unique_ptr<MeasurementRecord> filledRecord(int band)
{
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    rec->band = band;
    rec->dateTime = "2024/05/01 12:34:56";
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
        std::memcpy(rec->points[i], pointFor(i).constData(), kPointTextLength + 1);
    return rec;
}

// Builds the record described by a golden input file ("key:value" lines, then points).
std::unique_ptr<MeasurementRecord> recordFromInput(const QByteArray &input, QByteArray &serial,
                                                   int &comPort)
{
    const QList<QByteArray> lines = input.split('\n');
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    auto value = [&](int n) { return lines[n].mid(lines[n].indexOf(':') + 1); };
    serial = value(0);
    rec->dateTime = value(1);
    comPort = value(2).toInt();
    rec->band = value(3).toInt();
    for (int i = bandFirstIndex(rec->band), n = 4; i <= bandLastIndex(rec->band); ++i, ++n)
        std::memcpy(rec->points[i], lines[n].constData(), kPointTextLength + 1);
    return rec;
}

} // namespace

class TestFilesData : public QObject
{
    Q_OBJECT
private slots:
    void writerMatchesGolden();
    void readRules_data();
    void readRules();
    void roundTripEveryBand_data();
    void roundTripEveryBand();
    void firstModelFileIsMappedAndSavedInCurrentForm();
    void earlyEndEmptiesRemainingSlots();
    void resaveKeepsBytes_data();
    void resaveKeepsBytes();
    void dateTimeKeepsColons();
    void japaneseTextsAreWindows31J();
    void writerKeepsEveryFileReadable();
    void readFileLinePieces();
    void missingArguments();
    void failedSaveKeepsOldFile();
    void partlyFailedSaveKeepsOldFile();

private:
    VELO_File vf;
};

void TestFilesData::writerMatchesGolden()
{
    QByteArray serial;
    int comPort = 0;
    auto rec = recordFromInput(golden::load("band2_record.txt"), serial, comPort);
    QTemporaryDir dir;
    const QString path = dir.filePath("spk.DTA");
    QVERIFY(vf.writeDataFile(path, serial, comPort, rec.get()));
    const QByteArray bytes = golden::readBytes(path);
    COMPARE_GOLDEN(bytes, "band2.DTA");
    QCOMPARE(bytes.count("\r\n"), 547);
    QCOMPARE(bytes.count('\n'), 547);
    QVERIFY(bytes.contains("\r\nDNum:540\r\n"));
}

void TestFilesData::readRules_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("band"); // record band afterwards (8 before)
    QTest::addColumn<int>("port"); // COM port afterwards (77 before)
    QTest::addColumn<int>("flag"); // model flag afterwards (7 before)

    const auto v = band3();
    QTest::newRow("valid") << joined(v) << true << 3 << 5 << 0;
    QTest::newRow("bare LF") << joined(v, "\n") << true << 3 << 5 << 0;
    QTest::newRow("tag with trailing blank")
        << joined(with(v, 0, "DataFile:HK-A2 ")) << false << 8 << 77 << 7;
    QTest::newRow("tag in lower case")
        << joined(with(v, 0, "datafile:HK-A2")) << false << 8 << 77 << 7;
    QTest::newRow("unknown tag") << joined(with(v, 0, "DataFile:HK-A3")) << false << 8 << 77 << 7;
    QTest::newRow("empty file") << QByteArray() << false << 8 << 77 << 7;
    QTest::newRow("comment first") << joined(inserted(v, 0, ";note")) << true << 3 << 5 << 0;
    QTest::newRow("comment among headers")
        << joined(inserted(inserted(v, 3, ";a"), 2, ";b")) << true << 3 << 5 << 0;
    QTest::newRow("comment before END")
        << joined(inserted(v, v.size() - 1, ";x")) << true << 3 << 5 << 0;
    QTest::newRow("zero byte line skipped")
        << joined(inserted(v, 1, QByteArray("\0zz", 3))) << true << 3 << 5 << 0;
    QTest::newRow("comment among points")
        << joined(inserted(v, 10, ";point")) << false << 3 << 5 << 0;
    QTest::newRow("blank line first") << joined(inserted(v, 0, "")) << false << 8 << 77 << 7;
    QTest::newRow("blank among headers") << joined(inserted(v, 4, "")) << false << 8 << 5 << 0;
    QTest::newRow("blank among points") << joined(inserted(v, 20, "")) << false << 3 << 5 << 0;
    QTest::newRow("blank before END")
        << joined(inserted(v, v.size() - 1, "")) << false << 3 << 5 << 0;
    QTest::newRow("key without colon") << joined(with(v, 1, "SN")) << false << 8 << 77 << 0;
    QTest::newRow("key in lower case") << joined(with(v, 1, "sn:A2-1")) << false << 8 << 77 << 0;
    QTest::newRow("port 256") << joined(band3("256")) << true << 3 << 256 << 0;
    QTest::newRow("port 1") << joined(band3("1")) << true << 3 << 1 << 0;
    QTest::newRow("port 0") << joined(band3("0")) << false << 8 << 77 << 0;
    QTest::newRow("port 257") << joined(band3("257")) << false << 8 << 77 << 0;
    QTest::newRow("port text") << joined(band3("COM3")) << false << 8 << 77 << 0;
    QTest::newRow("port empty") << joined(band3("")) << false << 8 << 77 << 0;
    QTest::newRow("port huge") << joined(band3("99999999999999999999")) << false << 8 << 77 << 0;
    QTest::newRow("band 0") << joined(band3("5", "0")) << false << 8 << 5 << 0;
    QTest::newRow("band 10") << joined(band3("5", "10")) << false << 8 << 5 << 0;
    QTest::newRow("band 9") << joined(fileLines("DataFile:HK-A2", "5", "9", "224", 0, 224)) << true
                            << 9 << 5 << 0;
    QTest::newRow("HK-A band 2 is band 4")
        << joined(fileLines("DataFile:HK-A", "2", "2", "144", 40, 144)) << true << 4 << 2 << 1;
    QTest::newRow("HK-A band 5") << joined(fileLines("DataFile:HK-A", "2", "5", "121", 183, 121))
                                 << false << 8 << 2 << 1;
    QTest::newRow("HK-A DNum 504")
        << joined(fileLines("DataFile:HK-A", "2", "2", "504", 40, 144)) << true << 4 << 2 << 1;
    QTest::newRow("HK-A DNum 505")
        << joined(fileLines("DataFile:HK-A", "2", "2", "505", 40, 144)) << false << 4 << 2 << 1;
    QTest::newRow("HK-A DNum 0") << joined(fileLines("DataFile:HK-A", "2", "2", "0", 40, 144))
                                 << false << 4 << 2 << 1;
    QTest::newRow("DNum 0") << joined(band3("5", "3", "0")) << false << 3 << 5 << 0;
    QTest::newRow("DNum 600") << joined(band3("5", "3", "600")) << true << 3 << 5 << 0;
    QTest::newRow("DNum 601") << joined(band3("5", "3", "601")) << false << 3 << 5 << 0;
    QTest::newRow("DNum 7 for band 2")
        << joined(fileLines("DataFile:HK-A2", "5", "2", "7", 0, 540)) << true << 2 << 5 << 0;
    QTest::newRow("point of 17") << joined(with(v, 30, pointFor(24).left(17))) << false << 3 << 5
                                 << 0;
    QTest::newRow("point of 19") << joined(with(v, 30, pointFor(24) + "0")) << false << 3 << 5 << 0;
    QTest::newRow("point of non-hex")
        << joined(with(v, 30, "xyz xyz xyz xyz !!")) << true << 3 << 5 << 0;
    QTest::newRow("point without line end at end of file")
        << joined(v.mid(0, 97)).chopped(2) << false << 3 << 5 << 0;
    QTest::newRow("points cut short, END twice")
        << joined(inserted(v.mid(0, 50), 50, "END:") << "END:") << true << 3 << 5 << 0;
    QTest::newRow("points cut short, END once")
        << joined(inserted(v.mid(0, 50), 50, "END:")) << false << 3 << 5 << 0;
    QTest::newRow("END missing") << joined(v.mid(0, v.size() - 1)) << false << 3 << 5 << 0;
    QTest::newRow("END with text")
        << joined(with(v, v.size() - 1, "END:x")) << false << 3 << 5 << 0;
    QTest::newRow("text after END ignored")
        << joined(QList<QByteArray>(v) << "anything") << true << 3 << 5 << 0;
    QTest::newRow("Ctrl-Z after END") << joined(v) + "\x1A" << true << 3 << 5 << 0;
    QTest::newRow("Ctrl-Z among points")
        << joined(v.mid(0, 40)) + "\x1A" + joined(v.mid(40)) << false << 3 << 5 << 0;
    QTest::newRow("long serial line")
        << joined(with(v, 1, "SN:" + QByteArray(260, 'A'))) << false << 8 << 77 << 0;
}

void TestFilesData::readRules()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, ok);
    QFETCH(int, band);
    QFETCH(int, port);
    QFETCH(int, flag);
    QTemporaryDir dir;
    const QString path = dir.filePath("t.DTA");
    QVERIFY(golden::writeBytes(path, content));
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    rec->band = 8;
    QByteArray serial = "old";
    quint8 modelFlag = 7;
    qint32 comPort = 77;
    QCOMPARE(vf.readDataFile(path, serial, modelFlag, comPort, rec.get()), ok);
    QCOMPARE(rec->band, band);
    QCOMPARE(comPort, port);
    QCOMPARE(int(modelFlag), flag);
    QCOMPARE(rec->valid, quint8(0));
    if (ok) {
        QCOMPARE(serial, QByteArray("A2-1"));
        QCOMPARE(QByteArray(rec->points[bandFirstIndex(band)]), pointFor(bandFirstIndex(band)));
    }
}

void TestFilesData::roundTripEveryBand_data()
{
    QTest::addColumn<int>("band");
    for (int b = 1; b <= kBandCount; ++b)
        QTest::addRow("band %d", b) << b;
}

void TestFilesData::roundTripEveryBand()
{
    QFETCH(int, band);
    auto rec = filledRecord(band);
    QTemporaryDir dir;
    const QString path = dir.filePath("r.DTA");
    QVERIFY(vf.writeDataFile(path, "SN-77", 12, rec.get()));
    QCOMPARE(golden::readBytes(path).count("\r\n"), 7 + bandPointCount(band));

    auto back = std::make_unique<MeasurementRecord>();
    clearPoints(*back);
    back->band = band == 1 ? 2 : 1;
    QByteArray serial;
    quint8 flag = 9;
    qint32 port = 0;
    QVERIFY(vf.readDataFile(path, serial, flag, port, back.get()));
    QCOMPARE(serial, QByteArray("SN-77"));
    QCOMPARE(flag, quint8(0));
    QCOMPARE(port, 12);
    QCOMPARE(back->band, band);
    QCOMPARE(back->dateTime, rec->dateTime);
    for (int i = 0; i < kRecordSlots; ++i) {
        const bool inBand = i >= bandFirstIndex(band) && i <= bandLastIndex(band);
        QCOMPARE(QByteArray(back->points[i], 19),
                 inBand ? QByteArray(rec->points[i], 19) : QByteArray(19, '0'));
    }
}

void TestFilesData::firstModelFileIsMappedAndSavedInCurrentForm()
{
    QTemporaryDir dir;
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    QByteArray serial;
    quint8 flag = 0;
    qint32 port = 0;
    QVERIFY(vf.readDataFile(golden::path("hka_band2.DTA"), serial, flag, port, rec.get()));
    QCOMPARE(flag, quint8(1));
    QCOMPARE(rec->band, 4);
    QCOMPARE(QByteArray(rec->points[39]), QByteArray(19, '0'));
    QVERIFY(QByteArray(rec->points[40]) != QByteArray(19, '0'));
    QCOMPARE(QByteArray(rec->points[183]).size(), 18);
    QCOMPARE(QByteArray(rec->points[184]), QByteArray(19, '0'));

    const QString out = dir.filePath("resaved.DTA");
    QVERIFY(vf.writeDataFile(out, serial, port, rec.get()));
    COMPARE_GOLDEN(golden::readBytes(out), "hka_band2.resaved.DTA");
}

void TestFilesData::earlyEndEmptiesRemainingSlots()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("e.DTA");
    QVERIFY(golden::writeBytes(path, joined(band3().mid(0, 16) << "END:"
                                                               << "END:")));
    auto rec = std::make_unique<MeasurementRecord>();
    std::memcpy(rec->points[10], "OTHER-MEASUREMENT!", 19);
    QByteArray serial;
    quint8 flag;
    qint32 port;
    QVERIFY(vf.readDataFile(path, serial, flag, port, rec.get()));
    QCOMPARE(QByteArray(rec->points[9]), pointFor(9));
    QVERIFY(isEmptyPoint(rec->points[10]) && isEmptyPoint(rec->points[91]));
    // Not drawn, not averaged into the last point, not exported.
    auto raw = std::make_unique<CurveBlock>(), avg = std::make_unique<CurveBlock>();
    QVERIFY(vf.convertRecord(rec.get(), raw.get(), avg.get()));
    QCOMPARE(raw->r[10], -1.0f);
    QCOMPARE(avg->r[10], -1.0f);
    QCOMPARE(avg->r[9], raw->r[9]);
    QByteArray table;
    QVERIFY(vf.exportTextBytes(raw.get(), rec.get(), table));
    QCOMPARE(table.count("\r\n"), 3 + 10);
}

void TestFilesData::resaveKeepsBytes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("resaved"); // empty: the save is refused
    const auto v = band3();
    const auto same = [](const char *name, const QList<QByteArray> &l) {
        QTest::newRow(name) << joined(l) << joined(l);
    };
    same("trailing lead byte", with(v, 1, "SN:SN\x82"));
    same("not Windows-31J", with(v, 1, "SN:\x80\xA0\xFD\xFF\x7F"));
    same("codes sharing a character", with(v, 2, "DateTime:\xFA\x4A\xED\x40\x87\x90\xEE\xF9"));
    same("longest serial", with(v, 1, "SN:" + QByteArray(245, 'S')));
    same("early end", inserted(v.mid(0, 50), 50, "END:") << "END:");
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + joined(v) << joined(v);
    QTest::newRow("serial of a whole piece")
        << golden::load("resave_unreadable.DTA") << QByteArray();
}

void TestFilesData::resaveKeepsBytes()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, resaved);
    QTemporaryDir dir;
    QVERIFY(golden::writeBytes(dir.filePath("in.DTA"), content));
    auto rec = std::make_unique<MeasurementRecord>();
    QByteArray serial;
    quint8 flag;
    qint32 port;
    QVERIFY(vf.readDataFile(dir.filePath("in.DTA"), serial, flag, port, rec.get()));
    QCOMPARE(vf.writeDataFile(dir.filePath("out.DTA"), serial, port, rec.get()),
             !resaved.isEmpty());
    QCOMPARE(golden::readBytes(dir.filePath("out.DTA")), resaved);
}

void TestFilesData::dateTimeKeepsColons()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("d.DTA");
    QVERIFY(golden::writeBytes(path, joined(with(band3(), 2, "DateTime:12:34:56 : x:"))));
    auto rec = std::make_unique<MeasurementRecord>();
    QByteArray serial;
    quint8 flag;
    qint32 port;
    QVERIFY(vf.readDataFile(path, serial, flag, port, rec.get()));
    QCOMPARE(rec->dateTime, QByteArray("12:34:56 : x:"));
}

void TestFilesData::japaneseTextsAreWindows31J()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("j.DTA");
    auto rec = filledRecord(3);
    rec->dateTime = toAnsi(QStringLiteral("2024年5月1日 9:05:07"));
    QVERIFY(vf.writeDataFile(path, toAnsi(QStringLiteral("試作〜１")), 1, rec.get()));
    const QByteArray bytes = golden::readBytes(path);
    // 試作 81 60 (wave dash as the code page's tilde) 1 in full width
    QVERIFY(bytes.contains("\r\nSN:\x8e\x8e\x8d\xec\x81\x60\x82\x50\r\n"));
    QVERIFY(bytes.contains("\r\nDateTime:2024\x94\x4e"
                           "5\x8c\x8e"
                           "1\x93\xfa 9:05:07\r\n"));

    auto back = std::make_unique<MeasurementRecord>();
    QByteArray serial;
    quint8 flag;
    qint32 port;
    QVERIFY(vf.readDataFile(path, serial, flag, port, back.get()));
    QCOMPARE(fromAnsi(serial), QStringLiteral("試作～１"));
    QCOMPARE(back->dateTime, rec->dateTime);
}

void TestFilesData::writerKeepsEveryFileReadable()
{
    // Slots cut short by a zero byte or cleared (19 "0") and texts with line breaks must
    // not produce a file that cannot be read again.
    auto rec = filledRecord(3);
    std::memset(rec->points[5], 0, kPointSlotSize);
    std::memset(rec->points[5], '0', 10);
    std::memset(rec->points[6], '0', 19);
    rec->dateTime = "2024/05/01\r\n12:00:00";
    QTemporaryDir dir;
    const QString path = dir.filePath("k.DTA");
    QVERIFY(vf.writeDataFile(path, "A\nB", 1, rec.get()));
    const QByteArray bytes = golden::readBytes(path);
    QVERIFY(bytes.contains("\r\nSN:AB\r\nDateTime:2024/05/0112:00:00\r\n"));
    QVERIFY(bytes.contains("\r\n000000000000000000\r\n000000000000000000\r\n"));
    QByteArray serial;
    quint8 flag;
    qint32 port;
    auto back = std::make_unique<MeasurementRecord>();
    QVERIFY(vf.readDataFile(path, serial, flag, port, back.get()));

    emptyPoint(rec->points[5]); // a point missing before others has no form in the file
    QVERIFY(!vf.writeDataFile(dir.filePath("bad.DTA"), "A", 1, rec.get()));
    rec->band = 10;
    QVERIFY(!vf.writeDataFile(dir.filePath("bad.DTA"), "A", 1, rec.get()));
    QVERIFY(!QFile::exists(dir.filePath("bad.DTA")));
}

void TestFilesData::readFileLinePieces()
{
    QByteArray text = ";c\r\nA\rB\r\n" + QByteArray(300, 'x') + "\r\n;\n\nlast";
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    TextFileReader in(&buffer);
    QByteArray line;
    QStringList got;
    while (vf.readFileLine(in, line))
        got << QString::fromLatin1(line);
    // The 300 characters come as 249 and 51; the lone CR is removed too.
    QCOMPARE(got, QStringList({"AB", QString(249, 'x'), QString(51, 'x'), "", "last"}));
}

void TestFilesData::missingArguments()
{
    QTemporaryDir dir;
    auto rec = filledRecord(2);
    QByteArray serial;
    quint8 flag = 0;
    qint32 port = 0;
    QVERIFY(!vf.writeDataFile(QString(), "A", 1, rec.get()));
    QVERIFY(!vf.writeDataFile(dir.filePath("n.DTA"), "A", 1, nullptr));
    QVERIFY(!QFile::exists(dir.filePath("n.DTA")));
    QVERIFY(!vf.readDataFile(QString(), serial, flag, port, rec.get()));
    QVERIFY(!vf.readDataFile(golden::path("band2.DTA"), serial, flag, port, nullptr));
    QVERIFY(!vf.readDataFile(dir.filePath("absent.DTA"), serial, flag, port, rec.get()));
    QVERIFY(!vf.readDataFile(dir.path(), serial, flag, port, rec.get()));
    QVERIFY(!vf.writeDataFile(dir.filePath("no/such/folder.DTA"), "A", 1, rec.get()));
    // Only regular files, up to the bound (text after "END:" is ignored).
    QVERIFY(!vf.readDataFile("/dev/zero", serial, flag, port, rec.get()));
    const QByteArray valid = joined(band3());
    QByteArray big = valid + QByteArray(kMaxDataFileBytes - valid.size(), ';');
    QVERIFY(golden::writeBytes(dir.filePath("big.DTA"), big));
    QVERIFY(vf.readDataFile(dir.filePath("big.DTA"), serial, flag, port, rec.get()));
    QVERIFY(golden::writeBytes(dir.filePath("big.DTA"), big + ";"));
    QVERIFY(!vf.readDataFile(dir.filePath("big.DTA"), serial, flag, port, rec.get()));
}

void TestFilesData::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/old.DTA";
    QVERIFY(golden::writeBytes(path, "previous measurement"));
    if (!golden::lockFolder(folder)) {
        golden::unlockFolder(folder);
        QSKIP("cannot make a folder unwritable here");
    }
    auto rec = filledRecord(2);
    const bool written = vf.writeDataFile(path, "A", 1, rec.get());
    golden::unlockFolder(folder);
    QVERIFY(!written);
    QCOMPARE(golden::readBytes(path), QByteArray("previous measurement"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList("old.DTA"));
}

void TestFilesData::partlyFailedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.DTA");
    QVERIFY(golden::writeBytes(path, "previous measurement"));
    auto rec = filledRecord(2);
    bool written;
    {
        golden::FileSizeLimit limit(4096); // a band-2 file is about 11 kB
        written = vf.writeDataFile(path, "A", 1, rec.get());
    }
    QVERIFY(!written);
    QCOMPARE(golden::readBytes(path), QByteArray("previous measurement"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList("old.DTA"));
}

QTEST_GUILESS_MAIN(TestFilesData)
#include "tst_files_data.moc"
