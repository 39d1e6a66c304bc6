#pragma once

#include "CommandLine.h"
#include "core/document/UnitsSet.h"

#include <QString>

// The files of stats, match and trend loaded as the units window loads them, with each unit's
// Re as the options give it. A file that cannot be read or gives no values is reported on
// standard error and left out; the others go on.

void addReOptions(CommandLine &cl);
// --db URL [--since DATE] [--passed | --failed] [--station NAME]: the saved measurements of the
// units a results log holds, beside or instead of files.
void addLogOptions(CommandLine &cl);
// At least one FILE unless --db gives the units; the exit code after a message, else -1.
int expectUnits(const CommandLine &cl);

// Reads the Re options and opens every positional file (a folder: its *.DTA, *.zma and *.frd),
// then the log's files; a file the log names that is not there is reported and counted skipped.
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
