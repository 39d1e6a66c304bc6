#pragma once

#include "core/model/CurveBlock.h"

constexpr int kMaxPeaks = 5;

// Outcome of one search over a band: the grid indexes of the peaks in the order found
// (rising frequency), and R and frequency of the first one, the resonance.
struct PeakList {
    int peakCount = 0;
    int peakIndex[kMaxPeaks] = {};
    float Rmax = 0.0f;
    float Fs = 0.0f;
};

// A narrow peak around grid index k, shape tested on raw.r three and six points either side.
// On success *peak is the index of the largest raw R in k-6..k+6 (lowest index among equals).
bool isSharpPeak(const CurveBlock &raw, int first, int last, int k, int *peak);

// A wide, flat-topped peak around k, shape tested on smooth.r ten, twenty and thirty points
// either side. On success *peak is the index of the largest raw R in k-20..k+20.
bool isBroadPeak(const CurveBlock &raw, const CurveBlock &smooth, int first, int last, int k,
                 int *peak);

// Walks k = first..last: after a narrow peak on to k+7, after a new wide peak on to k+31,
// otherwise k+1. A wide peak at an index already listed is skipped; narrow peaks are listed
// without that check. Stops after five peaks.
PeakList findPeaks(const CurveBlock &raw, const CurveBlock &smooth, int first, int last);

// The grid range the analysis covers for a band 1..9: the band from its first to its last
// measured point, since a file that ended early leaves the rest of the band empty (R < 0) and
// an imported curve may start above the band. False for any other band or when the band
// holds no measured point.
bool analysisRange(const CurveBlock &raw, int band, int *first, int *last);

// The analysis window's search over a band 1..9: smoothForAnalysis of raw into smooth over
// analysisRange, then findPeaks. An empty list for any other band.
PeakList searchBand(const CurveBlock &raw, CurveBlock &smooth, int band);
