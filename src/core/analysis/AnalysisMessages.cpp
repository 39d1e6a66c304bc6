#include "core/analysis/AnalysisMessages.h"

#include <QCoreApplication>

namespace AnalysisMessages {

QString noPeak()
{
    return QCoreApplication::translate("AnalysisMessages", "ピークは検出できませんでした");
}
QString peakCaption()
{
    return QCoreApplication::translate("AnalysisMessages", "ピーク値の計算");
}
QString badRe()
{
    return QCoreApplication::translate("AnalysisMessages", "Re の値が正しくありません");
}
QString reEntryCaption()
{
    return QCoreApplication::translate("AnalysisMessages", "Re の値の入力");
}
QString tsCaption()
{
    return QCoreApplication::translate("AnalysisMessages", "Ts の計算");
}
QString noF1()
{
    return QCoreApplication::translate("AnalysisMessages", "f1 が求まりませんでした");
}
QString noF2()
{
    return QCoreApplication::translate("AnalysisMessages", "f2 が求まりませんでした");
}
QString badF1F2()
{
    return QCoreApplication::translate("AnalysisMessages", "f1,f2 が正しく計算できませんでした");
}

Box forResult(TsResult result)
{
    switch (result) {
    case TsResult::Ok:
        return {};
    case TsResult::NoPeak:
        return {noPeak(), peakCaption()};
    case TsResult::BadRe:
        return {badRe(), tsCaption()};
    case TsResult::NoF1:
        return {noF1(), tsCaption()};
    case TsResult::NoF2:
        return {noF2(), tsCaption()};
    case TsResult::BadF1F2:
        return {badF1F2(), tsCaption()};
    }
    return {};
}

} // namespace AnalysisMessages
