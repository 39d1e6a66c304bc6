#include "core/analysis/TsFlags.h"

QString tsFlagCodeName(TsFlagCode code)
{
    switch (code) {
    case TsFlagCode::MassShiftSmall:
        return QStringLiteral("mass-shift-small");
    case TsFlagCode::MassShiftLarge:
        return QStringLiteral("mass-shift-large");
    case TsFlagCode::AsymmetricResonance:
        return QStringLiteral("asymmetric-resonance");
    case TsFlagCode::SingleDualDisagree:
        return QStringLiteral("single-dual-disagree");
    case TsFlagCode::DualMassInconsistent:
        return QStringLiteral("dual-mass-inconsistent");
    case TsFlagCode::DualMassNoFit:
        return QStringLiteral("dual-mass-no-fit");
    case TsFlagCode::GridMismatch:
        return QStringLiteral("grid-mismatch");
    case TsFlagCode::ReAboveMinimum:
        return QStringLiteral("re-above-minimum");
    case TsFlagCode::PeakTooSharp:
        return QStringLiteral("peak-too-sharp");
    case TsFlagCode::NotMainResonance:
        return QStringLiteral("not-main-resonance");
    case TsFlagCode::MassRatioSmall:
        return QStringLiteral("mass-ratio-small");
    }
    return QString();
}
