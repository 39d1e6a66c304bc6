#include "core/document/UnitsSet.h"

#include "core/document/MeasurementDocument.h"
#include "core/files/AnsiText.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

QStringList unitFiles(const QStringList &args, QStringList *emptyFolders)
{
    QStringList files;
    for (const QString &arg : args) {
        if (!QFileInfo(arg).isDir()) {
            files << arg;
            continue;
        }
        const QDir dir(arg);
        const QStringList names = dir.entryList(
            {QStringLiteral("*.dta"), QStringLiteral("*.zma"), QStringLiteral("*.frd")},
            QDir::Files, QDir::Name | QDir::IgnoreCase);
        if (names.isEmpty() && emptyFolders)
            *emptyFolders << arg;
        for (const QString &name : names)
            files << dir.filePath(name);
    }
    return files;
}

LoadedUnits loadUnits(const QStringList &args, const ReChoice &re, const UnitsLoader &loader)
{
    LoadedUnits out;
    auto skip = [&](const QString &path, const QString &why) {
        if (loader.skipped)
            loader.skipped(path, why);
        out.skippedFiles << path + QStringLiteral(": ") + why;
        ++out.skipped;
    };
    QStringList emptyFolders;
    const QStringList files = unitFiles(args, &emptyFolders);
    for (const QString &folder : emptyFolders)
        skip(folder, loader.folderWithoutUnits);
    out.total = int(files.size()) + out.skipped;

    // One document for all files: each open replaces the last.
    const auto doc = std::make_unique<MeasurementDocument>();
    const bool estimated = re.kind == ReChoice::Kind::Estimated;
    for (const QString &path : files) {
        QString problem;
        if (!loader.open(*doc, path, &problem)) {
            skip(path, problem);
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
        double unitRe = re.typed;
        if (re.kind == ReChoice::Kind::Listed) {
            unitRe = re.list.reFor(path);
            if (std::isnan(unitRe)) {
                skip(path, loader.notInReList);
                continue;
            }
        } else if (estimated) {
            unitRe = estimateRe(*u.raw, u.band, doc->measurementHasPhase());
            if (std::isnan(unitRe)) {
                skip(path, loader.reNotEstimated);
                continue;
            }
        }
        u.values = computeUnitValues(path, *u.raw, u.band, unitRe, estimated);
        if (!u.values.ok()) {
            skip(path, loader.noValues(u.values.result));
            continue;
        }
        out.units.push_back(std::move(u));
    }
    return out;
}

Envelope unitsEnvelope(const LoadedUnits &in)
{
    std::vector<EnvelopeCurve> curves;
    for (const LoadedUnit &u : in.units)
        curves.push_back({u.raw.get(), u.band});
    return computeEnvelope(curves);
}

int unitWithoutCommonBand(const LoadedUnits &in, const Envelope &e)
{
    return e.disjointCurve >= 0 ? e.disjointCurve : int(in.units.size()) - 1;
}

void envelopeCurves(const Envelope &e, EnvelopeEdges edges, double k, CurveBlock &upper,
                    CurveBlock &lower)
{
    clearCurve(upper);
    clearCurve(lower);
    for (const EnvelopePoint &p : e.points) {
        const int i = p.index;
        upper.freq[i] = lower.freq[i] = float(p.freq);
        if (edges == EnvelopeEdges::MinMax) {
            upper.r[i] = float(p.r.max);
            lower.r[i] = float(p.r.min);
            upper.theta[i] = float(p.theta.max);
            lower.theta[i] = float(p.theta.min);
            continue;
        }
        upper.r[i] = float(p.r.mean + k * p.r.sigma);
        lower.r[i] = float(std::max(0.0, p.r.mean - k * p.r.sigma));
        upper.theta[i] = float(p.theta.mean + k * p.theta.sigma);
        lower.theta[i] = float(p.theta.mean - k * p.theta.sigma);
    }
    upper.valid = lower.valid = 1;
}
