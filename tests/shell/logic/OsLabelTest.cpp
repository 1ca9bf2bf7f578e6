// The system line of the about box: kernel version and physical memory.
#include "shell/OsLabel.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/utsname.h>

namespace orvanta {
namespace {

constexpr std::uint64_t KiB = 1024;
constexpr std::uint64_t GiB = 1024 * 1024 * 1024;

struct TLabelCase {
    const char* Name;
    TOsInfo Info;
    const char* Expected;
};

class OsLabelTextTest : public ::testing::TestWithParam<TLabelCase> {};

TEST_P(OsLabelTextTest, ReadsAsTheAboutBoxShowsIt) {
    EXPECT_EQ(OsLabelText(GetParam().Info), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Memory, OsLabelTextTest,
    ::testing::Values(TLabelCase{"HalfAMegabyte",
                                 {"Linux", 6, 1, 512 * KiB},
                                 "Физическая память, доступная Linux 6.1:  512 Кб."},
                      // Past 2 GiB a signed 32-bit byte count turns negative; the true
                      // count must still come out.
                      TLabelCase{"SixteenGiB",
                                 {"Linux", 6, 1, 16 * GiB},
                                 "Физическая память, доступная Linux 6.1:  16777216 Кб."},
                      TLabelCase{"JustOver2GiB",
                                 {"Linux", 5, 10, 2 * GiB + 4096},
                                 "Физическая память, доступная Linux 5.10:  2097156 Кб."},
                      TLabelCase{"Above4GiB",
                                 {"Linux", 4, 19, 4 * GiB + 1024},
                                 "Физическая память, доступная Linux 4.19:  4194305 Кб."},
                      // A part of a kibibyte is dropped, never rounded up.
                      TLabelCase{"TruncatesBelowOneKiB",
                                 {"Linux", 6, 1, 2047},
                                 "Физическая память, доступная Linux 6.1:  1 Кб."},
                      TLabelCase{"LessThanOneKiB",
                                 {"Linux", 6, 1, 1023},
                                 "Физическая память, доступная Linux 6.1:  0 Кб."},
                      TLabelCase{"OtherSystemName",
                                 {"GNU/kFreeBSD", 10, 3, 8 * KiB},
                                 "Физическая память, доступная GNU/kFreeBSD 10.3:  8 Кб."},
                      TLabelCase{"MemoryUnknown",
                                 {"Linux", 6, 1, 0},
                                 "Физическая память, доступная Linux 6.1:  не определена."}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(KernelRelease, TakesMajorAndMinor) {
    struct TCase {
        const char* Release;
        std::int32_t Major;
        std::int32_t Minor;
    };
    const TCase cases[] = {
        {"6.1.0-18-amd64", 6, 1},
        {"5.10", 5, 10},
        {"4", 4, 0},
        {"6.8.0-rc3", 6, 8},
        {"3.2-custom", 3, 2},
        {"5.", 5, 0},
        {"6.x", 6, 0},
        {"", 0, 0},
        {"unknown", 0, 0},
        {"99999999999.1", 0, 1},
    };
    for (const TCase& c : cases) {
        const TKernelVersion version = ParseKernelRelease(c.Release);
        EXPECT_EQ(version.Major, c.Major) << c.Release;
        EXPECT_EQ(version.Minor, c.Minor) << c.Release;
    }
}

// The running system, checked against what /proc and uname report on their
// own.
TEST(CurrentOsInfoTest, MatchesTheKernelsOwnAccount) {
    const TOsInfo info = CurrentOsInfo();
    utsname names{};
    ASSERT_EQ(::uname(&names), 0);
    EXPECT_EQ(info.SystemName, names.sysname);
    std::ostringstream version;
    version << info.Major << "." << info.Minor;
    EXPECT_EQ(std::string(names.release).rfind(version.str(), 0), 0u)
        << names.release << " vs " << version.str();

    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t totalKiB = 0;
    while (meminfo >> key) {
        if (key == "MemTotal:") {
            meminfo >> totalKiB;
            break;
        }
        meminfo.ignore(256, '\n');
    }
    ASSERT_GT(totalKiB, 0u);
    // MemTotal leaves out what the kernel keeps for itself, so the page count
    // is a little larger; both must agree within a tenth.
    const std::uint64_t kib = info.PhysicalBytes / 1024;
    EXPECT_GE(kib, totalKiB);
    EXPECT_LT(kib, totalKiB + totalKiB / 10);
}

} // namespace
} // namespace orvanta
