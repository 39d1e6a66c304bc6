#pragma once

#include <QString>

// The settings directory: beside the executable when that directory is writable and the
// program is not an installed one, otherwise the user's configuration directory. It holds
// "VELO2_ini.prf" and the COMn links, and it is where the settings file is written.
QString settingsDirectory();
QString settingsFilePath();
// The settings file to read at start: the one in the settings directory; for an installed
// program whose configuration file does not exist yet, a readable one beside the executable.
QString settingsReadPath();

// The same two decisions for a given executable folder and configuration folder.
QString settingsDirectoryFor(const QString &exeDir, const QString &configDir);
QString settingsReadPathFor(const QString &exeDir, const QString &configDir);

// Tests and tools may point the settings directory elsewhere (e.g. a temporary folder).
void setSettingsDirectoryOverride(const QString &dir);
