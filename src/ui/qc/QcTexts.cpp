#include "ui/qc/QcTexts.h"

#include <QCoreApplication>

namespace QcTexts {

namespace {
QString t(const char *text)
{
    return QCoreApplication::translate("TFormQc", text);
}
} // namespace

// clang-format off
QString title() { return t("VELO / QCモード"); }
QString menuItem() { return t("QCモード"); }

QString limitsFile() { return t("限度ファイル"); }
QString chooseLimits() { return t("選択..."); }
QString limitsFilter() { return t("QC 限度ファイル (*.limits *.txt);;すべてのファイル (*)"); }
QString folder() { return t("保存先フォルダ"); }
QString folderHint() { return t("空欄なら限度ファイルのフォルダ"); }
QString database() { return t("結果ログ"); }
QString databaseHint() { return t("空欄なら保存先フォルダの SQLite ファイル、または postgresql://..."); }
QString serial() { return t("シリアル番号"); }
QString start() { return t("測定開始"); }
QString stop() { return t("停止"); }
QString close() { return t("閉じる"); }
QString graph() { return t("限度バンドと測定値のグラフ"); }
QString verdict() { return t("判定"); }
QString reasons() { return t("不合格の理由"); }
QString pass() { return t("PASS"); }
QString fail() { return t("FAIL"); }

QString serialMissing() { return t("シリアル番号を入力してください"); }
QString serialNotAFileName(const QString &serial) { return t("シリアル番号 \"%1\" はファイル名に使えません").arg(serial); }
QString folderMissing(const QString &folder) { return t("保存先フォルダ \"%1\" がありません").arg(folder); }
QString mainWindowBusy() { return t("メインウィンドウで測定中です"); }
QString measuring(const QString &serial, int received, int expected) { return t("%1 を測定中 %2/%3").arg(serial).arg(received).arg(expected); }
QString measureFailed(const QString &reason) { return t("測定できませんでした：%1").arg(reason); }
QString reasonPortOpen() { return t("通信ポートが開けません"); }
QString reasonUnitNotFound() { return t("HK-A2 が見つかりません"); }
QString reasonUnit() { return t("ユニットが応答しません"); }
QString reasonBand() { return t("ユニットが測定周波数帯域を受け付けませんでした"); }
QString reasonSilent() { return t("データ受信エラーです"); }
QString reasonDeviceLost() { return t("ユニットが外されました"); }
QString reasonBadData() { return t("データが正しくありません"); }
QString saved(const QString &path) { return t("保存しました：%1").arg(path); }
QString saveFailed(const QString &path) { return t("保存できませんでした：%1").arg(path); }
QString stopped() { return t("測定を中止しました"); }
QString ready() { return t("シリアル番号を入力（またはスキャン）して Enter で測定します"); }
QString logged(const QString &target) { return t("記録しました：%1").arg(target); }
QString logFailed(const QString &problem) { return t("記録できませんでした（スプールに保存）：%1").arg(problem); }
// clang-format on

} // namespace QcTexts
