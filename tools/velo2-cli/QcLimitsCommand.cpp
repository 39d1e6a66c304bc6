#include "CliIo.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "OutputTarget.h"
#include "core/qc/QcLimitsBuild.h"
#include "core/qc/QcLimitsFile.h"

#include <QFileInfo>
#include <cmath>
#include <memory>
#include <vector>

namespace {

bool parseNumber(const QString &text, double *value)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

} // namespace

int runQcLimits(const QStringList &args)
{
    if (isQcLimitsFromLog(args))
        return runQcLimitsFromLog(args);
    CommandLine cl(QStringLiteral("qc limits"),
                   QStringLiteral("GOLDEN.DTA... -o LIMITS [--k 3] [--tolerance-pct 5] "
                                  "[--re OHMS] [--name NAME]"),
                   CliMessages::qcLimitsDescription());
    cl.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("LIMITS"),
                CliMessages::qcLimitsOutputHelp());
    cl.addValue({QStringLiteral("k")}, QStringLiteral("K"), CliMessages::qcKHelp());
    cl.addValue({QStringLiteral("tolerance-pct")}, QStringLiteral("PCT"),
                CliMessages::qcTolerancePctHelp());
    cl.addValue({QStringLiteral("re")}, QStringLiteral("OHMS"), CliMessages::qcReHelp());
    cl.addValue({QStringLiteral("name")}, QStringLiteral("NAME"), CliMessages::qcNameHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1000, QStringLiteral("GOLDEN.DTA")); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("o")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("-o LIMITS")));

    QcLimitsOptions options;
    const QString output = cl.value(QStringLiteral("o"));
    options.name = cl.isSet(QStringLiteral("name")) ? cl.value(QStringLiteral("name")).trimmed()
                                                    : QFileInfo(output).completeBaseName();
    // Each number option: its text, the value it fills and the smallest value allowed.
    struct NumberOption {
        const char *name;
        double *value;
        bool positive; // above 0, else at least 0
    };
    const NumberOption numbers[] = {{"k", &options.k, false},
                                    {"tolerance-pct", &options.tolerancePct, false},
                                    {"re", &options.re, true}};
    for (const NumberOption &n : numbers) {
        const QString name = QLatin1String(n.name);
        if (!cl.isSet(name))
            continue;
        const QString text = cl.value(name);
        if (!parseNumber(text, n.value))
            return cl.usageError(CliMessages::optionNotANumber(QStringLiteral("--") + name, text));
        if (n.positive ? *n.value <= 0.0 : *n.value < 0.0)
            return cl.usageError(
                CliMessages::qcOptionOutOfRange(QStringLiteral("--") + name, text, n.positive));
    }

    std::vector<std::unique_ptr<MeasurementDocument>> docs;
    QVector<QcGolden> golden;
    for (const QString &path : cl.positional()) {
        auto doc = std::make_unique<MeasurementDocument>();
        QString problem;
        if (!openMeasurement(*doc, path, &problem))
            return cl.fileFailure(path, problem);
        golden.append({path, &doc->curveRaw(), doc->measurement().band});
        docs.push_back(std::move(doc));
    }
    QcLimits limits;
    if (const QString problem = makeQcLimits(golden, options, &limits); !problem.isEmpty())
        return cl.failure(problem);
    if (!writeQcLimitsFile(output, limits))
        return cl.fileFailure(output, OutputTarget::writeProblem(output));
    printOut(CliMessages::qcLimitsWritten(output, limits.band, limits.goldenCount,
                                          QString::number(limits.re, 'f', 3)));
    return finishOutput() ? ExitOk : ExitFailed;
}
