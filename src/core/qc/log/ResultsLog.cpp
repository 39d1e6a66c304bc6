#include "core/qc/log/ResultsLog.h"

#include "core/files/AppPaths.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QVariant>

namespace {

// Units per forwarding transaction: large enough to catch up quickly after an outage, small
// enough that a failure repeats little.
const int kBatchUnits = 500;
// After a server could not be reached, results only go to the spool for this long: each unit
// would otherwise wait for the connection's time-out again.
const int kRetryAfterMs = 10000;

QString errorText(const QSqlError &e)
{
    const QString db = e.databaseText().trimmed();
    return db.isEmpty() ? e.text().trimmed() : db;
}

} // namespace

struct ResultsLog::Private {
    LogTarget target;
    QString station;
    QString spoolPath;
    LogConnection local; // the SQLite target, or the spool of a server target
    LogConnection server;
    bool serverMigrated = false;
    QString problem;
    QString forwardProblem; // the last forwarding problem, without the spool's count
    QElapsedTimer sinceConnectFailed;

    bool setProblem(const QString &text)
    {
        problem = text;
        return false;
    }
    bool prepareLocal(const LogTarget &file, bool spool);
    bool connectServer();
    int sendBatch(bool *failed);
    void noteForwardProblem(const QString &message);
};

bool ResultsLog::Private::prepareLocal(const LogTarget &file, bool spool)
{
    const QString folder = QFileInfo(file.path).absolutePath();
    QDir().mkpath(folder);
    if (!local.open(file))
        return setProblem(local.message());
    QString error;
    QSqlDatabase db = local.db();
    if (!LogSchema::migrate(db, &error))
        return setProblem(LogMessages::failed(file.path, error));
    if (spool) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS qc_outbox (seq INTEGER PRIMARY "
                                   "KEY AUTOINCREMENT, station TEXT NOT NULL, run_id TEXT NOT "
                                   "NULL, UNIQUE (station, run_id))")))
            return setProblem(LogMessages::failed(file.path, errorText(q.lastError())));
    }
    return true;
}

void ResultsLog::Private::noteForwardProblem(const QString &message)
{
    forwardProblem = message;
    QSqlQuery q(local.db());
    int waiting = 0;
    if (q.exec(QStringLiteral("SELECT COUNT(*) FROM qc_outbox")) && q.next())
        waiting = q.value(0).toInt();
    problem = message + QLatin1Char('\n') + LogMessages::keptInSpool(waiting, spoolPath);
}

bool ResultsLog::Private::connectServer()
{
    if (server.isOpen() && serverMigrated)
        return true;
    serverMigrated = false;
    sinceConnectFailed.start();
    if (!server.open(target)) {
        noteForwardProblem(server.message());
        return false;
    }
    QString error;
    if (!LogSchema::migrate(server.db(), &error)) {
        server.close();
        noteForwardProblem(LogMessages::failed(target.display(), error));
        return false;
    }
    serverMigrated = true;
    sinceConnectFailed.invalidate();
    return true;
}

// One batch from the spool to the server; the number of units sent (0: nothing pending).
int ResultsLog::Private::sendBatch(bool *failed)
{
    *failed = false;
    QSqlDatabase spool = local.db();
    QSqlQuery q(spool);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT seq, station, run_id FROM qc_outbox ORDER BY seq LIMIT ?"));
    q.addBindValue(kBatchUnits);
    if (!q.exec()) {
        *failed = true;
        problem = LogMessages::failed(spoolPath, errorText(q.lastError()));
        return 0;
    }
    QVector<qint64> seqs;
    QVector<QPair<QString, QString>> keys;
    while (q.next()) {
        seqs.append(q.value(0).toLongLong());
        keys.append({q.value(1).toString(), q.value(2).toString()});
    }
    q.finish();
    if (keys.isEmpty())
        return 0;
    QVector<QcRecord> records;
    QString error;
    if (!readRecords(spool, keys, &records, &error)) {
        *failed = true;
        problem = LogMessages::failed(spoolPath, error);
        return 0;
    }

    bool ok = false;
    {
        QSqlDatabase db = server.db();
        const bool began = beginWrite(db);
        ok = began;
        error = errorText(db.lastError());
        if (ok) {
            RecordWriter writer(db);
            bool added = false;
            for (int i = 0; ok && i < records.size(); ++i) {
                ok = writer.write(records[i], &added);
                if (!ok)
                    error = writer.error();
            }
        }
        if (ok && !commitWrite(db)) {
            ok = false;
            error = errorText(db.lastError());
        }
        if (!ok && began)
            rollbackWrite(db);
    }
    if (!ok) {
        server.close();
        *failed = true;
        noteForwardProblem(LogMessages::failed(target.display(), error));
        return 0;
    }

    // The server has them: a crash before this point only means they are sent again, and the
    // server keeps the first copy.
    beginWrite(spool);
    QSqlQuery del(spool);
    del.prepare(QStringLiteral("DELETE FROM qc_outbox WHERE seq = ?"));
    for (qint64 seq : seqs) {
        del.addBindValue(seq);
        del.exec();
    }
    del.finish();
    commitWrite(spool);
    return int(keys.size());
}

ResultsLog::ResultsLog() : d(std::make_unique<Private>()) {}

ResultsLog::~ResultsLog() = default;

bool ResultsLog::open(const QString &target, const QString &station, const QString &spoolPath)
{
    close();
    d->target = parseLogTarget(target);
    d->station = station.isEmpty() ? defaultStation() : station;
    if (d->target.kind == LogTarget::Invalid)
        return d->setProblem(d->target.refusal());
    if (!d->target.isServer())
        return d->prepareLocal(d->target, false);

    d->spoolPath = spoolPath.isEmpty() ? defaultSpoolPath() : spoolPath;
    LogTarget spool;
    spool.kind = LogTarget::SQLite;
    spool.path = spool.text = d->spoolPath;
    if (!d->prepareLocal(spool, true)) {
        d->local.close();
        return false;
    }
    // Say at once when the server cannot be used; what waits in the spool goes on now.
    if (d->connectServer())
        forward();
    return true;
}

void ResultsLog::close()
{
    d->server.close();
    d->local.close();
    d->serverMigrated = false;
    d->spoolPath.clear();
    d->problem.clear();
}

bool ResultsLog::isOpen() const
{
    return d->local.isOpen();
}

const LogTarget &ResultsLog::target() const
{
    return d->target;
}

QString ResultsLog::station() const
{
    return d->station;
}

QString ResultsLog::spoolPath() const
{
    return d->spoolPath;
}

bool ResultsLog::record(const QcRecord &record)
{
    if (!isOpen())
        return false;
    QcRecord r = record;
    if (r.station.isEmpty())
        r.station = d->station;
    QSqlDatabase db = d->local.db();
    const QString where = d->target.isServer() ? d->spoolPath : d->target.path;
    if (!beginWrite(db))
        return d->setProblem(LogMessages::failed(where, errorText(db.lastError())));
    bool ok = false;
    QString error;
    {
        RecordWriter writer(db);
        bool added = false;
        ok = writer.write(r, &added);
        error = writer.error();
        if (ok && added && d->target.isServer()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral(
                "INSERT INTO qc_outbox (station, run_id) VALUES (?, ?) ON CONFLICT DO NOTHING"));
            q.addBindValue(r.station);
            q.addBindValue(r.runId);
            ok = q.exec();
            if (!ok)
                error = errorText(q.lastError());
        }
    }
    if (ok && !commitWrite(db)) {
        ok = false;
        error = errorText(db.lastError());
    }
    if (!ok) {
        rollbackWrite(db);
        return d->setProblem(LogMessages::failed(where, error));
    }
    if (!d->target.isServer())
        d->problem.clear();
    else if (d->sinceConnectFailed.isValid() && !d->sinceConnectFailed.hasExpired(kRetryAfterMs))
        d->noteForwardProblem(d->forwardProblem);
    else
        forward();
    return true;
}

int ResultsLog::forward()
{
    if (!isOpen() || !d->target.isServer())
        return 0;
    const EnglishServerMessages english;
    int sent = 0;
    bool retried = false;
    for (;;) {
        const bool wasOpen = d->server.isOpen();
        if (!d->connectServer())
            return -1;
        bool failed = false;
        const int n = d->sendBatch(&failed);
        if (failed) {
            // A connection from before a server restart fails once: try a fresh one.
            if (wasOpen && !retried) {
                retried = true;
                continue;
            }
            return -1;
        }
        if (n == 0)
            break;
        sent += n;
    }
    d->problem.clear();
    return sent;
}

int ResultsLog::pending() const
{
    if (!isOpen() || !d->target.isServer())
        return 0;
    QSqlQuery q(d->local.db());
    if (q.exec(QStringLiteral("SELECT COUNT(*) FROM qc_outbox")) && q.next())
        return q.value(0).toInt();
    return -1;
}

QString ResultsLog::problem() const
{
    return d->problem;
}

bool ResultsLog::report(const QDateTime &since, QcReport *out)
{
    if (!isOpen())
        return false;
    if (d->target.isServer() && !d->connectServer())
        return false;
    QString error;
    QSqlDatabase db = d->target.isServer() ? d->server.db() : d->local.db();
    if (!computeQcReport(db, since, out, &error))
        return d->setProblem(LogMessages::failed(d->target.display(), error));
    return true;
}

QString ResultsLog::defaultStation()
{
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QStringLiteral("station") : host;
}

QString ResultsLog::defaultSpoolPath()
{
    return QDir(settingsDirectory()).filePath(QStringLiteral("VELO2_qc_spool.sqlite"));
}
