#include "CompensatedZma.h"

#include "CliMessages.h"
#include "CommandLine.h"
#include "OutputTarget.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/ZmaText.h"

#include <QFileInfo>
#include <memory>

namespace {

const QString kOption = QStringLiteral("zma");

} // namespace

void addCompensatedZmaOption(CommandLine &cl)
{
    cl.addValue({kOption}, QStringLiteral("OUT.zma"), CliMessages::compensatedZmaHelp());
}

int checkCompensatedZmaOption(const CommandLine &cl)
{
    const QString path = cl.value(kOption);
    if (cl.isSet(kOption) && (path.isEmpty() || path == QLatin1String("-")))
        return cl.usageError(CliMessages::zmaNeedsFile());
    return -1;
}

int writeCompensatedZma(const CommandLine &cl, const MeasurementDocument &doc, const QString &input,
                        const CompensationNetwork &network, const QString &networkName)
{
    if (!cl.isSet(kOption))
        return -1;
    const int band = doc.measurement().band;
    const auto curve = std::make_unique<CurveBlock>();
    compensatedCurve(doc.curveRaw(), band, network, *curve);
    const OutputTarget out(cl.value(kOption), input, kZmaFileExtension);
    if (!out.write(zmaText(*curve, band,
                           QFileInfo(input).fileName() + QStringLiteral(" with ") + networkName)))
        return cl.fileFailure(out.path(), OutputTarget::writeProblem(out.path()));
    return -1;
}
