#pragma once

// The driver file: an open JSON record of one driver (".json"), written and read back by the
// program, and simple for any other tool to read.
//
// {"format": "velo2-driver", "version": 1, "name": "...", "method": "singleMass",
//  "parameters": {"Re_Ohm", "Le_mH", "Fs_Hz", "Qms", "Qes", "Qts", "Sd_cm2", "Mms_g",
//                 "Mmd_g", "Mair_g", "Cms_mmPerN", "Rms_kgPerS", "Bl_Tm", "Vas_L"},
//  "air": {"rho_kgPerM3", "c_mPerS"},
//  "airLoad": "Mmd = Mms − 2·8/3·ρ·a³, a = √(Sd/π)",
//  "masses": [{"mass_g", "FsLoaded_Hz"}],
//  "curve": {"band": 2, "points": [[Hz, Ω, degrees], ...]}}
//
// The keys are the worksheet's. A value not known is left out. Numbers are written in full
// (the shortest digits that give back the double). Readers ignore keys they do not know.

#include "core/analysis/driver/DriverRecord.h"

#include <QByteArray>

constexpr int kDriverFileVersion = 1;

QByteArray driverJsonText(const DriverRecord &d);

// False with *problem set for a damaged, foreign or newer file; *d is then left alone.
bool readDriverJson(const QByteArray &text, DriverRecord *d, QString *problem);

// Each parameter's key and value in the record's units (Ω, mH, Hz, cm², g, mm/N, kg/s, T·m,
// L), in the file's order; values not known are 0.
struct DriverValue {
    const char *key;
    double value;
};
QVector<DriverValue> driverValues(const DriverRecord &d);
