#pragma once

#include "core/model/Settings.h"

#include <QPen>

// A solid pen with square caps. Painters on the chart never antialias, so every line
// lands on the integer pixels its end points name.
QPen chartPen(ColorRef color, int width);

// Pen widths of the measured and reference curves.
int screenMeasurementPen(bool wide);
constexpr int kScreenReferencePen = 1;
// Printing with references ignores the thick-line option; printing without honours it.
int printMeasurementPen(bool wide, bool withReferences);
constexpr int kPrintReferencePen = 2;
