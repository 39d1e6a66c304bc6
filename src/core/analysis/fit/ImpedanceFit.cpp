#include "core/analysis/fit/ImpedanceFit.h"

#include "core/analysis/fit/FitStart.h"

#include <Eigen/Dense>
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

// The residuals of one model with Re fixed or free; x holds the logarithms of the free
// parameters, in FitParam order.
struct Residuals {
    using Scalar = double;
    using InputType = Vec;
    using ValueType = Vec;
    using JacobianType = Eigen::MatrixXd;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };

    const std::vector<FitPoint> *points;
    const std::vector<double> *logOhm; // ln |Z| of each point
    FitModel model;
    bool phase;
    bool reFree;
    double re;

    int inputs() const { return fitParamCount(model) - (reFree ? 0 : 1); }
    int values() const { return int(points->size()) * (phase ? 2 : 1); }

    std::vector<double> params(const Vec &x) const
    {
        std::vector<double> p(fitParamCount(model));
        const int skip = reFree ? 0 : 1;
        p[PRe] = re;
        for (int j = 0; j < x.size(); ++j)
            p[j + skip] = std::exp(x[j]);
        return p;
    }
    Vec logs(const std::vector<double> &p) const
    {
        const int skip = reFree ? 0 : 1;
        Vec x(inputs());
        for (int j = 0; j < x.size(); ++j)
            x[j] = std::log(p[j + skip]);
        return x;
    }

    int operator()(const Vec &x, Vec &f) const
    {
        const std::vector<double> p = params(x);
        const int n = int(points->size());
        for (int i = 0; i < n; ++i) {
            const FitPoint &pt = (*points)[i];
            const std::complex<double> z = fitImpedance(model, p, pt.hz);
            const double mag = 0.5 * std::log(std::norm(z)) - (*logOhm)[i];
            const double ph = std::remainder(std::arg(z) - pt.deg * kRadPerDeg, 2.0 * M_PI);
            f[i] = std::isfinite(mag) ? mag : kHugeResidual;
            if (phase)
                f[n + i] = std::isfinite(ph) ? ph : kHugeResidual;
        }
        return 0;
    }

    int df(const Vec &x, Eigen::MatrixXd &J) const
    {
        const std::vector<double> p = params(x);
        const int n = int(points->size());
        const int skip = reFree ? 0 : 1;
        std::complex<double> d[kFitParamMax];
        for (int i = 0; i < n; ++i) {
            fitImpedanceDerivatives(model, p, (*points)[i].hz, d);
            for (int j = 0; j < J.cols(); ++j) {
                J(i, j) = d[j + skip].real();
                if (phase)
                    J(n + i, j) = d[j + skip].imag();
            }
        }
        return 0;
    }
};

struct Stage {
    bool ok = false;
    std::vector<double> p;
    int iterations = 0;
    double cost = 0; // sum of squared residuals
};

Stage solve(Residuals r, FitModel model, const std::vector<double> &start)
{
    r.model = model;
    Vec x = r.logs(start);
    Eigen::LevenbergMarquardt<Residuals> lm(r);
    lm.parameters.maxfev = kMaxEvaluationsPerParam * (r.inputs() + 1);
    lm.parameters.xtol = 1e-8;
    lm.parameters.ftol = 1e-10;
    const auto status = lm.minimize(x);
    Stage s;
    s.iterations = int(lm.iter);
    s.p = r.params(x);
    using S = Eigen::LevenbergMarquardtSpace::Status;
    s.ok = status != S::ImproperInputParameters && status != S::TooManyFunctionEvaluation &&
           x.allFinite();
    Vec f(r.values());
    r(x, f);
    s.cost = f.squaredNorm();
    return s;
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

// Standard errors from the Jacobian at the solution: covariance s²·(JᵀJ)⁻¹ of the logarithms,
// carried to each parameter and to the derived values by their first derivatives.
void standardErrors(FitResult &res, const Residuals &r, const Vec &x)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    res.stderrs.assign(res.p.size(), nan);
    res.derivedStderr = {nan, nan, nan, nan};
    if (!r.reFree)
        res.stderrs[PRe] = 0.0;
    const int m = r.values(), n = r.inputs();
    if (m <= n)
        return;
    Eigen::MatrixXd J(m, n);
    r.df(x, J);
    Vec f(m);
    r(x, f);
    const double s2 = f.squaredNorm() / double(m - n);
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
    const int skip = r.reFree ? 0 : 1;
    for (int c = 0; c < k; ++c) {
        const int j = kept[c];
        if (cov(j, j) >= 0)
            res.stderrs[j + skip] = res.p[j + skip] * std::sqrt(cov(j, j));
    }

    auto derivedAt = [&](const Vec &xs) { return fitDerived(r.model, r.params(xs)); };
    Eigen::MatrixXd g(4, n);
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
    }
    const Eigen::MatrixXd dcov = g * cov * g.transpose();
    auto root = [&](int i) { return dcov(i, i) >= 0 ? std::sqrt(dcov(i, i)) : nan; };
    res.derivedStderr = {root(0), root(1), root(2), root(3)};
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
    const std::vector<double> start = classicStart(points, re);
    std::vector<double> logOhm;
    for (const FitPoint &pt : points)
        logOhm.push_back(std::log(pt.ohm));
    const Residuals base{&points, &logOhm, FitModel::Classic, res.phaseUsed, settings.reFree, re};
    Stage stage = solve(base, FitModel::Classic, start);
    res.iterations = stage.iterations;
    if (stage.ok && settings.model != FitModel::Classic) {
        stage = solve(base, FitModel::Lr2, lr2Start(stage.p, res.toHz));
        res.iterations += stage.iterations;
    }
    if (stage.ok && settings.model == FitModel::Semi) {
        const std::vector<double> lr2 = stage.p;
        Stage best;
        for (int k = 0; k < kSemiStarts; ++k) {
            const Stage s = solve(base, FitModel::Semi, semiStart(lr2, k));
            res.iterations += s.iterations;
            if (s.ok && (!best.ok || s.cost < best.cost))
                best = s;
        }
        stage = best;
    }
    // A free Re that ran towards 0 left the model to explain the curve by other parts.
    if (!stage.ok || (settings.reFree && stage.p[PRe] < kLeastReShare * re)) {
        res.outcome = FitOutcome::NoConvergence;
        return res;
    }
    res.p = stage.p;
    res.derived = fitDerived(res.model, res.p);
    measureErrors(res, points);
    if (!std::isfinite(res.rmsMagPct) || !std::isfinite(res.rmsPhaseDeg) ||
        !std::isfinite(res.derived.Qts)) {
        res.outcome = FitOutcome::NoConvergence;
        return res;
    }
    Residuals final = base;
    final.model = settings.model;
    standardErrors(res, final, final.logs(res.p));
    res.grade = fitGrade(res.rmsMagPct, res.rmsPhaseDeg, res.phaseUsed);
    res.outcome = FitOutcome::Ok;
    return res;
}
