#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "OutputTarget.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/ThieleSmall.h"
#include "core/analysis/fit/FitMessages.h"
#include "core/analysis/fit/FitReport.h"
#include "core/files/ZmaText.h"

#include <QFileInfo>
#include <cmath>

namespace {

// A frequency option: 0 when not given, -1 when not a positive number.
double frequencyOption(const CommandLine &cl, const QString &name)
{
    if (!cl.isSet(name))
        return 0.0;
    bool ok = false;
    const double hz = cl.value(name).trimmed().toDouble(&ok);
    return ok && std::isfinite(hz) && hz > 0.0 ? hz : -1.0;
}

QString rowsText(const QVector<FitRow> &rows)
{
    int nameWidth = 0, valueWidth = 0, unitWidth = 0;
    for (const FitRow &r : rows) {
        nameWidth = std::max(nameWidth, int(r.name.size()));
        if (!r.unit.isEmpty() || !r.stderrText.isEmpty()) {
            valueWidth = std::max(valueWidth, int(r.value.size()));
            unitWidth = std::max(unitWidth, int(r.unit.size()));
        }
    }
    QStringList lines;
    for (const FitRow &r : rows) {
        QString line = r.name.leftJustified(nameWidth + 2);
        if (r.unit.isEmpty() && r.stderrText.isEmpty())
            line += r.value;
        else
            line += r.value.rightJustified(valueWidth) + QLatin1Char(' ') +
                    r.unit.leftJustified(unitWidth + 2) + r.stderrText;
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

int runFit(const QStringList &args)
{
    CommandLine cl(QStringLiteral("fit"),
                   QStringLiteral("FILE.DTA --model classic|lr2|semi (--re OHMS | --re-free) "
                                  "[--from HZ] [--to HZ] [--json] [--zma OUT.zma]"),
                   CliMessages::fitDescription());
    cl.addValue({QStringLiteral("model")}, QStringLiteral("M"), CliMessages::fitModelHelp());
    cl.addValue({QStringLiteral("re")}, QStringLiteral("OHMS"), CliMessages::fitReHelp());
    cl.addFlag(QStringLiteral("re-free"), CliMessages::fitReFreeHelp());
    cl.addValue({QStringLiteral("from")}, QStringLiteral("HZ"), CliMessages::fitFromHelp());
    cl.addValue({QStringLiteral("to")}, QStringLiteral("HZ"), CliMessages::fitToHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    cl.addValue({QStringLiteral("zma")}, QStringLiteral("OUT.zma"), CliMessages::fitZmaHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;

    FitSettings settings;
    if (!cl.isSet(QStringLiteral("model")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--model M")));
    const QString modelText = cl.value(QStringLiteral("model"));
    if (!fitModelFromName(modelText, &settings.model))
        return cl.usageError(CliMessages::badFitModel(modelText));
    settings.reFree = cl.isSet(QStringLiteral("re-free"));
    if (settings.reFree == cl.isSet(QStringLiteral("re")))
        return cl.usageError(CliMessages::reOrReFree());
    if (!settings.reFree) {
        // The Re entry's own rule for what counts as a number.
        float re = 0.0f;
        const QString reText = cl.value(QStringLiteral("re"));
        if (!parseReText(reText, &re))
            return cl.usageError(CliMessages::reNotANumber(reText, AnalysisMessages::badRe()));
        settings.re = re;
    }
    const double fromHz = frequencyOption(cl, QStringLiteral("from"));
    const double toHz = frequencyOption(cl, QStringLiteral("to"));
    if (fromHz < 0)
        return cl.usageError(
            CliMessages::badFrequency(QStringLiteral("--from"), cl.value(QStringLiteral("from"))));
    if (toHz < 0)
        return cl.usageError(
            CliMessages::badFrequency(QStringLiteral("--to"), cl.value(QStringLiteral("to"))));
    if (fromHz > 0 && toHz > 0 && fromHz >= toHz)
        return cl.usageError(CliMessages::fitRangeReversed(cl.value(QStringLiteral("from")),
                                                           cl.value(QStringLiteral("to"))));
    const QString zmaPath = cl.value(QStringLiteral("zma"));
    if (cl.isSet(QStringLiteral("zma")) && (zmaPath.isEmpty() || zmaPath == QLatin1String("-")))
        return cl.usageError(CliMessages::zmaNeedsFile());

    const QString input = cl.positional().first();
    QString problem;
    const auto doc = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*doc, input, &problem))
        return cl.fileFailure(input, problem);

    const int band = doc->measurement().band;
    const FitResult result =
        fitImpedanceCurve(fitPoints(doc->curveRaw(), band, fromHz, toHz), settings);
    if (result.outcome != FitOutcome::Ok)
        return cl.fileFailure(input, FitMessages::outcomeText(result));

    if (!zmaPath.isEmpty()) {
        const auto curve = std::make_unique<CurveBlock>();
        fittedCurve(result, doc->curveRaw(), band, *curve);
        const OutputTarget out(zmaPath, input, kZmaFileExtension);
        if (!out.write(zmaText(*curve, band, QFileInfo(input).fileName() + QStringLiteral(" fit"))))
            return cl.fileFailure(out.path(), OutputTarget::writeProblem(out.path()));
    }
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonObject o = fitJson(result);
        o.insert(QStringLiteral("file"), input);
        printJson(o);
    } else {
        printOut(rowsText(fitRows(result)));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
