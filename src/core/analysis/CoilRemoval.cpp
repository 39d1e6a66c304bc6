#include "core/analysis/CoilRemoval.h"

#include <cmath>

namespace {

// A motional resistance this small shorts the branch whatever its other parts are.
constexpr double kShortOhm = 1e-12;

} // namespace

bool canRemoveCoil(const FitResult &fit)
{
    return fit.outcome == FitOutcome::Ok && fit.phaseUsed && int(fit.p.size()) > PRes;
}

std::complex<double> fittedCoilImpedance(const FitResult &fit, double hz)
{
    std::vector<double> coil = fit.p;
    coil[PRes] = kShortOhm;
    return fitImpedance(fit.model, coil, hz);
}

void removeCoil(const CurveBlock &raw, int first, int last, const FitResult &fit, double re,
                CurveBlock &out)
{
    out = raw;
    for (int i = std::max(first, 0); i <= std::min(last, kRecordSlots - 1); ++i) {
        if (!(raw.r[i] >= 0.0f) || !(raw.freq[i] > 0.0f))
            continue;
        const std::complex<double> z = std::polar(double(raw.r[i]), raw.theta[i] * M_PI / 180.0);
        const std::complex<double> zc = re + z - fittedCoilImpedance(fit, raw.freq[i]);
        out.r[i] = float(std::abs(zc));
        out.theta[i] = float(std::arg(zc) * 180.0 / M_PI);
    }
}
