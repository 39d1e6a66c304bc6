#include "core/analysis/MotionalCircle.h"

#include "core/analysis/AnalysisFormat.h"
#include "core/analysis/MainResonance.h"
#include "core/analysis/PeakSearch.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kDegToRad = M_PI / 180.0;
constexpr int kMaxRefinements = 50; // Gauss-Newton passes; a few settle a clean circle

struct Circle {
    double a = 0.0; // centre R
    double b = 0.0; // centre X
    double r = 0.0; // radius
};

bool measured(const CurveBlock &c, int i)
{
    return c.r[i] >= 0.0f && c.freq[i] > 0.0f;
}

double resistance(const CurveBlock &c, int i)
{
    return double(c.r[i]) * std::cos(double(c.theta[i]) * kDegToRad);
}

double reactance(const CurveBlock &c, int i)
{
    return double(c.r[i]) * std::sin(double(c.theta[i]) * kDegToRad);
}

// The frequency at which the slope tan(angle / 2) passes target, linear on ln f between the
// two points either side; 0 when it never does. Two points either side of the circle's left
// end (angle ±180°) are no crossing: there the slope jumps through infinity.
double crossingHz(const CurveBlock &c, int lo, const std::vector<double> &angle, double target)
{
    for (std::size_t i = 0; i + 1 < angle.size(); ++i) {
        if (!(std::fabs(angle[i] - angle[i + 1]) < M_PI))
            continue;
        const double a0 = std::tan(angle[i] / 2.0) - target;
        const double a1 = std::tan(angle[i + 1] / 2.0) - target;
        if (a0 == 0.0)
            return double(c.freq[lo + int(i)]);
        if (a0 * a1 < 0.0) {
            const double u0 = std::log(double(c.freq[lo + int(i)]));
            const double u1 = std::log(double(c.freq[lo + int(i) + 1]));
            return std::exp(u0 + (u1 - u0) * a0 / (a0 - a1));
        }
    }
    return 0.0;
}

// Least squares of x² + y² + D·x + E·y + F on the points, taken about their mean.
bool algebraicFit(const std::vector<double> &x, const std::vector<double> &y, Circle *c)
{
    const auto n = Eigen::Index(x.size());
    double mx = 0.0, my = 0.0;
    for (Eigen::Index i = 0; i < n; ++i) {
        mx += x[std::size_t(i)] / double(n);
        my += y[std::size_t(i)] / double(n);
    }
    Eigen::MatrixX3d m(n, 3);
    Eigen::VectorXd rhs(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const double u = x[std::size_t(i)] - mx;
        const double v = y[std::size_t(i)] - my;
        m.row(i) << u, v, 1.0;
        rhs(i) = -(u * u + v * v);
    }
    const auto qr = m.colPivHouseholderQr();
    if (qr.rank() < 3)
        return false;
    const Eigen::Vector3d s = qr.solve(rhs);
    const double a = -s(0) / 2.0;
    const double b = -s(1) / 2.0;
    const double r2 = a * a + b * b - s(2);
    if (!(r2 > 0.0) || !std::isfinite(r2))
        return false;
    *c = {a + mx, b + my, std::sqrt(r2)};
    return true;
}

// Gauss-Newton on the points' distances from the circle, from the algebraic circle.
bool geometricFit(const std::vector<double> &x, const std::vector<double> &y, Circle *c)
{
    const auto n = Eigen::Index(x.size());
    Eigen::MatrixX3d j(n, 3);
    Eigen::VectorXd d(n);
    for (int pass = 0; pass < kMaxRefinements; ++pass) {
        for (Eigen::Index i = 0; i < n; ++i) {
            const double dx = x[std::size_t(i)] - c->a;
            const double dy = y[std::size_t(i)] - c->b;
            const double rho = std::hypot(dx, dy);
            if (!(rho > 0.0))
                return false;
            d(i) = rho - c->r;
            j.row(i) << -dx / rho, -dy / rho, -1.0;
        }
        const Eigen::Vector3d step = j.colPivHouseholderQr().solve(-d);
        if (!step.allFinite())
            return false;
        c->a += step(0);
        c->b += step(1);
        c->r += step(2);
        if (step.norm() <= 1e-12 * (1.0 + c->r))
            break;
    }
    return c->r > 0.0 && std::isfinite(c->r);
}

double rmsDistance(const std::vector<double> &x, const std::vector<double> &y, const Circle &c)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double d = std::hypot(x[i] - c.a, y[i] - c.b) - c.r;
        sum += d * d;
    }
    return std::sqrt(sum / double(x.size()));
}

} // namespace

MotionalCircle fitMotionalCircle(const CurveBlock &raw, int band)
{
    MotionalCircle out;
    int first = 0;
    int last = 0;
    if (!analysisRange(raw, band, &first, &last))
        return out;

    // The main resonance on |Z|, with the band's lowest |Z| standing in for Re.
    double lowest = -1.0;
    double lowestR = 0.0;
    bool phase = false;
    for (int i = first; i <= last; ++i) {
        if (!measured(raw, i))
            continue;
        const bool firstPoint = lowest < 0.0;
        if (firstPoint || raw.r[i] < lowest)
            lowest = raw.r[i];
        if (firstPoint || resistance(raw, i) < lowestR)
            lowestR = resistance(raw, i);
        phase = phase || raw.theta[i] != 0.0f;
    }
    int peak = lowest > 0.0 ? mainResonance(raw, first, last, lowest) : -1;
    if (peak < 0)
        return out;
    if (!phase) {
        out.outcome = CircleOutcome::NoPhase;
        return out;
    }
    // From the peak of |Z| up to the peak of R, which a coil's inductance may shift.
    for (;;) {
        if (peak > first && measured(raw, peak - 1) &&
            resistance(raw, peak - 1) > resistance(raw, peak))
            --peak;
        else if (peak < last && measured(raw, peak + 1) &&
                 resistance(raw, peak + 1) > resistance(raw, peak))
            ++peak;
        else
            break;
    }

    const double top = resistance(raw, peak);
    const double floor = lowestR + kCircleWindowFraction * (top - lowestR);
    int lo = peak;
    while (lo > first && measured(raw, lo - 1) && resistance(raw, lo - 1) > floor)
        --lo;
    int hi = peak;
    while (hi < last && measured(raw, hi + 1) && resistance(raw, hi + 1) > floor)
        ++hi;
    out.first = lo;
    out.last = hi;
    if (hi - lo + 1 < kMinCirclePoints || peak == lo || peak == hi) {
        out.outcome = CircleOutcome::TooFewPoints;
        return out;
    }

    std::vector<double> x;
    std::vector<double> y;
    for (int i = lo; i <= hi; ++i) {
        x.push_back(resistance(raw, i));
        y.push_back(reactance(raw, i));
    }
    Circle circle;
    if (!algebraicFit(x, y, &circle) || !geometricFit(x, y, &circle)) {
        out.outcome = CircleOutcome::NoCircle;
        return out;
    }
    out.diameterOhm = 2.0 * circle.r;
    out.centreROhm = circle.a;
    out.centreXOhm = circle.b;
    out.residualOhm = rmsDistance(x, y, circle);

    // R is largest where the curve passes the circle's right end (angle 0 around the centre),
    // X largest at its top (+90°) and smallest at its bottom (-90°). Seen from the circle's
    // left end the slope, tan(angle / 2), is -Qms·(f/fs - fs/f) for a driver: it runs nearly
    // straight between grid points, where a parabola through X of three points reads a sharp
    // peak's turning points a few per cent apart.
    std::vector<double> angle;
    for (std::size_t i = 0; i < x.size(); ++i)
        angle.push_back(std::atan2(y[i] - circle.b, x[i] - circle.a));
    out.fsHz = crossingHz(raw, lo, angle, 0.0);
    out.faHz = crossingHz(raw, lo, angle, 1.0);
    out.fbHz = crossingHz(raw, lo, angle, -1.0);
    if (!(out.faHz > 0.0 && out.faHz < out.fsHz && out.fsHz < out.fbHz)) {
        out.outcome = CircleOutcome::NoTurningX;
        return out;
    }
    out.qms = out.fsHz / (out.fbHz - out.faHz);
    out.outcome = CircleOutcome::Ok;
    return out;
}

std::array<double, kCircleValueCount> circleValues(const MotionalCircle &c)
{
    return {c.diameterOhm, c.fsHz, c.faHz, c.fbHz, c.qms, c.residualOhm};
}

QString circleValueText(int i, double value)
{
    if (!std::isfinite(value))
        return emptyFieldText();
    return i == kCircleValueCount - 1 ? QString::number(value, 'g', 3)
                                      : QString::number(value, 'f', 2);
}
