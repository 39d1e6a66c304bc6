#pragma once

#include <QString>

// The texts of the driver files: what a damaged or foreign file and a missing value are called.
namespace DriverMessages {
QString notJson(const QString &why);
QString notDriverFile();
QString newerVersion(int version);
QString badValue(const QString &key);
QString missingValue(const QString &key);
QString badCurve();
QString needsMechanics(const QString &format);
QString unknownFormat(const QString &name);
QString notWritten(const QString &path);
} // namespace DriverMessages
