#pragma once

#include "core/analysis/population/PopulationStats.h"
#include "core/analysis/population/ReList.h"
#include "core/analysis/population/UnitValues.h"
#include "core/model/CurveBlock.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class MeasurementDocument;

// Many units opened one by one as the main window opens a file, each with its Re as the user
// chose it and its classic values. The units window and velo2-cli both load through here; each
// words the reasons a file was left out in its own language.

struct LoadedUnit {
    QString path;
    std::unique_ptr<CurveBlock> raw;
    int band = 0;
    bool isTable = false;
    QString dateText; // as the data file records it; empty for a table
    QDateTime modified;
    UnitValues values;
};

struct LoadedUnits {
    std::vector<LoadedUnit> units;
    int skipped = 0;
    int total = 0;
    QStringList skippedFiles; // "file: reason"
};

// How each unit gets its Re.
struct ReChoice {
    enum class Kind { Typed, Listed, Estimated };
    Kind kind = Kind::Estimated;
    double typed = 0.0;
    ReList list;
};

struct UnitsLoader {
    // Opens path into doc as the main window's 開く would; false with the reason.
    std::function<bool(MeasurementDocument &, const QString &, QString *)> open;
    // Told of each file left out as it happens, with its reason.
    std::function<void(const QString &, const QString &)> skipped;
    // The reasons' words.
    QString folderWithoutUnits;
    QString notInReList;
    QString reNotEstimated;
    std::function<QString(TsResult)> noValues;
};

// The data files that args stand for: a folder its *.DTA, *.zma and *.frd in name order, any
// other argument itself. Folders without any are added to *emptyFolders.
QStringList unitFiles(const QStringList &args, QStringList *emptyFolders);

// Opens every file args stand for; unreadable ones are counted and listed and the rest go on.
LoadedUnits loadUnits(const QStringList &args, const ReChoice &re, const UnitsLoader &loader);

// |Z| and phase over the band the units share (not ok(): disjointCurve names the unit).
Envelope unitsEnvelope(const LoadedUnits &in);

// The unit the common band fails on: the first disjoint one, else the last.
int unitWithoutCommonBand(const LoadedUnits &in, const Envelope &e);

// The shaded band of |Z| and phase over the common band, as the graph draws the spread of
// repeated sweeps: mean ± k·σ (|Z| not below 0), or the units' minimum to maximum.
enum class EnvelopeEdges { Sigmas, MinMax };
void envelopeCurves(const Envelope &e, EnvelopeEdges edges, double k, CurveBlock &upper,
                    CurveBlock &lower);
