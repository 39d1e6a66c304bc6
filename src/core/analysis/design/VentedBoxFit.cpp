#include "core/analysis/design/VentedBoxFit.h"

#include "core/model/CurveBlock.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unsupported/Eigen/NonLinearOptimization>
#include <unsupported/Eigen/NumericalDiff>

namespace {

using C = std::complex<double>;
using Vec = Eigen::VectorXd;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kRadPerDeg = M_PI / 180.0;
constexpr double kHugeResidual = 1e3;
// Where the box's values may go: α, Fb as a share of the band's edges, and each loss's Q.
constexpr double kAlphaLow = 1e-3, kAlphaHigh = 1e3;
constexpr double kFbBelow = 0.25, kFbAbove = 4.0;
constexpr double kQLow = 0.2, kQHigh = 1e4;
// A Q within this (in its logarithm) of its top is no loss the curve shows.
constexpr double kAtEdge = 1e-2;
// Start values of the leakage: a tight, a usual and a leaky box.
constexpr double kQlStarts[] = {30.0, 7.0, 2.0};
constexpr double kLossStart = 20.0; // QA and QP
// An absorption or port loss is kept when it takes at least this share off the residuals'
// sum of squares and the curve gives its Q within ±50 %.
constexpr double kLossGain = 0.05;
constexpr double kLossDetermined = 0.5;
constexpr double kMostLag1 = 0.99;
// The classic driver model stands for the driver when it follows the free-air curve this
// closely; else the semi-inductance model, which costs far more.
constexpr double kClassicMagPct = 0.5, kClassicPhaseDeg = 0.5;

enum BoxParam { BAlpha, BFb, BQl, BQa, BQp };

// The driver at one frequency of the box curve: its coil's part and its motional admittance.
struct DriverPoint {
    double hz;
    double logOhm;
    double rad;
    C coil;
    C ym;
};

struct BoxModel {
    double lces = 0; // the driver's compliance at Fs, as an inductance
    bool qa = false, qp = false;

    int params() const { return 3 + int(qa) + int(qp); }
    // α, Fb, QL, QA, QP from the logarithms in x (an absent loss: an infinite Q).
    void values(const Vec &x, double v[5]) const
    {
        v[BAlpha] = std::exp(x[0]);
        v[BFb] = std::exp(x[1]);
        v[BQl] = std::exp(x[2]);
        int k = 3;
        v[BQa] = qa ? std::exp(x[k++]) : kInf;
        v[BQp] = qp ? std::exp(x[k]) : kInf;
    }
};

struct Residuals {
    using Scalar = double;
    using InputType = Vec;
    using ValueType = Vec;
    using JacobianType = Eigen::MatrixXd;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };

    const std::vector<DriverPoint> *pts;
    BoxModel model;
    bool phase;
    Vec lo, hi;

    int inputs() const { return model.params(); }
    int values() const { return int(pts->size()) * (phase ? 2 : 1); }

    Vec clamped(const Vec &x) const { return x.cwiseMax(lo).cwiseMin(hi); }

    int operator()(const Vec &x, Vec &f) const
    {
        double v[5];
        model.values(clamped(x), v);
        const int n = int(pts->size());
        for (int i = 0; i < n; ++i) {
            const DriverPoint &pt = (*pts)[i];
            const C yb = ventedBoxLoadAdmittance(model.lces, v[BAlpha], v[BFb], v[BQl], v[BQa],
                                                 v[BQp], pt.hz);
            const C z = pt.coil + 1.0 / (pt.ym + yb);
            const double mag = 0.5 * std::log(std::norm(z)) - pt.logOhm;
            const double ph = std::remainder(std::arg(z) - pt.rad, 2.0 * M_PI);
            f[i] = std::isfinite(mag) ? mag : kHugeResidual;
            if (phase)
                f[n + i] = std::isfinite(ph) ? ph : kHugeResidual;
        }
        return 0;
    }
};

struct Solution {
    bool ok = false;
    BoxModel model;
    Vec x;
    Vec stderrs; // of the logarithms; NaN where the curve does not give one
    double cost = kInf;
    int iterations = 0;
};

// Lag-1 autocorrelation of the residuals along the curve, |Z| and phase each on its own.
double lag1(const Vec &f, int n)
{
    double num = 0;
    const double den = f.squaredNorm();
    for (int b = 0; b + n <= f.size(); b += n)
        for (int i = b; i + 1 < b + n; ++i)
            num += f[i] * f[i + 1];
    return den > 0 ? num / den : 0.0;
}

// Standard errors from the Jacobian at the solution, s²·(JᵀJ)⁻¹ of the logarithms, widened as
// the model fit widens them for residuals that follow each other along the curve.
Vec logStderrs(const Residuals &r, const Vec &x, const Vec &f)
{
    const int m = r.values(), n = r.inputs();
    Vec out = Vec::Constant(n, kNaN);
    if (m <= n)
        return out;
    Eigen::NumericalDiff<Residuals, Eigen::Central> diff(r);
    Eigen::MatrixXd J(m, n);
    diff.df(x, J);
    const double rho = std::min(lag1(f, int(r.pts->size())), kMostLag1);
    const double widen = rho > 0 ? (1 + rho) / (1 - rho) : 1.0;
    const double s2 = f.squaredNorm() / double(m - n) * widen;
    const Vec scale = J.colwise().norm().transpose();
    if (!(scale.minCoeff() > 0))
        return out;
    for (int c = 0; c < n; ++c)
        J.col(c) /= scale[c];
    const Eigen::MatrixXd cov = (J.transpose() * J).inverse();
    if (!cov.allFinite())
        return out;
    for (int c = 0; c < n; ++c)
        if (cov(c, c) >= 0)
            out[c] = std::sqrt(s2 * cov(c, c)) / scale[c];
    return out;
}

Solution solve(const std::vector<DriverPoint> &pts, bool phase, const BoxModel &model,
               const Vec &start, double fbLo, double fbHi)
{
    Solution s;
    s.model = model;
    const int n = model.params();
    Vec lo(n), hi(n);
    lo << std::log(kAlphaLow), std::log(fbLo), std::log(kQLow);
    hi << std::log(kAlphaHigh), std::log(fbHi), std::log(kQHigh);
    for (int k = 3; k < n; ++k) {
        lo[k] = std::log(kQLow);
        hi[k] = std::log(kQHigh);
    }
    const Residuals r{&pts, model, phase, lo, hi};
    Eigen::NumericalDiff<Residuals, Eigen::Central> diff(r);
    Eigen::LevenbergMarquardt<Eigen::NumericalDiff<Residuals, Eigen::Central>> lm(diff);
    lm.parameters.maxfev = 400 * (n + 1);
    lm.parameters.xtol = 1e-10;
    lm.parameters.ftol = 1e-12;
    Vec x = r.clamped(start);
    const auto status = lm.minimize(x);
    using S = Eigen::LevenbergMarquardtSpace::Status;
    s.iterations = int(lm.iter);
    s.x = r.clamped(x);
    if (status == S::ImproperInputParameters || !s.x.allFinite())
        return s;
    Vec f(r.values());
    r(s.x, f);
    s.cost = f.squaredNorm();
    s.stderrs = logStderrs(r, s.x, f);
    // A Q at its top: the curve shows no such loss, and its error means nothing.
    for (int k = BQl; k < n; ++k)
        if (s.x[k] >= hi[k] - kAtEdge)
            s.stderrs[k] = kNaN;
    s.ok = std::isfinite(s.cost);
    return s;
}

} // namespace

std::complex<double> ventedBoxLoadAdmittance(double lces, double alpha, double fbHz, double ql,
                                             double qa, double qp, double hz)
{
    // Each acoustic element through Sd² and Bl² into the electrical circuit: the box's
    // compliance an inductance Lceb = Lces/α, the port's mass a capacitance, the leakage a
    // resistance; in series there, since they are in parallel behind the cone.
    const double w = 2 * M_PI * hz;
    const double wb = 2 * M_PI * fbHz;
    const C jw(0.0, w);
    const C box = jw / (1.0 + jw / (wb * qa));
    const C port = wb * wb / (jw + wb / qp);
    const double leak = wb / ql;
    return 1.0 / ((lces / alpha) * (box + port + leak));
}

VentedBoxFitInput ventedBoxFitInput(const CurveBlock &freeRaw, int freeBand,
                                    const CurveBlock &boxRaw, int boxBand, double vbLitres,
                                    double re)
{
    VentedBoxFitInput in;
    in.vbLitres = vbLitres;
    in.freeBand = freeBand;
    in.boxBand = boxBand;
    in.textbook = analyseVentedBox(boxRaw, boxBand, vbLitres);
    in.driver.model = FitModel::Semi;
    in.driver.reFree = !(re > 0);
    in.driver.re = re > 0 ? re : 0;
    if (in.textbook.ok() && freeBand == boxBand) {
        in.freeAir = fitPoints(freeRaw, freeBand, 0, 0);
        in.box = fitPoints(boxRaw, boxBand, 0, 0);
    }
    return in;
}

std::complex<double> VentedBoxFitResult::impedance(double hz) const
{
    const std::complex<double> ym = fitMotionalAdmittance(driver.model, driver.p, hz);
    const std::complex<double> coil = driver.impedance(hz) - 1.0 / ym;
    const double ws = 2 * M_PI * fsHz;
    const double lces = 1.0 / (ws * ws * driver.p[PCmes]);
    return coil + 1.0 / (ym + ventedBoxLoadAdmittance(lces, alpha, fbHz, ql, qa, qp, hz));
}

VentedBoxFitResult fitVentedBox(const VentedBoxFitInput &in)
{
    VentedBoxFitResult res;
    res.textbook = in.textbook;
    res.vbLitres = in.vbLitres;
    if (in.freeBand != in.boxBand) {
        res.outcome = VentedBoxFitOutcome::OtherBand;
        return res;
    }
    if (!in.textbook.ok())
        return res;
    FitSettings classic = in.driver;
    classic.model = FitModel::Classic;
    res.driver = fitImpedanceCurve(in.freeAir, classic);
    if (!(res.driver.outcome == FitOutcome::Ok && res.driver.rmsMagPct <= kClassicMagPct &&
          res.driver.rmsPhaseDeg <= kClassicPhaseDeg) &&
        in.driver.model != FitModel::Classic) {
        const int iterations = res.driver.iterations;
        res.driver = fitImpedanceCurve(in.freeAir, in.driver);
        res.driver.iterations += iterations;
    }
    res.iterations = res.driver.iterations;
    if (res.driver.outcome != FitOutcome::Ok) {
        res.outcome = VentedBoxFitOutcome::FreeAirFailed;
        return res;
    }
    res.fsHz = res.driver.derived.Fs;
    res.fsStderr = res.driver.derivedStderr.Fs;
    res.points = int(in.box.size());
    res.outcome = VentedBoxFitOutcome::NoConvergence;
    if (res.points < 2 * 5 + 2)
        return res;

    // The driver is held: its coil and motional parts are computed once per point.
    const FitResult &d = res.driver;
    std::vector<DriverPoint> pts;
    pts.reserve(in.box.size());
    for (const FitPoint &p : in.box) {
        const C ym = fitMotionalAdmittance(d.model, d.p, p.hz);
        pts.push_back(
            {p.hz, std::log(p.ohm), p.deg * kRadPerDeg, d.impedance(p.hz) - 1.0 / ym, ym});
    }
    const bool phase = fitPointsHavePhase(in.box);
    const double ws = 2 * M_PI * res.fsHz;
    BoxModel model;
    model.lces = 1.0 / (ws * ws * d.p[PCmes]);
    const double fbLo = kFbBelow * in.box.front().hz, fbHi = kFbAbove * in.box.back().hz;

    // Leakage alone, from the textbook's α and Fb and a few leakages; the lowest wins.
    Solution best;
    for (double ql : kQlStarts) {
        Vec start(3);
        start << std::log(in.textbook.alpha), std::log(in.textbook.fbHz), std::log(ql);
        const Solution s = solve(pts, phase, model, start, fbLo, fbHi);
        res.iterations += s.iterations;
        if (s.ok && s.cost < best.cost)
            best = s;
    }
    if (!best.ok)
        return res;
    // Absorption and the port's loss, each on its own and then together, where they pay.
    auto worthIt = [&](const Solution &s, const Solution &base) {
        if (!s.ok || !(s.cost < (1 - kLossGain) * base.cost))
            return false;
        for (int k = BQa; k < s.model.params(); ++k)
            if (!(s.stderrs[k] <= kLossDetermined))
                return false;
        return true;
    };
    const Solution leakOnly = best;
    for (const auto &[qa, qp] : {std::pair{true, false}, std::pair{false, true}}) {
        BoxModel m = model;
        m.qa = qa;
        m.qp = qp;
        Vec start(4);
        start << leakOnly.x, std::log(kLossStart);
        const Solution s = solve(pts, phase, m, start, fbLo, fbHi);
        res.iterations += s.iterations;
        if (worthIt(s, leakOnly) && s.cost < best.cost)
            best = s;
    }
    if (best.model.params() == 4) {
        BoxModel m = model;
        m.qa = m.qp = true;
        Vec start(5);
        start << leakOnly.x, std::log(kLossStart), std::log(kLossStart);
        const Solution s = solve(pts, phase, m, start, fbLo, fbHi);
        res.iterations += s.iterations;
        if (worthIt(s, best))
            best = s;
    }

    double v[5];
    best.model.values(best.x, v);
    res.alpha = v[BAlpha];
    res.vasLitres = res.alpha * in.vbLitres;
    res.fbHz = v[BFb];
    // A leakage at the top of its range: the curve shows none.
    const bool tight = std::log(v[BQl]) >= std::log(kQHigh) - kAtEdge;
    res.ql = tight ? kInf : v[BQl];
    res.qa = v[BQa];
    res.qp = v[BQp];
    res.vasStderr = res.vasLitres * best.stderrs[BAlpha];
    res.fbStderr = res.fbHz * best.stderrs[BFb];
    res.qlStderr = res.ql * best.stderrs[BQl];
    int k = BQa;
    res.qaStderr = best.model.qa ? res.qa * best.stderrs[k++] : kNaN;
    res.qpStderr = best.model.qp ? res.qp * best.stderrs[k] : kNaN;

    double mag = 0, ph = 0;
    for (const FitPoint &p : in.box) {
        const C z = res.impedance(p.hz);
        mag += std::pow(std::abs(z) / p.ohm - 1.0, 2);
        ph += std::pow(std::remainder(std::arg(z) / kRadPerDeg - p.deg, 360.0), 2);
    }
    res.rmsMagPct = 100.0 * std::sqrt(mag / double(in.box.size()));
    res.rmsPhaseDeg = phase ? std::sqrt(ph / double(in.box.size())) : 0.0;
    res.outcome =
        std::isfinite(res.rmsMagPct) ? VentedBoxFitOutcome::Ok : VentedBoxFitOutcome::NoConvergence;
    return res;
}
