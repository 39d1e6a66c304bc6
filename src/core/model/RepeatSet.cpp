#include "core/model/RepeatSet.h"

#include "core/model/BandTable.h"
#include "core/model/PointText.h"

#include <cmath>
#include <complex>
#include <limits>

namespace {

constexpr double kDegPerRad = 180.0 / M_PI;

// The phase nearest to reference on the circle, so that values either side of ±180° do not
// spread a point by a whole turn.
double nearPhase(double deg, double reference)
{
    return reference + std::remainder(deg - reference, 360.0);
}

// Sample standard deviation (n - 1) of n values; NaN for fewer than two.
double sampleSigma(const std::vector<double> &v)
{
    const std::size_t n = v.size();
    if (n < 2)
        return std::numeric_limits<double>::quiet_NaN();
    double mean = 0.0;
    for (double x : v)
        mean += x;
    mean /= double(n);
    double sum = 0.0;
    for (double x : v)
        sum += (x - mean) * (x - mean);
    return std::sqrt(sum / double(n - 1));
}

} // namespace

bool RepeatSweep::complete() const
{
    return isValidBand(band) && measured == bandPointCount(band);
}

RepeatSweep repeatSweepFromRecord(const MeasurementRecord &record, int received,
                                  const QByteArray &serial, const QString &model)
{
    RepeatSweep s;
    s.band = record.band;
    s.serial = serial;
    s.model = model;
    s.dateTime = record.dateTime;
    if (!isValidBand(record.band))
        return s;
    const int count = bandPointCount(record.band);
    const int limit = received < 0 ? count : std::min(received, count);
    s.freqHz.assign(std::size_t(count), 0.0);
    s.ohm.assign(std::size_t(count), 0.0);
    s.deg.assign(std::size_t(count), 0.0);
    const int first = bandFirstIndex(record.band);
    while (s.measured < limit && !isEmptyPoint(record.points[first + s.measured])) {
        const DecodedPoint p = decodePoint(record.points[first + s.measured]);
        const auto k = std::size_t(s.measured);
        s.freqHz[k] = p.freq;
        s.ohm[k] = p.r;
        s.deg[k] = p.theta;
        ++s.measured;
    }
    return s;
}

RepeatSet::RepeatSet(int planned) : m_planned(planned) {}

int RepeatSet::band() const
{
    return m_sweeps.empty() ? 0 : m_sweeps.front().band;
}

QByteArray RepeatSet::serial() const
{
    return m_sweeps.empty() ? QByteArray() : m_sweeps.front().serial;
}

QString RepeatSet::model() const
{
    return m_sweeps.empty() ? QString() : m_sweeps.front().model;
}

QByteArray RepeatSet::dateTime() const
{
    return m_sweeps.empty() ? QByteArray() : m_sweeps.front().dateTime;
}

bool RepeatSet::isOpen() const
{
    return isValidCount(m_planned) && !m_stopped && count() < m_planned &&
           (m_sweeps.empty() || m_sweeps.back().complete());
}

bool RepeatSet::isPartial() const
{
    return count() < m_planned || (!m_sweeps.empty() && !m_sweeps.back().complete());
}

RepeatAdd RepeatSet::add(RepeatSweep sweep)
{
    if (!isValidCount(m_planned))
        return RepeatAdd::BadCount;
    if (count() >= m_planned)
        return RepeatAdd::Full;
    if (!isOpen())
        return RepeatAdd::Stopped;
    if (!isValidBand(sweep.band) || sweep.measured <= 0)
        return RepeatAdd::NoPoints;
    const auto points = std::size_t(bandPointCount(sweep.band));
    if (sweep.freqHz.size() != points || sweep.ohm.size() != points || sweep.deg.size() != points ||
        std::size_t(sweep.measured) > points)
        return RepeatAdd::OtherLength;
    if (!m_sweeps.empty()) {
        const RepeatSweep &first = m_sweeps.front();
        if (sweep.band != first.band)
            return RepeatAdd::OtherBand;
        if (sweep.serial != first.serial || sweep.model != first.model)
            return RepeatAdd::OtherUnit;
    }
    m_sweeps.push_back(std::move(sweep));
    return RepeatAdd::Added;
}

std::vector<RepeatPoint> RepeatSet::statistics() const
{
    std::vector<RepeatPoint> out;
    if (m_sweeps.empty())
        return out;
    const int points = bandPointCount(band());
    out.resize(std::size_t(points));
    std::vector<double> ohms;
    std::vector<double> degs;
    for (int k = 0; k < points; ++k) {
        const auto i = std::size_t(k);
        RepeatPoint &p = out[i];
        std::complex<double> sum;
        ohms.clear();
        degs.clear();
        for (const RepeatSweep &s : m_sweeps) {
            if (k >= s.measured)
                continue;
            sum += std::polar(s.ohm[i], s.deg[i] / kDegPerRad);
            p.freqHz += s.freqHz[i];
            ohms.push_back(s.ohm[i]);
            degs.push_back(degs.empty() ? s.deg[i] : nearPhase(s.deg[i], degs.front()));
        }
        p.n = int(ohms.size());
        if (p.n == 0)
            continue;
        p.freqHz /= p.n;
        const std::complex<double> mean = sum / double(p.n);
        p.ohm = std::abs(mean);
        p.deg = std::arg(mean) * kDegPerRad;
        p.sdOhm = sampleSigma(ohms);
        p.sdDeg = sampleSigma(degs);
    }
    return out;
}

void RepeatSet::meanCurve(CurveBlock &raw) const
{
    clearCurve(raw);
    if (m_sweeps.empty())
        return;
    const std::vector<RepeatPoint> stats = statistics();
    const int first = bandFirstIndex(band());
    for (std::size_t k = 0; k < stats.size(); ++k) {
        const RepeatPoint &p = stats[k];
        if (p.n == 0)
            continue;
        raw.freq[first + int(k)] = float(p.freqHz);
        raw.r[first + int(k)] = float(p.ohm);
        raw.theta[first + int(k)] = float(p.deg);
    }
    raw.valid = 1;
}

void RepeatSet::spreadCurves(double k, CurveBlock &upper, CurveBlock &lower) const
{
    clearCurve(upper);
    clearCurve(lower);
    if (m_sweeps.empty())
        return;
    const std::vector<RepeatPoint> stats = statistics();
    const int first = bandFirstIndex(band());
    for (std::size_t j = 0; j < stats.size(); ++j) {
        const RepeatPoint &p = stats[j];
        if (p.n < 2)
            continue;
        const int i = first + int(j);
        upper.freq[i] = lower.freq[i] = float(p.freqHz);
        upper.r[i] = float(p.ohm + k * p.sdOhm);
        lower.r[i] = float(std::max(0.0, p.ohm - k * p.sdOhm));
        upper.theta[i] = float(p.deg + k * p.sdDeg);
        lower.theta[i] = float(p.deg - k * p.sdDeg);
    }
    upper.valid = lower.valid = 1;
}
