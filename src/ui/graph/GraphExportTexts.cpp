#include "ui/graph/GraphExportTexts.h"

#include <QCoreApplication>

namespace GraphExportTexts {

// Each text is written out in its translate() call, where lupdate finds it.

// clang-format off
QString exportMenuItem() { return QCoreApplication::translate("GraphExportTexts", "グラフをエクスポート..."); }
QString copyMenuItem() { return QCoreApplication::translate("GraphExportTexts", "グラフをコピー"); }
QString exportCaption() { return QCoreApplication::translate("GraphExportTexts", "グラフをエクスポート"); }
QString exportFilter() { return QCoreApplication::translate("GraphExportTexts", "SVG ファイル (*.svg);;PDF ファイル (*.pdf);;PNG ファイル (*.png)"); }
QString widthLabel() { return QCoreApplication::translate("GraphExportTexts", "幅 (ピクセル):"); }
QString heightLabel() { return QCoreApplication::translate("GraphExportTexts", "高さ (ピクセル):"); }
QString unknownFormat(const QString &path) { return QCoreApplication::translate("GraphExportTexts", "%1 は書き出せません。名前の末尾は .svg、.pdf、.png のいずれかにして下さい。").arg(path); }
QString notWritten(const QString &path, const QString &reason) { return QCoreApplication::translate("GraphExportTexts", "%1 に書き込めませんでした (%2)。ファイルは変更していません。").arg(path, reason); }
QString notDrawn() { return QCoreApplication::translate("GraphExportTexts", "グラフを描けませんでした"); }
QString noSuchFolder() { return QCoreApplication::translate("GraphExportTexts", "フォルダがありません"); }
QString noPermission() { return QCoreApplication::translate("GraphExportTexts", "書き込みが許可されていません"); }
QString cannotWrite() { return QCoreApplication::translate("GraphExportTexts", "書き込みに失敗しました"); }
// clang-format on

} // namespace GraphExportTexts
