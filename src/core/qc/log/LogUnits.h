#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

// "2026-12-01" is that day's local midnight; a date and time without an offset is local too.
// Invalid when the text is neither.
QDateTime parseLogSince(const QString &text);

// The saved measurements of the units a results log holds, so that many units can be opened
// from a query instead of a folder.
struct LogUnitsQuery {
    enum class Verdict { All, Passed, Failed };
    QDateTime since; // invalid: the whole log
    Verdict verdict = Verdict::All;
    QString station; // empty: every station
};

struct LogUnitFile {
    QString path;
    QString reason; // why it cannot be opened; empty for a file that is there
};

struct LogUnits {
    QStringList files;            // existing files, each once, in the order the units were checked
    QVector<LogUnitFile> missing; // files the log names that are not there (or not files)
    int withoutFile = 0;          // matching units whose measurement was not saved
};

// A file checked several times keeps the place of its latest result: it holds that measurement.
bool unitsFromLog(QSqlDatabase db, const LogUnitsQuery &query, LogUnits *out, QString *error);
// The same for a target text, opened as the report opens it; *error is a whole message.
bool unitsFromTarget(const QString &target, const LogUnitsQuery &query, LogUnits *out,
                     QString *error);
