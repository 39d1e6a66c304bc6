#pragma once

#include <QFont>

// The font of every VELO2 window: "ＭＳ Ｐゴシック" 12 pixels high, with the IPA proportional
// Gothic as the stand-in where the Windows face is not installed.
QFont windowFont();
