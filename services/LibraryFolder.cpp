#include "services/LibraryFolder.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace orvanta {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

std::vector<std::string> LibraryFiles(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (!EndsWith(name, ".so"))
                continue;
            struct stat info {};
            if (::stat((folder + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
                names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace orvanta
