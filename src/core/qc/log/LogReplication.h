#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Sites and a centre: each site's results log is published by PostgreSQL's own logical
// replication and the centre subscribes to it, one subscription per site, named after the site.
// Station names and runs are unique only within a site, so every replicated table gets a "site"
// column (at the site its default is the site's name, stations need not know it) and the
// centre's keys include it.
namespace LogReplication {

// The publication every site's log goes out under.
inline constexpr char kPublication[] = "velo2_qc";

struct Request {
    QString site;   // the site's log, a PostgreSQL URL as the centre's server reaches it
    QString centre; // the centre's log
    QString name;   // empty: the name the site's log has already, else one from its URL
    bool replace = false;
};

// A site name is an SQL identifier: a lower-case letter, then letters, digits and "_".
bool validSiteName(const QString &name);
// "host_db" from the site's URL, made a valid name.
QString defaultSiteName(const QString &siteTarget);

// Checks everything first (both are servers, the site is not the centre, wal_level, free slots,
// privileges, nothing of the same name left from an earlier run unless `replace`), and only
// then changes the site and the centre. False with *error (a whole message) when refused or
// when a change failed; *done lists what was set up.
bool setUp(const Request &request, QStringList *done, QString *error);

// Drops the subscription at the centre (which drops its slot at the site when it can reach
// it), and with a site also the publication and a slot left there. The rows already at the
// centre stay.
bool remove(const QString &centre, const QString &site, const QString &name, QStringList *done,
            QString *error);

struct SiteStatus {
    QString name;
    bool enabled = false;
    bool running = false; // its worker is connected
    int tablesCopying = 0;
    QString receivedLsn;
    QString appliedLsn;
    QString lastMessageUtc;
    QString appliedUtc;
    qint64 units = 0;        // the site's units at the centre
    qint64 behindBytes = -1; // WAL the site has that the centre has not confirmed; -1: not known
    QString siteProblem;     // why the site could not be asked
};

// Every site the centre subscribes to; with a site URL also how far behind that site it is.
bool status(const QString &centre, const QString &site, QVector<SiteStatus> *out, QString *error);

} // namespace LogReplication
