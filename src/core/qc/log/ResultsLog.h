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

    // station: empty for the host name; spoolPath: empty for defaultSpoolPath(). False, with
    // problem(), for a wrong target text or a file or spool that cannot be opened. A server that
    // does not answer is no failure: results wait in the spool and problem() says why.
    bool open(const QString &target, const QString &station = QString(),
              const QString &spoolPath = QString());
    void close();
    bool isOpen() const;

    const LogTarget &target() const;
    QString station() const;
    QString spoolPath() const; // empty for an SQLite target

    // Keeps the record (station filled in when empty) and then forwards what is pending.
    // False only when the record could not be kept at all; a forwarding problem leaves the
    // record in the spool and shows in problem().
    bool record(const QcRecord &record);
    // Sends what is pending in batches, each one transaction. The number sent, or -1 when
    // the server could not take them (problem() says why; nothing is lost).
    int forward();
    int pending() const;
    // The last problem, empty once the log works again.
    QString problem() const;

    // Counts and statistics of the target from `since` (invalid: everything).
    bool report(const QDateTime &since, QcReport *out);

    static QString defaultStation();
    // "VELO2_qc_spool.sqlite" in the settings directory.
    static QString defaultSpoolPath();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
