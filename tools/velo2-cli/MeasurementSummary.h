#pragma once

#include <QJsonObject>
#include <QString>

struct MeasurementFile;

// What "info" tells about a data file, and "measure" about the file it wrote.
QString summaryText(const MeasurementFile &m);
QJsonObject summaryJson(const MeasurementFile &m);
