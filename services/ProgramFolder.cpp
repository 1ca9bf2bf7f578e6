#include "services/ProgramFolder.h"

#include <climits>
#include <unistd.h>

namespace orvanta {

std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    const std::string exe(path, static_cast<std::size_t>(length));
    const auto slash = exe.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : exe.substr(0, slash);
}

} // namespace orvanta
