#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "OutputTarget.h"
#include "core/files/SafeWrite.h"
#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogTarget.h"
#include "core/qc/log/LogUnits.h"
#include "core/qc/spc/SpcHtml.h"
#include "core/qc/spc/SpcReport.h"

namespace {

// Control charts and capability per period, or the page: the options that ask for them.
int runSpcReport(const CommandLine &cl, const QDateTime &since)
{
    SpcOptions options;
    options.since = since;
    if (cl.isSet(QStringLiteral("by")) &&
        !parseGrouping(cl.value(QStringLiteral("by")), &options.grouping))
        return cl.usageError(CliMessages::qcBadBy(cl.value(QStringLiteral("by"))));
    if (cl.isSet(QStringLiteral("shifts")) && options.grouping != SpcGrouping::Shift)
        return cl.usageError(CliMessages::qcShiftsNeedBy());
    if (options.grouping == SpcGrouping::Shift) {
        QString problem;
        if (!parseShifts(cl.isSet(QStringLiteral("shifts")) ? cl.value(QStringLiteral("shifts"))
                                                            : defaultShifts(),
                         &options.shifts, &problem))
            return cl.usageError(problem);
    }
    const bool html = cl.isSet(QStringLiteral("html"));
    if (html)
        options.failedUnits = SpcHtml::kFailedRows;

    SpcReport report;
    QString problem;
    if (!spcReportFromTarget(cl.value(QStringLiteral("db")), options, &report, &problem))
        return cl.failure(problem);
    if (html) {
        const QString path = cl.value(QStringLiteral("html"));
        const SpcHtmlInfo info{parseLogTarget(cl.value(QStringLiteral("db"))).display(),
                               since.isValid() ? since.toString(Qt::ISODate) : QString(),
                               QDateTime::currentDateTime().toString(Qt::ISODate)};
        if (!writeFileSafely(path, spcHtml(report, info)))
            return cl.fileFailure(path, OutputTarget::writeProblem(path));
        return ExitOk;
    }
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonObject json = qcReportJson(report.summary);
        const QJsonObject spc = spcReportJson(report, cl.isSet(QStringLiteral("charts")));
        for (auto it = spc.begin(); it != spc.end(); ++it)
            json.insert(it.key() == QLatin1String("parameters") ? QStringLiteral("spc") : it.key(),
                        it.value());
        printJson(json);
    } else if (cl.isSet(QStringLiteral("csv"))) {
        writeOut((qcReportCsv(report.summary) + QLatin1Char('\n') + spcReportCsv(report)).toUtf8());
    } else {
        printOut((qcReportText(report.summary) + spcReportText(report)).join(QLatin1Char('\n')));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}

} // namespace

int runQcReport(const QStringList &args)
{
    CommandLine cl(QStringLiteral("qc report"),
                   QStringLiteral("--db URL [--since DATE] [--by day|shift|station] "
                                  "[--shifts LIST] [--csv | --json [--charts] | --html FILE]"),
                   CliMessages::qcReportDescription() + CliMessages::qcReportSpcDescription());
    cl.addValue({QStringLiteral("db")}, QStringLiteral("URL"), CliMessages::qcReportDbHelp());
    cl.addValue({QStringLiteral("since")}, QStringLiteral("DATE"), CliMessages::qcSinceHelp());
    cl.addFlag(QStringLiteral("csv"), CliMessages::qcCsvHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    cl.addValue({QStringLiteral("by")}, QStringLiteral("day|shift|station"),
                CliMessages::qcByHelp());
    cl.addValue({QStringLiteral("shifts")}, QStringLiteral("LIST"), CliMessages::qcShiftsHelp());
    cl.addFlag(QStringLiteral("charts"), CliMessages::qcChartsHelp());
    cl.addValue({QStringLiteral("html")}, QStringLiteral("FILE"), CliMessages::qcHtmlHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(0, 0, QString()); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("db")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--db URL")));
    if (cl.isSet(QStringLiteral("csv")) && cl.isSet(QStringLiteral("json")))
        return cl.usageError(
            CliMessages::optionsExclusive(QStringLiteral("--csv"), QStringLiteral("--json")));
    for (const QString &other : {QStringLiteral("csv"), QStringLiteral("json")})
        if (cl.isSet(QStringLiteral("html")) && cl.isSet(other))
            return cl.usageError(CliMessages::optionsExclusive(QStringLiteral("--html"),
                                                               QStringLiteral("--") + other));
    if (cl.isSet(QStringLiteral("charts")) && !cl.isSet(QStringLiteral("json")))
        return cl.usageError(CliMessages::qcChartsNeedJson());
    QDateTime since;
    if (cl.isSet(QStringLiteral("since"))) {
        since = parseLogSince(cl.value(QStringLiteral("since")));
        if (!since.isValid())
            return cl.usageError(CliMessages::qcBadSince(cl.value(QStringLiteral("since"))));
    }
    for (const QString &option : {QStringLiteral("by"), QStringLiteral("shifts"),
                                  QStringLiteral("charts"), QStringLiteral("html")})
        if (cl.isSet(option))
            return runSpcReport(cl, since);

    QcReport report;
    QString problem;
    if (!reportFromTarget(cl.value(QStringLiteral("db")), since, &report, &problem))
        return cl.failure(problem);
    if (cl.isSet(QStringLiteral("json")))
        printJson(qcReportJson(report));
    else if (cl.isSet(QStringLiteral("csv")))
        writeOut(qcReportCsv(report).toUtf8());
    else
        printOut(qcReportText(report).join(QLatin1Char('\n')));
    return finishOutput() ? ExitOk : ExitFailed;
}
