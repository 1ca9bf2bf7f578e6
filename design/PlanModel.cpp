#include "design/PlanModel.h"

#include "numeric/NumberText.h"
#include "plan/MathObjects.h"
#include "plan/RaruRuro.h"

#include <algorithm>

namespace orvanta {

namespace {

std::string X(std::int32_t i) {
    return "x" + IntToStr(i);
}

// The names of 1, x_i, x_i x_j (i < j) and, unless linear, x_i^2: the
// order of the built-in plans' terms.
std::vector<std::string> PolynomialNames(std::int32_t k, bool linear) {
    std::vector<std::string> names{"1"};
    for (std::int32_t i = 1; i <= k; ++i)
        names.push_back(X(i));
    if (linear)
        return names;
    for (std::int32_t i = 1; i <= k; ++i)
        for (std::int32_t j = i + 1; j <= k; ++j)
            names.push_back(X(i) + "*" + X(j));
    for (std::int32_t i = 1; i <= k; ++i)
        names.push_back(X(i) + "^2");
    return names;
}

// The plan's own terms; for a built-in plan only their names.
std::vector<const TAdden*> GeneralTerms(const TRaruRuro& plan) {
    if (plan.PlanKind != PlanGeneral)
        return {};
    if (!plan.Model)
        return plan.Addens;
    std::vector<const TAdden*> terms;
    for (std::int32_t j = 0; j < plan.Model->AddenCount(); ++j)
        terms.push_back(plan.Model->GetAdden(j));
    return terms;
}

} // namespace

std::optional<TModuleTerms> PlanModuleModel(const TRaruRuro& plan, bool quadratic,
                                            std::string& message) {
    const std::vector<const TAdden*> own = GeneralTerms(plan);
    if (plan.PlanKind == PlanGeneral && !quadratic)
        return TModuleTerms{plan.Model, own};
    // A built-in plan of 2^k runs fits the linear model, any other the
    // quadratic one.
    const bool linear = !quadratic && plan.TermCount() == plan.FactorCount + 1;
    std::vector<std::string> names = PolynomialNames(plan.FactorCount, linear);
    std::vector<const TAdden*> extra;
    for (const TAdden* adden : own)
        if (std::find(names.begin(), names.end(), adden->GetName()) == names.end())
            extra.push_back(adden);
    TModuleTerms model;
    const TMathCatalog* catalog = plan.MathCatalog();
    for (const std::string& name : names) {
        const std::int32_t index = catalog ? catalog->AddenByName(name) : -1;
        if (index < 0) {
            message = "Слагаемое модели \"" + name +
                      "\" не найдено во внешних модулях: нужен стандартный модуль.";
            return std::nullopt;
        }
        model.Addens.push_back(catalog->Adden(index));
    }
    model.Addens.insert(model.Addens.end(), extra.begin(), extra.end());
    return model;
}

} // namespace orvanta
