#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "core/qc/log/LogReport.h"
#include "core/qc/log/LogUnits.h"

int runQcReport(const QStringList &args)
{
    CommandLine cl(QStringLiteral("qc report"),
                   QStringLiteral("--db URL [--since DATE] [--csv | --json]"),
                   CliMessages::qcReportDescription());
    cl.addValue({QStringLiteral("db")}, QStringLiteral("URL"), CliMessages::qcReportDbHelp());
    cl.addValue({QStringLiteral("since")}, QStringLiteral("DATE"), CliMessages::qcSinceHelp());
    cl.addFlag(QStringLiteral("csv"), CliMessages::qcCsvHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(0, 0, QString()); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("db")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--db URL")));
    if (cl.isSet(QStringLiteral("csv")) && cl.isSet(QStringLiteral("json")))
        return cl.usageError(
            CliMessages::optionsExclusive(QStringLiteral("--csv"), QStringLiteral("--json")));
    QDateTime since;
    if (cl.isSet(QStringLiteral("since"))) {
        since = parseLogSince(cl.value(QStringLiteral("since")));
        if (!since.isValid())
            return cl.usageError(CliMessages::qcBadSince(cl.value(QStringLiteral("since"))));
    }

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
