#include "core/files/NumberFormat.h"

#include <charconv>
#include <cmath>

QString formatFixed(float value, int decimals, const QString &decimalPoint)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    // A float has 24 significant bits and 10^decimals at most 7 more for the decimals
    // used here, so the scaled value is exact in a double and std::round (half away
    // from zero) rounds the exact value.
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    const double rounded = std::round(std::fabs(double(value)) * scale);

    char digits[400];
    const auto res =
        std::to_chars(digits, digits + sizeof digits, rounded, std::chars_format::fixed, 0);
    QString text = QString::fromLatin1(digits, res.ptr - digits);
    if (text.size() < decimals + 1)
        text.prepend(QString(decimals + 1 - text.size(), QLatin1Char('0')));
    if (decimals > 0)
        text.insert(text.size() - decimals, decimalPoint);
    // A negative value keeps its sign even when it rounds to zero ("-0.0").
    if (value < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QByteArray shortestFloatText(float value)
{
    if (std::isnan(value))
        return QByteArrayLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QByteArrayLiteral("-inf") : QByteArrayLiteral("inf");
    char digits[64];
    // Plain notation keeps the texts readable for every value a curve can hold.
    const bool plain = std::fabs(value) < 1e16f;
    const auto res =
        plain ? std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed)
              : std::to_chars(digits, digits + sizeof digits, value);
    return QByteArray(digits, res.ptr - digits);
}
