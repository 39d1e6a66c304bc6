#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "core/graph/CurveCompare.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cmath>

namespace {

// Full double precision; null where nothing was compared or the phase means nothing.
QJsonValue number(double v, bool given = true)
{
    return given ? jsonNumber(v) : QJsonValue(QJsonValue::Null);
}

QString fixed(double v, int decimals, bool given = true)
{
    return given && std::isfinite(v) ? QString::number(v, 'f', decimals) : QStringLiteral("-");
}

} // namespace

int runCompare(const QStringList &args)
{
    CommandLine cl(QStringLiteral("compare"), QStringLiteral("FILE --ref REF [--json]"),
                   CliMessages::compareDescription());
    cl.addValue({QStringLiteral("ref")}, QStringLiteral("REF"), CliMessages::compareRefHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE")); code >= 0)
        return code;
    const QStringList refs = cl.values(QStringLiteral("ref"));
    if (refs.isEmpty())
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--ref REF")));
    if (refs.size() > 1)
        return cl.usageError(CliMessages::unexpectedArgument(refs.at(1)));

    const QString input = cl.positional().first();
    QString problem;
    const auto doc = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*doc, input, &problem))
        return cl.fileFailure(input, problem);
    if (!openReference(*doc, refs.first(), &problem))
        return cl.fileFailure(refs.first(), problem);

    // The unaveraged curves, as the unit gave them.
    const CompareResult result =
        compareCurves(doc->curveRaw(), doc->refCurveRaw(0), doc->measurement().band);
    if (result.points.isEmpty())
        return cl.fileFailure(refs.first(), CliMessages::compareNothingInCommon());
    const bool phase = doc->measurementHasPhase() && doc->referenceHasPhase(0);
    if (!phase)
        printErr(CliMessages::compareNoPhase());
    if (result.uncompared > 0)
        printErr(CliMessages::compareUncompared(result.uncompared));

    if (cl.isSet(QStringLiteral("json"))) {
        QJsonArray points;
        for (const ComparePoint &p : result.points)
            points.append(
                QJsonObject{{QStringLiteral("f_Hz"), number(p.fHz)},
                            {QStringLiteral("diff_ohm"), number(p.diffOhm)},
                            {QStringLiteral("diff_pct"), number(p.diffPct)},
                            {QStringLiteral("ratio_dB"), number(p.ratioDb)},
                            {QStringLiteral("phaseDiff_deg"), number(p.phaseDiffDeg, phase)}});
        const QJsonObject out{
            {QStringLiteral("file"), input},
            {QStringLiteral("ref"), refs.first()},
            {QStringLiteral("band"), doc->measurement().band},
            {QStringLiteral("uncompared"), result.uncompared},
            {QStringLiteral("maxDiff_ohm"), number(result.maxDiffOhm)},
            {QStringLiteral("maxDiff_pct"), number(result.maxDiffPct)},
            {QStringLiteral("maxDiffAt_Hz"), number(result.maxDiffAtHz)},
            {QStringLiteral("maxRatio_dB"), number(result.maxRatioDb)},
            {QStringLiteral("maxPhaseDiff_deg"), number(result.maxPhaseDiffDeg, phase)},
            {QStringLiteral("points"), points}};
        printJson(out);
    } else {
        QStringList rows{CliMessages::compareHeading()};
        for (const ComparePoint &p : result.points)
            rows << QStringLiteral("%1\t%2\t%3\t%4\t%5")
                        .arg(fixed(p.fHz, 2), fixed(p.diffOhm, 3), fixed(p.diffPct, 2),
                             fixed(p.ratioDb, 3), fixed(p.phaseDiffDeg, 2, phase));
        rows << CliMessages::compareSummary(
            fixed(result.maxDiffOhm, 3), fixed(result.maxDiffPct, 2), fixed(result.maxDiffAtHz, 2),
            fixed(result.maxRatioDb, 3), fixed(result.maxPhaseDiffDeg, 2, phase));
        printOut(rows.join(QLatin1Char('\n')));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
