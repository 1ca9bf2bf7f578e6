#include "dialogs/IdlePriority.h"

#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <string>

#include <sys/resource.h>

namespace orvanta {

namespace {

// The nice value of the idle class's nearest counterpart.
constexpr int IdleNice = 19;
constexpr int CapSysNice = 23;

// Whether the effective capabilities hold CAP_SYS_NICE (any nice value may
// be set then).
bool HasSysNice() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("CapEff:", 0) != 0)
            continue;
        try {
            const unsigned long long caps = std::stoull(line.substr(7), nullptr, 16);
            return ((caps >> CapSysNice) & 1U) != 0;
        } catch (const std::exception&) {
            return false;
        }
    }
    return false;
}

// RLIMIT_NICE lets a thread go down to the nice value 20 - limit.
bool MayReturnTo(int nice) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) == 0 &&
        (limit.rlim_cur == RLIM_INFINITY || static_cast<rlim_t>(20 - nice) <= limit.rlim_cur))
        return true;
    return HasSysNice();
}

} // namespace

void TIdlePriority::Lower() {
    if (Lowered)
        return;
    // On Linux the nice value belongs to the thread: this lowers only the
    // thread that runs the search.
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, 0);
    if (errno != 0 || current >= IdleNice || !MayReturnTo(current))
        return;
    if (setpriority(PRIO_PROCESS, 0, IdleNice) == 0) {
        Previous = current;
        Lowered = true;
    }
}

void TIdlePriority::Restore() {
    if (!Lowered)
        return;
    Lowered = false;
    setpriority(PRIO_PROCESS, 0, Previous);
}

} // namespace orvanta
