#include "core/qc/log/LogSchema.h"

#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

// Any number will do, as long as it is the log's own: stations serialise their migrations on it.
const char kPostgresLock[] = "SELECT pg_advisory_xact_lock(584271903)";

QStringList stepStatements(int version, bool postgres)
{
    if (version == 1)
        return {
            QStringLiteral("CREATE TABLE qc_unit (station TEXT NOT NULL, run_id TEXT NOT NULL, "
                           "time_utc TEXT NOT NULL, serial TEXT NOT NULL DEFAULT '', "
                           "limits_name TEXT NOT NULL DEFAULT '', band INTEGER NOT NULL DEFAULT 0, "
                           "passed INTEGER NOT NULL, failures TEXT NOT NULL DEFAULT '', "
                           "data_file TEXT NOT NULL DEFAULT '', PRIMARY KEY (station, run_id))"),
            QStringLiteral("CREATE TABLE qc_parameter (station TEXT NOT NULL, run_id TEXT NOT "
                           "NULL, name TEXT NOT NULL, value DOUBLE PRECISION NOT NULL, "
                           "low DOUBLE PRECISION NOT NULL, high DOUBLE PRECISION NOT NULL, "
                           "PRIMARY KEY (station, run_id, name))"),
        };
    if (version == 2)
        return {
            // The report reads parameters alone: their own time and a covering index spare it
            // a join over every unit.
            QStringLiteral("ALTER TABLE qc_parameter ADD COLUMN time_utc TEXT NOT NULL DEFAULT ''"),
            QStringLiteral("UPDATE qc_parameter SET time_utc = (SELECT u.time_utc FROM qc_unit u "
                           "WHERE u.station = qc_parameter.station AND "
                           "u.run_id = qc_parameter.run_id)"),
            QStringLiteral("CREATE INDEX qc_unit_time ON qc_unit (time_utc, passed)"),
            QStringLiteral("CREATE INDEX qc_parameter_report ON qc_parameter "
                           "(name, time_utc, value, low, high)"),
        };
    if (version == 3)
        return {
            QStringLiteral("CREATE TABLE qc_day_unit (station TEXT NOT NULL, day TEXT NOT NULL, "
                           "units BIGINT NOT NULL, passed BIGINT NOT NULL, "
                           "PRIMARY KEY (station, day))"),
            QStringLiteral("CREATE TABLE qc_day_parameter (station TEXT NOT NULL, day TEXT NOT "
                           "NULL, name TEXT NOT NULL, n BIGINT NOT NULL, total DOUBLE PRECISION "
                           "NOT NULL, squares DOUBLE PRECISION NOT NULL, "
                           "PRIMARY KEY (station, day, name))"),
            QStringLiteral("INSERT INTO qc_day_unit (station, day, units, passed) SELECT "
                           "station, substr(time_utc, 1, 10), COUNT(*), SUM(passed) FROM qc_unit "
                           "GROUP BY station, substr(time_utc, 1, 10)"),
            QStringLiteral("INSERT INTO qc_day_parameter (station, day, name, n, total, squares) "
                           "SELECT station, substr(time_utc, 1, 10), name, COUNT(*), SUM(value), "
                           "SUM(value * value) FROM qc_parameter "
                           "GROUP BY station, substr(time_utc, 1, 10), name"),
        };
    if (version == 4) {
        // A parameter a unit does not show (no resonance) is kept as NULL with measured = 0.
        // SQLite cannot drop NOT NULL from a column, so there the table is made anew.
        QStringList steps;
        if (postgres)
            steps << QStringLiteral("ALTER TABLE qc_parameter ALTER COLUMN value DROP NOT NULL")
                  << QStringLiteral(
                         "ALTER TABLE qc_parameter ADD COLUMN measured INTEGER NOT NULL DEFAULT 1");
        else
            steps << QStringLiteral(
                         "CREATE TABLE qc_parameter_new (station TEXT NOT NULL, run_id TEXT NOT "
                         "NULL, name TEXT NOT NULL, value DOUBLE PRECISION, low DOUBLE PRECISION "
                         "NOT NULL, high DOUBLE PRECISION NOT NULL, time_utc TEXT NOT NULL "
                         "DEFAULT '', measured INTEGER NOT NULL DEFAULT 1, "
                         "PRIMARY KEY (station, run_id, name))")
                  << QStringLiteral("INSERT INTO qc_parameter_new (station, run_id, name, value, "
                                    "low, high, time_utc) SELECT station, run_id, name, value, "
                                    "low, high, time_utc FROM qc_parameter")
                  << QStringLiteral("DROP TABLE qc_parameter")
                  << QStringLiteral("ALTER TABLE qc_parameter_new RENAME TO qc_parameter")
                  << QStringLiteral("CREATE INDEX qc_parameter_report ON qc_parameter "
                                    "(name, time_utc, value, low, high)");
        // Capability is computed on the units that passed one limits: their sums per day.
        // A unit tested again is counted once, by its serial.
        steps << QStringLiteral("DROP TABLE qc_day_parameter")
              << QStringLiteral("CREATE TABLE qc_day_passed (station TEXT NOT NULL, day TEXT NOT "
                                "NULL, limits_name TEXT NOT NULL, name TEXT NOT NULL, n BIGINT "
                                "NOT NULL, total DOUBLE PRECISION NOT NULL, squares DOUBLE "
                                "PRECISION NOT NULL, PRIMARY KEY (station, day, limits_name, "
                                "name))")
              << QStringLiteral("INSERT INTO qc_day_passed (station, day, limits_name, name, n, "
                                "total, squares) SELECT p.station, substr(p.time_utc, 1, 10), "
                                "u.limits_name, p.name, COUNT(*), SUM(p.value), "
                                "SUM(p.value * p.value) FROM qc_parameter p JOIN qc_unit u ON "
                                "u.station = p.station AND u.run_id = p.run_id WHERE u.passed = 1 "
                                "AND p.measured = 1 GROUP BY p.station, substr(p.time_utc, 1, "
                                "10), u.limits_name, p.name")
              << QStringLiteral("CREATE INDEX qc_unit_serial ON qc_unit (serial, time_utc)");
        return steps;
    }
    if (version == 5)
        // Gauge studies: each study's shape, and every measurement of it, kept apart from the
        // verdicts. Operators are kept one per line.
        return {
            QStringLiteral("CREATE TABLE qc_study (name TEXT PRIMARY KEY, parts INTEGER NOT NULL, "
                           "operators TEXT NOT NULL, trials INTEGER NOT NULL, "
                           "created_utc TEXT NOT NULL, station TEXT NOT NULL DEFAULT '')"),
            QStringLiteral("CREATE TABLE qc_study_value (study TEXT NOT NULL, part INTEGER NOT "
                           "NULL, operator TEXT NOT NULL, trial INTEGER NOT NULL, name TEXT NOT "
                           "NULL, value DOUBLE PRECISION, time_utc TEXT NOT NULL, station TEXT "
                           "NOT NULL DEFAULT '', PRIMARY KEY (study, part, operator, trial, "
                           "name))"),
        };
    return {};
}

bool hasVersionTable(QSqlDatabase db)
{
    QSqlQuery q(db);
    if (isPostgres(db))
        q.exec(QStringLiteral("SELECT to_regclass('schema_version') IS NOT NULL"));
    else
        q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                              "name = 'schema_version'"));
    return q.next() && q.value(0).toBool();
}

bool run(QSqlQuery &q, const QString &sql, QString *error)
{
    if (q.exec(sql))
        return true;
    *error = q.lastError().databaseText().trimmed();
    if (error->isEmpty())
        *error = q.lastError().text();
    return false;
}

} // namespace

namespace LogSchema {

int version(QSqlDatabase db)
{
    if (!hasVersionTable(db))
        return db.lastError().isValid() ? -1 : 0;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

bool migrate(QSqlDatabase db, QString *error, int target)
{
    const int now = version(db);
    if (now == target)
        return true;
    if (now > kVersion) {
        *error = LogMessages::newerSchema(db.databaseName(), now, kVersion);
        return false;
    }
    if (!beginWrite(db)) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    bool ok = true;
    // An upgrade of a large log may take longer than a station's statement time-out.
    if (isPostgres(db))
        ok = run(q, QStringLiteral("SET LOCAL statement_timeout = 0"), error) &&
             run(q, QLatin1String(kPostgresLock), error);
    ok = ok && run(q,
                   QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER "
                                  "PRIMARY KEY, applied_utc TEXT NOT NULL)"),
                   error);
    // Read again under the lock: another station may have done the work meanwhile.
    int current = 0;
    if (ok &&
        run(q, QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_version"), error) &&
        q.next())
        current = q.value(0).toInt();
    if (ok && current > kVersion) {
        *error = LogMessages::newerSchema(db.databaseName(), current, kVersion);
        ok = false;
    }
    for (int v = current + 1; ok && v <= target; ++v) {
        for (const QString &sql : stepStatements(v, isPostgres(db)))
            ok = ok && run(q, sql, error);
        q.prepare(
            QStringLiteral("INSERT INTO schema_version (version, applied_utc) VALUES (?, ?)"));
        q.addBindValue(v);
        q.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
        ok = ok && q.exec();
    }
    q.finish();
    if (ok && commitWrite(db))
        return true;
    if (ok)
        *error = db.lastError().text();
    rollbackWrite(db);
    return false;
}

} // namespace LogSchema
