#include "core/qc/log/LogStore.h"
#include "core/qc/log/LogQuery.h"

#include <QSqlError>
#include <QVariant>
#include <limits>

namespace {

const QChar kFailureSeparator = QLatin1Char('\n');
const double kUnmeasured = std::numeric_limits<double>::quiet_NaN();

// An empty text, not NULL: the columns hold no NULLs.
QString text(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

} // namespace

QString logTimeText(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QDateTime logTimeFromText(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
}

QString logDay(const QString &timeText)
{
    return timeText.left(10);
}

RecordWriter::RecordWriter(QSqlDatabase db)
    : m_unit(db), m_parameter(db), m_dayUnit(db), m_dayPassed(db)
{
    m_unit.prepare(QStringLiteral(
        "INSERT INTO qc_unit (station, run_id, time_utc, serial, limits_name, band, passed, "
        "failures, data_file) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"));
    m_parameter.prepare(QStringLiteral(
        "INSERT INTO qc_parameter (station, run_id, name, value, low, high, time_utc, measured) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"));
    m_dayUnit.prepare(
        QStringLiteral("INSERT INTO qc_day_unit (station, day, units, passed) VALUES (?, ?, 1, ?) "
                       "ON CONFLICT (station, day) DO UPDATE SET units = qc_day_unit.units + 1, "
                       "passed = qc_day_unit.passed + excluded.passed"));
    m_dayPassed.prepare(QStringLiteral(
        "INSERT INTO qc_day_passed (station, day, limits_name, name, n, total, squares) "
        "VALUES (?, ?, ?, ?, 1, ?, ?) ON CONFLICT (station, day, limits_name, name) DO UPDATE "
        "SET n = qc_day_passed.n + 1, total = qc_day_passed.total + excluded.total, "
        "squares = qc_day_passed.squares + excluded.squares"));
    // A server prepares under a lock on the table: a locked table's time-out shows here, and
    // the statements after it fail only for want of a name.
    for (const QSqlQuery *q : {&m_unit, &m_parameter, &m_dayUnit, &m_dayPassed})
        if (m_prepared && q->lastError().isValid()) {
            m_prepared = false;
            m_error = sqlErrorText(q->lastError());
            m_code = q->lastError().nativeErrorCode();
        }
}

bool RecordWriter::fail(const QSqlQuery &q)
{
    m_error = sqlErrorText(q.lastError());
    m_code = q.lastError().nativeErrorCode();
    return false;
}

bool RecordWriter::write(const QcRecord &r, bool *added)
{
    if (!m_prepared)
        return false;
    const QString time = logTimeText(r.timeUtc);
    m_unit.bindValue(0, r.station);
    m_unit.bindValue(1, r.runId);
    m_unit.bindValue(2, time);
    m_unit.bindValue(3, text(r.serial));
    m_unit.bindValue(4, text(r.limitsName));
    m_unit.bindValue(5, r.band);
    m_unit.bindValue(6, r.passed ? 1 : 0);
    m_unit.bindValue(7, text(r.failures.join(kFailureSeparator)));
    m_unit.bindValue(8, text(r.dataFile));
    if (!m_unit.exec())
        return fail(m_unit);
    *added = m_unit.numRowsAffected() > 0;
    if (!*added)
        return true;
    // Only a unit that went in counts in its day's sums.
    const QString day = logDay(time);
    m_dayUnit.bindValue(0, r.station);
    m_dayUnit.bindValue(1, day);
    m_dayUnit.bindValue(2, r.passed ? 1 : 0);
    if (!m_dayUnit.exec())
        return fail(m_dayUnit);
    for (const QcParameter &p : r.parameters) {
        const bool measured = p.measured();
        m_parameter.bindValue(0, r.station);
        m_parameter.bindValue(1, r.runId);
        m_parameter.bindValue(2, text(p.name));
        m_parameter.bindValue(3, measured ? QVariant(p.value)
                                          : QVariant(QMetaType::fromType<double>()));
        m_parameter.bindValue(4, p.low);
        m_parameter.bindValue(5, p.high);
        m_parameter.bindValue(6, time);
        m_parameter.bindValue(7, measured ? 1 : 0);
        if (!m_parameter.exec())
            return fail(m_parameter);
        if (m_parameter.numRowsAffected() == 0 || !measured || !r.passed)
            continue; // a name twice in one record counts once; only passed units' values add up
        m_dayPassed.bindValue(0, r.station);
        m_dayPassed.bindValue(1, day);
        m_dayPassed.bindValue(2, text(r.limitsName));
        m_dayPassed.bindValue(3, text(p.name));
        m_dayPassed.bindValue(4, p.value);
        m_dayPassed.bindValue(5, p.value * p.value);
        if (!m_dayPassed.exec())
            return fail(m_dayPassed);
    }
    return true;
}

bool readRecords(QSqlDatabase db, const QVector<QPair<QString, QString>> &keys,
                 QVector<QcRecord> *out, QString *error)
{
    QSqlQuery unit(db);
    QSqlQuery parameter(db);
    unit.setForwardOnly(true);
    parameter.setForwardOnly(true);
    const bool prepared =
        unit.prepare(QStringLiteral("SELECT time_utc, serial, limits_name, band, passed, "
                                    "failures, data_file FROM qc_unit WHERE station = ? AND "
                                    "run_id = ?")) &&
        parameter.prepare(QStringLiteral("SELECT name, value, low, high, measured FROM "
                                         "qc_parameter WHERE "
                                         "station = ? AND run_id = ? ORDER BY rowid"));
    if (!prepared) {
        *error =
            sqlErrorText(unit.lastError().isValid() ? unit.lastError() : parameter.lastError());
        return false;
    }
    for (const auto &key : keys) {
        unit.addBindValue(key.first);
        unit.addBindValue(key.second);
        if (!unit.exec()) {
            *error = sqlErrorText(unit.lastError());
            return false;
        }
        if (!unit.next())
            continue;
        QcRecord r;
        r.station = key.first;
        r.runId = key.second;
        r.timeUtc = logTimeFromText(unit.value(0).toString());
        r.serial = unit.value(1).toString();
        r.limitsName = unit.value(2).toString();
        r.band = unit.value(3).toInt();
        r.passed = unit.value(4).toInt() != 0;
        const QString failures = unit.value(5).toString();
        if (!failures.isEmpty())
            r.failures = failures.split(kFailureSeparator);
        r.dataFile = unit.value(6).toString();
        unit.finish();
        parameter.addBindValue(key.first);
        parameter.addBindValue(key.second);
        if (!parameter.exec()) {
            *error = sqlErrorText(parameter.lastError());
            return false;
        }
        while (parameter.next()) {
            const bool measured = parameter.value(4).toInt() != 0 && !parameter.isNull(1);
            r.parameters.append({parameter.value(0).toString(),
                                 measured ? parameter.value(1).toDouble() : kUnmeasured,
                                 parameter.value(2).toDouble(), parameter.value(3).toDouble()});
        }
        parameter.finish();
        out->append(r);
    }
    return true;
}
