#pragma once

#include "core/analysis/CoilTemperature.h"

#include <QString>

// Every text of the Thiele-Small worksheet: refusals, flags, section titles and row names.
// Numbers come in already formatted.
namespace WorksheetMessages {

// refusals: bad input, no number is shown
QString massNotPositive(const QString &grams);
QString sdMissing();
QString sdNotPositive();
QString boxNotPositive(const QString &litres);
QString airImplausible(const QString &tempC, const QString &pressureHPa);
QString noPoints(const QString &curve);
QString otherBand(const QString &curve, int band, int freeBand);
QString otherRange(const QString &curve);
QString noResonance(const QString &curve);
QString notBelowFreeAir(const QString &curve, const QString &fsLoaded, const QString &fs);
QString notAboveFreeAir(const QString &curve, const QString &fc, const QString &fs);
QString identicalMasses(const QString &grams);
QString curveProblem(const QString &curve, const QString &problem);
QString airConstantsImplausible(const QString &rho, const QString &c);
QString humidityImplausible(const QString &pct);
QString coilTempImplausible(const QString &tempC);
// from numbers: a typed value that is not above 0, and a method that needs a measured curve
QString typedNotPositive(const QString &name, const QString &value);
QString typedNeedsCurve(const QString &curve);

// the curves named in the texts above
QString freeAirCurve();
QString massCurve(const QString &grams);
QString boxCurve(const QString &litres);

// flags, one line each
QString massShiftSmall(const QString &grams, const QString &shiftPct, const QString &rightGrams);
QString massShiftLarge(const QString &grams, const QString &shiftPct, const QString &rightGrams);
QString asymmetricResonance(const QString &centreHz, const QString &fsHz, const QString &pct);
QString singleDualDisagree(const QString &grams, const QString &mms, const QString &dualMms,
                           const QString &pct, const QString &scatterPct);
QString massRatioSmall(const QString &ratio, const QString &rightGrams);
QString dualMassInconsistent(const QString &pct);
QString dualMassNoFit(int points);
QString gridMismatch(const QString &curve, const QString &pct);
QString reAboveMinimum(const QString &re, const QString &minimum);
// the analysis window's Qms (points = 0) or the worksheet's, refined through `points` points
QString peakTooSharp(const QString &widthHz, const QString &stepsHz, int points);
QString notMainResonance(const QString &firstHz, const QString &mainHz, const QString &mainOhm);

// section titles of the worksheet's table
QString sectionInputs();
QString sectionClassic();
QString sectionMotional(const QString &model);
QString sectionSingleMass(const QString &grams);
QString sectionDualMass(const QString &grams1, const QString &grams2);
QString sectionBox(const QString &litres);
QString sectionFlags();
// the formula cell of a value found by the peak parabola, or by the Lorentzian
QString parabolaNote();
QString lorentzNote(int points);
// the formula cell of the motional resonance and of the LOG creep fit
QString motionalPeakNote();
QString creepFitNote(const QString &beta, int points);
// formula cells with words around the formula: a box curve's value, the dual method's Bl over
// both masses and frequencies, and the mean of the fitted masses
QString boxCurveNote(const QString &formula);
QString bothMassesNote(const QString &formula, const QString &lowHz, const QString &highHz);
QString meanNote(const QString &formula);
// the formula cell of the dual method's standard uncertainty of Mms
QString mmsSigmaNote();
// the curve the motional section reads, and the inputs' row saying what the methods build on
QString motionalCurveNote(const QString &model);
QString rowBasis();
// the row's value: the name of the basis ("classic" or "motional", as in the JSON)
QString basisName(bool motional);
QString basisClassic();
QString basisMotional(const QString &model);
QString basisTyped();
// the formula cell of a typed value, of air with its humidity, and of the coil's material
QString typedNote();
QString humidAirNote(const QString &pct);
QString coilMaterialText(CoilMaterial material);

// the uncertainty: refusals of its inputs, and the budget's rows
QString toleranceNotValid(const QString &name, const QString &value);
QString toleranceTooLarge(const QString &name);
QString repeatsTooFew(const QString &key, int count);
QString repeatsNotFinite(const QString &key);
QString repeatsUnknownKey(const QString &key);
// "6.923 ± 0.012 (k=2)"
QString withExpanded(const QString &value, const QString &expanded, const QString &k);
// a budget row: what one input adds to the value above it
QString budgetRow(const QString &source);
QString budgetShare(const QString &pct);
// the inputs of the budget by their JSON names ("Re", "mass1", "Sd", "grid-free-air", ...)
QString budgetSource(const QString &id);

} // namespace WorksheetMessages

namespace WorksheetMessages {

// Row name and unit of a value by its JSON key ("Mms_g" -> "Mms", "g").
QString rowName(const QString &key);
QString rowUnit(const QString &key);

} // namespace WorksheetMessages
