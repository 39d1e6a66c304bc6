#pragma once

#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"
#include "core/model/MeasurementRecord.h"

#include <QString>
#include <optional>

constexpr int kNoPoint = 999;

// Frequency under box coordinate x (frame included) of a box `boxWidth` pixels wide.
float readoutFrequency(const GraphScale &scale, int x, int boxWidth);

// Grid index of the raw curve's point nearest to f along the frequency axis, within the
// band: interior points own the span between the midpoints to their neighbours (a midpoint
// goes to the higher point); the first point owns [F(first), F(first + 1)), the last point
// (F(last - 1), F(last)]. kNoPoint outside the measured range.
int nearestPointIndex(const CurveBlock &curveRaw, int band, float f);

// The reading of the record's point text at grid index `index` (its 18 characters only).
QString recordPointReadout(const MeasurementRecord &measurement, int index);

// The status text for a press at box coordinate x, or nothing when no measurement exists,
// the position lies outside the measured points or the point is empty. The values are those
// of the point text, unaveraged.
std::optional<QString> cursorReadout(const MeasurementRecord &measurement,
                                     const CurveBlock &curveRaw, const GraphScale &scale, int x,
                                     int boxWidth);
