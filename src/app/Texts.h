#pragma once

// Names and captions of the program itself.
namespace Texts {
inline constexpr const char *kProgramTitle = "VELO2";
inline constexpr const char *kSiblingTitle = "VELO";
inline constexpr const char *kCaption = "VELO2 v2.3";
inline constexpr const char *kFormCaption = "VELO2 スピーカのインピーダンス測定";
inline constexpr const char *kUnitName = "HK-A2";
inline constexpr const char *kVersion = "2.3";
} // namespace Texts
