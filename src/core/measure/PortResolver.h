#pragma once

#include <QString>
#include <QStringList>

// Port numbers name serial devices the way COM numbers do. A number n resolves, in this order:
//  1. an entry "COMn" in the settings directory (normally a symbolic link to a device, made by
//     the user or by the unit simulator); when the entry is there it is used even if its target
//     is missing, so that a stale link never silently opens some other port;
//  2. otherwise the n-th serial port of the machine: /dev/ttyUSB*, then /dev/ttyACM*, each in
//     numeric order, then the /dev/ttyS* ports that have a UART behind them in /sys/class/tty.
// The driver keeps a numbered port as the name "COMn" and resolves it when it connects.

// "COMn" for a port number.
QString portNameForNumber(int number);
// True when `name` is "COM" followed by decimal digits only (see ComPortName); sets *number. Such
// a name is resolved as a port number (COM0 resolves to nothing), never opened as a relative path.
bool portNumberFromName(const QString &name, int *number);

// Serial ports of the machine in counting order. The directories can be pointed elsewhere for
// tests.
QStringList machineSerialPorts(const QString &devDir = QStringLiteral("/dev"),
                               const QString &sysTtyDir = QStringLiteral("/sys/class/tty"));

struct PortResolution {
    enum Origin {
        None,          // nothing answers to the number
        SettingsEntry, // the COMn entry of the settings directory
        MachinePort    // the n-th serial port of the machine
    };
    Origin origin = None;
    QString path;         // what the driver opens; empty for None
    QString linkTarget;   // for a settings entry that is a link: what the link names
    QString target;       // for a settings entry that is a link: where it finally points
    bool present = false; // the device (the link's target) exists
};

PortResolution resolvePort(int number);
// Device path of a port number, or an empty text when nothing answers to it.
QString resolvePortDevice(int number);
// One line for the COM port dialog: "COM3 → /dev/ttyUSB0" for a link in the settings directory
// (with " → /dev/ttyUSB0" added when the link names another link, and a missing mark when the
// device is gone, so that a stale link shows as one), the device path for a machine port, an
// empty text when nothing answers.
QString describePort(int number);
