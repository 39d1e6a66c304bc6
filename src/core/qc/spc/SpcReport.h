#pragma once

#include "core/analysis/population/PopulationStats.h"
#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogTarget.h"
#include "core/qc/spc/SpcChart.h"
#include "core/qc/spc/SpcPeriods.h"

#include <QDateTime>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>
#include <atomic>
#include <vector>

// Control charts and capability of a results log: per parameter of the latest unit, every
// measured value of the period in time order (a unit tested again is a measurement of the
// process too), its I-MR chart with the rules its points break, Cpk and Ppk overall and per
// period against the latest unit's window, with their trend.
struct SpcOptions {
    QDateTime since; // invalid: the whole log
    SpcGrouping grouping = SpcGrouping::Day;
    QVector<SpcShift> shifts; // for SpcGrouping::Shift
    int chartPoints = 600;    // at most this many drawn points per chart
    int histogramBins = 40;
    int failedUnits = 0; // the latest failed units to list
    const std::atomic_bool *cancel = nullptr;
};

struct SpcPeriodStats {
    QString period;
    qint64 n = 0;
    double mean = 0.0;
    double sigma = 0.0; // overall, sample; NaN below two values
    double mrBar = 0.0; // within the period; NaN below two values
    Capability capability;
};

struct SpcParameter {
    QString name;
    double low = 0.0; // the latest unit's window
    double high = 0.0;
    ImrLimits limits;
    double sigmaOverall = 0.0;
    Capability capability;
    qint64 outsideWindow = 0;
    qint64 ruleCounts[kSpcRuleCount] = {0, 0, 0, 0}; // points breaking each rule
    qint64 flagged = 0;                              // points breaking any rule
    std::vector<ThinnedPoint> points;                // the individuals, thinned
    std::vector<ThinnedPoint> ranges;                // the moving ranges, thinned
    HistogramBins histogram;
    QVector<SpcPeriodStats> periods; // in the order of their names
    double cpkTrend = 0.0;           // slope per period; NaN below two periods
    double ppkTrend = 0.0;
};

struct SpcFailedUnit {
    QString timeUtc;
    QString station;
    QString serial;
    QStringList failures;
    QString dataFile;
};

struct SpcReport {
    QcReport summary;
    SpcGrouping grouping = SpcGrouping::Day;
    QString shifts; // the shift table used, for SpcGrouping::Shift
    qint64 outsideShifts = 0;
    QVector<SpcParameter> parameters;
    QVector<SpcFailedUnit> failed; // the latest, newest first
};

// False with *error when the database fails, or with a whole message when the period holds no
// unit. Values are streamed from the database one parameter at a time.
bool computeSpcReport(QSqlDatabase db, const SpcOptions &options, SpcReport *out, QString *error);
// The same for a target text (an SQLite file is only read); false with a whole message, also
// when the period holds no unit.
bool spcReportFromTarget(const QString &target, const SpcOptions &options, SpcReport *out,
                         QString *error);

QString spcRuleKey(int bit); // "beyond3Sigma", ...
QString spcGroupingName(SpcGrouping grouping);
// {grouping, shifts?, parameters: {name: {n, cpk, ppk, low, high, cpkTrend, ppkTrend,
// periods: [...]}}}; with charts, each parameter also has its chart: limits, rule counts and
// the thinned points.
QJsonObject spcReportJson(const SpcReport &report, bool charts);
QString spcReportCsv(const SpcReport &report);
QStringList spcReportText(const SpcReport &report);
