#include "core/analysis/fit/FitModel.h"

#include <cmath>

namespace {

using C = std::complex<double>;

constexpr double kCreepCorner = 1.5; // ω0 / ωs of the logarithmic creep

constexpr int kResonanceSteps = 60;

// 1/z without the checks for infinities of the library's complex division, which cost
// more than the whole model.
C inv(C z)
{
    const double n = std::norm(z);
    return {z.real() / n, -z.imag() / n};
}

// Compliance relative to its high-frequency value C0 (1 without creep).
C creepFactor(FitModel model, const std::vector<double> &p, double w)
{
    if (model != FitModel::Semi)
        return 1.0;
    const double w0 = kCreepCorner / std::sqrt(p[PLces] * p[PCmes]);
    return 1.0 + p[PBeta] * std::log(C(1.0, -w0 / w));
}

// Z at ω, and when dz is given p_k·∂Z/∂p_k for each parameter of the model.
C evaluate(FitModel model, const std::vector<double> &p, double w, C *dz)
{
    const C jw(0.0, w);
    // Motional part 1/Ym; ∂Zm = -Zm²·∂Ym.
    const C c = creepFactor(model, p, w);
    const C t = inv(jw * (p[PLces] * c));
    const C zm = inv(C(1.0 / p[PRes], w * p[PCmes]) + t);
    C z = C(p[PRe], w * p[PLe]) + zm;
    C yK = 0.0, zb = 0.0, yR = 0.0, yL = 0.0;
    if (model != FitModel::Classic) {
        yR = 1.0 / p[PR2];
        yL = C(0.0, -1.0 / (w * p[PL2]));
        // √(jω) = √(ω/2)·(1 + j)
        if (model == FitModel::Semi)
            yK = inv(std::sqrt(w / 2.0) * p[PKe] * C(1.0, 1.0));
        zb = inv(yR + yL + yK);
        z += zb;
    }
    if (!dz)
        return z;
    const C zm2 = -zm * zm;
    C dyLces = -t, dyCmes = jw * p[PCmes];
    if (model == FitModel::Semi) {
        // ω0 = 1.5/√(Lces·Cmes): ∂c/∂ln Lces = ∂c/∂ln Cmes = -½·β·ω0/(jω + ω0).
        const double w0 = kCreepCorner / std::sqrt(p[PLces] * p[PCmes]);
        const C dcHalfOverC = -0.5 * p[PBeta] * w0 * inv((jw + w0) * c);
        dyLces -= t * dcHalfOverC;
        dyCmes -= t * dcHalfOverC;
        dz[PBeta] = zm2 * (-t * (c - 1.0) * inv(c));
    }
    dz[PRe] = p[PRe];
    dz[PLe] = jw * p[PLe];
    dz[PRes] = zm2 * (-1.0 / p[PRes]);
    dz[PLces] = zm2 * dyLces;
    dz[PCmes] = zm2 * dyCmes;
    if (model != FitModel::Classic) {
        const C zb2 = zb * zb;
        dz[PR2] = zb2 * yR;
        dz[PL2] = zb2 * yL;
        if (model == FitModel::Semi)
            dz[PKe] = zb2 * yK;
    }
    return z;
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
    return evaluate(model, p, 2.0 * M_PI * hz, nullptr);
}

std::complex<double> fitMotionalAdmittance(FitModel model, const std::vector<double> &p, double hz)
{
    const double w = 2.0 * M_PI * hz;
    return C(1.0 / p[PRes], w * p[PCmes]) + inv(C(0.0, w) * (p[PLces] * creepFactor(model, p, w)));
}

std::complex<double> fitImpedanceDerivatives(FitModel model, const std::vector<double> &p,
                                             double hz, std::complex<double> *dlnZ)
{
    C dz[kFitParamMax];
    const C z = evaluate(model, p, 2.0 * M_PI * hz, dz);
    const C zInv = inv(z);
    for (int k = 0; k < fitParamCount(model); ++k)
        dlnZ[k] = dz[k] * zInv;
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
    d.QmsBranch = ws * p[PCmes] * p[PRes];
    // The motional conductance at Fs: 1/Res and the creep's loss, Re(1/(jωs·Lces·c)).
    const C yCreep = inv(C(0.0, ws) * (p[PLces] * creepFactor(model, p, ws)));
    d.Qms = model == FitModel::Semi ? ws * p[PCmes] / (1.0 / p[PRes] + yCreep.real()) : d.QmsBranch;
    d.Qts = d.Qes * d.Qms / (d.Qes + d.Qms);
    return d;
}
