#pragma once

// A local driver library: a folder of driver files (".json") listed together and searched.

#include "core/analysis/driver/DriverRecord.h"

#include <QString>
#include <QVector>

struct DriverEntry {
    QString path;
    DriverRecord record; // without its curve: the list needs only the values
    QString problem;     // why the file could not be read; empty when it was
};

// Every ".json" file of the folder (not its subfolders), by file name; files that are not
// driver files are listed with their problem, so a damaged one is seen, not lost.
QVector<DriverEntry> scanDriverFolder(const QString &folder);

// True when every word of the query is found, ignoring case, in the driver's name, its file
// name or its method; an empty query matches every entry.
bool driverMatches(const DriverEntry &entry, const QString &query);
