// The run sheet: its order made again from the seed (checked against
// tests/data/runsheet/order.py), its CSV read back after a spreadsheet
// shuffled and re-saved it, and the sheets it refuses, each by its row.

#include "runsheet/RunSheet.h"
#include "plan/RaruRuro.h"
#include "runsheet/CsvRecords.h"
#include "runsheet/SheetCsv.h"
#include "runsheet/SheetFiles.h"
#include "runsheet/SheetReader.h"

#include "ScriptedHost.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, const char* end) {
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

class RunSheetTest : public ::testing::Test {
protected:
    // Four runs of a rotatable plan's star and centre in natural units; the
    // second name needs quoting in a CSV.
    void SetUp() override {
        const double settings[4][2] = {{98.78679656440357, 40},
                                       {141.21320343559643, 40},
                                       {120, 25.85786437626905},
                                       {120, 54.14213562373095}};
        plan.SetFactorCount(2);
        plan.RunCount = 4;
        plan.HasRunCount = true;
        plan.CodeMatrix.Create(4, 2);
        plan.HasCodeMatrix = true;
        plan.NaturalMatrix.Create(4, 2);
        for (std::int32_t i = 0; i < 4; ++i)
            for (std::int32_t j = 0; j < 2; ++j)
                plan.NaturalMatrix.Set(i, j, settings[i][j]);
        plan.HasNaturalMatrix = true;
        plan.FactorNames = {"Температура, °C", "Время \"выдержки\""};
        plan.HasFactorNames = true;
        plan.ResponseName = "Прочность";
    }

    void SetObservations(std::int32_t m, double value) {
        plan.YMatrix.Create(4, m);
        for (std::int32_t i = 0; i < 4; ++i)
            for (std::int32_t j = 0; j < m; ++j)
                plan.YMatrix.Set(i, j, value);
        plan.HasYMatrix = true;
        plan.RepeatCount = m;
        plan.HasRepeatCount = true;
    }

    bool Import(const std::string& text) {
        WriteFile(text);
        return ImportRunSheet(plan, folder.File("sheet.csv"));
    }
    void WriteFile(const std::string& text) {
        std::FILE* file = std::fopen(folder.File("sheet.csv").c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }

    TScriptedHost host;
    TRaruRuro plan{host};
    TTempFolder folder{"orvan-runsheet"};
};

// What LibreOffice in a Russian locale saves: semicolons, decimal commas,
// numbers as shown (6 significant digits).
std::string SpreadsheetCopy(const std::vector<TCsvRecord>& records) {
    std::string text;
    for (const TCsvRecord& record : records) {
        for (std::size_t i = 0; i < record.Fields.size(); ++i) {
            std::string field = record.Fields[i];
            if (record.Line > 1 && i >= 3 && !field.empty()) {
                char shown[32];
                std::snprintf(shown, sizeof shown, "%.6g", std::stod(field));
                field = shown;
                std::replace(field.begin(), field.end(), '.', ',');
            } else {
                field = CsvField(field);
            }
            text += (i ? ";" : "") + field;
        }
        text += "\n";
    }
    return text;
}

} // namespace

TEST(RunOrderTest, TheSameSeedMakesTheSameOrderEverywhere) {
    using R = TSheetRun;
    const struct {
        std::int32_t Runs, Repeats;
        std::uint32_t Seed;
        std::vector<R> Expected; // python3 tests/data/runsheet/order.py runs repeats seed
    } cases[] = {
        {9,
         2,
         2026,
         {R{2, 2}, R{8, 1}, R{3, 2}, R{2, 1}, R{3, 1}, R{7, 1}, R{7, 2}, R{5, 1}, R{9, 2}, R{1, 1},
          R{4, 2}, R{9, 1}, R{6, 2}, R{1, 2}, R{4, 1}, R{6, 1}, R{5, 2}, R{8, 2}}},
        {4, 1, 1, {R{4, 1}, R{1, 1}, R{3, 1}, R{2, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Seed);
        const std::vector<R> order = RandomRunOrder(c.Runs, c.Repeats, c.Seed);
        EXPECT_EQ(order, c.Expected);
        EXPECT_EQ(RandomRunOrder(c.Runs, c.Repeats, c.Seed), order);
        EXPECT_NE(RandomRunOrder(c.Runs, c.Repeats, c.Seed + 1), order);
        // Every run x repeat once.
        std::vector<R> sorted = order;
        std::sort(sorted.begin(), sorted.end(),
                  [](R a, R b) { return std::pair(a.Run, a.Repeat) < std::pair(b.Run, b.Repeat); });
        EXPECT_EQ(sorted, StandardRunOrder(c.Runs, c.Repeats));
    }
}

TEST(RunSheetNumbersTest, SettingsReadBackExactlyAndMatchToSixDigits) {
    for (const double value : {0.1, 100000.0, 1e-5, 41.21320343559643, -2.5e20, 0.0}) {
        const std::string text = SheetNumber(value);
        EXPECT_EQ(std::stod(text), value) << text;
        EXPECT_EQ(text.find_first_of(",e") == std::string::npos,
                  value == 0 || (std::fabs(value) >= 1e-4 && std::fabs(value) < 1e15))
            << text;
    }
    const struct {
        double Sheet, Plan, Scale;
        bool Same;
    } settings[] = {
        {41.2132, 41.21320343559643, 141, true},  {41.2133, 41.21320343559643, 141, false},
        {98.7868, 98.78679656440357, 141, true},  {10, 9.999995, 10, true},
        {0, -5.551115123125783e-17, 0.3, true},   {0.001, 0, 0.3, false},
        {-54.1421, 54.14213562373095, 54, false},
    };
    for (const auto& s : settings)
        EXPECT_EQ(SameSetting(s.Sheet, s.Plan, s.Scale), s.Same) << s.Sheet << " " << s.Plan;
}

TEST_F(RunSheetTest, ResponsesOfAShuffledSpreadsheetCopyLandInTheirRunsAndRepeats) {
    plan.RepeatCount = 3;
    plan.HasRepeatCount = true;
    const std::string csv = RunSheetCsv(MakeRunSheet(plan, 11));
    const std::vector<std::string> lines = Lines(csv);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "\xEF\xBB\xBFПорядок (зерно 11),Опыт,Повтор,\"Температура, °C\","
                        "\"Время \"\"выдержки\"\"\",Прочность");
    EXPECT_EQ(lines[1].substr(0, 2), "1,");
    EXPECT_EQ(lines[1].back(), ',');

    // The person fills every cell but run 3's second repeat; the spreadsheet
    // sorts the rows its own way and saves them again.
    std::vector<TCsvRecord> records = SplitCsv(csv.substr(3), ',');
    for (TCsvRecord& record : records)
        if (record.Line > 1 && !(record.Fields[1] == "3" && record.Fields[2] == "2"))
            record.Fields.back() =
                std::to_string(10 * std::stoi(record.Fields[1]) + std::stoi(record.Fields[2])) +
                ".125";
    std::reverse(records.begin() + 1, records.end());
    std::rotate(records.begin() + 1, records.begin() + 5, records.end());
    ASSERT_TRUE(Import(SpreadsheetCopy(records))) << host.MessageTexts().back();
    ASSERT_EQ(plan.YMatrix.RowCount(), 4);
    ASSERT_EQ(plan.YMatrix.ColCount(), 3);
    EXPECT_EQ(plan.Repeats(), 3);
    EXPECT_TRUE(plan.Modified);
    for (std::int32_t i = 0; i < 4; ++i)
        for (std::int32_t j = 0; j < 3; ++j)
            EXPECT_EQ(plan.YMatrix.Get(i, j), i == 2 && j == 1 ? 0.0 : 10 * (i + 1) + j + 1.125)
                << i << " " << j;

    // A sheet with one value changes that observation and no other.
    std::vector<std::string> one = Lines(RunSheetCsv(MakeRunSheet(plan, std::nullopt)));
    one[5] += "-7.5e-1"; // run 2, repeat 2
    ASSERT_TRUE(Import(Joined(one, "\r\n")));
    EXPECT_EQ(plan.YMatrix.Get(1, 1), -0.75);
    EXPECT_EQ(plan.YMatrix.Get(1, 0), 21.125);
    EXPECT_EQ(plan.YMatrix.Get(2, 1), 0.0);
}

TEST_F(RunSheetTest, ASheetThatDoesNotFitThePlanIsRefusedByItsRow) {
    SetObservations(2, 1.0);
    // Standard order: line 2 is run 1 repeat 1, line 3 run 1 repeat 2, ...
    const std::vector<std::string> written = Lines(RunSheetCsv(MakeRunSheet(plan, std::nullopt)));
    ASSERT_EQ(written[3], "3,2,1,141.21320343559643,40,");
    const struct {
        const char* What;
        std::function<void(std::vector<std::string>&)> Change;
        std::string Message;
    } cases[] = {
        {"setting off in the sixth digit",
         [](auto& l) {
             l[1] = "1,1,1,98.7868,40,5"; // rounded as shown: passes
             l[3] = "3,2,1,141.214,40,5";
         },
         "Строка 4 рабочего листа: значения факторов не совпадают с опытом 2 плана."},
        {"setting not a number", [](auto& l) { l[8] = "8,4,2,120,x,"; },
         "Строка 9 рабочего листа: значения факторов не совпадают с опытом 4 плана."},
        {"run out of range", [](auto& l) { l[4] = "4,5,2,141.21320343559643,40,"; },
         "Строка 5 рабочего листа: номер опыта 5 вне пределов 1 .. 4."},
        {"run not whole", [](auto& l) { l[1] = "1,1.5,1,98.78679656440357,40,"; },
         "Строка 2 рабочего листа: номер опыта \"1.5\" не является целым числом."},
        {"repeat out of range", [](auto& l) { l[2] = "2,1,3,98.78679656440357,40,"; },
         "Строка 3 рабочего листа: номер повтора 3 вне пределов 1 .. 2."},
        {"a pair twice", [](auto& l) { l[5] = "5,1,1,98.78679656440357,40,"; },
         "Строка 6 рабочего листа: опыт 1, повтор 1 уже записан в строке 2."},
        {"decimal comma with comma separators", [](auto& l) { l[6] += "\"12,5\""; },
         "Строка 7 рабочего листа: отклик \"12,5\" не является числом."},
        {"blank lines count as lines",
         [](auto& l) {
             l.insert(l.begin() + 1, "");
             l[7] += "abc";
         },
         "Строка 8 рабочего листа: отклик \"abc\" не является числом."},
        {"a column missing",
         [](auto& l) {
             for (std::string& line : l)
                 line.erase(line.rfind(','));
         },
         "Строка 1 рабочего листа: столбцов 5, а нужно 6 (порядок, опыт, повтор, факторы плана, "
         "отклик)."},
        {"no rows", [](auto& l) { l.resize(1); }, "Рабочий лист не содержит ни одного опыта."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        std::vector<std::string> lines = written;
        c.Change(lines);
        host.ClearRecords();
        EXPECT_FALSE(Import(Joined(lines, "\n")));
        ASSERT_FALSE(host.Messages.empty());
        EXPECT_EQ(host.Messages.back(), (TMessageRecord{TMessageKind::Warning, c.Message}));
        for (std::int32_t i = 0; i < 4; ++i)
            EXPECT_TRUE(plan.YMatrix.Get(i, 0) == 1.0 && plan.YMatrix.Get(i, 1) == 1.0);
    }
}
