#pragma once

// Test helpers that make measurements the way the unit delivers them: point texts on the
// sweep grid, converted by the program's own record conversion.

#include "core/files/VELO_File.h"
#include "core/model/BandTable.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/SweepGrid.h"

#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace AnalysisCurves {

// Writes the point text the unit would send for |Z| = ohm, phase deg at frequency hz:
// R in 0.01 ohm steps (the reading adds 0.005), phase in 0.1 degree steps, F = N / 65.536.
inline void setPoint(MeasurementRecord &record, int index, double ohm, double deg, double hz)
{
    const long n1 = std::clamp(long(std::floor(ohm * 100.0)), 0L, 0xFFFFL);
    long n2 = std::clamp(long(std::floor((deg - 0.05) * 10.0 + 0.5)), -0x8000L, 0x7FFFL);
    if (n2 < 0)
        n2 += 0x10000;
    const long n3 = std::clamp(long(std::floor(hz * 65.536 + 0.5)), 0L, 0xFFFFFFL);
    char text[kPointSlotSize] = {};
    std::snprintf(text, sizeof text, "%04lX%04lX%06lX0001", n1, n2, n3);
    std::memcpy(record.points[index], text, kPointSlotSize);
}

using Impedance = std::function<std::complex<double>(double hz)>;

// A measurement of `band` on the nominal grid, converted into raw and averaged blocks.
inline void measure(const Impedance &z, int band, MeasurementRecord &record, CurveBlock &raw,
                    CurveBlock &avg)
{
    clearPoints(record);
    record.band = band;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const double hz = gridFrequencyHz(i);
        const std::complex<double> zi = z(hz);
        setPoint(record, i, std::abs(zi), std::arg(zi) * 180.0 / M_PI, hz);
    }
    VELO_File().convertRecord(&record, &raw, &avg);
    record.valid = 1;
}

// Voice coil (Re, Le) in series with the motional parallel resonance given by Fs, Qms, Qes.
struct Driver {
    double Re;
    double Le; // henry
    double Fs;
    double Qms;
    double Qes;
    double Qts() const { return Qms * Qes / (Qms + Qes); }
    double Rmax() const { return Re * (1.0 + Qms / Qes); }
    std::complex<double> operator()(double hz) const
    {
        const double res = Re * Qms / Qes;
        const std::complex<double> j(0.0, 1.0);
        const std::complex<double> motional = res / (1.0 + j * Qms * (hz / Fs - Fs / hz));
        return Re + j * (2.0 * M_PI * hz * Le) + motional;
    }
};

// A measured impedance table: frequency [Hz], |Z| [ohm], phase [deg] (0 when absent).
struct Table {
    std::vector<double> hz, ohm, deg;

    // Log-frequency interpolation, holding the end values outside the table.
    std::complex<double> operator()(double f) const
    {
        if (f <= hz.front())
            return std::polar(ohm.front(), deg.front() * M_PI / 180.0);
        if (f >= hz.back())
            return std::polar(ohm.back(), deg.back() * M_PI / 180.0);
        const auto it = std::upper_bound(hz.begin(), hz.end(), f);
        const std::size_t j = std::size_t(it - hz.begin()) - 1;
        const double t = std::log(f / hz[j]) / std::log(hz[j + 1] / hz[j]);
        const double m = ohm[j] + t * (ohm[j + 1] - ohm[j]);
        const double d = deg[j] + t * (deg[j + 1] - deg[j]);
        return std::polar(m, d * M_PI / 180.0);
    }
};

// Reads a ".zma" table: comment lines start with "*", a column-title line and CR LF line
// ends may occur, numbers may be in scientific notation.
inline bool readZma(const QString &path, Table &table)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    std::vector<std::array<double, 3>> rows;
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('*')))
            continue;
        const QStringList cols =
            line.split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts);
        bool okF = false, okZ = false, okP = cols.size() > 2;
        std::array<double, 3> row{};
        if (cols.size() >= 2) {
            row[0] = cols[0].toDouble(&okF);
            row[1] = cols[1].toDouble(&okZ);
            if (okP)
                row[2] = cols[2].toDouble(&okP);
        }
        if (!okF || !okZ || row[0] <= 0.0)
            continue; // a column-title line
        if (!okP)
            row[2] = 0.0;
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    table = Table();
    for (const auto &row : rows) {
        if (!table.hz.empty() && row[0] <= table.hz.back())
            continue;
        table.hz.push_back(row[0]);
        table.ohm.push_back(row[1]);
        table.deg.push_back(row[2]);
    }
    return table.hz.size() >= 2;
}

// The worked example on band 4 (grid 40..183): one resonance at grid 100 with R 40 ohm at
// 50 Hz. With Re 8 the level Rx is 8 * sqrt(5) = 17.8885438 ohm; R meets it exactly at grid 90
// (40 Hz) and grid 110 (62 Hz), so f1 = 40 and f2 = 62.
constexpr int kExampleBand = 4;
constexpr int kExamplePeak = 100;
constexpr float kExampleRx = 17.8885438f;

inline void fillWorkedExample(CurveBlock &raw)
{
    clearCurve(raw);
    for (int i = bandFirstIndex(kExampleBand); i <= bandLastIndex(kExampleBand); ++i) {
        float r = 10.0f;
        float f = 0.0f;
        if (i < 90) {
            f = 40.0f - 0.25f * float(90 - i);
        } else if (i <= 100) {
            r = kExampleRx + float(i - 90) * ((40.0f - kExampleRx) / 10.0f);
            f = 40.0f + float(i - 90);
        } else if (i <= 110) {
            r = kExampleRx + float(110 - i) * ((40.0f - kExampleRx) / 10.0f);
            f = 50.0f + 1.2f * float(i - 100);
        } else {
            f = 62.0f + 1.5f * float(i - 110);
        }
        raw.r[i] = r;
        raw.theta[i] = 0.0f;
        raw.freq[i] = f;
    }
    raw.r[kExamplePeak] = 40.0f;
    raw.freq[110] = 62.0f;
    raw.valid = 1;
}

} // namespace AnalysisCurves
