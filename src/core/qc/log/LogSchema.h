#pragma once

#include <QSqlDatabase>
#include <QString>

// The tables of the results log, the same on SQLite and PostgreSQL, with their version in
// "schema_version" (one row per step applied). Version 1 kept the units and their parameters;
// version 2 keeps each parameter's time too and indexes both for the report; version 3 adds
// sums per station and UTC day, kept with every unit, from which the report adds whole days;
// version 4 keeps a parameter a unit does not show as NULL (measured 0), keeps the day sums of
// the units that passed per limits, and indexes the serials; version 5 adds gauge studies
// (qc_study, qc_study_value), which a log of version 4 simply lacks.
namespace LogSchema {

constexpr int kVersion = 5;
// The first version with gauge studies.
constexpr int kStudyVersion = 5;

// 0 when the database holds no log yet, -1 when it cannot be read.
int version(QSqlDatabase db);
// Creates the tables, or brings older ones up to `target`, in one transaction under a lock,
// so stations that start at once do not race. False with *error on failure, also for a log
// newer than this program.
bool migrate(QSqlDatabase db, QString *error, int target = kVersion);

} // namespace LogSchema
