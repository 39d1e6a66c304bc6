#include "SweepVariation.h"

#include <cmath>
#include <complex>

namespace {

constexpr double kDegPerRad = 180.0 / M_PI;

} // namespace

SweepVariation::SweepVariation(double noisePct, double driftPct, double re, std::uint64_t seed)
    : m_noise(noisePct / 100.0), m_drift(driftPct / 100.0), m_re(re), m_random(seed)
{
}

void SweepVariation::startSweep(int points)
{
    ++m_sweeps;
    m_points = points;
}

Impedance SweepVariation::apply(const Impedance &z, int k)
{
    if (!isActive())
        return z;
    Impedance out = z;
    if (m_drift > 0.0) {
        const double along = m_points > 1 ? double(k) / double(m_points - 1) : 0.0;
        const double rise = m_re * m_drift * (std::max(m_sweeps, 0) + along);
        const std::complex<double> warm = std::polar(z.magnitude, z.phaseDeg / kDegPerRad) + rise;
        out = {std::abs(warm), std::arg(warm) * kDegPerRad};
    }
    if (m_noise > 0.0) {
        out.magnitude *= 1.0 + m_noise * m_normal(m_random);
        out.phaseDeg += m_noise * kDegPerRad * m_normal(m_random);
    }
    return out;
}
