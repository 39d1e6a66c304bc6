#pragma once

#include <QString>

// Every text of the results log: what went wrong with a database and what happened to the
// results meanwhile. English, as the command line prints them; a Japanese window shows them
// through its catalogue.
namespace LogMessages {

// shown: the target with its passwords hidden; reason: one of the target* texts.
QString badTarget(const QString &shown, const QString &reason);
QString targetEmpty();
QString targetScheme(const QString &scheme);
QString targetUnreadable();
QString targetPort(const QString &port);
QString targetNoDatabase();
QString targetSlashInDatabase();
QString targetUnknownOption(const QString &key, const QString &known);
QString targetOptionValue(const QString &key, const QString &value);
QString targetOptionSemicolon(const QString &key);
QString driverMissing(const QString &driver, const QString &package);
QString cannotOpenFile(const QString &path, const QString &detail);
QString noSuchLog(const QString &path);
QString notALog(const QString &where);
QString unreachable(const QString &where, const QString &detail);
QString wrongPassword(const QString &where, const QString &user);
QString refused(const QString &where, const QString &detail);
QString newerSchema(const QString &where, int version, int known);
QString failed(const QString &where, const QString &detail);
// Why a unit's saved measurement that the log names cannot be opened.
QString unitFileGone();
QString unitNotAFile();
// After a forwarding problem: where the results wait.
QString keptInSpool(int pending, const QString &spool);
QString setAsideInSpool(int count, const QString &spool);
QString spoolEmpty();
QString spoolMovedAside(const QString &spool, const QString &aside, const QString &detail);
QString stationTooLong(int length, int limit);
QString serialTooLong(int length, int limit);
// Results in the spool that were checked for another log: they go only there.
QString waitForOtherLog(int count, const QString &target, const QString &spool);
// Results the server refused for good, kept aside in the spool; serials lists some of them.
QString setAside(int count, const QString &target, const QString &spool, const QString &serials,
                 const QString &reason);

} // namespace LogMessages
