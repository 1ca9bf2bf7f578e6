#pragma once

#include "stats/ModelStatistics.h"

namespace orvanta {

// Lenth's method for an unreplicated two-level plan (m = 1, every coded value
// -1 or +1): the effects 2b of every term but the constant, their
// pseudo standard error and margins; none for any other plan.
std::optional<TLenthAnalysis> LenthAnalysis(const TRaruRuro& plan,
                                            const std::vector<TCoefficientStatistics>& coefficients,
                                            std::int32_t constant);

} // namespace orvanta
