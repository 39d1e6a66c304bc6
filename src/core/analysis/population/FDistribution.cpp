#include "core/analysis/population/FDistribution.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The continued fraction of I_x(a, b) (modified Lentz), which converges fast for
// x < (a + 1) / (a + b + 2); the caller swaps a and b above that.
double betaFraction(double a, double b, double x)
{
    constexpr double tiny = 1e-300;
    constexpr double eps = 1e-16;
    auto guard = [](double v) { return std::fabs(v) < tiny ? tiny : v; };
    double c = 1.0;
    double d = 1.0 / guard(1.0 - (a + b) * x / (a + 1.0));
    double h = d;
    for (int m = 1; m <= 10000; ++m) {
        const double m2 = 2.0 * m;
        // the even step
        double num = m * (b - m) * x / ((a - 1.0 + m2) * (a + m2));
        d = 1.0 / guard(1.0 + num * d);
        c = guard(1.0 + num / c);
        h *= d * c;
        // the odd step
        num = -(a + m) * (a + b + m) * x / ((a + m2) * (a + 1.0 + m2));
        d = 1.0 / guard(1.0 + num * d);
        c = guard(1.0 + num / c);
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) < eps)
            break;
    }
    return h;
}

// I_x(a, b) with y = 1 - x given too, so that an x near 1 keeps the digits of its y.
double incompleteBeta(double a, double b, double x, double y)
{
    if (x <= 0.0 || y >= 1.0)
        return 0.0;
    if (y <= 0.0 || x >= 1.0)
        return 1.0;
    // x^a y^b / (a B(a, b)), in logarithms so large degrees of freedom do not overflow.
    const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                  a * std::log(x) + b * std::log(y));
    if (x < (a + 1.0) / (a + b + 2.0))
        return front * betaFraction(a, b, x) / a;
    return 1.0 - front * betaFraction(b, a, y) / b;
}

} // namespace

namespace FDistribution {

double incompleteBeta(double a, double b, double x)
{
    if (!(a > 0.0) || !(b > 0.0) || !(x >= 0.0) || !(x <= 1.0))
        return kNaN;
    return ::incompleteBeta(a, b, x, 1.0 - x);
}

double upperTail(double f, double d1, double d2)
{
    if (std::isnan(f) || !(d1 >= 1.0) || !(d2 >= 1.0))
        return kNaN;
    if (f <= 0.0)
        return 1.0;
    if (std::isinf(f))
        return 0.0;
    // P(F > f) = I_x(d2 / 2, d1 / 2) with x = d2 / (d2 + d1 f) and 1 - x = d1 f / (d2 + d1 f).
    const double sum = d2 + d1 * f;
    return ::incompleteBeta(0.5 * d2, 0.5 * d1, d2 / sum, d1 * f / sum);
}

} // namespace FDistribution
