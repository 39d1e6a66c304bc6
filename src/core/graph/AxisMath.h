#pragma once

#include "core/model/GraphScale.h"

// Pure maths of the chart axes. Every conversion of a coordinate to an integer truncates
// toward zero; values outside an axis are pinned one pixel beyond the plot border.

// Rounded axis ends: the largest listed value <= f (5 below 10) and the smallest listed
// value >= f (100000 above 50000). Every band of the band table starts and ends on one.
int axisStartHz(float f);
int axisEndHz(float f);

// The next frequency of the grid walk: 1, 1.5, 2, 3 ... 9, 10 times the decade of f.
double nextGridHz(double f);
// True when f is an exact power of ten.
bool isDecade(double f);

// Conversion of a value to a pixel coordinate, truncating toward zero. Values far outside
// any bitmap are held at a large bound so that the conversion is always defined.
int truncToInt(long double v);

// The logarithmic frequency axis of a graph scale, from axisStartHz(fStartHz) at x = 0 to
// axisEndHz(fEndHz) at x = width.
struct LogAxis {
    float la = 0.0f;
    float lb = 0.0f;
    float inv = 0.0f;
    // Equal logarithmic ends leave nothing to map; callers then skip the frequency axis.
    bool usable() const { return la != lb; }
    int x(double hz, int width) const;
};
LogAxis frequencyAxis(const GraphScale &scale);
LogAxis frequencyAxis(int startHz, int endHz);

// y of an R value on a plot of `height` rows: -1 above rMax, else H * (1 - r / rMax).
int mapR(float r, float rMax, int height);

// y of a phase: -1 above thetaMax, H below thetaMin. At the start of a segment a value equal
// to thetaMax counts as above (-1); at its end it maps to row 0.
enum class SegmentEnd { Start, End };
int mapTheta(float theta, float thetaMin, float thetaMax, int height, SegmentEnd end);
