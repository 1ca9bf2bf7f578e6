#pragma once

#include <cstdint>

namespace orvanta::dist {

// The distributions of the tests computed exactly (Boost.Math), beside the
// printed tables of DistrDis. Degrees of freedom may be fractional. Anything
// outside a function's domain (df <= 0, a probability outside (0, 1), a value
// that is not a number) gives NaN.

// z with P(Z <= z) = probability for the standard normal distribution.
double NormalQuantile(double probability);
// t with P(T <= t) = probability for Student's t with df degrees of freedom.
double StudentQuantile(double probability, double df);
// F with P(F <= x) = probability for Fisher's F with df1 (numerator) and df2
// (denominator) degrees of freedom.
double FisherQuantile(double probability, double df1, double df2);
// P(|T| >= |t|).
double StudentTwoSidedP(double t, double df);
// P(F >= f).
double FisherUpperP(double f, double df1, double df2);
// The power of the two-sided t test at level alpha against a noncentral t
// with noncentrality ncp: P(|T'| > t(1 - alpha / 2; df)).
double StudentPower(double alpha, double ncp, double df);
// x with P(X <= x) = probability for the chi-square distribution.
double ChiSquareQuantile(double probability, double df);
// Cochran's critical G at level alpha for n variances of f degrees of freedom
// each: 1 / (1 + (n - 1) / F(1 - alpha / n; f, (n - 1) f)).
double CochranCritical(double alpha, std::int32_t n, std::int32_t f);

} // namespace orvanta::dist
