#include "core/analysis/DualAddedMass.h"

#include "core/analysis/RefinedResonance.h"

#include <cmath>
#include <complex>
#include <vector>

namespace {

using cplx = std::complex<double>;

constexpr double kWindowLow = 0.8;
constexpr double kWindowHigh = 1.2;
constexpr double kSearchLow = 0.5;
constexpr double kSearchHigh = 2.0;
// Creep factors searched: none up to well beyond real suspensions; the grid is refined by a
// golden-section search around its best point.
constexpr double kBetaMax = 0.16;
constexpr int kBetaSteps = 80;

cplx impedance(const CurveBlock &c, int i)
{
    return std::polar(double(c.r[i]), double(c.theta[i]) * M_PI / 180.0);
}

struct Point {
    double w;
    cplx dz1, dz2, zm;
};

cplx creep(double beta, double w)
{
    return 1.0 / (1.0 - beta * std::log(cplx(0.0, w)));
}

struct LinearFit {
    double a = 0.0, b = 0.0, c = 0.0;
    double residual = INFINITY;
    double aVariance = INFINITY; // per unit residual variance: (M⁻¹)₀₀
};

// Least squares of 1/Zm = jw a + b + j Q c / w at a fixed beta (normal equations, Cramer).
LinearFit fitAtBeta(const std::vector<Point> &pts, double beta)
{
    double m[3][3] = {};
    double v[3] = {};
    for (const Point &p : pts) {
        const cplx y = 1.0 / p.zm;
        const cplx q = creep(beta, p.w);
        const double rowRe[3] = {0.0, 1.0, -q.imag() / p.w};
        const double rowIm[3] = {p.w, 0.0, q.real() / p.w};
        for (int r = 0; r < 3; ++r) {
            for (int k = 0; k < 3; ++k)
                m[r][k] += rowRe[r] * rowRe[k] + rowIm[r] * rowIm[k];
            v[r] += rowRe[r] * y.real() + rowIm[r] * y.imag();
        }
    }
    auto det = [](const double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(m);
    LinearFit f;
    if (d == 0.0 || !std::isfinite(d))
        return f;
    double x[3];
    for (int col = 0; col < 3; ++col) {
        double t[3][3];
        for (int r = 0; r < 3; ++r)
            for (int k = 0; k < 3; ++k)
                t[r][k] = k == col ? v[r] : m[r][k];
        x[col] = det(t) / d;
    }
    f.a = x[0];
    f.b = x[1];
    f.c = x[2];
    f.aVariance = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / d;
    f.residual = 0.0;
    for (const Point &p : pts) {
        const cplx model = cplx(f.b, p.w * f.a) + cplx(0.0, 1.0) * creep(beta, p.w) * f.c / p.w;
        f.residual += std::norm(model - 1.0 / p.zm);
    }
    return f;
}

// The mass that dZ implies for a motional impedance z: Re[Bl² dZ / (jw z (z - dZ))].
double impliedMass(double bl2, double w, cplx dz, cplx z)
{
    return (bl2 * dz / (cplx(0.0, w) * z * (z - dz))).real();
}

// jw m Zfit (Zfit - dZ): Bl² dZ for a mass m.
cplx massTerm(double m, double w, cplx dz, cplx zFit)
{
    return cplx(0.0, w * m) * zFit * (zFit - dz);
}

struct Mass {
    double kg;
    cplx Point::*dz;
};

} // namespace

DualMassFit fitDualMass(const DualMassInput &in)
{
    DualMassFit out;
    if (!in.free || !in.light || !in.heavy || !(in.m1 > 0.0) || !(in.m2 > in.m1) ||
        in.last - in.first < 2 || !(in.fsHint > 0.0))
        return out;
    const double mu = in.m2 / in.m1;
    std::vector<Point> all;
    std::vector<double> hz;
    for (int i = in.first; i <= in.last; ++i) {
        const cplx z0 = impedance(*in.free, i);
        const cplx dz1 = z0 - impedance(*in.light, i);
        const cplx dz2 = z0 - impedance(*in.heavy, i);
        const cplx zm = (1.0 - mu) * dz1 * dz2 / (dz2 - mu * dz1);
        all.push_back({2.0 * M_PI * in.free->freq[i], dz1, dz2, zm});
        hz.push_back(in.free->freq[i]);
    }
    // The motional resonance: the largest finite |Zm| near the free-air one, refined between
    // the grid points. Far from it the differences vanish and their quotient is noise.
    int k = -1;
    for (int j = 0; j < int(all.size()); ++j)
        if (hz[j] >= kSearchLow * in.fsHint && hz[j] <= kSearchHigh * in.fsHint &&
            std::isfinite(std::abs(all[j].zm)) &&
            (k < 0 || std::abs(all[j].zm) > std::abs(all[k].zm)))
            k = j;
    if (k < 0)
        return out;
    out.fsMotional = hz[k];
    if (k > 0 && k + 1 < int(all.size())) {
        const double f[3] = {hz[k - 1], hz[k], hz[k + 1]};
        const double y[3] = {std::abs(all[k - 1].zm), std::abs(all[k].zm), std::abs(all[k + 1].zm)};
        double peak = 0.0;
        parabolaPeak(f, y, &out.fsMotional, &peak); // else the grid point stays
    }
    out.lowHz = kWindowLow * out.fsMotional;
    out.highHz = kWindowHigh * out.fsMotional;
    std::vector<Point> pts;
    for (std::size_t j = 0; j < all.size(); ++j)
        if (hz[j] >= out.lowHz && hz[j] <= out.highHz && std::isfinite(std::abs(all[j].zm)))
            pts.push_back(all[j]);
    out.points = int(pts.size());
    if (out.points < kDualMassMinPoints)
        return out;

    // Coarse scan over beta, then golden-section search around the best step.
    int best = 0;
    double bestResidual = INFINITY;
    for (int s = 0; s <= kBetaSteps; ++s) {
        const double r = fitAtBeta(pts, kBetaMax * s / kBetaSteps).residual;
        if (r < bestResidual) {
            bestResidual = r;
            best = s;
        }
    }
    const double step = kBetaMax / kBetaSteps;
    double lo = std::max(0.0, (best - 1) * step);
    double hi = std::min(kBetaMax, (best + 1) * step);
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    for (int it = 0; it < 40; ++it) {
        const double x1 = hi - g * (hi - lo);
        const double x2 = lo + g * (hi - lo);
        if (fitAtBeta(pts, x1).residual < fitAtBeta(pts, x2).residual)
            hi = x2;
        else
            lo = x1;
    }
    out.beta = 0.5 * (lo + hi);
    const LinearFit fit = fitAtBeta(pts, out.beta);
    if (!std::isfinite(fit.residual) || !(fit.a > 0.0))
        return out;
    std::vector<cplx> zFit;
    for (const Point &p : pts)
        zFit.push_back(
            1.0 / (cplx(fit.b, p.w * fit.a) + cplx(0.0, 1.0) * creep(out.beta, p.w) * fit.c / p.w));

    // Bl² from both masses' equations at once: least squares of Bl²·dZ = jw m Zfit (Zfit - dZ).
    const Mass masses[2] = {{in.m1, &Point::dz1}, {in.m2, &Point::dz2}};
    double num = 0.0;
    double den = 0.0;
    for (std::size_t j = 0; j < pts.size(); ++j)
        for (const Mass &m : masses) {
            const cplx dz = pts[j].*m.dz;
            num += (std::conj(dz) * massTerm(m.kg, pts[j].w, dz, zFit[j])).real();
            den += std::norm(dz);
        }
    const double bl2 = num / den;
    if (!(bl2 > 0.0) || !std::isfinite(bl2))
        return out;
    double blResidual = 0.0;
    for (std::size_t j = 0; j < pts.size(); ++j)
        for (const Mass &m : masses) {
            const cplx dz = pts[j].*m.dz;
            blResidual += std::norm(massTerm(m.kg, pts[j].w, dz, zFit[j]) - bl2 * dz);
        }
    out.Bl = std::sqrt(bl2);
    out.Mms = bl2 * fit.a;

    // Each mass as the fitted motional impedance sees it, averaged over the window.
    double m1Sum = 0.0;
    double m2Sum = 0.0;
    for (std::size_t j = 0; j < pts.size(); ++j) {
        m1Sum += impliedMass(bl2, pts[j].w, pts[j].dz1, zFit[j]);
        m2Sum += impliedMass(bl2, pts[j].w, pts[j].dz2, zFit[j]);
    }
    out.m1Fit = m1Sum / double(pts.size());
    out.m2Fit = m2Sum / double(pts.size());

    // Standard errors from each fit's residual: 2n real equations for a, b, c; 4n for Bl².
    const double n = double(pts.size());
    const double aSigma = std::sqrt(fit.residual / (2.0 * n - 3.0) * fit.aVariance) / fit.a;
    const double blSigma = std::sqrt(blResidual / (4.0 * n - 1.0) / den) / bl2;
    out.mmsSigma = std::hypot(aSigma, blSigma);
    out.consistency =
        std::max(std::fabs(out.m1Fit / in.m1 - 1.0), std::fabs(out.m2Fit / in.m2 - 1.0));
    out.ok = std::isfinite(out.Mms) && out.Mms > 0.0 && std::isfinite(out.consistency) &&
             std::isfinite(out.mmsSigma);
    return out;
}
