#include "core/qc/log/LogMessages.h"

#include <QCoreApplication>

namespace LogMessages {

QString badTarget(const QString &shown, const QString &reason)
{
    return QCoreApplication::translate(
               "LogMessages", "'%1' is not a results database: %2; give the path of an SQLite file "
                              "or a PostgreSQL URI such as postgresql://user@host/db")
        .arg(shown, reason);
}
QString targetEmpty()
{
    return QCoreApplication::translate("LogMessages", "no target given");
}
QString targetScheme(const QString &scheme)
{
    return QCoreApplication::translate("LogMessages",
                                       "%1:// is not a PostgreSQL URI (postgresql://)")
        .arg(scheme);
}
QString targetUnreadable()
{
    return QCoreApplication::translate(
        "LogMessages", "the URI cannot be read (a password with special characters must be "
                       "percent-encoded)");
}
QString targetPort(const QString &port)
{
    return QCoreApplication::translate("LogMessages",
                                       "the port '%1' is not a number from 1 to 65535")
        .arg(port);
}
QString targetNoDatabase()
{
    return QCoreApplication::translate("LogMessages",
                                       "the URI names no database (postgresql://host/DATABASE)");
}
QString targetSlashInDatabase()
{
    return QCoreApplication::translate("LogMessages", "a database name holds no '/'");
}
QString targetUnknownOption(const QString &key, const QString &known)
{
    return QCoreApplication::translate(
               "LogMessages",
               "'%1' is not a connection option the log passes on (host, port, user, "
               "password, dbname, %2)")
        .arg(key, known);
}
QString targetOptionValue(const QString &key, const QString &value)
{
    return QCoreApplication::translate("LogMessages",
                                       "'%1' is no value for the connection option %2")
        .arg(value, key);
}
QString targetOptionSemicolon(const QString &key)
{
    return QCoreApplication::translate("LogMessages", "the connection option %1 cannot hold ';'")
        .arg(key);
}
QString driverMissing(const QString &driver, const QString &package)
{
    return QCoreApplication::translate("LogMessages",
                                       "the Qt SQL driver %1 is not installed (Debian package %2)")
        .arg(driver, package);
}
QString cannotOpenFile(const QString &path, const QString &detail)
{
    return QCoreApplication::translate("LogMessages", "cannot open the results log %1: %2")
        .arg(path, detail);
}
QString noSuchLog(const QString &path)
{
    return QCoreApplication::translate("LogMessages", "%1: no such results log").arg(path);
}
QString notALog(const QString &where)
{
    return QCoreApplication::translate("LogMessages", "%1 holds no results log").arg(where);
}
QString unitFileGone()
{
    return QCoreApplication::translate("LogMessages",
                                       "the log names this file but it is not there");
}
QString unitNotAFile()
{
    return QCoreApplication::translate("LogMessages",
                                       "the log names this file but it is not a file");
}
QString unreachable(const QString &where, const QString &detail)
{
    return QCoreApplication::translate("LogMessages", "cannot reach the results database %1: %2")
        .arg(where, detail);
}
QString wrongPassword(const QString &where, const QString &user)
{
    return QCoreApplication::translate("LogMessages",
                                       "the results database %1 refused user '%2': wrong password")
        .arg(where, user);
}
QString refused(const QString &where, const QString &detail)
{
    return QCoreApplication::translate("LogMessages",
                                       "the results database %1 refused the connection: %2")
        .arg(where, detail);
}
QString newerSchema(const QString &where, int version, int known)
{
    return QCoreApplication::translate(
               "LogMessages",
               "the results log %1 has schema version %2; this program knows versions "
               "up to %3")
        .arg(where)
        .arg(version)
        .arg(known);
}
QString failed(const QString &where, const QString &detail)
{
    return QCoreApplication::translate("LogMessages", "the results log %1 failed: %2")
        .arg(where, detail);
}
QString keptInSpool(int pending, const QString &spool)
{
    return pending == 1
               ? QCoreApplication::translate(
                     "LogMessages", "1 result waits in the station's spool %1 and goes on later")
                     .arg(spool)
               : QCoreApplication::translate(
                     "LogMessages", "%1 results wait in the station's spool %2 and go on later")
                     .arg(pending)
                     .arg(spool);
}

QString setAsideInSpool(int count, const QString &spool)
{
    return (count == 1 ? QCoreApplication::translate(
                             "LogMessages", "%1 result the server refused is set aside in the "
                                            "station's spool %2 (the README says how to send it "
                                            "again)")
                       : QCoreApplication::translate(
                             "LogMessages", "%1 results the server refused are set aside in the "
                                            "station's spool %2 (the README says how to send them "
                                            "again)"))
        .arg(count)
        .arg(spool);
}
QString spoolEmpty()
{
    return QCoreApplication::translate("LogMessages", "the file is empty (0 bytes)");
}
QString spoolMovedAside(const QString &spool, const QString &aside, const QString &detail)
{
    return QCoreApplication::translate(
               "LogMessages",
               "the station's spool %1 could not be read (%3); it was moved to %2 and "
               "a new spool started (the README says how to recover its results)")
        .arg(spool, aside, detail);
}
QString stationTooLong(int length, int limit)
{
    return QCoreApplication::translate("LogMessages",
                                       "the station name has %1 characters; at most %2 are allowed")
        .arg(length)
        .arg(limit);
}
QString serialTooLong(int length, int limit)
{
    return QCoreApplication::translate("LogMessages",
                                       "the serial has %1 characters; at most %2 are allowed")
        .arg(length)
        .arg(limit);
}
QString waitForOtherLog(int count, const QString &target, const QString &spool)
{
    return (count == 1
                ? QCoreApplication::translate(
                      "LogMessages", "%1 result in the station's spool %3 was checked for %2 "
                                     "and waits for it: it goes only there")
                : QCoreApplication::translate(
                      "LogMessages", "%1 results in the station's spool %3 were checked for "
                                     "%2 and wait for it: they go only there"))
        .arg(count)
        .arg(target, spool);
}
QString setAside(int count, const QString &target, const QString &spool, const QString &serials,
                 const QString &reason)
{
    return (count == 1
                ? QCoreApplication::translate(
                      "LogMessages", "%1 result (serial %4) was refused by %2 and is set aside in "
                                     "the station's spool %3 (the README says how to send it "
                                     "again): %5")
                : QCoreApplication::translate(
                      "LogMessages", "%1 results (serials %4) were refused by %2 and are set "
                                     "aside in the station's spool %3 (the README says how to "
                                     "send them again); the last reason: %5"))
        .arg(count)
        .arg(target, spool, serials, reason);
}

} // namespace LogMessages
