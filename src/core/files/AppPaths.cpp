#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {
QString g_override;
}

void setSettingsDirectoryOverride(const QString &dir) { g_override = dir; }

QString settingsDirectory()
{
    if (!g_override.isEmpty())
        return g_override;
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && ::access(QFile::encodeName(exeDir).constData(), W_OK) == 0)
        return exeDir;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.config/VELO2");
    QDir().mkpath(dir);
    return dir;
}

QString settingsFilePath() { return settingsDirectory() + QStringLiteral("/VELO2_ini.prf"); }
