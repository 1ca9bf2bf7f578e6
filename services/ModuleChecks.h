#pragma once

namespace orvanta {

class TMathDefinition;

// What the first step of the new-plan wizard may offer, given the modules.
struct TWizardChoices {
    bool GeneratorAllowed = true; // "Стандартный (полный факторный, композиционный)"
    bool NonStandardAllowed = true; // "Нестандартный план"
    bool SelectBuiltin = false;     // select "Один из встроенных планов"
};

// The start-up check of the loaded math modules: warns when there is no
// module, when the modules hold no addens, or when they hold addens but no
// generators, and says which wizard choices remain.
TWizardChoices CheckLoadedModules(const TMathDefinition& modules);

} // namespace orvanta
