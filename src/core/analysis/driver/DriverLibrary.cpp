#include "core/analysis/driver/DriverLibrary.h"

#include "core/analysis/driver/DriverJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Larger files are not driver files, and reading them would stall the list.
constexpr qint64 kMaxDriverFileBytes = 16 * 1024 * 1024;

} // namespace

QVector<DriverEntry> scanDriverFolder(const QString &folder)
{
    QVector<DriverEntry> out;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.json"), QStringLiteral("*.JSON")},
                                   QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &info : files) {
        DriverEntry e;
        e.path = info.filePath();
        QFile file(e.path);
        if (info.size() > kMaxDriverFileBytes || !file.open(QIODevice::ReadOnly)) {
            e.problem = file.errorString();
        } else if (readDriverJson(file.readAll(), &e.record, &e.problem)) {
            e.record.curve.clear();
            e.record.curve.squeeze();
        }
        out.append(e);
    }
    return out;
}

bool driverMatches(const DriverEntry &entry, const QString &query)
{
    const QString haystack = entry.record.name + QLatin1Char(' ') +
                             QFileInfo(entry.path).fileName() + QLatin1Char(' ') +
                             entry.record.method;
    const QStringList words = query.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &w : words)
        if (!haystack.contains(w, Qt::CaseInsensitive))
            return false;
    return true;
}
