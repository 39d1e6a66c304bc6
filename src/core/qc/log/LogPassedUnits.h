#pragma once

#include "core/qc/QcLimits.h"

#include <QSqlDatabase>
#include <QString>
#include <QVector>

// The parameter values of the latest units of one driver type that passed, as a results log
// keeps them: what new limits for that type are made from.
struct LogPassedQuery {
    int last = 0;       // the units wanted, latest first
    QString station;    // empty: every station
    QString limitsName; // the driver type (a limits file's name, any revision); empty: the type
                        // of the latest unit that passed
};

struct LogPassedUnits {
    QString limitsName;   // the driver type the units were checked as
    QString latestLimits; // "name vREVISION" of the latest of them
    // The windows the latest of them was checked against.
    QcWindow windows[kQcParameterCount];
    QVector<double> values[kQcParameterCount]; // one per unit, latest first
    int units = 0;                             // at most query.last; fewer when the log holds fewer
};

// "woofer v3" -> "woofer"; the text itself when it does not end in " vREVISION".
QString logLimitsType(const QString &limitsName);

// A unit tested again counts once, by its serial, with its latest result: a unit that failed
// last is not taken for an earlier pass. False with the database's words in *error.
bool passedUnitsFromLog(QSqlDatabase db, const LogPassedQuery &query, LogPassedUnits *out,
                        QString *error);
// The same for a target text, opened as the report opens it; *error is a whole message.
bool passedUnitsFromTarget(const QString &target, const LogPassedQuery &query, LogPassedUnits *out,
                           QString *error);
