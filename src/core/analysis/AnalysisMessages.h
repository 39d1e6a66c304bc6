#pragma once

#include "core/analysis/ThieleSmall.h"

#include <QString>

// Every text and caption that the analysis windows show in their own message boxes. (Asking
// for the analysis without a measurement is the program's own msgNoData.)
namespace AnalysisMessages {

QString noPeak();
QString peakCaption(); // caption of the peak search's box
QString badRe();
QString reEntryCaption(); // caption when the typed Re is not a number
QString tsCaption();      // caption of every box of the computation itself
QString noF1();
QString noF2();
QString badF1F2();

// Text and caption for a failed computation (nothing for TsResult::Ok).
struct Box {
    QString text;
    QString caption;
};
Box forResult(TsResult result);

} // namespace AnalysisMessages
