#pragma once

// The Thiele-Small worksheet: every method the program offers over one driver, and the two
// views of its result that the worksheet window and `velo2-cli ts` both show.
//
//   TsWorksheetInput in;            // the caller keeps the curves alive during the call
//   in.freeAir = {&raw, band};      // the free-air measurement (raw block and its band)
//   in.re = 5.72;                   // ohm
//   in.sdM2 = 0.0103869;            // or in.diameterMm; 0 = unknown
//   in.masses.append({{&raw8, band}, 8.017});   // grams; two masses add the dual method
//   in.box = TsBoxInput{{&rawBox, band}, 20.0};  // litres, optional
//   in.tempC, in.pressureHPa        // the air (20 °C, 1013.25 hPa by default)
//   in.humidityPct                   // optional, 0 by default (dry air)
//   in.airGiven = Air{1.18, 344.0};  // optional: ρ and c typed, used instead of the above
//   in.coil = CoilTemperature{...};  // optional: Re also given at 20 °C
//   in.fit = &fit;                   // optional: a model fit of the free-air curve
//
// "From numbers": with in.typed set the free-air values are the typed Fs, Qms, Qes (with in.re)
// and each mass gives its loaded resonance typed (TsMassInput::fsLoaded) instead of a curve;
// no curve is read, the dual method and the box need curves and are refused.
//   const TsWorksheetResult r = computeWorksheet(in);
//
// r.refusal is non-empty for bad input (a mass of 0 or below, Sd missing when a mass or a box is
// given, a loaded curve of another band or point range, a loaded curve not resonating below free
// air, two equal masses, a free-air curve the classic method refuses): then nothing else in r is
// meaningful. Otherwise r.classic holds the refined classic values, r.singleMass one result per
// mass in input order, r.dualMass the dual added-mass result when exactly two masses are given
// (absent when no motional impedance could be fitted, with a flag saying so), r.box the
// sealed-box result, r.flags the warnings. All values are in SI units (kg, m/N, m³, ...).
// With a fit that has a result and used the phase, the methods read every curve less the
// fitted coil (Re + Z - Ze, see CoilRemoval.h): r.motional holds those classic values, and the
// mass and box sections come from them; r.classic stays the values of the curve itself.
//
// worksheetJson(r): {"classic": {...}, "motional": {...}, "singleMass": [...], "dualMass": {...},
//   "box": {...}, "flags": [{"code", "text"}], "inputs": {..., "basis": "classic" or "motional",
//   "fitModel" with the motional basis}} with the unit in each key ("Fs_Hz", "Mms_g",
//   "Cms_mmPerN", "Rms_kgPerS", "Bl_Tm", "Vas_L", "EBP_Hz", "eta0_pct", "SPL_1W_dB",
//   "SPL_2V83_dB", "Qms", ...); a section that does not apply is absent; a refusal gives
//   {"refusal": text}.
// worksheetRows(r): the table both drivers print, one row per value in display units:
//   section title, name, value text, unit, formula with the numbers put in; flags last (name =
//   code, value = text).

#include "core/analysis/AirProperties.h"
#include "core/analysis/CoilTemperature.h"
#include "core/analysis/DriverSet.h"
#include "core/analysis/DualAddedMass.h"
#include "core/analysis/RefinedResonance.h"
#include "core/analysis/TsFlags.h"
#include "core/analysis/fit/ImpedanceFit.h"
#include "core/model/CurveBlock.h"

#include <QJsonObject>
#include <QString>
#include <QVector>
#include <optional>

struct TsCurve {
    const CurveBlock *raw = nullptr;
    int band = 0;
};

struct TsMassInput {
    TsCurve curve;
    double grams = 0.0;
    double fsLoaded = 0.0; // Hz, typed: the "from numbers" case
};

// The free-air values typed rather than measured.
struct TsTypedFreeAir {
    double fs = 0.0; // Hz
    double qms = 0.0;
    double qes = 0.0;
};

struct TsBoxInput {
    TsCurve curve;
    double litres = 0.0;
};

struct TsWorksheetInput {
    TsCurve freeAir;
    double re = 0.0;         // ohm
    double sdM2 = 0.0;       // m²; 0 = unknown
    double diameterMm = 0.0; // used when sdM2 is 0; 0 = unknown
    QVector<TsMassInput> masses;
    std::optional<TsBoxInput> box;
    double tempC = kDefaultAirTempC;
    double pressureHPa = kDefaultAirPressureHPa;
    double humidityPct = 0.0;
    std::optional<Air> airGiven; // ρ and c typed; temperature, pressure and humidity unused
    std::optional<CoilTemperature> coil;
    std::optional<TsTypedFreeAir> typed;
    const FitResult *fit = nullptr; // a model fit of the free-air curve; optional
};

struct TsSingleMassResult {
    double mass = 0.0;     // kg
    double fsLoaded = 0.0; // Hz
    double shift = 0.0;    // 1 - Fs' / Fs
    double mmsSigma = 0.0; // relative standard uncertainty of Mms from the noise of both peaks
    DriverSet set;
};

struct TsDualMassResult {
    DualMassFit fit; // m1 < m2, whatever the input order
    double m1 = 0.0; // kg
    double m2 = 0.0;
    DriverSet set;
};

struct TsBoxResult {
    double vb = 0.0; // m³
    RefinedTs box;   // Fc = box.Fs, Qec = box.Qes, ...
    DriverSet set;   // Vas from the box; Mms, Bl from it when Sd is known
};

struct TsWorksheetResult {
    QString refusal;
    double tempC = 0.0;
    double pressureHPa = 0.0;
    double humidityPct = 0.0;
    bool airGiven = false;
    Air air;
    std::optional<CoilTemperature> coil;
    double reAt20 = 0.0; // with a coil temperature
    bool typed = false;  // from numbers
    double sdM2 = 0.0;
    RefinedTs classic;
    std::optional<RefinedTs> motional;  // the methods' basis when present
    FitModel fitModel = FitModel::Semi; // the fit that gave the motional basis
    QVector<TsSingleMassResult> singleMass;
    std::optional<TsDualMassResult> dualMass;
    std::optional<TsBoxResult> box;
    QVector<TsFlag> flags;
};

TsWorksheetResult computeWorksheet(const TsWorksheetInput &in);

struct TsRow {
    QString section;
    QString name;
    QString value;
    QString unit;
    QString formula;
    bool budget = false; // a part of the uncertainty of the value above
};

// Every number the views show, unrounded, as the JSON names it: section ("classic",
// "singleMass", ...), the mass's place among the single masses (-1 elsewhere), key.
struct TsValue {
    QString section;
    int index = -1;
    QString key;
    double value = 0.0; // in the unit the key names
    int decimals = 0;   // as the table prints it
    // "classic.Fs_Hz", "singleMass[0].Mms_g"
    QString name() const;
};
QVector<TsValue> worksheetValues(const TsWorksheetResult &r);

QJsonObject worksheetJson(const TsWorksheetResult &r);
QVector<TsRow> worksheetRows(const TsWorksheetResult &r);
// The same with each value as "x ± U (k=2)" where u gives it one, and with budget each input's
// part below its value (standard uncertainty, and its share of u²).
struct TsUncertainty;
QVector<TsRow> worksheetRows(const TsWorksheetResult &r, const TsUncertainty *u, bool budget);
