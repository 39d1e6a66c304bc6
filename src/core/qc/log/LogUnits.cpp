#include "core/qc/log/LogUnits.h"

#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogStore.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

QDateTime parseLogSince(const QString &text)
{
    const QString t = text.trimmed();
    const QDate date = QDate::fromString(t, Qt::ISODate);
    if (date.isValid() && t.size() == 10)
        return date.startOfDay();
    return QDateTime::fromString(t, Qt::ISODateWithMs);
}

bool unitsFromLog(QSqlDatabase db, const LogUnitsQuery &query, LogUnits *out, QString *error)
{
    *out = LogUnits();
    QString sql = QStringLiteral("SELECT data_file FROM qc_unit WHERE time_utc >= ?");
    QVariantList values{query.since.isValid() ? logTimeText(query.since) : QStringLiteral("")};
    if (query.verdict != LogUnitsQuery::Verdict::All) {
        sql += QStringLiteral(" AND passed = ?");
        values << (query.verdict == LogUnitsQuery::Verdict::Passed ? 1 : 0);
    }
    if (!query.station.isEmpty()) {
        sql += QStringLiteral(" AND station = ?");
        values << query.station;
    }
    // Latest first, so that a file's first sight is its latest result.
    sql += QStringLiteral(" ORDER BY time_utc DESC, station DESC, run_id DESC");
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        const QSqlError e = q.lastError();
        *error =
            e.databaseText().trimmed().isEmpty() ? e.text().trimmed() : e.databaseText().trimmed();
        return false;
    }
    QStringList paths;
    QSet<QString> seen;
    while (q.next()) {
        const QString path = q.value(0).toString();
        if (path.trimmed().isEmpty())
            ++out->withoutFile;
        else if (!seen.contains(path)) {
            seen.insert(path);
            paths.prepend(path);
        }
    }
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.exists())
            out->missing.append({path, LogMessages::unitFileGone()});
        else if (!info.isFile())
            out->missing.append({path, LogMessages::unitNotAFile()});
        else
            out->files << path;
    }
    return true;
}

bool unitsFromTarget(const QString &text, const LogUnitsQuery &query, LogUnits *out, QString *error)
{
    LogConnection connection;
    if (!openLogToRead(text, &connection, error))
        return false;
    QString detail;
    if (!unitsFromLog(connection.db(), query, out, &detail)) {
        *error = LogMessages::failed(connection.target().display(), detail);
        return false;
    }
    return true;
}
