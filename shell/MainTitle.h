#pragma once

#include <string>

namespace orvanta {

// The main window's title. `planComplete` is whether a whole plan is loaded
// (the "save as" action is available); `displayName` ("[без имени]" or the
// file's name without folder and extension) is used only then.
std::string MainTitle(bool planComplete, const std::string& displayName, bool modified);

} // namespace orvanta
