#pragma once

#include <QString>

// Two-decimal texts of the analysis windows, through the program's decimal masks. A value
// that is not a finite number shows as "---", never as nan or inf.

// Mask "#.00": no digit before the point when the integer part is 0 (0.5 -> ".50").
QString formatHashDot00(float value);

// Mask "0.00": at least one digit before the point (0.5 -> "0.50").
QString formatZeroDot00(float value);

// The text of an empty field.
QString emptyFieldText();
