#include "ui/analysis/WorksheetTexts.h"

#include <QCoreApplication>

namespace WorksheetTexts {

namespace {
QString t(const char *text)
{
    return QCoreApplication::translate("TFormWorksheet", text);
}
} // namespace

// clang-format off
QString title() { return t("VELO / T/S ワークシート"); }
QString menuItem() { return t("T/S ワークシート"); }

QString inputsGroup() { return t("入力"); }
QString curvesGroup() { return t("自由空間の測定に加える曲線（参照データ）"); }
QString re() { return t("Re [Ω]"); }
QString sd() { return t("Sd [cm²]"); }
QString diameter() { return t("または振動板の直径 [mm]"); }
QString temperature() { return t("気温 [°C]"); }
QString pressure() { return t("気圧 [hPa]"); }
QString massSlot(int index) { return t("付加質量 m%1").arg(index); }
QString boxSlot() { return t("密閉箱"); }
QString grams() { return t("質量 [g]"); }
QString litres() { return t("容積 [L]"); }
QString curveList() { return t("曲線"); }
QString noCurve() { return t("（使わない）"); }
QString referenceItem(int slot, const QString &fileName) { return t("参照 %1: %2").arg(QString::number(slot), fileName); }
QString emptyReferenceItem(int slot) { return t("参照 %1: （空）").arg(slot); }

QString measureWithMass() { return t("この質量で測定"); }
QString stop() { return t("測定停止"); }
QString copyText() { return t("テキストをコピー"); }
QString saveJson() { return t("JSON 保存"); }
QString print() { return t("印刷"); }
QString close() { return t("閉じる"); }

QString comparisonTable() { return t("方法ごとの比較"); }
QString detailTable() { return t("計算の過程"); }
QString columnSection() { return t("区分"); }
QString columnName() { return t("項目"); }
QString columnValue() { return t("値"); }
QString columnUnit() { return t("単位"); }
QString columnFormula() { return t("式と数値"); }
QString resultLabel() { return t("計算の状態"); }

QString noMeasurement() { return t("自由空間の測定データがありません。測定するかファイルを開いてください。"); }
QString notANumber(const QString &field) { return t("%1 に数値を入力してください。").arg(field); }
QString reMissing() { return t("Re [Ω] を入力してください。"); }
QString gramsMissing(const QString &slot) { return t("%1 の質量 [g] を入力してください。").arg(slot); }
QString litresMissing() { return t("密閉箱の容積 [L] を入力してください。"); }
QString emptySlot(int slot) { return t("参照 %1 は空です。参照データを読み込むか別の参照を選んでください。").arg(slot); }

QString saveFreeAirFirst() { return t("自由空間の測定をファイルに保存してから付加質量の測定をしてください（付加質量の曲線はその横に保存されます）。"); }
QString noFreeSlot() { return t("参照データの空きがありません。参照データをクリアしてから測定してください。"); }
QString mainWindowBusy() { return t("測定中です。終わってから付加質量の測定をしてください。"); }
QString measuringProgress(const QString &grams, int points, int total) { return t("%1 g で測定中: %2 / %3 点").arg(grams, QString::number(points), QString::number(total)); }
QString measureFailed(const QString &reason) { return t("付加質量の測定ができませんでした: %1\n参照データと自由空間の測定はそのままです。").arg(reason); }
QString reasonPortOpen() { return t("COMポートを開けません"); }
QString reasonUnitNotFound() { return t("測定器が見つかりません"); }
QString reasonUnit() { return t("測定器の応答が正しくありません"); }
QString reasonBand() { return t("測定器がこの測定範囲を受け付けません"); }
QString reasonSilent() { return t("測定器からの受信が途絶えました"); }
QString reasonBadData() { return t("受信データが正しくありません"); }
QString reasonDeviceLost() { return t("測定器との接続が切れました"); }
QString writeFailed(const QString &path) { return t("%1 に保存できませんでした").arg(path); }
QString loadFailed(const QString &path) { return t("%1 を参照データに読み込めませんでした").arg(path); }
QString measured(const QString &path, int slot) { return t("%1 に保存し、参照 %2 に読み込みました。").arg(path, QString::number(slot)); }
QString stopped() { return t("付加質量の測定を停止しました。"); }

QString jsonCaption() { return t("ワークシートを JSON で保存"); }
QString jsonFilter() { return t("JSON (*.json)"); }
QString jsonWriteFailed(const QString &path) { return t("%1 に保存できませんでした。").arg(path); }
QString printFailed() { return t("印刷できませんでした。"); }
QString copied() { return t("表をテキストでコピーしました。"); }
// clang-format on

} // namespace WorksheetTexts
