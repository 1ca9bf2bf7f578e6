#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// What the about box says about the system.
struct TOsInfo {
    std::string SystemName = "Linux"; // uname's system name
    std::int32_t Major = 0;           // kernel release, major.minor
    std::int32_t Minor = 0;
    std::uint64_t PhysicalBytes = 0; // total physical memory
};

// The running system: uname and the physical page count.
TOsInfo CurrentOsInfo();

// The about box's `OsLabel`: "Физическая память, доступная Linux 6.1:  " +
// the memory in KiB + " Кб.". When the memory could not be read (0 bytes) the
// label says so instead of claiming "0 Кб.": "...Linux 6.1:  не определена.".
std::string OsLabelText(const TOsInfo& info);

// The leading "major.minor" of a kernel release such as "6.1.0-18-amd64";
// a part that is missing or unreadable is 0 ("4" gives 4.0, "" gives 0.0).
struct TKernelVersion {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
};
TKernelVersion ParseKernelRelease(std::string_view release);

} // namespace orvanta
