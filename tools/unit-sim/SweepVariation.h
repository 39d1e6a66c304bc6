#pragma once

#include "ImpedanceSource.h"

#include <cstdint>
#include <random>

// What --noise and --drift do to the points a sweep sends.
//
// Noise: each point's |Z| is multiplied by 1 + s·g and its phase moved by s·g' radians
// (s·g'·180/π degrees), with s = PCT / 100 and g, g' independent standard normal draws, |Z|
// first, point after point. A relative error s on Z in any direction moves |Z| by s·|Z| and
// the phase by s radians, so the two parts are of equal size (1 % noise: 1 % of |Z| and
// 0.573° of phase, one standard deviation).
// Drift: the coil's resistance rises by PCT percent of Re over each sweep, linearly from its
// first point to its last, and the next sweep goes on from there, as a coil that keeps warming
// while the unit measures: Re·(1 + PCT/100·(s + k/(K-1))) at point k of K of the sweep s
// (counted from 0) since the simulator started; the rise adds to the real part of Z.
// Without either (the default) every point goes out as the model gives it.
class SweepVariation
{
public:
    SweepVariation(double noisePct, double driftPct, double re, std::uint64_t seed);
    bool isActive() const { return m_noise > 0.0 || m_drift > 0.0; }
    // A new sweep of `points` points starts.
    void startSweep(int points);
    // Point k of the sweep as it goes out.
    Impedance apply(const Impedance &z, int k);

private:
    double m_noise; // relative, 1 = 100 %
    double m_drift;
    double m_re;
    int m_sweeps = -1; // sweeps started before the current one
    int m_points = 0;
    std::mt19937_64 m_random;
    std::normal_distribution<double> m_normal;
};
