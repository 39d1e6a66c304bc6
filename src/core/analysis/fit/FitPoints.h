#pragma once

#include "core/model/CurveBlock.h"

#include <vector>

// One measured point of the curve a model is fitted to.
struct FitPoint {
    double hz;
    double ohm;
    double deg;
    bool operator==(const FitPoint &) const = default;
};

// The points of a band's curve between fromHz and toHz (inclusive; 0 for either means the
// band's own edge), in grid order. Slots without a point are left out.
std::vector<FitPoint> fitPoints(const CurveBlock &curve, int band, double fromHz, double toHz);

// Whether the points carry a phase: tables of |Z| alone are read with every phase 0.
bool fitPointsHavePhase(const std::vector<FitPoint> &points);
