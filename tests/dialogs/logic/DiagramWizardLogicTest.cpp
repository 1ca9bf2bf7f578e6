// What the diagram wizard takes in its interval and point-count fields, the
// exact warnings for what it does not, what Back and Cancel leave there,
// which factors the levels page lists and how it keeps their levels.
#include "dialogs/DiagramWizardLogic.h"

#include "ScriptedHost.h"
#include "numeric/NumberText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanta;
using orvanta::test::TMessageRecord;
using orvanta::test::TScriptedHost;

namespace {

const std::string LeftNotReal = "Поле \"Левая граница\" должно содержать действительное число.";
const std::string RightNotReal = "Поле \"Правая граница\" должно содержать действительное число.";
const std::string PointsRange = "Поле \" Число точек \" должно содержать\nчисло от 5 до 1000.";
const std::string BoundsOrder = "Правая граница должна быть больше левой.";
const std::string LevelNotReal = "Поле \"Уровень\" должно содержать действительное число.";

// Every case runs with the comma as the decimal separator, as on a Russian
// desktop, and sees the messages the person would.
class DiagramWizardLogicTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator(Separator); }

    std::vector<std::string> Texts(TMessageKind kind) const {
        std::vector<std::string> texts;
        for (const TMessageRecord& message : Host.Messages) {
            EXPECT_EQ(message.Kind, kind) << message.Text;
            texts.push_back(message.Text);
        }
        return texts;
    }

    char Separator = GetDecimalSeparator();
    TScriptedHost Host;
    TMessageHostScope Scope{Host};
};

TEST_F(DiagramWizardLogicTest, ForwardChecksTheFieldsInOrderThenTheBounds) {
    struct TCase {
        const char* name;
        TDiagramRangeTexts typed;
        TDiagramRangeField refused;
        std::vector<std::string> warnings;
        std::string pointsAfter;
        TDiagramRange range; // when accepted
    };
    const TCase cases[] = {
        {"defaults", {"-1", "1", "15"}, TDiagramRangeField::None, {}, "15", {-1.0, 1.0, 15}},
        {"fractions and extremes",
         {" -0,5 ", "2,5e1", "1000"},
         TDiagramRangeField::None,
         {},
         "1000",
         {-0.5, 25.0, 1000}},
        {"fewest points", {"0", "1e-3", "5"}, TDiagramRangeField::None, {}, "5", {0.0, 0.001, 5}},
        {"equal bounds", {"1", "1", "15"}, TDiagramRangeField::Right, {BoundsOrder}, "15", {}},
        {"bounds reversed", {"2", "-2", "15"}, TDiagramRangeField::Right, {BoundsOrder}, "15", {}},
        {"left not a number", {"x", "1", "15"}, TDiagramRangeField::Left, {LeftNotReal}, "15", {}},
        {"point instead of comma",
         {"0.5", "1", "15"},
         TDiagramRangeField::Left,
         {LeftNotReal},
         "15",
         {}},
        {"right empty", {"0", "", "15"}, TDiagramRangeField::Right, {RightNotReal}, "15", {}},
        {"four points", {"-1", "1", "4"}, TDiagramRangeField::Points, {PointsRange}, "5", {}},
        {"1001 points", {"-1", "1", "1001"}, TDiagramRangeField::Points, {PointsRange}, "5", {}},
        {"fractional count",
         {"-1", "1", "7,5"},
         TDiagramRangeField::Points,
         {PointsRange},
         "5",
         {}},
        // The first failure stops the checks: nothing further is said.
        {"all wrong", {"x", "y", "4"}, TDiagramRangeField::Left, {LeftNotReal}, "4", {}},
        {"count before order", {"1", "1", "4"}, TDiagramRangeField::Points, {PointsRange}, "5", {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Host.Messages.clear();
        TDiagramRangeTexts texts = c.typed;
        TDiagramRange range{7.0, 8.0, 9};
        EXPECT_EQ(ValidateDiagramRange(texts, range), c.refused);
        EXPECT_EQ(Texts(TMessageKind::Warning), c.warnings);
        EXPECT_EQ(texts.Points, c.pointsAfter);
        EXPECT_EQ(texts.Left, c.typed.Left);
        EXPECT_EQ(texts.Right, c.typed.Right);
        const TDiagramRange expected =
            c.refused == TDiagramRangeField::None ? c.range : TDiagramRange{7.0, 8.0, 9};
        EXPECT_DOUBLE_EQ(range.Left, expected.Left);
        EXPECT_DOUBLE_EQ(range.Right, expected.Right);
        EXPECT_EQ(range.Points, expected.Points);
    }
}

TEST_F(DiagramWizardLogicTest, BackAndCancelLeaveNumbersWithoutAWord) {
    struct TCase {
        TDiagramRangeTexts typed;
        TDiagramRangeTexts kept;
    };
    const TCase cases[] = {
        {{"-1", "1", "15"}, {"-1", "1", "15"}},
        {{"0,5", "2e2", " 40 "}, {"0,5", "2e2", "40"}},
        {{"x", "", "abc"}, {"0", "0", "5"}},
        // A count out of range is not brought to the nearest end.
        {{"1", "1", "2000"}, {"1", "1", "5"}},
        {{"1", "2", "4"}, {"1", "2", "5"}},
    };
    for (const TCase& c : cases) {
        TDiagramRangeTexts texts = c.typed;
        NormaliseDiagramRange(texts);
        EXPECT_EQ(texts.Left, c.kept.Left);
        EXPECT_EQ(texts.Right, c.kept.Right);
        EXPECT_EQ(texts.Points, c.kept.Points);
    }
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_DOUBLE_EQ(BoundValue("-2,5"), -2.5);
    EXPECT_DOUBLE_EQ(BoundValue("x"), 0.0);
}

TEST_F(DiagramWizardLogicTest, LevelsPageListsTheFactorsThatAreNotSwept) {
    struct TCase {
        std::int32_t k;
        std::int32_t first;
        std::int32_t second;
        std::vector<std::int32_t> fixed;
    };
    const TCase cases[] = {
        {3, 0, -1, {1, 2}}, {3, 1, -1, {0, 2}}, {3, 2, -1, {0, 1}},  {1, 0, -1, {}},
        {4, 3, 1, {0, 2}},  {2, 1, 0, {}},      {2, -1, -1, {0, 1}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.k) + " " + std::to_string(c.first) + " " +
                     std::to_string(c.second));
        EXPECT_EQ(FixedFactors(c.k, c.first, c.second), c.fixed);
    }
    const std::vector<std::string> names{"Температура", "Давление", "Время"};
    EXPECT_EQ(FixedFactorLines(names, {0, 2}), (std::vector<std::string>{"Температура", "Время"}));
    EXPECT_EQ(FixedFactorLines(names, {}),
              std::vector<std::string>{"(фиксированных факторов нет)"});
}

TEST_F(DiagramWizardLogicTest, TypedLevelsAreKeptForTheirFactor) {
    std::vector<double> levels(3, 0.0);
    EXPECT_TRUE(StoreTypedLevel(levels, 2, "-0,75"));
    EXPECT_TRUE(StoreTypedLevel(levels, 0, " 1e2 "));
    EXPECT_EQ(levels, (std::vector<double>{100.0, 0.0, -0.75}));
    EXPECT_TRUE(Host.Messages.empty());

    // A text that is not a number is reported by the conversion itself and
    // changes nothing.
    EXPECT_FALSE(StoreTypedLevel(levels, 2, "1.5"));
    EXPECT_EQ(Texts(TMessageKind::Error),
              std::vector<std::string>{"\"1.5\" не является действительным числом."});
    EXPECT_DOUBLE_EQ(levels[2], -0.75);

    // Forward checks the field as "Уровень".
    Host.Messages.clear();
    EXPECT_FALSE(StoreCheckedLevel(levels, 1, "полтора"));
    EXPECT_EQ(Texts(TMessageKind::Warning), std::vector<std::string>{LevelNotReal});
    EXPECT_DOUBLE_EQ(levels[1], 0.0);
    EXPECT_TRUE(StoreCheckedLevel(levels, 1, "0,5"));
    EXPECT_DOUBLE_EQ(levels[1], 0.5);
    // A factor outside the plan stores nothing and breaks nothing.
    EXPECT_TRUE(StoreCheckedLevel(levels, 3, "9"));
    EXPECT_TRUE(StoreTypedLevel(levels, -1, "9"));
    EXPECT_EQ(levels, (std::vector<double>{100.0, 0.5, -0.75}));
}

} // namespace
