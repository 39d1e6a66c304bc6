#include "core/analysis/design/CompensatedCurve.h"

#include "core/analysis/design/Compensation.h"

#include <numbers>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

} // namespace

std::complex<double> SeriesBranch::impedance(double freqHz) const
{
    const double w = kTwoPi * freqHz;
    double x = w * lHenry;
    if (cFarad > 0.0)
        x -= 1.0 / (w * cFarad);
    return {rOhm, x};
}

CompensationNetwork zobelNetwork(const ZobelValues &values)
{
    CompensationNetwork network = {{values.rOhm, 0.0, values.cUf * 1e-6}};
    if (values.hasSecondPair())
        network.push_back({values.r2Ohm, 0.0, values.c2Uf * 1e-6});
    return network;
}

CompensationNetwork notchNetwork(const NotchDesign &design)
{
    return {{design.rOhm, design.lMh * 1e-3, design.cUf * 1e-6}};
}

std::complex<double> withNetwork(std::complex<double> z, const CompensationNetwork &network,
                                 double freqHz)
{
    if (z == 0.0)
        return z; // a short stays a short
    // Admittances add: the driver's and each branch's.
    std::complex<double> y = 1.0 / z;
    for (const SeriesBranch &b : network)
        y += 1.0 / b.impedance(freqHz);
    return 1.0 / y;
}

void compensatedCurve(const CurveBlock &measured, int band, const CompensationNetwork &network,
                      CurveBlock &out)
{
    clearCurve(out);
    if (!isValidBand(band))
        return;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const double hz = measured.freq[i];
        if (!(measured.r[i] >= 0.0f) || !(hz > 0.0))
            continue;
        const double theta = double(measured.theta[i]) * std::numbers::pi / 180.0;
        const std::complex<double> z =
            withNetwork(std::polar(double(measured.r[i]), theta), network, hz);
        out.r[i] = float(std::abs(z));
        out.theta[i] = float(std::arg(z) * 180.0 / std::numbers::pi);
        out.freq[i] = measured.freq[i];
    }
    out.valid = 1;
}
