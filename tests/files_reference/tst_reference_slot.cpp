#include "DataFiles.h"
#include "core/files/ReferenceSlot.h"
#include "core/files/VELO_File.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstring>
#include <memory>

namespace {

struct Slot {
    std::unique_ptr<MeasurementRecord> record = std::make_unique<MeasurementRecord>();
    std::unique_ptr<CurveBlock> raw = std::make_unique<CurveBlock>();
    std::unique_ptr<CurveBlock> avg = std::make_unique<CurveBlock>();
};

bool sameSlot(const Slot &a, const Slot &b)
{
    return a.record->valid == b.record->valid && a.record->band == b.record->band &&
           a.record->dateTime == b.record->dateTime &&
           std::memcmp(a.record->points, b.record->points, sizeof a.record->points) == 0 &&
           std::memcmp(a.raw.get(), b.raw.get(), sizeof(CurveBlock)) == 0 &&
           std::memcmp(a.avg.get(), b.avg.get(), sizeof(CurveBlock)) == 0;
}

} // namespace

class TestReferenceSlot : public QObject
{
    Q_OBJECT
private slots:
    void failureLeavesTheSlotAsItWas_data();
    void failureLeavesTheSlotAsItWas();
    void loadReplacesTheWholeSlot();
    void clearEmptiesEverything();

private:
    VELO_File vf;
    QTemporaryDir dir;
};

void TestReferenceSlot::failureLeavesTheSlotAsItWas_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray noEnd = datafiles::bytes({.band = 3});
    noEnd.chop(6);
    QByteArray badPoint = datafiles::bytes({.band = 3});
    badPoint.replace("\r\n0", "\r\n00"); // the first point line grows to 19 characters
    QTest::newRow("end line missing after every point") << noEnd;
    QTest::newRow("point line too long") << badPoint;
    QTest::newRow("bad first line") << QByteArray("DataFile:HK-A3\r\n");
    QTest::newRow("no such file") << QByteArray();
}

void TestReferenceSlot::failureLeavesTheSlotAsItWas()
{
    QFETCH(QByteArray, content);
    Slot slot;
    const QString good = dir.filePath("good.DTA");
    QVERIFY(datafiles::write(good, datafiles::bytes({.band = 5})));
    QCOMPARE(loadReference(vf, good, *slot.record, *slot.raw, *slot.avg), ReferenceLoad::Loaded);
    Slot before;
    *before.record = *slot.record;
    *before.raw = *slot.raw;
    *before.avg = *slot.avg;

    const QString bad = dir.filePath("bad.DTA");
    QFile::remove(bad);
    if (!content.isEmpty())
        QVERIFY(datafiles::write(bad, content));
    QCOMPARE(loadReference(vf, bad, *slot.record, *slot.raw, *slot.avg), ReferenceLoad::BadFile);
    QVERIFY(sameSlot(slot, before));
}

void TestReferenceSlot::loadReplacesTheWholeSlot()
{
    Slot slot;
    slot.record->dateTime = "old";
    slot.record->band = 9;
    std::memset(slot.record->points, 'F', sizeof slot.record->points);
    slot.raw->r[0] = 99.0f;
    // A point list cut short by "END:" leaves empty points behind, not the slot's old ones.
    datafiles::FileShape shape;
    shape.band = 1;
    QByteArray shortList = datafiles::bytes(shape);
    const int pointsStart = int(shortList.indexOf("\r\n", shortList.indexOf("DNum:"))) + 2;
    shortList = shortList.left(pointsStart + 20) + "END:\r\nEND:\r\n"; // one point only
    const QString file = dir.filePath("short.DTA");
    QVERIFY(datafiles::write(file, shortList));

    QCOMPARE(loadReference(vf, file, *slot.record, *slot.raw, *slot.avg), ReferenceLoad::Loaded);
    QCOMPARE(slot.record->valid, quint8(1));
    QCOMPARE(slot.record->band, 1);
    QCOMPARE(slot.record->dateTime, QByteArray("2024/06/01 10:00:00"));
    const int first = bandFirstIndex(1);
    QCOMPARE(QByteArray(slot.record->points[first]), shortList.mid(pointsStart, 18));
    QVERIFY(isEmptyPoint(slot.record->points[first + 1]));
    QCOMPARE(QByteArray(slot.record->points[599], 19), QByteArray(19, '0'));
    QCOMPARE(slot.raw->r[599], -1.0f);
    QCOMPARE(slot.raw->valid, 1u);
    QCOMPARE(slot.raw->r[first], 6.005f);
}

void TestReferenceSlot::clearEmptiesEverything()
{
    Slot slot;
    const QString good = dir.filePath("c.DTA");
    QVERIFY(datafiles::write(good, datafiles::bytes({})));
    QCOMPARE(loadReference(vf, good, *slot.record, *slot.raw, *slot.avg), ReferenceLoad::Loaded);
    clearReferenceSlot(*slot.record, *slot.raw, *slot.avg);
    QCOMPARE(slot.record->valid, quint8(0));
    QCOMPARE(slot.raw->valid, 0u);
    QCOMPARE(slot.avg->valid, 0u);
    for (int i = 0; i < kRecordSlots; ++i) {
        QCOMPARE(QByteArray(slot.record->points[i], 19), QByteArray(19, '0'));
        QCOMPARE(slot.raw->r[i], -1.0f);
        QCOMPARE(slot.avg->r[i], -1.0f);
    }
}

QTEST_GUILESS_MAIN(TestReferenceSlot)
#include "tst_reference_slot.moc"
