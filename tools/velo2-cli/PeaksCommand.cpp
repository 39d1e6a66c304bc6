#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "core/analysis/AnalysisFormat.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/PeakSearch.h"

#include <QJsonArray>

int runPeaks(const QStringList &args)
{
    CommandLine cl(QStringLiteral("peaks"), QStringLiteral("FILE.DTA [--json]"),
                   CliMessages::peaksDescription());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;

    const QString input = cl.positional().first();
    QString problem;
    const auto doc = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*doc, input, &problem))
        return cl.fileFailure(input, problem);

    // The analysis window's search: on the unaveraged curve and its smoothed copy.
    CurveBlock smooth;
    const PeakList peaks = searchBand(doc->curveRaw(), smooth, doc->measurement().band);
    if (peaks.peakCount == 0)
        return cl.fileFailure(input, CliMessages::analysisMessage(AnalysisMessages::noPeak()));

    if (cl.isSet(QStringLiteral("json"))) {
        QJsonArray list;
        for (int row = 0; row < peaks.peakCount; ++row) {
            const int i = peaks.peakIndex[row];
            list.append(
                QJsonObject{{QStringLiteral("gridIndex"), i},
                            {QStringLiteral("frequencyHz"), jsonFloat(doc->curveRaw().freq[i])},
                            {QStringLiteral("rOhm"), jsonFloat(doc->curveRaw().r[i])}});
        }
        printJson(QJsonObject{{QStringLiteral("file"), input},
                              {QStringLiteral("band"), doc->measurement().band},
                              {QStringLiteral("peaks"), list},
                              {QStringLiteral("Rmax"), jsonFloat(peaks.Rmax)},
                              {QStringLiteral("Fs"), jsonFloat(peaks.Fs)}});
    } else {
        // The texts of the window's fields, one peak per row.
        QStringList rows{CliMessages::peaksHeading()};
        for (int row = 0; row < peaks.peakCount; ++row) {
            const int i = peaks.peakIndex[row];
            rows << QStringLiteral("%1\t%2\t%3")
                        .arg(row + 1)
                        .arg(formatHashDot00(doc->curveRaw().freq[i]),
                             formatHashDot00(doc->curveRaw().r[i]));
        }
        printOut(rows.join(QLatin1Char('\n')));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
