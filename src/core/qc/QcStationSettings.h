#pragma once

#include <QString>

// What the QC station window keeps between starts, in a small file of its own in the settings
// directory ("VELO2_qc_station.txt", lines "limits=", "folder=", "db=", UTF-8), so the
// settings file keeps its fixed layout. A server URI may hold a password: the file is the
// user's alone (mode 0600 before anything is written, and made so when one with a database is
// read).
struct QcStationSettings {
    QString limitsPath;
    QString folder;
    QString database;
    bool operator==(const QcStationSettings &) const = default;
};

QString qcStationSettingsPath();
// A missing or unreadable file gives empty fields; unknown lines are skipped.
QcStationSettings readQcStationSettings(const QString &path);
bool writeQcStationSettings(const QString &path, const QcStationSettings &settings);
