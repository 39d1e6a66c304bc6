#include "core/analysis/fit/FitMessages.h"

#include <QCoreApplication>

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
        return QCoreApplication::translate(
                   "FitMessages",
                   "too few points to fit the %1 model: %2 in the range, it needs at "
                   "least %3")
            .arg(fitModelName(r.model))
            .arg(r.points)
            .arg(needed);
    case FitOutcome::NoResonance:
        return QCoreApplication::translate(
            "FitMessages", "no resonance in the range: no peak of |Z| stands above the curve "
                           "on both sides");
    case FitOutcome::BadRe:
        return QCoreApplication::translate(
            "FitMessages", "Re must be a number above 0 and below the resonance peak");
    case FitOutcome::NoConvergence:
        return QCoreApplication::translate("FitMessages",
                                           "the %1 model does not converge on this curve")
            .arg(fitModelName(r.model));
    }
    return {};
}

namespace {
const char *const kGradeNames[] = {
    QT_TRANSLATE_NOOP("FitMessages", "excellent"), QT_TRANSLATE_NOOP("FitMessages", "good"),
    QT_TRANSLATE_NOOP("FitMessages", "fair"), QT_TRANSLATE_NOOP("FitMessages", "poor")};
} // namespace

QString gradeKey(FitGrade grade)
{
    return QLatin1String(kGradeNames[int(grade)]);
}

QString gradeName(FitGrade grade)
{
    return QCoreApplication::translate("FitMessages", kGradeNames[int(grade)]);
}

QString gradeLimits(FitGrade grade, bool phaseUsed)
{
    const int g = int(grade);
    if (g >= int(std::size(kFitGradeLimits))) {
        const FitGradeLimit &last = kFitGradeLimits[std::size(kFitGradeLimits) - 1];
        return phaseUsed
                   ? QCoreApplication::translate("FitMessages", "|Z| above %1 % or phase above %2°")
                         .arg(last.magPct)
                         .arg(last.phaseDeg)
                   : QCoreApplication::translate("FitMessages", "|Z| above %1 %").arg(last.magPct);
    }
    const FitGradeLimit &l = kFitGradeLimits[g];
    return phaseUsed ? QCoreApplication::translate("FitMessages", "|Z| ≤ %1 % and phase ≤ %2°")
                           .arg(l.magPct)
                           .arg(l.phaseDeg)
                     : QCoreApplication::translate("FitMessages", "|Z| ≤ %1 %").arg(l.magPct);
}

QString gradeCap(const FitResult &r, const QStringList &weakNames)
{
    QStringList why;
    if (!weakNames.isEmpty())
        why << QCoreApplication::translate(
                   "FitMessages", "the curve does not determine %1 (standard error above %2 %)")
                   .arg(weakNames.join(QStringLiteral(", ")))
                   .arg(100.0 * kFitParamLimit);
    QStringList loose;
    const std::pair<const char *, double FitDerived::*> derived[] = {
        {"Fs", &FitDerived::Fs}, {"Qms", &FitDerived::Qms}, {"Qes", &FitDerived::Qes}};
    for (const auto &[name, member] : derived)
        if (!(r.derivedStderr.*member <= kFitDerivedLimit * std::fabs(r.derived.*member)))
            loose << QLatin1String(name);
    if (!loose.isEmpty())
        why << QCoreApplication::translate("FitMessages", "%1 with a standard error above %2 %")
                   .arg(loose.join(QStringLiteral(", ")))
                   .arg(100.0 * kFitDerivedLimit);
    return QCoreApplication::translate("FitMessages", "graded at most %1: %2")
        .arg(gradeName(r.grade), why.join(QStringLiteral("; ")));
}

QString wideningNote(double lag1)
{
    return QCoreApplication::translate(
               "FitMessages", "standard errors widened by √((1 + ρ)/(1 − ρ)) for residuals that "
                              "follow each other, ρ = %1")
        .arg(QString::number(lag1, 'f', 3));
}

QString pinnedValue()
{
    return QStringLiteral("—");
}

QString pinnedNote()
{
    return QCoreApplication::translate(
        "FitMessages", "ran off (the curve has no use for it): held at its limit, not fitted");
}

QString rowWidening()
{
    return QCoreApplication::translate("FitMessages", "error widening");
}

QString magnitudeOnly()
{
    return QCoreApplication::translate("FitMessages",
                                       "the curve has no phase: fitted on |Z| alone");
}

QString rowModel()
{
    return QCoreApplication::translate("FitMessages", "model");
}
QString rowPoints()
{
    return QCoreApplication::translate("FitMessages", "points");
}
QString rowRmsMag()
{
    return QCoreApplication::translate("FitMessages", "RMS error |Z|");
}
QString rowRmsPhase()
{
    return QCoreApplication::translate("FitMessages", "RMS error phase");
}
QString rowGrade()
{
    return QCoreApplication::translate("FitMessages", "grade");
}
QString rowIterations()
{
    return QCoreApplication::translate("FitMessages", "iterations");
}
QString reFixedNote()
{
    return QCoreApplication::translate("FitMessages", "fixed");
}
QString notDetermined()
{
    return QCoreApplication::translate("FitMessages", "not determined");
}

} // namespace FitMessages
