#include "design/ModelMatrix.h"

#include "plan/MathObjects.h"
#include "plan/RaruRuro.h"

namespace orvanta {

TModelBasis PlanBasis(const TRaruRuro& plan) {
    TModelBasis basis;
    basis.FactorCount = plan.FactorCount;
    basis.TermCount = plan.TermCount();
    basis.Row = [&plan](const double* x, double* f) { plan.BasisRow(x, f); };
    return basis;
}

TModelBasis AddenBasis(std::int32_t factors, std::vector<const TAdden*> addens) {
    TModelBasis basis;
    basis.FactorCount = factors;
    basis.TermCount = static_cast<std::int32_t>(addens.size());
    basis.Row = [addens = std::move(addens)](const double* x, double* f) {
        for (std::size_t j = 0; j < addens.size(); ++j)
            f[j] = addens[j]->Evaluate(x);
    };
    return basis;
}

TMatrix ModelMatrix(const TMatrix& design, const TModelBasis& basis) {
    TMatrix x(design.RowCount(), basis.TermCount);
    for (std::int32_t i = 0; i < design.RowCount(); ++i)
        basis.Row(design.Row(i), x.Row(i));
    return x;
}

} // namespace orvanta
