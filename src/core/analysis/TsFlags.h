#pragma once

#include <QString>

// Warnings on a worksheet that still gives numbers: which values to trust less, and why.
enum class TsFlagCode {
    MassShiftSmall,       // an added mass moved Fs by less than kMinMassShift
    MassShiftLarge,       // ... by more than kMaxMassShift
    AsymmetricResonance,  // sqrt(f1 f2) further than kAsymmetryLimit from Fs
    SingleDualDisagree,   // a single-mass Mms off the dual-mass one beyond both methods' scatter
    DualMassInconsistent, // the fitted masses off the given ones by more than kConsistencyLimit
    DualMassNoFit,        // two masses, but no motional impedance to fit
    GridMismatch,         // same band, but frequencies apart by more than kGridTolerance
    ReAboveMinimum,       // Re above the lowest |Z| of the free-air curve
    PeakTooSharp,         // half-power width Fs / Qms under kSharpPeakSteps grid steps
    NotMainResonance,     // the analysis window's first peak is not the main resonance
    MassRatioSmall,       // the dual method's masses closer than kLeastMassRatio
};

constexpr double kMinMassShift = 0.15;
constexpr double kMaxMassShift = 0.50;
constexpr double kRightMassShift = 0.30; // the shift the suggested mass gives
constexpr double kAsymmetryLimit = 0.02;
// Single and dual mass disagree when apart by more than kDisagreeSigmas times their combined
// standard uncertainty, and by more than kDisagreeFloor, what the grid and the models leave
// on curves without noise.
constexpr double kDisagreeSigmas = 3.0;
constexpr double kDisagreeFloor = 0.02;
// Below this m2 / m1 the two curves differ too little for the dual method.
constexpr double kLeastMassRatio = 1.5;
constexpr double kConsistencyLimit = 0.02;
constexpr double kGridTolerance = 0.002;

struct TsFlag {
    TsFlagCode code;
    QString text; // one line, from WorksheetMessages
};

// The code as scripts read it: "mass-shift-small", "asymmetric-resonance", ...
QString tsFlagCodeName(TsFlagCode code);
