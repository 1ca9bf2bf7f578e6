#include "plan/Settings.h"

namespace orvanta {

TSettings& Settings() {
    static TSettings settings;
    return settings;
}

} // namespace orvanta
