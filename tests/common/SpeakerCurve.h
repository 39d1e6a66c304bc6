#pragma once

// A loudspeaker's impedance, written into a record as the unit's point texts, so that the
// graph is drawn from data that took the real conversion path.
#include "core/files/VELO_File.h"
#include "core/model/BandTable.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/RepeatSet.h"
#include "core/model/SweepGrid.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>

struct SpeakerModel {
    double re = 6.2;     // voice-coil resistance, ohm
    double le = 0.00008; // voice-coil inductance, H
    double fs = 48;      // resonance, Hz
    double qms = 4.0;
    double qes = 0.45;
};

inline std::complex<double> speakerImpedance(const SpeakerModel &m, double f)
{
    const double rMotional = m.re * m.qms / m.qes;
    const std::complex<double> j(0, 1);
    return m.re + j * (2 * M_PI * f * m.le) + rMotional / (1.0 + j * m.qms * (f / m.fs - m.fs / f));
}

// One point text: R in 0.01 ohm, phase in 0.1 degree (two's complement), F = N * 1000/65536.
inline void encodePoint(char *slot, double r, double thetaDeg, double f)
{
    const long n1 = std::clamp(std::lround((r - 0.005) / 0.01), 0L, 65535L);
    const long n2 = std::clamp(std::lround((thetaDeg - 0.05) / 0.1), -32768L, 32767L) & 0xFFFF;
    const long n3 = std::clamp(std::lround(f / 0.0152587890625), 0L, 0xFFFFFFL);
    std::memset(slot, 0, kPointSlotSize);
    std::snprintf(slot, kPointSlotSize, "%04lX%04lX%06lX%04X", n1, n2, n3, 1);
}

inline void fillRecord(MeasurementRecord &record, int band, const SpeakerModel &model)
{
    clearPoints(record);
    record.band = band;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const double f = gridFrequencyHz(i);
        const std::complex<double> z = speakerImpedance(model, f);
        encodePoint(record.points[i], std::abs(z), std::arg(z) * 180 / M_PI, f);
    }
    record.valid = 1;
}

// Repeated sweeps of one band, one per resonance in fsList, of unit "0123".
inline RepeatSet speakerSweeps(int band, std::initializer_list<double> fsList)
{
    RepeatSet set(int(fsList.size()));
    auto record = std::make_unique<MeasurementRecord>();
    for (double fs : fsList) {
        SpeakerModel model;
        model.fs = fs;
        fillRecord(*record, band, model);
        set.add(repeatSweepFromRecord(*record, -1, "0123", "HK-A2"));
    }
    return set;
}
