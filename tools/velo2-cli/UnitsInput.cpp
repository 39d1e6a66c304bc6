#include "UnitsInput.h"

#include "CliMessages.h"
#include "DocumentFiles.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/population/PopulationStats.h"
#include "core/analysis/population/ReList.h"
#include "core/files/AnsiText.h"
#include "core/files/InputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

    // One document for all files: each open replaces the last.
    const auto doc = std::make_unique<MeasurementDocument>();
    QStringList files;
    for (const QString &arg : cl.positional()) {
        // A folder stands for its data files and ZMA and FRD tables, in name order.
        if (QFileInfo(arg).isDir()) {
            const QDir dir(arg);
            const QStringList names = dir.entryList(
                {QStringLiteral("*.dta"), QStringLiteral("*.zma"), QStringLiteral("*.frd")},
                QDir::Files, QDir::Name | QDir::IgnoreCase);
            if (names.isEmpty()) {
                cl.reportFile(arg, CliMessages::folderWithoutUnits());
                out->skippedFiles << arg + QStringLiteral(": ") + CliMessages::folderWithoutUnits();
                ++out->skipped;
            }
            for (const QString &name : names)
                files << dir.filePath(name);
        } else {
            files << arg;
        }
    }
    out->total = int(files.size()) + out->skipped;
    for (const QString &path : files) {
        QString problem;
        auto skip = [&](const QString &why) {
            cl.reportFile(path, why);
            out->skippedFiles << path + QStringLiteral(": ") + why;
            ++out->skipped;
        };
        if (!openMeasurement(*doc, path, &problem)) {
            skip(problem);
            continue;
        }
        LoadedUnit u;
        u.path = path;
        u.raw = std::make_unique<CurveBlock>(doc->curveRaw());
        u.band = doc->measurement().band;
        u.isTable = doc->isTablePath(path);
        if (!u.isTable)
            u.dateText = fromAnsi(doc->measurement().dateTime);
        u.modified = QFileInfo(path).lastModified();
        double re = typedRe;
        if (listed) {
            re = list.reFor(path);
            if (std::isnan(re)) {
                skip(CliMessages::reFileMissing(listPath));
                continue;
            }
        } else if (estimated) {
            re = estimateRe(*u.raw, u.band, doc->measurementHasPhase());
            if (std::isnan(re)) {
                skip(CliMessages::reNotEstimated());
                continue;
            }
        }
        u.values = computeUnitValues(path, *u.raw, u.band, re, estimated);
        if (!u.values.ok()) {
            skip(CliMessages::analysisMessage(AnalysisMessages::forResult(u.values.result).text));
            continue;
        }
        out->units.push_back(std::move(u));
    }
    if (out->units.empty())
        return cl.failure(CliMessages::unitsNone());
    if (out->skipped > 0)
        cl.failure(CliMessages::unitsSkipped(out->skipped, out->total)); // a note; go on
    return -1;
}

int checkCommonBand(const CommandLine &cl, const LoadedUnits &in, CommonBand *band)
{
    std::vector<EnvelopeCurve> curves;
    for (const LoadedUnit &u : in.units)
        curves.push_back({u.raw.get(), u.band});
    const Envelope e = computeEnvelope(curves);
    if (!e.ok()) {
        const int culprit = e.disjointCurve >= 0 ? e.disjointCurve : int(in.units.size()) - 1;
        return cl.fileFailure(in.units[std::size_t(culprit)].path,
                              CliMessages::unitsNoCommonBand());
    }
    band->fromHz = QString::number(e.points.front().freq, 'g', 6);
    band->toHz = QString::number(e.points.back().freq, 'g', 6);
    band->points = int(e.points.size());
    return -1;
}
