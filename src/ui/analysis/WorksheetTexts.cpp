#include "ui/analysis/WorksheetTexts.h"

#include <QCoreApplication>

namespace WorksheetTexts {

// Each text is written out in its translate() call, where lupdate finds it.

// clang-format off
QString title() { return QCoreApplication::translate("TFormWorksheet", "VELO / T/S ワークシート"); }
QString menuItem() { return QCoreApplication::translate("TFormWorksheet", "T/S ワークシート"); }

QString inputsGroup() { return QCoreApplication::translate("TFormWorksheet", "入力"); }
QString curvesGroup() { return QCoreApplication::translate("TFormWorksheet", "自由空間の測定に加える曲線（参照データ）"); }
QString re() { return QCoreApplication::translate("TFormWorksheet", "Re [Ω]"); }
QString sd() { return QCoreApplication::translate("TFormWorksheet", "Sd [cm²]"); }
QString diameter() { return QCoreApplication::translate("TFormWorksheet", "または振動板の直径 [mm]"); }
QString temperature() { return QCoreApplication::translate("TFormWorksheet", "気温 [°C]"); }
QString pressure() { return QCoreApplication::translate("TFormWorksheet", "気圧 [hPa]"); }
QString massSlot(int index) { return QCoreApplication::translate("TFormWorksheet", "付加質量 m%1").arg(index); }
QString boxSlot() { return QCoreApplication::translate("TFormWorksheet", "密閉箱"); }
QString grams() { return QCoreApplication::translate("TFormWorksheet", "質量 [g]"); }
QString litres() { return QCoreApplication::translate("TFormWorksheet", "容積 [L]"); }
QString curveList() { return QCoreApplication::translate("TFormWorksheet", "曲線"); }
QString noCurve() { return QCoreApplication::translate("TFormWorksheet", "（使わない）"); }
QString referenceItem(int slot, const QString &fileName) { return QCoreApplication::translate("TFormWorksheet", "参照 %1: %2").arg(QString::number(slot), fileName); }
QString emptyReferenceItem(int slot) { return QCoreApplication::translate("TFormWorksheet", "参照 %1: （空）").arg(slot); }
QString humidity() { return QCoreApplication::translate("TFormWorksheet", "湿度 [%]"); }
QString rho() { return QCoreApplication::translate("TFormWorksheet", "または空気密度 ρ [kg/m³]"); }
QString soundSpeed() { return QCoreApplication::translate("TFormWorksheet", "音速 c [m/s]"); }
QString airUsed(const QString &rho, const QString &c) { return QCoreApplication::translate("TFormWorksheet", "計算に使う空気: ρ = %1 kg/m³、c = %2 m/s").arg(rho, c); }
QString coilTemp() { return QCoreApplication::translate("TFormWorksheet", "ボイスコイル温度 [°C]"); }
QString coilMaterial() { return QCoreApplication::translate("TFormWorksheet", "コイルの材料"); }
QString coilMaterialItem(int index) { return index == 1 ? QCoreApplication::translate("TFormWorksheet", "アルミニウム (α = 0.00403 /K)") : QCoreApplication::translate("TFormWorksheet", "銅 (α = 0.00393 /K)"); }
QString fromNumbersGroup() { return QCoreApplication::translate("TFormWorksheet", "数値から計算（曲線を使わない）"); }
QString typedFs() { return QCoreApplication::translate("TFormWorksheet", "Fs [Hz]"); }
QString typedQms() { return QCoreApplication::translate("TFormWorksheet", "Qms"); }
QString typedQes() { return QCoreApplication::translate("TFormWorksheet", "Qes"); }
QString typedFsLoaded(int index) { return QCoreApplication::translate("TFormWorksheet", "m%1 を付けた Fs' [Hz]").arg(index); }
QString typedMissing(const QString &field) { return QCoreApplication::translate("TFormWorksheet", "数値から計算するには %1 を入力してください。").arg(field); }
QString typedNoFit() { return QCoreApplication::translate("TFormWorksheet", "数値から計算するときはモデルフィットを使いません。"); }
QString uncertaintyGroup() { return QCoreApplication::translate("TFormWorksheet", "不確かさを表示 (x ± U, k=2)"); }
QString showBudget() { return QCoreApplication::translate("TFormWorksheet", "内訳を表示"); }
QString reTol() { return QCoreApplication::translate("TFormWorksheet", "Re の ± [Ω]"); }
QString massResolution() { return QCoreApplication::translate("TFormWorksheet", "はかりの分解能 [g]"); }
QString sdTol() { return QCoreApplication::translate("TFormWorksheet", "Sd の ± [%]"); }
QString diameterTol() { return QCoreApplication::translate("TFormWorksheet", "直径の ± [mm]"); }
QString rhoTol() { return QCoreApplication::translate("TFormWorksheet", "ρ の ± [kg/m³]"); }
QString soundSpeedTol() { return QCoreApplication::translate("TFormWorksheet", "c の ± [m/s]"); }
QString tempTol() { return QCoreApplication::translate("TFormWorksheet", "気温の ± [°C]"); }
QString pressureTol() { return QCoreApplication::translate("TFormWorksheet", "気圧の ± [hPa]"); }
QString humidityTol() { return QCoreApplication::translate("TFormWorksheet", "湿度の ± [%]"); }
QString coilTempTol() { return QCoreApplication::translate("TFormWorksheet", "コイル温度の ± [°C]"); }

QString measureInBox() { return QCoreApplication::translate("TFormWorksheet", "この箱で測定"); }
QString measureWithMass() { return QCoreApplication::translate("TFormWorksheet", "この質量で測定"); }
QString stop() { return QCoreApplication::translate("TFormWorksheet", "測定停止"); }
QString copyText() { return QCoreApplication::translate("TFormWorksheet", "テキストをコピー"); }
QString saveJson() { return QCoreApplication::translate("TFormWorksheet", "JSON 保存"); }
QString print() { return QCoreApplication::translate("TFormWorksheet", "印刷"); }
QString close() { return QCoreApplication::translate("TFormWorksheet", "閉じる"); }

QString comparisonTable() { return QCoreApplication::translate("TFormWorksheet", "方法ごとの比較"); }
QString detailTable() { return QCoreApplication::translate("TFormWorksheet", "計算の過程"); }
QString columnSection() { return QCoreApplication::translate("TFormWorksheet", "区分"); }
QString columnName() { return QCoreApplication::translate("TFormWorksheet", "項目"); }
QString columnValue() { return QCoreApplication::translate("TFormWorksheet", "値"); }
QString columnUnit() { return QCoreApplication::translate("TFormWorksheet", "単位"); }
QString columnFormula() { return QCoreApplication::translate("TFormWorksheet", "式と数値"); }
QString resultLabel() { return QCoreApplication::translate("TFormWorksheet", "計算の状態"); }

QString noMeasurement() { return QCoreApplication::translate("TFormWorksheet", "自由空間の測定データがありません。測定するかファイルを開いてください。"); }
QString notANumber(const QString &field) { return QCoreApplication::translate("TFormWorksheet", "%1 に数値を入力してください。").arg(field); }
QString reMissing() { return QCoreApplication::translate("TFormWorksheet", "Re [Ω] を入力してください。"); }
QString gramsMissing(const QString &slot) { return QCoreApplication::translate("TFormWorksheet", "%1 の質量 [g] を入力してください。").arg(slot); }
QString litresMissing() { return QCoreApplication::translate("TFormWorksheet", "密閉箱の容積 [L] を入力してください。"); }
QString litresNotPositive(const QString &typed) { return QCoreApplication::translate("TFormWorksheet", "密閉箱の容積は 0 より大きい数で入力してください（\"%1\"）。").arg(typed); }
QString emptySlot(int slot) { return QCoreApplication::translate("TFormWorksheet", "参照 %1 は空です。参照データを読み込むか別の参照を選んでください。").arg(slot); }

QString slotDropped(const QString &what, const QString &fileName) { return QCoreApplication::translate("TFormWorksheet", "%1: %2 は参照データから外れたので使いません。").arg(what, fileName); }
QString saveFreeAirFirst(const QString &what) { return QCoreApplication::translate("TFormWorksheet", "自由空間の測定をファイルに保存してから%1の測定をしてください（その曲線は自由空間のファイルの横に保存されます）。").arg(what); }
QString noFreeSlot() { return QCoreApplication::translate("TFormWorksheet", "参照データの空きがありません。参照データをクリアしてから測定してください。"); }
QString measuringProgress(const QString &grams, int points, int total) { return QCoreApplication::translate("TFormWorksheet", "%1 g で測定中: %2 / %3 点").arg(grams, QString::number(points), QString::number(total)); }
QString boxProgress(const QString &litres, int points, int total) { return QCoreApplication::translate("TFormWorksheet", "密閉箱 %1 L で測定中: %2 / %3 点").arg(litres, QString::number(points), QString::number(total)); }
QString measureFailed(const QString &what, const QString &reason) { return QCoreApplication::translate("TFormWorksheet", "%1の測定ができませんでした: %2\n参照データと自由空間の測定はそのままです。").arg(what, reason); }
QString writeFailed(const QString &path) { return QCoreApplication::translate("TFormWorksheet", "%1 に保存できませんでした").arg(path); }
QString loadFailed(const QString &path) { return QCoreApplication::translate("TFormWorksheet", "%1 を参照データに読み込めませんでした").arg(path); }
QString measured(const QString &path, int slot) { return QCoreApplication::translate("TFormWorksheet", "%1 に保存し、参照 %2 に読み込みました。").arg(path, QString::number(slot)); }
QString stopped() { return QCoreApplication::translate("TFormWorksheet", "ワークシートの測定を停止しました。"); }
QString askReplaceFreeAir() { return QCoreApplication::translate("TFormWorksheet", "T/S ワークシートはいまの測定を自由空間の曲線として使っています。新しい測定はそれを置き換え、ワークシートの値はすべて新しい曲線から計算されます。\n密閉箱や付加質量の曲線はワークシートの「この箱で測定」「この質量で測定」で測ってください。\n\n測定を始めますか？"); }

QString jsonCaption() { return QCoreApplication::translate("TFormWorksheet", "ワークシートを JSON で保存"); }
QString jsonFilter() { return QCoreApplication::translate("TFormWorksheet", "JSON (*.json)"); }
QString jsonWriteFailed(const QString &path) { return QCoreApplication::translate("TFormWorksheet", "%1 に保存できませんでした。").arg(path); }
QString printFailed() { return QCoreApplication::translate("TFormWorksheet", "印刷できませんでした。"); }
QString copied() { return QCoreApplication::translate("TFormWorksheet", "表をテキストでコピーしました。"); }
QString fitGroup() { return QCoreApplication::translate("TFormWorksheet", "モデルフィット"); }
QString fitModel() { return QCoreApplication::translate("TFormWorksheet", "モデル"); }
QString fitModelItem(int index)
{
    switch (index) {
    case 0: return QCoreApplication::translate("TFormWorksheet", "古典 (Re + Le + 共振)");
    case 1: return QCoreApplication::translate("TFormWorksheet", "LR-2");
    default: return QCoreApplication::translate("TFormWorksheet", "セミインダクタンス + クリープ");
    }
}
QString fitReFree() { return QCoreApplication::translate("TFormWorksheet", "Re もフィットする（外すと入力の Re に固定）"); }
QString fitShow() { return QCoreApplication::translate("TFormWorksheet", "グラフに表示"); }
QString fitColor() { return QCoreApplication::translate("TFormWorksheet", "フィット曲線の色"); }
QString fitTable() { return QCoreApplication::translate("TFormWorksheet", "フィットの結果"); }
QString fitting() { return QCoreApplication::translate("TFormWorksheet", "フィット中…"); }
QString columnStderr() { return QCoreApplication::translate("TFormWorksheet", "標準誤差"); }
QString columnClassic() { return QCoreApplication::translate("TFormWorksheet", "古典的方法"); }


// the vented box
QString ventGroup() { return QCoreApplication::translate("TFormWorksheet", "バスレフ箱"); }
QString ventSlot() { return QCoreApplication::translate("TFormWorksheet", "箱の曲線"); }
QString ventTable() { return QCoreApplication::translate("TFormWorksheet", "バスレフ箱の値"); }
QString ventPlot() { return QCoreApplication::translate("TFormWorksheet", "箱の曲線とモデル"); }
QString columnTextbook() { return QCoreApplication::translate("TFormWorksheet", "教科書の式"); }
QString columnFit() { return QCoreApplication::translate("TFormWorksheet", "フィット"); }
QString ventRow(int row)
{
    switch (row) {
    case 0: return QCoreApplication::translate("TFormWorksheet", "fL（下のピーク）");
    case 1: return QCoreApplication::translate("TFormWorksheet", "fM（谷）");
    case 2: return QCoreApplication::translate("TFormWorksheet", "fH（上のピーク）");
    case 3: return QCoreApplication::translate("TFormWorksheet", "Fb（ポートの共振）");
    case 4: return QCoreApplication::translate("TFormWorksheet", "α = Vas / Vb");
    case 5: return QCoreApplication::translate("TFormWorksheet", "fs（自由空間）");
    case 6: return QCoreApplication::translate("TFormWorksheet", "Vas");
    case 7: return QCoreApplication::translate("TFormWorksheet", "QL（漏れ）");
    case 8: return QCoreApplication::translate("TFormWorksheet", "QA（吸音）");
    case 9: return QCoreApplication::translate("TFormWorksheet", "QP（ポートの損失）");
    default: return QCoreApplication::translate("TFormWorksheet", "残差 |Z| RMS");
    }
}
QString ventNoLoss() { return QCoreApplication::translate("TFormWorksheet", "見られない"); }
QString ventMarkLow() { return QCoreApplication::translate("TFormWorksheet", "fL 下のピーク"); }
QString ventMarkDip() { return QCoreApplication::translate("TFormWorksheet", "fM ≈ Fb 谷"); }
QString ventMarkHigh() { return QCoreApplication::translate("TFormWorksheet", "fH 上のピーク"); }
QString ventMeasured() { return QCoreApplication::translate("TFormWorksheet", "箱の測定"); }
QString ventModel() { return QCoreApplication::translate("TFormWorksheet", "損失のある箱のモデル"); }
QString ventChoose() { return QCoreApplication::translate("TFormWorksheet", "バスレフ箱の曲線を参照データから選び、箱の正味の容積を入れてください。"); }
QString ventVbNotPositive(const QString &typed) { return QCoreApplication::translate("TFormWorksheet", "バスレフ箱の容積 %1 L: 0 L より大きい値を入れてください。").arg(typed); }
QString ventOtherBand(int boxBand, int freeBand) { return QCoreApplication::translate("TFormWorksheet", "箱の曲線はバンド %1、自由空間の曲線はバンド %2 です。同じバンドで測定してください。").arg(boxBand).arg(freeBand); }
QString ventNoData() { return QCoreApplication::translate("TFormWorksheet", "箱の曲線のバンドに測定点がありません。"); }
QString ventOnePeak() { return QCoreApplication::translate("TFormWorksheet", "箱の曲線にインピーダンスのピークが一つしかありません（密閉箱か、ふさがったポート）。密閉箱なら、上の「密閉箱」にこの曲線と容積を選んで密閉箱の解析を使ってください。"); }
QString ventFreeAirFailed(const QString &reason) { return QCoreApplication::translate("TFormWorksheet", "自由空間の曲線からドライバーのモデルが求まりません: %1").arg(reason); }
QString ventNoFit() { return QCoreApplication::translate("TFormWorksheet", "損失のある箱のモデルが箱の曲線に合いません。教科書の式の値だけを示します。"); }
QString ventFitted(const QString &model, const QString &losses) { return QCoreApplication::translate("TFormWorksheet", "フィット: ドライバーは自由空間の %1 モデル、箱の損失は %2").arg(model, losses); }
QString ventLossNames(int index)
{
    switch (index) {
    case 0: return QCoreApplication::translate("TFormWorksheet", "漏れ");
    case 1: return QCoreApplication::translate("TFormWorksheet", "吸音");
    default: return QCoreApplication::translate("TFormWorksheet", "ポート");
    }
}

// clang-format on

} // namespace WorksheetTexts
