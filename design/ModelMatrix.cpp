#include "design/ModelMatrix.h"

#include "plan/RaruRuro.h"

namespace orvanta {

TModelBasis PlanBasis(const TRaruRuro& plan) {
    TModelBasis basis;
    basis.FactorCount = plan.FactorCount;
    basis.TermCount = plan.TermCount();
    basis.Row = [&plan](const double* x, double* f) { plan.BasisRow(x, f); };
    return basis;
}

TMatrix ModelMatrix(const TMatrix& design, const TModelBasis& basis) {
    TMatrix x(design.RowCount(), basis.TermCount);
    for (std::int32_t i = 0; i < design.RowCount(); ++i)
        basis.Row(design.Row(i), x.Row(i));
    return x;
}

} // namespace orvanta
