#include "core/analysis/TsWorksheet.h"

#include "core/analysis/AddedMass.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/CoilRemoval.h"
#include "core/analysis/MainResonance.h"
#include "core/analysis/PeakSearch.h"
#include "core/analysis/SealedBox.h"
#include "core/analysis/WorksheetFormat.h"
#include "core/analysis/WorksheetMessages.h"

#include <cmath>
#include <memory>
#include <vector>

namespace M = WorksheetMessages;

namespace {

// A curve's analysis range and resonance, checked against the free-air curve.
struct Located {
    int first = 0;
    int last = 0;
    int peak = -1;      // the main resonance, else the first peak
    int firstPeak = -1; // the analysis window's resonance
};

QString locate(const TsCurve &c, const QString &name, double re, Located *out)
{
    if (!c.raw || !analysisRange(*c.raw, c.band, &out->first, &out->last))
        return M::noPoints(name);
    auto smooth = std::make_unique<CurveBlock>();
    const PeakList peaks = searchBand(*c.raw, *smooth, c.band);
    if (peaks.peakCount == 0)
        return QString();
    out->firstPeak = peaks.peakIndex[0];
    const int main = mainResonance(*c.raw, out->first, out->last, re);
    out->peak = main >= 0 ? main : out->firstPeak;
    return QString();
}

QString checkLoaded(const TsCurve &c, const QString &name, double re, const TsCurve &free,
                    const Located &freeAt, Located *out)
{
    if (const QString problem = locate(c, name, re, out); !problem.isEmpty())
        return problem;
    if (c.band != free.band)
        return M::otherBand(name, c.band, free.band);
    if (out->first != freeAt.first || out->last != freeAt.last)
        return M::otherRange(name);
    if (out->peak < 0)
        return M::noResonance(name);
    return QString();
}

// Largest relative difference of the grid frequencies of two curves over first..last.
double gridDifference(const CurveBlock &a, const CurveBlock &b, int first, int last)
{
    double worst = 0.0;
    for (int i = first; i <= last; ++i)
        worst = std::max(worst, std::fabs(double(b.freq[i]) / double(a.freq[i]) - 1.0));
    return worst;
}

void addFlag(TsWorksheetResult &r, TsFlagCode code, const QString &text)
{
    r.flags.append({code, text});
}

void flagMassShift(TsWorksheetResult &r, const TsSingleMassResult &s)
{
    if (s.shift >= kMinMassShift && s.shift <= kMaxMassShift)
        return;
    const QString grams = worksheetShort(s.mass * 1e3);
    const QString shift = worksheetFixed(s.shift * 100.0, 1);
    const QString right = worksheetFixed(massForShift(s.set.Mms, kRightMassShift) * 1e3, 1);
    if (s.shift < kMinMassShift)
        addFlag(r, TsFlagCode::MassShiftSmall, M::massShiftSmall(grams, shift, right));
    else
        addFlag(r, TsFlagCode::MassShiftLarge, M::massShiftLarge(grams, shift, right));
}

void refuse(TsWorksheetResult &r, const QString &text)
{
    r = TsWorksheetResult();
    r.refusal = text;
}

// The numbers given, before any curve is read: the air, Sd, the masses and the box.
QString checkNumbers(const TsWorksheetInput &in, TsWorksheetResult &r)
{
    if (in.airGiven) {
        if (!isPlausibleAirConstants(*in.airGiven))
            return M::airConstantsImplausible(worksheetShort(in.airGiven->rho),
                                              worksheetShort(in.airGiven->c));
        r.air = *in.airGiven;
    } else {
        if (!isPlausibleAir(in.tempC, in.pressureHPa))
            return M::airImplausible(worksheetShort(in.tempC), worksheetShort(in.pressureHPa));
        if (!isPlausibleHumidity(in.humidityPct))
            return M::humidityImplausible(worksheetShort(in.humidityPct));
        r.air = airAt(in.tempC, in.pressureHPa, in.humidityPct);
    }
    if (in.coil) {
        if (!isPlausibleCoilTemp(in.coil->tempC))
            return M::coilTempImplausible(worksheetShort(in.coil->tempC));
        r.reAt20 = reAt20C(in.re, *in.coil);
    }
    if (!std::isfinite(in.sdM2) || !std::isfinite(in.diameterMm) || in.sdM2 < 0.0 ||
        in.diameterMm < 0.0)
        return M::sdNotPositive();
    r.sdM2 = in.sdM2 > 0.0 ? in.sdM2 : pistonAreaM2(in.diameterMm);
    for (const TsMassInput &m : in.masses)
        if (!(m.grams > 0.0) || !std::isfinite(m.grams))
            return M::massNotPositive(worksheetShort(m.grams));
    if (in.box && (!(in.box->litres > 0.0) || !std::isfinite(in.box->litres)))
        return M::boxNotPositive(worksheetShort(in.box->litres));
    if ((!in.masses.isEmpty() || in.box) && !(r.sdM2 > 0.0))
        return M::sdMissing();
    // Equal to the milligram: the scale's resolution.
    if (in.masses.size() == 2 && std::fabs(in.masses[0].grams - in.masses[1].grams) < 5e-4)
        return M::identicalMasses(worksheetShort(in.masses[0].grams));
    return QString();
}

// The free-air curve: the classic values between the grid points.
QString freeAirValues(const TsWorksheetInput &in, TsWorksheetResult &r, Located *freeAt)
{
    if (const QString problem = locate(in.freeAir, M::freeAirCurve(), in.re, freeAt);
        !problem.isEmpty())
        return problem;
    const TsResult classic = freeAt->peak < 0
                                 ? TsResult::NoPeak
                                 : traceableTs(*in.freeAir.raw, freeAt->first, freeAt->last,
                                               freeAt->peak, in.re, &r.classic);
    if (classic != TsResult::Ok)
        return AnalysisMessages::forResult(classic).text;
    return QString();
}

// One mass on its own, once its loaded resonance is known.
void completeSingleMass(const TsWorksheetResult &r, TsSingleMassResult &s)
{
    const RefinedTs &c = r.classic;
    s.shift = resonanceShift(c.Fs, s.fsLoaded);
    const double mms = mmsFromAddedMass(c.Fs, s.fsLoaded, s.mass);
    s.set =
        completeDriverSet(c.Fs, c.Qms, c.Re, mms, blFromQes(c.Fs, mms, c.Re, c.Qes), r.sdM2, r.air);
}

// From numbers: the classic values the typed Fs, Qms and Qes imply, and each typed mass.
QString typedValues(const TsWorksheetInput &in, TsWorksheetResult &r)
{
    const TsTypedFreeAir &t = *in.typed;
    const std::pair<const char *, double> given[] = {
        {"Re", in.re}, {"Fs", t.fs}, {"Qms", t.qms}, {"Qes", t.qes}};
    for (const auto &[name, value] : given)
        if (!(value > 0.0) || !std::isfinite(value))
            return M::typedNotPositive(QLatin1String(name), worksheetShort(value));
    if (in.box)
        return M::typedNeedsCurve(M::boxCurve(worksheetShort(in.box->litres)));
    RefinedTs &c = r.classic;
    c.Re = in.re;
    c.Fs = t.fs;
    c.Qms = t.qms;
    c.Qes = t.qes;
    c.Qts = t.qms * t.qes / (t.qms + t.qes);
    // Qes = Qms / (r0 - 1), Qms = √r0·Fs / (f2 - f1), f1·f2 = Fs².
    c.r0 = 1.0 + t.qms / t.qes;
    c.Rmax = in.re * c.r0;
    c.Rx = in.re * std::sqrt(c.r0);
    const double width = std::sqrt(c.r0) * t.fs / t.qms;
    c.f1 = 0.5 * (std::sqrt(width * width + 4.0 * t.fs * t.fs) - width);
    c.f2 = c.f1 + width;
    for (const TsMassInput &m : in.masses) {
        const QString name = M::massCurve(worksheetShort(m.grams));
        if (!(m.fsLoaded > 0.0) || !std::isfinite(m.fsLoaded))
            return M::typedNotPositive(QStringLiteral("Fs'"), worksheetShort(m.fsLoaded));
        if (!(m.fsLoaded < c.Fs))
            return M::notBelowFreeAir(name, worksheetShort(m.fsLoaded), worksheetShort(c.Fs));
        TsSingleMassResult s;
        s.mass = m.grams * 1e-3;
        s.fsLoaded = m.fsLoaded;
        completeSingleMass(r, s);
        r.singleMass.append(s);
    }
    return QString();
}

// Each mass on its own.
QString singleMasses(const TsWorksheetInput &in, const Located &freeAt, TsWorksheetResult &r)
{
    const CurveBlock &free = *in.freeAir.raw;
    const RefinedTs &c = r.classic;
    for (const TsMassInput &m : in.masses) {
        const QString name = M::massCurve(worksheetShort(m.grams));
        Located at;
        if (const QString p = checkLoaded(m.curve, name, in.re, in.freeAir, freeAt, &at);
            !p.isEmpty())
            return p;
        TsSingleMassResult s;
        s.mass = m.grams * 1e-3;
        double zmax = 0.0;
        refinedPeak(*m.curve.raw, at.first, at.last, at.peak, &s.fsLoaded, &zmax);
        // A free-air peak traced by the Lorentzian: the sharper loaded one alike.
        RefinedTs traced;
        if (c.lorentzPoints > 0 &&
            lorentzianTs(*m.curve.raw, at.first, at.last, at.peak, in.re, &traced))
            s.fsLoaded = traced.Fs;
        if (!(s.fsLoaded < c.Fs))
            return M::notBelowFreeAir(name, worksheetFixed(s.fsLoaded, 2), worksheetFixed(c.Fs, 2));
        completeSingleMass(r, s);
        // Mms = M / (R² - 1), R = Fs / Fs': δMms / Mms = 2R² / (R² - 1) · δR / R.
        const double ratio2 = std::pow(c.Fs / s.fsLoaded, 2);
        s.mmsSigma = 2.0 * ratio2 / (ratio2 - 1.0) *
                     std::hypot(peakFrequencySigma(free, freeAt.first, freeAt.last, freeAt.peak),
                                peakFrequencySigma(*m.curve.raw, at.first, at.last, at.peak));
        r.singleMass.append(s);
    }
    return QString();
}

// The box.
QString sealedBox(const TsWorksheetInput &in, const Located &freeAt, TsWorksheetResult &r)
{
    if (!in.box)
        return QString();
    const RefinedTs &c = r.classic;
    const QString name = M::boxCurve(worksheetShort(in.box->litres));
    Located boxAt;
    if (const QString p = checkLoaded(in.box->curve, name, in.re, in.freeAir, freeAt, &boxAt);
        !p.isEmpty())
        return p;
    TsBoxResult b;
    b.vb = in.box->litres * 1e-3;
    const TsResult result =
        traceableTs(*in.box->curve.raw, boxAt.first, boxAt.last, boxAt.peak, in.re, &b.box);
    if (result != TsResult::Ok)
        return M::curveProblem(name, AnalysisMessages::forResult(result).text);
    if (!(b.box.Fs > c.Fs))
        return M::notAboveFreeAir(name, worksheetFixed(b.box.Fs, 2), worksheetFixed(c.Fs, 2));
    const double vas = vasFromSealedBox(b.vb, c.Fs, c.Qes, b.box.Fs, b.box.Qes);
    const double mms = mmsFromVas(vas, c.Fs, r.sdM2, r.air.rho, r.air.c);
    b.set =
        completeDriverSet(c.Fs, c.Qms, c.Re, mms, blFromQes(c.Fs, mms, c.Re, c.Qes), r.sdM2, r.air);
    r.box = b;
    return QString();
}

// Both masses together.
void dualMass(const TsWorksheetInput &in, const Located &freeAt, TsWorksheetResult &r)
{
    if (in.masses.size() != 2)
        return;
    const CurveBlock &free = *in.freeAir.raw;
    const RefinedTs &c = r.classic;
    const bool swap = in.masses[0].grams > in.masses[1].grams;
    const TsMassInput &light = in.masses[swap ? 1 : 0];
    const TsMassInput &heavy = in.masses[swap ? 0 : 1];
    for (const TsMassInput *m : {&light, &heavy}) {
        const double diff = gridDifference(free, *m->curve.raw, freeAt.first, freeAt.last);
        if (diff > kGridTolerance)
            addFlag(r, TsFlagCode::GridMismatch,
                    M::gridMismatch(M::massCurve(worksheetShort(m->grams)),
                                    worksheetFixed(diff * 100.0, 2)));
    }
    TsDualMassResult d;
    d.m1 = light.grams * 1e-3;
    d.m2 = heavy.grams * 1e-3;
    d.fit = fitDualMass(
        {&free, light.curve.raw, heavy.curve.raw, freeAt.first, freeAt.last, d.m1, d.m2, c.Fs});
    if (d.fit.ok) {
        d.set = completeDriverSet(c.Fs, c.Qms, c.Re, d.fit.Mms, d.fit.Bl, r.sdM2, r.air);
        r.dualMass = d;
    } else {
        addFlag(r, TsFlagCode::DualMassNoFit, M::dualMassNoFit(d.fit.points));
    }
}

// The warnings on the free-air curve's own values.
void flagFreeAir(const TsWorksheetInput &in, const Located &freeAt, TsWorksheetResult &r)
{
    const CurveBlock &free = *in.freeAir.raw;
    const RefinedTs &c = r.classic;
    if (std::abs(freeAt.peak - freeAt.firstPeak) > kSamePeakSpan)
        addFlag(r, TsFlagCode::NotMainResonance,
                M::notMainResonance(worksheetFixed(free.freq[freeAt.firstPeak], 2),
                                    worksheetFixed(c.Fs, 2), worksheetFixed(c.Rmax, 2)));
    if (isTooSharpForGrid(c.Qms, c.gridStep))
        addFlag(r, TsFlagCode::PeakTooSharp,
                M::peakTooSharp(worksheetFixed(c.Fs / c.Qms, 2),
                                worksheetFixed(kSharpPeakSteps * c.gridStep * c.Fs, 2),
                                c.lorentzPoints));
    double minimum = INFINITY;
    for (int i = freeAt.first; i <= freeAt.last; ++i)
        minimum = std::min(minimum, double(free.r[i]));
    if (c.Re > minimum)
        addFlag(r, TsFlagCode::ReAboveMinimum,
                M::reAboveMinimum(worksheetShort(c.Re), worksheetFixed(minimum, 2)));
    const double centre = std::sqrt(c.f1 * c.f2);
    const double asymmetry = std::fabs(centre - c.Fs) / c.Fs;
    if (asymmetry > kAsymmetryLimit)
        addFlag(r, TsFlagCode::AsymmetricResonance,
                M::asymmetricResonance(worksheetFixed(centre, 2), worksheetFixed(c.Fs, 2),
                                       worksheetFixed(asymmetry * 100.0, 1)));
}

// The warnings on the masses: each shift, and the single results against the dual one.
void flagMasses(TsWorksheetResult &r)
{
    for (const TsSingleMassResult &s : r.singleMass)
        flagMassShift(r, s);
    const bool closeMasses = r.dualMass && r.dualMass->m2 / r.dualMass->m1 < kLeastMassRatio;
    if (closeMasses)
        addFlag(r, TsFlagCode::MassRatioSmall,
                M::massRatioSmall(worksheetFixed(r.dualMass->m2 / r.dualMass->m1, 2),
                                  worksheetShort(2.0 * r.dualMass->m1 * 1e3)));
    if (!r.dualMass)
        return;
    const double dualMms = r.dualMass->set.Mms;
    // Compared only against a dual value that the masses can give.
    for (const TsSingleMassResult &s : r.singleMass) {
        const double off = std::fabs(s.set.Mms / dualMms - 1.0);
        const double scatter = std::max(
            kDisagreeFloor, kDisagreeSigmas * std::hypot(s.mmsSigma, r.dualMass->fit.mmsSigma));
        if (!closeMasses && off > scatter)
            addFlag(r, TsFlagCode::SingleDualDisagree,
                    M::singleDualDisagree(
                        worksheetShort(s.mass * 1e3), worksheetFixed(s.set.Mms * 1e3, 2),
                        worksheetFixed(dualMms * 1e3, 2), worksheetFixed(off * 100.0, 1),
                        worksheetFixed(scatter * 100.0, 1)));
    }
    if (r.dualMass->fit.consistency > kConsistencyLimit)
        addFlag(r, TsFlagCode::DualMassInconsistent,
                M::dualMassInconsistent(worksheetFixed(r.dualMass->fit.consistency * 100.0, 1)));
}

// Every method on the curves as given; the first problem refuses the whole sheet.
TsWorksheetResult computeSheet(const TsWorksheetInput &in)
{
    TsWorksheetResult r;
    r.tempC = in.tempC;
    r.pressureHPa = in.pressureHPa;
    r.humidityPct = in.humidityPct;
    r.airGiven = in.airGiven.has_value();
    r.coil = in.coil;
    r.typed = in.typed.has_value();
    Located freeAt;
    QString problem = checkNumbers(in, r);
    if (in.typed) {
        if (problem.isEmpty())
            problem = typedValues(in, r);
        if (!problem.isEmpty())
            refuse(r, problem);
        else
            flagMasses(r);
        return r;
    }
    if (problem.isEmpty())
        problem = freeAirValues(in, r, &freeAt);
    if (problem.isEmpty())
        problem = singleMasses(in, freeAt, r);
    if (problem.isEmpty())
        problem = sealedBox(in, freeAt, r);
    if (!problem.isEmpty()) {
        refuse(r, problem);
        return r;
    }
    dualMass(in, freeAt, r);
    flagFreeAir(in, freeAt, r);
    flagMasses(r);
    return r;
}

// The worksheet's curves less the fitted coil, kept alive for one computation.
class CoilFree
{
public:
    CoilFree(const TsWorksheetInput &in, const FitResult &fit) : m_input(in)
    {
        m_input.fit = nullptr;
        correct(m_input.freeAir, fit, in.re);
        for (TsMassInput &m : m_input.masses)
            correct(m.curve, fit, in.re);
        if (m_input.box)
            correct(m_input.box->curve, fit, in.re);
    }
    const TsWorksheetInput &input() const { return m_input; }

private:
    void correct(TsCurve &c, const FitResult &fit, double re)
    {
        int first = 0;
        int last = 0;
        if (!c.raw || !analysisRange(*c.raw, c.band, &first, &last))
            return; // refused as it is
        m_curves.push_back(std::make_unique<CurveBlock>());
        removeCoil(*c.raw, first, last, fit, re, *m_curves.back());
        c.raw = m_curves.back().get();
    }

    TsWorksheetInput m_input;
    std::vector<std::unique_ptr<CurveBlock>> m_curves;
};

bool takenFromCurve(TsFlagCode code)
{
    // The analysis window's peak and the lowest |Z| belong to the measured curve itself.
    return code == TsFlagCode::NotMainResonance || code == TsFlagCode::ReAboveMinimum;
}

} // namespace

TsWorksheetResult computeWorksheet(const TsWorksheetInput &in)
{
    TsWorksheetResult r = computeSheet(in);
    if (!r.refusal.isEmpty() || in.typed || !in.fit || !canRemoveCoil(*in.fit))
        return r;
    const CoilFree curves(in, *in.fit);
    TsWorksheetResult m = computeSheet(curves.input());
    if (!m.refusal.isEmpty())
        return r; // the classic basis stands
    m.motional = m.classic;
    m.classic = r.classic;
    m.fitModel = in.fit->model;
    QVector<TsFlag> flags;
    for (const TsFlag &f : std::as_const(r.flags))
        if (takenFromCurve(f.code))
            flags.append(f);
    for (const TsFlag &f : std::as_const(m.flags))
        if (!takenFromCurve(f.code))
            flags.append(f);
    m.flags = flags;
    return m;
}
