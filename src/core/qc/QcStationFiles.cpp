#include "core/qc/QcStationFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace QcStationFiles {

namespace {
const QString kExtension = QStringLiteral(".DTA");
const QString kLogName = QStringLiteral("VELO2_qc_log.sqlite");
} // namespace

bool serialUsableAsFileName(const QString &serial)
{
    return !serial.isEmpty() && serial != QLatin1String(".") && serial != QLatin1String("..") &&
           !serial.contains(QLatin1Char('/')) && !serial.contains(QChar(0));
}

QString folderFor(const QString &typedFolder, const QString &limitsPath)
{
    return typedFolder.isEmpty() ? QFileInfo(limitsPath).absolutePath() : typedFolder;
}

QString dataFilePath(const QString &folder, const QString &serial)
{
    return QDir(folder).filePath(serial + kExtension);
}

QString keepEarlierFile(const QString &path)
{
    const QFileInfo old(path);
    if (!old.exists())
        return QString();
    const QString stem =
        old.dir().filePath(old.completeBaseName() + QLatin1Char('_') +
                           old.lastModified().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString kept = stem + kExtension;
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = stem + QLatin1Char('-') + QString::number(n) + kExtension;
    return QFile::rename(path, kept) ? kept : QString();
}

QString logTarget(const QString &database, const QString &folder)
{
    return database.isEmpty() ? QDir(folder).filePath(kLogName) : database;
}

} // namespace QcStationFiles
