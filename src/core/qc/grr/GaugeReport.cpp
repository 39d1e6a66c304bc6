#include "core/qc/grr/GaugeReport.h"

#include "core/qc/grr/GaugeMessages.h"

#include <QJsonArray>
#include <cmath>

namespace {

QJsonValue number(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue();
}

QJsonArray tableJson(const QVector<AnovaRow> &rows)
{
    QJsonArray out;
    for (const AnovaRow &r : rows)
        out.append(QJsonObject{{QStringLiteral("source"), GaugeMessages::sourceKey(r.source)},
                               {QStringLiteral("df"), r.df},
                               {QStringLiteral("SS"), number(r.ss)},
                               {QStringLiteral("MS"), number(r.ms)},
                               {QStringLiteral("F"), number(r.f)},
                               {QStringLiteral("p"), number(r.p)}});
    return out;
}

QString text(double v, int decimals)
{
    return std::isfinite(v) ? QString::number(v, 'f', decimals) : QStringLiteral("-");
}

QStringList tableText(const QVector<AnovaRow> &rows)
{
    QStringList lines{QStringLiteral("%1 %2 %3 %4 %5 %6")
                          .arg(QStringLiteral("source"), -16)
                          .arg(QStringLiteral("DF"), 5)
                          .arg(QStringLiteral("SS"), 12)
                          .arg(QStringLiteral("MS"), 12)
                          .arg(QStringLiteral("F"), 10)
                          .arg(QStringLiteral("p"), 7)};
    for (const AnovaRow &r : rows)
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(GaugeMessages::sourceName(r.source), -16)
                     .arg(r.df, 5)
                     .arg(text(r.ss, 5), 12)
                     .arg(text(r.ms, 5), 12)
                     .arg(text(r.f, 3), 10)
                     .arg(text(r.p, 4), 7);
    return lines;
}

} // namespace

QJsonObject gaugeStudyJson(const GaugeResult &r, const QString &parameter)
{
    QJsonObject o{{QStringLiteral("parts"), int(r.shape.parts.size())},
                  {QStringLiteral("operators"), int(r.shape.appraisers.size())},
                  {QStringLiteral("trials"), r.shape.trials},
                  {QStringLiteral("EV"), number(r.ev)},
                  {QStringLiteral("AV"), number(r.av)},
                  {QStringLiteral("INT"), number(r.interaction)},
                  {QStringLiteral("GRR"), number(r.grr)},
                  {QStringLiteral("PV"), number(r.pv)},
                  {QStringLiteral("TV"), number(r.tv)},
                  {QStringLiteral("EV_pct"), number(r.evPct)},
                  {QStringLiteral("AV_pct"), number(r.avPct)},
                  {QStringLiteral("INT_pct"), number(r.interactionPct)},
                  {QStringLiteral("GRR_pct"), number(r.grrPct)},
                  {QStringLiteral("PV_pct"), number(r.pvPct)},
                  {QStringLiteral("ndc"), number(r.ndc)},
                  {QStringLiteral("verdict"), GaugeMessages::verdictKey(r.verdict)},
                  {QStringLiteral("interactionPooled"), r.interactionPooled},
                  {QStringLiteral("anova"), tableJson(r.anova)}};
    if (r.interactionPooled)
        o.insert(QStringLiteral("anovaPooled"), tableJson(r.anovaPooled));
    if (!parameter.isEmpty())
        o.insert(QStringLiteral("parameter"), parameter);
    return o;
}

QStringList gaugeStudyText(const GaugeResult &r, const QString &parameter)
{
    QStringList lines;
    lines << QStringLiteral("%1%2 parts x %3 operators x %4 trials")
                 .arg(parameter.isEmpty() ? QString() : parameter + QStringLiteral(": "))
                 .arg(r.shape.parts.size())
                 .arg(r.shape.appraisers.size())
                 .arg(r.shape.trials)
          << QString() << QStringLiteral("ANOVA with the part x operator interaction");
    lines << tableText(r.anova);
    if (r.interactionPooled)
        lines << QString()
              << QStringLiteral("the interaction (p = %1 > %2) is pooled into repeatability:")
                     .arg(text(r.anova.value(2).p, 4))
                     .arg(kGaugePoolAboveP)
              << tableText(r.anovaPooled);
    lines << QString()
          << QStringLiteral("%1 %2 %3")
                 .arg(QStringLiteral("source"), -26)
                 .arg(QStringLiteral("std dev"), 12)
                 .arg(QStringLiteral("% of TV"), 8);
    const struct {
        const char *name;
        double sd;
        double pct;
    } rows[] = {{"EV (repeatability)", r.ev, r.evPct},
                {"AV (reproducibility)", r.av, r.avPct},
                {"INT (part x operator)", r.interaction, r.interactionPct},
                {"GRR", r.grr, r.grrPct},
                {"PV (part variation)", r.pv, r.pvPct},
                {"TV (total variation)", r.tv, 100.0}};
    for (const auto &row : rows)
        lines << QStringLiteral("%1 %2 %3")
                     .arg(QLatin1String(row.name), -26)
                     .arg(text(row.sd, 5), 12)
                     .arg(text(row.pct, 2), 8);
    lines << QString() << QStringLiteral("ndc      %1").arg(text(r.ndc, 0))
          << QStringLiteral("verdict  %1").arg(GaugeMessages::verdictText(r.verdict));
    return lines;
}

QString gaugeStudySummary(const GaugeResult &r, const QString &parameter)
{
    return QStringLiteral("%1: %GRR %2 %, ndc %3, %4")
        .arg(parameter, text(r.grrPct, 1), text(r.ndc, 0), GaugeMessages::verdictKey(r.verdict));
}
