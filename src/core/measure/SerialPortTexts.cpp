#include "core/measure/SerialPortTexts.h"

#include <QStringList>

namespace {

QString field(const char *caption, const QString &value)
{
    return QStringLiteral("  %1%2").arg(QLatin1String(caption), -13).arg(value);
}

QString adapterText(const SerialPortInfo &p)
{
    QStringList parts{p.vendorId + QLatin1Char(':') + p.productId};
    const QString name = QStringList{p.manufacturer, p.product}.join(QLatin1Char(' ')).trimmed();
    if (!name.isEmpty())
        parts << name;
    QString text = parts.join(QLatin1Char(' '));
    if (!p.serialNumber.isEmpty())
        text += QStringLiteral(", serial ") + p.serialNumber;
    return text;
}

} // namespace

QString serialHintCode(SerialHint::Code code)
{
    switch (code) {
    case SerialHint::NotInDialout:
        return QStringLiteral("dialout");
    case SerialHint::LogInAgain:
        return QStringLiteral("relogin");
    case SerialHint::Brltty:
        return QStringLiteral("brltty");
    case SerialHint::NoDriver:
        return QStringLiteral("no-driver");
    case SerialHint::ModemManager:
        return QStringLiteral("modemmanager");
    }
    return QString();
}

QString serialHintText(SerialHint::Code code, const SerialPortInfo &port)
{
    switch (code) {
    case SerialHint::NotInDialout:
        return QStringLiteral("this user is not in the dialout group: "
                              "sudo adduser $USER dialout, then log in again");
    case SerialHint::LogInAgain:
        return QStringLiteral("this user joined dialout after logging in: log out and in again");
    case SerialHint::Brltty:
        return port.path.isEmpty()
                   ? QStringLiteral("brltty has taken this adapter for a braille display, so it "
                                    "has no serial port: sudo apt remove brltty, then plug it in "
                                    "again")
                   : QStringLiteral("brltty is running and takes adapters like this one for "
                                    "braille displays: if the port vanishes, sudo apt remove "
                                    "brltty");
    case SerialHint::NoDriver:
        return QStringLiteral("no serial driver has taken this adapter: is its kernel module "
                              "(ch341, cp210x, ftdi_sio, pl2303) there?");
    case SerialHint::ModemManager:
        return QStringLiteral("ModemManager is running and may probe this port just after it is "
                              "plugged in: wait a few seconds, or sudo systemctl stop "
                              "ModemManager");
    }
    return QString();
}

QString serialComText(const SerialPortInfo &port)
{
    switch (port.comOrigin) {
    case SerialPortInfo::Link:
        return QStringLiteral("COM%1 (link)").arg(port.comNumber);
    case SerialPortInfo::MachineOrder:
        return QStringLiteral("COM%1 (machine order)").arg(port.comNumber);
    case SerialPortInfo::NoCom:
        break;
    }
    return QStringLiteral("no COM number");
}

QString serialPortSummary(const SerialPortInfo &port)
{
    QStringList parts{port.path.isEmpty() ? QStringLiteral("(no port)")
                                          : port.path.section(QLatin1Char('/'), -1)};
    if (port.isUsb())
        parts << adapterText(port).section(QStringLiteral(", serial "), 0, 0);
    if (port.comNumber > 0)
        parts << QStringLiteral("COM%1").arg(port.comNumber);
    return parts.join(QStringLiteral("  "));
}

QString describeSerialPort(const SerialPortInfo &port)
{
    QStringList lines{
        (port.path.isEmpty() ? QStringLiteral("(adapter without a serial port)") : port.path) +
        QStringLiteral("  ") + serialComText(port)};
    if (!port.byId.isEmpty())
        lines << field("stable name", port.byId);
    if (port.isUsb())
        lines << field("adapter", adapterText(port));
    if (!port.driver.isEmpty())
        lines << field("driver", port.driver);
    if (!port.path.isEmpty()) {
        const QString access = port.owner.isEmpty()
                                   ? QString()
                                   : QStringLiteral(" (%1 %2)").arg(port.owner, port.mode);
        lines << field("may open",
                       (port.mayOpen ? QStringLiteral("yes") : QStringLiteral("no")) + access);
    }
    for (const SerialHolder &h : port.holders)
        lines << field("held by", (h.name.isEmpty() ? QStringLiteral("a process") : h.name) +
                                      QStringLiteral(" (pid %1)").arg(h.pid));
    for (const SerialHint &h : port.hints)
        lines << field("hint", serialHintText(h.code, port));
    return lines.join(QLatin1Char('\n'));
}

QString noSerialPortsText()
{
    return QStringLiteral("no serial device found");
}
