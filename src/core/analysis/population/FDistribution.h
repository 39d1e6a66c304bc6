#pragma once

// The tails an analysis of variance needs, to full double precision.
namespace FDistribution {

// I_x(a, b), the regularized incomplete beta function, for a, b > 0 and 0 <= x <= 1;
// NaN outside.
double incompleteBeta(double a, double b, double x);
// P(F > f) for an F distribution of d1 and d2 degrees of freedom: 1 for f <= 0, 0 for an
// infinite f, NaN for NaN or degrees of freedom below 1.
double upperTail(double f, double d1, double d2);

} // namespace FDistribution
