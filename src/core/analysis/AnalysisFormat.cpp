#include "AnalysisFormat.h"

#include <cmath>

namespace {

QString formatTwoDecimals(float value, bool leadingZero)
{
    if (!std::isfinite(value))
        return emptyFieldText();
    // A float has 24 significant bits, so its product with 100 is exact in a double and the
    // rounding below sees the true value.
    const double hundredths = std::round(std::fabs(double(value) * 100.0));
    if (hundredths == 0.0)
        return leadingZero ? QStringLiteral("0.00") : QStringLiteral(".00");
    QString digits = QString::number(hundredths, 'f', 0);
    while (digits.size() < 3)
        digits.prepend(QLatin1Char('0'));
    QString whole = digits.left(digits.size() - 2);
    if (!leadingZero && whole == QLatin1String("0"))
        whole.clear();
    const QString sign = value < 0.0f ? QStringLiteral("-") : QString();
    return sign + whole + QLatin1Char('.') + digits.right(2);
}

} // namespace

QString formatHashDot00(float value) { return formatTwoDecimals(value, false); }

QString formatZeroDot00(float value) { return formatTwoDecimals(value, true); }

QString emptyFieldText() { return QStringLiteral("---"); }
