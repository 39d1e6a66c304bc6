#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The serial devices of a Linux machine as a user meets them: where they are, what adapter is
// behind them, which COM number they have for the program and what stands in the way of opening
// them. Everything is read below a root folder ("/" normally), so a copied or made-up tree can
// stand in for the machine: ROOT/sys/class/tty, ROOT/sys/bus/usb/devices, ROOT/dev,
// ROOT/dev/serial/by-id, ROOT/proc, ROOT/etc/group and the lock folders ROOT/run/lock and
// ROOT/var/lock. The COMn links are read from the settings directory.

// Who asks: a device is judged by the asking user's id and the groups of the session.
struct SerialUser {
    uint uid = 0;
    QList<uint> groups; // of this session (getgroups), the primary group included
    QString name;
    static SerialUser current();
};

struct SerialHolder {
    qint64 pid = 0;
    QString name; // the process's name; empty when it cannot be read
};

struct SerialHint {
    enum Code {
        NotInDialout, // the device's group is dialout and the user is not in it
        LogInAgain,   // in dialout by /etc/group, but not in this session yet
        Brltty,       // brltty is running and takes adapters like this one
        NoDriver,     // a known adapter without a serial port and no brltty to blame
        ModemManager, // ModemManager is running and probes new ports
    };
    Code code;
};

struct SerialPortInfo {
    QString path;     // "/dev/ttyUSB0"; empty for an adapter that has no port
    QString byId;     // "/dev/serial/by-id/…", the name that stays across re-plugging
    QString vendorId; // USB: "1a86"; empty for a built-in port
    QString productId;
    QString manufacturer;
    QString product;
    QString serialNumber;
    QString driver; // kernel driver: "ch341-uart", "cdc_acm", "serial8250", "usbfs" …
    enum ComOrigin { NoCom, Link, MachineOrder };
    int comNumber = 0; // 0: no COM number reaches it
    ComOrigin comOrigin = NoCom;
    bool mayOpen = false;
    QString owner; // "root:dialout"
    QString mode;  // "rw-rw----"
    QList<SerialHolder> holders;
    QList<SerialHint> hints;
    bool isUsb() const { return !vendorId.isEmpty(); }
    // The name a COMn link should carry: the stable one when there is one.
    QString linkTarget() const { return byId.isEmpty() ? path : byId; }
};

class SerialPortDiscovery
{
public:
    // An empty settings directory means the program's own (settingsDirectory()).
    explicit SerialPortDiscovery(const QString &root = QStringLiteral("/"),
                                 const QString &settingsDir = QString(),
                                 const SerialUser &user = SerialUser::current());

    // The machine's serial ports in the order that gives them COM numbers, then adapters that
    // have no port (claimed by another program or without a driver).
    QList<SerialPortInfo> ports() const;

    QString root() const { return m_root; }
    // Where the COMn links are read (and made).
    QString settingsDir() const;

private:
    QString inRoot(const QString &systemPath) const;

    QString m_root;
    QString m_settingsDir;
    SerialUser m_user;
};

// Index in `ports` of the port that COM `number` reaches, or -1.
int portIndexForNumber(const QList<SerialPortInfo> &ports, int number);
