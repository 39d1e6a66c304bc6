#include "core/files/RecentFiles.h"

#include "core/files/AppPaths.h"
#include "core/files/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 kMaxBytes = 64 * 1024;

} // namespace

RecentFiles::RecentFiles(const QString &path) : m_path(path) {}

QString RecentFiles::filePath()
{
    return settingsDirectory() + QStringLiteral("/VELO2_recent.txt");
}

QStringList RecentFiles::paths() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    for (QByteArray line : file.read(kMaxBytes).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const QString path = QString::fromUtf8(line);
        if (!path.isEmpty() && !out.contains(path) && out.size() < kMaxFiles)
            out << path;
    }
    return out;
}

bool RecentFiles::add(const QString &path)
{
    // The list is one path a line.
    if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')))
        return false;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > kMaxFiles)
        list.removeLast();
    return write(list);
}

bool RecentFiles::remove(const QString &path)
{
    QStringList list = paths();
    if (list.removeAll(path) == 0)
        return true;
    return write(list);
}

bool RecentFiles::write(const QStringList &paths) const
{
    QByteArray bytes;
    for (const QString &p : paths)
        bytes += p.toUtf8() + "\r\n";
    return writeFileSafely(m_path, bytes);
}
