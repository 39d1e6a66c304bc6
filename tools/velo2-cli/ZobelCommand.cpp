#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CompensatedZma.h"
#include "DocumentFiles.h"
#include "core/analysis/design/Compensation.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cmath>

namespace {

// A frequency option: fallback when not given, -1 when not a positive number.
double frequencyOption(const CommandLine &cl, const QString &name, double fallback)
{
    if (!cl.isSet(name))
        return fallback;
    bool ok = false;
    const double hz = cl.value(name).trimmed().toDouble(&ok);
    return ok && std::isfinite(hz) && hz > 0.0 ? hz : -1.0;
}

QJsonObject valuesJson(const ZobelValues &v)
{
    QJsonObject o{{QStringLiteral("R_ohm"), v.rOhm},
                  {QStringLiteral("C_uF"), v.cUf},
                  {QStringLiteral("flatnessPct"), v.flatnessPct}};
    if (v.hasSecondPair()) {
        o.insert(QStringLiteral("R2_ohm"), v.r2Ohm);
        o.insert(QStringLiteral("C2_uF"), v.c2Uf);
    }
    return o;
}

QString valuesText(const ZobelValues &v)
{
    QString pairs = QStringLiteral("R %1 ohm  C %2 uF  ")
                        .arg(QString::number(v.rOhm, 'g', 4), QString::number(v.cUf, 'g', 4));
    if (v.hasSecondPair())
        pairs += QStringLiteral("R2 %1 ohm  C2 %2 uF  ")
                     .arg(QString::number(v.r2Ohm, 'g', 4), QString::number(v.c2Uf, 'g', 4));
    return pairs + QStringLiteral("flatness ±%1 %").arg(QString::number(v.flatnessPct, 'f', 2));
}

void printZobel(const QString &input, double from, double to, const ZobelDesign &d, bool json)
{
    if (json) {
        QJsonArray classic;
        for (const ClassicZobel &c : d.classic) {
            QJsonObject o = valuesJson(c.values);
            o.insert(QStringLiteral("rule"), c.rule);
            classic.append(o);
        }
        printJson(QJsonObject{{QStringLiteral("file"), input},
                              {QStringLiteral("from_Hz"), from},
                              {QStringLiteral("to_Hz"), to},
                              {QStringLiteral("Re_ohm"), d.reOhm},
                              {QStringLiteral("Le_mH"), d.leMh},
                              {QStringLiteral("fitted"), valuesJson(d.fitted)},
                              {QStringLiteral("snapped"), valuesJson(d.snapped)},
                              {QStringLiteral("classic"), classic}});
        return;
    }
    QStringList rows;
    rows << CliMessages::zobelEstimates(QString::number(d.reOhm, 'f', 3),
                                        QString::number(d.leMh, 'f', 3));
    rows << QStringLiteral("fitted    ") + valuesText(d.fitted);
    rows << QStringLiteral("snapped   ") + valuesText(d.snapped);
    for (const ClassicZobel &c : d.classic)
        rows << c.rule + QStringLiteral("  ") + valuesText(c.values);
    printOut(rows.join(QLatin1Char('\n')));
}

} // namespace

int runZobel(const QStringList &args)
{
    CommandLine cl(QStringLiteral("zobel"),
                   QStringLiteral("FILE [--from HZ --to HZ] [--series E12|E24|exact] [--second] "
                                  "[--json] [--zma OUT.zma]"),
                   CliMessages::zobelDescription());
    cl.addValue({QStringLiteral("from")}, QStringLiteral("HZ"), CliMessages::zobelFromHelp());
    cl.addValue({QStringLiteral("to")}, QStringLiteral("HZ"), CliMessages::zobelToHelp());
    cl.addValue({QStringLiteral("series")}, QStringLiteral("E12|E24|exact"),
                CliMessages::zobelSeriesHelp());
    cl.addValue({QStringLiteral("band")}, QStringLiteral("N"), CliMessages::convertBandHelp());
    cl.addFlag(QStringLiteral("second"), CliMessages::zobelSecondHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    addCompensatedZmaOption(cl);
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE")); code >= 0)
        return code;
    if (const int code = checkCompensatedZmaOption(cl); code >= 0)
        return code;
    const double from = frequencyOption(cl, QStringLiteral("from"), 300.0);
    if (from < 0.0)
        return cl.usageError(CliMessages::zobelBadFrequency(QStringLiteral("from"),
                                                            cl.value(QStringLiteral("from"))));
    const double to = frequencyOption(cl, QStringLiteral("to"), 20000.0);
    if (to < 0.0)
        return cl.usageError(
            CliMessages::zobelBadFrequency(QStringLiteral("to"), cl.value(QStringLiteral("to"))));
    ESeries series = ESeries::E24;
    if (cl.isSet(QStringLiteral("series"))) {
        const QString s = cl.value(QStringLiteral("series")).trimmed().toLower();
        if (s == QLatin1String("e12"))
            series = ESeries::E12;
        else if (s == QLatin1String("e24"))
            series = ESeries::E24;
        else if (s == QLatin1String("exact"))
            series = ESeries::Exact;
        else
            return cl.usageError(CliMessages::zobelBadSeries(cl.value(QStringLiteral("series"))));
    }
    const QString input = cl.positional().first();
    const auto doc = std::make_unique<MeasurementDocument>();
    if (const int code = openWithBandOption(cl, *doc, input); code >= 0)
        return code;
    const ZobelDesign d =
        designZobel(doc->curveRaw(), from, to, series, cl.isSet(QStringLiteral("second")));
    if (!d.ok())
        return cl.fileFailure(input, CliMessages::zobelRefused(d.outcome));
    // The parts as bought: the snapped values (the fitted ones for --series exact).
    if (const int code =
            writeCompensatedZma(cl, *doc, input, zobelNetwork(d.snapped), QStringLiteral("Zobel"));
        code >= 0)
        return code;
    printZobel(input, from, to, d, cl.isSet(QStringLiteral("json")));
    return finishOutput() ? ExitOk : ExitFailed;
}
