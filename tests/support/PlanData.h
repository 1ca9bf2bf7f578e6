#pragma once

#include "plan/RaruRuro.h"

#include <vector>

namespace orvanta::test {

using TRows = std::vector<std::vector<double>>;

// Puts the observations (one row per run, one column per repeat) into the
// plan as the observations dialog and the editor would.
inline void SetObservations(TRaruRuro& plan, const TRows& y) {
    const auto n = static_cast<std::int32_t>(y.size());
    const auto m = static_cast<std::int32_t>(y[0].size());
    plan.YMatrix.Create(n, m);
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < m; ++j)
            plan.YMatrix.Set(i, j, y[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
    plan.HasYMatrix = true;
    plan.RepeatCount = m;
    plan.HasRepeatCount = true;
}

} // namespace orvanta::test
