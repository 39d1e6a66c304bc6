#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

class LogConnection;

// What a results log says about a period: counts and yield of the units, a unit tested again
// counted once by its serial with its latest result; and per parameter mean, σ and Cpk of the
// units that passed the limits of the latest unit checked, against that unit's window.
struct QcParameterStats {
    QString name;
    qint64 count = 0;
    double mean = 0.0;
    double sigma = 0.0; // sample standard deviation; NaN below two units
    double low = 0.0;
    double high = 0.0;
    double cpk = 0.0; // min(high - mean, mean - low) / 3σ; NaN without σ
};

struct QcReport {
    qint64 results = 0; // every result, retests included
    qint64 units = 0;
    qint64 passed = 0;
    qint64 failed = 0;
    double yieldPct = 0.0;    // NaN without units
    QString capabilityLimits; // the limits whose passed units the parameters describe
    QVector<QcParameterStats> parameters;
};

// Computed by the database in aggregates. `since` invalid: the whole log.
bool computeQcReport(QSqlDatabase db, const QDateTime &since, QcReport *out, QString *error);
// Opens a target text to read: its own connection, an SQLite file only read, an older log
// brought up to date. False with a whole message in *error.
bool openLogToRead(const QString &target, LogConnection *connection, QString *error);
// The same for a target text (an SQLite file is only read); *error is a whole message.
bool reportFromTarget(const QString &target, const QDateTime &since, QcReport *out, QString *error);

// "units that passed woofer v1, latest result per serial"
QString qcCapabilityPopulation(const QcReport &report);
// JSON keys: units, passed, failed, yieldPct, results, capabilityOf, parameters {name: {mean,
// sigma, cpk, n, low, high}}; a value that does not exist is null.
QJsonObject qcReportJson(const QcReport &report);
// Two tables: the counts, a blank line, then one row per parameter.
QString qcReportCsv(const QcReport &report);
QStringList qcReportText(const QcReport &report);
