#pragma once

#include <string>
#include <string_view>

namespace orvanta {

// The text without leading and trailing characters with codes below 33.
std::string TrimText(std::string_view text);

struct TFileNameParts {
    std::string Folder;    // with its trailing "/", empty when there is none
    std::string Name;      // without the extension
    std::string Extension; // after the last point of the name, without the point
};

TFileNameParts SplitFileName(std::string_view path);
// folder + "/" if missing + name + "." if missing + extension.
std::string JoinFileName(std::string_view folder, std::string_view name,
                         std::string_view extension);

} // namespace orvanta
