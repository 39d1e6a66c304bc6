#include "core/measure/SerialPortDiscovery.h"

#include "core/files/AppPaths.h"
#include "core/measure/PortResolver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// USB serial adapters that are common on measuring benches; one of them without a port was
// taken by another program or has no driver.
const char *const kKnownAdapters[] = {"1a86:7523", "1a86:5523", "1a86:55d4",
                                      "10c4:ea60", "10c4:ea70", "0403:6001",
                                      "0403:6010", "0403:6015", "067b:2303"};
// brltty's device rules take these (CH340/CH341 and CP210x chips are also used by braille
// displays), which leaves the unit without its port.
const char *const kBrlttyClaims[] = {"1a86:7523", "1a86:5523", "10c4:ea60", "10c4:ea80"};

QString readLine(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.read(4096)).trimmed();
}

struct Process {
    qint64 pid;
    QString name;
    QStringList openFiles; // targets of its file descriptors, where readable
};

// The "name:x:id:members" lines of /etc/group and /etc/passwd.
struct Accounts {
    QHash<uint, QString> userNames;
    QHash<uint, QString> groupNames;
    QHash<QString, QStringList> groupMembers;
    QHash<QString, uint> groupIds;
};

Accounts readAccounts(const QString &etc)
{
    Accounts a;
    auto lines = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))
                                           : QStringList();
    };
    for (const QString &line : lines(etc + QStringLiteral("/passwd"))) {
        const QStringList f = line.split(QLatin1Char(':'));
        bool ok = false;
        const uint id = f.size() > 2 ? f[2].toUInt(&ok) : 0;
        if (ok)
            a.userNames.insert(id, f[0]);
    }
    for (const QString &line : lines(etc + QStringLiteral("/group"))) {
        const QStringList f = line.trimmed().split(QLatin1Char(':'));
        bool ok = false;
        const uint id = f.size() > 2 ? f[2].toUInt(&ok) : 0;
        if (!ok)
            continue;
        a.groupNames.insert(id, f[0]);
        a.groupIds.insert(f[0], id);
        a.groupMembers.insert(f[0], f.size() > 3 ? f[3].split(QLatin1Char(','), Qt::SkipEmptyParts)
                                                 : QStringList());
    }
    return a;
}

QList<Process> readProcesses(const QString &proc)
{
    QList<Process> list;
    const QStringList pids = QDir(proc).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : pids) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        Process p{pid, readLine(proc + QLatin1Char('/') + entry + QStringLiteral("/comm")), {}};
        const QString fdDir = proc + QLatin1Char('/') + entry + QStringLiteral("/fd");
        // Another user's descriptors cannot be listed; the process then holds nothing we know.
        const QStringList fds =
            QDir(fdDir).entryList(QDir::System | QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &fd : fds) {
            const QString target = QFile::symLinkTarget(fdDir + QLatin1Char('/') + fd);
            if (!target.isEmpty())
                p.openFiles.append(target);
        }
        list.append(p);
    }
    return list;
}

bool isRunning(const QList<Process> &processes, const QString &name)
{
    for (const Process &p : processes)
        if (p.name == name)
            return true;
    return false;
}

QString permissionText(mode_t mode)
{
    QString text;
    for (int shift = 6; shift >= 0; shift -= 3) {
        text += (mode >> shift) & 4 ? QLatin1Char('r') : QLatin1Char('-');
        text += (mode >> shift) & 2 ? QLatin1Char('w') : QLatin1Char('-');
        text += (mode >> shift) & 1 ? QLatin1Char('x') : QLatin1Char('-');
    }
    return text;
}

// The USB device above a sysfs device folder: the first folder upward that has an idVendor.
QString usbDeviceDir(const QString &deviceDir, const QString &sysRoot)
{
    QString dir = deviceDir;
    while (dir.startsWith(sysRoot) && dir.size() > sysRoot.size()) {
        if (QFileInfo::exists(dir + QStringLiteral("/idVendor")))
            return dir;
        dir = QFileInfo(dir).path();
    }
    return QString();
}

void readUsb(SerialPortInfo &info, const QString &usbDir)
{
    info.vendorId = readLine(usbDir + QStringLiteral("/idVendor"));
    info.productId = readLine(usbDir + QStringLiteral("/idProduct"));
    info.manufacturer = readLine(usbDir + QStringLiteral("/manufacturer"));
    info.product = readLine(usbDir + QStringLiteral("/product"));
    info.serialNumber = readLine(usbDir + QStringLiteral("/serial"));
}

bool listed(const char *const *list, std::size_t size, const SerialPortInfo &info)
{
    const QString id = info.vendorId + QLatin1Char(':') + info.productId;
    for (std::size_t i = 0; i < size; ++i)
        if (id == QLatin1String(list[i]))
            return true;
    return false;
}

// A system path inside the tree rooted at `root`.
QString underRoot(const QString &root, const QString &systemPath)
{
    if (root == QLatin1String("/") || systemPath.startsWith(root + QLatin1Char('/')))
        return systemPath;
    return root + systemPath;
}

// What one look at the machine reads once for all its ports.
struct Machine {
    QString root;
    QString sysRoot;
    Accounts accounts;
    QList<Process> processes;
    bool brltty = false;
    bool modemManager = false;
};

// Stable names: /dev/serial/by-id links, by the device they name.
QHash<QString, QString> readById(const QString &byIdDir)
{
    QHash<QString, QString> byId;
    QStringList idNames =
        QDir(byIdDir).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    idNames.sort();
    for (const QString &n : idNames) {
        const QString device =
            QFileInfo(QFile::symLinkTarget(byIdDir + QLatin1Char('/') + n)).fileName();
        if (!device.isEmpty() && !byId.contains(device))
            byId.insert(device, QStringLiteral("/dev/serial/by-id/") + n);
    }
    return byId;
}

// The COMn entries of the settings directory, and where their links end.
struct ComEntries {
    QSet<int> numbers;
    QList<QPair<int, QString>> links; // number, canonical path in the tree
};

ComEntries readComEntries(const QString &settings, const QString &root)
{
    ComEntries com;
    for (const QString &n :
         QDir(settings).entryList({QStringLiteral("COM*")},
                                  QDir::System | QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        int number = 0;
        if (!portNumberFromName(n, &number))
            continue;
        com.numbers.insert(number);
        const QString target = QFile::symLinkTarget(settings + QLatin1Char('/') + n);
        if (!target.isEmpty())
            com.links.append({number, QFileInfo(underRoot(root, target)).canonicalFilePath()});
    }
    std::sort(com.links.begin(), com.links.end());
    return com;
}

// Where the port sits: its names, its driver and the USB adapter behind it (usbDir, empty for
// a built-in port).
SerialPortInfo describePort(const Machine &m, const QString &device,
                            const QHash<QString, QString> &byId, QString *usbDir)
{
    SerialPortInfo info;
    const QString name = QFileInfo(device).fileName();
    info.path = QStringLiteral("/dev/") + name;
    info.byId = byId.value(name);

    const QString ttyDir = m.sysRoot + QStringLiteral("/class/tty/") + name;
    const QString deviceDir = QFileInfo(ttyDir + QStringLiteral("/device")).canonicalFilePath();
    info.driver =
        QFileInfo(QFileInfo(ttyDir + QStringLiteral("/device/driver")).canonicalFilePath())
            .fileName();
    *usbDir = usbDeviceDir(deviceDir, m.sysRoot);
    if (!usbDir->isEmpty())
        readUsb(info, *usbDir);
    return info;
}

// A link to the port gives its COM number; without one, its place in the machine's order does,
// unless an entry of that number is there (and leads elsewhere).
void assignComNumber(SerialPortInfo &info, const QString &node, int order, const ComEntries &com)
{
    for (const auto &link : com.links) {
        if (!node.isEmpty() && link.second == node) {
            info.comNumber = link.first;
            info.comOrigin = SerialPortInfo::Link;
            return;
        }
    }
    if (!com.numbers.contains(order)) {
        info.comNumber = order;
        info.comOrigin = SerialPortInfo::MachineOrder;
    }
}

// Whether this user may open it, judged as the kernel does: owner, then group, then others.
// Returns the device's group (empty when the device cannot be read).
QString judgeAccess(SerialPortInfo &info, const QString &device, const Accounts &accounts,
                    const SerialUser &user)
{
    struct stat st;
    if (::stat(QFile::encodeName(device).constData(), &st) != 0)
        return QString();
    const QString groupName = accounts.groupNames.value(st.st_gid, QString::number(st.st_gid));
    info.owner = accounts.userNames.value(st.st_uid, QString::number(st.st_uid)) +
                 QLatin1Char(':') + groupName;
    info.mode = permissionText(st.st_mode);
    int bits = st.st_mode & 07;
    if (st.st_uid == user.uid)
        bits = (st.st_mode >> 6) & 07;
    else if (user.groups.contains(st.st_gid))
        bits = (st.st_mode >> 3) & 07;
    info.mayOpen = user.uid == 0 || (bits & 06) == 06;
    return groupName;
}

// The processes that have the port open.
void findHolders(SerialPortInfo &info, const Machine &m)
{
    for (const Process &p : m.processes)
        if (p.openFiles.contains(info.path))
            info.holders.append({p.pid, p.name});
    // A UUCP lock names the holder even when its descriptors cannot be read.
    const QString name = QFileInfo(info.path).fileName();
    for (const QString &lockDir : {QStringLiteral("/run/lock"), QStringLiteral("/var/lock")}) {
        const qint64 pid =
            readLine(underRoot(m.root, lockDir) + QStringLiteral("/LCK..") + name).toLongLong();
        for (const Process &p : m.processes) {
            const bool known = std::any_of(info.holders.begin(), info.holders.end(),
                                           [&](const SerialHolder &h) { return h.pid == pid; });
            if (pid > 0 && p.pid == pid && !known)
                info.holders.append({p.pid, p.name});
        }
    }
}

// What stands in the way of the port for this user.
void addHints(SerialPortInfo &info, const QString &groupName, const Machine &m,
              const SerialUser &user)
{
    if (!info.mayOpen && groupName == QLatin1String("dialout")) {
        const bool member = m.accounts.groupMembers.value(groupName).contains(user.name);
        info.hints.append(SerialHint{member ? SerialHint::LogInAgain : SerialHint::NotInDialout});
    }
    if (m.brltty && listed(kBrlttyClaims, std::size(kBrlttyClaims), info))
        info.hints.append(SerialHint{SerialHint::Brltty});
    if (m.modemManager && info.isUsb())
        info.hints.append(SerialHint{SerialHint::ModemManager});
}

// Known adapters that are plugged in but have no port.
QList<SerialPortInfo> portlessAdapters(const Machine &m, QSet<QString> usbDirsWithPorts)
{
    QList<SerialPortInfo> result;
    const QString usbDevices = m.sysRoot + QStringLiteral("/bus/usb/devices");
    for (const QString &n : QDir(usbDevices).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString dir = QFileInfo(usbDevices + QLatin1Char('/') + n).canonicalFilePath();
        if (dir.isEmpty() || usbDirsWithPorts.contains(dir) ||
            !QFileInfo::exists(dir + QStringLiteral("/idVendor")))
            continue;
        SerialPortInfo info;
        readUsb(info, dir);
        if (!listed(kKnownAdapters, std::size(kKnownAdapters), info))
            continue;
        usbDirsWithPorts.insert(dir);
        // The driver of its first interface that has one ("usbfs" when a program took it whole).
        const QString devName = QFileInfo(dir).fileName();
        for (const QString &intf :
             QDir(dir).entryList({devName + QStringLiteral(":*")}, QDir::Dirs)) {
            const QString driver =
                QFileInfo(QFileInfo(dir + QLatin1Char('/') + intf + QStringLiteral("/driver"))
                              .canonicalFilePath())
                    .fileName();
            if (!driver.isEmpty()) {
                info.driver = driver;
                break;
            }
        }
        const bool taken = m.brltty || info.driver == QLatin1String("usbfs");
        info.hints.append(SerialHint{taken ? SerialHint::Brltty : SerialHint::NoDriver});
        result.append(info);
    }
    return result;
}

} // namespace

SerialUser SerialUser::current()
{
    SerialUser u;
    u.uid = ::getuid();
    const int n = ::getgroups(0, nullptr);
    QList<gid_t> gids(n > 0 ? n : 0);
    if (n > 0 && ::getgroups(n, gids.data()) == n)
        for (gid_t g : gids)
            u.groups.append(g);
    if (!u.groups.contains(::getgid()))
        u.groups.append(::getgid());
    if (const passwd *pw = ::getpwuid(u.uid))
        u.name = QString::fromLocal8Bit(pw->pw_name);
    return u;
}

SerialPortDiscovery::SerialPortDiscovery(const QString &root, const QString &settingsDir,
                                         const SerialUser &user)
    : m_root(QDir::cleanPath(root)), m_settingsDir(settingsDir), m_user(user)
{
}

QString SerialPortDiscovery::inRoot(const QString &systemPath) const
{
    return underRoot(m_root, systemPath);
}

QString SerialPortDiscovery::settingsDir() const
{
    return m_settingsDir.isEmpty() ? settingsDirectory() : m_settingsDir;
}

QList<SerialPortInfo> SerialPortDiscovery::ports() const
{
    Machine m;
    m.root = m_root;
    m.sysRoot = inRoot(QStringLiteral("/sys"));
    m.accounts = readAccounts(inRoot(QStringLiteral("/etc")));
    m.processes = readProcesses(inRoot(QStringLiteral("/proc")));
    m.brltty = isRunning(m.processes, QStringLiteral("brltty"));
    m.modemManager = isRunning(m.processes, QStringLiteral("ModemManager"));
    const QHash<QString, QString> byId = readById(inRoot(QStringLiteral("/dev/serial/by-id")));
    const ComEntries com = readComEntries(settingsDir(), m_root);

    QList<SerialPortInfo> result;
    QSet<QString> usbDirsWithPorts;
    const QStringList machine = machineSerialPorts(inRoot(QStringLiteral("/dev")),
                                                   inRoot(QStringLiteral("/sys/class/tty")));
    for (int i = 0; i < machine.size(); ++i) {
        QString usbDir;
        SerialPortInfo info = describePort(m, machine[i], byId, &usbDir);
        if (!usbDir.isEmpty())
            usbDirsWithPorts.insert(usbDir);
        assignComNumber(info, QFileInfo(machine[i]).canonicalFilePath(), i + 1, com);
        const QString groupName = judgeAccess(info, machine[i], m.accounts, m_user);
        findHolders(info, m);
        addHints(info, groupName, m, m_user);
        result.append(info);
    }
    result += portlessAdapters(m, usbDirsWithPorts);
    return result;
}

int portIndexForNumber(const QList<SerialPortInfo> &ports, int number)
{
    for (int i = 0; i < ports.size(); ++i)
        if (number > 0 && ports[i].comNumber == number)
            return i;
    return -1;
}
