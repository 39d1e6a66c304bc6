#pragma once

#include "CommandLine.h"
#include "core/analysis/population/UnitValues.h"
#include "core/model/CurveBlock.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

// The files of stats, match and trend opened one by one as the window opens them, with each
// unit's Re as the options give it and its classic values. A file that cannot be read or gives
// no values is reported on standard error and left out; the others go on.

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

void addReOptions(CommandLine &cl);

// Reads the Re options and opens every positional file (a folder: its *.DTA, *.zma and *.frd).
// Returns -1 to go on, else the exit code after a message (a wrong option, an unreadable Re list,
// no unit left).
int loadUnits(const CommandLine &cl, LoadedUnits *out);

struct CommonBand {
    QString fromHz;
    QString toHz;
    int points = 0;
};

// Refuses (the exit code after naming the file) when the units share no band; -1 otherwise,
// with the band they share in *band.
int checkCommonBand(const CommandLine &cl, const LoadedUnits &in, CommonBand *band);
