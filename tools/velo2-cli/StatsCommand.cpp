#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "UnitsInput.h"
#include "core/analysis/population/PopulationStats.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>

namespace {

// The columns of the table: JSON key, text heading, the value.
struct Column {
    const char *key;
    const char *heading;
    double UnitValues::*field;
};
const Column kColumns[] = {
    {"Re_ohm", "Re [ohm]", &UnitValues::re}, {"Fs_Hz", "Fs [Hz]", &UnitValues::fs},
    {"Qms", "Qms", &UnitValues::qms},        {"Qes", "Qes", &UnitValues::qes},
    {"Qts", "Qts", &UnitValues::qts},        {"Zmax_ohm", "Zmax [ohm]", &UnitValues::zmax},
};

ColumnSummary columnSummary(const LoadedUnits &in, const Column &c)
{
    std::vector<double> values;
    for (const LoadedUnit &u : in.units)
        values.push_back(u.values.*c.field);
    return summarize(values);
}

QJsonObject summaryJson(const ColumnSummary &s)
{
    return {{QStringLiteral("mean"), s.mean},
            {QStringLiteral("sigma"), s.n > 1 ? QJsonValue(s.sigma) : QJsonValue()},
            {QStringLiteral("min"), s.min},
            {QStringLiteral("max"), s.max},
            {QStringLiteral("n"), s.n}};
}

void printStatsJson(const LoadedUnits &in, const CommonBand &band)
{
    QJsonArray units;
    for (const LoadedUnit &u : in.units) {
        QJsonObject o{{QStringLiteral("file"), u.path},
                      {QStringLiteral("band"), u.band},
                      {QStringLiteral("reEstimated"), u.values.reEstimated}};
        for (const Column &c : kColumns)
            o.insert(QLatin1String(c.key), jsonFloat(float(u.values.*c.field)));
        units.append(o);
    }
    QJsonObject summary;
    for (const Column &c : kColumns)
        summary.insert(QLatin1String(c.key), summaryJson(columnSummary(in, c)));
    QJsonArray skipped;
    for (const QString &s : in.skippedFiles)
        skipped.append(s);
    printJson(QJsonObject{{QStringLiteral("units"), units},
                          {QStringLiteral("summary"), summary},
                          {QStringLiteral("commonBand"),
                           QJsonObject{{QStringLiteral("fromHz"), band.fromHz.toDouble()},
                                       {QStringLiteral("toHz"), band.toHz.toDouble()},
                                       {QStringLiteral("points"), band.points}}},
                          {QStringLiteral("skipped"), skipped}});
}

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

void printStatsText(const LoadedUnits &in, const CommonBand &band)
{
    QStringList header{QStringLiteral("file")};
    for (const Column &c : kColumns)
        header << QLatin1String(c.heading);
    QList<QStringList> rows{header};
    bool anyEstimated = false;
    for (const LoadedUnit &u : in.units) {
        QStringList row{u.path};
        for (const Column &c : kColumns)
            row << number(u.values.*c.field);
        if (u.values.reEstimated) {
            row[1] += QLatin1Char('*');
            anyEstimated = true;
        }
        rows << row;
    }
    const char *const names[] = {"mean", "sigma", "min", "max", "n"};
    for (int k = 0; k < 5; ++k) {
        QStringList row{QLatin1String(names[k])};
        for (const Column &c : kColumns) {
            const ColumnSummary s = columnSummary(in, c);
            const double v[] = {s.mean, s.sigma, s.min, s.max, double(s.n)};
            row << (k == 1 && s.n < 2 ? QStringLiteral("-") : number(v[k]));
        }
        rows << row;
    }
    std::vector<int> widths(std::size(kColumns) + 1, 0);
    for (const QStringList &row : rows)
        for (int i = 0; i < row.size(); ++i)
            widths[std::size_t(i)] = std::max(widths[std::size_t(i)], int(row[i].size()));
    QStringList lines;
    for (int r = 0; r < rows.size(); ++r) {
        if (r == int(in.units.size()) + 1)
            lines << QString();
        QString line = rows[r][0].leftJustified(widths[0] + 2);
        for (int i = 1; i < rows[r].size(); ++i)
            line += rows[r][i].rightJustified(widths[std::size_t(i)] + 2);
        lines << line;
    }
    lines << QString() << CliMessages::unitsCommonBand(band.fromHz, band.toHz, band.points);
    if (anyEstimated)
        lines << CliMessages::unitsEstimatedNote();
    printOut(lines.join(QLatin1Char('\n')));
}

} // namespace

int runStats(const QStringList &args)
{
    CommandLine cl(QStringLiteral("stats"),
                   QStringLiteral("[FILE...] [--db URL [--since DATE] [--passed | --failed] "
                                  "[--station NAME]] (--re OHMS | --re-file CSV | "
                                  "--re-estimate) [--json]"),
                   CliMessages::statsDescription());
    addReOptions(cl);
    addLogOptions(cl);
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = expectUnits(cl); code >= 0)
        return code;
    LoadedUnits in;
    if (const int code = loadUnits(cl, &in); code >= 0)
        return code;
    CommonBand band;
    if (const int code = checkCommonBand(cl, in, &band); code >= 0)
        return code;
    if (cl.isSet(QStringLiteral("json")))
        printStatsJson(in, band);
    else
        printStatsText(in, band);
    return finishOutput() ? ExitOk : ExitFailed;
}
