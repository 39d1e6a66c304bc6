// velo2-cli measure against the simulated unit: whole runs of several bands and both models,
// units that misbehave or fall silent, Ctrl-C and SIGTERM during a run, ports nobody answers on.
#include "CliTestSupport.h"
#include "FakeSerialTree.h"
#include "PtyPair.h"
#include "SimulatedUnit.h"
#include "core/document/CurveOnGrid.h"
#include "core/files/FileNameRules.h"
#include "core/files/RepeatFile.h"
#include "core/measure/RunReceiver.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <csignal>

namespace {

constexpr int kSilentRunMs = 60000;

// The commands the simulator received after the one that started the sweep (or after the
// last one given), e.g. to see that "ME" followed.
QStringList commandsAfter(const QStringList &commands, const QString &command)
{
    const qsizetype at = commands.lastIndexOf(command);
    return at < 0 ? QStringList() : commands.mid(at + 1);
}

// velo2-cli with its standard error on a terminal, as a user at a console sees it.
class TerminalRun
{
public:
    bool start(const QStringList &args)
    {
        if (!m_terminal.isOpen())
            return false;
        const int fd = m_terminal.slave();
        m_process.setChildProcessModifier([fd] { ::dup2(fd, STDERR_FILENO); });
        m_process.start(cli::binary(), args);
        return m_process.waitForStarted();
    }
    // What reached the terminal so far.
    QByteArray screen()
    {
        m_screen += m_terminal.receive(0);
        return m_screen;
    }
    bool finish(int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!m_process.waitForFinished(20))
            if (screen(), clock.elapsed() > timeoutMs)
                return false;
        m_screen += m_terminal.receive(50);
        return true;
    }
    QProcess &process() { return m_process; }

private:
    PtyPair m_terminal;
    QProcess m_process;
    QByteArray m_screen;
};

} // namespace

class TestCliMeasure : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wholeRun_data();
    void wholeRun();
    void jsonSummary();
    void portByNumber();
    void unitMisbehaves_data();
    void unitMisbehaves();
    void unitFallsSilent();
    void stoppedDuringRun_data();
    void stoppedDuringRun();
    void unreachablePort_data();
    void unreachablePort();
    void wrongUsage_data();
    void wrongUsage();
    void progressOnTerminal();
    void portsJson();
    void importedEqualsMeasured_data();
    void importedEqualsMeasured();
    void repeatSet();
    void repeatEndsEarly_data();
    void repeatEndsEarly();
    void repeatFileIsAFolder();

private:
    QString link() const { return m_dir->filePath("COM5"); }
    QString output() const { return m_out->filePath("run.DTA"); }

    QTemporaryDir *m_dir = nullptr;
    QTemporaryDir *m_out = nullptr;
    SimulatedUnit *m_sim = nullptr;
};

void TestCliMeasure::init()
{
    QVERIFY(QFileInfo(SimulatedUnit::binary()).isExecutable());
    m_dir = new QTemporaryDir;
    m_out = new QTemporaryDir;
    m_sim = new SimulatedUnit;
}

void TestCliMeasure::cleanup()
{
    delete m_sim;
    m_sim = nullptr;
    delete m_out;
    m_out = nullptr;
    delete m_dir;
    m_dir = nullptr;
}

void TestCliMeasure::wholeRun_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("bandCommand");
    QTest::newRow("HK-A2 band 1") << "HK-A2" << 1 << "M1";
    QTest::newRow("HK-A2 band 2") << "HK-A2" << 2 << "M2";
    QTest::newRow("HK-A2 band 3") << "HK-A2" << 3 << "M3";
    QTest::newRow("HK-A2 band 7") << "HK-A2" << 7 << "M7";
    QTest::newRow("HK-A2 band 9") << "HK-A2" << 9 << "M9";
    QTest::newRow("HK-A band 1") << "HK-A" << 1 << "M1";
    QTest::newRow("HK-A band 4") << "HK-A" << 4 << "M2";
    QTest::newRow("HK-A band 6") << "HK-A" << 6 << "M4";
}

void TestCliMeasure::wholeRun()
{
    QFETCH(QString, model);
    QFETCH(int, band);
    QFETCH(QString, bandCommand);
    QVERIFY(m_sim->start(link(), {"--fast", "--model", model, "--serial", "S042"}));

    const cli::Result r =
        cli::run({"measure", "--port", link(), "--band", QString::number(band), "-o", output()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray()); // no progress bar into a pipe
    QVERIFY(r.out.startsWith(output().toUtf8() + '\n'));

    // The presence check, the identification, the band request and the release at the end.
    QTRY_COMPARE(m_sim->commands(),
                 QStringList({"?", "U?", "ME", "U?", "V?", "SN?", "M?", bandCommand, "ME"}));

    // The file is the program's writer's: read back and written again, it stays the same.
    const auto loaded = cli::load(output());
    QVERIFY(loaded);
    QCOMPARE(loaded->modelFlag, quint8(0));
    QCOMPARE(loaded->record.band, band);
    QCOMPARE(loaded->serial, QByteArray("S042"));
    QCOMPARE(loaded->comPort, 5);
    QVERIFY(!loaded->record.dateTime.isEmpty());
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
        QVERIFY(loaded->raw.freq[i] > 0.0f && loaded->raw.r[i] > 0.0f);
    const QString again = m_out->filePath("again.DTA");
    QVERIFY(VELO_File().writeDataFile(again, loaded->serial, loaded->comPort, &loaded->record));
    QCOMPARE(cli::readAll(output()), cli::readAll(again));
}

void TestCliMeasure::jsonSummary()
{
    QVERIFY(m_sim->start(link(), {"--fast", "--version", "0321", "--serial", "7777"}));
    const cli::Result r =
        cli::run({"measure", "--json", "--port", link(), "--band", "5", "-o", output()});
    QCOMPARE(r.exitCode, 0);
    QJsonObject o = r.json().object();
    QCOMPARE(o["file"].toString(), output());
    QCOMPARE(o["model"].toString(), QString("HK-A2"));
    QCOMPARE(o["serial"].toString(), QString("7777"));
    QCOMPARE(o["unitVersion"].toString(), QString("0321"));
    QCOMPARE(o["band"].toInt(), 5);
    QCOMPARE(o["points"].toInt(), 121);

    // The same as info says about the file.
    const cli::Result info = cli::run({"info", "--json", output()});
    QJsonObject fromInfo = info.json().array().first().toObject();
    o.remove("unitVersion");
    QCOMPARE(o, fromInfo);
}

void TestCliMeasure::portByNumber()
{
    // COMn is looked up as the program does it: an entry COMn in the settings directory, which
    // for the tool in the build tree is its own folder.
    const QString settings = QFileInfo(cli::binary()).absolutePath();
    if (!QFileInfo(settings).isWritable())
        QSKIP("the tool's folder is not writable, so its settings live elsewhere");
    const QString comLink = settings + "/COM247";
    QVERIFY(m_sim->start(comLink, {"--fast"}));
    for (const QString &port : {QString("COM247"), QString("247")}) {
        QFile::remove(output());
        const cli::Result r = cli::run({"measure", "--port", port, "--band", "3", "-o", output()});
        QCOMPARE(r.exitCode, 0);
        const auto loaded = cli::load(output());
        QVERIFY(loaded);
        QCOMPARE(loaded->comPort, 247);
    }
    QVERIFY(m_sim->stop());
    QVERIFY(!QFileInfo::exists(comLink));
}

void TestCliMeasure::unitMisbehaves_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("lastCommands"); // what the unit saw at the end, "|"-joined
    QTest::newRow("end mark NG") << QStringList{"--end-mark", "NG"} << 3
                                 << "receive error after 92 of 92 points"
                                 << "M3|ME";
    QTest::newRow("carriage return in a point")
        << QStringList{"--cr-in-point", "10"} << 3 << "receive error after 10 of 92 points"
        << "M3|ME";
    QTest::newRow("wrong point count")
        << QStringList{"--wrong-count"} << 3 << "versions do not match"
        << "M3|ME";
    QTest::newRow("band refused") << QStringList{"--refuse-band"} << 3 << "refused the band"
                                  << "M3|ME";
    QTest::newRow("count not a number")
        << QStringList{"--count-reply", "XYZW"} << 3 << "without a point count"
        << "M3|ME";
    QTest::newRow("uncalibrated") << QStringList{"--uncalibrated"} << 3 << "not calibrated"
                                  << "SN?|M?";
    QTest::newRow("unknown model") << QStringList{"--model", "hka2"} << 3 << "no HK-A2 unit answers"
                                   << "?|U?";
    QTest::newRow("HK-A and band 2")
        << QStringList{"--model", "HK-A"} << 2 << "the HK-A does not measure band 2"
        << "M?|ME";
}

void TestCliMeasure::unitMisbehaves()
{
    QFETCH(QStringList, simArgs);
    QFETCH(int, band);
    QFETCH(QString, message);
    QFETCH(QString, lastCommands);
    QVERIFY(m_sim->start(link(), simArgs + QStringList{"--fast"}));
    const cli::Result r =
        cli::run({"measure", "--port", link(), "--band", QString::number(band), "-o", output()});
    QVERIFY(!r.crashed);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QVERIFY2(r.errText().startsWith("velo2-cli measure: ") && r.errText().contains(message),
             qPrintable(r.errText()));
    QCOMPARE(r.errText().count('\n'), 1);
    QTRY_VERIFY2(m_sim->commands().join('|').endsWith(lastCommands),
                 qPrintable(m_sim->commands().join('|')));
    QCOMPARE(cli::entries(m_out->path()), QStringList());
}

void TestCliMeasure::unitFallsSilent()
{
    // The run's watchdog ends it ten seconds after the last byte, and the unit is stopped.
    QVERIFY(m_sim->start(link(), {"--fast", "--silent-after", "30"}));
    QElapsedTimer clock;
    clock.start();
    const cli::Result r = cli::run({"measure", "--port", link(), "--band", "3", "-o", output()},
                                   QString(), {}, kSilentRunMs);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(clock.elapsed() >= RunReceiver::kWatchdogMs);
    QVERIFY2(r.errText().contains("fell silent after 30 of 92 points"), qPrintable(r.errText()));
    QTRY_COMPARE(commandsAfter(m_sim->commands(), "M3"), QStringList{"ME"});
    QCOMPARE(cli::entries(m_out->path()), QStringList());
}

void TestCliMeasure::stoppedDuringRun_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("Ctrl-C") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("hang-up") << int(SIGHUP);
}

void TestCliMeasure::stoppedDuringRun()
{
    QFETCH(int, signal);
    // Paced at the line rate, band 2 takes about eleven seconds; the progress on the terminal
    // tells when the points are flowing.
    QVERIFY(m_sim->start(link()));
    TerminalRun run;
    QVERIFY(run.start({"measure", "--port", link(), "--band", "2", "-o", output()}));
    QTRY_VERIFY_WITH_TIMEOUT(run.screen().contains(" 20/540  "), 20000);
    ::kill(pid_t(run.process().processId()), signal);
    QVERIFY(run.finish(10000));

    // Ended by the signal itself, as a shell expects of an interrupted program, after the
    // unit was told to stop and nothing was written.
    QCOMPARE(run.process().exitStatus(), QProcess::CrashExit);
    const QString screen = QString::fromUtf8(run.screen());
    QVERIFY2(screen.endsWith("\r\x1b[Kvelo2-cli measure: stopped; the unit was released and " +
                             output() + " was not written\n"),
             qPrintable(screen.right(200)));
    QTRY_COMPARE(commandsAfter(m_sim->commands(), "M2"), QStringList{"ME"});
    QCOMPARE(cli::entries(m_out->path()), QStringList());
    QCOMPARE(run.process().readAllStandardOutput(), QByteArray());
}

void TestCliMeasure::unreachablePort_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such device") << "@/ttyNONE"
                                    << "cannot open the port @/ttyNONE: no such port";
    QTest::newRow("no COM entry") << "COM251"
                                  << "cannot open the port COM251: no such port";
    QTest::newRow("nobody on the line") << "pty"
                                        << "no HK-A2 unit answers on";
}

void TestCliMeasure::unreachablePort()
{
    QFETCH(QString, port);
    QFETCH(QString, message);
    PtyPair silent;
    QVERIFY(silent.isOpen());
    if (port == "pty")
        port = silent.slavePath();
    port.replace('@', m_dir->path());
    message.replace('@', m_dir->path());
    const cli::Result r = cli::run({"measure", "--port", port, "--band", "1", "-o", output()});
    QVERIFY(!r.crashed);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QByteArray());
    QVERIFY2(r.errText().startsWith("velo2-cli measure: " + message), qPrintable(r.errText()));
    QCOMPARE(r.errText().count('\n'), 1);
    QCOMPARE(cli::entries(m_out->path()), QStringList());
}

void TestCliMeasure::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString port = "@/COM5";
    QTest::newRow("no port") << QStringList{"--band", "1", "-o", "%/a.DTA"} << 2
                             << "missing --port";
    QTest::newRow("no band") << QStringList{"--port", port, "-o", "%/a.DTA"} << 2
                             << "missing --band";
    QTest::newRow("band 0") << QStringList{"--port", port, "--band", "0", "-o", "%/a.DTA"} << 2
                            << "--band '0'";
    QTest::newRow("band 10") << QStringList{"--port", port, "--band", "10", "-o", "%/a.DTA"} << 2
                             << "--band '10'";
    QTest::newRow("no output") << QStringList{"--port", port, "--band", "1"} << 2 << "missing -o";
    QTest::newRow("output to stdout")
        << QStringList{"--port", port, "--band", "1", "-o", "-"} << 2 << "missing -o";
    QTest::newRow("unknown option")
        << QStringList{"--port", port, "--band", "1", "-o", "%/a.DTA", "--fast"} << 2
        << "unknown option '--fast'";
    QTest::newRow("stray argument")
        << QStringList{"--port", port, "--band", "1", "-o", "%/a.DTA", "extra"} << 2
        << "unexpected argument 'extra'";
    QTest::newRow("repeat 1") << QStringList{"--port", port,      "--band",   "1",
                                             "-o",     "%/a.DTA", "--repeat", "1"}
                              << 2
                              << "--repeat '1': the number of sweeps must be a whole number "
                                 "from 2 to 64";
    QTest::newRow("repeat 65") << QStringList{"--port", port,      "--band",   "1",
                                              "-o",     "%/a.DTA", "--repeat", "65"}
                               << 2 << "--repeat '65'";
    QTest::newRow("repeat not a number")
        << QStringList{"--port", port, "--band", "1", "-o", "%/a.DTA", "--repeat", "4x"} << 2
        << "--repeat '4x'";
    QTest::newRow("output folder missing")
        << QStringList{"--port", port, "--band", "1", "-o", "%/none/a.DTA"} << 1
        << "%/none/a.DTA: cannot be written: no such folder";
}

void TestCliMeasure::wrongUsage()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QVERIFY(m_sim->start(link(), {"--fast"}));
    auto expand = [this](QString s) {
        return s.replace('@', m_dir->path()).replace('%', m_out->path());
    };
    for (QString &a : args)
        a = expand(a);
    const cli::Result r = cli::run(QStringList{"measure"} + args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.errText().contains(expand(message)), qPrintable(r.errText()));
    QCOMPARE(r.errText().count('\n'), 1);
    // Nothing reached the unit and nothing was written.
    QCOMPARE(m_sim->commands(), QStringList());
    QCOMPARE(cli::entries(m_out->path()), QStringList());
}

void TestCliMeasure::progressOnTerminal()
{
    // Standard error on a terminal: the bar counts up to the last point and its line is cleared
    // before the tool ends.
    QVERIFY(m_sim->start(link(), {"--fast"}));
    TerminalRun run;
    QVERIFY(run.start({"measure", "--port", link(), "--band", "3", "-o", output()}));
    QVERIFY(run.finish(30000));
    QCOMPARE(run.process().exitCode(), 0);
    const QByteArray screen = run.screen();
    QVERIFY2(screen.contains("] 92/92"), screen.right(200).constData());
    QVERIFY(screen.contains("[" + QByteArray(30, '#') + "]"));
    QVERIFY(screen.endsWith("\r\x1b[K"));
}

void TestCliMeasure::portsJson()
{
    // A copy of the tool in a folder of its own, which is then its settings directory.
    const QString tool = m_out->filePath("velo2-cli");
    QVERIFY(QFile::copy(cli::binary(), tool));
    QVERIFY(QFile::link("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                        m_out->filePath("COM5")));
    const FakeSerialTree tree(m_dir->path());
    QProcess p;
    p.start(tool, {"ports", "--json", "--root", m_dir->path()});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    const QJsonArray ports = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    QCOMPARE(ports.size(), 5);
    QStringList rows;
    for (const QJsonValue &v : ports) {
        const QJsonObject o = v.toObject();
        QStringList hints;
        for (const QJsonValue &h : o["hints"].toArray())
            hints << h["code"].toString();
        const QJsonArray held = o["heldBy"].toArray();
        rows << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 [%9]")
                    .arg(o["path"].toString("-"), o["usb"]["vendorId"].toString("-"),
                         o["driver"].toString())
                    .arg(o["com"].toInt())
                    .arg(o["comFrom"].toString("-"), o["byId"].isString() ? "by-id" : "-",
                         held.isEmpty() ? "-" : held[0]["name"].toString())
                    .arg(o["mayOpen"].toBool())
                    .arg(hints.join(' '));
    }
    // The tool's own user owns the made-up devices, so it may open them all.
    QCOMPARE(rows,
             QStringList({"/dev/ttyUSB0 1a86 ch341-uart 1 machine by-id - 1 [brltty modemmanager]",
                          "/dev/ttyUSB1 0403 ftdi_sio 5 link by-id minicom 1 [modemmanager]",
                          "/dev/ttyACM0 2341 cdc_acm 3 machine by-id screen 1 [modemmanager]",
                          "/dev/ttyS0 - serial8250 4 machine - - 1 []",
                          "- 10c4 usbfs 0 - - - 0 [brltty]"}));
    QVERIFY(ports[1]["hints"][0]["text"].toString().startsWith("ModemManager is running"));
}

void TestCliMeasure::importedEqualsMeasured_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("re");
    QTest::newRow("seas 0 g") << "seas_l16rnx_0g.zma"
                              << "5.721";
    QTest::newRow("seas +8 g") << "seas_l16rnx_plus8g.zma"
                               << "5.721";
    QTest::newRow("seas +16 g") << "seas_l16rnx_plus16g.zma"
                                << "5.721";
    QTest::newRow("sb17 DATS") << "sb17mfc35_w1_new.zma"
                               << "5.763";
    QTest::newRow("grs datasheet") << "grs_8sw4he8_datasheet.zma"
                                   << "3.8";
    QTest::newRow("tang band, no phase") << "tb_w3_1876s_datasheet.zma"
                                         << "3.6";
}

void TestCliMeasure::importedEqualsMeasured()
{
    // The table opened directly and the same table played by the unit on the same band.
    QFETCH(QString, file);
    QFETCH(QString, re);
    const QString table = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/") + file;
    ImpedanceTable t;
    QVERIFY(readImpedanceTable(table, t).ok());
    const QString band = QString::number(bestBandFor(t));
    QVERIFY(m_sim->start(link(), {"--fast", "--curve", table}));
    QCOMPARE(cli::run({"measure", "--port", link(), "--band", band, "-o", output()}).exitCode, 0);

    const cli::Result measured = cli::run({"ts", output(), "--re", re});
    const cli::Result imported = cli::run({"ts", table, "--re", re});
    QCOMPARE(measured.exitCode, 0);
    QCOMPARE(imported.exitCode, 0);
    QCOMPARE(imported.err, QByteArray());
    // The unit holds |Z| to 0.01 ohm and the phase to 0.1 deg; the table is taken in full.
    const QList<QByteArray> a = imported.out.split('\n');
    const QList<QByteArray> b = measured.out.split('\n');
    QCOMPARE(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i) {
        const double x = a[i].split(' ').last().toDouble();
        const double y = b[i].split(' ').last().toDouble();
        QVERIFY2(a[i].left(12) == b[i].left(12) && std::fabs(x - y) <= 5e-4 * std::fabs(y),
                 a[i] + " / " + b[i]);
    }
}

void TestCliMeasure::repeatSet()
{
    QVERIFY(m_sim->start(link(), {"--fast", "--noise", "1", "--seed", "7"}));
    const cli::Result r = cli::run(
        {"measure", "--json", "--port", link(), "--band", "4", "-o", output(), "--repeat", "3"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.errText(), QString("velo2-cli measure: sweep 1 of 3\nvelo2-cli measure: sweep 2 of "
                                  "3\nvelo2-cli measure: sweep 3 of 3\n"));
    QTRY_COMPARE(m_sim->commands().count("M4"), 3);
    const QJsonObject repeats = r.json().object()["repeats"].toObject();
    QCOMPARE(repeats["file"].toString(), repeatFilePath(output()));
    QCOMPARE(repeats["sweeps"].toInt(), 3);
    QCOMPARE(repeats["planned"].toInt(), 3);
    QCOMPARE(repeats["partial"].toBool(true), false);
    QVERIFY(repeats["sdOhmPctMax"].toDouble() > 0.5); // 1 % noise

    // The sweeps read back, and the data file beside them holds their mean.
    RepeatSet set;
    QVERIFY(readRepeatFile(repeatFilePath(output()), set).ok());
    QCOMPARE(set.count(), 3);
    QVERIFY(!set.isPartial());
    QCOMPARE(set.serial(), QByteArray("0123"));
    const auto loaded = cli::load(output());
    QVERIFY(loaded);
    QCOMPARE(loaded->record.band, 4);
    const std::vector<RepeatPoint> stats = set.statistics();
    for (int k = 0; k < bandPointCount(4); ++k)
        QVERIFY(std::fabs(loaded->raw.r[bandFirstIndex(4) + k] - stats[size_t(k)].ohm) <= 0.0051);
}

void TestCliMeasure::repeatEndsEarly_data()
{
    QTest::addColumn<bool>("unitDies"); // else Ctrl-C
    QTest::newRow("Ctrl-C") << false;
    QTest::newRow("unit dies") << true;
}

void TestCliMeasure::repeatEndsEarly()
{
    QFETCH(bool, unitDies);
    // Paced, a sweep of band 3 takes about two seconds: the end comes in the second one.
    QVERIFY(m_sim->start(link()));
    TerminalRun run;
    QVERIFY(
        run.start({"measure", "--port", link(), "--band", "3", "-o", output(), "--repeat", "3"}));
    QTRY_VERIFY_WITH_TIMEOUT(run.screen().contains("20/92  sweep 2 of 3"), 20000);
    if (unitDies)
        m_sim->process().kill();
    else
        ::kill(pid_t(run.process().processId()), SIGINT);
    QVERIFY(run.finish(20000));
    const QString screen = QString::fromUtf8(run.screen());
    const QString written = " written to " + output() + " as a partial set\n";
    if (unitDies) {
        QCOMPARE(run.process().exitCode(), 1);
        QVERIFY2(screen.contains("sweep 2 of 3: receive error after ") &&
                     screen.endsWith("; the sweep before it was" + written),
                 qPrintable(screen.right(200)));
    } else {
        QCOMPARE(run.process().exitStatus(), QProcess::CrashExit);
        QVERIFY2(screen.endsWith("stopped in sweep 2 of 3; the unit was released and what was "
                                 "measured was" +
                                 written),
                 qPrintable(screen.right(200)));
        QTRY_COMPARE(commandsAfter(m_sim->commands(), "M3"), QStringList{"ME"});
    }
    QVERIFY(run.process().readAllStandardOutput().contains("\n  partial    yes\n"));

    // The first sweep whole; a stop keeps the second one's points up to where it ended.
    RepeatSet set;
    QVERIFY(readRepeatFile(repeatFilePath(output()), set).ok());
    QCOMPARE(set.planned(), 3);
    QVERIFY(set.isPartial());
    QCOMPARE(set.count(), unitDies ? 1 : 2);
    QVERIFY(set.sweeps().front().complete());
    if (!unitDies)
        QVERIFY(set.sweeps().back().measured >= 20 && set.sweeps().back().measured < 92);
    QVERIFY(cli::load(output()));
}

void TestCliMeasure::repeatFileIsAFolder()
{
    // Found out before the sweeps start, as a data file that cannot be written.
    QVERIFY(m_sim->start(link(), {"--fast"}));
    QVERIFY(QDir().mkdir(repeatFilePath(output())));
    const cli::Result r =
        cli::run({"measure", "--port", link(), "--band", "3", "-o", output(), "--repeat", "2"});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.errText(),
             "velo2-cli measure: " + repeatFilePath(output()) + ": is a folder, not a file\n");
    QCOMPARE(m_sim->commands(), QStringList());
    QVERIFY(!QFileInfo::exists(output()));
}

QTEST_GUILESS_MAIN(TestCliMeasure)
#include "tst_cli_measure.moc"
