#include "services/ModuleChecks.h"

#include "numeric/Messages.h"
#include "services/MathDefinition.h"

namespace orvanta {

TWizardChoices CheckLoadedModules(const TMathDefinition& modules) {
    TWizardChoices choices;
    // Without terms no model can be built, so neither a generator's plan nor
    // a non-standard one could ever be finished: only the built-in plans stay.
    const auto onlyBuiltin = [&choices] {
        choices.GeneratorAllowed = false;
        choices.NonStandardAllowed = false;
        choices.SelectBuiltin = true;
    };
    if (modules.ModuleCount() == 0) {
        ShowWarning("Не найдено ни одного внешнего модуля.\nВы сможете использовать только "
                    "встроенные планы.");
        onlyBuiltin();
    } else if (modules.AddenCount() == 0) {
        ShowWarning("Внешние модули не содержат слагаемых.\nВы сможете использовать только "
                    "встроенные планы.");
        onlyBuiltin();
    } else if (modules.GenCount() == 0) {
        ShowWarning("Внешние модули не содержат стандартных планов.\nВам придется самостоятельно "
                    "определять кодовую матрицу\nили использовать встроенные планы.");
        choices.GeneratorAllowed = false;
    }
    return choices;
}

} // namespace orvanta
