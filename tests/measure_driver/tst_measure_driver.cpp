#include "PtyPair.h"
#include "core/files/AppPaths.h"
#include "core/measure/PortResolver.h"
#include "core/measure/TCommPortDriver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/ioctl.h>
#include <thread>

namespace {

// Time-out checks only bound from below tightly; the upper bound leaves room for a busy machine.
constexpr qint64 kSlack = 1500;

bool isRoot()
{
    return ::geteuid() == 0;
}

} // namespace

class TestMeasureDriver : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void defaults();
    void baudRateTable_data();
    void baudRateTable();
    void portSetterRules();
    void baudRateSetters();
    void queueSizeClamps_data();
    void queueSizeClamps();
    void pollingDelay_data();
    void pollingDelay();
    void closedPortResults();

    void connectMissingDevice();
    void connectNotATerminal();
    void connectPty();
    void connectTwice();
    void secondDriverIsRefused();
    void reconnectAfterDisconnect();
    void disconnectRestoresTheTerminal();
    void permissionDenied();
    void refusedWhileOpen();
    void lineSettingsApplied_data();
    void lineSettingsApplied();
    void rejectedSettingsClosePort();
    void reapplyPurges();
    void modemLinesOnPtyFailQuietly();
    void pollingTimerReadsNothing();
    void setHandle();

    void readNothingTimesOut();
    void readPartialAfterTotalTimeout();
    void readCompletesEarly();
    void readTimeoutIsTotalNotInactivity();
    void readInTimeLeavesInputTimeout();
    void readData2();
    void readAll();
    void sendZString();
    void sendInactivityTimeout();
    void sendKeepsGoingWhileDraining();
    void flushDiscardsInput();

    void portNames_data();
    void portNames();
    void resolverSettingsEntry();
    void resolverDanglingEntryDoesNotFallBack();
    void resolverMachinePortOrder();
    void connectThroughSettingsEntry();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMeasureDriver::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    setSettingsDirectoryOverride(m_dir->path());
}

void TestMeasureDriver::defaults()
{
    TCommPortDriver d;
    QCOMPARE(d.Port(), pnCOM1);
    QCOMPARE(d.PortName(), QStringLiteral("COM1"));
    QCOMPARE(d.BaudRate(), br9600);
    QCOMPARE(d.BaudRateValue(), 9600u);
    QCOMPARE(d.DataBits(), db8BITS);
    QCOMPARE(d.StopBits(), sb1BITS);
    QCOMPARE(d.Parity(), ptNONE);
    QCOMPARE(d.HwFlow(), hfNONERTSON);
    QCOMPARE(d.SwFlow(), sfNONE);
    QCOMPARE(d.InBufSize(), 2048u);
    QCOMPARE(d.OutBufSize(), 2048u);
    QCOMPARE(d.PollingDelay(), quint16(100));
    QCOMPARE(d.EnableDTROnOpen(), true);
    QCOMPARE(d.OutputTimeout(), quint16(500));
    QCOMPARE(d.InputTimeout(), 100u);
    QCOMPARE(d.CheckLineStatus(), false);
    QVERIFY(!d.Connected());
    QCOMPARE(d.DeviceHandle(), TCommPortDriver::kInvalidHandle);
    QVERIFY(!d.PollingActive());
}

void TestMeasureDriver::baudRateTable_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<quint32>("bps");
    const quint32 table[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                             14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    for (int i = 0; i < 16; ++i)
        QTest::addRow("%u", table[i]) << i << table[i];
    QTest::newRow("beyond the table") << 16 << 0u;
}

void TestMeasureDriver::baudRateTable()
{
    QFETCH(int, rate);
    QFETCH(quint32, bps);
    QCOMPARE(BaudRateOf(TBaudRate(rate)), bps);
}

void TestMeasureDriver::portSetterRules()
{
    TCommPortDriver d;
    d.SetPort(pnCOM12);
    QCOMPARE(d.Port(), pnCOM12);
    QCOMPARE(d.PortName(), QStringLiteral("COM12"));
    d.SetPort(TPortNumber(200)); // any one-byte number is formatted the same way
    QCOMPARE(d.PortName(), QStringLiteral("COM200"));
    d.SetPort(pnCustom);
    QCOMPARE(d.Port(), pnCustom);
    QCOMPARE(d.PortName(), QStringLiteral("COM200"));
    d.SetPortName(QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(d.Port(), pnCustom);
    QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyUSB7"));
    d.SetPort(pnCOM3);
    QCOMPARE(d.PortName(), QStringLiteral("COM3"));
}

void TestMeasureDriver::baudRateSetters()
{
    TCommPortDriver d;
    d.SetBaudRate(br115200);
    QCOMPARE(d.BaudRateValue(), 115200u);
    d.SetBaudRate(br9600);
    QCOMPARE(d.BaudRateValue(), 9600u);
    QVERIFY(!d.Connected());
    d.SetBaudRateValue(31250);
    QCOMPARE(d.BaudRate(), brCustom);
    QCOMPARE(d.BaudRateValue(), 31250u);
    d.SetBaudRate(brCustom); // keeps the custom value
    QCOMPARE(d.BaudRateValue(), 31250u);
}

void TestMeasureDriver::queueSizeClamps_data()
{
    QTest::addColumn<quint32>("set");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("huge") << 100000u << 8192u;
    QTest::newRow("tiny") << 10u << 128u;
    QTest::newRow("zero") << 0u << 128u;
    QTest::newRow("lowest") << 128u << 128u;
    QTest::newRow("highest") << 8192u << 8192u;
    QTest::newRow("one above") << 8193u << 8192u;
    QTest::newRow("inside") << 4000u << 4000u;
}

void TestMeasureDriver::queueSizeClamps()
{
    QFETCH(quint32, set);
    QFETCH(quint32, expected);
    TCommPortDriver d;
    d.SetInBufSize(set);
    d.SetOutBufSize(set);
    QCOMPARE(d.InBufSize(), expected);
    QCOMPARE(d.OutBufSize(), expected);
}

void TestMeasureDriver::pollingDelay_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("expected");
    QTest::newRow("0") << 0 << 5;
    QTest::newRow("1") << 1 << 5;
    QTest::newRow("4") << 4 << 5;
    QTest::newRow("5") << 5 << 5;
    QTest::newRow("250") << 250 << 250;
}

void TestMeasureDriver::pollingDelay()
{
    QFETCH(int, set);
    QFETCH(int, expected);
    TCommPortDriver d;
    d.SetPollingDelay(quint16(set));
    QCOMPARE(int(d.PollingDelay()), expected);
}

void TestMeasureDriver::closedPortResults()
{
    TCommPortDriver d;
    char buffer[8] = {};
    QVERIFY(!d.FlushBuffers(true, true));
    QVERIFY(!d.ApplyCOMSettings());
    QCOMPARE(d.CountRX(), 65535u);
    QCOMPARE(d.OutFreeSpace(), quint16(65535));
    QCOMPARE(d.GetLineStatus(), TLineStatusSet(0));
    QCOMPARE(d.ReadData(buffer, 4), 0u);
    QCOMPARE(d.ReadData_All(buffer), 0u);
    QCOMPARE(d.SendData("ab", 2), 0u);
    QVERIFY(!d.SendZString("?\r"));
    QVERIFY(d.SendZString(""));
    QVERIFY(!d.SendByte(1));
    quint8 b = 0;
    QVERIFY(!d.ReadByte(b));
    // ReadData2 leaves the time-out alone on a closed port; ReadData_inTime stores it anyway.
    QCOMPARE(d.ReadData2(buffer, 4, 700), 0u);
    QCOMPARE(d.InputTimeout(), 100u);
    QCOMPARE(d.ReadData_inTime(buffer, 4, 700), 0u);
    QCOMPARE(d.InputTimeout(), 700u);
    d.Disconnect(); // nothing to do
    QVERIFY(!d.Connected());
}

void TestMeasureDriver::connectMissingDevice()
{
    TCommPortDriver d;
    d.SetPortName(m_dir->filePath(QStringLiteral("no-such-device")));
    QVERIFY(!d.Connect());
    QVERIFY(!d.Connected());
    QVERIFY(!d.PollingActive());
    QCOMPARE(d.LastOpenError(), ENOENT);

    // "COM0" is a port number that resolves to nothing, even with a file of that name in the
    // working directory.
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QFile cwdFile(QStringLiteral("COM0"));
    QVERIFY(cwdFile.open(QIODevice::WriteOnly));
    cwdFile.close();
    d.SetPortName(QStringLiteral("COM0"));
    const bool connected = d.Connect();
    QDir::setCurrent(previous);
    QVERIFY(!connected);
    QCOMPARE(d.LastOpenError(), ENOENT);

    // A number that nothing answers to.
    d.SetPort(TPortNumber(250));
    QVERIFY(!d.Connect());
    QCOMPARE(d.LastOpenError(), ENOENT);
    QVERIFY(d.DevicePath().isEmpty());
}

void TestMeasureDriver::connectNotATerminal()
{
    const QString path = m_dir->filePath(QStringLiteral("plain-file"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    TCommPortDriver d;
    d.SetPortName(path);
    QVERIFY(!d.Connect()); // the line settings are refused
    QVERIFY(!d.Connected());
    QVERIFY(!d.PollingActive());
    QVERIFY(d.LastOpenError() != 0);
}

void TestMeasureDriver::connectPty()
{
    PtyPair pty;
    QVERIFY(pty.isOpen());
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    QVERIFY(d.Connected());
    QVERIFY(d.PollingActive());
    QCOMPARE(d.LastOpenError(), 0);
    QCOMPARE(d.OutFreeSpace(), quint16(2048));
    QCOMPARE(d.CountRX(), 0u);
    d.Disconnect();
    QVERIFY(!d.Connected());
    QVERIFY(!d.PollingActive());
}

void TestMeasureDriver::connectTwice()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    const int handle = d.DeviceHandle();
    QVERIFY(pty.send("xyz"));
    QTRY_COMPARE(d.CountRX(), 3u);
    // Neither reopened nor re-applied: a re-apply would have purged the waiting bytes.
    QVERIFY(d.Connect());
    QCOMPARE(d.DeviceHandle(), handle);
    QCOMPARE(d.CountRX(), 3u);
}

void TestMeasureDriver::secondDriverIsRefused()
{
    PtyPair pty;
    TCommPortDriver first;
    TCommPortDriver second;
    first.SetPortName(pty.slavePath());
    second.SetPortName(pty.slavePath());
    QVERIFY(first.Connect());
    QVERIFY(!second.Connect());
    QCOMPARE(second.LastOpenError(), EBUSY);
    QVERIFY(!second.PollingActive());
    first.Disconnect();
    QVERIFY(second.Connect());
}

void TestMeasureDriver::reconnectAfterDisconnect()
{
    // The far end keeps the terminal open, so its exclusive flag would outlive our descriptor
    // unless Disconnect clears it.
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    for (int i = 0; i < 3; ++i) {
        QVERIFY(d.Connect());
        QVERIFY(d.SendZString("?\r"));
        QCOMPARE(pty.receive(), QByteArray("?\r"));
        d.Disconnect();
    }
    int exclusive = 0;
    QCOMPARE(::ioctl(pty.slave(), TIOCGEXCL, &exclusive), 0);
    QCOMPARE(exclusive, 0);
}

void TestMeasureDriver::disconnectRestoresTheTerminal()
{
    // A terminal as a shell leaves it: line editing, echo, another speed.
    PtyPair pty;
    termios shell{}, after{};
    QCOMPARE(::tcgetattr(pty.slave(), &shell), 0);
    shell.c_lflag |= ICANON | ECHO;
    ::cfsetspeed(&shell, B19200);
    QCOMPARE(::tcsetattr(pty.slave(), TCSANOW, &shell), 0);
    QCOMPARE(::tcgetattr(pty.slave(), &shell), 0);
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    d.Disconnect();
    QCOMPARE(::tcgetattr(pty.slave(), &after), 0);
    QVERIFY(std::memcmp(&after, &shell, sizeof shell) == 0);
}

void TestMeasureDriver::permissionDenied()
{
    if (isRoot())
        QSKIP("root opens any device");
    const QString path = m_dir->filePath(QStringLiteral("locked"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(f.setPermissions(QFileDevice::Permissions()));
    TCommPortDriver d;
    d.SetPortName(path);
    QVERIFY(!d.Connect());
    QCOMPARE(d.LastOpenError(), EACCES);
}

void TestMeasureDriver::refusedWhileOpen()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    d.SetPort(pnCOM5);
    QCOMPARE(d.Port(), pnCustom);
    QCOMPARE(d.PortName(), pty.slavePath());
    d.SetPortName(QStringLiteral("/dev/null"));
    QCOMPARE(d.PortName(), pty.slavePath());
    d.SetInBufSize(4096);
    d.SetOutBufSize(4096);
    QCOMPARE(d.InBufSize(), 2048u);
    QCOMPARE(d.OutBufSize(), 2048u);
    // The polling delay is taken over at once.
    d.SetPollingDelay(40);
    QCOMPARE(d.PollingDelay(), quint16(40));
    QVERIFY(d.PollingActive());
    QTimer *timer = d.findChild<QTimer *>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 40);
}

void TestMeasureDriver::lineSettingsApplied_data()
{
    // A pseudo-terminal always keeps 8 data bits without parity, so those rows stay 8N.
    QTest::addColumn<int>("stopBits");
    QTest::addColumn<int>("swFlow");
    QTest::addColumn<int>("hwFlow");
    QTest::addColumn<uint>("cflagSet");
    QTest::addColumn<uint>("cflagClear");
    QTest::newRow("8N1") << int(sb1BITS) << int(sfNONE) << int(hfNONERTSON) << uint(CS8)
                         << uint(PARENB | CSTOPB | CRTSCTS);
    QTest::newRow("8N2") << int(sb2BITS) << int(sfNONE) << int(hfNONE) << uint(CS8 | CSTOPB)
                         << uint(PARENB | CRTSCTS);
    QTest::newRow("1.5 stop bits")
        << int(sb1HALFBITS) << int(sfNONE) << int(hfNONE) << uint(CSTOPB) << uint(CRTSCTS);
    QTest::newRow("rts/cts") << int(sb1BITS) << int(sfNONE) << int(hfRTSCTS) << uint(CRTSCTS)
                             << uint(CSTOPB);
    QTest::newRow("xon/xoff") << int(sb1BITS) << int(sfXONXOFF) << int(hfNONERTSON) << uint(CS8)
                              << uint(CRTSCTS);
}

void TestMeasureDriver::lineSettingsApplied()
{
    QFETCH(int, stopBits);
    QFETCH(int, swFlow);
    QFETCH(int, hwFlow);
    QFETCH(uint, cflagSet);
    QFETCH(uint, cflagClear);
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    d.SetStopBits(TStopBits(stopBits));
    d.SetSwFlowControl(TSwFlowControl(swFlow));
    d.SetHwFlowControl(THwFlowControl(hwFlow));
    QVERIFY(d.Connect());
    struct termios tio;
    QCOMPARE(::tcgetattr(d.DeviceHandle(), &tio), 0);
    QCOMPARE(uint(tio.c_cflag & cflagSet), cflagSet);
    QCOMPARE(uint(tio.c_cflag & cflagClear), 0u);
    QVERIFY(tio.c_cflag & CLOCAL);
    QVERIFY(tio.c_cflag & CREAD);
    QCOMPARE(::cfgetospeed(&tio), speed_t(B9600));
    QCOMPARE(bool(tio.c_iflag & IXON), swFlow == sfXONXOFF);
    QCOMPARE(bool(tio.c_iflag & IXOFF), swFlow == sfXONXOFF);
    QCOMPARE(int(tio.c_cc[VSTART]), 0x11);
    QCOMPARE(int(tio.c_cc[VSTOP]), 0x13);
    QCOMPARE(tio.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(0));
    QCOMPARE(tio.c_oflag & OPOST, tcflag_t(0));
    QCOMPARE(int(tio.c_cc[VMIN]), 0);
    QCOMPARE(int(tio.c_cc[VTIME]), 0);

    // Changes while open go to the device at once.
    d.SetBaudRate(br19200);
    QCOMPARE(::tcgetattr(d.DeviceHandle(), &tio), 0);
    QCOMPARE(::cfgetospeed(&tio), speed_t(B19200));
    d.SetBaudRateValue(14400); // no Bxxx constant for this one
    QVERIFY(d.ApplyCOMSettings());
    d.SetBaudRateValue(0);
    QVERIFY(!d.ApplyCOMSettings());
    QVERIFY(d.Connected()); // a refused re-apply leaves the port open
}

void TestMeasureDriver::rejectedSettingsClosePort()
{
    // A bit rate of 0 is refused by the line settings; Connect must close the device again.
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    d.SetBaudRate(brCustom);
    QCOMPARE(d.BaudRateValue(), 9600u);
    d.SetBaudRateValue(0);
    QVERIFY(!d.Connect());
    QVERIFY(!d.Connected());
    QVERIFY(!d.PollingActive());
    QCOMPARE(d.DeviceHandle(), TCommPortDriver::kInvalidHandle);
    d.SetBaudRate(br9600);
    QVERIFY(d.Connect()); // nothing was left locked behind
}

void TestMeasureDriver::reapplyPurges()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    QVERIFY(pty.send("stale"));
    QTRY_COMPARE(d.CountRX(), 5u);
    d.SetStopBits(sb2BITS);
    QCOMPARE(d.CountRX(), 0u);
}

void TestMeasureDriver::modemLinesOnPtyFailQuietly()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    d.ToggleDTR(false);
    d.ToggleRTS(false);
    d.ToggleDTR(true);
    d.ToggleRTS(true);
    QCOMPARE(d.GetLineStatus(), TLineStatusSet(0));
    QVERIFY(d.Connected());
    QVERIFY(d.SendZString("ok"));
    QCOMPARE(pty.receive(), QByteArray("ok"));
}

void TestMeasureDriver::pollingTimerReadsNothing()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    d.SetPollingDelay(10);
    QVERIFY(d.Connect());
    QTimer *timer = d.findChild<QTimer *>();
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 10);
    QVERIFY(pty.send("kept"));
    QTRY_COMPARE(d.CountRX(), 4u);
    QSignalSpy ticks(timer, &QTimer::timeout);
    QTRY_VERIFY(ticks.count() >= 3);
    QCOMPARE(d.CountRX(), 4u);
    char buffer[4];
    QCOMPARE(d.ReadData(buffer, 4), 4u);
    QCOMPARE(QByteArray(buffer, 4), QByteArray("kept"));
}

void TestMeasureDriver::setHandle()
{
    PtyPair pty;
    const int fd = ::open(QFile::encodeName(pty.slavePath()).constData(),
                          O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    QVERIFY(fd >= 0);
    TCommPortDriver d;
    d.SetHandle(fd);
    QVERIFY(d.Connected());
    QVERIFY(d.PollingActive());
    QCOMPARE(d.DeviceHandle(), fd);
    d.SetHandle(fd); // the same handle: nothing
    QVERIFY(d.Connected());
    d.SetHandle(TCommPortDriver::kDetachHandle);
    QVERIFY(!d.Connected());
    QVERIFY(!d.PollingActive());
    QVERIFY(::fcntl(fd, F_GETFD) != -1); // detached, not closed
    d.SetHandle(fd);
    d.SetHandle(TCommPortDriver::kInvalidHandle); // disconnects, which closes it
    QVERIFY(!d.Connected());
    QCOMPARE(::fcntl(fd, F_GETFD), -1);
}

void TestMeasureDriver::readNothingTimesOut()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    char buffer[19];
    QElapsedTimer t;
    t.start();
    QCOMPARE(d.ReadData(buffer, 19), 0u);
    QVERIFY2(t.elapsed() >= 100, qPrintable(QString::number(t.elapsed())));
    QVERIFY2(t.elapsed() < 100 + kSlack, qPrintable(QString::number(t.elapsed())));
}

void TestMeasureDriver::readPartialAfterTotalTimeout()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    d.SetInputTimeout(200);
    QVERIFY(pty.send("0123456"));
    QTRY_COMPARE(d.CountRX(), 7u);
    char buffer[19];
    QElapsedTimer t;
    t.start();
    QCOMPARE(d.ReadData(buffer, 19), 7u);
    QVERIFY(t.elapsed() >= 200);
    QVERIFY(t.elapsed() < 200 + kSlack);
    QCOMPARE(QByteArray(buffer, 7), QByteArray("0123456"));
}

void TestMeasureDriver::readCompletesEarly()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    d.SetInputTimeout(5000);
    std::thread writer([&pty] {
        ::usleep(30000);
        pty.send("0123456");
        ::usleep(30000);
        pty.send("789abcdefghi");
    });
    char buffer[19];
    QElapsedTimer t;
    t.start();
    const quint32 n = d.ReadData(buffer, 19);
    const qint64 elapsed = t.elapsed();
    writer.join();
    QCOMPARE(n, 19u);
    QCOMPARE(QByteArray(buffer, 19), QByteArray("0123456789abcdefghi"));
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
}

void TestMeasureDriver::readTimeoutIsTotalNotInactivity()
{
    // Bytes keep trickling in, but the call still ends once the time-out has passed since it
    // began and nothing is waiting.
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    d.SetInputTimeout(300);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        while (!stop) {
            pty.send("x");
            ::usleep(50000);
        }
    });
    char buffer[1000];
    QElapsedTimer t;
    t.start();
    const quint32 n = d.ReadData(buffer, sizeof buffer);
    const qint64 elapsed = t.elapsed();
    stop = true;
    writer.join();
    QVERIFY(n >= 2);
    QVERIFY(n < sizeof buffer);
    QVERIFY2(elapsed >= 300 && elapsed < 300 + kSlack, qPrintable(QString::number(elapsed)));
}

void TestMeasureDriver::readInTimeLeavesInputTimeout()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    char buffer[4];
    QCOMPARE(d.ReadData_inTime(buffer, 4, 300), 0u);
    QCOMPARE(d.InputTimeout(), 300u);
    QElapsedTimer t;
    t.start();
    QCOMPARE(d.ReadData(buffer, 4), 0u);
    QVERIFY(t.elapsed() >= 300);
    QVERIFY(t.elapsed() < 300 + kSlack);
}

void TestMeasureDriver::readData2()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    QVERIFY(pty.send("HKA2\r"));
    char buffer[6];
    QElapsedTimer t;
    t.start();
    QCOMPARE(d.ReadData2(buffer, 6, 150), 5u); // waits out the time-out for a sixth byte
    QVERIFY(t.elapsed() >= 150);
    QCOMPARE(d.InputTimeout(), 150u);
    QCOMPARE(QByteArray(buffer, 5), QByteArray("HKA2\r"));
}

void TestMeasureDriver::readAll()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    char buffer[64];
    QCOMPARE(d.ReadData_All(buffer), 0u);
    QVERIFY(pty.send("abcdef"));
    QTRY_COMPARE(d.CountRX(), 6u);
    QCOMPARE(d.ReadData_All(buffer), 6u);
    QCOMPARE(QByteArray(buffer, 6), QByteArray("abcdef"));
    QCOMPARE(d.CountRX(), 0u);
}

void TestMeasureDriver::sendZString()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    QVERIFY(d.SendZString(""));
    QVERIFY(d.SendZString(nullptr));
    QCOMPARE(pty.receive(), QByteArray());
    QVERIFY(d.SendZString("SN?\r"));
    QVERIFY(d.SendString(QByteArray("M2\r")));
    QVERIFY(d.SendChar('x'));
    QVERIFY(d.SendByte(0x0D));
    QCOMPARE(pty.receive(), QByteArray("SN?\rM2\rx\r"));
}

void TestMeasureDriver::sendInactivityTimeout()
{
    // Nobody reads the far end: once the terminal is full, the send gives up after its
    // time-out with what it got rid of.
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    const QByteArray data(1 << 20, 'a');
    QElapsedTimer t;
    t.start();
    const quint32 sent = d.SendDataEx(data.constData(), quint32(data.size()), 150);
    const qint64 elapsed = t.elapsed();
    QVERIFY(sent > 0);
    QVERIFY(sent < quint32(data.size()));
    QVERIFY2(elapsed >= 150 && elapsed < 150 + kSlack, qPrintable(QString::number(elapsed)));
}

void TestMeasureDriver::sendKeepsGoingWhileDraining()
{
    // The far end drains a little every 60 ms, more often than the 200 ms time-out, so the
    // send keeps going far beyond one time-out period until everything is out.
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    const QByteArray data(256 * 1024, 'b');
    std::atomic<bool> stop{false};
    std::atomic<qint64> drained{0};
    std::thread reader([&] {
        char buffer[16384];
        while (!stop) {
            ::usleep(60000);
            ssize_t n;
            while ((n = ::read(pty.master(), buffer, sizeof buffer)) > 0) {
                drained += n;
                if (n < ssize_t(sizeof buffer))
                    break;
            }
        }
    });
    QElapsedTimer t;
    t.start();
    const quint32 sent = d.SendDataEx(data.constData(), quint32(data.size()), 200);
    const qint64 elapsed = t.elapsed();
    QTRY_COMPARE(drained.load(), qint64(data.size()));
    stop = true;
    reader.join();
    QCOMPARE(sent, quint32(data.size()));
    QVERIFY2(elapsed > 200, qPrintable(QString::number(elapsed)));
}

void TestMeasureDriver::flushDiscardsInput()
{
    PtyPair pty;
    TCommPortDriver d;
    d.SetPortName(pty.slavePath());
    QVERIFY(d.Connect());
    QVERIFY(pty.send("0123456789"));
    QTRY_COMPARE(d.CountRX(), 10u);
    QVERIFY(d.FlushBuffers(true, false));
    QCOMPARE(d.CountRX(), 0u);
    QVERIFY(d.FlushBuffers(false, true));
    QVERIFY(d.FlushBuffers(true, true));
    QVERIFY(d.FlushBuffers(false, false));
}

void TestMeasureDriver::portNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number"); // -1: not a port name
    QTest::newRow("COM1") << "COM1" << 1;
    QTest::newRow("COM12") << "COM12" << 12;
    QTest::newRow("COM256") << "COM256" << 256;
    QTest::newRow("COM0") << "COM0" << 0;
    QTest::newRow("lower case") << "com3" << -1;
    QTest::newRow("no number") << "COM" << -1;
    QTest::newRow("trailing text") << "COM3a" << -1;
    QTest::newRow("negative") << "COM-1" << -1;
    QTest::newRow("blank") << "COM 3" << -1;
    QTest::newRow("a path") << "/dev/COM3" << -1;
    QTest::newRow("device") << "/dev/ttyUSB0" << -1;
}

void TestMeasureDriver::portNames()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    int parsed = -1;
    QCOMPARE(portNumberFromName(name, &parsed), number >= 0);
    if (number >= 0) {
        QCOMPARE(parsed, number);
        QCOMPARE(portNameForNumber(number), name);
    }
}

void TestMeasureDriver::resolverSettingsEntry()
{
    PtyPair pty;
    const QString entry = m_dir->filePath(QStringLiteral("COM3"));
    QVERIFY(QFile::link(pty.slavePath(), entry));
    const PortResolution r = resolvePort(3);
    QCOMPARE(r.origin, PortResolution::SettingsEntry);
    QCOMPARE(r.path, entry);
    QCOMPARE(r.target, pty.slavePath());
    QVERIFY(r.present);
    QCOMPARE(resolvePortDevice(3), entry);
    QCOMPARE(describePort(3), QStringLiteral("COM3 → ") + pty.slavePath());
    // A link to a link (as /dev/serial/by-id holds them) shows both.
    const QString byId = m_dir->filePath(QStringLiteral("by-id"));
    QVERIFY(QFile::link(pty.slavePath(), byId) && QFile::link(byId, m_dir->filePath("COM4")));
    QCOMPARE(describePort(4), QStringLiteral("COM4 → ") + byId + " → " + pty.slavePath());
    QVERIFY(describePort(250).isEmpty());
    QCOMPARE(resolvePort(250).origin, PortResolution::None);
}

void TestMeasureDriver::resolverDanglingEntryDoesNotFallBack()
{
    const QString entry = m_dir->filePath(QStringLiteral("COM1"));
    QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("unplugged")), entry));
    const PortResolution r = resolvePort(1);
    QCOMPARE(r.origin, PortResolution::SettingsEntry);
    QVERIFY(!r.present);
    QCOMPARE(describePort(1),
             "COM1 → " + m_dir->filePath(QStringLiteral("unplugged")) + "（見つかりません）");
    TCommPortDriver d;
    QVERIFY(!d.Connect());
    QCOMPARE(d.DevicePath(), entry);
    QCOMPARE(d.LastOpenError(), ENOENT);
}

void TestMeasureDriver::resolverMachinePortOrder()
{
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath(QStringLiteral("dev")));
    for (const char *name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyS2", "ttyS10",
                             "ttyUSBx", "tty0"}) {
        QFile f(dir.filePath(QStringLiteral("dev/") + QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    auto sysPort = [&](const char *name, const char *type) {
        const QString base = QStringLiteral("sys/") + QLatin1String(name);
        QVERIFY(dir.mkpath(base + QStringLiteral("/device")));
        if (type) {
            QFile f(dir.filePath(base + QStringLiteral("/type")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(type);
        }
    };
    sysPort("ttyS0", "4\n");    // a 16550A
    sysPort("ttyS1", "0\n");    // nothing at that address
    sysPort("ttyS10", nullptr); // no type reported: the device counts
    // ttyS2 has no device at all
    const QString dev = dir.filePath(QStringLiteral("dev"));
    const QStringList ports = machineSerialPorts(dev, dir.filePath(QStringLiteral("sys")));
    const QStringList expected = {dev + "/ttyUSB2", dev + "/ttyUSB10", dev + "/ttyACM0",
                                  dev + "/ttyS0", dev + "/ttyS10"};
    QCOMPARE(ports, expected);
}

void TestMeasureDriver::connectThroughSettingsEntry()
{
    PtyPair pty;
    QVERIFY(QFile::link(pty.slavePath(), m_dir->filePath(QStringLiteral("COM7"))));
    TCommPortDriver d;
    d.SetPort(pnCOM7);
    QVERIFY(d.Connect());
    QCOMPARE(d.DevicePath(), m_dir->filePath(QStringLiteral("COM7")));
    QVERIFY(d.SendZString("?\r"));
    QCOMPARE(pty.receive(), QByteArray("?\r"));
}

QTEST_GUILESS_MAIN(TestMeasureDriver)
#include "tst_measure_driver.moc"
