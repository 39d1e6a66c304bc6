#pragma once

#include "core/analysis/TsParameters.h"
#include "core/analysis/TsUncertainty.h"
#include "core/model/RepeatSet.h"

#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <optional>
#include <vector>

// Thiele-Small values sweep by sweep, so that their scatter over a repeat set (the Type A
// spread) can be told, and the values of the set's mean beside them.

// One computation's values: per key the value of each sweep that gave values, in sweep order,
// and the value of the mean curve.
struct RepeatTsSeries {
    QStringList keys; // in display order
    std::map<QString, std::vector<double>> perSweep;
    std::map<QString, double> mean;
};

struct RepeatTs {
    // Why the mean gave no values (then nothing else is meaningful); empty when it did.
    QString refusal;
    // The sweeps (from 0) the lists hold, and for every sweep of the set why it gave no
    // values (empty when it did).
    std::vector<int> sweeps;
    std::vector<QString> sweepRefusals;
    // The analysis window's values (computeTs on its first peak), under the keys of
    // `velo2-cli ts --json`: Re, Rmax, Fs, r0, Rx, f1, f2, Qms, Qes, Qts.
    RepeatTsSeries window;
    // The worksheet's classic values between the grid points, under the keys of its "classic"
    // section: Re_Ohm, Rmax_Ohm, Fs_Hz, r0, Rx_Ohm, f1_Hz, f2_Hz, Qms, Qes, Qts, EBP_Hz. A
    // single sweep's Fs here is not tied to the grid, so its scatter shows the noise.
    RepeatTsSeries classic;
    bool ok() const { return refusal.isEmpty(); }
};

// Both computations on every sweep of set and on its mean, with the coil's resistance re in
// ohms. A sweep counts only when both computations gave values.
RepeatTs repeatThieleSmall(const RepeatSet &set, double re);

// The Type A input of an uncertainty budget: the worksheet's classic values of each sweep of
// set, with the coil's resistance re; empty without a set or when its mean gave no values.
TsRepeatValues repeatValues(const RepeatSet *set, double re);

// The analysis window's ten values (in the order of tsValues) with their expanded uncertainty
// U = k·s/√n over the sweeps of a repeat set; NaN where fewer than two sweeps gave the value.
struct WindowSpread {
    int sweeps = 0; // sweeps that gave values
    std::array<double, kTsValueCount> expanded{};
};
// None when the set's mean gives no values or fewer than two sweeps do.
std::optional<WindowSpread> windowSpread(const RepeatSet &set, double re);

// The curve of one sweep as a measurement's raw block (R -1 past its measured points).
void sweepCurve(const RepeatSweep &sweep, CurveBlock &raw);
