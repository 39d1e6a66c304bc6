#pragma once

// How sure each Thiele-Small value of the worksheet is: a budget of the inputs the user gives
// (type B), propagated by sensitivity coefficients, combined with the scatter of repeated
// sweeps (type A) where per-sweep values are given.
//
//   TsTolerances tol;
//   tol.re = 0.05;              // Re ± 0.05 Ω
//   tol.massResolution = 0.01;  // the scale shows 0.01 g
//   TsRepeatValues repeats{{"classic.Fs_Hz", {40.1, 40.3, 39.9}}};  // optional
//   const TsUncertainty u = worksheetUncertainty(in, computeWorksheet(in), tol, repeats);
//   u.find("singleMass[0].Vas_L")->u  // standard uncertainty in litres; U = u.k · u
//
// Every ± is the half-width a of a rectangular distribution (u = a/√3); a resolution d gives
// u = d/√12. Each measured curve adds two terms to its resonance: what the grid leaves in the
// interpolated peak (the refinement tried on the model peak across one grid step) and the
// curve's own noise, both counted only when no repeated values are given, whose standard
// error of the mean stands for them. The sensitivity of every value to an input is the central
// difference of the worksheet computed again with that input moved by ±u.
// A tolerance that is negative or not a number, repeats of fewer than two values, or of a
// value the worksheet does not give, refuse the whole budget (refusal set, no value).

#include "core/analysis/TsWorksheet.h"

#include <QJsonObject>
#include <QString>
#include <QVector>
#include <map>
#include <vector>

constexpr double kCoverageFactor = 2.0;

struct TsTolerances {
    double re = 0.0;             // Ω, ± of Re
    double massResolution = 0.0; // g, the scale's last digit
    double sdPct = 0.0;       // %, ± of Sd (of the area the diameter gives when Sd is not typed)
    double diameter = 0.0;    // mm, ± of the piston diameter
    double rho = 0.0;         // kg/m³, ± of the air's density
    double c = 0.0;           // m/s, ± of the speed of sound
    double tempC = 0.0;       // °C, ± of the air temperature
    double pressureHPa = 0.0; // hPa, ± of the air pressure
    double humidityPct = 0.0; // % RH, ± of the humidity
    double coilTempC = 0.0;   // °C, ± of the coil temperature (Re at 20 °C only)
    bool grid = true;         // the grid step of measured curves (for a single sweep)
};

// Per-sweep values of a worksheet value by its name ("classic.Fs_Hz"; a bare key such as
// "Fs_Hz" means the classic section), each computed from one sweep of a repeat set.
using TsRepeatValues = std::map<QString, std::vector<double>>;

// The mean of per-sweep values and its standard error s/√n (type A); false for fewer than two
// values or one that is not a number.
bool repeatMean(const std::vector<double> &values, double *mean, double *standardError);

struct TsBudgetEntry {
    QString source; // "Re", "mass1", "Sd", "grid-free-air", "noise-mass1", "repeats", ... (JSON)
    double contribution; // |sensitivity|·u of the input, in the value's unit
};

struct TsValueUncertainty {
    TsValue value;
    double u = 0.0;                // combined standard uncertainty, in the value's unit
    QVector<TsBudgetEntry> budget; // largest first; inputs that add nothing left out
};

struct TsUncertainty {
    QString refusal;
    double k = kCoverageFactor;
    int repeatCount = 0; // the largest number of repeated values given; 0 for none
    QVector<TsValueUncertainty> values;
    const TsValueUncertainty *find(const QString &name) const;
};

// The budget of a result r = computeWorksheet(in). A refused r gives its refusal.
TsUncertainty worksheetUncertainty(const TsWorksheetInput &in, const TsWorksheetResult &r,
                                   const TsTolerances &tol,
                                   const TsRepeatValues &repeats = TsRepeatValues());

// {"k": 2, "repeats": n, "classic": {"u_Fs_Hz": ...}, "singleMass": [{"u_Mms_g": ...}], ...,
//  "budget": {"classic.Fs_Hz": {"grid-free-air": ..., ...}, ...}}: u in each key's unit;
// {"refusal": text} when refused.
QJsonObject uncertaintyJson(const TsUncertainty &u);
