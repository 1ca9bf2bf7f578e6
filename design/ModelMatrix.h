#pragma once

#include "numeric/Matrix.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace orvanta {

class TAdden;
class TRaruRuro;

// A model over k coded factors as the design tools see it: the values of its
// p terms at a point. A plan's built-in model, a module's model and terms
// picked one by one all look the same through it.
struct TModelBasis {
    std::int32_t FactorCount = 0;
    std::int32_t TermCount = 0;
    // Writes the p term values at x (k coded values) into f.
    std::function<void(const double* x, double* f)> Row;
};

// The basis of the plan's model; TermCount is 0 when the plan has none. The
// plan must outlive the basis.
TModelBasis PlanBasis(const TRaruRuro& plan);

// The basis of terms picked one by one (none of them null), in k factors.
// The addens belong to their modules and outlive the basis.
TModelBasis AddenBasis(std::int32_t factors, std::vector<const TAdden*> addens);

// X (N x p): the basis at every run of the design (N x k, coded).
TMatrix ModelMatrix(const TMatrix& design, const TModelBasis& basis);

} // namespace orvanta
