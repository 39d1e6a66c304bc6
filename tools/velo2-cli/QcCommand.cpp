#include "CliIo.h"
#include "CliMessages.h"
#include "Commands.h"

// "velo2-cli qc SUBCOMMAND ...": the production QC commands share one group.
int runQc(const QStringList &args)
{
    const QString sub = args.value(0);
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("limits"))
        return runQcLimits(rest);
    if (sub == QLatin1String("check"))
        return runQcCheck(rest);
    if (sub == QLatin1String("report"))
        return runQcReport(rest);
    if (sub == QLatin1String("grr"))
        return runQcGrr(rest);
    if (sub == QLatin1String("replicate"))
        return runQcReplicate(rest);
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        printOut(CliMessages::qcDescription());
        return finishOutput() ? ExitOk : ExitFailed;
    }
    const QString prefix = CliMessages::program() + QStringLiteral(" qc: ");
    if (sub.isEmpty())
        printErr(prefix + CliMessages::missingArgument(QStringLiteral("SUBCOMMAND")) +
                 QStringLiteral(" (") +
                 CliMessages::seeHelp(CliMessages::program() + QStringLiteral(" qc")) +
                 QLatin1Char(')'));
    else
        printErr(prefix + CliMessages::unknownQcCommand(sub) + QStringLiteral(" (") +
                 CliMessages::seeHelp(CliMessages::program() + QStringLiteral(" qc")) +
                 QLatin1Char(')'));
    return ExitUsage;
}
