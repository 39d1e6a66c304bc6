#include "core/qc/grr/GaugeStudy.h"

#include "core/analysis/population/FDistribution.h"
#include "core/qc/grr/GaugeMessages.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// ndc = 1.41 PV / GRR: the manual's √2, rounded as it prints it.
constexpr double kNdcFactor = 1.41;

// The values in a p × o × r cube, each cell filled once.
struct Cube {
    int parts = 0;
    int appraisers = 0;
    int trials = 0;
    std::vector<double> y;
    double at(int i, int j, int k) const { return y[(size_t(i) * appraisers + j) * trials + k]; }
};

QString fillCube(const QVector<GaugeValue> &values, const GaugeShape &shape, bool fixed, Cube *c)
{
    c->parts = int(shape.parts.size());
    c->appraisers = int(shape.appraisers.size());
    c->trials = shape.trials;
    c->y.assign(size_t(c->parts) * c->appraisers * c->trials, kNaN);
    std::vector<bool> seen(c->y.size(), false);
    for (const GaugeValue &v : values) {
        const qsizetype i = shape.parts.indexOf(v.part);
        const qsizetype j = shape.appraisers.indexOf(v.appraiser);
        if (i < 0 || j < 0 || v.trial < 1 || v.trial > c->trials) {
            if (fixed)
                return GaugeMessages::notInStudy(v.part, v.appraiser, v.trial);
            continue;
        }
        const size_t at = (size_t(i) * c->appraisers + size_t(j)) * c->trials + (v.trial - 1);
        if (seen[at])
            return GaugeMessages::repeatedCell(v.part, v.appraiser, v.trial);
        if (!std::isfinite(v.value))
            return GaugeMessages::notANumber(v.part, v.appraiser, v.trial);
        seen[at] = true;
        c->y[at] = v.value;
    }
    const auto missing = std::count(seen.begin(), seen.end(), false);
    if (missing == 0)
        return QString();
    const size_t first = size_t(std::find(seen.begin(), seen.end(), false) - seen.begin());
    const int k = int(first % c->trials);
    const int j = int(first / c->trials % c->appraisers);
    const int i = int(first / c->trials / c->appraisers);
    return GaugeMessages::missingCell(shape.parts[i], shape.appraisers[j], k + 1, int(missing - 1));
}

// Parts and operators in the order first met; trials 1 to the highest number given.
GaugeShape shapeOf(const QVector<GaugeValue> &values)
{
    GaugeShape s;
    for (const GaugeValue &v : values) {
        if (!s.parts.contains(v.part))
            s.parts << v.part;
        if (!s.appraisers.contains(v.appraiser))
            s.appraisers << v.appraiser;
        s.trials = std::max(s.trials, v.trial);
    }
    return s;
}

AnovaRow row(AnovaSource source, int df, double ss)
{
    return {source, df, ss, source == AnovaSource::Total ? kNaN : ss / df, kNaN, kNaN};
}

void test(AnovaRow *r, const AnovaRow &against)
{
    r->f = r->ms / against.ms;
    r->p = FDistribution::upperTail(r->f, r->df, against.df);
}

double pct(double part, double total)
{
    return 100.0 * part / total;
}

} // namespace

GaugeVerdict gaugeVerdict(double grrPct)
{
    if (grrPct <= 10.0)
        return GaugeVerdict::Acceptable;
    if (grrPct <= 30.0)
        return GaugeVerdict::Marginal;
    return GaugeVerdict::Unacceptable;
}

QString analyseGaugeStudy(const QVector<GaugeValue> &values, GaugeResult *out,
                          const GaugeShape *shape)
{
    if (values.isEmpty())
        return GaugeMessages::noValues();
    const GaugeShape s = shape ? *shape : shapeOf(values);
    if (s.parts.size() < 2 || s.appraisers.size() < 2 || s.trials < 2)
        return GaugeMessages::tooSmall(int(s.parts.size()), int(s.appraisers.size()), s.trials);
    Cube c;
    if (const QString problem = fillCube(values, s, shape != nullptr, &c); !problem.isEmpty())
        return problem;
    const int p = c.parts;
    const int o = c.appraisers;
    const int r = c.trials;

    // Means of the whole, each part, each operator and each cell.
    std::vector<double> partMean(p, 0.0), appraiserMean(o, 0.0), cellMean(size_t(p) * o, 0.0);
    double grand = 0.0;
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < o; ++j) {
            double sum = 0.0;
            for (int k = 0; k < r; ++k)
                sum += c.at(i, j, k);
            cellMean[size_t(i) * o + j] = sum / r;
            partMean[i] += sum;
            appraiserMean[j] += sum;
            grand += sum;
        }
    grand /= double(p) * o * r;
    for (double &m : partMean)
        m /= double(o) * r;
    for (double &m : appraiserMean)
        m /= double(p) * r;

    // Each sum of squares from its own deviations, none by difference, so none loses digits.
    double ssPart = 0.0, ssAppraiser = 0.0, ssInteraction = 0.0, ssError = 0.0, ssTotal = 0.0;
    for (int i = 0; i < p; ++i)
        ssPart += (partMean[i] - grand) * (partMean[i] - grand);
    ssPart *= double(o) * r;
    for (int j = 0; j < o; ++j)
        ssAppraiser += (appraiserMean[j] - grand) * (appraiserMean[j] - grand);
    ssAppraiser *= double(p) * r;
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < o; ++j) {
            const double cell = cellMean[size_t(i) * o + j];
            const double d = cell - partMean[i] - appraiserMean[j] + grand;
            ssInteraction += d * d;
            for (int k = 0; k < r; ++k) {
                ssError += (c.at(i, j, k) - cell) * (c.at(i, j, k) - cell);
                ssTotal += (c.at(i, j, k) - grand) * (c.at(i, j, k) - grand);
            }
        }
    ssInteraction *= r;
    if (!(ssTotal > 0.0))
        return GaugeMessages::noVariation();

    GaugeResult res;
    res.shape = s;
    AnovaRow part = row(AnovaSource::Part, p - 1, ssPart);
    AnovaRow appraiser = row(AnovaSource::Appraiser, o - 1, ssAppraiser);
    AnovaRow interaction = row(AnovaSource::Interaction, (p - 1) * (o - 1), ssInteraction);
    const AnovaRow error = row(AnovaSource::Repeatability, p * o * (r - 1), ssError);
    const AnovaRow total = row(AnovaSource::Total, p * o * r - 1, ssTotal);
    // With the interaction in the model, parts and operators are tested against it.
    test(&part, interaction);
    test(&appraiser, interaction);
    test(&interaction, error);
    res.anova = {part, appraiser, interaction, error, total};
    res.interactionPooled = interaction.p > kGaugePoolAboveP;

    double varError = error.ms;
    double varInteraction = std::max(0.0, (interaction.ms - error.ms) / r);
    double against = interaction.ms; // what parts and operators are measured above
    if (res.interactionPooled) {
        AnovaRow pooledPart = row(AnovaSource::Part, part.df, ssPart);
        AnovaRow pooledAppraiser = row(AnovaSource::Appraiser, appraiser.df, ssAppraiser);
        const AnovaRow pooled =
            row(AnovaSource::Repeatability, error.df + interaction.df, ssError + ssInteraction);
        test(&pooledPart, pooled);
        test(&pooledAppraiser, pooled);
        res.anovaPooled = {pooledPart, pooledAppraiser, pooled, total};
        varError = pooled.ms;
        varInteraction = 0.0;
        against = pooled.ms;
    }
    const double varAppraiser = std::max(0.0, (appraiser.ms - against) / (double(p) * r));
    const double varPart = std::max(0.0, (part.ms - against) / (double(o) * r));

    res.ev = std::sqrt(varError);
    res.av = std::sqrt(varAppraiser);
    res.interaction = std::sqrt(varInteraction);
    res.grr = std::sqrt(varError + varAppraiser + varInteraction);
    res.pv = std::sqrt(varPart);
    res.tv = std::sqrt(varError + varAppraiser + varInteraction + varPart);
    res.evPct = pct(res.ev, res.tv);
    res.avPct = pct(res.av, res.tv);
    res.interactionPct = pct(res.interaction, res.tv);
    res.grrPct = pct(res.grr, res.tv);
    res.pvPct = pct(res.pv, res.tv);
    res.ndc = res.grr > 0.0 ? std::floor(kNdcFactor * res.pv / res.grr) : kNaN;
    res.verdict = gaugeVerdict(res.grrPct);
    *out = res;
    return QString();
}
