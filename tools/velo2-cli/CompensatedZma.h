#pragma once

#include "core/analysis/design/CompensatedCurve.h"

#include <QString>

class CommandLine;
class MeasurementDocument;

// The zobel and notch commands' --zma OUT: the option declared, its value checked (a file,
// not standard output, which carries the results) and the compensated curve written.
void addCompensatedZmaOption(CommandLine &cl);
// -1 when the option is absent or names a file, else the exit code after the usage error.
int checkCompensatedZmaOption(const CommandLine &cl);
// -1 when written or not asked for, else the exit code after the failure was said.
int writeCompensatedZma(const CommandLine &cl, const MeasurementDocument &doc, const QString &input,
                        const CompensationNetwork &network, const QString &networkName);
