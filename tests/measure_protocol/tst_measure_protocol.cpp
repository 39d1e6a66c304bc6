#include "PtyPair.h"
#include "SimulatedUnit.h"
#include "core/files/AnsiText.h"
#include "core/files/AppPaths.h"
#include "core/measure/MeasurementRun.h"
#include "core/measure/RunDateTime.h"
#include "core/measure/RunReceiver.h"
#include "core/measure/TCommPortDriver.h"
#include "core/measure/UnitProtocol.h"
#include "core/measure/UnitStation.h"
#include "core/model/BandTable.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/PointText.h"
#include "core/model/SweepGrid.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <memory>

Q_DECLARE_METATYPE(UnitOutcome)
Q_DECLARE_METATYPE(RunReceiver::Step)
Q_DECLARE_METATYPE(MeasurementRun::Event)
Q_DECLARE_METATYPE(MeasurementRun::Failure)
Q_DECLARE_METATYPE(MeasurementRun::Stage)

namespace {

constexpr qint64 kSlack = 1500;

struct RunResult {
    RunReceiver::Step end = RunReceiver::Step::Nothing; // Nothing: the unit fell silent
    int points = 0;
};

// The acquisition loop of a run: one read of up to 19 bytes and one parse step at a time.
// A unit that stays silent for `silentReads` reads in a row ends the loop.
RunResult receiveRun(TCommPortDriver &driver, int band, MeasurementRecord &record,
                     int silentReads = 3)
{
    RunReceiver rx;
    rx.start(band);
    RunResult result;
    int silent = 0;
    while (!rx.finished() && silent < silentReads) {
        silent = rx.readFrom(driver) > 0 ? 0 : silent + 1;
        const RunReceiver::StepResult r = rx.step(record);
        if (r.step != RunReceiver::Step::Nothing && r.step != RunReceiver::Step::PointStored)
            result.end = r.step;
    }
    result.points = rx.pointsReceived();
    return result;
}

QStringList commandsAfter(const QStringList &commands, const QString &from)
{
    const qsizetype i = commands.lastIndexOf(from);
    return i < 0 ? QStringList() : commands.mid(i + 1);
}

} // namespace

class TestMeasureProtocol : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openAndIdentify_data();
    void openAndIdentify();
    void portCannotBeOpened();
    void silentDeviceIsNotFound();
    void commandsOnTheLine_data();
    void commandsOnTheLine();
    void bandCodes_data();
    void bandCodes();
    void unsupportedBandKeepsPortForNextStart_data();
    void unsupportedBandKeepsPortForNextStart();
    void bandRequest_data();
    void bandRequest();
    void bandRequestUnanswered();
    void replyLongerThanAskedIsCut();
    void queryAnyTakesUpToFiveCharacters();
    void stopUnresponsive_data();
    void stopUnresponsive();
    void stopDuringSweep();
    void stopWithoutSession();
    void releaseAfterRun();
    void runMisbehaviours_data();
    void runMisbehaviours();
    void startStopsAtTheFailingStep_data();
    void startStopsAtTheFailingStep();
    void stationLendsTheUnitToOneHolder();
    void measurementRunEnds_data();
    void measurementRunEnds();
    void band2RunMatchesReplayedCurve();
    void pacedRunKeepsLineRate();
    void firstModelReplacedBySecond();
    void portAbove255GoesByName();
    void portReopenedBetweenRuns();
    void unitVanishesMidRun();
    void lastReadEndsAtTheEndMark();
    void portByName_data();
    void portByName();
    void releaseAllStopsASweepWithoutSession_data();
    void releaseAllStopsASweepWithoutSession();
    void runDateTimeText();

private:
    bool startUnit(const QStringList &args = {});
    QString comLink(int n) const { return m_dir->filePath(QStringLiteral("COM%1").arg(n)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SimulatedUnit> m_sim;
    std::unique_ptr<TCommPortDriver> m_driver;
    std::unique_ptr<UnitProtocol> m_unit;
};

void TestMeasureProtocol::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    setSettingsDirectoryOverride(m_dir->path());
    m_sim = std::make_unique<SimulatedUnit>();
    m_driver = std::make_unique<TCommPortDriver>();
    m_unit = std::make_unique<UnitProtocol>(*m_driver);
}

void TestMeasureProtocol::cleanup()
{
    m_unit.reset();
    m_driver.reset();
    if (m_sim)
        QVERIFY(m_sim->stop());
    m_sim.reset();
    m_dir.reset();
}

bool TestMeasureProtocol::startUnit(const QStringList &args)
{
    return m_sim->start(comLink(1), args);
}

void TestMeasureProtocol::openAndIdentify_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<UnitOutcome>("outcome");
    QTest::addColumn<bool>("hka");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("version");
    QTest::newRow("HK-A2") << QStringList{} << UnitOutcome::Ok << false << "0123"
                           << "0200";
    QTest::newRow("HK-A") << QStringList{"--model", "HK-A"} << UnitOutcome::Ok << true << "0123"
                          << "0200";
    QTest::newRow("HK-A2 by name")
        << QStringList{"--model", "HK-A2"} << UnitOutcome::Ok << false << "0123"
        << "0200";
    QTest::newRow("serial and version") << QStringList{"--serial", "0042", "--version", "0301"}
                                        << UnitOutcome::Ok << false << "0042"
                                        << "0301";
    // The presence check already compares the token case-sensitively.
    QTest::newRow("lower-case token")
        << QStringList{"--model", "hka2"} << UnitOutcome::UnitNotFound << false << ""
        << "";
    QTest::newRow("lower-case first model")
        << QStringList{"--model", "hk-a"} << UnitOutcome::UnitNotFound << false << ""
        << "";
    // Five characters pass the four-character presence check but not the identification
    // (sent at once, so that the surplus is there to be purged before the next command).
    QTest::newRow("unknown token")
        << QStringList{"--model", "HKA2X", "--fast"} << UnitOutcome::ModelUnknown << false << ""
        << "";
    QTest::newRow("short version")
        << QStringList{"--version", "020"} << UnitOutcome::ReplyError << false << ""
        << "";
    QTest::newRow("short serial") << QStringList{"--serial", "12"} << UnitOutcome::ReplyError
                                  << false << ""
                                  << "0200";
    QTest::newRow("uncalibrated") << QStringList{"--uncalibrated"} << UnitOutcome::Uncalibrated
                                  << false << "0123"
                                  << "0200";
}

void TestMeasureProtocol::openAndIdentify()
{
    QFETCH(QStringList, args);
    QFETCH(UnitOutcome, outcome);
    QFETCH(bool, hka);
    QFETCH(QString, serial);
    QFETCH(QString, version);
    QVERIFY(startUnit(args));
    QCOMPARE(m_unit->openAndIdentify(1), outcome);
    const bool ok = outcome == UnitOutcome::Ok;
    QCOMPARE(m_unit->portOpen(), ok);
    QCOMPARE(m_driver->Connected(), ok);
    QCOMPARE(m_unit->unitSession(), ok);
    if (ok) {
        QCOMPARE(m_unit->unitIsHKA(), hka);
        QCOMPARE(m_unit->modelText(), hka ? QStringLiteral("HK-A") : QStringLiteral("HK-A2"));
    }
    if (!serial.isEmpty())
        QCOMPARE(m_unit->unitSerial(), serial.toLatin1());
    if (!version.isEmpty())
        QCOMPARE(m_unit->unitVersion(), version);
}

void TestMeasureProtocol::portCannotBeOpened()
{
    // No COM250 entry, and no machine has that many serial ports.
    QCOMPARE(m_unit->openAndIdentify(250), UnitOutcome::PortOpenFailed);
    QCOMPARE(m_driver->LastOpenError(), ENOENT);
    QVERIFY(!m_unit->portOpen());
    QVERIFY(!m_unit->unitSession());
    QVERIFY(!m_driver->Connected());
}

void TestMeasureProtocol::silentDeviceIsNotFound()
{
    PtyPair pty;
    QVERIFY(QFile::link(pty.slavePath(), comLink(1)));
    QElapsedTimer t;
    t.start();
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::UnitNotFound);
    QVERIFY(t.elapsed() >= 100);
    QVERIFY(!m_unit->portOpen());
    QVERIFY(!m_driver->Connected());
    QCOMPARE(pty.receive(), QByteArray("?\r"));
}

void TestMeasureProtocol::commandsOnTheLine_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("request");
    QTest::newRow("HK-A2 band 6") << "HK-A2" << 6 << "M6";
    QTest::newRow("HK-A band 6") << "HK-A" << 6 << "M4";
    QTest::newRow("HK-A band 1") << "HK-A" << 1 << "M1";
    QTest::newRow("HK-A band 4") << "HK-A" << 4 << "M2";
    QTest::newRow("HK-A band 5") << "HK-A" << 5 << "M3";
    QTest::newRow("HK-A2 band 1") << "HK-A2" << 1 << "M1";
    QTest::newRow("HK-A2 band 9") << "HK-A2" << 9 << "M9";
}

void TestMeasureProtocol::commandsOnTheLine()
{
    QFETCH(QString, model);
    QFETCH(int, band);
    QFETCH(QString, request);
    QVERIFY(startUnit({"--model", model, "--fast"}));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mCheckBand(band), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(band), UnitOutcome::Ok);
    auto record = std::make_unique<MeasurementRecord>();
    const RunResult run = receiveRun(*m_driver, band, *record);
    QCOMPARE(run.end, RunReceiver::Step::EndOk);
    QCOMPARE(run.points, bandPointCount(band));
    m_unit->mReleaseCOM();
    const QStringList expected = {"?", "U?", "ME", "U?", "V?", "SN?", "M?", request, "ME"};
    QTRY_COMPARE(m_sim->commands(), expected);
}

void TestMeasureProtocol::bandCodes_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<char>("hka2");
    QTest::addColumn<char>("hka");
    const char first[] = {'1', 0, 0, '2', '3', '4', 0, 0, 0};
    for (int band = 1; band <= 9; ++band)
        QTest::addRow("band %d", band) << band << char('0' + band) << first[band - 1];
    QTest::newRow("band 0") << 0 << char(0) << char(0);
    QTest::newRow("band 10") << 10 << char(0) << char(0);
}

void TestMeasureProtocol::bandCodes()
{
    QFETCH(int, band);
    QFETCH(char, hka2);
    QFETCH(char, hka);
    QCOMPARE(UnitProtocol::bandCode(band, false), hka2);
    QCOMPARE(UnitProtocol::bandCode(band, true), hka);
}

void TestMeasureProtocol::unsupportedBandKeepsPortForNextStart_data()
{
    QTest::addColumn<int>("band");
    for (int band : {2, 3, 7, 8, 9})
        QTest::addRow("band %d", band) << band;
}

void TestMeasureProtocol::unsupportedBandKeepsPortForNextStart()
{
    QFETCH(int, band);
    QVERIFY(startUnit({"--model", "HK-A"}));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mCheckBand(band), UnitOutcome::BandUnsupported);
    QCOMPARE(m_unit->mRequestBand(band), UnitOutcome::BandUnsupported); // nothing is sent
    QVERIFY(m_unit->portOpen());
    QVERIFY(m_unit->unitSession());
    const int handle = m_driver->DeviceHandle();

    // The next start reuses the open port and checks and identifies the unit again.
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_driver->DeviceHandle(), handle);
    const QStringList once = {"?", "U?", "ME", "U?", "V?", "SN?", "M?"};
    QTRY_COMPARE(m_sim->commands(), once + once);
}

void TestMeasureProtocol::bandRequest_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("band");
    QTest::addColumn<UnitOutcome>("outcome");
    QTest::addColumn<bool>("portOpen");
    QTest::newRow("0190 for band 1") << QStringList{} << 1 << UnitOutcome::Ok << true;
    QTest::newRow("lower-case count")
        << QStringList{"--count-reply", "021c"} << 2 << UnitOutcome::Ok << true;
    QTest::newRow("one point short")
        << QStringList{"--wrong-count"} << 1 << UnitOutcome::CountMismatch << true;
    QTest::newRow("018F for band 1")
        << QStringList{"--count-reply", "018F"} << 1 << UnitOutcome::CountMismatch << true;
    QTest::newRow("refused") << QStringList{"--refuse-band"} << 1 << UnitOutcome::Refused << true;
    QTest::newRow("NG and anything")
        << QStringList{"--count-reply", "NGxy"} << 2 << UnitOutcome::Refused << true;
    QTest::newRow("first character N")
        << QStringList{"--count-reply", "N190"} << 1 << UnitOutcome::Refused << true;
    QTest::newRow("second character G")
        << QStringList{"--count-reply", "0G90"} << 1 << UnitOutcome::Refused << true;
    QTest::newRow("not hexadecimal")
        << QStringList{"--count-reply", "Z190"} << 1 << UnitOutcome::NotHexCount << true;
    QTest::newRow("three characters")
        << QStringList{"--count-reply", "190"} << 1 << UnitOutcome::SendError << false;
}

void TestMeasureProtocol::bandRequest()
{
    QFETCH(QStringList, args);
    QFETCH(int, band);
    QFETCH(UnitOutcome, outcome);
    QFETCH(bool, portOpen);
    QVERIFY(startUnit(args << "--fast"));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(band), outcome);
    QCOMPARE(m_unit->portOpen(), portOpen);
    QCOMPARE(m_driver->Connected(), portOpen);
    QCOMPARE(m_unit->unitSession(), outcome == UnitOutcome::Ok);
    if (outcome == UnitOutcome::Ok)
        QCOMPARE(m_driver->InputTimeout(), 100u); // what the run's reads will wait
}

void TestMeasureProtocol::bandRequestUnanswered()
{
    QVERIFY(startUnit());
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    const qint64 pid = m_sim->process().processId();
    QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0); // the unit hangs
    QElapsedTimer t;
    t.start();
    const UnitOutcome outcome = m_unit->mRequestBand(2);
    const qint64 elapsed = t.elapsed();
    ::kill(pid_t(pid), SIGCONT);
    QCOMPARE(outcome, UnitOutcome::SendError);
    QVERIFY(elapsed >= 100 && elapsed < 100 + kSlack);
    QVERIFY(!m_unit->portOpen());
    QVERIFY(!m_unit->unitSession());
    QVERIFY(!m_driver->Connected());
}

void TestMeasureProtocol::replyLongerThanAskedIsCut()
{
    QVERIFY(startUnit({"--fast"}));
    QVERIFY(m_unit->mOpenCOM(1));
    QByteArray reply;
    QVERIFY(m_unit->mQuery("V?", reply, 100, 2)); // takes "020" of "0200\r"
    QCOMPARE(reply, QByteArray("02"));
    QVERIFY(m_unit->mQuery("SN?", reply, 100, 4)); // the rest was purged first
    QCOMPARE(reply, QByteArray("0123"));
    QVERIFY(m_unit->mCommand("?", "OK", 100));
    QVERIFY(!m_unit->mCommand("?", "ok", 100));
    QVERIFY(!m_unit->mCommand("NOSUCH", "OK", 100));
}

void TestMeasureProtocol::queryAnyTakesUpToFiveCharacters()
{
    QVERIFY(startUnit({"--version", "0200ABC", "--fast"}));
    QVERIFY(m_unit->mOpenCOM(1));
    QByteArray reply;
    QVERIFY(m_unit->mQueryAny("V?", reply, 100));
    QCOMPARE(reply, QByteArray("0200A"));
    QVERIFY(m_unit->mQueryAny("U?", reply, 100));
    QCOMPARE(reply, QByteArray("HKA2"));
    QVERIFY(!m_unit->mQueryAny("NOSUCH", reply, 100));
    QVERIFY(reply.isEmpty());
}

void TestMeasureProtocol::stopUnresponsive_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("minimumMs");
    // Silent: every try waits its 300 ms.
    QTest::newRow("silent") << QStringList{"--ignore-me", "--silent-after", "3"} << 900;
    // Still streaming: every try gets point bytes instead of "OK" and fails at once.
    QTest::newRow("streaming") << QStringList{"--ignore-me"} << 0;
}

void TestMeasureProtocol::stopUnresponsive()
{
    QFETCH(QStringList, args);
    QFETCH(int, minimumMs);
    QVERIFY(startUnit(args));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(2), UnitOutcome::Ok);
    if (minimumMs > 0) { // wait until the three points are through and the line is quiet
        char points[3 * 19];
        QCOMPARE(m_driver->ReadData_inTime(points, sizeof points, 2000), quint32(sizeof points));
    }
    QElapsedTimer t;
    t.start();
    QCOMPARE(m_unit->mStopUnit(), StopOutcome::Unresponsive);
    const qint64 elapsed = t.elapsed();
    QVERIFY2(elapsed >= minimumMs && elapsed < minimumMs + kSlack,
             qPrintable(QString::number(elapsed)));
    QVERIFY(!m_unit->portOpen());
    QVERIFY(!m_driver->Connected());
    QVERIFY(m_unit->unitSession()); // a later stop tries again
    QTRY_COMPARE(commandsAfter(m_sim->commands(), "M2"), QStringList({"ME", "ME", "ME"}));

    // The window close repeats the stop; on the closed port it fails at once.
    t.restart();
    QCOMPARE(m_unit->mStopUnit(), StopOutcome::Unresponsive);
    QVERIFY(t.elapsed() < 300);
    QVERIFY(m_unit->unitSession());
}

void TestMeasureProtocol::stopDuringSweep()
{
    QVERIFY(startUnit()); // paced, so the sweep is still running
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(2), UnitOutcome::Ok);
    char buffer[19 * 5];
    QCOMPARE(m_driver->ReadData_inTime(buffer, sizeof buffer, 2000), quint32(sizeof buffer));
    QCOMPARE(m_unit->mStopUnit(), StopOutcome::Stopped);
    QVERIFY(!m_unit->portOpen());
    QVERIFY(!m_unit->unitSession());
    QVERIFY(!m_driver->Connected());
    // A point on its way may spoil the first try; by the second the unit has stopped.
    QTRY_VERIFY(!commandsAfter(m_sim->commands(), "M2").isEmpty());
    QVERIFY(commandsAfter(m_sim->commands(), "M2").size() <= 3);
    // The unit stopped sweeping and answers a new start.
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
}

void TestMeasureProtocol::stopWithoutSession()
{
    QVERIFY(startUnit());
    QVERIFY(m_unit->mOpenCOM(1));
    QCOMPARE(m_unit->mStopUnit(), StopOutcome::NothingToStop);
    QVERIFY(m_unit->portOpen()); // untouched
    m_unit->mReleaseCOM();       // no session: nothing either
    QVERIFY(m_unit->portOpen());
    QTRY_COMPARE(m_sim->commands(), QStringList());
}

void TestMeasureProtocol::releaseAfterRun()
{
    QVERIFY(startUnit({"--fast"}));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(3), UnitOutcome::Ok);
    auto record = std::make_unique<MeasurementRecord>();
    clearPoints(*record);
    QCOMPARE(receiveRun(*m_driver, 3, *record).end, RunReceiver::Step::EndOk);
    m_unit->mReleaseCOM();
    QVERIFY(!m_unit->portOpen());
    QVERIFY(!m_unit->unitSession());
    QVERIFY(!m_driver->Connected());
    QTRY_COMPARE(commandsAfter(m_sim->commands(), "M3"), QStringList({"ME"}));
    for (int i = 0; i <= 91; ++i)
        QVERIFY(qAbs(decodePoint(record->points[i]).freq - gridFrequencyHz(i)) < 1e-3);
    QCOMPARE(QByteArray(record->points[92], 19), QByteArray(19, '0'));
}

void TestMeasureProtocol::runMisbehaviours_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<RunReceiver::Step>("end");
    QTest::addColumn<int>("points");
    QTest::newRow("well behaved") << QStringList{} << RunReceiver::Step::EndOk << 92;
    QTest::newRow("pieces of 7") << QStringList{"--chunk", "7", "--gap", "2"}
                                 << RunReceiver::Step::EndOk << 92;
    QTest::newRow("pieces of 5") << QStringList{"--chunk", "5", "--gap", "1"}
                                 << RunReceiver::Step::EndOk << 92;
    QTest::newRow("NG end mark") << QStringList{"--end-mark", "NG"} << RunReceiver::Step::EndWrong
                                 << 92;
    QTest::newRow("CR in point 5")
        << QStringList{"--cr-in-point", "5"} << RunReceiver::Step::BadPoint << 5;
    QTest::newRow("CR in the last point")
        << QStringList{"--cr-in-point", "91"} << RunReceiver::Step::BadPoint << 91;
    QTest::newRow("silent after 20")
        << QStringList{"--silent-after", "20"} << RunReceiver::Step::Nothing << 20;
}

void TestMeasureProtocol::runMisbehaviours()
{
    QFETCH(QStringList, args);
    QFETCH(RunReceiver::Step, end);
    QFETCH(int, points);
    QVERIFY(startUnit(args << "--fast"));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(3), UnitOutcome::Ok);
    auto record = std::make_unique<MeasurementRecord>();
    clearPoints(*record);
    const RunResult run = receiveRun(*m_driver, 3, *record);
    QCOMPARE(run.end, end);
    QCOMPARE(run.points, points);
    m_unit->mReleaseCOM();
    QVERIFY(!m_unit->unitSession());
}

void TestMeasureProtocol::startStopsAtTheFailingStep_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("band");
    QTest::addColumn<MeasurementRun::Stage>("stage");
    QTest::addColumn<UnitOutcome>("outcome");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<QStringList>("commands");
    const QStringList identify = {"?", "U?", "ME", "U?", "V?", "SN?", "M?"};
    QTest::newRow("started") << QStringList{} << 3 << MeasurementRun::Stage::Started
                             << UnitOutcome::Ok << true << identify + QStringList{"M3"};
    QTest::newRow("uncalibrated") << QStringList{"--uncalibrated"} << 3
                                  << MeasurementRun::Stage::Connect << UnitOutcome::Uncalibrated
                                  << false << identify;
    QTest::newRow("band the HK-A lacks")
        << QStringList{"--model", "HK-A"} << 2 << MeasurementRun::Stage::Band
        << UnitOutcome::BandUnsupported << true << identify;
    QTest::newRow("refused") << QStringList{"--refuse-band"} << 3 << MeasurementRun::Stage::Request
                             << UnitOutcome::Refused << true << identify + QStringList{"M3"};
}

void TestMeasureProtocol::startStopsAtTheFailingStep()
{
    QFETCH(QStringList, args);
    QFETCH(int, band);
    QFETCH(MeasurementRun::Stage, stage);
    QFETCH(UnitOutcome, outcome);
    QFETCH(bool, portOpen);
    QFETCH(QStringList, commands);
    QVERIFY(startUnit(args << "--fast"));
    MeasurementRun run(*m_unit);
    auto record = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    record->valid = 1;
    record->band = 9;
    const MeasurementRun::Start start = run.start(1, band, *record, *raw, *avg);
    QCOMPARE(start.stage, stage);
    QCOMPARE(start.outcome, outcome);
    QCOMPARE(run.receiving(), start.started());
    QCOMPARE(m_unit->portOpen(), portOpen);
    // Only a start that reached the band request has taken the record over.
    QCOMPARE(record->band, start.prepared() ? band : 9);
    QCOMPARE(record->valid, quint8(start.prepared() ? 0 : 1));
    QTRY_COMPARE(m_sim->commands(), commands);
    m_unit->mReleaseAll();
}

void TestMeasureProtocol::stationLendsTheUnitToOneHolder()
{
    UnitStation station;
    QSignalSpy holders(&station, &UnitStation::holderChanged);
    QSignalSpy abandoned(&station, &UnitStation::runAbandoned);
    {
        UnitLease worksheet(station, "worksheet");
        QVERIFY(worksheet.held());
        UnitLease qc(station, "qc");
        QVERIFY(!qc.held());
        QCOMPARE(qc.refusedBy(), QString("worksheet"));
        station.release("qc"); // only the holder gives it back
        QCOMPARE(station.holder(), QString("worksheet"));
        UnitLease moved = std::move(worksheet);
        QVERIFY(moved.held() && !worksheet.held());
    }
    QVERIFY(!station.busy());
    QCOMPARE(holders.size(), 2);

    // Closing ends the holder's run once and frees the unit for the next.
    QVERIFY(station.acquire("main"));
    QCOMPARE(station.stopAll(), StopOutcome::NothingToStop);
    QCOMPARE(abandoned.size(), 1);
    QCOMPARE(abandoned.at(0).at(0).toString(), QString("main"));
    QVERIFY(!station.busy());
    station.stopAll();
    QCOMPARE(abandoned.size(), 1);
}

void TestMeasureProtocol::measurementRunEnds_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<MeasurementRun::Event>("end");
    QTest::addColumn<MeasurementRun::Failure>("failure");
    QTest::addColumn<int>("points");
    QTest::newRow("well behaved") << QStringList{} << MeasurementRun::Event::Finished
                                  << MeasurementRun::Failure::None << 92;
    QTest::newRow("NG end mark") << QStringList{"--end-mark", "NG"} << MeasurementRun::Event::Failed
                                 << MeasurementRun::Failure::WrongEndMark << 92;
    QTest::newRow("CR in point 5")
        << QStringList{"--cr-in-point", "5"} << MeasurementRun::Event::Failed
        << MeasurementRun::Failure::BadPoint << 5;
}

void TestMeasureProtocol::measurementRunEnds()
{
    QFETCH(QStringList, args);
    QFETCH(MeasurementRun::Event, end);
    QFETCH(MeasurementRun::Failure, failure);
    QFETCH(int, points);
    QVERIFY(startUnit(args << "--fast"));
    MeasurementRun run(*m_unit);
    auto record = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    QVERIFY(run.start(1, 3, *record, *raw, *avg).started());
    QList<int> indexes;
    const MeasurementRun::StepEvent last =
        run.runToEnd([] { return false; },
                     [&](const MeasurementRun::StepEvent &e) {
                         QVERIFY(e.converted && e.point == indexes.size());
                         indexes << e.gridIndex;
                     });
    QCOMPARE(last.event, end);
    QCOMPARE(last.failure, failure);
    QCOMPARE(indexes.size(), points);
    QCOMPARE(indexes.value(points - 1), points - 1);
    // Either way the run has told the unit to end and closed the port.
    QVERIFY(!run.receiving() && !m_unit->portOpen() && !m_unit->unitSession());
    QTRY_COMPARE(commandsAfter(m_sim->commands(), "M3"), QStringList({"ME"}));
    QCOMPARE(record->valid, quint8(0));
    if (end == MeasurementRun::Event::Finished) {
        QVERIFY(run.finish());
        QCOMPARE(record->valid, quint8(1));
    }
}

void TestMeasureProtocol::band2RunMatchesReplayedCurve()
{
    // A straight line on log frequency: 8 ohm, -10 deg at 10 Hz to 80 ohm, +30 deg at 100 kHz.
    const QString table = m_dir->filePath(QStringLiteral("line.zma"));
    QFile f(table);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("* a straight line\r\nFreq\t|Z|\tPhase\r\n1.0e1\t8.0\t-10.0\r\n1.0e5\t80.0\t30.0\r\n");
    f.close();
    QVERIFY(startUnit({"--fast", "--curve", table}));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(2), UnitOutcome::Ok);
    auto record = std::make_unique<MeasurementRecord>();
    const RunResult run = receiveRun(*m_driver, 2, *record);
    QCOMPARE(run.end, RunReceiver::Step::EndOk);
    QCOMPARE(run.points, 540);
    for (int i = 0; i < kGridPoints; ++i) {
        const double f = gridFrequencyHz(i);
        const double t = std::log10(f / 10.0) / 4.0;
        const DecodedPoint p = decodePoint(record->points[i]);
        QVERIFY2(qAbs(p.r - (8.0 + 72.0 * t)) <= 0.0051, qPrintable(QString::number(i)));
        QVERIFY2(qAbs(p.theta - (-10.0 + 40.0 * t)) <= 0.051, qPrintable(QString::number(i)));
        QVERIFY2(qAbs(p.freq - f) <= f * 1e-6, qPrintable(QString::number(i)));
    }
    m_unit->mReleaseCOM();
}

void TestMeasureProtocol::pacedRunKeepsLineRate()
{
    // 92 points and the end mark at 9600 bit/s, ten bits a byte.
    QVERIFY(startUnit());
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(3), UnitOutcome::Ok);
    QElapsedTimer t;
    t.start();
    auto record = std::make_unique<MeasurementRecord>();
    QCOMPARE(receiveRun(*m_driver, 3, *record).end, RunReceiver::Step::EndOk);
    const double lineMs = (92 * 19 + 3) * 10 * 1000.0 / 9600;
    QVERIFY2(t.elapsed() >= lineMs * 0.95, qPrintable(QString::number(t.elapsed())));
    QVERIFY2(t.elapsed() < lineMs + kSlack, qPrintable(QString::number(t.elapsed())));
    m_unit->mReleaseCOM();
}

void TestMeasureProtocol::firstModelReplacedBySecond()
{
    QVERIFY(startUnit({"--model", "HK-A", "--fast"}));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QVERIFY(m_unit->unitIsHKA());
    m_unit->mReleaseCOM();
    QVERIFY(m_sim->stop());

    QVERIFY(startUnit({"--fast"}));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QVERIFY(!m_unit->unitIsHKA());
    QCOMPARE(m_unit->modelText(), QStringLiteral("HK-A2"));
    QCOMPARE(m_unit->mCheckBand(2), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(6), UnitOutcome::Ok);
    QTRY_VERIFY(m_sim->commands().contains("M6"));
    m_unit->mStopUnit();
}

void TestMeasureProtocol::portAbove255GoesByName()
{
    QVERIFY(m_sim->start(comLink(256), {"--fast"}));
    QCOMPARE(m_unit->openAndIdentify(256), UnitOutcome::Ok);
    QCOMPARE(m_driver->Port(), pnCustom);
    QCOMPARE(m_driver->PortName(), QStringLiteral("COM256"));
    QCOMPARE(m_driver->DevicePath(), comLink(256));
    m_unit->mReleaseCOM();
    QVERIFY(m_sim->stop());

    // With only COM1 there, COM256 must not open the port used before it.
    QVERIFY(startUnit({"--fast"}));
    QVERIFY(m_unit->mOpenCOM(1));
    m_unit->mCloseCOM();
    QVERIFY(!m_unit->mOpenCOM(256));
    QVERIFY(!m_driver->Connected());
}

void TestMeasureProtocol::portReopenedBetweenRuns()
{
    // The program closes the port after every run; the unit must stay reachable.
    QVERIFY(startUnit({"--fast"}));
    for (int run = 0; run < 3; ++run) {
        QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
        QCOMPARE(m_unit->mRequestBand(3), UnitOutcome::Ok);
        auto record = std::make_unique<MeasurementRecord>();
        QCOMPARE(receiveRun(*m_driver, 3, *record).end, RunReceiver::Step::EndOk);
        m_unit->mReleaseCOM();
        QVERIFY(!m_driver->Connected());
    }
}

void TestMeasureProtocol::unitVanishesMidRun()
{
    // The far end disappears (adapter pulled): reads fail at once and say why, so the run ends
    // without waiting for its watchdog; closing the dead port still works.
    QVERIFY(startUnit());
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(2), UnitOutcome::Ok);
    auto record = std::make_unique<MeasurementRecord>();
    RunReceiver rx;
    rx.start(2);
    while (rx.pointsReceived() < 10) {
        QVERIFY(rx.readFrom(*m_driver) > 0);
        rx.step(*record);
    }
    m_sim->process().kill();
    QVERIFY(m_sim->process().waitForFinished(5000));
    for (int i = 0; i < 3; ++i)
        rx.readFrom(*m_driver); // whatever was still in flight
    QElapsedTimer t;
    t.start();
    QCOMPARE(rx.readFrom(*m_driver), 0);
    QVERIFY(m_driver->DeviceLost());
    QVERIFY2(t.elapsed() < 100, qPrintable(QString::number(t.elapsed())));
    QVERIFY(rx.pointsReceived() >= 10);
    m_unit->mReleaseCOM();
    QVERIFY(!m_unit->unitSession());
    QVERIFY(!m_driver->Connected());
}

void TestMeasureProtocol::lastReadEndsAtTheEndMark()
{
    // Bytes after the end mark are never asked for, so the run's last read does not wait
    // for them: they stay on the line.
    PtyPair pty;
    m_driver->SetPortName(pty.slavePath());
    QVERIFY(m_driver->Connect());
    QByteArray line;
    for (int k = 0; k < 92; ++k)
        line += "044F01D8FFFAE131FF\r";
    QVERIFY(pty.send(line + "OK\rMORE"));
    auto record = std::make_unique<MeasurementRecord>();
    RunReceiver rx;
    rx.start(3);
    for (int i = 0; i < 200 && !rx.finished(); ++i) {
        rx.readFrom(*m_driver);
        rx.step(*record);
    }
    QVERIFY(rx.finished());
    QCOMPARE(rx.rxWritePos(), 92 * kPointWireLength + 3);
    QCOMPARE(m_driver->CountRX(), 4u);
}

void TestMeasureProtocol::portByName_data()
{
    QTest::addColumn<QString>("name"); // "@" is the simulator's link
    QTest::addColumn<UnitOutcome>("outcome");
    QTest::newRow("COMn entry") << "COM1" << UnitOutcome::Ok;
    QTest::newRow("device path") << "@" << UnitOutcome::Ok;
    QTest::newRow("missing device") << "@-none" << UnitOutcome::PortOpenFailed;
    QTest::newRow("COMn without entry") << "COM77" << UnitOutcome::PortOpenFailed;
}

void TestMeasureProtocol::portByName()
{
    QFETCH(QString, name);
    QFETCH(UnitOutcome, outcome);
    QVERIFY(startUnit({"--fast"}));
    name.replace('@', comLink(1));
    QCOMPARE(m_unit->openAndIdentify(name), outcome);
    QCOMPARE(m_unit->portOpen(), outcome == UnitOutcome::Ok);
    QCOMPARE(m_driver->PortName(), name);
    if (outcome == UnitOutcome::Ok) {
        QCOMPARE(m_driver->DevicePath(), comLink(1));
        QCOMPARE(m_unit->mRequestBand(3), UnitOutcome::Ok);
        auto record = std::make_unique<MeasurementRecord>();
        QCOMPARE(receiveRun(*m_driver, 3, *record).end, RunReceiver::Step::EndOk);
        m_unit->mReleaseCOM();
    }
    QVERIFY(!m_driver->Connected());
}

void TestMeasureProtocol::releaseAllStopsASweepWithoutSession_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<UnitOutcome>("outcome");
    QTest::newRow("count mismatch, the unit sweeps")
        << QStringList{"--wrong-count"} << UnitOutcome::CountMismatch;
    QTest::newRow("refused") << QStringList{"--refuse-band"} << UnitOutcome::Refused;
}

void TestMeasureProtocol::releaseAllStopsASweepWithoutSession()
{
    // The band request ended the session but left the port open; leaving for good still tells
    // the unit to stop and closes the port.
    QFETCH(QStringList, args);
    QFETCH(UnitOutcome, outcome);
    QVERIFY(startUnit(args << "--fast"));
    QCOMPARE(m_unit->openAndIdentify(1), UnitOutcome::Ok);
    QCOMPARE(m_unit->mRequestBand(3), outcome);
    QVERIFY(!m_unit->unitSession());
    QVERIFY(m_unit->portOpen());
    m_unit->mReleaseAll();
    QVERIFY(!m_unit->portOpen());
    QVERIFY(!m_driver->Connected());
    QTRY_COMPARE(commandsAfter(m_sim->commands(), "M3"), QStringList{"ME"});

    // Nothing open: nothing sent.
    m_unit->mReleaseAll();
    QVERIFY(m_sim->stop());
    QCOMPARE(commandsAfter(m_sim->commands(), "M3"), QStringList{"ME"});
}

void TestMeasureProtocol::runDateTimeText()
{
    // The system's short date, a blank, the time without a leading zero in the hour.
    const QDateTime when(QDate(2024, 5, 1), QTime(9, 5, 7));
    const QString text = fromAnsi(::runDateTimeText(when));
    QCOMPARE(text, QLocale::system().toString(when.date(), QLocale::ShortFormat) + " 9:05:07");
    QVERIFY(
        ::runDateTimeText(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59))).endsWith(" 23:59:59"));
}

QTEST_GUILESS_MAIN(TestMeasureProtocol)
#include "tst_measure_protocol.moc"
