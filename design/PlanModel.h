#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvanta {

class TAdden;
class TModel;
class TRaruRuro;

// A model as the math modules hold it: a ready-made model, or terms picked
// one by one when there is none.
struct TModuleTerms {
    const TModel* Model = nullptr;
    std::vector<const TAdden*> Addens;
};

// The plan's model in the modules' terms, so that a plan that stops being
// a built-in one keeps it: a general plan's own model or terms; a built-in
// plan's terms looked up in the math catalog by the standard module's
// names ("1", "x1", "x1*x2", "x1^2"). With `quadratic` the full second-order
// model in the plan's factors, followed by the plan's terms it lacks.
// Nullopt, with `message` set, when the catalog has no such term.
std::optional<TModuleTerms> PlanModuleModel(const TRaruRuro& plan, bool quadratic,
                                            std::string& message);

} // namespace orvanta
