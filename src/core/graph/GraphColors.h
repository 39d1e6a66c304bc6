#pragma once

#include "core/model/Settings.h"

// Colours of the chart, in the 0x00BBGGRR form used everywhere in the program.
constexpr ColorRef kGridColor = 0x00C0C0C0;       // ordinary grid lines (silver)
constexpr ColorRef kGridStrongColor = 0x00808080; // decade and middle lines (grey)
constexpr ColorRef kFrameColor = 0x00000000;
constexpr ColorRef kBackgroundColor = 0x00FFFFFF;

// toQColor (files/Settings.h) is the one conversion of these values into Qt colours.
