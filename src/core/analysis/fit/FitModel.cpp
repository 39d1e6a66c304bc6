#include "core/analysis/fit/FitModel.h"

#include <cmath>

namespace {

using C = std::complex<double>;

constexpr double kCreepCorner = 1.5; // ω0 / ωs of the logarithmic creep

constexpr int kResonanceSteps = 60;

// Compliance relative to its high-frequency value C0 (1 without creep).
C creepFactor(FitModel model, const std::vector<double> &p, double w)
{
    if (model != FitModel::Semi)
        return 1.0;
    const double w0 = kCreepCorner / std::sqrt(p[PLces] * p[PCmes]);
    return 1.0 + p[PBeta] * std::log(1.0 + w0 / C(0.0, w));
}

C motional(FitModel model, const std::vector<double> &p, double w)
{
    const C jw(0.0, w);
    return 1.0 / (1.0 / p[PRes] + jw * p[PCmes] + 1.0 / (jw * p[PLces] * creepFactor(model, p, w)));
}

} // namespace

int fitParamCount(FitModel model)
{
    switch (model) {
    case FitModel::Classic:
        return PR2;
    case FitModel::Lr2:
        return PKe;
    case FitModel::Semi:
        return kFitParamMax;
    }
    return 0;
}

QString fitModelName(FitModel model)
{
    switch (model) {
    case FitModel::Classic:
        return QStringLiteral("classic");
    case FitModel::Lr2:
        return QStringLiteral("lr2");
    case FitModel::Semi:
        return QStringLiteral("semi");
    }
    return {};
}

bool fitModelFromName(const QString &name, FitModel *model)
{
    for (FitModel m : {FitModel::Classic, FitModel::Lr2, FitModel::Semi}) {
        if (name == fitModelName(m)) {
            *model = m;
            return true;
        }
    }
    return false;
}

std::complex<double> fitImpedance(FitModel model, const std::vector<double> &p, double hz)
{
    const double w = 2.0 * M_PI * hz;
    const C jw(0.0, w);
    C z = p[PRe] + jw * p[PLe] + motional(model, p, w);
    if (model == FitModel::Classic)
        return z;
    C y = 1.0 / p[PR2] + 1.0 / (jw * p[PL2]);
    if (model == FitModel::Semi)
        y += 1.0 / (std::sqrt(jw) * p[PKe]);
    return z + 1.0 / y;
}

std::complex<double> fitImpedanceDerivatives(FitModel model, const std::vector<double> &p,
                                             double hz, std::complex<double> *dlnZ)
{
    const double w = 2.0 * M_PI * hz;
    const C jw(0.0, w);
    // Motional part 1/Ym; p·∂Ym/∂p for each of its parameters, then ∂Zm = -Zm²·∂Ym.
    const C c = creepFactor(model, p, w);
    const C t = 1.0 / (jw * p[PLces] * c);
    const C ym = 1.0 / p[PRes] + jw * p[PCmes] + t;
    const C zm = 1.0 / ym;
    C dyRes = -1.0 / p[PRes], dyCmes = jw * p[PCmes], dyLces = -t, dyBeta = 0.0;
    if (model == FitModel::Semi) {
        // ω0 = 1.5/√(Lces·Cmes): ∂c/∂ln Lces = ∂c/∂ln Cmes = -½·β·ω0/(jω + ω0).
        const double w0 = kCreepCorner / std::sqrt(p[PLces] * p[PCmes]);
        const C dcHalf = -0.5 * p[PBeta] * w0 / (jw + w0);
        dyLces -= t * dcHalf / c;
        dyCmes -= t * dcHalf / c;
        dyBeta = -t * (c - 1.0) / c;
    }
    C z = p[PRe] + jw * p[PLe] + zm;
    C dz[kFitParamMax];
    dz[PRe] = p[PRe];
    dz[PLe] = jw * p[PLe];
    dz[PRes] = -zm * zm * dyRes;
    dz[PLces] = -zm * zm * dyLces;
    dz[PCmes] = -zm * zm * dyCmes;
    if (model != FitModel::Classic) {
        const C yR = 1.0 / p[PR2], yL = 1.0 / (jw * p[PL2]);
        const C yK = model == FitModel::Semi ? 1.0 / (std::sqrt(jw) * p[PKe]) : C(0.0);
        const C zb = 1.0 / (yR + yL + yK);
        z += zb;
        dz[PR2] = zb * zb * yR;
        dz[PL2] = zb * zb * yL;
        if (model == FitModel::Semi) {
            dz[PKe] = zb * zb * yK;
            dz[PBeta] = -zm * zm * dyBeta;
        }
    }
    for (int k = 0; k < fitParamCount(model); ++k)
        dlnZ[k] = dz[k] / z;
    return z;
}

FitDerived fitDerived(FitModel model, const std::vector<double> &p)
{
    FitDerived d;
    // The resonance is where the motional impedance is real: ω² = ω0²·Re(c)/|c|² for the
    // compliance factor c(ω), solved by fixed-point steps (c changes slowly with ω).
    const double w0 = 1.0 / std::sqrt(p[PLces] * p[PCmes]);
    double ws = w0;
    for (int i = 0; i < kResonanceSteps; ++i) {
        const C c = creepFactor(model, p, ws);
        const double next = w0 * std::sqrt(c.real() / std::norm(c));
        const bool settled = std::fabs(next - ws) <= 1e-13 * ws;
        ws = next;
        if (settled)
            break;
    }
    d.Fs = ws / (2.0 * M_PI);
    d.Qes = ws * p[PCmes] * p[PRe];
    d.Qms = ws * p[PCmes] * p[PRes];
    d.Qts = d.Qes * d.Qms / (d.Qes + d.Qms);
    return d;
}
