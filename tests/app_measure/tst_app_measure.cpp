// Whole measurement runs through the real main window against the unit simulator on a real
// pseudo-terminal: start, live readout and drawing, the end of a run, every failure of the
// start and of the stream, the user's stop and closing the window during a run.

#include "DocumentProbe.h"
#include "MeasureBench.h"
#include "PtyPair.h"
#include "ScriptedFileChooser.h"
#include "core/graph/ReadoutFormat.h"
#include "core/measure/RunReceiver.h"
#include "core/measure/TCommPortDriver.h"
#include "core/measure/UnitProtocol.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/SweepGrid.h"
#include "ui/common/Seams.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainView.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <unistd.h>

namespace {

const QString kUnitText = QStringLiteral("HK-A2/ SN=0123/ 0200");
const QString kReceiveError = QStringLiteral("データ受信エラーです");
const char kEmptySlot[] = "0000000000000000000"; // what clearPoints leaves

QByteArray slotText(const MeasurementRecord &record, int index)
{
    return QByteArray(record.points[index]);
}

// Reads one band's stream straight off the line: the bytes the simulator sends for it.
QByteArray captureStream(int band)
{
    TCommPortDriver driver;
    UnitProtocol unit(driver);
    if (unit.openAndIdentify(MeasureBench::kComPort) != UnitOutcome::Ok ||
        unit.mRequestBand(band) != UnitOutcome::Ok)
        return {};
    const int total = bandPointCount(band) * kPointWireLength + 3;
    QByteArray bytes(total, '\0');
    int got = 0;
    driver.SetInputTimeout(2000);
    while (got < total) {
        const quint32 n = driver.ReadData(bytes.data() + got, quint32(total - got));
        if (n == 0)
            break;
        got += int(n);
    }
    unit.mReleaseCOM();
    bytes.truncate(got);
    return bytes;
}

// A replay table whose band-3 points have the given R (ohm) at zero phase.
bool writeCurve(const QString &path, const std::function<double(int)> &ohmAt)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write("* frequency, |Z|, phase\n");
    for (int i = 0; i <= bandLastIndex(3); ++i)
        f.write(QString::asprintf("%.17g %.3f 0\n", gridFrequencyHz(i), ohmAt(i)).toLatin1());
    return true;
}

} // namespace

class TestAppMeasure : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void bandThreeRun();
    void menuStartsARunAtLineSpeed();
    void repeatedSweeps();
    void storedTextsEqualTheLine_data();
    void storedTextsEqualTheLine();
    void startFailures_data();
    void startFailures();
    void portWithoutPermission();
    void hkaRefusesBandThenReusesThePort();
    void streamFailures_data();
    void streamFailures();
    void silenceEndsAfterTheWatchdog();
    void vanishedUnitEndsTheRun();
    void liveRescale();
    void userStop();
    void stopAnUnresponsiveUnit();
    void closingDuringARun();
    void unsavedQuestion_data();
    void unsavedQuestion();
    void openedFileKeepsItsSerial_data();
    void openedFileKeepsItsSerial();

private:
    std::unique_ptr<MeasureBench> b;
};

void TestAppMeasure::init()
{
    b = std::make_unique<MeasureBench>();
}

void TestAppMeasure::cleanup()
{
    b.reset();
}

void TestAppMeasure::bandThreeRun()
{
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({"--fast"}));
    // What a successful start resets.
    DocumentProbe::saved(w.document()) = 1;
    DocumentProbe::oldFormatLoaded(w.document()) = 1;
    DocumentProbe::dataFileName(w.document()) = "old.DTA";
    w.setWindowTitle("VELO2 v2.3 - old.DTA");
    w.findChild<TStatusBar *>("StatusBar1")->panel(2)->setText("stale readout");

    b->chooseBand(3);
    QVERIFY(b->controlsEnabled(true));
    b->clickStart();

    // Started: unit identified, controls locked, the button stops.
    QVERIFY(w.run().measuring());
    QCOMPARE(b->panel(0), kUnitText);
    QCOMPARE(b->panel(1), QString("測定中です"));
    QCOMPARE(b->panel(2), QString());
    QCOMPARE(b->caption(), QString("測定停止"));
    QVERIFY(b->controlsEnabled(false));
    QVERIFY(w.run().portOpen() && w.run().unitSession() && !w.run().unitIsHKA());
    QCOMPARE(w.document().unitSerial(), QString("0123"));
    QCOMPARE(w.run().unitVersion(), QString("0200"));
    QCOMPARE(w.document().oldFormatLoaded(), quint8(0));
    QVERIFY(w.document().dataFileName().isEmpty());
    QCOMPARE(w.windowTitle(), QString("VELO2 v2.3"));
    QCOMPARE(w.document().measurement().band, 3);
    QCOMPARE(w.document().measurement().valid, quint8(0));
    const QString shortDate =
        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    QVERIFY2(
        QRegularExpression("^" + QRegularExpression::escape(shortDate) + " \\d{1,2}:\\d\\d:\\d\\d$")
            .match(w.document().measurement().dateTime)
            .hasMatch(),
        qPrintable(w.document().measurement().dateTime));

    // The readout follows the points while they arrive.
    QVERIFY(waitUntil([&] { return w.run().pointsReceived() >= 3 || !w.run().measuring(); }));
    QVERIFY(b->panel(2).startsWith("周波数："));

    QVERIFY(b->waitForRunEnd());
    QCOMPARE(w.document().measurement().valid, quint8(1));
    QCOMPARE(w.document().saved(), quint8(0));
    QCOMPARE(w.run().pointsReceived(), 92);
    QCOMPARE(b->panel(0), kUnitText);
    QCOMPARE(b->panel(1), QString("測定終了しました"));
    QCOMPARE(b->panel(2), QString("周波数：10.00[Hz]...50.00[Hz]"));
    QVERIFY(b->idleAgain());
    QVERIFY(!w.run().portOpen() && !w.run().unitSession());

    // Grid 0..91 hold points of their own frequency; the rest of the record stays cleared.
    for (int i = 0; i <= 91; ++i) {
        const QByteArray text = slotText(w.document().measurement(), i);
        QCOMPARE(text.size(), 18);
        QVERIFY(QRegularExpression("^[0-9A-F]{18}$").match(QString::fromLatin1(text)).hasMatch());
        QVERIFY(qAbs(w.document().curveRaw().freq[i] / gridFrequencyHz(i) - 1.0) < 1e-3);
        QVERIFY(w.document().curveRaw().r[i] > 0);
    }
    QCOMPARE(slotText(w.document().measurement(), 92), QByteArray(kEmptySlot));
    QCOMPARE(w.document().curveRaw().r[92], -1.0f);
    QCOMPARE(w.document().curveRaw().valid, quint8(1));
    QCOMPARE(w.document().curveAvg().valid, quint8(1));
    // Redrawn on the whole curve's scale: the default woofer peaks near 43 ohm.
    QCOMPARE(w.shownScale().rMax, 50.0f);

    QTRY_COMPARE(b->sim.commands(), startCommands("M3") + QStringList{"ME"});
    QVERIFY(b->recorder.presenter.boxes.isEmpty());
}

// Answers the number dialog with a fixed count, or cancels with 0.
struct FixedNumber : NumberChooser {
    int answer = 0;
    bool chooseNumber(QWidget *, const QString &, const QString &, int min, int max,
                      int &value) override
    {
        if (answer < min || answer > max)
            return false;
        value = answer;
        return true;
    }
};

// The menu's repeated sweeps end in their mean with the spread band on request; Stop in the
// middle keeps what was measured as a partial set.
void TestAppMeasure::repeatedSweeps()
{
    TFormMain &w = *b->win;
    FixedNumber number;
    Seams::installNumbers(&number);
    QVERIFY(b->startSim({"--fast", "--noise", "1", "--seed", "5"}));
    b->chooseBand(3);
    auto setEnded = [&] {
        return waitUntil(
            [&] {
                return !w.run().repeatSet() && !w.run().measuring() && !w.run().finishPending();
            },
            60000);
    };
    w.findChild<QAction *>("MenuMeasure_Repeat")->trigger(); // cancelled: nothing starts
    QVERIFY(!w.run().measuring() && !w.run().repeatSet());

    number.answer = 3;
    w.findChild<QAction *>("MenuMeasure_Repeat")->trigger();
    QCOMPARE(b->panel(1), QString("測定中です（1／3回目）"));
    QVERIFY(setEnded());
    QCOMPARE(b->panel(1), QString("3回の平均です"));
    QVERIFY(w.document().hasUnsavedMeasurement() && w.document().repeats());
    QCOMPARE(w.document().repeats()->count(), 3);
    QVERIFY(!w.document().repeats()->isPartial());
    QVERIFY(b->idleAgain());
    const QImage plain = w.view().graph()->bitmap().copy();
    w.findChild<QAction *>("MenuGraph_Spread")->trigger();
    QVERIFY(w.view().graph()->bitmap() != plain);
    w.findChild<QAction *>("MenuGraph_Spread")->trigger();
    QCOMPARE(w.view().graph()->bitmap(), plain);

    DocumentProbe::saved(w.document()) = 1;
    number.answer = 5;
    w.findChild<QAction *>("MenuMeasure_Repeat")->trigger();
    QVERIFY(waitUntil([&] {
        return w.run().repeatSet() && w.run().repeatSet()->count() == 1 &&
               w.run().pointsReceived() > 20;
    }));
    b->clickStart(); // Stop
    QVERIFY(setEnded());
    QCOMPARE(b->panel(1), QString("途中まで：2／5回の平均です"));
    QVERIFY(w.document().repeats() && w.document().repeats()->isPartial());
    QVERIFY(w.document().hasUnsavedMeasurement());
    Seams::installNumbers(nullptr);
}

void TestAppMeasure::menuStartsARunAtLineSpeed()
{
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({}));
    b->chooseBand(3);
    w.findChild<QAction *>("MenuMeasure_Start")->trigger();
    QVERIFY(w.run().measuring());
    QCOMPARE(b->caption(), QString("測定停止"));
    QVERIFY(b->controlsEnabled(false));
    QVERIFY(b->waitForRunEnd());
    QCOMPARE(w.document().measurement().valid, quint8(1));
    QCOMPARE(b->panel(1), QString("測定終了しました"));
    QVERIFY(b->idleAgain());
}

void TestAppMeasure::storedTextsEqualTheLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("band");
    QTest::newRow("band 2 at once") << QStringList{"--fast"} << 2;
    QTest::newRow("band 3 in pieces of 7 bytes")
        << QStringList{"--fast", "--chunk", "7", "--gap", "2"} << 3;
    QTest::newRow("band 1 in pieces of 5 bytes")
        << QStringList{"--fast", "--chunk", "5", "--gap", "1"} << 1;
}

void TestAppMeasure::storedTextsEqualTheLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, band);
    TFormMain &w = *b->win;
    QVERIFY(b->startSim(args));
    const QByteArray line = captureStream(band);
    QCOMPARE(line.size(), bandPointCount(band) * 19 + 3);
    QVERIFY(line.endsWith("OK\r"));

    QVERIFY(b->measure(band));
    const int first = bandFirstIndex(band);
    for (int k = 0; k < bandPointCount(band); ++k) {
        const QByteArray sent = line.mid(k * 19, 18);
        QCOMPARE(slotText(w.document().measurement(), first + k), sent);
    }
    if (first > 0)
        QCOMPARE(slotText(w.document().measurement(), first - 1), QByteArray(kEmptySlot));
    QCOMPARE(b->panel(1), QString("測定終了しました"));
}

void TestAppMeasure::startFailures_data()
{
    // "sim", "no link", "mute" (a terminal nobody answers on) or "after run" (a sim, started
    // anew with `args` after a measurement was drawn)
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("panel0");
    QTest::addColumn<QString>("panel1");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<QStringList>("commands");
    const QString notFound = "HK-A2 が見つかりませんでした";
    const QString notFoundBox = "HK-A2ユニットが見つかりませんでした。COM番号を確認して下さい。";
    const QStringList identify{"?", "U?", "ME", "U?", "V?", "SN?", "M?"};

    QTest::newRow("no port") << "no link" << QStringList() << "通信ポートが開けません"
                             << ""
                             << "COMポートが開けませんでした。COM番号を確認して下さい。" << false
                             << QStringList();
    QTest::newRow("no unit") << "mute" << QStringList() << notFound << "" << notFoundBox << false
                             << QStringList();
    QTest::newRow("lower-case model token") << "sim" << QStringList{"--model", "hka2"} << notFound
                                            << "" << notFoundBox << false << QStringList{"?", "U?"};
    // A five-letter token passes the presence check, which reads four letters, and fails the
    // identification, which reads up to five. At once, so that the fifth letter is purged
    // before "ME" rather than read as the first byte of its reply.
    QTest::newRow("unknown model") << "sim" << QStringList{"--model", "HKA2X", "--fast"}
                                   << "HK-A, HK-A2 が見つかりませんでした"
                                   << ""
                                   << "" << false << QStringList{"?", "U?", "ME", "U?"};
    QTest::newRow("short version reply") << "sim" << QStringList{"--version", "020"} << ""
                                         << "HK-A2 応答エラーです"
                                         << "" << false << QStringList{"?", "U?", "ME", "U?", "V?"};
    QTest::newRow("short serial reply")
        << "sim" << QStringList{"--serial", "12"} << ""
        << "HK-A2 応答エラーです"
        << "" << false << QStringList{"?", "U?", "ME", "U?", "V?", "SN?"};
    QTest::newRow("uncalibrated") << "sim" << QStringList{"--uncalibrated"} << ""
                                  << "HK-A2 未校正です"
                                  << "" << false << identify;
    QTest::newRow("band request unanswered")
        << "sim" << QStringList{"--count-reply", "01"} << kUnitText << "コマンド送信エラーです"
        << "" << false << identify + QStringList{"M3"};
    const QString refused = "HK-A2 が測定周波数帯域を受け付けませんでした";
    QTest::newRow("refusal") << "sim" << QStringList{"--refuse-band"} << kUnitText << refused << ""
                             << true << identify + QStringList{"M3"};
    QTest::newRow("count not hexadecimal")
        << "sim" << QStringList{"--count-reply", "X05C"} << kUnitText << refused << "" << true
        << identify + QStringList{"M3"};
    QTest::newRow("refusal clears the drawn curve")
        << "after run" << QStringList{"--refuse-band"} << kUnitText << refused << "" << true
        << identify + QStringList{"M3"};
    QTest::newRow("count mismatch") << "sim" << QStringList{"--wrong-count"} << kUnitText << ""
                                    << "ユニットとアプリケーションのバージョンがミスマッチです"
                                    << true << identify + QStringList{"M3"};
}

void TestAppMeasure::startFailures()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, args);
    QFETCH(QString, panel0);
    QFETCH(QString, panel1);
    QFETCH(QString, box);
    QFETCH(bool, portOpen);
    QFETCH(QStringList, commands);
    TFormMain &w = *b->win;
    PtyPair mute;
    if (kind == "after run") {
        QVERIFY(b->startSim({"--fast"}) && b->measure(3));
        DocumentProbe::saved(w.document()) = 1;
    }
    if (kind == "sim" || kind == "after run")
        QVERIFY(b->startSim(args));
    else if (kind == "mute")
        QVERIFY(QFile::link(mute.slavePath(), b->comLink()));

    b->chooseBand(3);
    b->clickStart();

    QCOMPARE(b->panel(0), panel0);
    QCOMPARE(b->panel(1), panel1);
    QCOMPARE(b->panel(2), QString());
    const auto &boxes = b->recorder.presenter.boxes;
    QCOMPARE(boxes.size(), box.isEmpty() ? 0 : 1);
    if (!box.isEmpty()) {
        QCOMPARE(boxes[0].text, box);
        QCOMPARE(boxes[0].icon, MessagePresenter::Icon::Error);
        QCOMPARE(boxes[0].caption, QString("VELO2 v2.3"));
    }
    QCOMPARE(bool(w.run().portOpen()), portOpen);
    QCOMPARE(w.run().station().driver().Connected(), portOpen);
    QVERIFY(!w.run().unitSession());
    QVERIFY(!w.run().measuring());
    QCOMPARE(w.document().measurement().valid, quint8(0));
    // The graph shows the empty record: the grid alone.
    const QImage shown = w.view().graph()->bitmap();
    w.view().graph()->clear();
    QCOMPARE(shown, w.view().graph()->bitmap());
    QVERIFY(b->idleAgain());
    // Nothing more happens on later idle passes.
    QVERIFY(!waitUntil([&] { return w.run().measuring() || w.run().finishPending(); }, 200));
    if (kind != "no link" && kind != "mute")
        QTRY_COMPARE(b->sim.commands(), commands);
}

void TestAppMeasure::portWithoutPermission()
{
    // Root opens any file; a read-only attribute of sysfs refuses writers even then.
    QString target = "/sys/kernel/uevent_seqnum";
    if (::geteuid() != 0) {
        target = b->dir.filePath("locked");
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QFile::setPermissions(target, QFileDevice::Permissions()));
    } else if (!QFile::exists(target)) {
        QSKIP("no read-only sysfs attribute to stand for a locked device");
    }
    QVERIFY(QFile::link(target, b->comLink()));
    b->clickStart();
    QCOMPARE(b->panel(0), QString("通信ポートが開けません（アクセス権がありません）"));
    QCOMPARE(b->recorder.presenter.boxes.size(), 1);
    QCOMPARE(b->recorder.presenter.lastText(),
             QString("COMポートが開けませんでした。COM番号を確認して下さい。"));
    QVERIFY(!b->win->run().portOpen());
    QVERIFY(b->idleAgain());
}

void TestAppMeasure::hkaRefusesBandThenReusesThePort()
{
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({"--model", "HK-A", "--fast"}));
    b->chooseBand(2);
    b->clickStart();
    QCOMPARE(b->recorder.presenter.boxes.size(), 1);
    QCOMPARE(b->recorder.presenter.boxes[0].text,
             QString("HK-Aが対応していない測定周波数帯域です"));
    QCOMPARE(b->recorder.presenter.boxes[0].icon, MessagePresenter::Icon::Warning);
    QCOMPARE(b->panel(0), QString("HK-A/ SN=0123/ 0200"));
    QVERIFY(w.run().portOpen() && w.run().unitSession() && w.run().unitIsHKA());
    QVERIFY(w.run().station().driver().Connected());
    QVERIFY(b->idleAgain());
    const int handle = w.run().station().driver().DeviceHandle();

    // Band 6 of the first model is its own band "4"; the open port is used as it is.
    b->chooseBand(6);
    b->clickStart();
    QVERIFY(w.run().measuring());
    QCOMPARE(w.run().station().driver().DeviceHandle(), handle);
    QVERIFY(b->waitForRunEnd());
    QCOMPARE(w.document().measurement().valid, quint8(1));
    QCOMPARE(w.document().measurement().band, 6);
    QCOMPARE(b->panel(0), QString("HK-A/ SN=0123/ 0200"));
    QCOMPARE(b->recorder.presenter.boxes.size(), 1);
    const QStringList identify{"?", "U?", "ME", "U?", "V?", "SN?", "M?"};
    const QStringList expected = identify + identify + QStringList{"M4", "ME"};
    QTRY_COMPARE(b->sim.commands(), expected);
}

void TestAppMeasure::streamFailures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("stored");
    QTest::newRow("carriage return inside point 5")
        << QStringList{"--fast", "--cr-in-point", "5"} << 5;
    QTest::newRow("NG end mark") << QStringList{"--fast", "--end-mark", "NG"} << 92;
    QTest::newRow("end mark in pieces, NG")
        << QStringList{"--fast", "--end-mark", "NG", "--chunk", "2", "--gap", "1"} << 92;
}

void TestAppMeasure::streamFailures()
{
    QFETCH(QStringList, args);
    QFETCH(int, stored);
    TFormMain &w = *b->win;
    QVERIFY(b->startSim(args));
    b->chooseBand(3);
    b->clickStart();
    QVERIFY(w.run().measuring());
    QVERIFY(b->waitForRunEnd());

    QCOMPARE(b->panel(0), kReceiveError);
    QCOMPARE(b->panel(1), QString()); // neither "測定中です" nor "計算中です": no conversion
    QCOMPARE(w.document().measurement().valid, quint8(0));
    QCOMPARE(w.document().curveRaw().valid, quint8(0));
    QCOMPARE(w.run().pointsReceived(), stored);
    QVERIFY(QByteArray(w.document().measurement().points[stored - 1]) != QByteArray(kEmptySlot));
    QVERIFY(!w.run().portOpen() && !w.run().unitSession());
    QVERIFY(!w.findChild<QTimer *>("Timer1")->isActive());
    QVERIFY(b->idleAgain());
    QVERIFY(b->recorder.presenter.boxes.isEmpty());
    QTRY_COMPARE(b->sim.commands(), startCommands("M3") + QStringList{"ME"});
}

void TestAppMeasure::silenceEndsAfterTheWatchdog()
{
    TFormMain &w = *b->win;
    // At line speed, so that the silence begins well after the start: the watchdog counts
    // from the last byte, not from the start of the run.
    QVERIFY(b->startSim({"--silent-after", "200"}));
    b->chooseBand(1);
    b->clickStart();
    QVERIFY(waitUntil([&] { return w.run().pointsReceived() == 200; }, 10000));
    QElapsedTimer sinceLastPoint;
    sinceLastPoint.start();
    QVERIFY(w.run().measuring());
    QVERIFY(waitUntil([&] { return !w.run().measuring(); }, 15000));
    QVERIFY2(sinceLastPoint.elapsed() >= 9500,
             qPrintable(QString::number(sinceLastPoint.elapsed())));

    QCOMPARE(b->panel(0), kReceiveError);
    QCOMPARE(w.run().pointsReceived(), 200);
    QCOMPARE(w.document().measurement().valid, quint8(0));
    QVERIFY(QByteArray(w.document().measurement().points[40 + 199]) != QByteArray(kEmptySlot));
    QCOMPARE(QByteArray(w.document().measurement().points[40 + 200]), QByteArray(kEmptySlot));
    QVERIFY(!w.run().portOpen() && !w.run().unitSession() && !w.run().watchdogExpired());
    QVERIFY(b->idleAgain());
    // The release told the silent unit to end its sweep.
    QTRY_COMPARE(b->sim.commands(), startCommands("M1") + QStringList{"ME"});
}

void TestAppMeasure::vanishedUnitEndsTheRun()
{
    // An adapter pulled out mid-run: the line hangs up and never sends again.
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({}));
    b->chooseBand(2);
    b->clickStart();
    QVERIFY(waitUntil([&] { return w.run().pointsReceived() >= 10; }));
    b->sim.process().kill();
    QVERIFY(b->sim.process().waitForFinished(5000));
    const int got = w.run().pointsReceived();
    QElapsedTimer sinceGone;
    sinceGone.start();
    QVERIFY(waitUntil([&] { return !w.run().measuring(); }, 15000));
    // At once, not when the 10 s watchdog fires.
    QVERIFY2(sinceGone.elapsed() < 3000, qPrintable(QString::number(sinceGone.elapsed())));
    QCOMPARE(b->panel(0), kReceiveError);
    QVERIFY(w.run().pointsReceived() >= got && w.run().pointsReceived() < 540);
    QCOMPARE(w.document().measurement().valid, quint8(0));
    QVERIFY(!w.run().portOpen() && !w.run().unitSession());
    QVERIFY(b->idleAgain());
}

void TestAppMeasure::liveRescale()
{
    // R rises through the scale steps: 40, 60 (-> 100), 110 (-> 120), 130 (-> 150),
    // 160 (-> 200), then 500, which no longer changes anything.
    const QString curve = b->dir.filePath("rising.txt");
    QVERIFY(writeCurve(curve, [](int k) {
        if (k == 0)
            return 40.0;
        if (k < 10)
            return 60.0;
        if (k < 20)
            return 110.0;
        if (k < 30)
            return 130.0;
        if (k < 40)
            return 160.0;
        return k == 40 ? 500.0 : 300.0;
    }));
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({"--fast", "--curve", curve}));

    // The full scale after each point, seen at every idle pass right after the window's.
    QMap<int, float> scaleAfter;
    QObject probe;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &probe, [&] {
                         if (w.run().measuring())
                             scaleAfter[w.run().pointsReceived()] = w.shownScale().rMax;
                     });
    b->chooseBand(3);
    b->clickStart();
    QCOMPARE(w.shownScale().rMax, 25.0f);
    QVERIFY(b->waitForRunEnd());
    QCOMPARE(w.document().measurement().valid, quint8(1));

    QCOMPARE(scaleAfter.value(1), 25.0f);  // the first point is not drawn
    QCOMPARE(scaleAfter.value(2), 100.0f); // 60 ohm
    QCOMPARE(scaleAfter.value(10), 100.0f);
    QCOMPARE(scaleAfter.value(11), 120.0f);
    QCOMPARE(scaleAfter.value(21), 150.0f);
    QCOMPARE(scaleAfter.value(31), 200.0f);
    QCOMPARE(scaleAfter.value(41), 200.0f); // 500 ohm: no rescale beyond 200
    QCOMPARE(scaleAfter.value(91), 200.0f);
    for (int n = 1; n <= 91; ++n)
        QVERIFY2(scaleAfter.contains(n), qPrintable(QString("no pass after point %1").arg(n)));
    QCOMPARE(w.shownScale().rMax, 200.0f);
}

void TestAppMeasure::userStop()
{
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({}));
    b->chooseBand(2);
    b->clickStart();
    // The click arrives through the event loop while the points stream in.
    bool clicked = false;
    QVERIFY(waitUntil([&] {
        if (w.run().pointsReceived() >= 20 && !clicked) {
            clicked = true;
            QTest::mouseClick(w.findChild<QPushButton *>("MStartBtn"), Qt::LeftButton);
        }
        return clicked;
    }));
    QCOMPARE(b->panel(1), QString("測定中止しました"));
    QVERIFY(!w.run().measuring());
    QVERIFY(!w.run().portOpen() && !w.run().unitSession());
    QVERIFY(!w.findChild<QTimer *>("Timer1")->isActive());
    QVERIFY(w.run().pointsReceived() < 100);
    QCOMPARE(w.document().measurement().valid, quint8(0));
    QVERIFY(b->idleAgain());
    const int stoppedAt = w.run().pointsReceived();
    QVERIFY(!waitUntil([&] { return w.run().pointsReceived() != stoppedAt || w.run().measuring(); },
                       300));
    // A point byte already on its way when the port was purged spoils the first reply on a
    // loaded machine; the stop then asks again, as it may up to three times.
    const QStringList start = startCommands("M2");
    QTRY_VERIFY(b->sim.commands().mid(start.size()).startsWith("ME"));
    const QStringList commands = b->sim.commands();
    QCOMPARE(commands.mid(0, start.size()), start);
    const QStringList stops = commands.mid(start.size());
    QVERIFY2(stops.size() <= 3 && stops.count("ME") == stops.size(), qPrintable(stops.join('|')));
    QVERIFY(b->recorder.presenter.boxes.isEmpty());
}

void TestAppMeasure::stopAnUnresponsiveUnit()
{
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({"--ignore-me"}));
    b->chooseBand(2);
    b->clickStart();
    QVERIFY(waitUntil([&] { return w.run().pointsReceived() >= 5; }));
    b->clickStart();
    QCOMPARE(b->panel(1), QString("測定中止しました"));
    QVERIFY(!w.run().measuring() && !w.run().portOpen());
    QVERIFY(w.run().unitSession()); // kept, so that the close tries again
    QVERIFY(!w.run().station().driver().Connected());
    QVERIFY(b->idleAgain());
    const QStringList threeTries = startCommands("M2") + QStringList{"ME", "ME", "ME"};
    QTRY_COMPARE(b->sim.commands(), threeTries);

    // Closing repeats the stop on the closed port: nothing reaches the unit.
    w.close();
    QVERIFY(b->recorder.presenter.boxes.isEmpty());
    QTest::qWait(100);
    QCOMPARE(b->sim.commands(), threeTries);
}

void TestAppMeasure::closingDuringARun()
{
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({}));
    // An unsaved measurement: the close must not ask about it.
    QVERIFY(b->measure(3));
    QCOMPARE(w.document().saved(), quint8(0));
    b->recorder.presenter.answers = {true};
    b->chooseBand(2);
    b->clickStart();
    QCOMPARE(b->recorder.presenter.boxes.size(), 1); // the discard question of the start
    QVERIFY(waitUntil([&] { return w.run().pointsReceived() >= 10; }));
    const int before = int(b->sim.commands().size());

    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(b->recorder.presenter.boxes.size(), 1);
    QVERIFY(!w.run().measuring() && !w.run().portOpen() && !w.run().unitSession());
    QCOMPARE(b->panel(1), QString("測定中止しました"));
    QTRY_COMPARE(b->commandsAfter(before), QStringList{"ME"});
}

void TestAppMeasure::unsavedQuestion_data()
{
    QTest::addColumn<int>("state"); // 0 unsaved, answer No; 1 unsaved, answer Yes; 2 saved
    QTest::newRow("No keeps the measurement") << 0;
    QTest::newRow("Yes discards it") << 1;
    QTest::newRow("saved: no question") << 2;
}

void TestAppMeasure::unsavedQuestion()
{
    QFETCH(int, state);
    TFormMain &w = *b->win;
    QVERIFY(b->startSim({"--fast"}));
    QVERIFY(b->measure(3));
    const QByteArray firstPoint = slotText(w.document().measurement(), 0);
    const QString range = b->panel(2);
    const int commands = int(b->sim.commands().size());
    if (state == 2)
        DocumentProbe::saved(w.document()) = 1;
    b->recorder.presenter.answers = {state == 1};

    b->chooseBand(9);
    b->clickStart();
    const auto &boxes = b->recorder.presenter.boxes;
    if (state == 2) {
        QVERIFY(boxes.isEmpty());
    } else {
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].text,
                 QString("測定データを保存していません。破棄して新しい測定を開始しますか？"));
        QCOMPARE(boxes[0].icon, MessagePresenter::Icon::Question);
    }
    if (state == 0) {
        QVERIFY(!w.run().measuring());
        QCOMPARE(w.document().measurement().valid, quint8(1));
        QCOMPARE(w.document().measurement().band, 3);
        QCOMPARE(slotText(w.document().measurement(), 0), firstPoint);
        QCOMPARE(b->panel(1), QString("測定終了しました"));
        QCOMPARE(b->panel(2), range);
        QVERIFY(b->idleAgain());
        QTest::qWait(100);
        QCOMPARE(int(b->sim.commands().size()), commands);
        return;
    }
    QVERIFY(w.run().measuring());
    QCOMPARE(w.document().measurement().valid, quint8(0));
    QVERIFY(b->waitForRunEnd());
    QCOMPARE(w.document().measurement().valid, quint8(1));
    QCOMPARE(w.document().measurement().band, 9);
    QCOMPARE(w.document().saved(), quint8(0));
    QCOMPARE(b->panel(2), QString("周波数：10.00[Hz]...500.0[Hz]"));
}

void TestAppMeasure::openedFileKeepsItsSerial_data()
{
    QTest::addColumn<QStringList>("args"); // of the unit at the failing start; none: no port
    QTest::addColumn<QString>("serial");   // the serial the next save writes
    QTest::newRow("no port") << QStringList() << "0456";
    QTest::newRow("serial not answered") << QStringList{"--fast", "--serial", "12"} << "0456";
    QTest::newRow("unknown model") << QStringList{"--fast", "--model", "HKA2X"} << "0456";
    // The identification read the serial before it found the unit uncalibrated.
    QTest::newRow("uncalibrated unit")
        << QStringList{"--fast", "--serial", "0789", "--uncalibrated"} << "0789";
}

void TestAppMeasure::openedFileKeepsItsSerial()
{
    QFETCH(QStringList, args);
    QFETCH(QString, serial);
    TFormMain &w = *b->win;
    ScriptedFileChooser files;
    Seams::install(&b->recorder.presenter, &files);
    auto save = [&](const QString &name) {
        files.answers = {{b->dir.filePath(name)}};
        w.findChild<QAction *>("MenuFile_Save")->trigger();
        QFile f(b->dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        for (const QByteArray &line : f.readAll().split('\n'))
            if (line.startsWith("SN:"))
                return line.mid(3).trimmed();
        return QByteArray();
    };

    // A measurement of unit 0456 saved, then one of unit 0123, then the first file opened.
    QVERIFY(b->startSim({"--fast", "--serial", "0456"}));
    QVERIFY(b->measure(3));
    QCOMPARE(save("a.DTA"), QByteArray("0456"));
    QVERIFY(b->startSim({"--fast"}));
    QVERIFY(b->measure(3));
    QCOMPARE(w.document().unitSerial(), QString("0123"));
    b->recorder.presenter.answers = {true};
    files.answers = {{b->dir.filePath("a.DTA")}};
    w.findChild<QAction *>("MenuFile_Open")->trigger();
    QCOMPARE(w.document().unitSerial(), QString("0456"));

    // A start that fails before the unit's serial is read leaves the file's serial alone.
    if (args.isEmpty())
        QVERIFY(b->sim.stop());
    else
        QVERIFY(b->startSim(args));
    b->clickStart();
    QVERIFY(!w.run().measuring());
    QCOMPARE(w.document().measurement().valid, quint8(1));
    QCOMPARE(w.document().unitSerial(), serial);
    QCOMPARE(save("b.DTA"), serial.toLatin1());
}

QTEST_MAIN(TestAppMeasure)
#include "tst_app_measure.moc"
