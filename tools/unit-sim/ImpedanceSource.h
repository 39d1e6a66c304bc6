#pragma once

#include <memory>
#include <string>
#include <vector>

// Impedance of the device under test at a frequency: magnitude in ohms, phase in degrees.
struct Impedance {
    double magnitude;
    double phaseDeg;
};

class ImpedanceSource
{
public:
    virtual ~ImpedanceSource() = default;
    virtual Impedance at(double freqHz) const = 0;
};

// Moving-coil loudspeaker in free air: voice coil Re + jwLe in series with the motional
// parallel resonance of peak Re * Qms / Qes at Fs. With R2 and L2 both above 0, the lossy
// inductance R2 || jwL2 of the coil's eddy currents is in series as well (the LR-2 model).
struct LoudspeakerParams {
    double re = 5.7; // ohm
    double leMilliHenry = 0.5;
    double r2 = 0.0; // ohm
    double l2MilliHenry = 0.0;
    double fs = 40.0; // Hz
    double qms = 3.0;
    double qes = 0.45;
    // A vented box behind the cone, seen from the cone: the box air's compliance (m/N), the
    // port's mass (kg) and the leakage (kg/s, across both; 0: none), all in parallel, with
    // the driver's own Rms (kg/s) to scale them. No box while ventCmb is 0.
    double ventCmb = 0;
    double ventMmp = 0;
    double ventRml = 0;
    double ventRms = 0;
};

class LoudspeakerModel : public ImpedanceSource
{
public:
    explicit LoudspeakerModel(const LoudspeakerParams &p) : m_p(p) {}
    Impedance at(double freqHz) const override;

private:
    LoudspeakerParams m_p;
};

// A measured curve replayed from a text table: frequency, magnitude and (optionally) phase per
// line; blank lines, comment lines ("*", ";", "#") and lines that do not start with a number
// (column titles) are skipped; CR LF, tabs, commas and scientific notation are fine. Values
// between table rows are interpolated linearly on a logarithmic frequency scale; outside the
// table the nearest end row holds.
class CurveTable : public ImpedanceSource
{
public:
    bool load(const std::string &path, std::string &error);
    Impedance at(double freqHz) const override;
    std::size_t size() const { return m_rows.size(); }

private:
    struct Row {
        double logF;
        double magnitude;
        double phaseDeg;
    };
    std::vector<Row> m_rows;
};
