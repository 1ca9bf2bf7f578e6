#include "FakePlanService.h"
#include "RecordingWriter.h"

#include "numeric/Cp1251.h"
#include "plugins/trilattice/TrilatticeLogic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace orvanta {
namespace {

using test::TFakePlanService;
using test::TRecordingWriter;

const char* const DivisionsWarning = "В поле 'Делений' должно находится число от 3 до 100.";

double Linear(const double* x) {
    return 2 * x[0] + 3 * x[1] + 5 * x[2];
}

// A response that is largest at the centroid of the simplex.
double Product(const double* x) {
    return x[0] * x[1] * x[2];
}

struct TEnabledCase {
    const char* Label;
    bool Allowed;
    int32_t Factors;
    bool HasModel;
    const char* ModelName;
    bool Expected;
};

class TrilatticeEnabled : public testing::TestWithParam<TEnabledCase> {};

TEST_P(TrilatticeEnabled, FollowsActionFactorsAndModelName) {
    const TEnabledCase& c = GetParam();
    TFakePlanService fake;
    fake.Allowed = c.Allowed;
    fake.Factors = c.Factors;
    fake.HasModel = c.HasModel;
    fake.ModelNameBytes = Utf8ToCp1251(c.ModelName);
    EXPECT_EQ(IsTrilatticeEnabled(fake.Service()), c.Expected);
    ASSERT_FALSE(fake.AskedActions.empty());
    EXPECT_EQ(fake.AskedActions.front(), 28);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrilatticeEnabled,
    testing::Values(TEnabledCase{"quadratic", true, 3, true, "Полином Шеффе квадратичный", true},
                    TEnabledCase{"bare", true, 3, true, "Полином Шеффе", true},
                    TEnabledCase{"polynomial", true, 3, true, "Полином", false},
                    TEnabledCase{"otherModel", true, 3, true, "Линейная модель", false},
                    TEnabledCase{"noRegression", false, 3, true, "Полином Шеффе линейный", false},
                    TEnabledCase{"twoFactors", true, 2, true, "Полином Шеффе линейный", false},
                    TEnabledCase{"noModel", true, 3, false, "", false}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST(TrilatticeEnabledTest, NoServerYet) {
    EXPECT_FALSE(IsTrilatticeEnabled(nullptr));
}

TEST(WriteLatticeTest, ThreeDivisionsInLatticeOrder) {
    TFakePlanService fake;
    fake.Response = Linear;
    TRecordingWriter writer;
    const TLatticeResult result = WriteLattice(fake.Service(), "3", "out.csv", writer);
    EXPECT_TRUE(result.Written);
    EXPECT_FALSE(result.Message);
    // The response 2 x1 + 3 x2 + 5 x3 worked out by hand at every point.
    const std::vector<std::string> expected = {
        "1.000000;0.000000;0.000000;2.000000", "0.666667;0.000000;0.333333;3.000000",
        "0.666667;0.333333;0.000000;2.333333", "0.333333;0.000000;0.666667;4.000000",
        "0.333333;0.333333;0.333333;3.333333", "0.333333;0.666667;0.000000;2.666667",
        "0.000000;0.000000;1.000000;5.000000", "0.000000;0.333333;0.666667;4.333333",
        "0.000000;0.666667;0.333333;3.666667", "0.000000;1.000000;0.000000;3.000000"};
    EXPECT_EQ(writer.Lines, expected);
    EXPECT_EQ(writer.Path, "out.csv");
    EXPECT_EQ(result.Lines, expected);
    EXPECT_EQ(fake.Predictions, 10);
}

TEST(WriteLatticeTest, HundredDivisionsCoverTheWholeTriangle) {
    TFakePlanService fake;
    TRecordingWriter writer;
    const TLatticeResult result = WriteLattice(fake.Service(), "100", "out.csv", writer);
    ASSERT_EQ(writer.Lines.size(), 101u * 102u / 2u);
    EXPECT_EQ(writer.Lines.front().rfind("1.000000;0.000000;0.000000;", 0), 0u);
    EXPECT_EQ(writer.Lines.back().rfind("0.000000;1.000000;0.000000;", 0), 0u);
    EXPECT_TRUE(result.Written);
}

TEST(WriteLatticeTest, PointsNeverLeaveTheTriangle) {
    // With 5 divisions 1 - x1 - x2 falls a rounding error below zero on the
    // x3 = 0 edge.
    TFakePlanService fake;
    double lowest = 1.0;
    fake.Response = [&lowest](const double* x) {
        lowest = std::min({lowest, x[0], x[1], x[2]});
        return 0.0;
    };
    TRecordingWriter writer;
    WriteLattice(fake.Service(), "5", "out.csv", writer);
    ASSERT_EQ(writer.Lines.size(), 21u);
    EXPECT_EQ(writer.Lines[2], "0.800000;0.200000;0.000000;0.000000");
    for (const std::string& line : writer.Lines)
        EXPECT_EQ(line.find('-'), std::string::npos) << line;
    EXPECT_GE(lowest, 0.0);
}

struct TRefusedCase {
    const char* Label;
    const char* Divisions;
    const char* File;
    const char* Warning;
};

class WriteLatticeRefused : public testing::TestWithParam<TRefusedCase> {};

TEST_P(WriteLatticeRefused, WarnsAndWritesNothing) {
    const TRefusedCase& c = GetParam();
    TFakePlanService fake;
    TRecordingWriter writer;
    const TLatticeResult result = WriteLattice(fake.Service(), c.Divisions, c.File, writer);
    ASSERT_TRUE(result.Message);
    EXPECT_EQ(*result.Message, TPluginMessage::Warning(c.Warning));
    EXPECT_FALSE(result.Written);
    EXPECT_EQ(writer.Calls, 0);
    EXPECT_EQ(fake.Predictions, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteLatticeRefused,
    testing::Values(TRefusedCase{"two", "2", "a.csv", DivisionsWarning},
                    TRefusedCase{"hundredOne", "101", "a.csv", DivisionsWarning},
                    TRefusedCase{"letters", "abc", "a.csv", DivisionsWarning},
                    TRefusedCase{"empty", "", "a.csv", DivisionsWarning},
                    TRefusedCase{"bothWrong", "0", "", DivisionsWarning},
                    TRefusedCase{"noFile", "5", "", "В поле 'Файл' должно находится имя файла."}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST(WriteLatticeTest, UnwritableFileIsAnErrorAndKeepsTheDialog) {
    TFakePlanService fake;
    TRecordingWriter writer;
    writer.Fails = true;
    const TLatticeResult result = WriteLattice(fake.Service(), "5", "/нет/out.csv", writer);
    ASSERT_TRUE(result.Message);
    EXPECT_EQ(*result.Message,
              TPluginMessage::Error("Не удается открыть файл '/нет/out.csv' для записи."));
    EXPECT_FALSE(result.Written);
}

struct TExtremumCase {
    const char* Label;
    double (*Response)(const double*);
    TExtremumKind Kind;
    const char* Divisions;
    const char* Text;
};

class SimplexExtremum : public testing::TestWithParam<TExtremumCase> {};

TEST_P(SimplexExtremum, ReportsTheBestPoint) {
    const TExtremumCase& c = GetParam();
    TFakePlanService fake;
    fake.Response = c.Response;
    const TExtremumResult result = FindSimplexExtremum(fake.Service(), c.Divisions, c.Kind);
    EXPECT_FALSE(result.Message);
    EXPECT_EQ(result.Text, c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimplexExtremum,
    testing::Values(
        // 1/27 at the centroid; the lattice point (1/3, 1/3, 1/3) only ties.
        TExtremumCase{"centroidMaximum", Product, TExtremumKind::Maximum, "3",
                      "Координаты точки максимума:\r\n0.333333\r\n0.333333\r\n0.333333\r\n"
                      "Значение: 0.037037"},
        // Zero on every edge: the first edge point, (1, 0, 0), beats 1/27.
        TExtremumCase{"edgeMinimum", Product, TExtremumKind::Minimum, "4",
                      "Координаты точки минимума:\r\n1.000000\r\n0.000000\r\n0.000000\r\n"
                      "Значение: 0.000000"},
        TExtremumCase{"linearMaximum", Linear, TExtremumKind::Maximum, "5",
                      "Координаты точки максимума:\r\n0.000000\r\n0.000000\r\n1.000000\r\n"
                      "Значение: 5.000000"},
        TExtremumCase{"linearMinimum", Linear, TExtremumKind::Minimum, "7",
                      "Координаты точки минимума:\r\n1.000000\r\n0.000000\r\n0.000000\r\n"
                      "Значение: 2.000000"}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST(SimplexExtremumTest, MinimumTakesAPointWithoutValue) {
    TFakePlanService fake;
    fake.Response = [](const double* x) { return x[0] == 0.0 && x[1] == 1.0 ? NAN : 1.0; };
    const TExtremumResult result = FindSimplexExtremum(fake.Service(), "3", TExtremumKind::Minimum);
    EXPECT_EQ(result.Point, (TSimplexPoint{0.0, 1.0, 0.0}));
    EXPECT_TRUE(std::isnan(result.Value));
}

TEST(SimplexExtremumTest, DivisionsOutOfRangeAreRefused) {
    TFakePlanService fake;
    for (const char* text : {"2", "101", "abc"}) {
        const TExtremumResult result =
            FindSimplexExtremum(fake.Service(), text, TExtremumKind::Maximum);
        ASSERT_TRUE(result.Message) << text;
        EXPECT_EQ(*result.Message, TPluginMessage::Warning(DivisionsWarning));
        EXPECT_TRUE(result.Text.empty());
    }
    EXPECT_EQ(fake.Predictions, 0);
}

} // namespace
} // namespace orvanta
