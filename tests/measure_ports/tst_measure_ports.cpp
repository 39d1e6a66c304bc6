#include "FakeSerialTree.h"
#include "core/measure/SerialPortDiscovery.h"
#include "core/measure/SerialPortTexts.h"

#include <QTemporaryDir>
#include <QtTest>

class TestMeasurePorts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void ports_data();
    void ports();
    void description();

private:
    QList<SerialPortInfo> discover(const QString &user) const
    {
        return SerialPortDiscovery(m_root.path(), m_settings.path(), m_tree->user(user)).ports();
    }

    QTemporaryDir m_root;
    QTemporaryDir m_settings;
    std::unique_ptr<FakeSerialTree> m_tree;
};

void TestMeasurePorts::initTestCase()
{
    m_tree = std::make_unique<FakeSerialTree>(m_root.path());
    // COM5 names the FTDI adapter by its stable name; COM3 is taken by a simulator's terminal.
    QVERIFY(QFile::link("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                        m_settings.filePath("COM5")));
    QVERIFY(QFile::link("/dev/pts/9", m_settings.filePath("COM3")));
}

void TestMeasurePorts::ports_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("byId");
    QTest::addColumn<QString>("usbId");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<int>("com");
    QTest::addColumn<int>("origin");
    QTest::addColumn<bool>("mayOpen");
    QTest::addColumn<QString>("holders");
    QTest::addColumn<QString>("hints");
    const QString ch340 = "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0";
    QTest::newRow("CH340, not in dialout, brltty running")
        << "ada" << 0 << "/dev/ttyUSB0" << ch340 << "1a86:7523"
        << "ch341-uart" << 1 << int(SerialPortInfo::MachineOrder) << false << ""
        << "dialout brltty modemmanager";
    QTest::newRow("CH340, joined dialout after login")
        << "bob" << 0 << "/dev/ttyUSB0" << ch340 << "1a86:7523"
        << "ch341-uart" << 1 << int(SerialPortInfo::MachineOrder) << false << ""
        << "relogin brltty modemmanager";
    QTest::newRow("CH340, in dialout")
        << "cy" << 0 << "/dev/ttyUSB0" << ch340 << "1a86:7523"
        << "ch341-uart" << 1 << int(SerialPortInfo::MachineOrder) << true << ""
        << "brltty modemmanager";
    QTest::newRow("FTDI held by minicom, linked as COM5")
        << "ada" << 1 << "/dev/ttyUSB1"
        << "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"
        << "0403:6001"
        << "ftdi_sio" << 5 << int(SerialPortInfo::Link) << true << "minicom 4242"
        << "modemmanager";
    QTest::newRow("Arduino locked, its number taken by a link")
        << "ada" << 2 << "/dev/ttyACM0"
        << "/dev/serial/by-id/usb-Arduino__www.arduino.cc__0043_8573-if00"
        << "2341:0043"
        << "cdc_acm" << 0 << int(SerialPortInfo::NoCom) << false << "screen 777"
        << "dialout modemmanager";
    QTest::newRow("built-in UART")
        << "ada" << 3 << "/dev/ttyS0"
        << ""
        << ":"
        << "serial8250" << 4 << int(SerialPortInfo::MachineOrder) << false << ""
        << "dialout";
    QTest::newRow("CP2102 taken by brltty, no port")
        << "ada" << 4 << ""
        << ""
        << "10c4:ea60"
        << "usbfs" << 0 << int(SerialPortInfo::NoCom) << false << ""
        << "brltty";
}

void TestMeasurePorts::ports()
{
    QFETCH(QString, user);
    QFETCH(int, index);
    const QList<SerialPortInfo> ports = discover(user);
    QCOMPARE(ports.size(), 5); // ttyS1 has no UART
    const SerialPortInfo &p = ports.at(index);
    QTEST(p.path, "path");
    QTEST(p.byId, "byId");
    QTEST(p.vendorId + ':' + p.productId, "usbId");
    QTEST(p.driver, "driver");
    QTEST(p.comNumber, "com");
    QTEST(int(p.comOrigin), "origin");
    QTEST(p.mayOpen, "mayOpen");
    QStringList holders, hints;
    for (const SerialHolder &h : p.holders)
        holders << QStringLiteral("%1 %2").arg(h.name).arg(h.pid);
    for (const SerialHint &h : p.hints)
        hints << serialHintCode(h.code);
    QTEST(holders.join(' '), "holders");
    QTEST(hints.join(' '), "hints");
    QCOMPARE(portIndexForNumber(ports, p.comNumber), p.comNumber > 0 ? index : -1);
}

void TestMeasurePorts::description()
{
    const SerialPortInfo p = discover("ada").at(1);
    QCOMPARE(describeSerialPort(p),
             QStringLiteral("/dev/ttyUSB1  COM5 (link)\n"
                            "  stable name  "
                            "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\n"
                            "  adapter      0403:6001 FTDI FT232R USB UART, serial A50285BI\n"
                            "  driver       ftdi_sio\n"
                            "  may open     yes (%1:dialout rw-rw-rw-)\n"
                            "  held by      minicom (pid 4242)\n"
                            "  hint         ModemManager is running and may probe this port just "
                            "after it is plugged in: wait a few seconds, or sudo systemctl stop "
                            "ModemManager")
                 .arg(::geteuid()));
    QCOMPARE(serialPortSummary(p), QStringLiteral("ttyUSB1  0403:6001 FTDI FT232R USB UART  COM5"));
}

QTEST_GUILESS_MAIN(TestMeasurePorts)
#include "tst_measure_ports.moc"
