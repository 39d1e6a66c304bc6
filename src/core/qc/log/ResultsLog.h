#pragma once

#include "core/qc/QcRecord.h"
#include "core/qc/log/LogTarget.h"

#include <QDateTime>
#include <QString>
#include <memory>

struct QcReport;

// The station's results log. The target is an SQLite file, written directly, or a PostgreSQL
// server shared by a line of stations. For a server every result is first committed to the
// station's own SQLite spool and then forwarded: a server that is down or unreachable only
// delays the forwarding, and (station, run) being unique means a retry never doubles a row.
// One object per thread: each opens its own named connections.
class ResultsLog
{
public:
    ResultsLog();
    ~ResultsLog();
    ResultsLog(const ResultsLog &) = delete;
    ResultsLog &operator=(const ResultsLog &) = delete;

    // station: empty for the host name, at most kQcStationMaxLength characters; spoolPath:
    // empty for defaultSpoolPath(). False, with problem(), for a wrong target text or a file or
    // spool that cannot be opened; a damaged spool is put aside and a new one started (notice()
    // says where it went). A server that does not answer is no failure: results wait in the
    // spool and problem() says why. connectNow false leaves the server to the first record(),
    // which keeps its record in the spool before it tries the network.
    bool open(const QString &target, const QString &station = QString(),
              const QString &spoolPath = QString(), bool connectNow = true);
    void close();
    bool isOpen() const;

    const LogTarget &target() const;
    QString station() const;
    QString spoolPath() const; // empty for an SQLite target

    // Keeps the record (station filled in when empty) and then forwards what is pending
    // (forwardNow false: leaves it queued, problem() says so). False only when the record could
    // not be kept at all (a serial over kQcSerialMaxLength); a forwarding problem leaves the
    // record in the spool and shows in problem().
    bool record(const QcRecord &record, bool forwardNow = true);
    // forward(), unless the server could not be reached a moment ago: then problem() says so
    // again and the results wait.
    void forwardWhenDue();
    // Sends what is pending for this target in batches, each one transaction. The number sent,
    // or -1 when the server could not take them (problem() says why; nothing is lost). A
    // record the server refuses for good (a serial its encoding cannot store) is set aside in
    // the spool, problem() lists it, and the rest goes on.
    int forward();
    // Results queued for this target.
    int pending() const;
    // Results the server refused for good, kept in the spool (any target).
    int setAside() const;
    // The last problem, empty once the log works again.
    QString problem() const;
    // What else the spool holds, empty when nothing: results queued for other logs (they go
    // only to the log they were checked for), results set aside, a damaged spool put aside.
    QString notice() const;

    // Counts and statistics of the target from `since` (invalid: everything).
    bool report(const QDateTime &since, QcReport *out);

    static QString defaultStation();
    // "VELO2_qc_spool.sqlite" in the settings directory.
    static QString defaultSpoolPath();

private:
    int forwardQueue();

    struct Private;
    std::unique_ptr<Private> d;
};
