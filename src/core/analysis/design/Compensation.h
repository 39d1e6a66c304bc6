#pragma once

#include "core/model/CurveBlock.h"

#include <QString>
#include <complex>
#include <vector>

// Compensation networks fitted to the measured curve: a Zobel (series R-C across the driver)
// that flattens the coil's rise over a band, judged by the largest deviation of |Z| from its
// mean over the band's points.

enum class ESeries { Exact, E12, E24 };

enum class ZobelOutcome {
    Ok,
    BadBand,      // from >= to, or not above 0
    TooFewPoints, // fewer than kMinZobelPoints measured points in the band
    NoPhase,      // every phase is 0: no reactance to compensate
    NoCoilRise,   // |Z| does not rise toward the band's top: nothing for a Zobel to do
};

constexpr int kMinZobelPoints = 8;

struct ZobelValues {
    double rOhm = 0.0;
    double cUf = 0.0;
    double flatnessPct = 0.0; // of the whole network: both pairs when there is a second
    // A second R-C across the driver beside the first, asked for with the design; 0 for none.
    double r2Ohm = 0.0;
    double c2Uf = 0.0;
    bool hasSecondPair() const { return r2Ohm > 0.0 && c2Uf > 0.0; }
};

struct ClassicZobel {
    QString rule;
    ZobelValues values;
};

struct ZobelDesign {
    ZobelOutcome outcome = ZobelOutcome::BadBand;
    double reOhm = 0.0; // the lowest |Z|·cos θ at or below the band's bottom
    double leMh = 0.0;  // X / (2πf) averaged over the band's top quarter
    ZobelValues fitted;
    ZobelValues snapped;
    std::vector<ClassicZobel> classic;
    bool ok() const { return outcome == ZobelOutcome::Ok; }
};

struct NetworkPoint {
    double freqHz = 0.0;
    std::complex<double> z;
};

// The curve's measured points with fromHz <= f <= toHz (r = -1 slots skipped).
std::vector<NetworkPoint> networkPoints(const CurveBlock &raw, double fromHz, double toHz);

// The driver with a network of impedance zn(f) in parallel: the largest |Ztot| deviation from
// its mean over the points, in % of the mean.
double zobelFlatnessPct(const std::vector<NetworkPoint> &points, double rOhm, double cFarad);

// The value of the series nearest to v on a log scale (v itself for Exact).
double snapToSeries(double v, ESeries series);

// With secondPair, fitted and snapped hold a second R-C fitted together with the first; the
// classic rules stay single pairs.
ZobelDesign designZobel(const CurveBlock &raw, double fromHz, double toHz, ESeries series,
                        bool secondPair = false);

// The notch: a series R-L-C across the driver that flattens the resonance peak, fitted over
// fs/3..3·fs from the textbook values R = Re·(1 + Qes/Qms), L = Qes·Re/(2πfs),
// C = 1/(2πfs·Re·Qes), with Re the curve's lowest |Z|·cos θ and fs, Qms, Qes the classic
// values read from the peak.
enum class NotchOutcome { Ok, NoPhase, NoResonance };

struct NotchDesign {
    NotchOutcome outcome = NotchOutcome::NoResonance;
    double reOhm = 0.0, fsHz = 0.0, qms = 0.0, qes = 0.0;
    double fromHz = 0.0, toHz = 0.0;
    double rOhm = 0.0, lMh = 0.0, cUf = 0.0;
    double flatnessPct = 0.0;
    double textbookROhm = 0.0, textbookLMh = 0.0, textbookCUf = 0.0; // the starting values
    double textbookFlatnessPct = 0.0; // the starting values' flatness, for comparison
    bool ok() const { return outcome == NotchOutcome::Ok; }
};

NotchDesign designNotch(const CurveBlock &raw);
