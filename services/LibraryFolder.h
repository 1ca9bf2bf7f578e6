#pragma once

#include <string>
#include <vector>

namespace orvanta {

// The "*.so" files (regular files) of a folder, sorted by name so that
// loading is deterministic; a missing folder has none.
std::vector<std::string> LibraryFiles(const std::string& folder);

} // namespace orvanta
