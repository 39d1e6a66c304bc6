#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "MeasurementSummary.h"

#include <QJsonArray>

int runInfo(const QStringList &args)
{
    CommandLine cl(QStringLiteral("info"), QStringLiteral("[--json] FILE.DTA..."),
                   CliMessages::infoDescription());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, -1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;

    const bool json = cl.isSet(QStringLiteral("json"));
    bool failed = false;
    bool first = true;
    QJsonArray all;
    // Every file is reported; a bad one among many does not hide the others.
    for (const QString &path : cl.positional()) {
        QString problem;
        const auto doc = std::make_unique<MeasurementDocument>();
        if (!openMeasurement(*doc, path, &problem)) {
            cl.reportFile(path, problem);
            failed = true;
            continue;
        }
        if (json) {
            all.append(summaryJson(*doc));
        } else {
            if (!first)
                printOut(QString());
            printOut(summaryText(*doc));
            first = false;
        }
    }
    if (json)
        printJson(all);
    if (!finishOutput())
        return ExitFailed;
    return failed ? ExitFailed : ExitOk;
}
