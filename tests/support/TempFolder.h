#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace orvanta::test {

// A fresh folder under /tmp for one test, removed with everything in it.
class TTempFolder {
public:
    explicit TTempFolder(const std::string& prefix = "orvan-test") {
        std::string pattern = "/tmp/" + prefix + "-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        Path = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string File(const std::string& name) const { return Path + "/" + name; }
    std::string Path;
};

} // namespace orvanta::test
