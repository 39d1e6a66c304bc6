#include "ui/analysis/DriverTexts.h"

#include <QCoreApplication>

namespace DriverTexts {

// Each text is written out in its translate() call, where lupdate finds it.

// clang-format off
QString title() { return QCoreApplication::translate("TFormDrivers", "VELO / ドライバー一覧"); }
QString menuItem() { return QCoreApplication::translate("TFormDrivers", "ドライバー一覧..."); }
QString folder() { return QCoreApplication::translate("TFormDrivers", "フォルダ:"); }
QString chooseFolder() { return QCoreApplication::translate("TFormDrivers", "参照..."); }
QString rescan() { return QCoreApplication::translate("TFormDrivers", "再読込"); }
QString search() { return QCoreApplication::translate("TFormDrivers", "検索:"); }
QString open() { return QCoreApplication::translate("TFormDrivers", "曲線を開く"); }
QString columnName() { return QCoreApplication::translate("TFormDrivers", "名前"); }
QString columnFs() { return QCoreApplication::translate("TFormDrivers", "Fs[Hz]"); }
QString columnQts() { return QCoreApplication::translate("TFormDrivers", "Qts"); }
QString columnVas() { return QCoreApplication::translate("TFormDrivers", "Vas[L]"); }
QString columnRe() { return QCoreApplication::translate("TFormDrivers", "Re[Ω]"); }
QString columnFile() { return QCoreApplication::translate("TFormDrivers", "ファイル"); }
QString unreadable() { return QCoreApplication::translate("TFormDrivers", "（読めません）"); }
QString count(int shown, int all) { return QCoreApplication::translate("TFormDrivers", "%1 / %2 件").arg(shown).arg(all); }
QString scanning() { return QCoreApplication::translate("TFormDrivers", "読み込み中..."); }
QString exportDriver() { return QCoreApplication::translate("TFormDrivers", "ドライバー出力..."); }
QString importDriver() { return QCoreApplication::translate("TFormDrivers", "ドライバー読込..."); }
QString exportCaption() { return QCoreApplication::translate("TFormDrivers", "ドライバーファイルの保存"); }
QString importCaption() { return QCoreApplication::translate("TFormDrivers", "ドライバーファイルを開く"); }
QString exportFilter() { return QCoreApplication::translate("TFormDrivers", "ドライバーファイル (*.json);;Hornresp (*.txt)"); }
QString importFilter() { return QCoreApplication::translate("TFormDrivers", "ドライバーファイル (*.json)"); }
QString needsMechanics() { return QCoreApplication::translate("TFormDrivers", "Hornresp にはSdと付加質量（または箱）による Mms と Bl が必要です。"); }
QString writeFailed(const QString &path) { return QCoreApplication::translate("TFormDrivers", "%1 に書き込めませんでした。").arg(path); }
QString readFailed(const QString &path) { return QCoreApplication::translate("TFormDrivers", "%1 を読めませんでした。").arg(path); }
// clang-format on

} // namespace DriverTexts
