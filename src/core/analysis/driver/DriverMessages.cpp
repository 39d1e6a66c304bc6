#include "core/analysis/driver/DriverMessages.h"

#include <QCoreApplication>

namespace DriverMessages {

QString notJson(const QString &why)
{
    return QCoreApplication::translate("DriverMessages", "not a JSON text: %1").arg(why);
}
QString notDriverFile()
{
    return QCoreApplication::translate("DriverMessages",
                                       "not a driver file (no \"format\": \"velo2-driver\")");
}
QString newerVersion(int version)
{
    return QCoreApplication::translate(
               "DriverMessages", "a driver file of version %1, newer than this program reads (1)")
        .arg(version);
}
QString badValue(const QString &key)
{
    return QCoreApplication::translate("DriverMessages", "\"%1\" is not a number of 0 or more")
        .arg(key);
}
QString missingValue(const QString &key)
{
    return QCoreApplication::translate("DriverMessages", "\"%1\" is missing").arg(key);
}
QString badCurve()
{
    return QCoreApplication::translate(
        "DriverMessages", "the curve's points must be [Hz, Ω, degrees]: Hz above 0, Ω 0 or more, "
                          "degrees within ±180, at least 3 points");
}
QString needsMechanics(const QString &format)
{
    return QCoreApplication::translate("DriverMessages",
                                       "a %1 file needs Sd, Mms and Bl: give Sd and an added "
                                       "mass, two masses or a box")
        .arg(format);
}
QString unknownFormat(const QString &name)
{
    return QCoreApplication::translate("DriverMessages",
                                       "unknown driver format \"%1\" (json or hornresp)")
        .arg(name);
}
QString notWritten(const QString &path)
{
    return QCoreApplication::translate("DriverMessages", "%1 could not be written").arg(path);
}

} // namespace DriverMessages
