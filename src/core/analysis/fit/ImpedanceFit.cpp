#include "core/analysis/fit/ImpedanceFit.h"

#include "core/analysis/fit/FitStart.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unsupported/Eigen/NonLinearOptimization>

namespace {

using Vec = Eigen::VectorXd;

// Stands in for a residual the model cannot give (a parameter far outside any driver).
constexpr double kHugeResidual = 1e3;
constexpr double kRadPerDeg = M_PI / 180.0;
constexpr int kMaxEvaluationsPerParam = 400;
// A fitted free Re below this share of its start is no voice coil.
constexpr double kLeastReShare = 0.2;
// Relative pivot below which a Jacobian column adds nothing the others do not give.
constexpr double kRankThreshold = 1e-4;
// The edges of any driver, relative to the curve's lowest and highest |Z| (for inductances and
// capacitances: their reactance in the range): an element beyond them has no part in the curve.
constexpr double kLimitBelow = 1e-6;
constexpr double kLimitAbove = 1e2;
constexpr double kBetaLow = 1e-6, kBetaHigh = 2.0;
// A parameter within this (in its logarithm) of an edge ran there.
constexpr double kAtEdge = 1e-3;
// Above this lag-1 autocorrelation the widening would say more than the residuals can.
constexpr double kMostLag1 = 0.99;

// Where each parameter's logarithm may go.
struct Bounds {
    double lo[kFitParamMax];
    double hi[kFitParamMax];
};

Bounds fitBounds(const std::vector<FitPoint> &points, double fsHz)
{
    double zMin = points.front().ohm, zMax = zMin;
    for (const FitPoint &pt : points) {
        zMin = std::min(zMin, pt.ohm);
        zMax = std::max(zMax, pt.ohm);
    }
    const double small = kLimitBelow * zMin, large = kLimitAbove * zMax;
    const double wLo = 2.0 * M_PI * points.front().hz, wHi = 2.0 * M_PI * points.back().hz;
    const double ws = 2.0 * M_PI * fsHz;
    const double lo[kFitParamMax] = {small,
                                     small / wHi,
                                     small,
                                     small / ws,
                                     1.0 / (large * ws),
                                     small,
                                     small / wHi,
                                     small / std::sqrt(wHi),
                                     kBetaLow};
    const double hi[kFitParamMax] = {zMax,
                                     large / wHi,
                                     large,
                                     large / ws,
                                     1.0 / (small * ws),
                                     large,
                                     large / wLo,
                                     large / std::sqrt(wLo),
                                     kBetaHigh};
    Bounds b;
    for (int k = 0; k < kFitParamMax; ++k) {
        b.lo[k] = std::log(lo[k]);
        b.hi[k] = std::log(hi[k]);
    }
    return b;
}

// What every stage of one fit shares.
struct Problem {
    const std::vector<FitPoint> *points;
    std::vector<double> logOhm; // ln |Z| of each point
    bool phase;
    Bounds bounds;
};

// The residuals of one model; x holds the logarithms of the free parameters (free[j] is the
// FitParam of x[j]); the others keep their values in base.
struct Residuals {
    using Scalar = double;
    using InputType = Vec;
    using ValueType = Vec;
    using JacobianType = Eigen::MatrixXd;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };

    const Problem *pb;
    FitModel model;
    std::vector<double> base;
    std::vector<int> free;

    int inputs() const { return int(free.size()); }
    int values() const { return int(pb->points->size()) * (pb->phase ? 2 : 1); }

    // Beyond an edge the model stays where the edge is, so that the solver cannot run off.
    double clamped(const Vec &x, int j) const
    {
        return std::clamp(x[j], pb->bounds.lo[free[j]], pb->bounds.hi[free[j]]);
    }
    bool beyond(const Vec &x, int j) const
    {
        return !(x[j] > pb->bounds.lo[free[j]] && x[j] < pb->bounds.hi[free[j]]);
    }

    std::vector<double> params(const Vec &x) const
    {
        std::vector<double> p = base;
        for (int j = 0; j < x.size(); ++j)
            p[free[j]] = std::exp(clamped(x, j));
        return p;
    }
    Vec logs(const std::vector<double> &p) const
    {
        Vec x(inputs());
        for (int j = 0; j < x.size(); ++j)
            x[j] = std::clamp(std::log(p[free[j]]), pb->bounds.lo[free[j]], pb->bounds.hi[free[j]]);
        return x;
    }

    int operator()(const Vec &x, Vec &f) const
    {
        const std::vector<double> p = params(x);
        const std::vector<FitPoint> &points = *pb->points;
        const int n = int(points.size());
        for (int i = 0; i < n; ++i) {
            const FitPoint &pt = points[i];
            const std::complex<double> z = fitImpedance(model, p, pt.hz);
            const double mag = 0.5 * std::log(std::norm(z)) - pb->logOhm[i];
            const double ph = std::remainder(std::arg(z) - pt.deg * kRadPerDeg, 2.0 * M_PI);
            f[i] = std::isfinite(mag) ? mag : kHugeResidual;
            if (pb->phase)
                f[n + i] = std::isfinite(ph) ? ph : kHugeResidual;
        }
        return 0;
    }

    int df(const Vec &x, Eigen::MatrixXd &J) const
    {
        const std::vector<double> p = params(x);
        const std::vector<FitPoint> &points = *pb->points;
        const int n = int(points.size());
        std::complex<double> d[kFitParamMax];
        for (int i = 0; i < n; ++i) {
            fitImpedanceDerivatives(model, p, points[i].hz, d);
            for (int j = 0; j < J.cols(); ++j) {
                const std::complex<double> dj = beyond(x, j) ? 0.0 : d[free[j]];
                J(i, j) = dj.real();
                if (pb->phase)
                    J(n + i, j) = dj.imag();
            }
        }
        return 0;
    }
};

// The residuals of model for the full vector p, fitting every parameter but a held Re and the
// pinned ones.
Residuals residuals(const Problem &pb, FitModel model, bool reFree, const std::vector<double> &p,
                    const std::vector<bool> &pinned)
{
    Residuals r{&pb, model, p, {}};
    r.base.resize(fitParamCount(model));
    for (int k = reFree ? 0 : 1; k < fitParamCount(model); ++k)
        if (!(k < int(pinned.size()) && pinned[k]))
            r.free.push_back(k);
    return r;
}

struct Stage {
    bool ok = false;
    std::vector<double> p;
    std::vector<bool> pinned;
    int iterations = 0;
    double cost = std::numeric_limits<double>::infinity(); // sum of squared residuals
};

// One solver run from start; a parameter that ends at an edge is pinned there and the rest
// fitted again, until none runs off.
Stage solve(const Problem &pb, FitModel model, bool reFree, const std::vector<double> &start)
{
    Stage s;
    s.p = start;
    s.p.resize(fitParamCount(model));
    s.pinned.assign(fitParamCount(model), false);
    for (int round = 0; round <= fitParamCount(model); ++round) {
        Residuals r = residuals(pb, model, reFree, s.p, s.pinned);
        Vec x = r.logs(s.p);
        Eigen::LevenbergMarquardt<Residuals> lm(r);
        lm.parameters.maxfev = kMaxEvaluationsPerParam * (r.inputs() + 1);
        lm.parameters.xtol = 1e-8;
        lm.parameters.ftol = 1e-10;
        const auto status = lm.minimize(x);
        s.iterations += int(lm.iter);
        using S = Eigen::LevenbergMarquardtSpace::Status;
        s.ok = status != S::ImproperInputParameters && status != S::TooManyFunctionEvaluation &&
               x.allFinite();
        s.p = r.params(x);
        Vec f(r.values());
        r(x, f);
        s.cost = f.squaredNorm();
        if (!s.ok)
            return s;
        bool ranOff = false;
        for (int j = 0; j < x.size(); ++j) {
            const int k = r.free[j];
            const bool low = x[j] <= pb.bounds.lo[k] + kAtEdge;
            if (!low && x[j] < pb.bounds.hi[k] - kAtEdge)
                continue;
            // Re is not an element the curve can do without.
            if (k == PRe) {
                s.ok = false;
                return s;
            }
            s.p[k] = std::exp(low ? pb.bounds.lo[k] : pb.bounds.hi[k]);
            s.pinned[k] = true;
            ranOff = true;
        }
        if (!ranOff)
            return s;
    }
    return s;
}

bool better(const Stage &a, const Stage &b)
{
    return a.ok && (!b.ok || a.cost < b.cost);
}

// Two runs that ended in the same minimum.
bool sameSolution(const Stage &a, const Stage &b)
{
    if (std::fabs(a.cost - b.cost) > 1e-6 * a.cost)
        return false;
    for (size_t k = 0; k < a.p.size(); ++k)
        if (std::fabs(std::log(a.p[k] / b.p[k])) > 1e-3)
            return false;
    return true;
}

// The staged fit: classic from the curve's own start values, then each richer model from the
// simpler one's solution; the semi-inductance model from several starts.
Stage stagedFit(const Problem &pb, FitModel model, bool reFree, double re)
{
    const std::vector<FitPoint> &points = *pb.points;
    Stage stage = solve(pb, FitModel::Classic, reFree, classicStart(points, re));
    int iterations = stage.iterations;
    // The semi-inductance model starts from the LR-2 solution of the first start and from the
    // best one: another basin of LR-2 may lead it lower.
    std::vector<Stage> lr2;
    if (stage.ok && model != FitModel::Classic) {
        const std::vector<double> classic = stage.p;
        Stage best;
        for (int k = 0; k < kLr2Starts; ++k) {
            const Stage s = solve(pb, FitModel::Lr2, reFree,
                                  lr2Start(classic, points.front().hz, points.back().hz, k));
            iterations += s.iterations;
            if (lr2.empty() && s.ok)
                lr2.push_back(s);
            if (better(s, best))
                best = s;
        }
        if (best.ok && !sameSolution(lr2.front(), best))
            lr2.push_back(best);
        stage = best;
    }
    if (stage.ok && model == FitModel::Semi) {
        Stage best;
        for (const Stage &from : lr2)
            for (int k = 0; k < kSemiStarts; ++k) {
                const Stage s = solve(pb, FitModel::Semi, reFree, semiStart(from.p, k));
                iterations += s.iterations;
                if (better(s, best))
                    best = s;
            }
        stage = best;
    }
    stage.iterations = iterations;
    return stage;
}

double wrapDeg(double deg)
{
    return std::remainder(deg, 360.0);
}

void measureErrors(FitResult &res, const std::vector<FitPoint> &points)
{
    double mag = 0, ph = 0;
    for (const FitPoint &pt : points) {
        const std::complex<double> z = res.impedance(pt.hz);
        mag += std::pow(std::abs(z) / pt.ohm - 1.0, 2);
        ph += std::pow(wrapDeg(std::arg(z) * 180.0 / M_PI - pt.deg), 2);
    }
    res.rmsMagPct = 100.0 * std::sqrt(mag / double(points.size()));
    res.rmsPhaseDeg = res.phaseUsed ? std::sqrt(ph / double(points.size())) : 0.0;
}

// Lag-1 autocorrelation of the residuals along the curve, |Z| and phase each on its own.
double lag1(const Vec &f, int n)
{
    double num = 0, den = f.squaredNorm();
    for (int b = 0; b + n <= f.size(); b += n)
        for (int i = b; i + 1 < b + n; ++i)
            num += f[i] * f[i + 1];
    return den > 0 ? num / den : 0.0;
}

FitDerived derivedStderrs(const Eigen::MatrixXd &g, const Eigen::MatrixXd &cov)
{
    const Eigen::MatrixXd dcov = g * cov * g.transpose();
    auto root = [&](int i) {
        return dcov(i, i) >= 0 ? std::sqrt(dcov(i, i)) : std::numeric_limits<double>::quiet_NaN();
    };
    return {root(0), root(1), root(2), root(3), root(4)};
}

// Standard errors from the Jacobian at the solution: covariance s²·(JᵀJ)⁻¹ of the logarithms,
// carried to each parameter and to the derived values by their first derivatives. They hold
// for independent residuals; residuals that follow each other along the curve (a model that
// misses a detail) carry fewer independent points, so the errors are widened by
// √((1 + ρ)/(1 − ρ)) for a positive lag-1 autocorrelation ρ.
void standardErrors(FitResult &res, const Residuals &r, const Vec &x)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    res.stderrs.assign(res.p.size(), nan);
    res.derivedStderr = {nan, nan, nan, nan, nan};
    if (!res.reFixed)
        res.stderrs[PRe] = nan;
    else
        res.stderrs[PRe] = 0.0;
    const int m = r.values(), n = r.inputs();
    if (m <= n || n == 0)
        return;
    Eigen::MatrixXd J(m, n);
    r.df(x, J);
    Vec f(m);
    r(x, f);
    res.residualLag1 = std::min(lag1(f, int(r.pb->points->size())), kMostLag1);
    res.stderrWidening =
        res.residualLag1 > 0 ? std::sqrt((1 + res.residualLag1) / (1 - res.residualLag1)) : 1.0;
    const double s2 = f.squaredNorm() / double(m - n) * res.stderrWidening * res.stderrWidening;
    // A parameter the curve does not constrain (a lossy branch that ran off to an open
    // circuit) is left out: a rank-revealing QR of the Jacobian, whose columns are relative
    // sensitivities of ln Z, finds it; its error stays undetermined.
    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(J);
    qr.setThreshold(kRankThreshold);
    const int k = int(qr.rank());
    if (k == 0)
        return;
    std::vector<int> kept(qr.colsPermutation().indices().data(),
                          qr.colsPermutation().indices().data() + k);
    Eigen::MatrixXd Jk(m, k);
    for (int c = 0; c < k; ++c)
        Jk.col(c) = J.col(kept[c]);
    // Inverted with unit columns, so that sensitivities of different sizes lose no digits.
    const Vec scale = Jk.colwise().norm().transpose();
    for (int c = 0; c < k; ++c)
        Jk.col(c) /= scale[c];
    const Eigen::MatrixXd covUnit = (Jk.transpose() * Jk).inverse();
    if (!covUnit.allFinite())
        return;
    const Eigen::MatrixXd covKept =
        s2 * scale.cwiseInverse().asDiagonal() * covUnit * scale.cwiseInverse().asDiagonal();
    Eigen::MatrixXd cov = Eigen::MatrixXd::Zero(n, n);
    for (int a = 0; a < k; ++a)
        for (int b = 0; b < k; ++b)
            cov(kept[a], kept[b]) = covKept(a, b);
    for (int c = 0; c < k; ++c) {
        const int j = kept[c];
        if (cov(j, j) >= 0)
            res.stderrs[r.free[j]] = res.p[r.free[j]] * std::sqrt(cov(j, j));
    }

    auto derivedAt = [&](const Vec &xs) { return fitDerived(r.model, r.params(xs)); };
    Eigen::MatrixXd g(5, n);
    for (int j = 0; j < n; ++j) {
        const double h = 1e-6;
        Vec up = x, down = x;
        up[j] += h;
        down[j] -= h;
        const FitDerived a = derivedAt(up), b = derivedAt(down);
        g(0, j) = (a.Fs - b.Fs) / (2 * h);
        g(1, j) = (a.Qms - b.Qms) / (2 * h);
        g(2, j) = (a.Qes - b.Qes) / (2 * h);
        g(3, j) = (a.Qts - b.Qts) / (2 * h);
        g(4, j) = (a.QmsBranch - b.QmsBranch) / (2 * h);
    }
    res.derivedStderr = derivedStderrs(g, cov);
}

// Values the curve does not determine cap the grade: a model parameter caps it at good (the
// model has more freedom than the curve asks for), Fs, Qms or Qes at fair.
void grade(FitResult &res, const Residuals &r)
{
    res.residualGrade = fitGrade(res.rmsMagPct, res.rmsPhaseDeg, res.phaseUsed);
    res.weak.clear();
    for (int k : r.free)
        if (!(res.stderrs[k] <= kFitParamLimit * res.p[k]))
            res.weak.push_back(k);
    auto loose = [](double v, double e) { return !(e <= kFitDerivedLimit * std::fabs(v)); };
    res.weakDerived = loose(res.derived.Fs, res.derivedStderr.Fs) ||
                      loose(res.derived.Qms, res.derivedStderr.Qms) ||
                      loose(res.derived.Qes, res.derivedStderr.Qes);
    const FitGrade best = res.weakDerived     ? FitGrade::Fair
                          : !res.weak.empty() ? FitGrade::Good
                                              : FitGrade::Excellent;
    res.grade = FitGrade(std::max(int(res.residualGrade), int(best)));
}

// The result of a solution: errors, standard errors and grade.
FitResult finish(FitResult res, const Problem &pb, bool reFree, const Stage &stage)
{
    const std::vector<FitPoint> &points = *pb.points;
    res.p = stage.p;
    res.pinned = stage.pinned;
    res.cost = stage.cost;
    res.derived = fitDerived(res.model, res.p);
    measureErrors(res, points);
    if (!std::isfinite(res.rmsMagPct) || !std::isfinite(res.rmsPhaseDeg) ||
        !std::isfinite(res.derived.Qts)) {
        res.outcome = FitOutcome::NoConvergence;
        res.p.clear();
        res.pinned.clear();
        return res;
    }
    const Residuals final = residuals(pb, res.model, reFree, res.p, res.pinned);
    standardErrors(res, final, final.logs(res.p));
    grade(res, final);
    res.outcome = FitOutcome::Ok;
    return res;
}

Problem problem(const std::vector<FitPoint> &points, bool phase, double fsHz)
{
    Problem pb{&points, {}, phase, fitBounds(points, fsHz)};
    for (const FitPoint &pt : points)
        pb.logOhm.push_back(std::log(pt.ohm));
    return pb;
}

} // namespace

FitGrade fitGrade(double rmsMagPct, double rmsPhaseDeg, bool phaseUsed)
{
    int g = 0;
    for (const FitGradeLimit &limit : kFitGradeLimits) {
        if (rmsMagPct <= limit.magPct && (!phaseUsed || rmsPhaseDeg <= limit.phaseDeg))
            return FitGrade(g);
        ++g;
    }
    return FitGrade::Poor;
}

int fitMinimumPoints(int freeParams)
{
    return 2 * freeParams + 2;
}

FitResult fitImpedanceCurve(const std::vector<FitPoint> &points, const FitSettings &settings)
{
    FitResult res;
    res.model = settings.model;
    res.reFixed = !settings.reFree;
    res.points = int(points.size());
    res.phaseUsed = fitPointsHavePhase(points);
    const int freeParams = fitParamCount(settings.model) - (settings.reFree ? 0 : 1);
    if (res.points < fitMinimumPoints(freeParams)) {
        res.outcome = FitOutcome::TooFewPoints;
        return res;
    }
    res.fromHz = points.front().hz;
    res.toHz = points.back().hz;
    const int peak = resonanceIndex(points);
    if (peak < 0) {
        res.outcome = FitOutcome::NoResonance;
        return res;
    }
    double re = settings.re;
    if (settings.reFree && !(re > 0))
        re = startRe(points);
    // Re at or above the peak leaves no motional part to fit.
    if (!(re > 0) || !std::isfinite(re) || re >= points[peak].ohm) {
        res.outcome = FitOutcome::BadRe;
        return res;
    }
    const Problem pb = problem(points, res.phaseUsed, points[peak].hz);
    Stage stage = stagedFit(pb, settings.model, false, re);
    int iterations = stage.iterations;
    if (settings.reFree) {
        // The free fit from the curve's start values, and from the solution with Re held at
        // its start: the lower cost wins, and the held solution itself is one candidate, so that
        // freeing Re never makes the fit worse.
        const Stage held = stage;
        const Stage own = stagedFit(pb, settings.model, true, re);
        iterations += own.iterations;
        const Stage fromHeld = held.ok ? solve(pb, settings.model, true, held.p) : Stage{};
        iterations += fromHeld.iterations;
        for (const Stage *s : {&own, &fromHeld})
            // A free Re that ran towards 0 left the model to explain the curve by other parts.
            if (s->ok && s->p[PRe] >= kLeastReShare * re && better(*s, stage))
                stage = *s;
    }
    if (!stage.ok) {
        res.outcome = FitOutcome::NoConvergence;
        return res;
    }
    res = finish(res, pb, settings.reFree, stage);
    res.iterations = iterations;
    return res;
}

FitResult fitImpedanceFrom(const std::vector<FitPoint> &points, const FitSettings &settings,
                           const std::vector<double> &start)
{
    FitResult res;
    res.model = settings.model;
    res.reFixed = !settings.reFree;
    res.points = int(points.size());
    res.phaseUsed = fitPointsHavePhase(points);
    const int freeParams = fitParamCount(settings.model) - (settings.reFree ? 0 : 1);
    if (res.points < fitMinimumPoints(freeParams) ||
        int(start.size()) < fitParamCount(settings.model)) {
        res.outcome = FitOutcome::TooFewPoints;
        return res;
    }
    res.fromHz = points.front().hz;
    res.toHz = points.back().hz;
    const Problem pb = problem(points, res.phaseUsed, fitDerived(FitModel::Classic, start).Fs);
    const Stage stage = solve(pb, settings.model, settings.reFree, start);
    if (!stage.ok) {
        res.outcome = FitOutcome::NoConvergence;
        return res;
    }
    res = finish(res, pb, settings.reFree, stage);
    res.iterations = stage.iterations;
    return res;
}
