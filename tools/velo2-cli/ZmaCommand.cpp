#include "CliIo.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "OutputTarget.h"
#include "core/files/ZmaText.h"

int runZma(const QStringList &args)
{
    CommandLine cl(QStringLiteral("zma"), QStringLiteral("FILE.DTA [-o OUT.zma] [--raw]"),
                   CliMessages::zmaDescription());
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

    // The bytes the window's "ZMA出力" writes.
    QByteArray bytes;
    if (!doc->zmaBytes(!cl.isSet(QStringLiteral("raw")), bytes))
        return cl.fileFailure(input, CliMessages::calcDataError());
    const OutputTarget out(cl.value(QStringLiteral("o")), input, kZmaFileExtension);
    if (!out.write(bytes))
        return cl.fileFailure(out.path(), OutputTarget::writeProblem(out.path()));
    if (out.isStdout())
        return finishOutput() ? ExitOk : ExitFailed;
    return ExitOk;
}
