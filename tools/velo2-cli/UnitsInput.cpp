#include "UnitsInput.h"

#include "CliMessages.h"
#include "DocumentFiles.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/population/PopulationStats.h"
#include "core/analysis/population/ReList.h"
#include "core/files/AnsiText.h"
#include "core/files/InputFile.h"
#include "core/qc/log/LogUnits.h"

#include <QFile>
#include <cmath>

void addReOptions(CommandLine &cl)
{
    cl.addValue({QStringLiteral("re")}, QStringLiteral("OHMS"), CliMessages::reAllHelp());
    cl.addValue({QStringLiteral("re-file")}, QStringLiteral("CSV"), CliMessages::reFileHelp());
    cl.addFlag(QStringLiteral("re-estimate"), CliMessages::reEstimateHelp());
}

void addLogOptions(CommandLine &cl)
{
    cl.addValue({QStringLiteral("db")}, QStringLiteral("URL"), CliMessages::unitsDbHelp());
    cl.addValue({QStringLiteral("since")}, QStringLiteral("DATE"), CliMessages::qcSinceHelp());
    cl.addFlag(QStringLiteral("passed"), CliMessages::unitsPassedHelp());
    cl.addFlag(QStringLiteral("failed"), CliMessages::unitsFailedHelp());
    cl.addValue({QStringLiteral("station")}, QStringLiteral("NAME"),
                CliMessages::unitsStationHelp());
}

int expectUnits(const CommandLine &cl)
{
    return cl.expectPositional(cl.isSet(QStringLiteral("db")) ? 0 : 1, -1, QStringLiteral("FILE"));
}

namespace {

// The existing files of the log query, after reporting the missing ones; -1 to go on.
int logFiles(const CommandLine &cl, QStringList *files, QStringList *missing)
{
    const bool db = cl.isSet(QStringLiteral("db"));
    for (const char *option : {"since", "passed", "failed", "station"})
        if (!db && cl.isSet(QLatin1String(option)))
            return cl.usageError(CliMessages::needsOption(
                QStringLiteral("--") + QLatin1String(option), QStringLiteral("--db")));
    if (!db)
        return -1;
    if (cl.isSet(QStringLiteral("passed")) && cl.isSet(QStringLiteral("failed")))
        return cl.usageError(
            CliMessages::optionsExclusive(QStringLiteral("--passed"), QStringLiteral("--failed")));
    LogUnitsQuery query;
    if (cl.isSet(QStringLiteral("since"))) {
        query.since = parseLogSince(cl.value(QStringLiteral("since")));
        if (!query.since.isValid())
            return cl.usageError(CliMessages::qcBadSince(cl.value(QStringLiteral("since"))));
    }
    if (cl.isSet(QStringLiteral("passed")))
        query.verdict = LogUnitsQuery::Verdict::Passed;
    if (cl.isSet(QStringLiteral("failed")))
        query.verdict = LogUnitsQuery::Verdict::Failed;
    query.station = cl.value(QStringLiteral("station"));
    LogUnits units;
    QString problem;
    if (!unitsFromTarget(cl.value(QStringLiteral("db")), query, &units, &problem))
        return cl.failure(problem);
    for (const LogUnitFile &f : units.missing) {
        cl.reportFile(f.path, f.reason);
        *missing << f.path + QStringLiteral(": ") + f.reason;
    }
    *files = units.files;
    return -1;
}

} // namespace

int loadUnits(const CommandLine &cl, LoadedUnits *out)
{
    QStringList fromLog;
    QStringList missing;
    if (const int code = logFiles(cl, &fromLog, &missing); code >= 0)
        return code;
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
    *out = loadUnits(cl.positional() + fromLog, choice, loader);
    out->skipped += int(missing.size());
    out->total += int(missing.size());
    out->skippedFiles << missing;
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
