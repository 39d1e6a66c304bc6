#pragma once

#include "core/model/ProgramName.h"

#include <QCoreApplication>
#include <QString>

// Names and captions of the program itself.
namespace Texts {
inline constexpr const char *kProgramTitle = kProgramName;
inline constexpr const char *kSiblingTitle = "VELO";
inline constexpr const char *kCaption = "VELO2 v2.3";
inline constexpr const char *kFormCaption =
    QT_TRANSLATE_NOOP("Texts", "VELO2 スピーカのインピーダンス測定");
inline constexpr const char *kUnitName = "HK-A2";
inline constexpr const char *kVersion = "2.3";
// The start button's two captions: idle, and during a run (it then stops the run).
inline constexpr const char *kStartCaption = QT_TRANSLATE_NOOP("Texts", "測定開始");
inline constexpr const char *kStopCaption = QT_TRANSLATE_NOOP("Texts", "測定停止");
// The shown form of one of the texts above, in the language of this start.
inline QString shown(const char *text)
{
    return QCoreApplication::translate("Texts", text);
}
} // namespace Texts
