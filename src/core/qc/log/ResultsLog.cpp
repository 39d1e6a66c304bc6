#include "core/qc/log/ResultsLog.h"
#include "core/qc/log/LogQuery.h"

#include "core/files/AppPaths.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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

// Where a queued result goes: the server, port and database, never the password. The user
// is how a station signs in, not where its results belong, so it may change.
QString spoolKeyOf(const LogTarget &t)
{
    const bool socket = t.host.startsWith(QLatin1Char('/'));
    const QString port = QString::number(t.port > 0 ? t.port : 5432);
    if (t.host.isEmpty())
        return QStringLiteral("postgresql:///%1?port=%2").arg(t.database, port);
    if (socket)
        return QStringLiteral("postgresql:///%1?host=%2&port=%3").arg(t.database, t.host, port);
    return QStringLiteral("postgresql://%1:%2/%3").arg(t.host.toLower(), port, t.database);
}

// The server refused the record itself (a value it cannot store, a key too large for its
// index, a constraint), not the connection or the moment: sending it again cannot help.
bool refusedForGood(const QString &sqlState)
{
    return sqlState.startsWith(QLatin1String("22")) || sqlState.startsWith(QLatin1String("23")) ||
           sqlState.startsWith(QLatin1String("54"));
}

// SQLite's own words for a file it cannot read as a database.
bool unreadable(const QString &message)
{
    for (const char *what : {"file is not a database", "database disk image is malformed",
                             "disk I/O error", "unable to open database file"})
        if (message.contains(QLatin1String(what)))
            return true;
    return false;
}

// "VELO2_qc_spool.sqlite" -> "VELO2_qc_spool.damaged-20261207-153000.sqlite"
QString asideName(const QString &path)
{
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = info.dir().filePath(info.completeBaseName() + QStringLiteral(".damaged-") +
                                        stamp + QLatin1Char('.') + info.suffix());
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = info.dir().filePath(info.completeBaseName() + QStringLiteral(".damaged-") + stamp +
                                    QLatin1Char('-') + QString::number(n) + QLatin1Char('.') +
                                    info.suffix());
    return aside;
}

} // namespace

struct ResultsLog::Private {
    LogTarget target;
    QString spoolKey; // the target as the spool keeps it with every queued result
    QString station;
    QString spoolPath;
    LogConnection local; // the SQLite target, or the spool of a server target
    LogConnection server;
    bool serverMigrated = false;
    QString problem;
    QString forwardProblem; // the last forwarding problem, without the spool's count
    QElapsedTimer sinceConnectFailed;
    QString spoolMoved; // a damaged spool put aside at open
    QString notice;
    QStringList refusedNow; // serials set aside by the current forward()
    QString refusedReason;

    bool setProblem(const QString &text)
    {
        problem = text;
        return false;
    }
    bool prepareLocal(const LogTarget &file, bool spool);
    bool prepareOutbox();
    bool openSpool(const LogTarget &file);
    bool connectServer();
    int sendBatch(bool *failed, int *sent);
    bool sendOneByOne(const QVector<QcRecord> &records, QVector<int> *done,
                      QVector<QPair<int, QString>> *refused, QString *error);
    void noteForwardProblem(const QString &message);
    int waiting();
    void updateNotice();
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
    return !spool || prepareOutbox();
}

bool ResultsLog::Private::prepareOutbox()
{
    QSqlDatabase db = local.db();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS qc_outbox (seq INTEGER PRIMARY KEY "
                               "AUTOINCREMENT, station TEXT NOT NULL, run_id TEXT NOT NULL, "
                               "target TEXT NOT NULL DEFAULT '', refused TEXT, "
                               "UNIQUE (station, run_id))")))
        return setProblem(LogMessages::failed(spoolPath, sqlErrorText(q.lastError())));
    QStringList columns;
    if (q.exec(QStringLiteral("PRAGMA table_info(qc_outbox)")))
        while (q.next())
            columns << q.value(1).toString();
    // A spool of an older station kept no target: its results were meant for the log the
    // station logs into, which is the one it is opened for now.
    bool ok = true;
    if (!columns.contains(QLatin1String("target")))
        ok = q.exec(
            QStringLiteral("ALTER TABLE qc_outbox ADD COLUMN target TEXT NOT NULL DEFAULT ''"));
    if (ok && !columns.contains(QLatin1String("refused")))
        ok = q.exec(QStringLiteral("ALTER TABLE qc_outbox ADD COLUMN refused TEXT"));
    if (ok) {
        q.prepare(QStringLiteral("UPDATE qc_outbox SET target = ? WHERE target = ''"));
        q.addBindValue(spoolKey);
        ok = q.exec();
    }
    if (!ok)
        return setProblem(LogMessages::failed(spoolPath, sqlErrorText(q.lastError())));
    return true;
}

// A spool that cannot be read is put aside under a dated name, with its journal, and a new one
// is started: a damaged file must not stop the station logging.
bool ResultsLog::Private::openSpool(const LogTarget &file)
{
    const QFileInfo info(file.path);
    const QString wal = file.path + QStringLiteral("-wal");
    const bool truncated = info.exists() && info.size() == 0 && QFileInfo(wal).size() == 0;
    QString detail;
    if (!truncated) {
        if (prepareLocal(file, true))
            return true;
        local.close();
        // A spool another process holds locked, a full disk or a newer program's spool is
        // left where it is.
        if (!info.exists() || !unreadable(problem))
            return false;
        detail = problem;
    } else {
        detail = LogMessages::spoolEmpty();
    }
    const QString aside = asideName(file.path);
    if (!QFile::rename(file.path, aside))
        return setProblem(detail);
    if (QFileInfo::exists(wal))
        QFile::rename(wal, aside + QStringLiteral("-wal"));
    QFile::remove(file.path + QStringLiteral("-shm"));
    spoolMoved = LogMessages::spoolMovedAside(file.path, aside, detail);
    problem.clear();
    if (prepareLocal(file, true))
        return true;
    local.close();
    return setProblem(spoolMoved + QLatin1Char('\n') + problem);
}

int ResultsLog::Private::waiting()
{
    QSqlQuery q(local.db());
    q.prepare(
        QStringLiteral("SELECT COUNT(*) FROM qc_outbox WHERE target = ? AND refused IS NULL"));
    q.addBindValue(spoolKey);
    if (q.exec() && q.next())
        return q.value(0).toInt();
    return -1;
}

void ResultsLog::Private::noteForwardProblem(const QString &message)
{
    forwardProblem = message;
    problem = message + QLatin1Char('\n') + LogMessages::keptInSpool(waiting(), spoolPath);
}

// What waits in the spool besides this log's queue: results for other logs, results set aside.
void ResultsLog::Private::updateNotice()
{
    QStringList lines;
    if (!spoolMoved.isEmpty())
        lines << spoolMoved;
    QSqlQuery q(local.db());
    q.prepare(QStringLiteral("SELECT target, COUNT(*) FROM qc_outbox WHERE target <> ? AND "
                             "refused IS NULL GROUP BY target ORDER BY target"));
    q.addBindValue(spoolKey);
    if (q.exec())
        while (q.next())
            lines << LogMessages::waitForOtherLog(q.value(1).toInt(), q.value(0).toString(),
                                                  spoolPath);
    q.finish();
    if (q.exec(QStringLiteral("SELECT COUNT(*) FROM qc_outbox WHERE refused IS NOT NULL")) &&
        q.next() && q.value(0).toInt() > 0)
        lines << LogMessages::setAsideInSpool(q.value(0).toInt(), spoolPath);
    notice = lines.join(QLatin1Char('\n'));
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

// One batch of this log's queue from the spool to the server; the number of queued results
// dealt with, sent or set aside (0: nothing pending), *sent the ones sent.
int ResultsLog::Private::sendBatch(bool *failed, int *sent)
{
    *failed = false;
    QSqlDatabase spool = local.db();
    QSqlQuery q(spool);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT seq, station, run_id FROM qc_outbox WHERE target = ? AND "
                             "refused IS NULL ORDER BY seq LIMIT ?"));
    q.addBindValue(spoolKey);
    q.addBindValue(kBatchUnits);
    if (!q.exec()) {
        *failed = true;
        problem = LogMessages::failed(spoolPath, sqlErrorText(q.lastError()));
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
    QString code;
    {
        QSqlDatabase db = server.db();
        const bool began = beginWrite(db);
        ok = began;
        error = sqlErrorText(db.lastError());
        if (ok) {
            RecordWriter writer(db);
            bool added = false;
            for (int i = 0; ok && i < records.size(); ++i) {
                ok = writer.write(records[i], &added);
                if (!ok) {
                    error = writer.error();
                    code = writer.errorCode();
                }
            }
        }
        if (ok && !commitWrite(db)) {
            ok = false;
            error = sqlErrorText(db.lastError());
        }
        if (!ok && began)
            rollbackWrite(db);
    }
    QVector<qint64> done = ok ? seqs : QVector<qint64>();
    QVector<QPair<qint64, QString>> refused;
    // One record the server will never take must not hold up the rest: find it and set it
    // aside.
    if (!ok && refusedForGood(code)) {
        QVector<int> sentNow;
        QVector<QPair<int, QString>> refusedNowAt;
        ok = sendOneByOne(records, &sentNow, &refusedNowAt, &error);
        QHash<QPair<QString, QString>, qint64> seqOf;
        for (int i = 0; i < keys.size(); ++i)
            seqOf.insert(keys[i], seqs[i]);
        done.clear();
        for (int i : sentNow)
            done.append(seqOf.take({records[i].station, records[i].runId}));
        for (const auto &r : refusedNowAt)
            refused.append(
                {seqOf.take({records[r.first].station, records[r.first].runId}), r.second});
        // What is left had no record in the spool, unless the sending stopped early.
        if (ok)
            for (qint64 seq : std::as_const(seqOf))
                done.append(seq);
    }
    if (!ok && done.isEmpty() && refused.isEmpty()) {
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
    for (qint64 seq : done) {
        del.addBindValue(seq);
        del.exec();
    }
    del.finish();
    QSqlQuery aside(spool);
    aside.prepare(QStringLiteral("UPDATE qc_outbox SET refused = ? WHERE seq = ?"));
    for (const auto &r : refused) {
        aside.addBindValue(r.second);
        aside.addBindValue(r.first);
        aside.exec();
    }
    aside.finish();
    commitWrite(spool);
    *sent += int(done.size());
    if (!ok) {
        server.close();
        *failed = true;
        noteForwardProblem(LogMessages::failed(target.display(), error));
        return 0;
    }
    return int(done.size() + refused.size());
}

// Each record in a transaction of its own; done and refused get indexes in `records`. False on a
// failure that is not the record's own (the rest then waits).
bool ResultsLog::Private::sendOneByOne(const QVector<QcRecord> &records, QVector<int> *done,
                                       QVector<QPair<int, QString>> *refused, QString *error)
{
    QSqlDatabase db = server.db();
    RecordWriter writer(db);
    for (int i = 0; i < records.size(); ++i) {
        if (!beginWrite(db)) {
            *error = sqlErrorText(db.lastError());
            return false;
        }
        bool added = false;
        if (writer.write(records[i], &added)) {
            if (!commitWrite(db)) {
                *error = sqlErrorText(db.lastError());
                rollbackWrite(db);
                return false;
            }
            done->append(i);
            continue;
        }
        rollbackWrite(db);
        if (!refusedForGood(writer.errorCode())) {
            *error = writer.error();
            return false;
        }
        refused->append({i, writer.error()});
        refusedNow << records[i].serial;
        refusedReason = writer.error();
    }
    return true;
}

ResultsLog::ResultsLog() : d(std::make_unique<Private>()) {}

ResultsLog::~ResultsLog() = default;

bool ResultsLog::open(const QString &target, const QString &station, const QString &spoolPath,
                      bool connectNow)
{
    close();
    d->target = parseLogTarget(target);
    d->station = station.isEmpty() ? defaultStation() : station;
    if (d->target.kind == LogTarget::Invalid)
        return d->setProblem(d->target.refusal());
    if (d->station.size() > kQcStationMaxLength)
        return d->setProblem(LogMessages::stationTooLong(d->station.size(), kQcStationMaxLength));
    if (!d->target.isServer())
        return d->prepareLocal(d->target, false);

    d->spoolPath = spoolPath.isEmpty() ? defaultSpoolPath() : spoolPath;
    d->spoolKey = spoolKeyOf(d->target);
    LogTarget spool;
    spool.kind = LogTarget::SQLite;
    spool.path = spool.text = d->spoolPath;
    if (!d->openSpool(spool))
        return false;
    // Say at once when the server cannot be used; what waits in the spool goes on now.
    if (connectNow && d->connectServer())
        forward();
    d->updateNotice();
    return true;
}

void ResultsLog::close()
{
    d->server.close();
    d->local.close();
    d->serverMigrated = false;
    d->spoolPath.clear();
    d->problem.clear();
    d->spoolMoved.clear();
    d->notice.clear();
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

bool ResultsLog::record(const QcRecord &record, bool forwardNow)
{
    if (!isOpen())
        return false;
    QcRecord r = record;
    if (r.station.isEmpty())
        r.station = d->station;
    if (r.station.size() > kQcStationMaxLength)
        return d->setProblem(LogMessages::stationTooLong(r.station.size(), kQcStationMaxLength));
    if (r.serial.size() > kQcSerialMaxLength)
        return d->setProblem(LogMessages::serialTooLong(r.serial.size(), kQcSerialMaxLength));
    QSqlDatabase db = d->local.db();
    const QString where = d->target.isServer() ? d->spoolPath : d->target.path;
    if (!beginWrite(db))
        return d->setProblem(LogMessages::failed(where, sqlErrorText(db.lastError())));
    bool ok = false;
    QString error;
    {
        RecordWriter writer(db);
        bool added = false;
        ok = writer.write(r, &added);
        error = writer.error();
        if (ok && added && d->target.isServer()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("INSERT INTO qc_outbox (station, run_id, target) VALUES "
                                     "(?, ?, ?) ON CONFLICT DO NOTHING"));
            q.addBindValue(r.station);
            q.addBindValue(r.runId);
            q.addBindValue(d->spoolKey);
            ok = q.exec();
            if (!ok)
                error = sqlErrorText(q.lastError());
        }
    }
    if (ok && !commitWrite(db)) {
        ok = false;
        error = sqlErrorText(db.lastError());
    }
    if (!ok) {
        rollbackWrite(db);
        return d->setProblem(LogMessages::failed(where, error));
    }
    if (!d->target.isServer())
        d->problem.clear();
    else if (!forwardNow)
        d->problem = LogMessages::keptInSpool(d->waiting(), d->spoolPath);
    else
        forwardWhenDue();
    return true;
}

void ResultsLog::forwardWhenDue()
{
    if (!isOpen() || !d->target.isServer())
        return;
    if (d->sinceConnectFailed.isValid() && !d->sinceConnectFailed.hasExpired(kRetryAfterMs))
        d->noteForwardProblem(d->forwardProblem);
    else
        forward();
}

int ResultsLog::forward()
{
    if (!isOpen() || !d->target.isServer())
        return 0;
    d->refusedNow.clear();
    const int sent = forwardQueue();
    d->updateNotice();
    if (sent >= 0 && !d->refusedNow.isEmpty())
        d->problem =
            LogMessages::setAside(int(d->refusedNow.size()), d->target.display(), d->spoolPath,
                                  d->refusedNow.join(QStringLiteral(", ")), d->refusedReason);
    return sent;
}

int ResultsLog::forwardQueue()
{
    const EnglishServerMessages english;
    int sent = 0;
    bool retried = false;
    for (;;) {
        const bool wasOpen = d->server.isOpen();
        if (!d->connectServer())
            return -1;
        bool failed = false;
        const int n = d->sendBatch(&failed, &sent);
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
    }
    d->problem.clear();
    return sent;
}

int ResultsLog::pending() const
{
    if (!isOpen() || !d->target.isServer())
        return 0;
    return d->waiting();
}

QString ResultsLog::notice() const
{
    return d->notice;
}

int ResultsLog::setAside() const
{
    if (!isOpen() || !d->target.isServer())
        return 0;
    QSqlQuery q(d->local.db());
    if (q.exec(QStringLiteral("SELECT COUNT(*) FROM qc_outbox WHERE refused IS NOT NULL")) &&
        q.next())
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
