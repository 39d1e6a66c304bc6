#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "core/analysis/AnalysisFormat.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/ThieleSmall.h"

namespace {

const char *const kJsonKeys[kTsValueCount] = {"Re", "Rmax", "Fs",  "r0",  "Rx",
                                              "f1", "f2",   "Qms", "Qes", "Qts"};

} // namespace

int runTs(const QStringList &args)
{
    CommandLine cl(QStringLiteral("ts"), QStringLiteral("FILE.DTA --re OHMS [--json]"),
                   CliMessages::tsDescription());
    cl.addValue({QStringLiteral("re")}, QStringLiteral("OHMS"), CliMessages::reHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("re")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--re OHMS")));
    // The Re entry's own rule for what counts as a number.
    float Re = 0.0f;
    const QString reText = cl.value(QStringLiteral("re"));
    if (!parseReText(reText, &Re))
        return cl.usageError(CliMessages::reNotANumber(reText, AnalysisMessages::badRe()));

    const QString input = cl.positional().first();
    QString problem;
    const auto doc = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*doc, input, &problem))
        return cl.fileFailure(input, problem);

    // The analysis window's steps: the peak search, then the computation from its first peak.
    const int band = doc->measurement().band;
    CurveBlock smooth;
    const PeakList peaks = searchBand(doc->curveRaw(), smooth, band);
    int first = 0;
    int last = 0;
    analysisRange(doc->curveRaw(), band, &first, &last);
    TsParameters p;
    const TsResult result = computeTs(doc->curveRaw(), first, last, peaks, Re, p);
    if (result != TsResult::Ok)
        return cl.fileFailure(
            input, CliMessages::analysisMessage(AnalysisMessages::forResult(result).text));

    const auto values = tsValues(p);
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonObject o{{QStringLiteral("file"), input}};
        for (int i = 0; i < kTsValueCount; ++i)
            o.insert(QLatin1String(kJsonKeys[i]), jsonFloat(values[i]));
        printJson(o);
    } else {
        // The result window's rows: its labels and its two-decimal texts.
        int width = 0;
        for (int i = 0; i < kTsValueCount; ++i)
            width = std::max(width, int(tsValueLabel(i).size()));
        QStringList rows;
        for (int i = 0; i < kTsValueCount; ++i)
            rows << tsValueLabel(i).leftJustified(width + 2) + formatZeroDot00(values[i]);
        printOut(rows.join(QLatin1Char('\n')));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
