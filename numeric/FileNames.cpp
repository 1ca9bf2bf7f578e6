#include "numeric/FileNames.h"

namespace orvanta {

std::string TrimText(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) < 33)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 33)
        text.remove_suffix(1);
    return std::string(text);
}

TFileNameParts SplitFileName(std::string_view path) {
    TFileNameParts parts;
    const auto slash = path.rfind('/');
    std::string_view name = path;
    if (slash != std::string_view::npos) {
        parts.Folder = std::string(path.substr(0, slash + 1));
        name = path.substr(slash + 1);
    }
    const auto point = name.rfind('.');
    if (point == std::string_view::npos) {
        parts.Name = std::string(name);
    } else {
        parts.Name = std::string(name.substr(0, point));
        parts.Extension = std::string(name.substr(point + 1));
    }
    return parts;
}

std::string JoinFileName(std::string_view folder, std::string_view name,
                         std::string_view extension) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    if (!extension.empty()) {
        if (extension.front() != '.')
            path += '.';
        path += extension;
    }
    return path;
}

} // namespace orvanta
