#pragma once

#include "core/qc/QcRecord.h"
#include "core/qc/grr/GaugeStudy.h"

#include <QDateTime>
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

class LogConnection;

// A gauge study as set up at the station: parts numbered 1 to `parts`, the operators by name,
// each measuring every part `trials` times.
struct GaugeStudyPlan {
    QString name;
    int parts = 0;
    QStringList appraisers;
    int trials = 0;
    GaugeShape shape() const;
    int cellCount() const { return parts * int(appraisers.size()) * trials; }
};

struct GaugeCell {
    int part = 0;
    QString appraiser;
    int trial = 0;
    bool operator==(const GaugeCell &o) const
    {
        return part == o.part && appraiser == o.appraiser && trial == o.trial;
    }
};

constexpr int kGaugeMaxParts = 100;
constexpr int kGaugeMaxAppraisers = 20;
constexpr int kGaugeMaxTrials = 20;
// A study's and an operator's name are part of the keys a server indexes: kept short.
constexpr int kGaugeMaxNameLength = 64;

// The problem's text (GaugeMessages), empty when the plan can be measured.
QString checkGaugeStudyPlan(const GaugeStudyPlan &plan);
// The next cell to measure, in the manual's order: each trial in turn, in it each operator
// measuring every part. False when every cell is done.
bool nextGaugeCell(const GaugeStudyPlan &plan, const QVector<GaugeCell> &done, GaugeCell *next);

// Gauge studies in a results log of the current schema, apart from the verdicts.
namespace StudyLog {

// Creates the study, or finds it set up the same way (another shape is refused); *done gets
// the cells measured so far.
bool open(QSqlDatabase db, const GaugeStudyPlan &plan, const QString &station,
          QVector<GaugeCell> *done, QString *error);
// Keeps one cell's parameters in one transaction (a value not measured as NULL); measuring a
// cell again replaces what it had.
bool record(QSqlDatabase db, const GaugeStudyPlan &plan, const GaugeCell &cell,
            const QVector<QcParameter> &values, const QString &station, const QDateTime &timeUtc,
            QString *error);
// The study's plan and its values per parameter. False with *error on failure, with *error
// empty when there is no such study.
bool read(QSqlDatabase db, const QString &study, GaugeStudyPlan *plan,
          QMap<QString, QVector<GaugeValue>> *values, QString *error);

} // namespace StudyLog

// The log of a target text opened to write, brought up to the current schema. *error: a whole
// message.
bool openStudyLogToWrite(const QString &target, LogConnection *connection, QString *error);
// A study in the log of a target text worked out for one parameter (empty: the only one it
// has), the log only read and never changed, even when it is older. *parameter gets the one
// chosen; *error a whole message.
bool analyseLoggedStudy(const QString &target, const QString &study, QString *parameter,
                        GaugeResult *out, QString *error);

struct GaugeParameterResult {
    QString parameter;
    GaugeResult result;
    QString problem; // why this parameter could not be worked out; empty when it was
};
// Every parameter of a study in the log, each worked out on its own; false with *error when
// the study cannot be read at all.
bool analyseLoggedStudyParameters(const QString &target, const QString &study,
                                  QVector<GaugeParameterResult> *out, QString *error);
