#include "CliIo.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "OutputTarget.h"
#include "core/qc/QcLimitsFile.h"
#include "core/qc/QcLimitsProposal.h"
#include "core/qc/log/LogPassedUnits.h"
#include "core/qc/log/LogTarget.h"

#include <QRegularExpression>
#include <cmath>

namespace {

bool parseNumber(const QString &text, double *value)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0.0)
        return false;
    *value = v;
    return true;
}

// The limits the log's units were checked against, when no limits file is given: the windows
// of the latest unit, its type and revision.
QcLimits limitsOfLog(const LogPassedUnits &units)
{
    QcLimits l;
    l.name = units.limitsName;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral(" v(\\d+)$")).match(units.latestLimits);
    l.revision = m.hasMatch() ? m.captured(1).toInt() : 0;
    std::copy(std::begin(units.windows), std::end(units.windows), l.parameters);
    return l;
}

} // namespace

bool isQcLimitsFromLog(const QStringList &args)
{
    for (const QString &a : args)
        if (a == QLatin1String("--from-db") || a.startsWith(QLatin1String("--from-db=")))
            return true;
    return false;
}

int runQcLimitsFromLog(const QStringList &args)
{
    CommandLine cl(QStringLiteral("qc limits"),
                   QStringLiteral("--from-db URL --last N [--station S] [--limits CURRENT] "
                                  "[-o OUT] [--k K] [--tolerance-pct PCT]"),
                   CliMessages::qcFromLogDescription());
    cl.addValue({QStringLiteral("from-db")}, QStringLiteral("URL"), CliMessages::qcReportDbHelp());
    cl.addValue({QStringLiteral("last")}, QStringLiteral("N"), CliMessages::qcLastHelp());
    cl.addValue({QStringLiteral("station")}, QStringLiteral("S"), CliMessages::qcFromStationHelp());
    cl.addValue({QStringLiteral("limits")}, QStringLiteral("CURRENT"),
                CliMessages::qcCurrentLimitsHelp());
    cl.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT"),
                CliMessages::qcProposalOutputHelp());
    cl.addValue({QStringLiteral("k")}, QStringLiteral("K"), CliMessages::qcFromLogKHelp());
    cl.addValue({QStringLiteral("tolerance-pct")}, QStringLiteral("PCT"),
                CliMessages::qcFromLogTolerancePctHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(0, 0, QString()); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("last")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--last N")));
    bool ok = false;
    const QString lastText = cl.value(QStringLiteral("last"));
    const int last = lastText.trimmed().toInt(&ok);
    if (!ok || last < kQcMinProposalUnits)
        return cl.usageError(CliMessages::qcBadLast(lastText, kQcMinProposalUnits));
    const bool haveLimits = cl.isSet(QStringLiteral("limits"));
    if (cl.isSet(QStringLiteral("o")) && !haveLimits)
        return cl.usageError(CliMessages::qcOutputNeedsLimits());
    double k = 3.0;
    double pct = 5.0;
    for (const auto &[name, value] :
         {std::pair{QStringLiteral("k"), &k}, std::pair{QStringLiteral("tolerance-pct"), &pct}})
        if (cl.isSet(name) && !parseNumber(cl.value(name), value))
            return cl.usageError(CliMessages::qcOptionOutOfRange(QStringLiteral("--") + name,
                                                                 cl.value(name), false));
    const QString target = cl.value(QStringLiteral("from-db"));
    if (const LogTarget t = parseLogTarget(target); t.kind == LogTarget::Invalid)
        return cl.failure(t.refusal());

    QcLimits current;
    if (haveLimits) {
        if (const QString problem = readQcLimitsFile(cl.value(QStringLiteral("limits")), &current);
            !problem.isEmpty())
            return cl.failure(problem);
    }
    LogPassedQuery query;
    query.last = last;
    query.station = cl.value(QStringLiteral("station"));
    query.limitsName = current.name;
    LogPassedUnits units;
    QString problem;
    if (!passedUnitsFromTarget(target, query, &units, &problem))
        return cl.failure(problem);
    const QString shown = parseLogTarget(target).display();
    if (units.units == 0)
        return cl.failure(CliMessages::qcNonePassed(shown, units.limitsName, query.station));
    if (units.units < last)
        return cl.failure(
            CliMessages::qcTooFewPassed(shown, units.limitsName, query.station, units.units, last));
    if (!haveLimits) {
        current = limitsOfLog(units);
        current.k = 3.0;
        current.tolerancePct = 5.0;
    }
    if (cl.isSet(QStringLiteral("k")))
        current.k = k;
    if (cl.isSet(QStringLiteral("tolerance-pct")))
        current.tolerancePct = pct;

    const QcLimitsProposal proposal = proposeQcLimits(current, units.values, units.units);
    QStringList lines = qcLimitsProposalText(proposal);
    if (cl.isSet(QStringLiteral("o"))) {
        const QString output = cl.value(QStringLiteral("o"));
        if (!writeQcLimitsFile(output, proposal.limits))
            return cl.fileFailure(output, OutputTarget::writeProblem(output));
        lines << CliMessages::qcProposalWritten(output, proposal.limits.title());
    }
    printOut(lines.join(QLatin1Char('\n')));
    return finishOutput() ? ExitOk : ExitFailed;
}
