#pragma once

#include <QJsonObject>
#include <QString>

class MeasurementDocument;

// What "info" tells about a data file, and "measure" about the file it wrote. With repeats,
// a mean's sweeps follow: how many, whether the set is partial, and its largest spread.
QString summaryText(const MeasurementDocument &doc, bool repeats = false);
QJsonObject summaryJson(const MeasurementDocument &doc, bool repeats = false);
