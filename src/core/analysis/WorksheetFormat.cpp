#include "core/analysis/WorksheetFormat.h"

#include <cmath>

QString worksheetFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("—");
    return QString::number(value, 'f', decimals);
}

QString worksheetShort(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("—");
    return QString::number(value, 'g', 6);
}

QJsonValue worksheetJsonNumber(double value, int decimals)
{
    if (!std::isfinite(value))
        return QJsonValue(QJsonValue::Null);
    if (decimals == 0)
        return QJsonValue(qint64(std::llround(value)));
    // Seven significant digits: the measurement carries fewer, and the file stays readable.
    return QJsonValue(QString::number(value, 'g', 7).toDouble());
}
