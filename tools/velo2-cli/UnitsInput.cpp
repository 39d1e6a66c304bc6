#include "UnitsInput.h"

#include "CliMessages.h"
#include "DocumentFiles.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/population/PopulationStats.h"
#include "core/analysis/population/ReList.h"
#include "core/files/AnsiText.h"
#include "core/files/InputFile.h"

#include <QFile>
#include <cmath>

void addReOptions(CommandLine &cl)
{
    cl.addValue({QStringLiteral("re")}, QStringLiteral("OHMS"), CliMessages::reAllHelp());
    cl.addValue({QStringLiteral("re-file")}, QStringLiteral("CSV"), CliMessages::reFileHelp());
    cl.addFlag(QStringLiteral("re-estimate"), CliMessages::reEstimateHelp());
}

int loadUnits(const CommandLine &cl, LoadedUnits *out)
{
    const bool typed = cl.isSet(QStringLiteral("re"));
    const bool listed = cl.isSet(QStringLiteral("re-file"));
    const bool estimated = cl.isSet(QStringLiteral("re-estimate"));
    if (int(typed) + int(listed) + int(estimated) == 0)
        return cl.usageError(CliMessages::unitsReChoice());
    if (int(typed) + int(listed) + int(estimated) > 1)
        return cl.usageError(CliMessages::unitsReExclusive());
    float typedRe = 0.0f;
    if (typed) {
        const QString text = cl.value(QStringLiteral("re"));
        if (!parseReText(text, &typedRe) || !(typedRe > 0.0f))
            return cl.usageError(CliMessages::reNotANumber(text, AnalysisMessages::badRe()));
    }
    ReList list;
    const QString listPath = cl.value(QStringLiteral("re-file"));
    if (listed) {
        QByteArray bytes;
        switch (readInputFile(listPath, kMaxDataFileBytes, bytes)) {
        case InputFileProblem::None:
            break;
        case InputFileProblem::Missing:
            return cl.fileFailure(listPath, CliMessages::noSuchFile());
        case InputFileProblem::TooLarge:
            return cl.fileFailure(listPath, CliMessages::fileTooLarge(kMaxDataFileBytes));
        case InputFileProblem::NotRegular:
            return cl.fileFailure(listPath, CliMessages::notRegularFile());
        case InputFileProblem::Unreadable: {
            QFile file(listPath);
            file.open(QIODevice::ReadOnly);
            return cl.fileFailure(listPath, CliMessages::cannotRead(file.errorString()));
        }
        }
        list = parseReList(bytes);
        if (!list.ok())
            return cl.fileFailure(listPath, CliMessages::reFileBad(list.badLine));
    }

    ReChoice choice;
    choice.kind = typed ? ReChoice::Kind::Typed
                        : (listed ? ReChoice::Kind::Listed : ReChoice::Kind::Estimated);
    choice.typed = typedRe;
    choice.list = list;
    UnitsLoader loader;
    loader.open = [](MeasurementDocument &doc, const QString &path, QString *problem) {
        return openMeasurement(doc, path, problem);
    };
    loader.skipped = [&cl](const QString &path, const QString &why) { cl.reportFile(path, why); };
    loader.folderWithoutUnits = CliMessages::folderWithoutUnits();
    loader.notInReList = CliMessages::reFileMissing(listPath);
    loader.reNotEstimated = CliMessages::reNotEstimated();
    loader.noValues = [](TsResult r) {
        return CliMessages::analysisMessage(AnalysisMessages::forResult(r).text);
    };
    *out = loadUnits(cl.positional(), choice, loader);
    if (out->units.empty())
        return cl.failure(CliMessages::unitsNone());
    if (out->skipped > 0)
        cl.failure(CliMessages::unitsSkipped(out->skipped, out->total)); // a note; go on
    return -1;
}

int checkCommonBand(const CommandLine &cl, const LoadedUnits &in, CommonBand *band)
{
    const Envelope e = unitsEnvelope(in);
    if (!e.ok())
        return cl.fileFailure(in.units[std::size_t(unitWithoutCommonBand(in, e))].path,
                              CliMessages::unitsNoCommonBand());
    band->fromHz = QString::number(e.points.front().freq, 'g', 6);
    band->toHz = QString::number(e.points.back().freq, 'g', 6);
    band->points = int(e.points.size());
    return -1;
}
