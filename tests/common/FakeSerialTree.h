#pragma once

// A made-up machine for the serial-port discovery: a CH340 (group dialout, 0660) while brltty
// runs, an FTDI adapter open in minicom (0666), an Arduino locked by screen while ModemManager
// runs, a built-in UART, a UART-less ttyS1 and a CP2102 taken whole by brltty (no port).

#include "core/measure/SerialPortDiscovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

class FakeSerialTree
{
public:
    explicit FakeSerialTree(const QString &root) : m_root(root)
    {
        const QString usb = "/sys/devices/pci0000:00/usb1/";
        adapter(usb + "1-1", "1a86", "7523", "", "USB Serial", "");
        port(usb + "1-1/1-1:1.0/ttyUSB0", "ttyUSB0", "usb-serial/drivers/ch341-uart", 0660,
             "usb-1a86_USB_Serial-if00-port0");
        adapter(usb + "1-2", "0403", "6001", "FTDI", "FT232R USB UART", "A50285BI");
        port(usb + "1-2/1-2:1.0/ttyUSB1", "ttyUSB1", "usb-serial/drivers/ftdi_sio", 0666,
             "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
        adapter(usb + "1-3", "2341", "0043", "Arduino (www.arduino.cc)", "", "8573");
        port(usb + "1-3/1-3:1.0", "ttyACM0", "usb/drivers/cdc_acm", 0660,
             "usb-Arduino__www.arduino.cc__0043_8573-if00");
        port("/sys/devices/platform/serial8250/tty/ttyS0", "ttyS0", "platform/drivers/serial8250",
             0660, "");
        port("/sys/devices/platform/serial8250/tty/ttyS1", "ttyS1", "platform/drivers/serial8250",
             0660, "");
        write("/sys/class/tty/ttyS0/type", "4");
        write("/sys/class/tty/ttyS1/type", "0");
        adapter(usb + "1-4", "10c4", "ea60", "Silicon Labs", "CP2102", "0001");
        link("/sys/bus/usb/drivers/usbfs", usb + "1-4/1-4:1.0/driver");

        process(100, "brltty");
        process(200, "ModemManager");
        process(4242, "minicom");
        link("/dev/ttyUSB1", "/proc/4242/fd/3", false);
        process(777, "screen");
        write("/run/lock/LCK..ttyACM0", "       777\n");
        dialoutGid = uint(QFileInfo(path("/dev/ttyUSB0")).groupId());
        write("/etc/group", QStringLiteral("dialout:x:%1:bob\n").arg(dialoutGid));
    }

    // ada is not in dialout, bob joined it after logging in, cy is in it.
    SerialUser user(const QString &name) const
    {
        const uint other = dialoutGid + 1;
        return {uint(::geteuid()) + 1, {name == "cy" ? dialoutGid : other}, name};
    }

    QString path(const QString &systemPath) const { return m_root + systemPath; }
    uint dialoutGid = 0;

private:
    void write(const QString &p, const QString &text)
    {
        QDir().mkpath(QFileInfo(path(p)).path());
        QFile f(path(p));
        f.open(QIODevice::WriteOnly);
        f.write(text.toUtf8());
    }
    // A symbolic link; inTree: the target is a folder of the fake tree (made when missing).
    void link(const QString &target, const QString &p, bool inTree = true)
    {
        if (inTree)
            QDir().mkpath(path(target));
        QDir().mkpath(QFileInfo(path(p)).path());
        const QString t = inTree && target.startsWith('/') ? path(target) : target;
        ::symlink(QFile::encodeName(t).constData(), QFile::encodeName(path(p)).constData());
    }
    void adapter(const QString &dir, const char *vendor, const char *product, const char *maker,
                 const char *name, const char *serial)
    {
        write(dir + "/idVendor", vendor);
        write(dir + "/idProduct", product);
        for (auto [file, text] :
             {std::pair{"/manufacturer", maker}, {"/product", name}, {"/serial", serial}})
            if (*text)
                write(dir + file, text);
        link(dir, "/sys/bus/usb/devices/" + QFileInfo(dir).fileName());
    }
    void port(const QString &device, const QString &name, const QString &driver, int mode,
              const QString &byId)
    {
        link("/sys/bus/" + driver, device + "/driver");
        link(device, "/sys/class/tty/" + name + "/device");
        write("/dev/" + name, "");
        ::chmod(QFile::encodeName(path("/dev/" + name)).constData(), mode_t(mode));
        if (!byId.isEmpty())
            link("../../" + name, "/dev/serial/by-id/" + byId, false);
    }
    void process(int pid, const QString &name)
    {
        write(QStringLiteral("/proc/%1/comm").arg(pid), name + "\n");
    }

    QString m_root;
};
