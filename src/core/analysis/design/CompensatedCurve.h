#pragma once

#include "core/model/CurveBlock.h"

#include <complex>
#include <vector>

struct ZobelValues;
struct NotchDesign;

// One series R-L-C branch across the driver; an L or C of 0 leaves that part out (a short for
// the coil, no capacitor in the branch).
struct SeriesBranch {
    double rOhm = 0.0;
    double lHenry = 0.0;
    double cFarad = 0.0;
    std::complex<double> impedance(double freqHz) const;
};

// A compensation network: its branches, each across the driver.
using CompensationNetwork = std::vector<SeriesBranch>;

CompensationNetwork zobelNetwork(const ZobelValues &values);
CompensationNetwork notchNetwork(const NotchDesign &design);

// The driver z with the network across it.
std::complex<double> withNetwork(std::complex<double> z, const CompensationNetwork &network,
                                 double freqHz);

// The measured curve with the network across it at each measured point of the band (slots
// without a point stay empty), as the graph and the ZMA writer take it.
void compensatedCurve(const CurveBlock &measured, int band, const CompensationNetwork &network,
                      CurveBlock &out);
