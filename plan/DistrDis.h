#pragma once

#include <cstdint>

namespace orvanta {

// Critical values at the 5 % level from the built-in tables, with linear
// (bilinear for two arguments) interpolation between table points. Nothing is
// computed from the distribution functions.

// Two-sided 5 % point of Student's t for f degrees of freedom.
void StudentQuantile(std::int32_t f, double& result);
// Chi-square: side 0 = upper 5 % point, side 1 = lower 5 % point (any other
// side counts as 0); f = 1 .. 30, larger f as 30, no interpolation.
void PearsonQuantile(std::int32_t side, std::int32_t f, double& result);
// Cochran's G for n variances of f degrees of freedom each.
void CochranQuantile(std::int32_t n, std::int32_t f, double& result);
// Fisher's F for f2 denominator and f1 numerator degrees of freedom.
void FisherQuantile(std::int32_t f2, std::int32_t f1, double& result);

// Value-returning forms of the four.
double StudentQuantile(std::int32_t f);
double PearsonQuantile(std::int32_t side, std::int32_t f);
double CochranQuantile(std::int32_t n, std::int32_t f);
double FisherQuantile(std::int32_t f2, std::int32_t f1);

} // namespace orvanta
