#pragma once

#include "core/analysis/fit/ImpedanceFit.h"

#include <QString>

// Every text of the model fit: why a fit gave no result, grade names, row names and notes.
namespace FitMessages {

// One line for a fit without result (nothing for FitOutcome::Ok).
QString outcomeText(const FitResult &r);
QString gradeName(FitGrade grade); // "excellent", "good", "fair", "poor"
// The limits of a grade, e.g. "|Z| ≤ 2 % and phase ≤ 1°".
QString gradeLimits(FitGrade grade, bool phaseUsed);
QString magnitudeOnly(); // note of a curve without phase

// row names of the result table
QString rowModel();
QString rowPoints();
QString rowRmsMag();
QString rowRmsPhase();
QString rowGrade();
QString rowIterations();
QString reFixedNote();
QString notDetermined(); // a standard error the curve does not give

} // namespace FitMessages
