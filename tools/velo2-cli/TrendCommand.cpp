#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "UnitsInput.h"
#include "core/analysis/population/RunDate.h"
#include "core/analysis/population/Trend.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cmath>

namespace {

struct Point {
    const LoadedUnit *unit = nullptr;
    QDateTime when;
    bool fromRecord = false; // else the file's modification time
    bool ambiguous = false;
};

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

int runTrend(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("trend"),
        QStringLiteral("[FILE...] [--db URL [--since DATE] [--passed | --failed] [--station NAME]] "
                       "(--re OHMS | --re-file CSV | --re-estimate) "
                       "[--settle PCT] [--given-order] [--json]"),
        CliMessages::trendDescription());
    addReOptions(cl);
    addLogOptions(cl);
    cl.addValue({QStringLiteral("settle")}, QStringLiteral("PCT"), CliMessages::settleHelp());
    cl.addFlag(QStringLiteral("given-order"), CliMessages::givenOrderHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = expectUnits(cl); code >= 0)
        return code;
    double settlePct = kSettledPct;
    if (cl.isSet(QStringLiteral("settle"))) {
        bool ok = false;
        const QString text = cl.value(QStringLiteral("settle"));
        settlePct = text.toDouble(&ok);
        if (!ok || !std::isfinite(settlePct) || settlePct <= 0.0)
            return cl.usageError(CliMessages::trendBadSettle(text));
    }
    LoadedUnits in;
    if (const int code = loadUnits(cl, &in); code >= 0)
        return code;

    std::vector<QString> texts;
    for (const LoadedUnit &u : in.units)
        texts.push_back(u.dateText);
    const std::vector<RunDate> dates = readRunDates(texts);
    std::vector<Point> points;
    for (std::size_t i = 0; i < in.units.size(); ++i) {
        Point p;
        p.unit = &in.units[i];
        p.fromRecord = !in.units[i].isTable && dates[i].ok();
        p.when = p.fromRecord ? dates[i].when : in.units[i].modified;
        p.ambiguous = p.fromRecord && dates[i].ambiguous;
        points.push_back(p);
    }
    if (!cl.isSet(QStringLiteral("given-order")))
        std::stable_sort(points.begin(), points.end(),
                         [](const Point &a, const Point &b) { return a.when < b.when; });
    std::vector<double> fs;
    for (const Point &p : points)
        fs.push_back(p.unit->values.fs);
    const bool settled = isSettled(fs, settlePct);

    if (cl.isSet(QStringLiteral("json"))) {
        QJsonArray list;
        for (const Point &p : points)
            list.append(
                QJsonObject{{QStringLiteral("file"), p.unit->path},
                            {QStringLiteral("date"), p.when.toString(Qt::ISODate)},
                            {QStringLiteral("dateSource"),
                             p.fromRecord ? QStringLiteral("record") : QStringLiteral("modified")},
                            {QStringLiteral("dateAmbiguous"), p.ambiguous},
                            {QStringLiteral("Fs_Hz"), jsonFloat(float(p.unit->values.fs))},
                            {QStringLiteral("Qts"), jsonFloat(float(p.unit->values.qts))},
                            {QStringLiteral("Re_ohm"), jsonFloat(float(p.unit->values.re))},
                            {QStringLiteral("reEstimated"), p.unit->values.reEstimated}});
        printJson(QJsonObject{{QStringLiteral("points"), list},
                              {QStringLiteral("settled"), settled},
                              {QStringLiteral("settlePct"), settlePct}});
        return finishOutput() ? ExitOk : ExitFailed;
    }
    QStringList lines;
    bool anyAmbiguous = false;
    bool anyModified = false;
    for (const Point &p : points) {
        QString date = p.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        date +=
            p.ambiguous ? QLatin1Char('?') : (p.fromRecord ? QLatin1Char(' ') : QLatin1Char('~'));
        anyAmbiguous |= p.ambiguous;
        anyModified |= !p.fromRecord;
        lines << QStringLiteral("%1  Fs %2 Hz  Qts %3  Re %4%5  %6")
                     .arg(date, number(p.unit->values.fs), number(p.unit->values.qts),
                          number(p.unit->values.re),
                          p.unit->values.reEstimated ? QStringLiteral("*") : QString(),
                          p.unit->path);
    }
    lines << CliMessages::trendSettled(settled, number(settlePct));
    if (anyAmbiguous)
        lines << CliMessages::trendAmbiguousNote();
    if (anyModified)
        lines << CliMessages::trendModifiedNote();
    printOut(lines.join(QLatin1Char('\n')));
    return finishOutput() ? ExitOk : ExitFailed;
}
