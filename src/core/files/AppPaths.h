#pragma once

#include <QString>

// The settings directory: beside the executable when that directory is writable,
// otherwise the user's configuration directory. It holds "VELO2_ini.prf" and the COMn links.
QString settingsDirectory();
QString settingsFilePath();

// Tests and tools may point the settings directory elsewhere (e.g. a temporary folder).
void setSettingsDirectoryOverride(const QString &dir);
