#include "CliIo.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "OutputTarget.h"
#include "core/document/CurveOnGrid.h"
#include "core/files/FileNameRules.h"
#include "core/model/BandTable.h"

namespace {

constexpr int kNamedPoints = 3;

// Names the first few points the file holds only at its limit, and how many there are.
void warnBeyondDataFile(const CommandLine &cl, const QString &path, const std::vector<int> &beyond)
{
    if (!beyond.empty())
        cl.reportFile(path, CliMessages::tableBeyondDataFile(
                                int(beyond.size()), gridFrequencyList(beyond, kNamedPoints)));
}

} // namespace

int runConvert(const QStringList &args)
{
    CommandLine cl(QStringLiteral("convert"), QStringLiteral("IN -o OUT.DTA [--band N]"),
                   CliMessages::convertDescription());
    cl.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.DTA"),
                CliMessages::convertOutputHelp());
    cl.addValue({QStringLiteral("band")}, QStringLiteral("N"), CliMessages::convertBandHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("IN")); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("o")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("-o OUT.DTA")));
    const QString input = cl.positional().first();
    const auto doc = std::make_unique<MeasurementDocument>();
    if (const int code = openWithBandOption(cl, *doc, input); code >= 0)
        return code;

    // The window's "保存する": the same name rule and the same writer.
    const QString path = dataFileSavePath(cl.value(QStringLiteral("o")));
    if (doc->save(path, doc->comPort()) != WriteOutcome::Written)
        return cl.fileFailure(path, OutputTarget::writeProblem(path));
    warnBeyondDataFile(cl, path, doc->pointsBeyondDataFile());
    return ExitOk;
}
