#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "core/qc/grr/GaugeCsv.h"
#include "core/qc/grr/GaugeReport.h"
#include "core/qc/grr/StudyLog.h"

int runQcGrr(const QStringList &args)
{
    CommandLine cl(QStringLiteral("qc grr"),
                   QStringLiteral("(--csv FILE | --db URL --study NAME) [--parameter NAME] "
                                  "[--json]"),
                   CliMessages::qcGrrDescription());
    cl.addValue({QStringLiteral("csv")}, QStringLiteral("FILE"), CliMessages::qcGrrCsvHelp());
    cl.addValue({QStringLiteral("db")}, QStringLiteral("URL"), CliMessages::qcGrrDbHelp());
    cl.addValue({QStringLiteral("study")}, QStringLiteral("NAME"), CliMessages::qcGrrStudyHelp());
    cl.addValue({QStringLiteral("parameter")}, QStringLiteral("NAME"),
                CliMessages::qcGrrParameterHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(0, 0, QString()); code >= 0)
        return code;
    const bool fromCsv = cl.isSet(QStringLiteral("csv"));
    const bool fromDb = cl.isSet(QStringLiteral("db"));
    if (fromCsv && fromDb)
        return cl.usageError(
            CliMessages::optionsExclusive(QStringLiteral("--csv"), QStringLiteral("--db")));
    if (!fromCsv && !fromDb)
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--csv FILE | --db URL")));
    if (fromDb && !cl.isSet(QStringLiteral("study")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--study NAME")));

    QString parameter = cl.value(QStringLiteral("parameter")).trimmed();
    GaugeResult result;
    if (fromCsv) {
        const QString path = cl.value(QStringLiteral("csv"));
        GaugeCsv csv;
        if (QString problem = readGaugeCsv(path, parameter, &csv); !problem.isEmpty())
            return cl.failure(problem);
        if (const QString problem = analyseGaugeStudy(csv.values, &result); !problem.isEmpty())
            return cl.fileFailure(path, problem);
        parameter = csv.parameter;
    } else {
        QString problem;
        if (!analyseLoggedStudy(cl.value(QStringLiteral("db")), cl.value(QStringLiteral("study")),
                                &parameter, &result, &problem))
            return cl.failure(problem);
    }
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonObject o = gaugeStudyJson(result, parameter);
        if (fromDb)
            o.insert(QStringLiteral("study"), cl.value(QStringLiteral("study")));
        printJson(o);
    } else {
        printOut(gaugeStudyText(result, parameter).join(QLatin1Char('\n')));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
