#pragma once

#include <QString>
#include <complex>
#include <vector>

// Electrical models of a moving-coil driver in free air, all built from the voice coil's
// resistance Re, a blocked inductance and the motional parallel resonance Res ∥ Lces ∥ Cmes:
// - Classic: Re + jωLe + motional;
// - Lr2: Re + jωLe + (R2 ∥ jωL2) + motional;
// - Semi: Re + jωLe + (R2 ∥ jωL2 ∥ √(jω)·Ke) + motional, the semi-inductance of eddy-current
//   losses, with a suspension compliance (Lces) that grows towards low frequencies as
//   1 + β·ln(1 + ω0/jω), ω0 = 1.5·ωs: the logarithmic creep of the suspension, lossy since
//   its imaginary part is negative.
enum class FitModel { Classic, Lr2, Semi };

// Indices into a model's full parameter vector (SI units: ohm, henry, farad, ohm·s^½).
// Every model uses the first five; Lr2 adds R2 and L2; Semi adds Ke and beta as well.
enum FitParam { PRe, PLe, PRes, PLces, PCmes, PR2, PL2, PKe, PBeta, kFitParamMax };

int fitParamCount(FitModel model);

// "classic", "lr2", "semi"; false for any other name.
QString fitModelName(FitModel model);
bool fitModelFromName(const QString &name, FitModel *model);

// The model's impedance at frequency hz for the full parameter vector p.
std::complex<double> fitImpedance(FitModel model, const std::vector<double> &p, double hz);

// The motional part alone as an admittance, 1/Res + jωCmes + 1/(jωLces·creep): what a load on
// the cone (a box behind it) is added to.
std::complex<double> fitMotionalAdmittance(FitModel model, const std::vector<double> &p, double hz);

// The same, and the derivative of ln Z with respect to the logarithm of each parameter of the
// model (p_k·∂Z/∂p_k / Z) into dlnZ[0 .. fitParamCount(model)).
std::complex<double> fitImpedanceDerivatives(FitModel model, const std::vector<double> &p,
                                             double hz, std::complex<double> *dlnZ);

// Resonance and quality factors that follow from the motional parameters: Fs where the
// motional impedance is real (with creep a little below 1/(2π√(Lces·Cmes))), Qes = ωs·Cmes·Re,
// Qms = ωs·Cmes·Zm(ωs), the motional impedance at Fs: Res in parallel with the creep's own loss
// there (the real part of the lossy compliance's admittance). QmsBranch = ωs·Cmes·Res leaves
// that loss out; without creep the two are equal.
struct FitDerived {
    double Fs = 0; // Hz
    double Qms = 0;
    double Qes = 0;
    double Qts = 0;
    double QmsBranch = 0;
};
FitDerived fitDerived(FitModel model, const std::vector<double> &p);
