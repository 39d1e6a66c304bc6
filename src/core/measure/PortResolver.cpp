#include "core/measure/PortResolver.h"

#include "core/files/AppPaths.h"
#include "core/model/ComPortName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <sys/stat.h>

namespace {

const QString kArrow = QStringLiteral(" → ");

// Devices "<prefix><n>" in a directory, in numeric order of n.
QStringList numberedDevices(const QString &devDir, const QString &prefix)
{
    QList<QPair<int, QString>> found;
    const QStringList names =
        QDir(devDir).entryList({prefix + QLatin1Char('*')}, QDir::System | QDir::Files);
    for (const QString &name : names) {
        bool ok = false;
        const int n = name.mid(prefix.size()).toInt(&ok);
        if (ok && n >= 0)
            found.append({n, devDir + QLatin1Char('/') + name});
    }
    std::sort(found.begin(), found.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList paths;
    for (const auto &f : found)
        paths.append(f.second);
    return paths;
}

// A built-in port counts when sysfs shows a device behind it and, where the kernel reports the
// UART type, that type is not 0 (no UART found at that address).
bool hasHardware(const QString &sysTtyDir, const QString &name)
{
    const QString base = sysTtyDir + QLatin1Char('/') + name;
    if (!QFileInfo::exists(base + QStringLiteral("/device")))
        return false;
    QFile type(base + QStringLiteral("/type"));
    if (!type.open(QIODevice::ReadOnly))
        return true;
    return type.readAll().trimmed() != "0";
}

bool entryExists(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

QString portNameForNumber(int number)
{
    return ComPortName::nameOf(number);
}

bool portNumberFromName(const QString &name, int *number)
{
    // A device name carries no sign: "COM-1" or "COM+7" name no port here, unlike in the dialog.
    const ComPortName parsed = ComPortName::parse(name);
    if (!parsed.isNumbered() || !name.at(3).isDigit())
        return false;
    if (number)
        *number = parsed.number;
    return true;
}

QStringList machineSerialPorts(const QString &devDir, const QString &sysTtyDir)
{
    QStringList ports = numberedDevices(devDir, QStringLiteral("ttyUSB"));
    ports += numberedDevices(devDir, QStringLiteral("ttyACM"));
    const QStringList builtIn = numberedDevices(devDir, QStringLiteral("ttyS"));
    for (const QString &path : builtIn)
        if (hasHardware(sysTtyDir, QFileInfo(path).fileName()))
            ports.append(path);
    return ports;
}

PortResolution resolvePort(int number)
{
    PortResolution r;
    if (number < 1)
        return r;
    const QString entry = settingsDirectory() + QLatin1Char('/') + portNameForNumber(number);
    if (entryExists(entry)) {
        r.origin = PortResolution::SettingsEntry;
        r.path = entry;
        const QFileInfo info(entry);
        r.linkTarget = info.isSymLink() ? info.symLinkTarget() : QString();
        r.target = info.isSymLink() ? r.linkTarget : entry;
        r.present = info.exists();
        if (r.present)
            r.target = info.canonicalFilePath();
        return r;
    }
    const QStringList ports = machineSerialPorts();
    if (number <= ports.size()) {
        r.origin = PortResolution::MachinePort;
        r.path = ports.at(number - 1);
        r.target = r.path;
        r.present = true;
    }
    return r;
}

QString resolvePortDevice(int number)
{
    return resolvePort(number).path;
}

QString describePort(int number)
{
    const PortResolution r = resolvePort(number);
    switch (r.origin) {
    case PortResolution::SettingsEntry: {
        const QString named = r.linkTarget.isEmpty() ? r.path : r.linkTarget;
        QString line = portNameForNumber(number) + kArrow + named;
        if (!r.present)
            line += QCoreApplication::translate("PortResolver", "（見つかりません）");
        else if (r.target != named)
            line += kArrow + r.target;
        return line;
    }
    case PortResolution::MachinePort:
        return r.path;
    case PortResolution::None:
        break;
    }
    return QString();
}
