#include "core/analysis/WorksheetMessages.h"

#include <QCoreApplication>

namespace WorksheetMessages {

QString massNotPositive(const QString &grams)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "the added mass must be above 0 g (given: %1 g)")
        .arg(grams);
}
QString sdMissing()
{
    return QCoreApplication::translate(
        "WorksheetMessages", "the added-mass and box methods need Sd: give Sd or the piston "
                             "diameter");
}
QString sdNotPositive()
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "Sd and the piston diameter must be above 0");
}
QString boxNotPositive(const QString &litres)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "the box volume must be above 0 L (given: %1 L)")
        .arg(litres);
}
QString airImplausible(const QString &tempC, const QString &pressureHPa)
{
    return QCoreApplication::translate(
               "WorksheetMessages", "air at %1 °C and %2 hPa is outside -40..60 °C, 500..1100 hPa")
        .arg(tempC, pressureHPa);
}
QString noPoints(const QString &curve)
{
    return QCoreApplication::translate("WorksheetMessages", "%1 holds no measured point")
        .arg(curve);
}
QString otherBand(const QString &curve, int band, int freeBand)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "%1 was measured on band %2, the free-air curve on band %3: measure "
               "both on the same band")
        .arg(curve)
        .arg(band)
        .arg(freeBand);
}
QString otherRange(const QString &curve)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "%1 does not cover the same points as the free-air curve")
        .arg(curve);
}
QString noResonance(const QString &curve)
{
    return QCoreApplication::translate("WorksheetMessages", "no resonance found in %1").arg(curve);
}
QString notBelowFreeAir(const QString &curve, const QString &fsLoaded, const QString &fs)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "%1 resonates at %2 Hz, not below the free-air %3 Hz: is the mass on "
               "the cone, and is it the right file?")
        .arg(curve, fsLoaded, fs);
}
QString notAboveFreeAir(const QString &curve, const QString &fc, const QString &fs)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "%1 resonates at %2 Hz, not above the free-air %3 Hz: is it the right "
               "file?")
        .arg(curve, fc, fs);
}
QString identicalMasses(const QString &grams)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "both masses are %1 g: the dual added-mass method needs two different "
               "masses")
        .arg(grams);
}
QString curveProblem(const QString &curve, const QString &problem)
{
    return QCoreApplication::translate("WorksheetMessages", "%1: %2").arg(curve, problem);
}

QString freeAirCurve()
{
    return QCoreApplication::translate("WorksheetMessages", "the free-air curve");
}
QString massCurve(const QString &grams)
{
    return QCoreApplication::translate("WorksheetMessages", "the curve with %1 g").arg(grams);
}
QString boxCurve(const QString &litres)
{
    return QCoreApplication::translate("WorksheetMessages", "the curve in the %1 L box")
        .arg(litres);
}

QString massShiftSmall(const QString &grams, const QString &shiftPct, const QString &rightGrams)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "%1 g moves Fs by only %2 % (under 15 %): about %3 g would move it by "
               "30 %")
        .arg(grams, shiftPct, rightGrams);
}
QString massShiftLarge(const QString &grams, const QString &shiftPct, const QString &rightGrams)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "%1 g moves Fs by %2 % (over 50 %): about %3 g would move it by 30 %")
        .arg(grams, shiftPct, rightGrams);
}
QString asymmetricResonance(const QString &centreHz, const QString &fsHz, const QString &pct)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "√(f1·f2) = %1 Hz lies %3 % from Fs = %2 Hz: an asymmetric resonance, "
               "the classic Q and the single-mass Mms are less reliable")
        .arg(centreHz, fsHz, pct);
}
QString singleDualDisagree(const QString &grams, const QString &mms, const QString &dualMms,
                           const QString &pct, const QString &scatterPct)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "with %1 g the single-mass Mms %2 g and the dual-mass %3 g disagree by %4 %, "
               "beyond the methods' own scatter (±%5 %): suspension creep makes a single "
               "mass read low, or a mass is not what was typed")
        .arg(grams, mms, dualMms, pct, scatterPct);
}
QString massRatioSmall(const QString &ratio, const QString &rightGrams)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the heavier mass is only %1 times the lighter (under 1.5): the two curves "
               "differ too little for the dual method, its values are unreliable; use about "
               "%2 g as the heavier mass")
        .arg(ratio, rightGrams);
}
QString dualMassInconsistent(const QString &pct)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the fitted motional impedance gives the masses back only within %1 % "
               "(over 2 %): the dual-mass values are less reliable")
        .arg(pct);
}
QString dualMassNoFit(int points)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the dual added-mass method found no usable motional impedance (%1 "
               "points in 0.8-1.2 Fs)")
        .arg(points);
}
QString gridMismatch(const QString &curve, const QString &pct)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the frequencies of %1 differ from the free-air curve's by up to %2 %: "
               "the dual method compares the curves point by point")
        .arg(curve, pct);
}
QString reAboveMinimum(const QString &re, const QString &minimum)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "Re = %1 Ω is above the curve's minimum of %2 Ω: check Re")
        .arg(re, minimum);
}
QString peakTooSharp(const QString &widthHz, const QString &stepsHz, int points)
{
    if (points == 0)
        return QCoreApplication::translate(
                   "WorksheetMessages",
                   "the resonance is only %1 Hz wide (Fs / Qms), under three grid steps (%2 Hz): "
                   "the three-point Qms reads low; the model fit gives Qms from the whole curve")
            .arg(widthHz, stepsHz);
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the resonance is only %1 Hz wide (Fs / Qms), under three grid steps (%2 Hz): "
               "the analysis window's Qms reads low; here Fs, Rmax and Qms come from a "
               "Lorentzian through %3 points, and the model fit gives Qms from the whole curve")
        .arg(widthHz, stepsHz)
        .arg(points);
}
QString notMainResonance(const QString &firstHz, const QString &mainHz, const QString &mainOhm)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the analysis window's first peak at %1 Hz is not the main resonance, which lies "
               "at %2 Hz (%3 Ω): the worksheet takes the main resonance")
        .arg(firstHz, mainHz, mainOhm);
}

QString sectionInputs()
{
    return QCoreApplication::translate("WorksheetMessages", "入力 (inputs)");
}
QString sectionClassic()
{
    return QCoreApplication::translate("WorksheetMessages", "フリーエア (free air, refined)");
}
QString sectionMotional(const QString &model)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "運動インピーダンス (motional, Z − Ze of the %1 fit)")
        .arg(model);
}
QString sectionSingleMass(const QString &grams)
{
    return QCoreApplication::translate("WorksheetMessages", "付加質量 %1 g (added mass)")
        .arg(grams);
}
QString sectionDualMass(const QString &grams1, const QString &grams2)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "二重付加質量 %1 g + %2 g (dual added mass)")
        .arg(grams1, grams2);
}
QString sectionBox(const QString &litres)
{
    return QCoreApplication::translate("WorksheetMessages", "密閉箱 %1 L (sealed box)").arg(litres);
}
QString sectionFlags()
{
    return QCoreApplication::translate("WorksheetMessages", "注意 (flags)");
}
QString parabolaNote()
{
    return QCoreApplication::translate(
        "WorksheetMessages", "parabola through the 3 grid points around the |Z| maximum, on log f");
}
QString lorentzNote(int points)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "Lorentzian |Z|² − Re² = K / (1 + Q²·(f/Fs − Fs/f)²) through %1 grid points")
        .arg(points);
}
QString motionalPeakNote()
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "maximum of |Zm|, Zm = (1 − μ)·ΔZ1·ΔZ2 / (ΔZ2 − μ·ΔZ1)");
}
QString creepFitNote(const QString &beta, int points)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "least squares 1/Zm = jω·a + b + j·c/(ω·(1 − β·ln jω)), β = %1, %2 "
               "points")
        .arg(beta)
        .arg(points);
}

QString boxCurveNote(const QString &formula)
{
    return QCoreApplication::translate("WorksheetMessages", "%1 of the box curve").arg(formula);
}
QString bothMassesNote(const QString &formula, const QString &lowHz, const QString &highHz)
{
    return QCoreApplication::translate("WorksheetMessages", "%1, m1 and m2, %2-%3 Hz")
        .arg(formula, lowHz, highHz);
}
QString meanNote(const QString &formula)
{
    return QCoreApplication::translate("WorksheetMessages", "mean %1").arg(formula);
}

QString mmsSigmaNote()
{
    return QCoreApplication::translate(
        "WorksheetMessages",
        "standard uncertainty from the residuals of the 1/Zm and Bl² fits (white noise assumed)");
}

QString motionalCurveNote(const QString &model)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "on Re + Z − Ze, Ze the coil of the %1 fit")
        .arg(model);
}
QString rowBasis()
{
    return QCoreApplication::translate("WorksheetMessages", "methods use");
}
QString basisName(bool motional)
{
    return motional ? QCoreApplication::translate("WorksheetMessages", "motional")
                    : QCoreApplication::translate("WorksheetMessages", "classic");
}
QString basisClassic()
{
    return QCoreApplication::translate(
        "WorksheetMessages",
        "the classic values of |Z| itself: no model fit with phase takes the coil out");
}
QString basisMotional(const QString &model)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the motional impedance Z − Ze, Ze the coil of the %1 fit: free of the coil's "
               "inductance")
        .arg(model);
}

QString airConstantsImplausible(const QString &rho, const QString &c)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "ρ = %1 kg/m³ and c = %2 m/s are outside 0.5..2 kg/m³, 250..450 m/s")
        .arg(rho, c);
}
QString humidityImplausible(const QString &pct)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "the relative humidity must be 0..100 % (given: %1 %)")
        .arg(pct);
}
QString coilTempImplausible(const QString &tempC)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "the coil temperature must be -40..250 °C (given: %1 °C)")
        .arg(tempC);
}
QString typedNotPositive(const QString &name, const QString &value)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "the typed %1 must be above 0 (given: %2)")
        .arg(name, value);
}
QString typedNeedsCurve(const QString &curve)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "%1 needs measured curves: the typed values give the added-mass method only")
        .arg(curve);
}
QString basisTyped()
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "the typed values: Fs, Qms, Qes and Re as given");
}
QString typedNote()
{
    return QCoreApplication::translate("WorksheetMessages", "typed");
}
QString humidAirNote(const QString &pct)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "humid air at %1 % relative humidity (vapour pressure "
                                       "after Buck)")
        .arg(pct);
}
QString coilMaterialText(CoilMaterial material)
{
    return material == CoilMaterial::Aluminium
               ? QCoreApplication::translate("WorksheetMessages", "aluminium, α = 0.00403 /K")
               : QCoreApplication::translate("WorksheetMessages", "copper, α = 0.00393 /K");
}
QString toleranceNotValid(const QString &name, const QString &value)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the tolerance of %1 must be a number of 0 or above (given: %2)")
        .arg(name, value);
}
QString toleranceTooLarge(const QString &name)
{
    return QCoreApplication::translate(
               "WorksheetMessages",
               "the tolerance of %1 is so large that the worksheet refuses its own inputs")
        .arg(name);
}
QString repeatsTooFew(const QString &key, int count)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "%1 needs at least two repeated values (given: %2)")
        .arg(key)
        .arg(count);
}
QString repeatsNotFinite(const QString &key)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "a repeated value of %1 is not a number")
        .arg(key);
}
QString repeatsUnknownKey(const QString &key)
{
    return QCoreApplication::translate("WorksheetMessages",
                                       "repeated values were given for %1, which the "
                                       "worksheet does not compute")
        .arg(key);
}
QString withExpanded(const QString &value, const QString &expanded, const QString &k)
{
    return QCoreApplication::translate("WorksheetMessages", "%1 ± %2 (k=%3)")
        .arg(value, expanded, k);
}
QString budgetRow(const QString &source)
{
    return QCoreApplication::translate("WorksheetMessages", "  from %1").arg(source);
}
QString budgetShare(const QString &pct)
{
    return QCoreApplication::translate("WorksheetMessages", "%1 % of u²").arg(pct);
}

} // namespace WorksheetMessages

namespace {

// The budget's inputs; a grid term names the curve whose frequencies it moves. A symbol has no
// catalogue entry and stays as it is.
const char *const kBudgetSources[][2] = {
    {"Re", "Re"},
    {"scale", QT_TRANSLATE_NOOP("WorksheetMessages", "scale resolution")},
    {"mass1", QT_TRANSLATE_NOOP("WorksheetMessages", "scale, mass 1")},
    {"mass2", QT_TRANSLATE_NOOP("WorksheetMessages", "scale, mass 2")},
    {"Sd", "Sd"},
    {"diameter", QT_TRANSLATE_NOOP("WorksheetMessages", "diameter")},
    {"rho", "ρ"},
    {"c", "c"},
    {"temp", QT_TRANSLATE_NOOP("WorksheetMessages", "air temperature")},
    {"pressure", QT_TRANSLATE_NOOP("WorksheetMessages", "air pressure")},
    {"humidity", QT_TRANSLATE_NOOP("WorksheetMessages", "humidity")},
    {"coilTemp", QT_TRANSLATE_NOOP("WorksheetMessages", "coil temperature")},
    {"grid-free-air", QT_TRANSLATE_NOOP("WorksheetMessages", "grid step, free air")},
    {"grid-mass1", QT_TRANSLATE_NOOP("WorksheetMessages", "grid step, mass 1")},
    {"grid-mass2", QT_TRANSLATE_NOOP("WorksheetMessages", "grid step, mass 2")},
    {"grid-box", QT_TRANSLATE_NOOP("WorksheetMessages", "grid step, box")},
    {"noise-free-air", QT_TRANSLATE_NOOP("WorksheetMessages", "noise, free air")},
    {"noise-mass1", QT_TRANSLATE_NOOP("WorksheetMessages", "noise, mass 1")},
    {"noise-mass2", QT_TRANSLATE_NOOP("WorksheetMessages", "noise, mass 2")},
    {"noise-box", QT_TRANSLATE_NOOP("WorksheetMessages", "noise, box")},
    {"repeats", QT_TRANSLATE_NOOP("WorksheetMessages", "repeats (type A)")},
};

} // namespace

namespace WorksheetMessages {

QString budgetSource(const QString &id)
{
    for (const auto &s : kBudgetSources)
        if (id == QLatin1String(s[0]))
            return QCoreApplication::translate("WorksheetMessages", s[1]);
    return id;
}

} // namespace WorksheetMessages

namespace {

// Names in words are marked for translation; a symbol has no catalogue entry and stays as it is.
struct RowText {
    const char *key;
    const char *name;
    const char *unit;
};

const RowText kRowTexts[] = {
    {"Re_Ohm", "Re", "Ω"},
    {"Rmax_Ohm", "Rmax", "Ω"},
    {"Fs_Hz", "Fs", "Hz"},
    {"r0", "r0", ""},
    {"Rx_Ohm", "Rx", "Ω"},
    {"f1_Hz", "f1", "Hz"},
    {"f2_Hz", "f2", "Hz"},
    {"Qms", "Qms", ""},
    {"Qes", "Qes", ""},
    {"Qts", "Qts", ""},
    {"EBP_Hz", "EBP", "Hz"},
    {"mass_g", "M", "g"},
    {"FsLoaded_Hz", "Fs'", "Hz"},
    {"shift_pct", QT_TRANSLATE_NOOP("WorksheetMessages", "Fs shift"), "%"},
    {"Mms_g", "Mms", "g"},
    {"Cms_mmPerN", "Cms", "mm/N"},
    {"Rms_kgPerS", "Rms", "kg/s"},
    {"Bl_Tm", "Bl", "T·m"},
    {"Vas_L", "Vas", "L"},
    {"eta0_pct", "η0", "%"},
    {"SPL_1W_dB", "SPL 1 W / 1 m", "dB"},
    {"SPL_2V83_dB", "SPL 2.83 V / 1 m", "dB"},
    {"m1_g", "m1", "g"},
    {"m2_g", "m2", "g"},
    {"FsMotional_Hz", "Fs (Zm)", "Hz"},
    {"windowLow_Hz", QT_TRANSLATE_NOOP("WorksheetMessages", "fit from"), "Hz"},
    {"windowHigh_Hz", QT_TRANSLATE_NOOP("WorksheetMessages", "fit to"), "Hz"},
    {"points", QT_TRANSLATE_NOOP("WorksheetMessages", "points"), ""},
    {"beta", "β", ""},
    {"m1Fit_g", QT_TRANSLATE_NOOP("WorksheetMessages", "m1 (fit)"), "g"},
    {"m2Fit_g", QT_TRANSLATE_NOOP("WorksheetMessages", "m2 (fit)"), "g"},
    {"consistency_pct", QT_TRANSLATE_NOOP("WorksheetMessages", "mass consistency"), "%"},
    {"MmsSigma_pct", "σ(Mms)", "%"},
    {"Vb_L", "Vb", "L"},
    {"Fc_Hz", "Fc", "Hz"},
    {"Qec", "Qec", ""},
    {"Qmc", "Qmc", ""},
    {"Qtc", "Qtc", ""},
    {"Sd_cm2", "Sd", "cm²"},
    {"temp_C", QT_TRANSLATE_NOOP("WorksheetMessages", "temperature"), "°C"},
    {"pressure_hPa", QT_TRANSLATE_NOOP("WorksheetMessages", "pressure"), "hPa"},
    {"rho_kgPerM3", "ρ", "kg/m³"},
    {"c_mPerS", "c", "m/s"},
    {"humidity_pct", QT_TRANSLATE_NOOP("WorksheetMessages", "humidity"), "%"},
    {"coilTemp_C", QT_TRANSLATE_NOOP("WorksheetMessages", "coil temperature"), "°C"},
    {"Re20_Ohm", "Re (20 °C)", "Ω"},
};

const RowText *rowText(const QString &key)
{
    for (const RowText &t : kRowTexts)
        if (key == QLatin1String(t.key))
            return &t;
    return nullptr;
}

} // namespace

namespace WorksheetMessages {

QString rowName(const QString &key)
{
    const RowText *t = rowText(key);
    return t ? QCoreApplication::translate("WorksheetMessages", t->name) : key;
}

QString rowUnit(const QString &key)
{
    const RowText *t = rowText(key);
    return t ? QString::fromUtf8(t->unit) : QString();
}

} // namespace WorksheetMessages
