#pragma once

#include <cstdint>

namespace orvanta {

// The critical values the plan's own tests compare with: the printed 5 %
// tables (DistrDis), or, with Settings().ExactQuantiles, the distributions
// themselves at Settings().QuantileAlpha. Where the distribution has no value
// (no degrees of freedom) the table's stands.

// Student's t(1 - alpha/2, f), two-sided.
double StudentCritical(std::int32_t f);
// Fisher's F(1 - alpha; f1, f2) for f2 denominator and f1 numerator degrees of
// freedom (the order of FisherQuantile).
double FisherCritical(std::int32_t f2, std::int32_t f1);
// Cochran's G for n variances of f degrees of freedom each.
double CochranCritical(std::int32_t n, std::int32_t f);

} // namespace orvanta
