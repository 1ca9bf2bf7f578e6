#pragma once

#include "Arguments.h"

#include "design/DOptimal.h"

namespace orvanta {
class TRaruRuro;
}

namespace orvanta::cli {

// The options of `orvan new --custom ... --d-optimal` as written; a word
// that does not read raises TUsageError. The bounds and restrictions are
// checked against the factor count when the plan exists.
TDOptimalOptions ReadDOptimalOptions(const TArguments& arguments);

// Fills the new plan's code matrix with a D-optimal plan for its model and
// prints the D-efficiency reached; false, with the reason shown, when there
// is no such plan.
bool FillDOptimalPlan(TRaruRuro& plan, TDOptimalOptions options);

} // namespace orvanta::cli
