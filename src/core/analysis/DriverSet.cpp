#include "core/analysis/DriverSet.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kPressureReference = 20e-6; // Pa

double twoPi()
{
    return 2.0 * M_PI;
}

} // namespace

double blFromQes(double fs, double mms, double re, double qes)
{
    return std::sqrt(twoPi() * fs * mms * re / qes);
}

double splOneWatt(double eta0, const Air &air)
{
    // Intensity on a hemisphere of 1 m, then p² = I rho c.
    const double intensity = eta0 / (twoPi() * 1.0 * 1.0);
    return 10.0 *
           std::log10(intensity * air.rho * air.c / (kPressureReference * kPressureReference));
}

DriverSet completeDriverSet(double fs, double qms, double re, double mms, double bl, double sd,
                            const Air &air)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double w = twoPi() * fs;
    DriverSet d;
    d.Mms = mms;
    d.Bl = bl;
    d.Cms = 1.0 / (w * w * mms);
    d.Rms = w * mms / qms;
    d.Qes = w * mms * re / (bl * bl);
    d.EBP = fs / d.Qes;
    const bool haveSd = sd > 0.0;
    d.Vas = haveSd ? air.rho * air.c * air.c * sd * sd * d.Cms : nan;
    d.eta0 = haveSd ? air.rho * bl * bl * sd * sd / (twoPi() * air.c * re * mms * mms) : nan;
    d.spl1W = haveSd ? splOneWatt(d.eta0, air) : nan;
    d.spl2V83 = haveSd ? d.spl1W + 10.0 * std::log10(2.83 * 2.83 / re) : nan;
    return d;
}
