#include "ui/analysis/UnitsTexts.h"

#include <QCoreApplication>

namespace UnitsTexts {

// Each text is written out in its translate() call, where lupdate finds it.

// clang-format off
QString title() { return QCoreApplication::translate("TFormUnits", "VELO / 複数ユニットの比較"); }
QString menuItem() { return QCoreApplication::translate("TFormUnits", "複数ユニットの比較..."); }

QString addFiles() { return QCoreApplication::translate("TFormUnits", "ファイルを追加..."); }
QString addFolder() { return QCoreApplication::translate("TFormUnits", "フォルダを追加..."); }
QString addFromLog() { return QCoreApplication::translate("TFormUnits", "結果ログから追加..."); }
QString logTitle() { return QCoreApplication::translate("TFormUnits", "結果ログのユニット"); }
QString logTarget() { return QCoreApplication::translate("TFormUnits", "結果ログ:"); }
QString logTargetHint() { return QCoreApplication::translate("TFormUnits", "SQLite ファイルのパスまたは postgresql://user@host/db"); }
QString logSince() { return QCoreApplication::translate("TFormUnits", "この日から:"); }
QString logVerdict() { return QCoreApplication::translate("TFormUnits", "判定:"); }
QString logAll() { return QCoreApplication::translate("TFormUnits", "すべて"); }
QString logPassed() { return QCoreApplication::translate("TFormUnits", "合格のみ"); }
QString logFailed() { return QCoreApplication::translate("TFormUnits", "不合格のみ"); }
QString logStation() { return QCoreApplication::translate("TFormUnits", "ステーション:"); }
QString logAllStations() { return QCoreApplication::translate("TFormUnits", "（すべて）"); }
QString logNoUnits() { return QCoreApplication::translate("TFormUnits", "条件に合う保存済みの測定がありません。"); }
QString clearFiles() { return QCoreApplication::translate("TFormUnits", "クリア"); }
QString compute() { return QCoreApplication::translate("TFormUnits", "再計算"); }
QString chooseFiles() { return QCoreApplication::translate("TFormUnits", "比較するファイル"); }
QString chooseFolder() { return QCoreApplication::translate("TFormUnits", "比較するファイルのフォルダ"); }
QString chooseReList() { return QCoreApplication::translate("TFormUnits", "ファイルごとの Re の一覧"); }
QString fileFilter() { return QCoreApplication::translate("TFormUnits", "測定データと表 (*.DTA *.dta *.zma *.frd);;すべてのファイル (*)"); }
QString reListFilter() { return QCoreApplication::translate("TFormUnits", "ファイル,Re の一覧 (*.csv *.txt);;すべてのファイル (*)"); }
QString reGroup() { return QCoreApplication::translate("TFormUnits", "Re"); }
QString reTyped() { return QCoreApplication::translate("TFormUnits", "全ユニットに入力 [Ω]"); }
QString reListed() { return QCoreApplication::translate("TFormUnits", "ファイル,Re の一覧から"); }
QString reEstimated() { return QCoreApplication::translate("TFormUnits", "曲線から推定"); }
QString reListButton() { return QCoreApplication::translate("TFormUnits", "一覧を選ぶ..."); }
QString noReList() { return QCoreApplication::translate("TFormUnits", "（一覧なし）"); }
QString badRe() { return QCoreApplication::translate("TFormUnits", "Re には正の数を入力してください。"); }
QString reListUnreadable(const QString &file) { return QCoreApplication::translate("TFormUnits", "Re の一覧 %1 を読めません。").arg(file); }
QString reListBadLine(int line) { return QCoreApplication::translate("TFormUnits", "Re の一覧の %1 行目が「ファイル,Re」ではありません。").arg(line); }
QString estimatedMark() { return QCoreApplication::translate("TFormUnits", "* 曲線から推定した Re（帯域内の |Z|·cos θ の最小値）"); }

QString notReadable() { return QCoreApplication::translate("TFormUnits", "読めないか、測定データではありません"); }
QString folderWithoutUnits() { return QCoreApplication::translate("TFormUnits", "測定データも表もないフォルダです"); }
QString notInReList() { return QCoreApplication::translate("TFormUnits", "Re の一覧にありません"); }
QString reNotEstimated() { return QCoreApplication::translate("TFormUnits", "Re を推定できません"); }
QString skipped(int skipped, int total) { return QCoreApplication::translate("TFormUnits", "%1 / %2 ファイルを除きました:").arg(skipped).arg(total); }
QString noUnits() { return QCoreApplication::translate("TFormUnits", "値を求められるユニットがありません。"); }
QString noCommonBand(const QString &file) { return QCoreApplication::translate("TFormUnits", "%1 は他のファイルと共通の帯域がありません。").arg(file); }
QString busy() { return QCoreApplication::translate("TFormUnits", "計算中..."); }

QString tableTab() { return QCoreApplication::translate("TFormUnits", "一覧"); }
QString setsTab() { return QCoreApplication::translate("TFormUnits", "組分け"); }
QString trendTab() { return QCoreApplication::translate("TFormUnits", "経時変化"); }
QString fileColumn() { return QCoreApplication::translate("TFormUnits", "ファイル"); }
QString mean() { return QCoreApplication::translate("TFormUnits", "平均"); }
QString sigma() { return QCoreApplication::translate("TFormUnits", "σ (n−1)"); }
QString minimum() { return QCoreApplication::translate("TFormUnits", "最小"); }
QString maximum() { return QCoreApplication::translate("TFormUnits", "最大"); }
QString envelopeShown() { return QCoreApplication::translate("TFormUnits", "メイングラフに |Z| と位相の範囲を表示"); }
QString edgesSigmas() { return QCoreApplication::translate("TFormUnits", "平均 ± kσ"); }
QString edgesMinMax() { return QCoreApplication::translate("TFormUnits", "最小〜最大"); }
QString envelopeSigmas() { return QCoreApplication::translate("TFormUnits", "k"); }
QString histogramOf(const QString &column) { return QCoreApplication::translate("TFormUnits", "%1 の分布").arg(column); }

QString setsCount() { return QCoreApplication::translate("TFormUnits", "組の数"); }
QString setSizes() { return QCoreApplication::translate("TFormUnits", "各組の数（空欄は均等）"); }
QString matchBy() { return QCoreApplication::translate("TFormUnits", "そろえる値"); }
QString match() { return QCoreApplication::translate("TFormUnits", "組分け"); }
QString setColumn() { return QCoreApplication::translate("TFormUnits", "組"); }
QString spreadColumn() { return QCoreApplication::translate("TFormUnits", "ばらつき"); }
QString filesColumn() { return QCoreApplication::translate("TFormUnits", "ファイル"); }
QString worstExact(const QString &spread) { return QCoreApplication::translate("TFormUnits", "最大のばらつき %1（厳密解）").arg(spread); }
QString worstHeuristic(const QString &spread, const QString &bound) { return QCoreApplication::translate("TFormUnits", "最大のばらつき %1（近似解。最適解は %2 以上）").arg(spread, bound); }
QString badSizes() { return QCoreApplication::translate("TFormUnits", "各組の数は正の整数を , で区切って入力してください。"); }
QString fewerUnitsThanSets(int units, int sets) { return QCoreApplication::translate("TFormUnits", "ユニット %1 個を %2 組には分けられません。").arg(units).arg(sets); }
QString sizesDoNotAdd(int total, int units) { return QCoreApplication::translate("TFormUnits", "各組の数の合計 %1 がユニットの数 %2 と合いません。").arg(total).arg(units); }
QString notFinite() { return QCoreApplication::translate("TFormUnits", "そろえる値に数でないものがあります。"); }
QString noParameters() { return QCoreApplication::translate("TFormUnits", "そろえる値を一つ以上選んでください。"); }

QString dateColumn() { return QCoreApplication::translate("TFormUnits", "測定日時"); }
QString settlePct() { return QCoreApplication::translate("TFormUnits", "安定の判定 [%]"); }
QString settled(bool settled) { return settled ? QCoreApplication::translate("TFormUnits", "安定: 最後の二つの Fs の差は判定値未満です。") : QCoreApplication::translate("TFormUnits", "未安定: 最後の二つの Fs の差が判定値以上です。"); }
QString ambiguousNote() { return QCoreApplication::translate("TFormUnits", "? 日と月のどちらが先か決められない日付です（月を先と読みました）。"); }
QString modifiedNote() { return QCoreApplication::translate("TFormUnits", "~ 記録に日時がないため、ファイルの更新日時です。"); }
// clang-format on

} // namespace UnitsTexts
