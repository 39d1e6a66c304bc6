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
