#include "core/files/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString g_override;

const QString kSettingsFileName = QStringLiteral("VELO2_ini.prf");

QString configDirectory()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return dir.isEmpty() ? QDir::homePath() + QStringLiteral("/.config/VELO2") : dir;
}

bool isWritableFolder(const QString &dir)
{
    return !dir.isEmpty() && ::access(QFile::encodeName(dir).constData(), W_OK) == 0;
}

// An installed program has its metainfo under the prefix's share folder. It keeps its settings
// per user even when the one running it may write to its folder (root, say).
bool isInstalledProgramFolder(const QString &exeDir)
{
    return QFileInfo::exists(exeDir +
                             QStringLiteral("/../share/metainfo/" VELO2_APP_ID ".metainfo.xml"));
}

QString fileIn(const QString &dir)
{
    return dir + QLatin1Char('/') + kSettingsFileName;
}

} // namespace

void setSettingsDirectoryOverride(const QString &dir)
{
    g_override = dir;
}

QString settingsDirectoryFor(const QString &exeDir, const QString &configDir)
{
    return isWritableFolder(exeDir) && !isInstalledProgramFolder(exeDir) ? exeDir : configDir;
}

QString settingsReadPathFor(const QString &exeDir, const QString &configDir)
{
    const QString own = fileIn(settingsDirectoryFor(exeDir, configDir));
    if (QFileInfo::exists(own) || exeDir.isEmpty())
        return own;
    const QFileInfo beside(fileIn(exeDir));
    return beside.isFile() && beside.isReadable() ? beside.filePath() : own;
}

QString settingsDirectory()
{
    if (!g_override.isEmpty())
        return g_override;
    const QString dir =
        settingsDirectoryFor(QCoreApplication::applicationDirPath(), configDirectory());
    QDir().mkpath(dir);
    return dir;
}

QString settingsFilePath()
{
    return fileIn(settingsDirectory());
}

QString settingsReadPath()
{
    if (!g_override.isEmpty())
        return fileIn(g_override);
    return settingsReadPathFor(QCoreApplication::applicationDirPath(), configDirectory());
}
