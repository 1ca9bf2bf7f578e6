#pragma once

#include <string>

namespace orvanta {

// The folder of the running program (without a trailing "/"): "Models",
// "PlugIns" and the help pages are found there.
std::string ProgramFolder();

} // namespace orvanta
