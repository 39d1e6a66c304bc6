#pragma once

#include "core/document/MeasurementDocument.h"

#include <QString>
#include <memory>

class CommandLine;

// The window's "開く" into a document: a data file, or another tool's table (on band, 0 for
// the band that best covers it; notes on a tidied table go to standard error). On failure
// *problem is the one-line reason (no such file, not a valid data file, ...).
bool openMeasurement(MeasurementDocument &doc, const QString &path, QString *problem, int band = 0);

// The window's "読込み" of one file into the document's next reference slot; on failure the
// slots stay as they were and *problem says why.
bool openReference(MeasurementDocument &doc, const QString &path, QString *problem);

// "HK-A2", or "HK-A" for a first-model file.
QString modelTag(const MeasurementDocument &doc);

// A command's --band option (tables only) checked and the input opened on that band: -1 when
// it opened, else the exit code after the usage error or the file's failure was said.
int openWithBandOption(const CommandLine &cl, MeasurementDocument &doc, const QString &input);
