#pragma once

#include "core/model/CurveBlock.h"

#include <vector>

// Statistics over many units: per value, per point of the curves, and the bins of a histogram.

struct ColumnSummary {
    double mean = 0.0;
    double sigma = 0.0; // sample standard deviation (n - 1); 0 for a single value
    double min = 0.0;
    double max = 0.0;
    int n = 0;
};

// Non-finite values are left out; n = 0 when none remain.
ColumnSummary summarize(const std::vector<double> &values);

// The sample standard deviation of values (n - 1), two passes; NaN below two values.
double sampleSigma(const std::vector<double> &values);

struct HistogramBins {
    double lo = 0.0;
    double hi = 0.0;
    std::vector<int> counts; // equal bins from lo to hi, the last one closed
};

// bins <= 0: Sturges' rule, ceil(log2 n) + 1. Every value is counted once.
HistogramBins histogram(const std::vector<double> &values, int bins = 0);

struct EnvelopePoint {
    int index = 0;     // grid slot
    double freq = 0.0; // mean of the units' frequencies at the slot
    ColumnSummary r;
    ColumnSummary theta;
};

struct Envelope {
    // Set when the curves share no band: the first curve (in the order given) that has no
    // point in common with those before it. The points are then empty.
    int disjointCurve = -1;
    int first = 0; // the common band's grid slots
    int last = -1;
    std::vector<EnvelopePoint> points; // slots every unit measured
    bool ok() const { return disjointCurve < 0 && !points.empty(); }
};

struct EnvelopeCurve {
    const CurveBlock *raw = nullptr;
    int band = 0;
};

// |Z| and phase per grid slot over the band the curves have in common; mean ± kσ is
// r.mean ± k·r.sigma.
Envelope computeEnvelope(const std::vector<EnvelopeCurve> &curves);
