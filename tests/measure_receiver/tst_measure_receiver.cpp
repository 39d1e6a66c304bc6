#include "core/measure/PointEncoder.h"
#include "core/measure/RunReceiver.h"
#include "core/model/BandTable.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/PointText.h"
#include "core/model/SweepGrid.h"

#include <QtTest>

#include <cstring>
#include <memory>

namespace {

using Step = RunReceiver::Step;

// The unit's stream for a band: one 18-digit text and CR per point, then the end mark and CR.
QByteArray pointText(int gridIndex)
{
    return encodePointText(4.0 + gridIndex * 0.25, -45.0 + gridIndex * 0.1,
                           gridFrequencyHz(gridIndex));
}

QByteArray stream(int band, const QByteArray &endMark = "OK\r")
{
    QByteArray out;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
        out += pointText(i) + '\r';
    return out + endMark;
}

std::unique_ptr<MeasurementRecord> clearedRecord()
{
    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    return rec;
}

// Feeds `bytes` in reads of at most 19 bytes, one parse step per read, like the run does;
// then keeps stepping without new bytes until nothing more happens. Returns the last result
// that was not Nothing.
RunReceiver::StepResult drive(RunReceiver &rx, MeasurementRecord &rec, const QByteArray &bytes,
                              QList<int> *stored = nullptr)
{
    RunReceiver::StepResult last;
    auto note = [&](const RunReceiver::StepResult &r) {
        if (r.step == Step::Nothing)
            return;
        last = r;
        if (stored && r.step == Step::PointStored)
            stored->append(r.gridIndex);
    };
    for (int pos = 0; pos < bytes.size() && !rx.finished(); pos += kPointWireLength)
        note(rx.feed(bytes.constData() + pos,
                     int(std::min<qsizetype>(kPointWireLength, bytes.size() - pos)), rec));
    while (!rx.finished()) {
        const RunReceiver::StepResult r = rx.step(rec);
        if (r.step == Step::Nothing)
            break;
        note(r);
    }
    return last;
}

} // namespace

class TestMeasureReceiver : public QObject
{
    Q_OBJECT
private slots:
    void band3RunStoresGrid0To91();
    void wholeBands_data();
    void wholeBands();
    void piecesAreAssembled();
    void pointNeeds19Bytes();
    void terminatorByteNotExamined();
    void endMarks_data();
    void endMarks();
    void endMarkNeedsThreeBytes();
    void badByteInPoint_data();
    void badByteInPoint();
    void silentUnitLeavesPointsStored();
    void finishedReceiverDoesNothing();
    void restartClearsState();
    void bufferNeverOverflows();
};

void TestMeasureReceiver::band3RunStoresGrid0To91()
{
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(3);
    QCOMPARE(rx.pointsExpected(), 92);
    QCOMPARE(rx.runFirstIndex(), 0);
    QList<int> stored;
    const RunReceiver::StepResult last = drive(rx, *rec, stream(3), &stored);
    QCOMPARE(last.step, Step::EndOk);
    QCOMPARE(stored.size(), 92);
    for (int k = 0; k < 92; ++k)
        QCOMPARE(stored.at(k), k);
    for (int i = 0; i <= 91; ++i) {
        QCOMPARE(QByteArray(rec->points[i]), pointText(i));
        QCOMPARE(rec->points[i][18], '\0');
    }
    QCOMPARE(QByteArray(rec->points[92], 19), QByteArray(19, '0'));
    QCOMPARE(rx.pointsReceived(), 92);
    QCOMPARE(rx.rxWritePos(), 92 * 19 + 3);
    QCOMPARE(rx.rxParsePos(), 92 * 19);
    // The stored text decodes to what was encoded.
    const DecodedPoint p = decodePoint(rec->points[91]);
    QVERIFY(qAbs(p.r - (4.0 + 91 * 0.25)) <= 0.0051);
    QVERIFY(qAbs(p.freq - 50.0) < 1e-3);
}

void TestMeasureReceiver::wholeBands_data()
{
    QTest::addColumn<int>("band");
    for (int band = 1; band <= kBandCount; ++band)
        QTest::addRow("band %d", band) << band;
}

void TestMeasureReceiver::wholeBands()
{
    QFETCH(int, band);
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(band);
    QList<int> stored;
    QCOMPARE(drive(rx, *rec, stream(band), &stored).step, Step::EndOk);
    QCOMPARE(stored.size(), bandPointCount(band));
    QCOMPARE(stored.first(), bandFirstIndex(band));
    QCOMPARE(stored.last(), bandLastIndex(band));
    // At most the points, the end mark and one read's worth are ever stored.
    QVERIFY(rx.rxWritePos() <= bandPointCount(band) * 19 + 37);
}

void TestMeasureReceiver::piecesAreAssembled()
{
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(1);
    const QByteArray point = pointText(40) + '\r';
    QCOMPARE(rx.feed(point.constData(), 7, *rec).step, Step::Nothing);
    QCOMPARE(rx.feed(point.constData() + 7, 7, *rec).step, Step::Nothing);
    const RunReceiver::StepResult r = rx.feed(point.constData() + 14, 5, *rec);
    QCOMPARE(r.step, Step::PointStored);
    QCOMPARE(r.point, 0);
    QCOMPARE(r.gridIndex, 40);
    QCOMPARE(QByteArray(rec->points[40]), pointText(40));
    QCOMPARE(rx.rxParsePos(), 19);
}

void TestMeasureReceiver::pointNeeds19Bytes()
{
    // 18 characters are not a point yet: the terminator must have arrived too.
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(2);
    const QByteArray point = pointText(0) + '\r';
    QCOMPARE(rx.feed(point.constData(), 18, *rec).step, Step::Nothing);
    QCOMPARE(QByteArray(rec->points[0], 19), QByteArray(19, '0'));
    QCOMPARE(rx.feed(point.constData() + 18, 1, *rec).step, Step::PointStored);
}

void TestMeasureReceiver::terminatorByteNotExamined()
{
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(3);
    const QByteArray point = pointText(0) + 'X';
    QCOMPARE(rx.feed(point.constData(), 19, *rec).step, Step::PointStored);
    QCOMPARE(QByteArray(rec->points[0]), pointText(0));
}

void TestMeasureReceiver::endMarks_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<int>("expected");
    QTest::newRow("OK") << QByteArray("OK\r") << int(Step::EndOk);
    QTest::newRow("OK, any terminator") << QByteArray("OKX") << int(Step::EndOk);
    QTest::newRow("NG") << QByteArray("NG\r") << int(Step::EndWrong);
    QTest::newRow("lower case") << QByteArray("ok\r") << int(Step::EndWrong);
    QTest::newRow("half") << QByteArray("OX\r") << int(Step::EndWrong);
    QTest::newRow("another point") << pointText(0) + '\r' << int(Step::EndWrong);
}

void TestMeasureReceiver::endMarks()
{
    QFETCH(QByteArray, mark);
    QFETCH(int, expected);
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(3);
    QCOMPARE(int(drive(rx, *rec, stream(3, mark)).step), expected);
    QVERIFY(rx.finished());
    QCOMPARE(rx.pointsReceived(), 92);
}

void TestMeasureReceiver::endMarkNeedsThreeBytes()
{
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(3);
    const QByteArray all = stream(3);
    const QByteArray points = all.left(92 * 19);
    drive(rx, *rec, points);
    QCOMPARE(rx.pointsReceived(), 92);
    QCOMPARE(rx.feed("OK", 2, *rec).step, Step::Nothing);
    QVERIFY(!rx.finished());
    QCOMPARE(rx.feed("\r", 1, *rec).step, Step::EndOk);
}

void TestMeasureReceiver::badByteInPoint_data()
{
    QTest::addColumn<int>("point");
    QTest::addColumn<int>("position");
    QTest::addColumn<char>("byte");
    QTest::newRow("CR: first point, first character") << 0 << 0 << '\r';
    QTest::newRow("CR: point 5, middle") << 5 << 9 << '\r';
    QTest::newRow("CR: last point, last character") << 91 << 17 << '\r';
    QTest::newRow("line feed") << 5 << 9 << '\n';
    QTest::newRow("zero byte") << 7 << 3 << '\0';
    QTest::newRow("not a hex digit") << 8 << 17 << 'g';
}

void TestMeasureReceiver::badByteInPoint()
{
    QFETCH(int, point);
    QFETCH(int, position);
    QFETCH(char, byte);
    QByteArray bytes = stream(3);
    bytes[point * 19 + position] = byte;
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(3);
    QList<int> stored;
    const RunReceiver::StepResult last = drive(rx, *rec, bytes, &stored);
    QCOMPARE(last.step, Step::BadPoint);
    QCOMPARE(last.point, point);
    QCOMPARE(stored.size(), point);
    QCOMPARE(rx.pointsReceived(), point);
    QVERIFY(rx.finished());
    // The characters before the bad byte were copied, the rest of the slot kept.
    const QByteArray expected = pointText(point).left(position) + QByteArray(19 - position, '0');
    QCOMPARE(QByteArray(rec->points[point], 19), expected);
}

void TestMeasureReceiver::silentUnitLeavesPointsStored()
{
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(1);
    const QByteArray half = stream(1).left(200 * 19);
    QList<int> stored;
    drive(rx, *rec, half, &stored);
    QCOMPARE(stored.size(), 200);
    QVERIFY(!rx.finished());
    QCOMPARE(rx.step(*rec).step, Step::Nothing);
    QCOMPARE(QByteArray(rec->points[40 + 199]), pointText(239));
    QCOMPARE(QByteArray(rec->points[240], 19), QByteArray(19, '0'));
}

void TestMeasureReceiver::finishedReceiverDoesNothing()
{
    auto rec = clearedRecord();
    RunReceiver rx;
    QVERIFY(rx.finished()); // nothing started
    QCOMPARE(rx.step(*rec).step, Step::Nothing);
    rx.start(3);
    drive(rx, *rec, stream(3));
    QVERIFY(rx.finished());
    const QByteArray more = pointText(0) + '\r';
    QCOMPARE(rx.feed(more.constData(), 19, *rec).step, Step::Nothing);
}

void TestMeasureReceiver::restartClearsState()
{
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(3);
    drive(rx, *rec, stream(3).left(100));
    rx.start(7);
    QCOMPARE(rx.rxWritePos(), 0);
    QCOMPARE(rx.rxParsePos(), 0);
    QCOMPARE(rx.pointsReceived(), 0);
    QCOMPARE(rx.pointsExpected(), 141);
    QCOMPARE(rx.runFirstIndex(), 399);
    QVERIFY(!rx.finished());
}

void TestMeasureReceiver::bufferNeverOverflows()
{
    auto rec = clearedRecord();
    RunReceiver rx;
    rx.start(2);
    const QByteArray junk(RunReceiver::kBufferSize + 500, 'A');
    QCOMPARE(rx.append(junk.constData(), int(junk.size())), RunReceiver::kBufferSize);
    QCOMPARE(rx.append("B", 1), 0);
    QCOMPARE(rx.rxWritePos(), RunReceiver::kBufferSize);
    QCOMPARE(rx.append("B", -5), 0);
}

QTEST_APPLESS_MAIN(TestMeasureReceiver)
#include "tst_measure_receiver.moc"
