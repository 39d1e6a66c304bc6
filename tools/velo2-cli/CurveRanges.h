#pragma once

#include "core/model/CurveBlock.h"

// Smallest and largest frequency, R and phase over the points of a band.
struct CurveRanges {
    float fMin = 0.0f, fMax = 0.0f;
    float rMin = 0.0f, rMax = 0.0f;
    float thetaMin = 0.0f, thetaMax = 0.0f;
    int points = 0; // slots of the band that hold a point
};

CurveRanges curveRanges(const CurveBlock &curve, int band);
