#include "GoldenFile.h"

#include "core/files/NumberFormat.h"
#include "core/files/VELO_File.h"
#include "core/files/ZmaText.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/PointText.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

namespace {

struct Loaded {
    std::unique_ptr<MeasurementRecord> record = std::make_unique<MeasurementRecord>();
    std::unique_ptr<CurveBlock> raw = std::make_unique<CurveBlock>();
    std::unique_ptr<CurveBlock> avg = std::make_unique<CurveBlock>();
};

Loaded load(const QString &goldenName)
{
    Loaded l;
    VELO_File vf;
    QByteArray serial;
    quint8 flag;
    qint32 port;
    clearPoints(*l.record);
    if (vf.readDataFile(golden::path(goldenName), serial, flag, port, l.record.get()))
        vf.convertRecord(l.record.get(), l.raw.get(), l.avg.get());
    return l;
}

float thetaOfCode(int code)
{
    char slot[kPointSlotSize] = {};
    const QByteArray text = QString::asprintf("0000%04X0000000001", code & 0xFFFF).toLatin1();
    memcpy(slot, text.constData(), kPointTextLength);
    return decodePoint(slot).theta;
}

} // namespace

class TestFilesExport : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void goldenTables_data();
    void goldenTables();
    void band2Layout();
    void averagedKeepsEnds();
    void formatFixed_data();
    void formatFixed();
    void phaseCodes_data();
    void phaseCodes();
    void localeDecimalSeparator();
    void failures();
    void exportBytesAreTheFile();
    void shortestFloatText_data();
    void shortestFloatText();
    void zmaTable();
    void zmaLeavesOutEmptySlots();

private:
    VELO_File vf;
};

void TestFilesExport::goldenTables_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("averaged");
    QTest::addColumn<QString>("expected");
    QTest::newRow("band 3 raw") << "band3_sjis.DTA" << false << "band3_sjis.raw.txt";
    QTest::newRow("band 3 averaged") << "band3_sjis.DTA" << true << "band3_sjis.avg.txt";
    QTest::newRow("band 2 raw") << "band2.DTA" << false << "band2.raw.txt";
}

void TestFilesExport::goldenTables()
{
    QFETCH(QString, input);
    QFETCH(bool, averaged);
    QFETCH(QString, expected);
    Loaded l = load(input);
    QVERIFY(l.raw->valid);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    QVERIFY(vf.exportText(path, averaged ? l.avg.get() : l.raw.get(), l.record.get()));
    const QString d = golden::diff(golden::readBytes(path), golden::load(expected));
    QVERIFY2(d.isEmpty(), qPrintable(expected + ":\n" + d));
}

void TestFilesExport::band2Layout()
{
    Loaded l = load("band2.DTA");
    QTemporaryDir dir;
    const QString path = dir.filePath("b2.txt");
    QVERIFY(vf.exportText(path, l.raw.get(), l.record.get()));
    const QList<QByteArray> lines = golden::readBytes(path).split('\n');
    QCOMPARE(lines.size(), 543 + 1); // the last line end leaves an empty tail
    QVERIFY(lines.last().isEmpty());
    // Headings in Windows-31J, written out byte by byte.
    QCOMPARE(lines[0], QByteArray("HK-A2 \x91\xaa\x92\xe8\x83\x66\x81\x5b\x83\x5e\r"));
    QCOMPARE(lines[1], QByteArray("\x91\xaa\x92\xe8\x93\xfa\x8e\x9e:2024/05/01 12:34:56\r"));
    QCOMPARE(lines[2], QByteArray("\x8e\xfc\x94\x67\x90\x94[Hz]\t\x92\xef\x8d\x52\x92\x6c[\x83\xb6]"
                                  "\t\x88\xca\x91\x8a\x8a\x70[deg]\r"));
    QCOMPARE(lines[3].left(lines[3].indexOf('\t')),
             ::formatFixed(l.raw->freq[0], 2, ".").toLatin1());
    QCOMPARE(lines[542].left(lines[542].indexOf('\t')),
             ::formatFixed(l.raw->freq[539], 2, ".").toLatin1());
}

void TestFilesExport::averagedKeepsEnds()
{
    Loaded l = load("band3_sjis.DTA");
    QTemporaryDir dir;
    QVERIFY(vf.exportText(dir.filePath("r.txt"), l.raw.get(), l.record.get()));
    QVERIFY(vf.exportText(dir.filePath("a.txt"), l.avg.get(), l.record.get()));
    const QList<QByteArray> raw = golden::readBytes(dir.filePath("r.txt")).split('\n');
    const QList<QByteArray> avg = golden::readBytes(dir.filePath("a.txt")).split('\n');
    QCOMPARE(raw.size(), 3 + 92 + 1);
    QCOMPARE(avg[3], raw[3]);
    QCOMPARE(avg[94], raw[94]);
    int differing = 0;
    for (int n = 3; n < 95; ++n) {
        QCOMPARE(avg[n].left(avg[n].indexOf('\t')), raw[n].left(raw[n].indexOf('\t')));
        differing += avg[n] != raw[n];
    }
    QVERIFY(differing > 45);
}

void TestFilesExport::formatFixed_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("12.35f is 12.3500004") << 12.35f << 1 << "12.4";
    QTest::newRow("-0.95f is -0.94999999") << -0.95f << 1 << "-0.9";
    QTest::newRow("exact half up") << 0.125f << 2 << "0.13";
    QTest::newRow("exact half away from zero") << -0.125f << 2 << "-0.13";
    QTest::newRow("exact quarter") << 0.25f << 1 << "0.3";
    QTest::newRow("2.675f is below the half") << 2.675f << 2 << "2.67";
    QTest::newRow("1.005f is below the half") << 1.005f << 2 << "1.00";
    QTest::newRow("0.15f is above the half") << 0.15f << 1 << "0.2";
    QTest::newRow("999.995f") << 999.995f << 2 << "999.99";
    QTest::newRow("carry into a new digit") << 9.96f << 1 << "10.0";
    QTest::newRow("zero") << 0.0f << 2 << "0.00";
    QTest::newRow("negative zero") << -0.0f << 1 << "0.0";
    QTest::newRow("tiny negative rounds to zero") << -0.001f << 2 << "-0.00";
    QTest::newRow("small negative") << -0.05f << 1 << "-0.1";
    QTest::newRow("leading zero") << 0.5f << 2 << "0.50";
    QTest::newRow("large") << 123456.789f << 2 << "123456.79";
    QTest::newRow("empty slot") << -1.0f << 2 << "-1.00";
}

void TestFilesExport::formatFixed()
{
    QFETCH(float, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(::formatFixed(value, decimals, "."), text);
}

void TestFilesExport::phaseCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("-10") << -10 << "-0.9";
    QTest::newRow("123") << 123 << "12.4";
    QTest::newRow("-1") << -1 << "-0.1";
    QTest::newRow("0") << 0 << "0.1";
    QTest::newRow("-900") << -900 << "-89.9";
}

void TestFilesExport::phaseCodes()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(::formatFixed(thetaOfCode(code), 1, "."), text);
}

void TestFilesExport::localeDecimalSeparator()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Loaded l = load("band3_sjis.DTA");
    QTemporaryDir dir;
    QVERIFY(vf.exportText(dir.filePath("de.txt"), l.raw.get(), l.record.get()));
    const QByteArray bytes = golden::readBytes(dir.filePath("de.txt"));
    QByteArray expected = golden::load("band3_sjis.raw.txt");
    const qsizetype body = expected.indexOf("\r\n", expected.indexOf("[deg]")) + 2;
    expected = expected.left(body) + expected.mid(body).replace('.', ',');
    QCOMPARE(golden::diff(bytes, expected), QString());
}

void TestFilesExport::failures()
{
    Loaded l = load("band3_sjis.DTA");
    QTemporaryDir dir;
    QVERIFY(!vf.exportText(QString(), l.raw.get(), l.record.get()));
    QVERIFY(!vf.exportText(dir.filePath("a.txt"), nullptr, l.record.get()));
    QVERIFY(!vf.exportText(dir.filePath("a.txt"), l.raw.get(), nullptr));
    l.record->band = 0;
    QVERIFY(!vf.exportText(dir.filePath("a.txt"), l.raw.get(), l.record.get()));
    QVERIFY(!QFile::exists(dir.filePath("a.txt")));
    l.record->band = 3;

    const QString folder = dir.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(golden::writeBytes(folder + "/old.txt", "old table"));
    if (golden::lockFolder(folder)) {
        const bool written = vf.exportText(folder + "/old.txt", l.raw.get(), l.record.get());
        golden::unlockFolder(folder);
        QVERIFY(!written);
        QCOMPARE(golden::readBytes(folder + "/old.txt"), QByteArray("old table"));
    } else {
        golden::unlockFolder(folder);
    }

    bool written;
    {
        golden::FileSizeLimit limit(512);
        written = vf.exportText(folder + "/old.txt", l.raw.get(), l.record.get());
    }
    QVERIFY(!written);
    QCOMPARE(golden::readBytes(folder + "/old.txt"), QByteArray("old table"));
}

void TestFilesExport::exportBytesAreTheFile()
{
    Loaded l = load("band3_sjis.DTA");
    QByteArray bytes("untouched");
    QVERIFY(vf.exportTextBytes(l.avg.get(), l.record.get(), bytes));
    QCOMPARE(golden::diff(bytes, golden::load("band3_sjis.avg.txt")), QString());

    bytes = "untouched";
    QVERIFY(!vf.exportTextBytes(nullptr, l.record.get(), bytes));
    QVERIFY(!vf.exportTextBytes(l.avg.get(), nullptr, bytes));
    l.record->band = 10;
    QVERIFY(!vf.exportTextBytes(l.avg.get(), l.record.get(), bytes));
    QCOMPARE(bytes, QByteArray("untouched"));
}

void TestFilesExport::shortestFloatText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("R of a point") << 8.265f << QByteArray("8.265");
    QTest::newRow("negative phase") << -12.25f << QByteArray("-12.25");
    QTest::newRow("held as 12.3500004") << 12.35f << QByteArray("12.35");
    QTest::newRow("a third") << 10.041666f << QByteArray("10.041666");
    QTest::newRow("whole") << 100000.0f << QByteArray("100000");
    QTest::newRow("zero") << 0.0f << QByteArray("0");
    QTest::newRow("small") << 1e-7f << QByteArray("0.0000001");
    QTest::newRow("huge") << 3e38f << QByteArray("3e+38");
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << QByteArray("nan");
    QTest::newRow("-inf") << -std::numeric_limits<float>::infinity() << QByteArray("-inf");
}

void TestFilesExport::shortestFloatText()
{
    QFETCH(float, value);
    QFETCH(QByteArray, text);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // never a comma
    const QByteArray got = ::shortestFloatText(value);
    QCOMPARE(got, text);
    if (std::isfinite(value)) {
        const float back = std::strtof(got.constData(), nullptr);
        QCOMPARE(memcmp(&back, &value, sizeof value), 0);
    }
}

void TestFilesExport::zmaTable()
{
    // Source and band, a heading, then frequency, |Z| and phase of every point of the band,
    // read back exactly; a name outside ASCII is written with "?".
    Loaded l = load("band3_sjis.DTA");
    const QByteArray text = zmaText(*l.avg, 3, QStringLiteral("spk\u6e2c.DTA"));
    QVERIFY(text.startsWith("* VELO2: spk?.DTA, band 3 (10Hz-50Hz)\r\n"
                            "* Freq(Hz)\tZ(ohm)\tPhase(deg)\r\n"));
    QVERIFY(text.endsWith("\r\n"));
    const QList<QByteArray> lines = text.split('\n');
    QCOMPARE(lines.size(), 2 + 92 + 1); // the last split piece is empty
    for (int i = 0; i <= 91; ++i) {
        const QList<QByteArray> cols = lines[i + 2].chopped(1).split('\t');
        QCOMPARE(cols.size(), 3);
        QCOMPARE(cols[0].toFloat(), l.avg->freq[i]);
        QCOMPARE(cols[1].toFloat(), l.avg->r[i]);
        QCOMPARE(cols[2].toFloat(), l.avg->theta[i]);
    }
    QCOMPARE(lines[2], QByteArray("10.000229\t9.815\t62.15\r"));
    QCOMPARE(zmaText(*l.avg, 0, QString()), QByteArray());
}

void TestFilesExport::zmaLeavesOutEmptySlots()
{
    CurveBlock curve;
    clearCurve(curve);
    for (int i = 0; i <= 91; ++i) {
        curve.r[i] = 8.0f;
        curve.freq[i] = 10.0f + float(i);
    }
    curve.r[5] = -1.0f;   // no point
    curve.freq[7] = 0.0f; // a cleared slot: no place on a log axis
    const QList<QByteArray> lines = zmaText(curve, 3, QString()).split('\n');
    QCOMPARE(lines.size(), 2 + 90 + 1);
    QVERIFY(!zmaText(curve, 3, QString()).contains("\n15\t"));
    QVERIFY(!zmaText(curve, 3, QString()).contains("\n0\t"));
}

QTEST_GUILESS_MAIN(TestFilesExport)
#include "tst_files_export.moc"
