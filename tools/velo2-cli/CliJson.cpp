#include "CliJson.h"

#include "CliIo.h"
#include "core/files/NumberFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>

QJsonValue jsonFloat(float value)
{
    if (!std::isfinite(value))
        return QJsonValue(QJsonValue::Null);
    // The double nearest to the float's shortest decimal text is written back as that same
    // text, so the JSON shows "8.265" rather than the float's exact binary expansion.
    return QJsonValue(shortestFloatText(value).toDouble());
}

QJsonObject jsonRange(float min, float max)
{
    return QJsonObject{{QStringLiteral("min"), jsonFloat(min)},
                       {QStringLiteral("max"), jsonFloat(max)}};
}

void printJson(const QJsonValue &value)
{
    QJsonDocument doc;
    if (value.isArray())
        doc.setArray(value.toArray());
    else
        doc.setObject(value.toObject());
    writeOut(doc.toJson(QJsonDocument::Indented));
}

QJsonValue jsonNumber(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}
