#include "CliIo.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "OutputTarget.h"
#include "core/files/FileNameRules.h"

int runExport(const QStringList &args)
{
    CommandLine cl(QStringLiteral("export"), QStringLiteral("FILE.DTA [-o OUT.txt] [--raw]"),
                   CliMessages::exportDescription());
    cl.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT"),
                CliMessages::outputHelp());
    cl.addFlag(QStringLiteral("raw"), CliMessages::rawHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;

    const QString input = cl.positional().first();
    QString problem;
    const auto doc = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*doc, input, &problem))
        return cl.fileFailure(input, problem);

    // The curve the window exports with its averaging option on, or off for --raw.
    const bool averaging = !cl.isSet(QStringLiteral("raw"));
    const OutputTarget out(cl.value(QStringLiteral("o")), input, kExportFileExtension);
    if (out.isStdout()) {
        QByteArray bytes;
        if (!doc->exportBytes(averaging, bytes))
            return cl.fileFailure(input, CliMessages::calcDataError());
        writeOut(bytes);
        return finishOutput() ? ExitOk : ExitFailed;
    }
    // The very call the window's export makes.
    if (doc->exportText(out.path(), averaging) != WriteOutcome::Written)
        return cl.fileFailure(out.path(), OutputTarget::writeProblem(out.path()));
    return ExitOk;
}
