#include "core/analysis/fit/FitMessages.h"

#include <cmath>
#include <utility>

namespace FitMessages {

QString outcomeText(const FitResult &r)
{
    const int needed = fitMinimumPoints(fitParamCount(r.model) - (r.reFixed ? 1 : 0));
    switch (r.outcome) {
    case FitOutcome::Ok:
        return {};
    case FitOutcome::TooFewPoints:
        return QStringLiteral("too few points to fit the %1 model: %2 in the range, it needs at "
                              "least %3")
            .arg(fitModelName(r.model))
            .arg(r.points)
            .arg(needed);
    case FitOutcome::NoResonance:
        return QStringLiteral("no resonance in the range: no peak of |Z| stands above the curve "
                              "on both sides");
    case FitOutcome::BadRe:
        return QStringLiteral("Re must be a number above 0 and below the resonance peak");
    case FitOutcome::NoConvergence:
        return QStringLiteral("the %1 model does not converge on this curve")
            .arg(fitModelName(r.model));
    }
    return {};
}

QString gradeName(FitGrade grade)
{
    switch (grade) {
    case FitGrade::Excellent:
        return QStringLiteral("excellent");
    case FitGrade::Good:
        return QStringLiteral("good");
    case FitGrade::Fair:
        return QStringLiteral("fair");
    case FitGrade::Poor:
        return QStringLiteral("poor");
    }
    return {};
}

QString gradeLimits(FitGrade grade, bool phaseUsed)
{
    const int g = int(grade);
    if (g >= int(std::size(kFitGradeLimits))) {
        const FitGradeLimit &last = kFitGradeLimits[std::size(kFitGradeLimits) - 1];
        return phaseUsed ? QStringLiteral("|Z| above %1 % or phase above %2°")
                               .arg(last.magPct)
                               .arg(last.phaseDeg)
                         : QStringLiteral("|Z| above %1 %").arg(last.magPct);
    }
    const FitGradeLimit &l = kFitGradeLimits[g];
    return phaseUsed ? QStringLiteral("|Z| ≤ %1 % and phase ≤ %2°").arg(l.magPct).arg(l.phaseDeg)
                     : QStringLiteral("|Z| ≤ %1 %").arg(l.magPct);
}

QString gradeCap(const FitResult &r, const QStringList &weakNames)
{
    QStringList why;
    if (!weakNames.isEmpty())
        why << QStringLiteral("the curve does not determine %1 (standard error above %2 %)")
                   .arg(weakNames.join(QStringLiteral(", ")))
                   .arg(100.0 * kFitParamLimit);
    QStringList loose;
    const std::pair<const char *, double FitDerived::*> derived[] = {
        {"Fs", &FitDerived::Fs}, {"Qms", &FitDerived::Qms}, {"Qes", &FitDerived::Qes}};
    for (const auto &[name, member] : derived)
        if (!(r.derivedStderr.*member <= kFitDerivedLimit * std::fabs(r.derived.*member)))
            loose << QLatin1String(name);
    if (!loose.isEmpty())
        why << QStringLiteral("%1 with a standard error above %2 %")
                   .arg(loose.join(QStringLiteral(", ")))
                   .arg(100.0 * kFitDerivedLimit);
    return QStringLiteral("graded at most %1: %2")
        .arg(gradeName(r.grade), why.join(QStringLiteral("; ")));
}

QString wideningNote(double lag1)
{
    return QStringLiteral("standard errors widened by √((1 + ρ)/(1 − ρ)) for residuals that "
                          "follow each other, ρ = %1")
        .arg(QString::number(lag1, 'f', 3));
}

QString pinnedValue()
{
    return QStringLiteral("—");
}

QString pinnedNote()
{
    return QStringLiteral("ran off (the curve has no use for it): held at its limit, not fitted");
}

QString rowWidening()
{
    return QStringLiteral("error widening");
}

QString magnitudeOnly()
{
    return QStringLiteral("the curve has no phase: fitted on |Z| alone");
}

QString rowModel()
{
    return QStringLiteral("model");
}
QString rowPoints()
{
    return QStringLiteral("points");
}
QString rowRmsMag()
{
    return QStringLiteral("RMS error |Z|");
}
QString rowRmsPhase()
{
    return QStringLiteral("RMS error phase");
}
QString rowGrade()
{
    return QStringLiteral("grade");
}
QString rowIterations()
{
    return QStringLiteral("iterations");
}
QString reFixedNote()
{
    return QStringLiteral("fixed");
}
QString notDetermined()
{
    return QStringLiteral("not determined");
}

} // namespace FitMessages
