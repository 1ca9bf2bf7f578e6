#pragma once

#include "BuiltinPlanHost.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

namespace orvanta::bench {

// A CCR plan of two factors with a maximum inside the region:
// b0, b1, b2, b12, b11, b22.
inline bool MakeCcr2Equation(TRaruRuro& plan) {
    Settings().CBAlsoCreateY = false;
    if (!plan.NewPlan() || plan.TermCount() != 6)
        return false;
    const double b[] = {19.0, 1.2, 0.7, -0.4, -1.1, -1.3};
    plan.BVector.Create(6);
    for (std::int32_t j = 0; j < 6; ++j)
        plan.BVector.Set(j, b[j]);
    plan.HasBVector = true;
    return true;
}

} // namespace orvanta::bench
