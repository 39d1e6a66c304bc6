#include "core/analysis/AnalysisMessages.h"

namespace AnalysisMessages {

QString noPeak()
{
    return QStringLiteral("ピークは検出できませんでした");
}
QString peakCaption()
{
    return QStringLiteral("ピーク値の計算");
}
QString badRe()
{
    return QStringLiteral("Re の値が正しくありません");
}
QString reEntryCaption()
{
    return QStringLiteral("Re の値の入力");
}
QString tsCaption()
{
    return QStringLiteral("Ts の計算");
}
QString noF1()
{
    return QStringLiteral("f1 が求まりませんでした");
}
QString noF2()
{
    return QStringLiteral("f2 が求まりませんでした");
}
QString badF1F2()
{
    return QStringLiteral("f1,f2 が正しく計算できませんでした");
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
