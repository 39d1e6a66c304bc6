#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogQuery.h"

#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"

#include <QJsonValue>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

namespace {

struct Sums {
    qint64 n = 0;
    double total = 0.0;
    double squares = 0.0;
};

} // namespace

namespace {

// A result of the period that a later result of the same serial replaces.
struct Replaced {
    QString station;
    QString runId;
    bool passed = false;
    QString limitsName;
};

// The earlier results of every serial tested more than once since `from`. Units without a
// serial cannot be told apart and count each.
bool replacedResults(QSqlDatabase db, const QString &from, QVector<Replaced> *out, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT serial FROM qc_unit WHERE serial > '' AND time_utc >= ? "
                             "GROUP BY serial HAVING COUNT(*) > 1"));
    if (!execBound(q, {from}, error))
        return false;
    QStringList serials;
    while (q.next())
        serials << q.value(0).toString();
    q.finish();
    q.prepare(QStringLiteral("SELECT station, run_id, passed, limits_name FROM qc_unit WHERE "
                             "serial = ? AND time_utc >= ? ORDER BY time_utc DESC, station DESC, "
                             "run_id DESC"));
    for (const QString &serial : serials) {
        if (!execBound(q, {serial, from}, error))
            return false;
        if (q.next())
            while (q.next())
                out->append({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt() != 0,
                             q.value(3).toString()});
        q.finish();
    }
    return true;
}

} // namespace

bool computeQcReport(QSqlDatabase db, const QDateTime &since, QcReport *out, QString *error)
{
    *out = QcReport();
    // Whole days after the start's day come from the day sums; the rest of the start's day from
    // the units themselves. Without a start, every day is whole.
    const QString from = since.isValid() ? logTimeText(since) : QStringLiteral("");
    const QString fromDay = since.isValid() ? logDay(from) : QStringLiteral("");
    const QString nextDay =
        since.isValid() ? QDate::fromString(fromDay, Qt::ISODate).addDays(1).toString(Qt::ISODate)
                        : QString();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT COALESCE(SUM(units), 0), COALESCE(SUM(passed), 0) FROM "
                             "qc_day_unit WHERE day > ?"));
    if (!execBound(q, {fromDay}, error) || !q.next())
        return false;
    out->results = q.value(0).toLongLong();
    qint64 passedResults = q.value(1).toLongLong();
    q.finish();
    if (since.isValid()) {
        q.prepare(QStringLiteral("SELECT COUNT(*), COALESCE(SUM(passed), 0) FROM qc_unit "
                                 "WHERE time_utc >= ? AND time_utc < ?"));
        if (!execBound(q, {from, nextDay}, error) || !q.next())
            return false;
        out->results += q.value(0).toLongLong();
        passedResults += q.value(1).toLongLong();
        q.finish();
    }
    // A unit tested again counts once, with its latest result.
    QVector<Replaced> replaced;
    if (!replacedResults(db, from, &replaced, error))
        return false;
    out->units = out->results - replaced.size();
    out->passed = passedResults;
    for (const Replaced &r : replaced)
        out->passed -= r.passed ? 1 : 0;
    out->failed = out->units - out->passed;
    out->yieldPct = out->units > 0 ? 100.0 * double(out->passed) / double(out->units) : kNaN;

    // Capability is that of the units that passed the limits of the latest unit, each once:
    // failed units and units of other limits are not the population those limits are for.
    q.prepare(QStringLiteral("SELECT station, run_id, limits_name FROM qc_unit WHERE time_utc >= "
                             "? ORDER BY time_utc DESC LIMIT 1"));
    if (!execBound(q, {from}, error))
        return false;
    if (!q.next())
        return true;
    const QString latestStation = q.value(0).toString();
    const QString latestRun = q.value(1).toString();
    out->capabilityLimits = q.value(2).toString();
    q.finish();
    const QString limits = out->capabilityLimits;

    QMap<QString, Sums> sums;
    q.prepare(QStringLiteral("SELECT name, SUM(n), SUM(total), SUM(squares) FROM qc_day_passed "
                             "WHERE limits_name = ? AND day > ? GROUP BY name"));
    if (!execBound(q, {limits, fromDay}, error))
        return false;
    while (q.next())
        sums[q.value(0).toString()] = {q.value(1).toLongLong(), q.value(2).toDouble(),
                                       q.value(3).toDouble()};
    q.finish();
    if (since.isValid()) {
        q.prepare(QStringLiteral(
            "SELECT p.name, COUNT(p.value), SUM(p.value), SUM(p.value * p.value) FROM qc_unit u "
            "JOIN qc_parameter p ON p.station = u.station AND p.run_id = u.run_id WHERE "
            "u.time_utc >= ? AND u.time_utc < ? AND u.passed = 1 AND u.limits_name = ? AND "
            "p.measured = 1 GROUP BY p.name"));
        if (!execBound(q, {from, nextDay, limits}, error))
            return false;
        while (q.next()) {
            Sums &s = sums[q.value(0).toString()];
            s.n += q.value(1).toLongLong();
            s.total += q.value(2).toDouble();
            s.squares += q.value(3).toDouble();
        }
        q.finish();
    }
    q.prepare(QStringLiteral("SELECT name, value FROM qc_parameter WHERE station = ? AND "
                             "run_id = ? AND measured = 1"));
    for (const Replaced &r : replaced) {
        if (!r.passed || r.limitsName != limits)
            continue;
        if (!execBound(q, {r.station, r.runId}, error))
            return false;
        while (q.next()) {
            Sums &s = sums[q.value(0).toString()];
            const double v = q.value(1).toDouble();
            s.n -= 1;
            s.total -= v;
            s.squares -= v * v;
        }
        q.finish();
    }

    // The windows are those of the latest unit.
    QMap<QString, QPair<double, double>> windows;
    q.prepare(QStringLiteral("SELECT name, low, high FROM qc_parameter WHERE station = ? AND "
                             "run_id = ?"));
    if (!execBound(q, {latestStation, latestRun}, error))
        return false;
    while (q.next())
        windows[q.value(0).toString()] = {q.value(1).toDouble(), q.value(2).toDouble()};
    q.finish();

    for (auto it = sums.cbegin(); it != sums.cend(); ++it) {
        if (it->n <= 0)
            continue;
        QcParameterStats s;
        s.name = it.key();
        s.count = it->n;
        const double n = double(it->n);
        s.mean = it->total / n;
        // A spread below the rounding of the sums is none: equal values have no Cpk.
        double squares = it->squares - it->total * s.mean;
        if (squares <= 16.0 * n * std::numeric_limits<double>::epsilon() * it->squares)
            squares = 0.0;
        s.sigma = s.count > 1 ? std::sqrt(squares / (n - 1)) : kNaN;
        s.low = windows.value(s.name, {kNaN, kNaN}).first;
        s.high = windows.value(s.name, {kNaN, kNaN}).second;
        s.cpk = std::isfinite(s.sigma) && s.sigma > 0.0 && std::isfinite(s.low)
                    ? std::min(s.high - s.mean, s.mean - s.low) / (3.0 * s.sigma)
                    : kNaN;
        out->parameters.append(s);
    }
    return true;
}

bool openLogToRead(const QString &text, LogConnection *connection, QString *error)
{
    const LogTarget target = parseLogTarget(text);
    if (!connection->open(target, true)) {
        *error = connection->message();
        return false;
    }
    const int version = LogSchema::version(connection->db());
    if (version <= 0) {
        *error = LogMessages::notALog(target.display());
        return false;
    }
    if (version > LogSchema::kVersion) {
        *error = LogMessages::newerSchema(target.display(), version, LogSchema::kVersion);
        return false;
    }
    if (version < LogSchema::kVersion) {
        // An older log is brought up to date once; reading it needs the newer tables.
        LogConnection writable;
        QString detail;
        if (!writable.open(target) || !LogSchema::migrate(writable.db(), &detail)) {
            *error = LogMessages::failed(target.display(),
                                         detail.isEmpty() ? writable.message() : detail);
            return false;
        }
    }
    return true;
}

bool reportFromTarget(const QString &text, const QDateTime &since, QcReport *out, QString *error)
{
    LogConnection connection;
    if (!openLogToRead(text, &connection, error))
        return false;
    QString detail;
    if (!computeQcReport(connection.db(), since, out, &detail)) {
        *error = LogMessages::failed(connection.target().display(), detail);
        return false;
    }
    return true;
}

QString qcCapabilityPopulation(const QcReport &r)
{
    return QStringLiteral("units that passed %1, latest result per serial").arg(r.capabilityLimits);
}

QJsonObject qcReportJson(const QcReport &r)
{
    QJsonObject parameters;
    for (const QcParameterStats &s : r.parameters)
        parameters.insert(s.name, QJsonObject{{QStringLiteral("mean"), reportJsonNumber(s.mean)},
                                              {QStringLiteral("sigma"), reportJsonNumber(s.sigma)},
                                              {QStringLiteral("cpk"), reportJsonNumber(s.cpk)},
                                              {QStringLiteral("n"), double(s.count)},
                                              {QStringLiteral("low"), reportJsonNumber(s.low)},
                                              {QStringLiteral("high"), reportJsonNumber(s.high)}});
    return QJsonObject{
        {QStringLiteral("units"), double(r.units)},
        {QStringLiteral("passed"), double(r.passed)},
        {QStringLiteral("failed"), double(r.failed)},
        {QStringLiteral("yieldPct"), reportJsonNumber(r.yieldPct)},
        {QStringLiteral("results"), double(r.results)},
        {QStringLiteral("capabilityOf"),
         r.capabilityLimits.isNull() ? QJsonValue() : QJsonValue(qcCapabilityPopulation(r))},
        {QStringLiteral("parameters"), parameters}};
}

QString qcReportCsv(const QcReport &r)
{
    QString population = qcCapabilityPopulation(r);
    population.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    QString csv =
        QStringLiteral("units,passed,failed,yieldPct,results,capabilityOf\n"
                       "%1,%2,%3,%4,%5,%6\n\n")
            .arg(r.units)
            .arg(r.passed)
            .arg(r.failed)
            .arg(reportCsvNumber(r.yieldPct))
            .arg(r.results)
            .arg(r.capabilityLimits.isNull() ? QString()
                                             : QLatin1Char('"') + population + QLatin1Char('"'));
    csv += QStringLiteral("parameter,n,mean,sigma,low,high,cpk\n");
    for (const QcParameterStats &s : r.parameters)
        csv += QStringList{s.name,
                           QString::number(s.count),
                           reportCsvNumber(s.mean),
                           reportCsvNumber(s.sigma),
                           reportCsvNumber(s.low),
                           reportCsvNumber(s.high),
                           reportCsvNumber(s.cpk)}
                   .join(QLatin1Char(',')) +
               QLatin1Char('\n');
    return csv;
}

QStringList qcReportText(const QcReport &r)
{
    QStringList lines;
    lines << QStringLiteral("units   %1").arg(r.units) << QStringLiteral("passed  %1").arg(r.passed)
          << QStringLiteral("failed  %1").arg(r.failed)
          << QStringLiteral("yield   %1 %").arg(reportTextNumber(r.yieldPct, 2));
    if (r.results != r.units)
        lines << QStringLiteral("results %1 (a unit tested again counts once above, by its "
                                "serial, with its latest result)")
                     .arg(r.results);
    if (r.parameters.isEmpty())
        return lines;
    lines << QString() << QStringLiteral("mean, sigma and Cpk of the ") + qcCapabilityPopulation(r)
          << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                 .arg(QStringLiteral("parameter"), -9)
                 .arg(QStringLiteral("n"), 9)
                 .arg(QStringLiteral("mean"), 12)
                 .arg(QStringLiteral("sigma"), 12)
                 .arg(QStringLiteral("low"), 12)
                 .arg(QStringLiteral("high"), 12)
                 .arg(QStringLiteral("Cpk"), 7);
    for (const QcParameterStats &s : r.parameters)
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                     .arg(s.name, -9)
                     .arg(s.count, 9)
                     .arg(reportTextNumber(s.mean, 4), 12)
                     .arg(reportTextNumber(s.sigma, 4), 12)
                     .arg(reportTextNumber(s.low, 4), 12)
                     .arg(reportTextNumber(s.high, 4), 12)
                     .arg(reportTextNumber(s.cpk, 2), 7);
    return lines;
}
