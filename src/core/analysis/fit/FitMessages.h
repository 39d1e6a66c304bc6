#pragma once

#include "core/analysis/fit/ImpedanceFit.h"

#include <QString>
#include <QStringList>

// Every text of the model fit: why a fit gave no result, grade names, row names and notes.
namespace FitMessages {

// One line for a fit without result (nothing for FitOutcome::Ok).
QString outcomeText(const FitResult &r);
QString gradeKey(FitGrade grade);  // "excellent", "good", "fair", "poor": the JSON's value
QString gradeName(FitGrade grade); // the same in the window's language
// The limits of a grade, e.g. "|Z| ≤ 2 % and phase ≤ 1°".
QString gradeLimits(FitGrade grade, bool phaseUsed);
QString magnitudeOnly(); // note of a curve without phase
// Why the grade is below the residuals' own: weakNames are the parameters the curve does not
// determine.
QString gradeCap(const FitResult &r, const QStringList &weakNames);
// How and by what lag-1 autocorrelation the standard errors were widened.
QString wideningNote(double lag1);
QString pinnedValue(); // shown instead of a pinned parameter's value
QString pinnedNote();

// row names of the result table
QString rowModel();
QString rowPoints();
QString rowRmsMag();
QString rowRmsPhase();
QString rowGrade();
QString rowIterations();
QString rowWidening();
QString reFixedNote();
QString notDetermined(); // a standard error the curve does not give

} // namespace FitMessages
