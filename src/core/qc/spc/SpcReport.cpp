#include "core/qc/spc/SpcReport.h"
#include "core/qc/log/LogQuery.h"

#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/LogStore.h"
#include "core/qc/spc/SpcMessages.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonValue>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <thread>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// One period's running sums: Welford's mean and squares, and the moving ranges within it.
struct PeriodSums {
    qint64 n = 0;
    double mean = 0.0;
    double m2 = 0.0;
    double ranges = 0.0;
    double last = 0.0;

    void add(double v)
    {
        if (n > 0)
            ranges += std::abs(v - last);
        last = v;
        ++n;
        const double d = v - mean;
        mean += d / double(n);
        m2 += d * (v - mean);
    }
};

// Per period, in the order of their names, and the trend of Cpk and Ppk over them.
void addPeriods(const QStringList &names, const std::vector<PeriodSums> &sums, SpcParameter *p)
{
    QVector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return names[a] < names[b]; });
    std::vector<double> cpk, ppk;
    for (int i : order) {
        const PeriodSums &s = sums[std::size_t(i)];
        SpcPeriodStats ps;
        ps.period = names[i];
        ps.n = s.n;
        ps.mean = s.mean;
        ps.sigma = s.n > 1 ? std::sqrt(s.m2 / double(s.n - 1)) : kNaN;
        ps.mrBar = s.n > 1 ? s.ranges / double(s.n - 1) : kNaN;
        ps.capability =
            capability(ps.mean, ps.mrBar / SpcConstants::kD2, ps.sigma, p->low, p->high);
        cpk.push_back(ps.capability.cpk);
        ppk.push_back(ps.capability.ppk);
        p->periods.append(ps);
    }
    p->cpkTrend = trendSlope(cpk);
    p->ppkTrend = trendSlope(ppk);
}

bool cancelled(const SpcOptions &options)
{
    return options.cancel && options.cancel->load();
}

// The values of one parameter in time order, a day or shift at a time: each query reads only
// the values, from the index that holds them in time order.
bool streamBySegment(QSqlDatabase db, const QVector<SpcSegment> &segments,
                     const SpcOptions &options, SpcParameter *p, std::vector<double> *values,
                     qint64 *outsideShifts, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // Doubles as doubles: a server's driver would otherwise hand each over as text.
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    // "value IS NOT NULL" rather than "measured = 1": the report index holds it.
    q.prepare(QStringLiteral("SELECT value FROM qc_parameter WHERE name = ? AND time_utc >= ? "
                             "AND time_utc < ? AND value IS NOT NULL ORDER BY time_utc"));
    QStringList names;
    std::vector<PeriodSums> sums;
    for (const SpcSegment &segment : segments) {
        if (cancelled(options))
            return false;
        if (!execBound(q, {p->name, segment.from, segment.to}, error))
            return false;
        PeriodSums period;
        while (q.next()) {
            const double v = q.value(0).toDouble();
            values->push_back(v);
            period.add(v);
        }
        q.finish();
        if (period.n == 0)
            continue;
        if (segment.period.isEmpty()) {
            *outsideShifts += period.n;
        } else {
            names << segment.period;
            sums.push_back(period);
        }
    }
    addPeriods(names, sums, p);
    return true;
}

// The same by station: each value with its station, the moving range within the station.
bool streamByStation(QSqlDatabase db, const QString &from, const SpcOptions &options,
                     SpcParameter *p, std::vector<double> *values, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    q.prepare(QStringLiteral("SELECT value, station FROM qc_parameter WHERE name = ? AND "
                             "time_utc >= ? AND value IS NOT NULL ORDER BY time_utc"));
    if (!execBound(q, {p->name, from}, error))
        return false;
    QHash<QString, int> index;
    QStringList names;
    std::vector<PeriodSums> sums;
    qint64 row = 0;
    while (q.next()) {
        if ((++row & 0xFFFF) == 0 && cancelled(options))
            return false;
        const double v = q.value(0).toDouble();
        values->push_back(v);
        const QString station = q.value(1).toString();
        auto it = index.find(station);
        if (it == index.end()) {
            it = index.insert(station, names.size());
            names << station;
            sums.emplace_back();
        }
        sums[std::size_t(*it)].add(v);
    }
    addPeriods(names, sums, p);
    return true;
}

void chartParameter(const std::vector<double> &values, const SpcOptions &options, SpcParameter *p)
{
    p->limits = imrLimits(values);
    const ColumnSummary overall = summarize(values);
    p->sigmaOverall = overall.n > 1 ? overall.sigma : kNaN;
    p->capability =
        capability(p->limits.centre, p->limits.sigmaWithin(), p->sigmaOverall, p->low, p->high);
    const std::vector<std::uint8_t> flags =
        westernElectricFlags(values, p->limits.centre, p->limits.sigmaWithin());
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] < p->low || values[i] > p->high)
            ++p->outsideWindow;
        if (flags[i] != 0)
            ++p->flagged;
        for (int r = 0; r < kSpcRuleCount; ++r)
            if (flags[i] & (1 << r))
                ++p->ruleCounts[r];
    }
    p->points = thinPoints(values, flags, options.chartPoints);
    // The moving-range chart marks the ranges above its upper limit.
    std::vector<double> ranges;
    std::vector<std::uint8_t> rangeFlags;
    ranges.reserve(values.size());
    rangeFlags.reserve(values.size());
    for (std::size_t i = 1; i < values.size(); ++i) {
        ranges.push_back(std::abs(values[i] - values[i - 1]));
        rangeFlags.push_back(ranges.back() > p->limits.mrUpper ? RuleBeyond3Sigma : 0);
    }
    p->ranges = thinPoints(ranges, rangeFlags, options.chartPoints);
    p->histogram = histogram(values, options.histogramBins);
}

bool failedUnits(QSqlDatabase db, const QString &from, int limit, QVector<SpcFailedUnit> *out,
                 QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT time_utc, station, serial, failures, data_file FROM qc_unit "
                             "WHERE time_utc >= ? AND passed = 0 ORDER BY time_utc DESC LIMIT ?"));
    if (!execBound(q, {from, limit}, error))
        return false;
    while (q.next())
        out->append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                     q.value(3).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                     q.value(4).toString()});
    return true;
}

} // namespace

bool computeSpcReport(QSqlDatabase db, const SpcOptions &options, SpcReport *out, QString *error,
                      const LogTarget *target)
{
    *out = SpcReport();
    out->grouping = options.grouping;
    if (options.grouping == SpcGrouping::Shift) {
        QStringList labels;
        for (const SpcShift &s : options.shifts)
            labels << s.label();
        out->shifts = labels.join(QLatin1Char(','));
    }
    if (!computeQcReport(db, options.since, &out->summary, error))
        return false;
    if (out->summary.units == 0)
        return true;
    const QString from = options.since.isValid() ? logTimeText(options.since) : QString("");

    // The parameters and windows are those of the latest unit.
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT station, run_id FROM qc_unit WHERE time_utc >= ? ORDER BY "
                             "time_utc DESC LIMIT 1"));
    if (!execBound(q, {from}, error) || !q.next())
        return false;
    const QVariantList latest{q.value(0), q.value(1)};
    q.finish();
    q.prepare(QStringLiteral("SELECT name, low, high FROM qc_parameter WHERE station = ? AND "
                             "run_id = ? ORDER BY name"));
    if (!execBound(q, latest, error))
        return false;
    while (q.next()) {
        SpcParameter p;
        p.name = q.value(0).toString();
        p.low = q.value(1).toDouble();
        p.high = q.value(2).toDouble();
        out->parameters.append(p);
    }
    q.finish();

    // The days or shifts from the first unit of the period to its last.
    q.prepare(QStringLiteral("SELECT MIN(time_utc), MAX(time_utc) FROM qc_unit WHERE time_utc "
                             ">= ?"));
    if (!execBound(q, {from}, error) || !q.next())
        return false;
    const QVector<SpcSegment> segments =
        spcSegments(options.grouping, options.shifts, from, logTimeFromText(q.value(0).toString()),
                    logTimeFromText(q.value(1).toString()));
    q.finish();

    // Each parameter is read on its own; with a target, on several connections at once.
    const auto chart = [&](QSqlDatabase d, int first, int step, qint64 *outside, QString *problem) {
        for (int i = first; i < out->parameters.size(); i += step) {
            SpcParameter &p = out->parameters[i];
            std::vector<double> values;
            const bool ok =
                options.grouping == SpcGrouping::Station
                    ? streamByStation(d, from, options, &p, &values, problem)
                    : streamBySegment(d, segments, options, &p, &values, outside, problem);
            if (!ok)
                return false;
            chartParameter(values, options, &p);
        }
        return true;
    };
    const int workers = target ? std::clamp(QThread::idealThreadCount(), 1,
                                            std::min(4, int(out->parameters.size())))
                               : 1;
    std::vector<qint64> outside(std::size_t(workers), 0);
    std::vector<QString> problems(static_cast<std::size_t>(workers));
    std::vector<char> done(std::size_t(workers), 0);
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w)
        threads.emplace_back([&, w] {
            LogConnection c;
            if (!c.open(*target, true)) {
                problems[std::size_t(w)] = c.message();
                return;
            }
            done[std::size_t(w)] =
                chart(c.db(), w, workers, &outside[std::size_t(w)], &problems[std::size_t(w)]);
        });
    done[0] = chart(db, 0, workers, &outside[0], &problems[0]);
    for (std::thread &t : threads)
        t.join();
    for (int w = 0; w < workers; ++w) {
        if (!done[std::size_t(w)]) {
            *error = problems[std::size_t(w)];
            return false;
        }
        // Every parameter has the same units: the most outside any shift is the count.
        out->outsideShifts = std::max(out->outsideShifts, outside[std::size_t(w)]);
    }
    return options.failedUnits <= 0 ||
           failedUnits(db, from, options.failedUnits, &out->failed, error);
}

bool spcReportFromTarget(const QString &text, const SpcOptions &options, SpcReport *out,
                         QString *error)
{
    LogConnection connection;
    if (!openLogToRead(text, &connection, error))
        return false;
    QString detail;
    if (!computeSpcReport(connection.db(), options, out, &detail, &connection.target())) {
        *error = LogMessages::failed(connection.target().display(), detail);
        return false;
    }
    if (out->summary.units == 0) {
        *error = options.since.isValid()
                     ? SpcMessages::emptyPeriod(options.since.toString(Qt::ISODate))
                     : SpcMessages::emptyLog();
        return false;
    }
    return true;
}

QString spcRuleKey(int bit)
{
    switch (bit) {
    case RuleBeyond3Sigma:
        return QStringLiteral("beyond3Sigma");
    case Rule2Of3Beyond2:
        return QStringLiteral("twoOfThreeBeyond2Sigma");
    case Rule4Of5Beyond1:
        return QStringLiteral("fourOfFiveBeyond1Sigma");
    case Rule8OneSide:
        return QStringLiteral("eightOnOneSide");
    default:
        return QString();
    }
}

QString spcGroupingName(SpcGrouping grouping)
{
    switch (grouping) {
    case SpcGrouping::Day:
        return QStringLiteral("day");
    case SpcGrouping::Shift:
        return QStringLiteral("shift");
    case SpcGrouping::Station:
        return QStringLiteral("station");
    }
    return QString();
}

namespace {

QJsonArray thinnedJson(const std::vector<ThinnedPoint> &points)
{
    QJsonArray a;
    for (const ThinnedPoint &t : points)
        a.append(QJsonObject{{QStringLiteral("first"), double(t.first)},
                             {QStringLiteral("min"), reportJsonNumber(t.min)},
                             {QStringLiteral("max"), reportJsonNumber(t.max)},
                             {QStringLiteral("mean"), reportJsonNumber(t.mean)},
                             {QStringLiteral("rules"), int(t.rules)}});
    return a;
}

} // namespace

QJsonObject spcReportJson(const SpcReport &r, bool charts)
{
    QJsonObject parameters;
    for (const SpcParameter &p : r.parameters) {
        QJsonArray periods;
        for (const SpcPeriodStats &s : p.periods)
            periods.append(
                QJsonObject{{QStringLiteral("period"), s.period},
                            {QStringLiteral("n"), double(s.n)},
                            {QStringLiteral("mean"), reportJsonNumber(s.mean)},
                            {QStringLiteral("sigma"), reportJsonNumber(s.sigma)},
                            {QStringLiteral("mrBar"), reportJsonNumber(s.mrBar)},
                            {QStringLiteral("cpk"), reportJsonNumber(s.capability.cpk)},
                            {QStringLiteral("ppk"), reportJsonNumber(s.capability.ppk)}});
        QJsonObject o{{QStringLiteral("n"), double(p.limits.n)},
                      {QStringLiteral("mean"), reportJsonNumber(p.limits.centre)},
                      {QStringLiteral("sigmaWithin"), reportJsonNumber(p.limits.sigmaWithin())},
                      {QStringLiteral("sigmaOverall"), reportJsonNumber(p.sigmaOverall)},
                      {QStringLiteral("low"), reportJsonNumber(p.low)},
                      {QStringLiteral("high"), reportJsonNumber(p.high)},
                      {QStringLiteral("cpk"), reportJsonNumber(p.capability.cpk)},
                      {QStringLiteral("ppk"), reportJsonNumber(p.capability.ppk)},
                      {QStringLiteral("cpkTrend"), reportJsonNumber(p.cpkTrend)},
                      {QStringLiteral("ppkTrend"), reportJsonNumber(p.ppkTrend)},
                      {QStringLiteral("periods"), periods}};
        if (charts) {
            QJsonObject rules;
            for (int b = 0; b < kSpcRuleCount; ++b)
                rules.insert(spcRuleKey(1 << b), double(p.ruleCounts[b]));
            o.insert(QStringLiteral("chart"),
                     QJsonObject{{QStringLiteral("centre"), reportJsonNumber(p.limits.centre)},
                                 {QStringLiteral("ucl"), reportJsonNumber(p.limits.upper)},
                                 {QStringLiteral("lcl"), reportJsonNumber(p.limits.lower)},
                                 {QStringLiteral("mrBar"), reportJsonNumber(p.limits.mrBar)},
                                 {QStringLiteral("mrUcl"), reportJsonNumber(p.limits.mrUpper)},
                                 {QStringLiteral("mrLcl"), reportJsonNumber(p.limits.mrLower)},
                                 {QStringLiteral("flagged"), double(p.flagged)},
                                 {QStringLiteral("rules"), rules},
                                 {QStringLiteral("points"), thinnedJson(p.points)},
                                 {QStringLiteral("ranges"), thinnedJson(p.ranges)}});
        }
        parameters.insert(p.name, o);
    }
    QJsonObject o{{QStringLiteral("by"), spcGroupingName(r.grouping)},
                  {QStringLiteral("parameters"), parameters}};
    if (r.grouping == SpcGrouping::Shift) {
        o.insert(QStringLiteral("shifts"), r.shifts);
        o.insert(QStringLiteral("outsideShifts"), double(r.outsideShifts));
    }
    return o;
}

QString spcReportCsv(const SpcReport &r)
{
    QString csv = QStringLiteral("parameter,%1,n,mean,sigma,mrBar,cpk,ppk\n")
                      .arg(spcGroupingName(r.grouping));
    for (const SpcParameter &p : r.parameters)
        for (const SpcPeriodStats &s : p.periods)
            csv += QStringList{p.name,
                               s.period,
                               QString::number(s.n),
                               reportCsvNumber(s.mean),
                               reportCsvNumber(s.sigma),
                               reportCsvNumber(s.mrBar),
                               reportCsvNumber(s.capability.cpk),
                               reportCsvNumber(s.capability.ppk)}
                       .join(QLatin1Char(',')) +
                   QLatin1Char('\n');
    return csv;
}

QStringList spcReportText(const SpcReport &r)
{
    QStringList lines;
    for (const SpcParameter &p : r.parameters) {
        lines << QString()
              << QStringLiteral("%1: I-MR chart of %2 values, centre %3, limits %4 to %5, "
                                "moving range %6 (upper %7)")
                     .arg(p.name)
                     .arg(p.limits.n)
                     .arg(reportTextNumber(p.limits.centre, 4), reportTextNumber(p.limits.lower, 4),
                          reportTextNumber(p.limits.upper, 4), reportTextNumber(p.limits.mrBar, 4),
                          reportTextNumber(p.limits.mrUpper, 4));
        QStringList rules;
        for (int b = 0; b < kSpcRuleCount; ++b)
            rules
                << QStringLiteral("%1: %2").arg(SpcMessages::ruleName(1 << b)).arg(p.ruleCounts[b]);
        lines << QStringLiteral("  rules broken: ") + rules.join(QStringLiteral(", "))
              << QStringLiteral("  Cpk %1, Ppk %2; trend per %3: Cpk %4, Ppk %5")
                     .arg(reportTextNumber(p.capability.cpk, 2),
                          reportTextNumber(p.capability.ppk, 2), spcGroupingName(r.grouping),
                          reportTextNumber(p.cpkTrend, 3), reportTextNumber(p.ppkTrend, 3))
              << QStringLiteral("  %1 %2 %3 %4 %5 %6")
                     .arg(spcGroupingName(r.grouping), -24)
                     .arg(QStringLiteral("n"), 9)
                     .arg(QStringLiteral("mean"), 12)
                     .arg(QStringLiteral("sigma"), 12)
                     .arg(QStringLiteral("Cpk"), 7)
                     .arg(QStringLiteral("Ppk"), 7);
        for (const SpcPeriodStats &s : p.periods)
            lines << QStringLiteral("  %1 %2 %3 %4 %5 %6")
                         .arg(s.period, -24)
                         .arg(s.n, 9)
                         .arg(reportTextNumber(s.mean, 4), 12)
                         .arg(reportTextNumber(s.sigma, 4), 12)
                         .arg(reportTextNumber(s.capability.cpk, 2), 7)
                         .arg(reportTextNumber(s.capability.ppk, 2), 7);
    }
    if (r.grouping == SpcGrouping::Shift && r.outsideShifts > 0)
        lines << QString()
              << QStringLiteral("%1 values fall in no shift of %2 and count in no period")
                     .arg(r.outsideShifts)
                     .arg(r.shifts);
    return lines;
}
