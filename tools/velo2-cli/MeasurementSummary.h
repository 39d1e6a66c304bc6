#pragma once

#include <QJsonObject>
#include <QString>

class MeasurementDocument;

// What "info" tells about a data file, and "measure" about the file it wrote.
QString summaryText(const MeasurementDocument &doc);
QJsonObject summaryJson(const MeasurementDocument &doc);
