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
    case TsFlagCode::SingleMassCreep:
        return QStringLiteral("single-mass-creep");
    case TsFlagCode::DualMassInconsistent:
        return QStringLiteral("dual-mass-inconsistent");
    case TsFlagCode::DualMassNoFit:
        return QStringLiteral("dual-mass-no-fit");
    case TsFlagCode::GridMismatch:
        return QStringLiteral("grid-mismatch");
    case TsFlagCode::ReAboveMinimum:
        return QStringLiteral("re-above-minimum");
    }
    return QString();
}
