#include "shell/MainTitle.h"

namespace orvanta {

std::string MainTitle(bool planComplete, const std::string& displayName, bool modified) {
    static const std::string programTitle = "Орванта";
    if (planComplete)
        return displayName + (modified ? " (изменен) - " : " - ") + programTitle;
    return modified ? "(план изменен) - " + programTitle : programTitle;
}

} // namespace orvanta
