#include "ImpedanceSource.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <fstream>

Impedance LoudspeakerModel::at(double freqHz) const
{
    using C = std::complex<double>;
    const double w = 2.0 * M_PI * freqHz;
    const double res = m_p.re * m_p.qms / m_p.qes;
    const C coil(m_p.re, w * m_p.leMilliHenry * 1e-3);
    C mech(1.0, m_p.qms * (freqHz / m_p.fs - m_p.fs / freqHz)); // relative to Rms
    if (m_p.ventCmb > 0) {
        C admittance = C(0.0, w * m_p.ventCmb) + 1.0 / C(0.0, w * m_p.ventMmp);
        if (m_p.ventRml > 0)
            admittance += 1.0 / m_p.ventRml;
        mech += 1.0 / admittance / m_p.ventRms;
    }
    const C motional = res / mech;
    C z = coil + motional;
    if (m_p.r2 > 0 && m_p.l2MilliHenry > 0)
        z += 1.0 / (1.0 / m_p.r2 + 1.0 / C(0.0, w * m_p.l2MilliHenry * 1e-3));
    return {std::abs(z), std::arg(z) * 180.0 / M_PI};
}

namespace {

// Numbers at the start of a line, separated by blanks, tabs, commas or semicolons.
std::vector<double> leadingNumbers(const std::string &line)
{
    std::vector<double> values;
    const char *p = line.c_str();
    while (true) {
        while (*p == ' ' || *p == '\t' || *p == ',' || *p == ';' || *p == '\r')
            ++p;
        if (*p == '\0')
            break;
        char *end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p)
            break;
        values.push_back(v);
        p = end;
    }
    return values;
}

} // namespace

bool CurveTable::load(const std::string &path, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    m_rows.clear();
    std::string line;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        const char c = line[first];
        if (c == '*' || c == ';' || c == '#')
            continue;
        const std::vector<double> v = leadingNumbers(line);
        if (v.size() < 2 || !(v[0] > 0) || !std::isfinite(v[1]))
            continue;
        m_rows.push_back({std::log(v[0]), v[1], v.size() >= 3 ? v[2] : 0.0});
    }
    if (m_rows.empty()) {
        error = path + " holds no frequency/magnitude rows";
        return false;
    }
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const Row &a, const Row &b) { return a.logF < b.logF; });
    return true;
}

Impedance CurveTable::at(double freqHz) const
{
    const double x = std::log(freqHz);
    if (x <= m_rows.front().logF)
        return {m_rows.front().magnitude, m_rows.front().phaseDeg};
    if (x >= m_rows.back().logF)
        return {m_rows.back().magnitude, m_rows.back().phaseDeg};
    const auto upper = std::upper_bound(m_rows.begin(), m_rows.end(), x,
                                        [](double value, const Row &r) { return value < r.logF; });
    const Row &b = *upper;
    const Row &a = *(upper - 1);
    const double span = b.logF - a.logF;
    const double t = span > 0 ? (x - a.logF) / span : 0.0;
    return {a.magnitude + t * (b.magnitude - a.magnitude),
            a.phaseDeg + t * (b.phaseDeg - a.phaseDeg)};
}
