#pragma once

#include "core/files/ImpedanceTable.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"

#include <QString>
#include <vector>

// Putting another tool's curve on the unit's sweep grid, so that everything made for a
// measurement (graph, analysis, data file) takes it as one.

// Grid points of band that lie within the table's frequency range.
int coveredGridPoints(const ImpedanceTable &table, int band);

// The band whose grid the table covers at the most points; of bands that tie, the one
// with the fewest points outside the table. 0 when no band has a point in range.
int bestBandFor(const ImpedanceTable &table);

// Sets record's band and writes each grid point of it as the unit would send the table's
// interpolated |Z| and phase at the grid frequency; points outside the table's range are
// left empty (undrawn), never extrapolated. Returns the points written.
int putOnGrid(const ImpedanceTable &table, int band, MeasurementRecord &record);

// A data file cannot hold missing points before the first one: each empty slot at the
// start of the band takes the first point's |Z| and phase at its own grid frequency.
void fillLeadingGap(MeasurementRecord &record);

// The point texts cut |Z| to 0.01 ohm steps up to kMaxPointTextOhm and the phase to 0.1 deg.
// The analysis and the fit take the table's own values: each grid point that raw holds gets
// the table's interpolated |Z| and phase in full (single) precision.
constexpr double kMaxPointTextOhm = 655.35;
void putFullPrecision(const ImpedanceTable &table, int band, CurveBlock &raw);

// Grid indices of band whose |Z| in raw a point text cannot hold (above kMaxPointTextOhm by
// a step or more): a data file keeps them at its limit.
std::vector<int> pointsBeyondPointText(const CurveBlock &raw, int band);
// The grid frequencies of the first `shown` indices ("612.34 Hz, 640.00 Hz, ..."), for a
// message that names them.
QString gridFrequencyList(const std::vector<int> &indices, int shown);
