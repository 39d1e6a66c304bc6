#include "core/files/VELO_File.h"
#include "core/model/BandTable.h"
#include "core/model/ComPortName.h"
#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/Stringutil.h"

#include <QtTest>
#include <cstring>
#include <memory>

namespace {

void setSlot(MeasurementRecord &rec, int index, const char *text)
{
    std::memset(rec.points[index], 0, kPointSlotSize);
    std::memcpy(rec.points[index], text, std::strlen(text));
}

} // namespace

class TestCoreModel : public QObject
{
    Q_OBJECT
private slots:
    void bandTable_data();
    void bandTable();
    void bandNeighboursShareBoundaries();
    void hexReaders_data();
    void hexReaders();
    void decode_data();
    void decode();
    void convertPointRejectsBadIndex();
    void convertRecordBand3();
    void convertRecordAveraging();
    void convertRecordClearedSlots();
    void clearPointsKeepsLastCharacter();
    void initGraphScaleSetsDefaults();
    void blockLayoutIsContiguous();
    void comPortNames_data();
    void comPortNames();
};

void TestCoreModel::bandTable_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1") << 1 << 20 << 20000 << 400 << 40 << 439 << "20Hz～20kHz";
    QTest::newRow("2") << 2 << 10 << 100000 << 540 << 0 << 539 << "10Hz～100kHz";
    QTest::newRow("3") << 3 << 10 << 50 << 92 << 0 << 91 << "10Hz～50Hz";
    QTest::newRow("4") << 4 << 20 << 250 << 144 << 40 << 183 << "20Hz～250Hz";
    QTest::newRow("5") << 5 << 250 << 2000 << 121 << 183 << 303 << "250Hz～2kHz";
    QTest::newRow("6") << 6 << 2000 << 20000 << 137 << 303 << 439 << "2kHz～20kHz";
    QTest::newRow("7") << 7 << 10000 << 100000 << 141 << 399 << 539 << "10kHz～100kHz";
    QTest::newRow("8") << 8 << 1000 << 100000 << 277 << 263 << 539 << "1kHz～100kHz";
    QTest::newRow("9") << 9 << 10 << 500 << 224 << 0 << 223 << "10Hz～500Hz";
}

void TestCoreModel::bandTable()
{
    QFETCH(int, band);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(int, count);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, caption);
    QCOMPARE(bandStartHz(band), start);
    QCOMPARE(bandEndHz(band), end);
    QCOMPARE(bandPointCount(band), count);
    QCOMPARE(bandFirstIndex(band), first);
    QCOMPARE(bandLastIndex(band), last);
    QCOMPARE(last - first + 1, count);
    QCOMPARE(bandCaption(band), caption);
}

void TestCoreModel::bandNeighboursShareBoundaries()
{
    QCOMPARE(bandLastIndex(4), 183);
    QCOMPARE(bandFirstIndex(5), 183);
    QCOMPARE(bandLastIndex(5), 303);
    QCOMPARE(bandFirstIndex(6), 303);
    QVERIFY(!isValidBand(0));
    QVERIFY(!isValidBand(10));
}

void TestCoreModel::hexReaders_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("h4");
    QTest::addColumn<int>("h4s");
    QTest::addColumn<qlonglong>("h6");
    QTest::newRow("8000") << QByteArray("800000") << 0x8000 << -32768 << qlonglong(0x800000);
    QTest::newRow("7FFF") << QByteArray("7FFF00") << 0x7FFF << 32767 << qlonglong(0x7FFF00);
    QTest::newRow("0186A0") << QByteArray("0186A0") << 0x0186 << 0x0186 << qlonglong(100000);
    QTest::newRow("lower") << QByteArray("fc18ab") << 0xFC18 << -1000 << qlonglong(0xfc18ab);
    QTest::newRow("non-hex") << QByteArray(" G1z0x") << 0x0010 << 0x0010 << qlonglong(0x001000);
}

void TestCoreModel::hexReaders()
{
    QFETCH(QByteArray, text);
    QFETCH(int, h4);
    QFETCH(int, h4s);
    QFETCH(qlonglong, h6);
    QCOMPARE(hex4Value(text.constData()), h4);
    QCOMPARE(hex4Signed(text.constData()), h4s);
    QCOMPARE(qlonglong(hex6Value(text.constData())), h6);
    // The fixed readers agree with the general one on the same characters.
    QCOMPARE(int(hexValue(text.constData(), 4)), h4);
    QCOMPARE(qlonglong(hexValue(text.constData(), 6)), h6);
}

void TestCoreModel::decode_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<float>("r");
    QTest::addColumn<float>("theta");
    QTest::addColumn<float>("freq");
    QTest::newRow("40.005 ohm, -99.95 deg")
        << QByteArray("0FA0FC1800FFFF0001") << 40.005f << -99.95f << float(65535 * 1000.0 / 65536);
    QTest::newRow("divisor 0 doubles")
        << QByteArray("0FA0FC1800FFFF0000") << 40.005f << -99.95f << float(65535 * 2000.0 / 65536);
    QTest::newRow("7FFF phase") << QByteArray("00007FFF0000000001") << 0.005f << 3276.75f << 0.0f;
    QTest::newRow("8000 phase") << QByteArray("000080000000000001") << 0.005f << -3276.75f << 0.0f;
    QTest::newRow("lower equals upper")
        << QByteArray("0fa0fc1800ffff0001") << 40.005f << -99.95f << float(65535 * 1000.0 / 65536);
    QTest::newRow("cleared slot") << QByteArray("0000000000000000000") << 0.005f << 0.05f << 0.0f;
    QTest::newRow("blank counts as 0")
        << QByteArray(" FA0FC1800FFFF0001") << 40.005f << -99.95f << float(65535 * 1000.0 / 65536);
    QTest::newRow("1 kHz over 4") << QByteArray("03E803841000000004") << 10.005f << 90.05f
                                  << float(0x100000 * 0.0152587890625 / 4);
}

void TestCoreModel::decode()
{
    QFETCH(QByteArray, text);
    QFETCH(float, r);
    QFETCH(float, theta);
    QFETCH(float, freq);
    char slot[kPointSlotSize] = {};
    std::memcpy(slot, text.constData(), qMin<qsizetype>(text.size(), kPointSlotSize - 1));
    const DecodedPoint p = decodePoint(slot);
    QCOMPARE(p.r, r);
    QCOMPARE(p.theta, theta);
    QCOMPARE(p.freq, freq);
}

void TestCoreModel::convertPointRejectsBadIndex()
{
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    VELO_File vf;
    QVERIFY(!vf.convertPoint(rec.get(), kRecordSlots, raw.get(), avg.get()));
    QVERIFY(!vf.convertPoint(nullptr, 0, raw.get(), avg.get()));
    QVERIFY(!vf.convertPoint(rec.get(), 0, nullptr, avg.get()));
    for (int i = 0; i < kRecordSlots; ++i)
        QCOMPARE(raw->r[i], -1.0f);
    setSlot(*rec, 599, "0FA0FC1800FFFF0001");
    QVERIFY(vf.convertPoint(rec.get(), 599, raw.get(), avg.get()));
    QCOMPARE(raw->r[599], 40.005f);
    QCOMPARE(avg->theta[599], -99.95f);
    QCOMPARE(raw->valid, 0u); // point conversion leaves the flags alone
}

void TestCoreModel::convertRecordBand3()
{
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    rec->band = 3;
    for (int i = 0; i <= 91; ++i) {
        char text[19];
        std::snprintf(text, sizeof text, "%04X%04X%06X0001", 100 * (i + 1), i, 655 * (i + 1));
        setSlot(*rec, i, text);
    }
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    VELO_File vf;
    QVERIFY(vf.convertRecord(rec.get(), raw.get(), avg.get()));
    QCOMPARE(raw->valid, 1u);
    QCOMPARE(avg->valid, 1u);
    for (int i = 92; i < kRecordSlots; ++i) {
        QCOMPARE(raw->r[i], -1.0f);
        QCOMPARE(avg->r[i], -1.0f);
    }
    QCOMPARE(raw->r[0], 1.005f);
    QCOMPARE(raw->r[91], 92.005f);
    QCOMPARE(avg->freq[50], raw->freq[50]);
}

void TestCoreModel::convertRecordAveraging()
{
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    rec->band = 5; // 183..303
    for (int i = 183; i <= 303; ++i) {
        char text[19];
        const int r = (i * 37) % 1000;
        const int th = ((i * 53) % 400) - 200;
        std::snprintf(text, sizeof text, "%04X%04X%06X0001", r, th & 0xFFFF, 65536 + i);
        setSlot(*rec, i, text);
    }
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    VELO_File vf;
    QVERIFY(vf.convertRecord(rec.get(), raw.get(), avg.get()));
    // The ends are never averaged.
    QCOMPARE(avg->r[183], raw->r[183]);
    QCOMPARE(avg->r[303], raw->r[303]);
    QCOMPARE(avg->theta[183], raw->theta[183]);
    QCOMPARE(avg->theta[303], raw->theta[303]);
    // Inside: the float sum of three neighbours times the constant, rounded once to float.
    for (int i = 184; i <= 302; ++i) {
        const long double sum = (long double)raw->r[i - 1] + raw->r[i] + raw->r[i + 1];
        QCOMPARE(avg->r[i], float(sum * 0.33333333333333333334L));
        QVERIFY(qAbs(avg->r[i] - (raw->r[i - 1] + raw->r[i] + raw->r[i + 1]) / 3) < 1e-4);
        QVERIFY(qAbs(avg->theta[i] - (raw->theta[i - 1] + raw->theta[i] + raw->theta[i + 1]) / 3) <
                1e-4);
    }
    QCOMPARE(raw->r[182], -1.0f);
    QCOMPARE(avg->r[304], -1.0f);
}

void TestCoreModel::convertRecordClearedSlots()
{
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    rec->band = 2;
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    VELO_File vf;
    QVERIFY(vf.convertRecord(rec.get(), raw.get(), avg.get()));
    for (int i = 0; i <= 539; ++i) {
        QCOMPARE(raw->r[i], 0.005f);
        QCOMPARE(raw->theta[i], 0.05f);
        QCOMPARE(raw->freq[i], 0.0f);
        QCOMPARE(avg->r[i], float((0.005f * 3.0L) * 0.33333333333333333334L));
    }
    QCOMPARE(avg->r[0], 0.005f);
    QCOMPARE(raw->r[540], -1.0f);
    QVERIFY(!vf.convertRecord(nullptr, raw.get(), avg.get()));
    QVERIFY(!vf.convertRecord(rec.get(), raw.get(), nullptr));
}

void TestCoreModel::clearPointsKeepsLastCharacter()
{
    auto rec = std::make_unique<MeasurementRecord>();
    rec->points[7][19] = 'x';
    rec->dateTime = "keep";
    clearPoints(*rec);
    QCOMPARE(QByteArray(rec->points[7], 19), QByteArray(19, '0'));
    QCOMPARE(rec->points[7][19], 'x');
    QCOMPARE(rec->dateTime, QByteArray("keep"));
}

void TestCoreModel::initGraphScaleSetsDefaults()
{
    GraphScale s;
    s.rMax = 200;
    s.thetaMax = 180;
    initGraphScale(s, 7);
    QCOMPARE(s.fStartHz, 10000);
    QCOMPARE(s.fEndHz, 100000);
    QCOMPARE(s.rMin, 0.0f);
    QCOMPARE(s.rMax, 25.0f);
    QCOMPARE(s.thetaMin, -90.0f);
    QCOMPARE(s.thetaMax, 90.0f);
    QCOMPARE(s.band, 7);
}

void TestCoreModel::blockLayoutIsContiguous()
{
    QCOMPARE(sizeof(CurveBlock), size_t(4 * (1 + 3 * kRecordSlots)));
    CurveBlock b;
    QCOMPARE(b.valid, 0u);
    QCOMPARE(b.r[0], -1.0f);
    QCOMPARE(b.freq[599], 0.0f);
}

void TestCoreModel::comPortNames_data()
{
    using Kind = ComPortName::Kind;
    QTest::addColumn<QString>("text");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("number");
    QTest::newRow("COM1") << "COM1" << Kind::Valid << 1;
    QTest::newRow("COM256") << "COM256" << Kind::Valid << 256;
    QTest::newRow("leading zeros") << "COM007" << Kind::Valid << 7;
    QTest::newRow("COM0") << "COM0" << Kind::OutOfRange << 0;
    QTest::newRow("COM257") << "COM257" << Kind::OutOfRange << 257;
    QTest::newRow("lower case") << "com3" << Kind::NotCom << 0;
    QTest::newRow("empty") << "" << Kind::NotCom << 0;
    QTest::newRow("a path") << "/dev/COM3" << Kind::NotCom << 0;
    QTest::newRow("no number") << "COM" << Kind::NoNumber << 0;
    QTest::newRow("sign") << "COM+7" << Kind::Valid << 7;
    QTest::newRow("negative") << "COM-1" << Kind::OutOfRange << -1;
    QTest::newRow("sign alone") << "COM+" << Kind::NoNumber << 0;
    QTest::newRow("blank") << "COM 3" << Kind::NoNumber << 0;
    QTest::newRow("trailing text") << "COM3a" << Kind::NoNumber << 0;
    QTest::newRow("too long for an int") << "COM99999999999" << Kind::NoNumber << 0;
    QTest::newRow("other digits") << QStringLiteral("COM\u0663") << Kind::NoNumber << 0;
}

void TestCoreModel::comPortNames()
{
    QFETCH(QString, text);
    QFETCH(ComPortName::Kind, kind);
    QFETCH(int, number);
    const ComPortName parsed = ComPortName::parse(text);
    QCOMPARE(parsed.kind, kind);
    QCOMPARE(parsed.number, number);
    if (parsed.isNumbered())
        QCOMPARE(ComPortName::parse(ComPortName::nameOf(number)).number, number);
}

QTEST_APPLESS_MAIN(TestCoreModel)
#include "tst_core_model.moc"
