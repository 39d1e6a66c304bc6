#pragma once

#include <QJsonObject>
#include <QJsonValue>

// Machine-readable results. Numbers carry the shortest digits that give back the program's
// float exactly (read as float, they are bit for bit the computed values).
QJsonValue jsonFloat(float value);   // null when not finite
QJsonValue jsonNumber(double value); // a double in full; null when not finite
QJsonObject jsonRange(float min, float max);

// Prints the value as indented JSON on standard output.
void printJson(const QJsonValue &value);
