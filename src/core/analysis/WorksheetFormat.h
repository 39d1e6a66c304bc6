#pragma once

#include <QJsonValue>
#include <QString>

// Numbers in worksheet texts: fixed decimals ("—" when not finite), or as typed (8.017, 20).
QString worksheetFixed(double value, int decimals);
QString worksheetShort(double value);

// A worksheet value in JSON: seven significant digits, a whole number with no decimals, null
// when not finite.
QJsonValue worksheetJsonNumber(double value, int decimals);
