#include "plan/RaruRuro.h"

#include "numeric/Messages.h"

namespace orvanta {

namespace {

// Full factorial plans (N = 2^k) fit the linear model; the central composite
// ones the full quadratic model.
bool IsLinearBuiltin(std::int32_t k, std::int32_t n) {
    return k >= 0 && k < 31 && n == (std::int32_t{1} << k);
}

std::int32_t QuadraticTermCount(std::int32_t k) {
    return 1 + k + k * (k - 1) / 2 + k;
}

// Calls `term` with the value of every built-in model term at x, in term
// order: 1; x1 .. xk; then, unless linear, xi*xj for i < j and x1^2 .. xk^2.
template <class TFn>
void ForEachBuiltinTerm(const double* x, std::int32_t k, bool linear, TFn&& term) {
    term(1.0);
    for (std::int32_t i = 0; i < k; ++i)
        term(x[i]);
    if (linear)
        return;
    for (std::int32_t i = 0; i < k; ++i)
        for (std::int32_t j = i + 1; j < k; ++j)
            term(x[i] * x[j]);
    for (std::int32_t i = 0; i < k; ++i)
        term(x[i] * x[i]);
}

} // namespace

std::int32_t TRaruRuro::TermCount() const {
    if (PlanKind == PlanGeneral) {
        if (Model)
            return Model->AddenCount();
        return static_cast<std::int32_t>(Addens.size());
    }
    if (PlanKind > PlanGeneral || FactorCount < 1)
        return 0;
    return IsLinearBuiltin(FactorCount, RunCount) ? FactorCount + 1
                                                  : QuadraticTermCount(FactorCount);
}

void TRaruRuro::BasisRow(const double* x, double* f) const {
    if (PlanKind == PlanGeneral) {
        if (Model) {
            const std::int32_t p = Model->AddenCount();
            for (std::int32_t j = 0; j < p; ++j)
                f[j] = Model->GetAdden(j)->Evaluate(x);
        } else {
            for (std::size_t j = 0; j < Addens.size(); ++j)
                f[j] = Addens[j]->Evaluate(x);
        }
        return;
    }
    std::int32_t j = 0;
    ForEachBuiltinTerm(x, FactorCount, IsLinearBuiltin(FactorCount, RunCount),
                       [&](double v) { f[j++] = v; });
}

bool TRaruRuro::ExpandCodeMatrix() {
    HasBasisMatrix = false;
    if (PlanKind > PlanGeneral)
        return false;
    if (PlanKind == PlanGeneral && !Model && Addens.empty()) {
        ShowWarning("ExpandCodeMatrix: Addens.Count<1");
        return true;
    }
    if (PlanKind == PlanGeneral && Model) {
        // A module's model must hand out every one of its terms.
        for (std::int32_t j = 0; j < Model->AddenCount(); ++j)
            if (!Model->GetAdden(j)) {
                ShowError("Внутренняя ошибка: Model^.GetAdden() = nil");
                return true;
            }
    }
    const std::int32_t n = CodeMatrix.RowCount();
    const std::int32_t p = TermCount();
    if (BasisMatrix.RowCount() != n || BasisMatrix.ColCount() != p)
        BasisMatrix.SetSize(n, p);
    for (std::int32_t i = 0; i < n; ++i)
        BasisRow(CodeMatrix.Row(i), BasisMatrix.Row(i));
    HasBasisMatrix = true;
    return true;
}

double TRaruRuro::Predict(const double* x) const {
    const double* b = BVector.Elements();
    const std::int32_t n = BVector.Size();
    if (PlanKind == PlanGeneral) {
        if (Model) {
            if (n < Model->AddenCount())
                return 0.0;
            return Model->Evaluate(x, b);
        }
        double sum = 0.0;
        const std::size_t count = std::min<std::size_t>(Addens.size(), static_cast<std::size_t>(n));
        for (std::size_t j = 0; j < count; ++j)
            sum += b[j] * Addens[j]->Evaluate(x);
        return sum;
    }
    const std::int32_t k = FactorCount;
    if (n < 1 || k < 1)
        return 0.0;
    double sum = b[0];
    std::int32_t t = 1;
    for (std::int32_t i = 0; i < k && t < n; ++i)
        sum += b[t++] * x[i];
    if (n <= k + 1)
        return sum;
    for (std::int32_t i = 0; i < k; ++i)
        for (std::int32_t j = i + 1; j < k && t < n; ++j)
            sum += b[t++] * x[i] * x[j];
    for (std::int32_t i = 0; i < k && t < n; ++i)
        sum += b[t++] * x[i] * x[i];
    return sum;
}

void TRaruRuro::TermValues(const double* x, double* f) const {
    std::size_t term = 0;
    std::size_t out = 0;
    auto keep = [&](double v) {
        if (term < Significance.size() && Significance[term])
            f[out++] = v;
        ++term;
    };
    if (PlanKind == PlanGeneral) {
        if (Model) {
            for (std::int32_t j = 0; j < Model->AddenCount(); ++j)
                keep(Model->GetAdden(j)->Evaluate(x));
        } else {
            for (const TAdden* adden : Addens)
                keep(adden->Evaluate(x));
        }
        return;
    }
    ForEachBuiltinTerm(x, FactorCount, IsLinearBuiltin(FactorCount, RunCount), keep);
}

} // namespace orvanta
