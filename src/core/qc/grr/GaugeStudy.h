#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// A crossed gauge study (every operator measures every part the same number of times) worked
// out by the ANOVA method of the AIAG measurement systems manual: the two-way table with the
// part × operator interaction, the interaction pooled into repeatability when its p > 0.25,
// and the variation of each source as a standard deviation and a share of the total.

struct GaugeValue {
    QString part;
    QString appraiser; // the operator
    int trial = 0;     // 1, 2, ...
    double value = 0.0;
};

// What a study was set up as; values outside it are refused, cells it lacks are missing.
struct GaugeShape {
    QStringList parts;
    QStringList appraisers;
    int trials = 0;
};

enum class AnovaSource { Part, Appraiser, Interaction, Repeatability, Total };

struct AnovaRow {
    AnovaSource source = AnovaSource::Total;
    int df = 0;
    double ss = 0.0;
    double ms = 0.0; // NaN for the total
    double f = 0.0;  // NaN where the table has none (repeatability, total)
    double p = 0.0;  // P(F > f); NaN with f
};

enum class GaugeVerdict { Acceptable, Marginal, Unacceptable };

struct GaugeResult {
    GaugeShape shape;
    // part, operator, part × operator, repeatability, total
    QVector<AnovaRow> anova;
    // Without the interaction (part, operator, repeatability, total): filled when it is pooled.
    QVector<AnovaRow> anovaPooled;
    bool interactionPooled = false;
    // Standard deviations: repeatability (EV), reproducibility (AV), interaction, their
    // root sum of squares GRR, part variation PV and the total TV.
    double ev = 0.0;
    double av = 0.0;
    double interaction = 0.0;
    double grr = 0.0;
    double pv = 0.0;
    double tv = 0.0;
    // each as a percentage of TV
    double evPct = 0.0;
    double avPct = 0.0;
    double interactionPct = 0.0;
    double grrPct = 0.0;
    double pvPct = 0.0;
    double ndc = 0.0; // floor(1.41 PV / GRR); NaN when GRR is 0
    GaugeVerdict verdict = GaugeVerdict::Acceptable;
};

// The interaction goes into repeatability above this p, as the AIAG manual advises.
constexpr double kGaugePoolAboveP = 0.25;

// %GRR up to 10 acceptable, up to 30 marginal, above that not acceptable.
GaugeVerdict gaugeVerdict(double grrPct);

// Puts the values in their cells and works the study out. Without a shape, the parts and
// operators are those named, in the order first met, and the trials those numbered. The
// problem's text (GaugeMessages) when the study cannot be worked out: too few parts, operators
// or trials, a cell missing or given twice, a value not a number, no variation at all.
QString analyseGaugeStudy(const QVector<GaugeValue> &values, GaugeResult *out,
                          const GaugeShape *shape = nullptr);
