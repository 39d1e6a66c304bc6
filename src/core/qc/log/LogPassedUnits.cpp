#include "core/qc/log/LogPassedUnits.h"
#include "core/qc/log/LogQuery.h"

#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/LogReport.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

int parameterIndex(const QString &name)
{
    for (int p = 0; p < kQcParameterCount; ++p)
        if (name == QLatin1String(kQcParameterNames[p]))
            return p;
    return -1;
}

} // namespace

QString logLimitsType(const QString &limitsName)
{
    static const QRegularExpression revision(QStringLiteral(" v\\d+$"));
    const QRegularExpressionMatch m = revision.match(limitsName);
    return m.hasMatch() ? limitsName.left(m.capturedStart()) : limitsName;
}

bool passedUnitsFromLog(QSqlDatabase db, const LogPassedQuery &query, LogPassedUnits *out,
                        QString *error)
{
    *out = LogPassedUnits();
    QString where = QStringLiteral(" WHERE 1 = 1");
    QVariantList values;
    if (!query.station.isEmpty()) {
        where += QStringLiteral(" AND station = ?");
        values << query.station;
    }
    const QString order = QStringLiteral(" ORDER BY time_utc DESC, station DESC, run_id DESC");
    QSqlQuery q(db);
    q.setForwardOnly(true);
    out->limitsName = query.limitsName;
    if (out->limitsName.isEmpty()) {
        q.prepare(QStringLiteral("SELECT limits_name FROM qc_unit") + where +
                  QStringLiteral(" AND passed = 1") + order + QStringLiteral(" LIMIT 1"));
        if (!execBound(q, values, error))
            return false;
        if (!q.next())
            return true;
        out->limitsName = logLimitsType(q.value(0).toString());
        q.finish();
    }
    // Every result of the type, latest first, until enough units passed. LIKE narrows the
    // rows; the type is compared exactly here (SQLite's LIKE ignores case).
    QString pattern = out->limitsName;
    pattern.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    q.prepare(QStringLiteral("SELECT station, run_id, serial, passed, limits_name FROM qc_unit") +
              where + QStringLiteral(" AND limits_name LIKE ? ESCAPE '\\'") + order);
    if (!execBound(q, values + QVariantList{pattern + QStringLiteral(" v%")}, error))
        return false;
    QVector<QPair<QString, QString>> runs;
    QSet<QString> serials;
    while (int(runs.size()) < query.last && q.next()) {
        const QString limits = q.value(4).toString();
        if (logLimitsType(limits) != out->limitsName)
            continue;
        const QString serial = q.value(2).toString();
        if (!serial.isEmpty()) {
            if (serials.contains(serial))
                continue;
            serials.insert(serial);
        }
        if (q.value(3).toInt() == 0)
            continue;
        if (runs.isEmpty())
            out->latestLimits = limits;
        runs.append({q.value(0).toString(), q.value(1).toString()});
    }
    q.finish();

    q.prepare(QStringLiteral("SELECT name, value, low, high FROM qc_parameter WHERE station = ? "
                             "AND run_id = ? AND measured = 1"));
    for (const auto &run : runs) {
        if (!execBound(q, {run.first, run.second}, error))
            return false;
        while (q.next()) {
            const int p = parameterIndex(q.value(0).toString());
            if (p < 0)
                continue;
            out->values[p].append(q.value(1).toDouble());
            if (out->units == 0)
                out->windows[p] = {q.value(2).toDouble(), q.value(3).toDouble()};
        }
        q.finish();
        ++out->units;
    }
    return true;
}

bool passedUnitsFromTarget(const QString &text, const LogPassedQuery &query, LogPassedUnits *out,
                           QString *error)
{
    LogConnection connection;
    if (!openLogToRead(text, &connection, error))
        return false;
    QString detail;
    if (!passedUnitsFromLog(connection.db(), query, out, &detail)) {
        *error = LogMessages::failed(connection.target().display(), detail);
        return false;
    }
    return true;
}
