// Loading plan data from vector and matrix files: the recognition of the
// plan kind from a code matrix, the size checks and their messages, and the
// binary form as the fallback of the text form.

#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"
#include "numeric/SafeFileStream.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "NumericTestSupport.h"
#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <unistd.h>

using namespace orvanta;
using namespace orvanta::test;

namespace {

class LoadDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvan-load-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        Folder = pattern;
        Settings().CBAlsoCreateY = false;
    }
    void TearDown() override {
        std::system(("rm -rf " + Folder).c_str());
        Settings().SetDefaults();
    }
    std::string WriteMatrix(const std::string& name, const TRows& rows, bool binary = false) {
        TNamedMatrix m;
        m.Create(static_cast<std::int32_t>(rows.size()), static_cast<std::int32_t>(rows[0].size()));
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (std::size_t j = 0; j < rows[i].size(); ++j)
                m.Set(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j), rows[i][j]);
        const std::string path = Folder + "/" + name;
        TSafeFileStream stream(path);
        binary ? m.WriteBinary(stream) : m.WriteTextForm(stream);
        stream.Commit();
        return path;
    }
    std::string WriteVector(const std::string& name, const std::vector<double>& values) {
        TNamedVector v;
        v.Create(static_cast<std::int32_t>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i)
            v.Set(static_cast<std::int32_t>(i), values[i]);
        const std::string path = Folder + "/" + name;
        TSafeFileStream stream(path);
        v.WriteBinary(stream);
        stream.Commit();
        return path;
    }
    // The standard composite plan of k factors with star arm `arm`.
    static TRows Composite(std::int32_t k, double arm) {
        TRows rows;
        for (std::int32_t i = 0; i < (1 << k); ++i) {
            std::vector<double> row;
            for (std::int32_t j = 0; j < k; ++j)
                row.push_back((i >> j) & 1 ? 1.0 : -1.0);
            rows.push_back(row);
        }
        for (std::int32_t j = 0; j < k; ++j)
            for (double sign : {-1.0, 1.0}) {
                std::vector<double> row(static_cast<std::size_t>(k), 0.0);
                row[static_cast<std::size_t>(j)] = sign * arm;
                rows.push_back(row);
            }
        rows.push_back(std::vector<double>(static_cast<std::size_t>(k), 0.0));
        return rows;
    }

    std::string Folder;
    TScriptedHost host;
    TRaruRuro plan{host};
};

} // namespace

TEST_F(LoadDataTest, CodeMatrixIntoAnEmptyPlanRecognisesThePlan) {
    const TRows ffe3 = {{-1, -1, -1}, {1, -1, -1}, {-1, 1, -1}, {1, 1, -1},
                        {-1, -1, 1},  {1, -1, 1},  {-1, 1, 1},  {1, 1, 1}};
    TRows ten = Composite(3, 2.0);
    ten.resize(10);
    const struct {
        const char* Case;
        TRows Rows;
        bool Binary;
        std::optional<TSecondOrderAnswer> Answer;
        bool Loaded;
        std::uint8_t Kind;
        double Arm;
        std::vector<std::string> Messages;
    } cases[] = {
        // Values are not checked for a full factorial: 8 x 3 is one.
        {"8 x 3",
         {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}},
         false,
         std::nullopt,
         true,
         PlanFFE,
         0.0,
         {}},
        {"8 x 3 binary", ffe3, true, std::nullopt, true, PlanFFE, 0.0, {}},
        // For k = 2 the orthogonal arm is 1: the first +1 decides.
        {"9 x 2 rotatable arm",
         Composite(2, std::sqrt(2.0)),
         false,
         std::nullopt,
         true,
         PlanCCO,
         1.0,
         {}},
        {"15 x 3 rotatable",
         Composite(3, 1.68179),
         false,
         std::nullopt,
         true,
         PlanCCR,
         std::pow(8.0, 0.25),
         {}},
        {"15 x 3 orthogonal",
         Composite(3, 1.2154),
         false,
         std::nullopt,
         true,
         PlanCCO,
         std::sqrt((std::sqrt(120.0) - 8) / 2),
         {}},
        {"15 x 3 arm 1.5, asked, rotatable",
         Composite(3, 1.5),
         false,
         TSecondOrderAnswer{true, false},
         true,
         PlanCCR,
         std::pow(8.0, 0.25),
         {}},
        {"15 x 3 arm 1.5, cancelled", Composite(3, 1.5), false, std::nullopt, false, 0, 0.0, {}},
        {"10 x 3",
         ten,
         false,
         std::nullopt,
         false,
         0,
         0.0,
         {"содержит\nописание матрицы неизвестного плана."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        plan.Reset();
        host.ClearRecords();
        const std::string path = WriteMatrix("code.txt", c.Rows, c.Binary);
        const bool asks = std::string(c.Case).find("asked") != std::string::npos ||
                          std::string(c.Case).find("cancelled") != std::string::npos;
        if (asks)
            host.SecondOrderAnswers.push_back(c.Answer);
        EXPECT_EQ(plan.LoadCodeMatrix(path), c.Loaded);
        EXPECT_EQ(plan.HasCodeMatrix, c.Loaded);
        std::vector<std::string> messages;
        for (const std::string& m : c.Messages)
            messages.push_back("Файл \"" + path + "\" " + m);
        EXPECT_EQ(host.MessageTexts(), messages);
        if (!c.Loaded)
            continue;
        EXPECT_EQ(plan.PlanKind, c.Kind);
        if (c.Kind != PlanFFE) {
            EXPECT_NEAR(plan.StarArm, c.Arm, 1e-12);
        }
        EXPECT_EQ(plan.RunCount, static_cast<std::int32_t>(c.Rows.size()));
        EXPECT_EQ(ValuesOf(plan.BaseLevels), std::vector<double>(c.Rows[0].size(), 0.0));
        EXPECT_EQ(ValuesOf(plan.Intervals), std::vector<double>(c.Rows[0].size(), 1.0));
        EXPECT_EQ(ValuesOf(plan.NaturalMatrix), ValuesOf(plan.CodeMatrix));
        EXPECT_EQ(host.CountRequests("show Intervals"), 1u);
    }
}

TEST_F(LoadDataTest, StandardStarArmRebuildsTheStarAndCentreRows) {
    // 1.5 is within 1 % of neither arm for k = 3 (1.21541 and 1.68179), so
    // the person is asked; the factorial part stays as loaded.
    TRows rows = Composite(3, 1.5);
    rows[0] = {-0.9, -1.1, -1};
    rows[14] = {0.1, 0.1, 0.1};
    host.SecondOrderAnswers.push_back(TSecondOrderAnswer{true, true});
    ASSERT_TRUE(plan.LoadCodeMatrix(WriteMatrix("code.txt", rows)));
    const double a = std::pow(8.0, 0.25);
    TRows expected = Composite(3, a);
    expected[0] = rows[0];
    for (std::size_t i = 0; i < expected.size(); ++i)
        for (std::size_t j = 0; j < 3; ++j)
            EXPECT_EQ(
                plan.CodeMatrix.Get(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j)),
                expected[i][j])
                << i << ", " << j;
    EXPECT_EQ(plan.PlanKind, PlanCCR);
}

TEST_F(LoadDataTest, DataOfAPlanMustFitItsSize) {
    host.QueueBuiltinPlan(PlanFFE, 2);
    ASSERT_TRUE(plan.NewPlan());
    host.ClearRecords();
    const std::string wrongCode =
        WriteMatrix("c.txt", {{1, 2, 3}, {4, 5, 6}, {1, 1, 1}, {2, 2, 2}});
    const std::string levels = WriteVector("l.bin", {10, 20});
    const std::string shortLevels = WriteVector("s.bin", {10});
    const std::string oneColumn = WriteMatrix("y1.txt", {{1}, {2}, {3}, {4}});
    const std::string responses = WriteMatrix("y.bin", {{1, 2}, {3, 4}, {5, 6}, {7, 8}}, true);
    const std::string missing = Folder + "/none.txt";

    EXPECT_FALSE(plan.LoadCodeMatrix(wrongCode));
    EXPECT_TRUE(plan.LoadBaseLevels(levels));
    EXPECT_FALSE(plan.LoadIntervals(shortLevels));
    EXPECT_FALSE(plan.LoadResponses(oneColumn));
    EXPECT_TRUE(plan.LoadResponses(responses));
    EXPECT_FALSE(plan.LoadBaseLevels(missing));
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{
                  "Файл \"" + wrongCode +
                      "\" должен содержать\nописание матрицы из 4 строк и 2 "
                      "столбцов.",
                  "Файл \"" + shortLevels + "\" должен содержать описание\nвектора из 2 элементов.",
                  "Файл \"" + oneColumn +
                      "\" должен содержать\nописание матрицы с двумя или более "
                      "столбцами\nи числом строк, равным 4",
                  "Ошибка открытия файла \"" + missing +
                      "\".\nФайл не существует или используется "
                      "другим\nприложением. Извините."}));
    EXPECT_EQ(host.Messages.back().Kind, TMessageKind::Error);
    EXPECT_EQ(ValuesOf(plan.BaseLevels), (std::vector<double>{10, 20}));
    EXPECT_EQ(plan.NaturalMatrix.Get(0, 0), 9.0);
    EXPECT_EQ(plan.RepeatCount, 2);
    EXPECT_EQ(ValuesOf(plan.YMatrix), (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8}));

    plan.Reset();
    host.ClearRecords();
    EXPECT_FALSE(plan.LoadBaseLevels(levels));
    EXPECT_FALSE(plan.LoadIntervals(levels));
    EXPECT_EQ(host.MessageTexts(),
              (std::vector<std::string>{
                  "Невозможно открыть вектор основный уровней\n- его размер неизвестен.",
                  "Невозможно открыть вектор интервалов варьирования:\n- его размер неизвестен"}));
}
