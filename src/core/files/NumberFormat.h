#pragma once

#include <QByteArray>
#include <QString>

// A float as the decimal masks "0.00" / "0.0" print it: at least one digit before the
// separator, exactly `decimals` after it, no grouping, "-" before negative values. The
// exact value of the float is rounded half away from zero (12.35f, held as 12.3500004,
// gives "12.4"); a negative value keeps its "-" when it rounds to zero ("-0.0").
QString formatFixed(float value, int decimals, const QString &decimalPoint);

// The shortest decimal text, with "." and no grouping, that reads back as exactly this
// float: "8.265", "-12.25", "100000" (plain digits below 1e16, exponent form above).
// "nan", "inf" and "-inf" for values that are not finite.
QByteArray shortestFloatText(float value);
