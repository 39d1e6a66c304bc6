#pragma once

#include "core/qc/QcRecord.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVector>

// Writes records into a results log of the current schema, with the day's sums (the units, and
// the values of the units that passed, per limits). A parameter not measured is kept as NULL
// with measured 0. A record whose
// (station, run) is there already is left alone, so sending one twice never doubles it.
class RecordWriter
{
public:
    explicit RecordWriter(QSqlDatabase db);
    // *added: false when the record was there already. False with error() on failure.
    bool write(const QcRecord &record, bool *added);
    QString error() const { return m_error; }
    // The server's SQLSTATE of the last failure, empty when there is none.
    QString errorCode() const { return m_code; }

private:
    bool fail(const QSqlQuery &q);

    QSqlQuery m_unit;
    QSqlQuery m_parameter;
    QSqlQuery m_dayUnit;
    QSqlQuery m_dayPassed;
    QString m_error;
    QString m_code;
    bool m_prepared = true; // every statement prepared; else m_error says why not
};

// The time as the log keeps it: UTC text that sorts as the time does.
QString logTimeText(const QDateTime &time);
QDateTime logTimeFromText(const QString &text);
// The UTC day of a time text ("2026-12-07"), as the day's sums are keyed.
QString logDay(const QString &timeText);

// Records of an SQLite log (the spool) by (station, run), parameters in the order written.
bool readRecords(QSqlDatabase db, const QVector<QPair<QString, QString>> &keys,
                 QVector<QcRecord> *out, QString *error);
