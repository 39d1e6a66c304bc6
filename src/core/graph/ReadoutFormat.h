#pragma once

#include <QString>

// Texts of one measured point for the status line, shared by the cursor readout and the
// measurement run. The slot arguments are 20-character point slots of a record; the values
// are decoded from the point text and rounded to single precision first.

// "#0.00" then "[Ω]": 8.26[Ω], 0.30[Ω].
QString formatResistance(const char *slot);
// "#0.0" then "[deg]": -12.3[deg].
QString formatPhase(const char *slot);
// Below 100 Hz "#.00[Hz]", below 1000 Hz "#.0[Hz]", else "#.000[kHz]" of the value in kHz.
// The range is chosen on the unrounded value (999.99 Hz gives 1000.0[Hz]).
QString formatFrequency(const char *slot);

QString formatOhms(double r);
QString formatDegrees(double theta);
QString formatHertz(float f);

// The readout line: "周波数：" frequency " / " R " / " phase.
QString readoutPrefix();
QString readoutSeparator();
QString pointReadoutText(const char *slot);
