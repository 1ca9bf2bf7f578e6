#include "shell/OsLabel.h"

#include <charconv>
#include <sys/utsname.h>
#include <unistd.h>

namespace orvanta {

namespace {

// Reads the digits at the start of text; 0 when there are none or they do
// not fit. Moves text past what was read.
std::int32_t TakeNumber(std::string_view& text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || value < 0)
        value = 0;
    // On overflow from_chars still reports where the digits end.
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return value;
}

std::uint64_t PhysicalMemoryBytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

} // namespace

TKernelVersion ParseKernelRelease(std::string_view release) {
    TKernelVersion version;
    version.Major = TakeNumber(release);
    if (!release.empty() && release.front() == '.') {
        release.remove_prefix(1);
        version.Minor = TakeNumber(release);
    }
    return version;
}

TOsInfo CurrentOsInfo() {
    TOsInfo info;
    utsname names{};
    if (::uname(&names) == 0) {
        if (names.sysname[0] != '\0')
            info.SystemName = names.sysname;
        const TKernelVersion version = ParseKernelRelease(names.release);
        info.Major = version.Major;
        info.Minor = version.Minor;
    }
    info.PhysicalBytes = PhysicalMemoryBytes();
    return info;
}

std::string OsLabelText(const TOsInfo& info) {
    std::string text = "Физическая память, доступная " + info.SystemName + " " +
                       std::to_string(info.Major) + "." + std::to_string(info.Minor) + ":  ";
    // A reading of nothing is a failed query, not an empty machine.
    if (info.PhysicalBytes == 0)
        return text + "не определена.";
    return text + std::to_string(info.PhysicalBytes / 1024) + " Кб.";
}

} // namespace orvanta
