// The batch tool's run sheet: written for an example plan, filled in,
// read back with set --from-runsheet; a sheet that does not fit leaves the
// plan file as it was.

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

using namespace orvanta::test;

namespace {

struct TRun {
    int Status;
    std::string Out;
};

TRun Orvan(const std::string& arguments) {
    const std::string command =
        "'" + std::string(ORVAN_BIN_DIR) + "/orvan' " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(RunSheetBatchTest, ASheetWrittenAndFilledInGoesBackIntoThePlan) {
    const TTempFolder folder("orvan-runsheet-batch");
    const std::string plan = folder.File("plan.mpl");
    std::filesystem::copy_file(ORVAN_SOURCE_DIR "/examples/ccr2-strength.mpl", plan);
    const std::string sheet = folder.File("sheet.csv");
    const TRun written =
        Orvan("runsheet '" + plan + "' --randomize --seed 2026 -o '" + sheet + "'");
    EXPECT_EQ(written.Status, 0);
    EXPECT_EQ(written.Out, "Случайный порядок опытов, зерно 2026. Строк: 18.\n");

    // Each response is 100 x run + repeat.
    std::istringstream lines(ReadAll(sheet));
    std::string filled, line;
    std::getline(lines, line);
    filled = line + "\n";
    while (std::getline(lines, line)) {
        line.pop_back(); // CR
        const auto first = line.find(',');
        const auto second = line.find(',', first + 1);
        const int run = std::stoi(line.substr(first + 1));
        const int repeat = std::stoi(line.substr(second + 1));
        filled += line + std::to_string(100 * run + repeat) + "\n";
    }
    WriteAll(folder.File("filled.csv"), filled);
    EXPECT_EQ(
        Orvan("set '" + plan + "' --from-runsheet '" + folder.File("filled.csv") + "'").Status, 0);
    ASSERT_EQ(
        Orvan("export '" + plan + "' --item responses -o '" + folder.File("y.txt") + "'").Status,
        0);
    std::istringstream y(ReadAll(folder.File("y.txt")));
    std::getline(y, line); // Matrix "" 9 2
    for (int run = 1; run <= 9; ++run)
        for (int repeat = 1; repeat <= 2; ++repeat) {
            double value = 0;
            y >> value;
            EXPECT_EQ(value, 100 * run + repeat);
        }

    // A setting changed by hand: refused, the plan file as it was.
    const std::string before = ReadAll(plan);
    const auto at = filled.find(",135,");
    WriteAll(folder.File("wrong.csv"), filled.replace(at, 5, ",136,"));
    EXPECT_EQ(Orvan("set '" + plan + "' --from-runsheet '" + folder.File("wrong.csv") + "'").Status,
              1);
    EXPECT_EQ(ReadAll(plan), before);

    // The printable page; PDF only from the desktop program.
    const std::string page = folder.File("sheet.html");
    EXPECT_EQ(Orvan("runsheet '" + plan + "' -o '" + page + "'").Out,
              "Стандартный порядок опытов. Строк: 18.\n");
    const std::string html = ReadAll(page);
    EXPECT_NE(html.find("<p>Стандартный порядок опытов</p>"), std::string::npos);
    std::size_t cells = 0;
    for (auto at = html.find("class=\"response\""); at != std::string::npos;
         at = html.find("class=\"response\"", at + 1))
        ++cells;
    EXPECT_EQ(cells, 18u);
    EXPECT_EQ(Orvan("runsheet '" + plan + "' -o '" + folder.File("sheet.pdf") + "'").Status, 2);
}
