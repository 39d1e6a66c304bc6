#include "ui/common/UnitTexts.h"

#include "ui/common/HStatus.h"

#include <QCoreApplication>

namespace UnitTexts {

namespace {

// The main window has always shown these in its status line and boxes; their catalogue
// entries stay under those names.
QString status(const char *text)
{
    return QCoreApplication::translate("HStatus", text);
}
QString box(const char *text)
{
    return QCoreApplication::translate("TH_Message", text);
}

} // namespace

OutcomeText outcomeText(UnitOutcome outcome, const QString &unitName)
{
    constexpr int unitPanel = HStatus::kUnitPanel;
    constexpr int progressPanel = HStatus::kProgressPanel;
    switch (outcome) {
    case UnitOutcome::Ok:
        return {};
    case UnitOutcome::PortOpenFailed:
    case UnitOutcome::PortNotOpen:
        return {status(QT_TRANSLATE_NOOP("HStatus", "通信ポートが開けません")), unitPanel,
                outcome == UnitOutcome::PortOpenFailed ? Box::ComOpenFailed : Box::None};
    case UnitOutcome::PortAccessDenied:
        return {status(QT_TRANSLATE_NOOP("HStatus",
                                         "通信ポートが開けません（アクセス権がありません）")),
                unitPanel, Box::ComOpenFailed};
    case UnitOutcome::UnitNotFound:
        return {status(QT_TRANSLATE_NOOP("HStatus", "%1 が見つかりませんでした")).arg(unitName),
                unitPanel, Box::UnitNotFound};
    case UnitOutcome::ReplyError:
        return {status(QT_TRANSLATE_NOOP("HStatus", "%1 応答エラーです")).arg(unitName),
                progressPanel};
    case UnitOutcome::ModelUnknown:
        return {status(QT_TRANSLATE_NOOP("HStatus", "HK-A, HK-A2 が見つかりませんでした")),
                unitPanel};
    case UnitOutcome::Uncalibrated:
        return {status(QT_TRANSLATE_NOOP("HStatus", "%1 未校正です")).arg(unitName), progressPanel};
    case UnitOutcome::BandUnsupported:
        return {box(QT_TRANSLATE_NOOP("TH_Message", "HK-Aが対応していない測定周波数帯域です")), -1,
                Box::BandUnsupported};
    case UnitOutcome::SendError:
        return {status(QT_TRANSLATE_NOOP("HStatus", "コマンド送信エラーです")), progressPanel};
    case UnitOutcome::Refused:
    case UnitOutcome::NotHexCount:
        return {status(QT_TRANSLATE_NOOP("HStatus", "%1 が測定周波数帯域を受け付けませんでした"))
                    .arg(unitName),
                progressPanel};
    case UnitOutcome::CountMismatch:
        return {box(QT_TRANSLATE_NOOP("TH_Message",
                                      "ユニットとアプリケーションのバージョンがミスマッチです")),
                -1, Box::VersionMismatch};
    }
    return {};
}

QString failureText(MeasurementRun::Failure failure)
{
    switch (failure) {
    case MeasurementRun::Failure::DeviceLost:
        return QCoreApplication::translate("UnitTexts", "測定器との接続が切れました");
    case MeasurementRun::Failure::None:
        return QString();
    default:
        return status(QT_TRANSLATE_NOOP("HStatus", "データ受信エラーです"));
    }
}

QString calcErrorText()
{
    return status(QT_TRANSLATE_NOOP("HStatus", "データエラーで計算できませんでした"));
}

QString heldBy(const QString &holder)
{
    return QCoreApplication::translate("UnitTexts",
                                       "測定器は%1で測定中です。終わってから測定してください。")
        .arg(holder);
}

QString mainWindowHolder()
{
    return QCoreApplication::translate("UnitTexts", "メインウィンドウ");
}

QString worksheetHolder()
{
    return QCoreApplication::translate("UnitTexts", "T/S ワークシート");
}

QString qcStationHolder()
{
    return QCoreApplication::translate("UnitTexts", "QCモード");
}

} // namespace UnitTexts
