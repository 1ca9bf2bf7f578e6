#include "TempFolder.h"

#include "plugins/common/PluginText.h"
#include "plugins/common/SafeLineFileWriter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

namespace orvanta {
namespace {

TEST(PluginTextTest, IntegersReadLikeAtoi) {
    const std::pair<const char*, int32_t> cases[] = {{"5", 5},
                                                     {" 7", 7},
                                                     {"12abc", 12},
                                                     {"abc", 0},
                                                     {"", 0},
                                                     {"-3", -3},
                                                     {"+4", 4},
                                                     {"99999999999", INT_MAX},
                                                     {"- 3", 0},
                                                     {"3.9", 3},
                                                     {"-99999999999", INT_MIN}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ReadLeadingInt(text), value) << text;
}

TEST(PluginTextTest, FloatsReadWithAPoint) {
    const std::pair<const char*, double> cases[] = {
        {"-1.0", -1.0}, {" 0.25", 0.25}, {"1e2", 100.0}, {".5", 0.5},   {"1,5", 1.0},
        {"abc", 0.0},   {"nan", 0.0},    {"-inf", 0.0},  {"1e999", 0.0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ReadLeadingFloat(text), value) << text;
}

TEST(PluginTextTest, FormatsMatchTheCLibrary) {
    // The tests run in the "C" locale, where printf is the reference.
    for (double value : {0.0, -0.0, 1.0, -0.6, 1.0 / 3.0, 2.5e-7, 123456789.0, 1e300, -2e-300}) {
        char fixed[400];
        char general[64];
        std::snprintf(fixed, sizeof fixed, "%f", value);
        std::snprintf(general, sizeof general, "%g", value);
        EXPECT_EQ(FormatFixed(value), fixed) << value;
        EXPECT_EQ(FormatShortest(value), general) << value;
    }
}

TEST(SafeLineFileWriterTest, EndsEveryLineWithCrLfAndReplacesTheFile) {
    test::TTempFolder folder;
    const std::string path = folder.File("out.csv");
    TSafeLineFileWriter writer;
    ASSERT_TRUE(writer.Write(path, {"old"}));
    ASSERT_TRUE(writer.Write(path, {"1;2", "3;4"}));
    EXPECT_EQ(test::ReadAll(path), "1;2\r\n3;4\r\n");
    ASSERT_TRUE(writer.Write(path, {}));
    EXPECT_EQ(test::ReadAll(path), "");
}

TEST(SafeLineFileWriterTest, MissingFolderFailsWithoutLeftovers) {
    test::TTempFolder folder;
    TSafeLineFileWriter writer;
    EXPECT_FALSE(writer.Write(folder.File("none/out.csv"), {"1"}));
    EXPECT_FALSE(writer.Write("", {"1"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path));
}

} // namespace
} // namespace orvanta
