#pragma once

#include <QString>

// Where the QC station keeps what it measures: one data file per serial number in the
// station's folder (the limits file's folder unless another is typed), an earlier file of a
// unit tested again kept under the time it was written, and the results log beside the data
// files unless a server is named.
namespace QcStationFiles {

// A serial that names a file in the folder and nothing else.
bool serialUsableAsFileName(const QString &serial);
QString folderFor(const QString &typedFolder, const QString &limitsPath);
QString dataFilePath(const QString &folder, const QString &serial);
// Renames an existing file at `path` to <name>_<yyyyMMdd-HHmmss>[-n].DTA by its modification
// time; returns the name it now has, empty when there was none or it could not be renamed.
QString keepEarlierFile(const QString &path);
QString logTarget(const QString &database, const QString &folder);

} // namespace QcStationFiles
