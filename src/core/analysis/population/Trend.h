#pragma once

#include <vector>

// Break-in and drift: the resonance is settled when the last two values differ by less than
// a share of the earlier one.
constexpr double kSettledPct = 2.0;

// False below two values or when the earlier one is not above zero.
bool isSettled(const std::vector<double> &fsInOrder, double pct = kSettledPct);
