#include "core/analysis/AnalysisFormat.h"

#include "core/graph/DecimalFormat.h"

#include <cmath>

namespace {

QString formatFinite(float value, const char *mask)
{
    if (!std::isfinite(value))
        return emptyFieldText();
    return formatDecimal(value, mask);
}

} // namespace

QString formatHashDot00(float value)
{
    return formatFinite(value, "#.00");
}

QString formatZeroDot00(float value)
{
    return formatFinite(value, "0.00");
}

QString emptyFieldText()
{
    return QStringLiteral("---");
}
