#pragma once

#include "core/model/CurveBlock.h"

// Fills smooth.r and smooth.theta over first..last from raw: 5-point means inside, 3-point
// means next to the ends, the end points copied. Nothing outside the band is written, and
// smooth.freq and smooth.valid are left alone. The band must hold at least three points.
void smoothForAnalysis(const CurveBlock &raw, CurveBlock &smooth, int first, int last);
