#include "ui/analysis/CompensationTexts.h"

#include "core/analysis/design/Compensation.h"

#include <QCoreApplication>

namespace CompensationTexts {

// Each text is written out in its translate() call, where lupdate finds it.

// clang-format off
QString title() { return QCoreApplication::translate("TFormCompensation", "VELO / 補正回路"); }
QString menuItem() { return QCoreApplication::translate("TFormCompensation", "補正回路..."); }

QString fromHz() { return QCoreApplication::translate("TFormCompensation", "帯域の下限 [Hz]"); }
QString toHz() { return QCoreApplication::translate("TFormCompensation", "帯域の上限 [Hz]"); }
QString series() { return QCoreApplication::translate("TFormCompensation", "部品の系列"); }
QString seriesItem(int index) { return index == 0 ? QStringLiteral("E12") : index == 1 ? QStringLiteral("E24") : QCoreApplication::translate("TFormCompensation", "計算値のまま"); }
QString secondPair() { return QCoreApplication::translate("TFormCompensation", "2組目の R-C"); }
QString shown() { return QCoreApplication::translate("TFormCompensation", "グラフとZMA出力の回路"); }
QString shownItem(int index) { return index == 0 ? QCoreApplication::translate("TFormCompensation", "ゾーベル") : index == 1 ? QCoreApplication::translate("TFormCompensation", "ノッチ") : QCoreApplication::translate("TFormCompensation", "ゾーベルとノッチ"); }

QString zobelGroup() { return QCoreApplication::translate("TFormCompensation", "ゾーベル（直列 R-C、コイルのインダクタンスを補正）"); }
QString notchGroup() { return QCoreApplication::translate("TFormCompensation", "共振ノッチ（直列 R-L-C、共振の山を補正）"); }
QString columnMethod() { return QCoreApplication::translate("TFormCompensation", "求め方"); }
QString columnR() { return QStringLiteral("R [Ω]"); }
QString columnL() { return QStringLiteral("L [mH]"); }
QString columnC() { return QStringLiteral("C [µF]"); }
QString columnFlatness() { return QCoreApplication::translate("TFormCompensation", "平坦度 [±%]"); }
QString rowFitted() { return QCoreApplication::translate("TFormCompensation", "曲線に合わせた値"); }
QString rowSnapped(const QString &series) { return QCoreApplication::translate("TFormCompensation", "%1 に丸めた値").arg(series); }
QString rowTextbook() { return QCoreApplication::translate("TFormCompensation", "T/S からの教科書の値"); }
QString zobelEstimates(const QString &re, const QString &leMh, const QString &from, const QString &to) { return QCoreApplication::translate("TFormCompensation", "曲線から Re %1 Ω、Le %2 mH。平坦度は %3～%4 Hz の |Z| の平均からの最大の差です。").arg(re, leMh, from, to); }
QString notchEstimates(const QString &fs, const QString &qms, const QString &qes, const QString &from, const QString &to) { return QCoreApplication::translate("TFormCompensation", "曲線から fs %1 Hz、Qms %2、Qes %3。平坦度は %4～%5 Hz で求めます。").arg(fs, qms, qes, from, to); }
QString computing() { return QCoreApplication::translate("TFormCompensation", "計算中…"); }
QString noMeasurement() { return QCoreApplication::translate("TFormCompensation", "測定データがありません。測定するか、ファイルを開いてください。"); }
QString notANumber(const QString &field) { return QCoreApplication::translate("TFormCompensation", "%1 に正の数を入力してください。").arg(field); }

QString graph() { return QCoreApplication::translate("TFormCompensation", "測定値と補正後の |Z|"); }
QString measured() { return QCoreApplication::translate("TFormCompensation", "測定値"); }
QString compensated() { return QCoreApplication::translate("TFormCompensation", "補正後"); }
QString exportZma() { return QCoreApplication::translate("TFormCompensation", "補正後をZMA出力..."); }
QString exportCaption() { return QCoreApplication::translate("TFormCompensation", "補正後の曲線をZMA出力"); }
QString zmaFilter() { return QCoreApplication::translate("TFormCompensation", "ZMAファイル (*.zma)"); }
QString writeFailed(const QString &path) { return QCoreApplication::translate("TFormCompensation", "%1 に書き込めませんでした。").arg(path); }
QString close() { return QCoreApplication::translate("TFormCompensation", "閉じる"); }
// clang-format on

QString zobelRefused(ZobelOutcome outcome, int minPoints)
{
    switch (outcome) {
    case ZobelOutcome::Ok:
        return QString();
    case ZobelOutcome::BadBand:
        return QCoreApplication::translate("TFormCompensation",
                                           "ゾーベルなし: 帯域の下限は上限より低くしてください。");
    case ZobelOutcome::TooFewPoints:
        return QCoreApplication::translate(
                   "TFormCompensation",
                   "ゾーベルなし: 帯域の測定点が %1 点より少なくなっています。")
            .arg(minPoints);
    case ZobelOutcome::NoPhase:
        return QCoreApplication::translate(
            "TFormCompensation",
            "ゾーベルなし: 曲線に位相がなく、補正するリアクタンスがわかりません。");
    case ZobelOutcome::NoCoilRise:
        return QCoreApplication::translate(
            "TFormCompensation",
            "ゾーベルなし: この帯域では |Z| "
            "が上に向かって上がりません（補正するボイスコイルのインダクタンスがありません）。");
    }
    return QString();
}

QString notchRefused(NotchOutcome outcome)
{
    switch (outcome) {
    case NotchOutcome::Ok:
        return QString();
    case NotchOutcome::NoPhase:
        return QCoreApplication::translate("TFormCompensation",
                                           "ノッチなし: 曲線に位相がなく、Re を求められません。");
    case NotchOutcome::NoResonance:
        return QCoreApplication::translate(
            "TFormCompensation", "ノッチなし: 曲線に -3 dB 点のそろった共振の山がありません。");
    }
    return QString();
}

} // namespace CompensationTexts
