#include "core/analysis/TsUncertainty.h"

#include "core/analysis/MainResonance.h"
#include "core/analysis/PeakSearch.h"
#include "core/analysis/RefinedResonance.h"
#include "core/analysis/WorksheetFormat.h"
#include "core/analysis/WorksheetMessages.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <memory>

namespace M = WorksheetMessages;

namespace {

const double kSqrt3 = std::sqrt(3.0);
const double kSqrt12 = std::sqrt(12.0);

// Curves made for one computation with moved frequencies.
using CurveStore = std::vector<std::unique_ptr<CurveBlock>>;

// One input of the budget: its standard uncertainty and how to move it by an offset.
struct Source {
    QString id;
    double u = 0.0;
    std::function<void(TsWorksheetInput &, double, CurveStore &)> move;
};

// A copy of the curve with every frequency scaled by 1 + offset: the grid's place moved.
void scaleFrequencies(TsCurve &curve, double offset, CurveStore &store)
{
    if (!curve.raw)
        return;
    store.push_back(std::make_unique<CurveBlock>(*curve.raw));
    CurveBlock &c = *store.back();
    for (float &f : c.freq)
        f = float(double(f) * (1.0 + offset));
    curve.raw = &c;
}

// The grid point of a curve nearest to hz, within its analysis range; false without one.
bool nearestPoint(const TsCurve &curve, double hz, int *first, int *last, int *k)
{
    if (!curve.raw || !analysisRange(*curve.raw, curve.band, first, last))
        return false;
    *k = *first;
    for (int i = *first; i <= *last; ++i)
        if (std::fabs(curve.raw->freq[i] - hz) < std::fabs(curve.raw->freq[*k] - hz))
            *k = i;
    return true;
}

// A resonance as the classic values describe it: |Re + Rm / (1 + jQ·(f/F − F/f))|.
struct ModelPeak {
    double re = 0.0;
    double rm = 0.0; // Rmax - Re
    double q = 0.0;  // Qms
    double fs = 0.0;
    bool lorentz = false; // refined by the Lorentzian rather than the parabola
};

// What the grid leaves in the refined resonance: the same refinement run on the model peak set
// at 16 places across one grid step of this curve, as the rms of where it lands. A parabola on
// a Q of 3 lands within thousandths of a percent; the raw grid point would be off by s/√12.
double gridResidual(const TsCurve &curve, const ModelPeak &p)
{
    int first = 0;
    int last = 0;
    int k = 0;
    if (!nearestPoint(curve, p.fs, &first, &last, &k) || !(p.rm > 0.0) || !(p.q > 0.0))
        return 0.0;
    const double step = gridStepAt(*curve.raw, first, last, k);
    if (!(step > 0.0))
        return 0.0;
    auto model = std::make_unique<CurveBlock>(*curve.raw);
    constexpr int kPlaces = 16;
    double squares = 0.0;
    int count = 0;
    for (int i = 0; i < kPlaces; ++i) {
        const double fs = p.fs * std::pow(1.0 + step, (i + 0.5) / kPlaces - 0.5);
        int top = first;
        for (int j = first; j <= last; ++j) {
            const double f = model->freq[j];
            model->r[j] =
                float(std::abs(p.re + p.rm / std::complex<double>(1.0, p.q * (f / fs - fs / f))));
            if (model->r[j] > model->r[top])
                top = j;
        }
        double found = 0.0;
        double zmax = 0.0;
        RefinedTs traced;
        if (p.lorentz && lorentzianTs(*model, first, last, top, p.re, &traced))
            found = traced.Fs;
        else
            refinedPeak(*model, first, last, top, &found, &zmax);
        squares += std::pow(found / fs - 1.0, 2);
        ++count;
    }
    return std::sqrt(squares / count);
}

// The curve's own noise carried into its refined resonance (relative).
double noiseTerm(const TsCurve &curve, double hz)
{
    int first = 0;
    int last = 0;
    int k = 0;
    return nearestPoint(curve, hz, &first, &last, &k)
               ? peakFrequencySigma(*curve.raw, first, last, k)
               : 0.0;
}

// Both terms of one measured curve, each moving that curve's frequencies.
using CurveOf = std::function<TsCurve &(TsWorksheetInput &)>;
void appendCurveTerms(QVector<Source> &s, const QString &name, const TsCurve &curve,
                      const ModelPeak &peak, const CurveOf &of)
{
    auto move = [of](TsWorksheetInput &p, double d, CurveStore &c) {
        scaleFrequencies(of(p), d, c);
    };
    s.append({QStringLiteral("grid-") + name, gridResidual(curve, peak), move});
    s.append({QStringLiteral("noise-") + name, noiseTerm(curve, peak.fs), move});
}

QVector<Source> typeBSources(const TsWorksheetInput &in, const TsWorksheetResult &r,
                             const TsTolerances &tol, bool grid)
{
    QVector<Source> s;
    s.append({QStringLiteral("Re"), tol.re / kSqrt3,
              [](TsWorksheetInput &p, double d, CurveStore &) { p.re += d; }});
    for (int i = 0; i < in.masses.size(); ++i)
        s.append({QStringLiteral("mass%1").arg(i + 1), tol.massResolution / kSqrt12,
                  [i](TsWorksheetInput &p, double d, CurveStore &) { p.masses[i].grams += d; }});
    // Sd relative, whether typed or from the diameter.
    s.append({QStringLiteral("Sd"), tol.sdPct / 100.0 / kSqrt3,
              [](TsWorksheetInput &p, double d, CurveStore &) {
                  if (p.sdM2 > 0.0)
                      p.sdM2 *= 1.0 + d;
                  else
                      p.diameterMm *= std::sqrt(1.0 + d);
              }});
    s.append({QStringLiteral("diameter"), in.sdM2 > 0.0 ? 0.0 : tol.diameter / kSqrt3,
              [](TsWorksheetInput &p, double d, CurveStore &) { p.diameterMm += d; }});
    // ρ and c move as constants even when the air comes from its conditions.
    const Air air = r.air;
    s.append({QStringLiteral("rho"), tol.rho / kSqrt3,
              [air](TsWorksheetInput &p, double d, CurveStore &) {
                  p.airGiven = p.airGiven.value_or(air);
                  p.airGiven->rho += d;
              }});
    s.append(
        {QStringLiteral("c"), tol.c / kSqrt3, [air](TsWorksheetInput &p, double d, CurveStore &) {
             p.airGiven = p.airGiven.value_or(air);
             p.airGiven->c += d;
         }});
    if (!in.airGiven) {
        s.append({QStringLiteral("temp"), tol.tempC / kSqrt3,
                  [](TsWorksheetInput &p, double d, CurveStore &) { p.tempC += d; }});
        s.append({QStringLiteral("pressure"), tol.pressureHPa / kSqrt3,
                  [](TsWorksheetInput &p, double d, CurveStore &) { p.pressureHPa += d; }});
        s.append({QStringLiteral("humidity"), tol.humidityPct / kSqrt3,
                  [](TsWorksheetInput &p, double d, CurveStore &) { p.humidityPct += d; }});
    }
    if (in.coil)
        s.append({QStringLiteral("coilTemp"), tol.coilTempC / kSqrt3,
                  [](TsWorksheetInput &p, double d, CurveStore &) { p.coil->tempC += d; }});
    if (!grid || in.typed)
        return s;
    const RefinedTs &c = r.classic;
    appendCurveTerms(s, QStringLiteral("free-air"), in.freeAir,
                     {c.Re, c.Rmax - c.Re, c.Qms, c.Fs, c.lorentzPoints > 0},
                     [](TsWorksheetInput &p) -> TsCurve & { return p.freeAir; });
    // A mass keeps the peak's height Bl²/Rms; its Q rises as Fs falls.
    for (int i = 0; i < in.masses.size() && i < r.singleMass.size(); ++i) {
        const double loaded = r.singleMass[i].fsLoaded;
        appendCurveTerms(s, QStringLiteral("mass%1").arg(i + 1), in.masses[i].curve,
                         {c.Re, c.Rmax - c.Re, c.Qms * c.Fs / loaded, loaded, c.lorentzPoints > 0},
                         [i](TsWorksheetInput &p) -> TsCurve & { return p.masses[i].curve; });
    }
    if (in.box && r.box) {
        const RefinedTs &b = r.box->box;
        appendCurveTerms(s, QStringLiteral("box"), in.box->curve,
                         {b.Re, b.Rmax - b.Re, b.Qms, b.Fs, b.lorentzPoints > 0},
                         [](TsWorksheetInput &p) -> TsCurve & { return p.box->curve; });
    }
    return s;
}

// The worksheet again with one input moved; false when it refuses.
bool valuesMoved(const TsWorksheetInput &in, const Source &s, double offset,
                 QHash<QString, double> *out)
{
    TsWorksheetInput p = in;
    CurveStore store;
    s.move(p, offset, store);
    const TsWorksheetResult r = computeWorksheet(p);
    if (!r.refusal.isEmpty())
        return false;
    out->clear();
    for (const TsValue &v : worksheetValues(r))
        out->insert(v.name(), v.value);
    return true;
}

// Checks the repeats and gives each value's standard error of the mean, by name.
QString repeatTerms(const TsRepeatValues &repeats, const QVector<TsValue> &values,
                    QHash<QString, double> *out, int *count)
{
    for (const auto &[given, list] : repeats) {
        const QString name = given.contains(QLatin1Char('.')) ? given : "classic." + given;
        const bool known = std::any_of(values.cbegin(), values.cend(),
                                       [&name](const TsValue &v) { return v.name() == name; });
        if (!known)
            return M::repeatsUnknownKey(given);
        const int n = int(list.size());
        double mean = 0.0;
        double u = 0.0;
        if (!repeatMean(list, &mean, &u))
            return n < 2 ? M::repeatsTooFew(given, n) : M::repeatsNotFinite(given);
        out->insert(name, u);
        *count = std::max(*count, n);
    }
    return QString();
}

QString checkTolerances(const TsTolerances &tol)
{
    const std::pair<const char *, double> given[] = {{"Re", tol.re},
                                                     {"scale", tol.massResolution},
                                                     {"Sd", tol.sdPct},
                                                     {"diameter", tol.diameter},
                                                     {"rho", tol.rho},
                                                     {"c", tol.c},
                                                     {"temp", tol.tempC},
                                                     {"pressure", tol.pressureHPa},
                                                     {"humidity", tol.humidityPct},
                                                     {"coilTemp", tol.coilTempC}};
    for (const auto &[id, value] : given)
        if (!std::isfinite(value) || value < 0.0)
            return M::toleranceNotValid(M::budgetSource(QLatin1String(id)), worksheetShort(value));
    return QString();
}

} // namespace

bool repeatMean(const std::vector<double> &values, double *mean, double *standardError)
{
    const int n = int(values.size());
    if (n < 2 ||
        !std::all_of(values.cbegin(), values.cend(), [](double v) { return std::isfinite(v); }))
        return false;
    double sum = 0.0;
    for (double v : values)
        sum += v;
    *mean = sum / n;
    double squares = 0.0;
    for (double v : values)
        squares += (v - *mean) * (v - *mean);
    *standardError = std::sqrt(squares / (n - 1) / n);
    return true;
}

const TsValueUncertainty *TsUncertainty::find(const QString &name) const
{
    for (const TsValueUncertainty &v : values)
        if (v.value.name() == name)
            return &v;
    return nullptr;
}

TsUncertainty worksheetUncertainty(const TsWorksheetInput &in, const TsWorksheetResult &r,
                                   const TsTolerances &tol, const TsRepeatValues &repeats)
{
    TsUncertainty out;
    out.refusal = r.refusal;
    if (out.refusal.isEmpty())
        out.refusal = checkTolerances(tol);
    const QVector<TsValue> base = worksheetValues(r);
    QHash<QString, double> typeA;
    if (out.refusal.isEmpty())
        out.refusal = repeatTerms(repeats, base, &typeA, &out.repeatCount);
    if (!out.refusal.isEmpty())
        return out;

    for (const TsValue &v : base)
        out.values.append({v, 0.0, {}});
    for (const Source &s : typeBSources(in, r, tol, tol.grid && repeats.empty())) {
        if (!(s.u > 0.0))
            continue;
        // A step of ±u, or a tenth of it where the full step leaves the worksheet's limits.
        QHash<QString, double> plus;
        QHash<QString, double> minus;
        double step = 0.0;
        for (double h : {s.u, s.u / 10.0}) {
            if (valuesMoved(in, s, h, &plus) && valuesMoved(in, s, -h, &minus)) {
                step = h;
                break;
            }
        }
        if (!(step > 0.0)) {
            out = TsUncertainty();
            out.refusal = M::toleranceTooLarge(M::budgetSource(s.id));
            return out;
        }
        for (TsValueUncertainty &v : out.values) {
            const QString name = v.value.name();
            if (!plus.contains(name) || !minus.contains(name))
                continue;
            const double part = std::fabs(plus[name] - minus[name]) / 2.0 * (s.u / step);
            // Below a millionth of the value is the rounding of single-precision frequencies,
            // not a dependence on the input.
            if (part > 1e-6 * std::fabs(v.value.value) && std::isfinite(part))
                v.budget.append({s.id, part});
        }
    }
    for (TsValueUncertainty &v : out.values) {
        if (const auto it = typeA.constFind(v.value.name()); it != typeA.cend() && *it > 0.0)
            v.budget.append({QStringLiteral("repeats"), *it});
        std::sort(v.budget.begin(), v.budget.end(),
                  [](const TsBudgetEntry &a, const TsBudgetEntry &b) {
                      return a.contribution > b.contribution;
                  });
        double squares = 0.0;
        for (const TsBudgetEntry &b : v.budget)
            squares += b.contribution * b.contribution;
        v.u = std::sqrt(squares);
    }
    return out;
}

QJsonObject uncertaintyJson(const TsUncertainty &u)
{
    QJsonObject o;
    if (!u.refusal.isEmpty()) {
        o.insert(QStringLiteral("refusal"), u.refusal);
        return o;
    }
    o.insert(QStringLiteral("k"), u.k);
    o.insert(QStringLiteral("repeats"), u.repeatCount);
    QHash<QString, QJsonObject> sections;
    QVector<QJsonObject> single;
    QJsonObject budget;
    QStringList order;
    for (const TsValueUncertainty &v : u.values) {
        const QString key = QStringLiteral("u_") + v.value.key;
        const QJsonValue number = worksheetJsonNumber(v.u, 1);
        if (v.value.index >= 0) {
            single.resize(std::max(int(single.size()), v.value.index + 1));
            single[v.value.index].insert(key, number);
        } else {
            if (!order.contains(v.value.section))
                order << v.value.section;
            sections[v.value.section].insert(key, number);
        }
        QJsonObject parts;
        for (const TsBudgetEntry &b : v.budget)
            parts.insert(b.source, worksheetJsonNumber(b.contribution, 1));
        if (!parts.isEmpty())
            budget.insert(v.value.name(), parts);
    }
    for (const QString &s : order)
        o.insert(s, sections[s]);
    if (!single.isEmpty()) {
        QJsonArray list;
        for (const QJsonObject &s : single)
            list.append(s);
        o.insert(QStringLiteral("singleMass"), list);
    }
    o.insert(QStringLiteral("budget"), budget);
    return o;
}
