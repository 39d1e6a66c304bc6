// The two views of a worksheet result: JSON for scripts and files, rows for the table.
#include "core/analysis/TsUncertainty.h"
#include "core/analysis/TsWorksheet.h"
#include "core/analysis/WorksheetFormat.h"
#include "core/analysis/WorksheetMessages.h"
#include "core/analysis/fit/FitModel.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace M = WorksheetMessages;

namespace {

struct Entry {
    const char *key;
    double value; // in the unit the key names
    int decimals;
    QString formula;
};

struct Section {
    const char *key;
    QString title;
    QVector<Entry> entries;
};

QString n(double value, int decimals)
{
    return worksheetFixed(value, decimals);
}

// The classic values the methods build on: from the motional impedance when there is a fit.
const RefinedTs &basis(const TsWorksheetResult &r)
{
    return r.motional ? *r.motional : r.classic;
}

QString peakFormula(const RefinedTs &t)
{
    return t.lorentzPoints > 0 ? M::lorentzNote(t.lorentzPoints) : M::parabolaNote();
}

// The values shared by every method once Mms and Bl are known.
struct SetFormulas {
    QString mms, bl, cms, vas;
    bool withQes = false;
};

void appendSet(Section &s, const TsWorksheetResult &r, const DriverSet &d, const SetFormulas &f)
{
    const RefinedTs &c = basis(r);
    const QString fs = n(c.Fs, 2);
    const QString mms = n(d.Mms * 1e3, 3);
    const QString sd = n(r.sdM2 * 1e4, 2);
    s.entries.append({"Mms_g", d.Mms * 1e3, 3, f.mms});
    s.entries.append({"Bl_Tm", d.Bl, 3, f.bl});
    s.entries.append(
        {"Cms_mmPerN", d.Cms * 1e3, 4,
         f.cms.isEmpty()
             ? QStringLiteral("1 / ((2π·Fs)²·Mms) = 1 / ((2π·%1 Hz)²·%2 g)").arg(fs, mms)
             : f.cms});
    s.entries.append(
        {"Rms_kgPerS", d.Rms, 3,
         QStringLiteral("2π·Fs·Mms / Qms = 2π·%1 Hz·%2 g / %3").arg(fs, mms, n(c.Qms, 3))});
    if (f.withQes)
        s.entries.append({"Qes", d.Qes, 3,
                          QStringLiteral("2π·Fs·Mms·Re / Bl² = 2π·%1 Hz·%2 g·%3 Ω / (%4 T·m)²")
                              .arg(fs, mms, n(c.Re, 3), n(d.Bl, 3))});
    s.entries.append({"Vas_L", d.Vas * 1e3, 2,
                      f.vas.isEmpty()
                          ? QStringLiteral("ρ·c²·Sd²·Cms = %1·(%2 m/s)²·(%3 cm²)²·%4 mm/N")
                                .arg(n(r.air.rho, 4), n(r.air.c, 1), sd, n(d.Cms * 1e3, 4))
                          : f.vas});
    s.entries.append(
        {"EBP_Hz", d.EBP, 1, QStringLiteral("Fs / Qes = %1 / %2").arg(fs, n(d.Qes, 3))});
    s.entries.append({"eta0_pct", d.eta0 * 100.0, 3,
                      QStringLiteral("ρ·Bl²·Sd² / (2π·c·Re·Mms²) = %1·(%2 T·m)²·(%3 cm²)² / "
                                     "(2π·%4·%5 Ω·(%6 g)²)")
                          .arg(n(r.air.rho, 4), n(d.Bl, 3), sd, n(r.air.c, 1), n(c.Re, 3), mms)});
    s.entries.append({"SPL_1W_dB", d.spl1W, 1,
                      QStringLiteral("10·log10(η0·ρ·c / (2π·(20 µPa)²)) = "
                                     "10·log10(%1 %·%2·%3 / (2π·(20 µPa)²))")
                          .arg(n(d.eta0 * 100.0, 3), n(r.air.rho, 4), n(r.air.c, 1))});
    s.entries.append({"SPL_2V83_dB", d.spl2V83, 1,
                      QStringLiteral("SPL 1 W + 10·log10(2.83² / Re) = %1 + 10·log10(8.01 / %2)")
                          .arg(n(d.spl1W, 1), n(c.Re, 3))});
}

Section inputsSection(const TsWorksheetResult &r)
{
    const double kelvin = r.tempC + 273.15;
    Section s{"inputs", M::sectionInputs(), {}};
    s.entries.append({"Sd_cm2", r.sdM2 * 1e4, 2, QString()});
    if (r.airGiven) {
        s.entries.append({"rho_kgPerM3", r.air.rho, 5, M::typedNote()});
        s.entries.append({"c_mPerS", r.air.c, 2, M::typedNote()});
    } else {
        s.entries.append({"temp_C", r.tempC, 1, QString()});
        s.entries.append({"pressure_hPa", r.pressureHPa, 2, QString()});
        const bool humid = r.humidityPct > 0.0;
        if (humid)
            s.entries.append({"humidity_pct", r.humidityPct, 1, QString()});
        const QString humidNote = humid ? M::humidAirNote(n(r.humidityPct, 1)) : QString();
        s.entries.append({"rho_kgPerM3", r.air.rho, 5,
                          humid ? humidNote
                                : QStringLiteral("p / (287.05·T) = %1 Pa / (287.05·%2 K)")
                                      .arg(n(r.pressureHPa * 100.0, 0), n(kelvin, 2))});
        s.entries.append(
            {"c_mPerS", r.air.c, 2,
             humid ? humidNote
                   : QStringLiteral("√(1.4·287.05·T) = √(1.4·287.05·%1 K)").arg(n(kelvin, 2))});
    }
    if (r.coil) {
        const CoilTemperature &coil = *r.coil;
        s.entries.append({"coilTemp_C", coil.tempC, 1, M::coilMaterialText(coil.material)});
        s.entries.append({"Re20_Ohm", r.reAt20, 3,
                          QStringLiteral("Re / (1 + α·(T − 20 °C)) = %1 / (1 + %2·(%3 − 20))")
                              .arg(n(r.classic.Re, 3), n(coilTempCoefficient(coil.material), 5),
                                   n(coil.tempC, 1))});
    }
    return s;
}

// The classic values of the curve itself, or of the curve less the fitted coil.
Section refinedSection(const RefinedTs &c, const char *key, const QString &title,
                       const QString &curve, bool typed = false)
{
    Section s{key, title, {}};
    s.entries.append({"Re_Ohm", c.Re, 3, typed ? M::typedNote() : QString()});
    const QString peakNote = curve.isEmpty() ? peakFormula(c) : curve + "; " + peakFormula(c);
    s.entries.append(
        {"Rmax_Ohm", c.Rmax, 2,
         typed ? QStringLiteral("Re·r0 = %1·%2").arg(n(c.Re, 3), n(c.r0, 3)) : peakNote});
    s.entries.append({"Fs_Hz", c.Fs, 2, typed ? M::typedNote() : peakNote});
    s.entries.append(
        {"r0", c.r0, 3,
         typed ? QStringLiteral("1 + Qms / Qes = 1 + %1 / %2").arg(n(c.Qms, 3), n(c.Qes, 3))
               : QStringLiteral("Rmax / Re = %1 / %2").arg(n(c.Rmax, 2), n(c.Re, 3))});
    s.entries.append(
        {"Rx_Ohm", c.Rx, 2, QStringLiteral("Re·√r0 = %1·√%2").arg(n(c.Re, 3), n(c.r0, 3))});
    s.entries.append({"f1_Hz", c.f1, 2, QStringLiteral("|Z(f1)| = Rx, f1 < Fs")});
    s.entries.append({"f2_Hz", c.f2, 2, QStringLiteral("|Z(f2)| = Rx, f2 > Fs")});
    s.entries.append({"Qms", c.Qms, 3,
                      typed ? M::typedNote()
                            : QStringLiteral("√r0·Fs / (f2 − f1) = √%1·%2 / (%3 − %4)")
                                  .arg(n(c.r0, 3), n(c.Fs, 2), n(c.f2, 2), n(c.f1, 2))});
    s.entries.append(
        {"Qes", c.Qes, 3,
         typed ? M::typedNote()
               : QStringLiteral("Qms / (r0 − 1) = %1 / (%2 − 1)").arg(n(c.Qms, 3), n(c.r0, 3))});
    s.entries.append({"Qts", c.Qts, 3,
                      QStringLiteral("Qms·Qes / (Qms + Qes) = %1·%2 / (%1 + %2)")
                          .arg(n(c.Qms, 3), n(c.Qes, 3))});
    s.entries.append({"EBP_Hz", c.Fs / c.Qes, 1,
                      QStringLiteral("Fs / Qes = %1 / %2").arg(n(c.Fs, 2), n(c.Qes, 3))});
    return s;
}

Section singleSection(const TsWorksheetResult &r, const TsSingleMassResult &m)
{
    const RefinedTs &c = basis(r);
    const QString grams = worksheetShort(m.mass * 1e3);
    Section s{"singleMass", M::sectionSingleMass(grams), {}};
    s.entries.append({"mass_g", m.mass * 1e3, 3, QString()});
    s.entries.append({"FsLoaded_Hz", m.fsLoaded, 2, r.typed ? M::typedNote() : M::parabolaNote()});
    s.entries.append(
        {"shift_pct", m.shift * 100.0, 1,
         QStringLiteral("1 − Fs' / Fs = 1 − %1 / %2").arg(n(m.fsLoaded, 2), n(c.Fs, 2))});
    SetFormulas f;
    f.mms = QStringLiteral("M / ((Fs / Fs')² − 1) = %1 g / ((%2 / %3)² − 1)")
                .arg(grams, n(c.Fs, 2), n(m.fsLoaded, 2));
    f.bl = QStringLiteral("√(2π·Fs·Mms·Re / Qes) = √(2π·%1 Hz·%2 g·%3 Ω / %4)")
               .arg(n(c.Fs, 2), n(m.set.Mms * 1e3, 3), n(c.Re, 3), n(c.Qes, 3));
    appendSet(s, r, m.set, f);
    return s;
}

Section dualSection(const TsWorksheetResult &r, const TsDualMassResult &d)
{
    const DualMassFit &fit = d.fit;
    Section s{
        "dualMass", M::sectionDualMass(worksheetShort(d.m1 * 1e3), worksheetShort(d.m2 * 1e3)), {}};
    s.entries.append({"m1_g", d.m1 * 1e3, 3, QString()});
    s.entries.append({"m2_g", d.m2 * 1e3, 3, QString()});
    s.entries.append({"FsMotional_Hz", fit.fsMotional, 2, M::motionalPeakNote()});
    s.entries.append({"windowLow_Hz", fit.lowHz, 2, QStringLiteral("0.8·Fs (Zm)")});
    s.entries.append({"windowHigh_Hz", fit.highHz, 2, QStringLiteral("1.2·Fs (Zm)")});
    s.entries.append({"points", double(fit.points), 0, QString()});
    s.entries.append({"beta", fit.beta, 4, M::creepFitNote(n(fit.beta, 4), fit.points)});
    SetFormulas f;
    f.withQes = true;
    f.mms = QStringLiteral("Bl²·a = (%1 T·m)²·a").arg(n(fit.Bl, 3));
    f.bl = M::bothMassesNote(QStringLiteral("√(Σ Re[ΔZ*·jω·m·Zfit·(Zfit − ΔZ)] / Σ |ΔZ|²)"),
                             n(fit.lowHz, 1), n(fit.highHz, 1));
    appendSet(s, r, d.set, f);
    const QString fitted = M::meanNote(QStringLiteral("Re[Bl²·ΔZ / (jω·Zfit·(Zfit − ΔZ))]"));
    s.entries.append({"m1Fit_g", fit.m1Fit * 1e3, 3, fitted});
    s.entries.append({"m2Fit_g", fit.m2Fit * 1e3, 3, fitted});
    s.entries.append({"MmsSigma_pct", fit.mmsSigma * 100.0, 2, M::mmsSigmaNote()});
    s.entries.append({"consistency_pct", fit.consistency * 100.0, 2,
                      QStringLiteral("max |m(fit) / m − 1| = max(|%1 / %2 − 1|, |%3 / %4 − 1|)")
                          .arg(n(fit.m1Fit * 1e3, 3), n(d.m1 * 1e3, 3), n(fit.m2Fit * 1e3, 3),
                               n(d.m2 * 1e3, 3))});
    return s;
}

Section boxSection(const TsWorksheetResult &r, const TsBoxResult &b)
{
    const RefinedTs &c = basis(r);
    Section s{"box", M::sectionBox(worksheetShort(b.vb * 1e3)), {}};
    s.entries.append({"Vb_L", b.vb * 1e3, 2, QString()});
    s.entries.append({"Fc_Hz", b.box.Fs, 2, peakFormula(b.box)});
    s.entries.append({"Qec", b.box.Qes, 3, M::boxCurveNote(QStringLiteral("Qms / (r0 − 1)"))});
    s.entries.append({"Qmc", b.box.Qms, 3, M::boxCurveNote(QStringLiteral("√r0·Fc / (f2 − f1)"))});
    s.entries.append({"Qtc", b.box.Qts, 3, QStringLiteral("Qmc·Qec / (Qmc + Qec)")});
    SetFormulas f;
    f.vas = QStringLiteral("Vb·((Fc·Qec) / (Fs·Qes) − 1) = %1 L·((%2·%3) / (%4·%5) − 1)")
                .arg(worksheetShort(b.vb * 1e3), n(b.box.Fs, 2), n(b.box.Qes, 3), n(c.Fs, 2),
                     n(c.Qes, 3));
    f.cms = QStringLiteral("Vas / (ρ·c²·Sd²) = %1 L / (%2·(%3 m/s)²·(%4 cm²)²)")
                .arg(n(b.set.Vas * 1e3, 2), n(r.air.rho, 4), n(r.air.c, 1), n(r.sdM2 * 1e4, 2));
    f.mms = QStringLiteral("1 / ((2π·Fs)²·Cms) = 1 / ((2π·%1 Hz)²·%2 mm/N)")
                .arg(n(c.Fs, 2), n(b.set.Cms * 1e3, 4));
    f.bl = QStringLiteral("√(2π·Fs·Mms·Re / Qes) = √(2π·%1 Hz·%2 g·%3 Ω / %4)")
               .arg(n(c.Fs, 2), n(b.set.Mms * 1e3, 3), n(c.Re, 3), n(c.Qes, 3));
    appendSet(s, r, b.set, f);
    return s;
}

QVector<Section> sections(const TsWorksheetResult &r)
{
    QVector<Section> out;
    if (!r.refusal.isEmpty())
        return out;
    out.append(inputsSection(r));
    out.append(refinedSection(r.classic, "classic", M::sectionClassic(), QString(), r.typed));
    if (r.motional) {
        const QString model = fitModelName(r.fitModel);
        out.append(refinedSection(*r.motional, "motional", M::sectionMotional(model),
                                  M::motionalCurveNote(model)));
    }
    for (const TsSingleMassResult &m : r.singleMass)
        out.append(singleSection(r, m));
    if (r.dualMass)
        out.append(dualSection(r, *r.dualMass));
    if (r.box)
        out.append(boxSection(r, *r.box));
    return out;
}

QJsonValue jsonNumber(double value, int decimals)
{
    return worksheetJsonNumber(value, decimals);
}

} // namespace

QVector<TsValue> worksheetValues(const TsWorksheetResult &r)
{
    QVector<TsValue> out;
    int single = 0;
    for (const Section &s : sections(r)) {
        const bool isSingle = qstrcmp(s.key, "singleMass") == 0;
        for (const Entry &e : s.entries)
            out.append({QLatin1String(s.key), isSingle ? single : -1, QLatin1String(e.key), e.value,
                        e.decimals});
        single += isSingle ? 1 : 0;
    }
    return out;
}

QString TsValue::name() const
{
    return index < 0 ? section + QLatin1Char('.') + key
                     : QStringLiteral("%1[%2].%3").arg(section).arg(index).arg(key);
}

QJsonObject worksheetJson(const TsWorksheetResult &r)
{
    QJsonObject o;
    if (!r.refusal.isEmpty()) {
        o.insert(QStringLiteral("refusal"), r.refusal);
        return o;
    }
    QJsonArray single;
    for (const Section &s : sections(r)) {
        QJsonObject values;
        for (const Entry &e : s.entries)
            values.insert(QLatin1String(e.key), jsonNumber(e.value, e.decimals));
        if (qstrcmp(s.key, "inputs") == 0) {
            if (r.coil)
                values.insert(QStringLiteral("coilMaterial"), coilMaterialName(r.coil->material));
            values.insert(QStringLiteral("basis"),
                          r.motional ? QStringLiteral("motional") : QStringLiteral("classic"));
            if (r.motional)
                values.insert(QStringLiteral("fitModel"), fitModelName(r.fitModel));
        }
        if (qstrcmp(s.key, "singleMass") == 0)
            single.append(values);
        else
            o.insert(QLatin1String(s.key), values);
    }
    if (!single.isEmpty())
        o.insert(QStringLiteral("singleMass"), single);
    QJsonArray flags;
    for (const TsFlag &f : r.flags)
        flags.append(QJsonObject{{QStringLiteral("code"), tsFlagCodeName(f.code)},
                                 {QStringLiteral("text"), f.text}});
    o.insert(QStringLiteral("flags"), flags);
    return o;
}

QVector<TsRow> worksheetRows(const TsWorksheetResult &r)
{
    return worksheetRows(r, nullptr, false);
}

QVector<TsRow> worksheetRows(const TsWorksheetResult &r, const TsUncertainty *u, bool budget)
{
    QVector<TsRow> rows;
    int single = 0;
    for (const Section &s : sections(r)) {
        const bool isSingle = qstrcmp(s.key, "singleMass") == 0;
        for (const Entry &e : s.entries) {
            const QString key = QLatin1String(e.key);
            const TsValueUncertainty *v =
                u ? u->find(
                        TsValue{QLatin1String(s.key), isSingle ? single : -1, key, 0.0, 0}.name())
                  : nullptr;
            if (!v || !(v->u > 0.0)) {
                rows.append(
                    {s.title, M::rowName(key), n(e.value, e.decimals), M::rowUnit(key), e.formula});
                continue;
            }
            // U to two significant digits, the value to the same place.
            const double expanded = u->k * v->u;
            const int decimals = std::clamp(1 - int(std::floor(std::log10(expanded))), 0, 9);
            rows.append({s.title, M::rowName(key),
                         M::withExpanded(n(e.value, decimals), n(expanded, decimals),
                                         QString::number(u->k)),
                         M::rowUnit(key), e.formula});
            if (!budget)
                continue;
            for (const TsBudgetEntry &b : v->budget)
                rows.append({s.title, M::budgetRow(M::budgetSource(b.source)),
                             n(b.contribution, decimals + 1), M::rowUnit(key),
                             M::budgetShare(n(100.0 * std::pow(b.contribution / v->u, 2), 1)),
                             true});
        }
        single += isSingle ? 1 : 0;
        // Which values the methods below are built on.
        if (qstrcmp(s.key, "inputs") == 0)
            rows.append({s.title, M::rowBasis(), M::basisName(r.motional.has_value()), QString(),
                         r.motional ? M::basisMotional(fitModelName(r.fitModel))
                                    : (r.typed ? M::basisTyped() : M::basisClassic())});
    }
    for (const TsFlag &f : r.flags)
        rows.append({M::sectionFlags(), tsFlagCodeName(f.code), f.text, QString(), QString()});
    return rows;
}
