#include "ui/qc/QcTexts.h"

#include <QCoreApplication>

namespace QcTexts {

// Each text is written out in its translate() call, where lupdate finds it.

// clang-format off
QString title() { return QCoreApplication::translate("TFormQc", "VELO / QCモード"); }
QString menuItem() { return QCoreApplication::translate("TFormQc", "QCモード"); }

QString limitsFile() { return QCoreApplication::translate("TFormQc", "限度ファイル"); }
QString chooseLimits() { return QCoreApplication::translate("TFormQc", "選択..."); }
QString limitsFilter() { return QCoreApplication::translate("TFormQc", "QC 限度ファイル (*.limits *.txt);;すべてのファイル (*)"); }
QString folder() { return QCoreApplication::translate("TFormQc", "保存先フォルダ"); }
QString folderHint() { return QCoreApplication::translate("TFormQc", "空欄なら限度ファイルのフォルダ"); }
QString database() { return QCoreApplication::translate("TFormQc", "結果ログ"); }
QString databaseHint() { return QCoreApplication::translate("TFormQc", "空欄なら保存先フォルダの SQLite ファイル、または postgresql://..."); }
QString serial() { return QCoreApplication::translate("TFormQc", "シリアル番号"); }
QString start() { return QCoreApplication::translate("TFormQc", "測定開始"); }
QString stop() { return QCoreApplication::translate("TFormQc", "停止"); }
QString close() { return QCoreApplication::translate("TFormQc", "閉じる"); }
QString graph() { return QCoreApplication::translate("TFormQc", "限度バンドと測定値のグラフ"); }
QString verdict() { return QCoreApplication::translate("TFormQc", "判定"); }
QString reasons() { return QCoreApplication::translate("TFormQc", "不合格の理由"); }
QString pass() { return QCoreApplication::translate("TFormQc", "PASS"); }
QString fail() { return QCoreApplication::translate("TFormQc", "FAIL"); }

QString serialMissing() { return QCoreApplication::translate("TFormQc", "シリアル番号を入力してください"); }
QString serialNotAFileName(const QString &serial) { return QCoreApplication::translate("TFormQc", "シリアル番号 \"%1\" はファイル名に使えません").arg(serial); }
QString serialTooLong(int length, int limit) { return QCoreApplication::translate("TFormQc", "シリアル番号が長すぎます（%1 文字、最大 %2 文字）").arg(length).arg(limit); }
QString folderMissing(const QString &folder) { return QCoreApplication::translate("TFormQc", "保存先フォルダ \"%1\" がありません").arg(folder); }
QString scanWhileMeasuring(const QString &scanned, const QString &measuring) { return QCoreApplication::translate("TFormQc", "%1 は測定しませんでした：%2 を測定中です。終わってからもう一度スキャンしてください").arg(scanned, measuring); }
QString measuring(const QString &serial, int received, int expected) { return QCoreApplication::translate("TFormQc", "%1 を測定中 %2/%3").arg(serial).arg(received).arg(expected); }
QString measureFailed(const QString &reason) { return QCoreApplication::translate("TFormQc", "測定できませんでした：%1").arg(reason); }
QString reasonBadData() { return QCoreApplication::translate("TFormQc", "データが正しくありません"); }
QString saved(const QString &path) { return QCoreApplication::translate("TFormQc", "保存しました：%1").arg(path); }
QString saveFailed(const QString &path) { return QCoreApplication::translate("TFormQc", "保存できませんでした：%1").arg(path); }
QString stopped() { return QCoreApplication::translate("TFormQc", "測定を中止しました"); }
QString ready() { return QCoreApplication::translate("TFormQc", "シリアル番号を入力（またはスキャン）して Enter で測定します"); }
QString logging(const QString &serial) { return QCoreApplication::translate("TFormQc", "%1 の結果を記録中…").arg(serial); }
QString logged(const QString &target) { return QCoreApplication::translate("TFormQc", "記録しました：%1").arg(target); }
QString logFailed(const QString &problem) { return QCoreApplication::translate("TFormQc", "記録できませんでした：%1").arg(problem); }
QString logSpooled(const QString &problem) { return QCoreApplication::translate("TFormQc", "サーバーに送れていません（ステーションのスプールに保存）：%1").arg(problem); }

// gauge study mode
QString studyButton() { return QCoreApplication::translate("TFormQc", "ゲージスタディ..."); }
QString studyEnd() { return QCoreApplication::translate("TFormQc", "スタディ終了"); }
QString studyTitle() { return QCoreApplication::translate("TFormQc", "ゲージスタディ（繰返し性・再現性）"); }
QString studyName() { return QCoreApplication::translate("TFormQc", "スタディ名"); }
QString studyParts() { return QCoreApplication::translate("TFormQc", "部品の数"); }
QString studyOperators() { return QCoreApplication::translate("TFormQc", "作業者"); }
QString studyOperatorsHint() { return QCoreApplication::translate("TFormQc", "カンマ区切り（例：A, B, C）"); }
QString studyTrials() { return QCoreApplication::translate("TFormQc", "試行回数"); }
QString studyCell(int part, const QString &appraiser, int trial) { return QCoreApplication::translate("TFormQc", "部品 %1／作業者 %2／試行 %3").arg(part).arg(appraiser).arg(trial); }
QString studyOpening(const QString &study) { return QCoreApplication::translate("TFormQc", "ゲージスタディ「%1」を準備中…").arg(study); }
QString studyCannotStart(const QString &problem) { return QCoreApplication::translate("TFormQc", "ゲージスタディを始められません：%1").arg(problem); }
QString studyNext(const QString &study, const QString &appraiser, int part, int trial, int trials, int measured, int total) { return QCoreApplication::translate("TFormQc", "ゲージスタディ「%1」：作業者 %2 が部品 %3 を測定してください（試行 %4/%5、測定済み %6/%7）").arg(study, appraiser).arg(part).arg(trial).arg(trials).arg(measured).arg(total); }
QString studyRecording(const QString &study, int measured, int total) { return QCoreApplication::translate("TFormQc", "ゲージスタディ「%1」：全 %3 件のうち %2 件を測定、記録を待っています…").arg(study).arg(measured).arg(total); }
QString studyAnalysing(const QString &study) { return QCoreApplication::translate("TFormQc", "ゲージスタディ「%1」の測定が終わりました。計算中…").arg(study); }
QString studyDone(const QString &study) { return QCoreApplication::translate("TFormQc", "ゲージスタディ「%1」完了：パラメータごとの結果は下のとおりです").arg(study); }
QString studyResult(const QString &parameter, const QString &grrPct, const QString &ndc, const QString &verdict) { return QCoreApplication::translate("TFormQc", "%1：%GRR %2 %、ndc %3、%4").arg(parameter, grrPct, ndc, verdict); }
QString studyAcceptable() { return QCoreApplication::translate("TFormQc", "許容できる"); }
QString studyMarginal() { return QCoreApplication::translate("TFormQc", "条件付きで許容"); }
QString studyUnacceptable() { return QCoreApplication::translate("TFormQc", "許容できない"); }
QString studyParameterRefused(const QString &parameter, const QString &problem) { return QCoreApplication::translate("TFormQc", "%1：計算できません：%2").arg(parameter, problem); }
// clang-format on

// the control charts (TDialogQcCharts)
// clang-format off
QString charts() { return QCoreApplication::translate("TFormQc", "管理図..."); }
QString chartsTitle() { return QCoreApplication::translate("TFormQc", "VELO / 管理図と工程能力"); }
QString groupBy() { return QCoreApplication::translate("TFormQc", "工程能力の単位"); }
QString byDay() { return QCoreApplication::translate("TFormQc", "日"); }
QString byShift() { return QCoreApplication::translate("TFormQc", "シフト"); }
QString byStation() { return QCoreApplication::translate("TFormQc", "ステーション"); }
QString refresh() { return QCoreApplication::translate("TFormQc", "更新"); }
QString parameter() { return QCoreApplication::translate("TFormQc", "パラメータ"); }
QString period() { return QCoreApplication::translate("TFormQc", "期間"); }
QString chartsReading(const QString &target) { return QCoreApplication::translate("TFormQc", "%1 を読んでいます…").arg(target); }
QString chartsSummary(qint64 units, const QString &yieldPct, const QString &cpk, const QString &ppk, qint64 flagged) { return QCoreApplication::translate("TFormQc", "%1 台、歩留まり %2 %、Cpk %3、Ppk %4、ルール違反の点 %5").arg(units).arg(yieldPct, cpk, ppk).arg(flagged); }
// clang-format on

} // namespace QcTexts
