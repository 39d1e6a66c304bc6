#include "CliIo.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "MeasurementFile.h"
#include "OutputTarget.h"
#include "core/files/FileNameRules.h"
#include "core/files/VELO_File.h"

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
    const auto m = loadMeasurementFile(input, &problem);
    if (!m)
        return cl.fileFailure(input, problem);

    // The curve the window exports with its averaging option on, or off for --raw.
    const CurveBlock *curve = &m->curve(!cl.isSet(QStringLiteral("raw")));
    const OutputTarget out(cl.value(QStringLiteral("o")), input, kExportFileExtension);
    const VELO_File file;
    if (out.isStdout()) {
        QByteArray bytes;
        if (!file.exportTextBytes(curve, &m->record, bytes))
            return cl.fileFailure(input, CliMessages::calcDataError());
        writeOut(bytes);
        return finishOutput() ? ExitOk : ExitFailed;
    }
    // The very call the window's export makes.
    if (!file.exportText(out.path(), curve, &m->record))
        return cl.fileFailure(out.path(), OutputTarget::writeProblem(out.path()));
    return ExitOk;
}
