// The surface wizard's rules: the two factor lists that leave out each
// other's choice and how a choice in one moves the other, and what the
// interval page takes, says and leaves in its fields.
#include "dialogs/SurfaceWizardLogic.h"

#include "ScriptedHost.h"
#include "numeric/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace orvanta;
using orvanta::test::TMessageRecord;
using orvanta::test::TScriptedHost;

namespace {

const std::string FirstOrder = "Первая правая граница должна быть больше левой.";
const std::string SecondOrder = "Вторая правая граница должна быть больше левой.";
const std::string LeftNotReal = "Поле \"Левая граница\" должно содержать действительное число.";
const std::string RightNotReal = "Поле \"Правая граница\" должно содержать действительное число.";
const std::string PointsRange = "Поле \"Точек разбиения\" должно содержать\nчисло от 3 до 1000.";

const std::vector<std::string> FourFactors{"A", "B", "C", "D"};

// The list a person sees: the names without the excluded factor.
std::int32_t RowOf(const std::vector<std::string>& list, const std::string& name) {
    const auto at = std::find(list.begin(), list.end(), name);
    return at == list.end() ? -1 : static_cast<std::int32_t>(at - list.begin());
}

class SurfaceWizardLogicTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    void TearDown() override { SetDecimalSeparator(Separator); }

    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const TMessageRecord& message : Host.Messages) {
            EXPECT_EQ(message.Kind, TMessageKind::Warning) << message.Text;
            texts.push_back(message.Text);
        }
        return texts;
    }

    char Separator = GetDecimalSeparator();
    TScriptedHost Host;
    TMessageHostScope Scope{Host};
};

TEST_F(SurfaceWizardLogicTest, PositionsAgreeWithTheListShown) {
    // Every factor and every left-out factor of a four-factor plan, checked
    // against where the name actually stands in the list.
    for (std::int32_t excluded = 0; excluded < 4; ++excluded) {
        const std::vector<std::string> list = NamesWithout(FourFactors, excluded);
        ASSERT_EQ(list.size(), 3u);
        for (std::int32_t factor = 0; factor < 4; ++factor) {
            SCOPED_TRACE(std::to_string(excluded) + " " + std::to_string(factor));
            const std::int32_t row = RowOf(list, FourFactors[factor]);
            EXPECT_EQ(PositionOfFactor(factor, excluded), row);
            if (row >= 0) {
                EXPECT_EQ(FactorAtPosition(row, excluded), factor);
            }
        }
    }
    EXPECT_EQ(FactorAtPosition(-1, 2), -1);
    EXPECT_EQ(NamesWithout({"A", "B"}, 0), std::vector<std::string>{"B"});
    EXPECT_EQ(NamesWithout({"A"}, 0), std::vector<std::string>{});
}

TEST_F(SurfaceWizardLogicTest, AChoiceInOneListMovesTheOther) {
    // Rows are positions in the lists as they stood when the person clicked:
    // list 1 leaves out the old second factor, list 2 the old first one.
    struct TCase {
        const char* name;
        bool inFirstList;
        TFactorPair before;
        std::int32_t firstRow;
        std::int32_t secondRow;
        TFactorPair after;
    };
    const TCase cases[] = {
        // List 1 (without B) shows A C D; C is clicked; B stays second.
        {"list 1 picks C", true, {0, 1}, 1, 0, {2, 1}},
        {"list 1 picks D", true, {0, 1}, 2, 0, {3, 1}},
        // First C, second B: list 2 (without C) shows A B D, B at row 1.
        {"list 1 picks A again", true, {2, 1}, 0, 1, {0, 1}},
        // List 2 (without A) shows B C D; D is clicked; A stays first.
        {"list 2 picks D", false, {0, 1}, 0, 2, {0, 3}},
        // First C, second A: list 2 (without C) shows A B D; B is clicked.
        {"list 2 picks B", false, {2, 0}, 1, 1, {2, 1}},
        // First D, second B: list 1 (without B) shows A C D, list 2 (without
        // D) A B C; A is clicked in list 1.
        {"list 1 picks A", true, {3, 1}, 0, 1, {0, 1}},
        {"empty list", true, {0, 1}, -1, 0, {0, 1}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TFactorPair after = c.inFirstList
                                      ? FirstListChosen(c.before, c.firstRow, c.secondRow)
                                      : SecondListChosen(c.before, c.firstRow, c.secondRow);
        EXPECT_EQ(after.First, c.after.First);
        EXPECT_EQ(after.Second, c.after.Second);
        EXPECT_TRUE(ValidPair(after, 4));
    }
    EXPECT_FALSE(ValidPair({0, 0}, 4));
    EXPECT_FALSE(ValidPair({0, 1}, 1));
    EXPECT_FALSE(ValidPair({-1, 1}, 2));
}

TEST_F(SurfaceWizardLogicTest, ForwardChecksSixFieldsInOrderThenTheBounds) {
    struct TCase {
        const char* name;
        TSurfaceTexts typed;
        TSurfaceField refused;
        std::vector<std::string> warnings;
        TSurfaceRanges ranges; // when accepted
    };
    using F = TDiagramRangeField;
    const TSurfaceRanges untouched{{{7.0, 8.0, 9}, {7.0, 8.0, 9}}};
    const TCase cases[] = {
        {"defaults",
         {{{"-1", "1", "10"}, {"-1", "1", "10"}}},
         {},
         {},
         {{{-1.0, 1.0, 10}, {-1.0, 1.0, 10}}}},
        {"extremes",
         {{{"-0,5", "2,5e1", "3"}, {"0", "1e-3", "1000"}}},
         {},
         {},
         {{{-0.5, 25.0, 3}, {0.0, 0.001, 1000}}}},
        {"first empty width",
         {{{"1", "1", "10"}, {"-1", "1", "10"}}},
         {0, F::Right},
         {FirstOrder},
         untouched},
        {"second empty width",
         {{{"-1", "1", "10"}, {"2", "2", "10"}}},
         {1, F::Right},
         {SecondOrder},
         untouched},
        {"both reversed",
         {{{"1", "0", "10"}, {"1", "0", "10"}}},
         {0, F::Right},
         {FirstOrder},
         untouched},
        {"2 points",
         {{{"-1", "1", "2"}, {"-1", "1", "10"}}},
         {0, F::Points},
         {PointsRange},
         untouched},
        {"1001 points",
         {{{"-1", "1", "10"}, {"-1", "1", "1001"}}},
         {1, F::Points},
         {PointsRange},
         untouched},
        // The fields come before either order check, in their own order.
        {"second left before first order",
         {{{"1", "1", "10"}, {"x", "1", "10"}}},
         {1, F::Left},
         {LeftNotReal},
         untouched},
        {"first right before second",
         {{{"0", "", "10"}, {"x", "y", "0"}}},
         {0, F::Right},
         {RightNotReal},
         untouched},
        {"first points before second left",
         {{{"0", "1", "7,5"}, {"x", "1", "10"}}},
         {0, F::Points},
         {PointsRange},
         untouched},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Host.Messages.clear();
        TSurfaceTexts texts = c.typed;
        TSurfaceRanges ranges = untouched;
        const TSurfaceField refused = ValidateSurfaceRanges(texts, ranges);
        EXPECT_EQ(refused.Field, c.refused.Field);
        if (c.refused.Field != F::None) {
            EXPECT_EQ(refused.Interval, c.refused.Interval);
        }
        EXPECT_EQ(Warnings(), c.warnings);
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_DOUBLE_EQ(ranges[i].Left, c.ranges[i].Left);
            EXPECT_DOUBLE_EQ(ranges[i].Right, c.ranges[i].Right);
            EXPECT_EQ(ranges[i].Points, c.ranges[i].Points);
        }
    }
}

TEST_F(SurfaceWizardLogicTest, CancelLeavesNumbersWithoutAWord) {
    TSurfaceTexts texts{{{"x", "0,5", "2"}, {"", "2e2", " 40 "}}};
    NormaliseSurfaceRanges(texts);
    EXPECT_EQ(texts[0].Left + " " + texts[0].Right + " " + texts[0].Points, "0 0,5 3");
    EXPECT_EQ(texts[1].Left + " " + texts[1].Right + " " + texts[1].Points, "0 2e2 40");
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(SurfaceWizardLogicTest, PagesFollowHowEachClosed) {
    struct TCase {
        const char* name;
        std::vector<int> results; // as the pages closed, in turn
        std::vector<int> shown;
        bool done;
    };
    const TCase cases[] = {
        {"straight through", {1, 1, 1}, {0, 1, 2}, true},
        {"back twice, on again", {1, 1, 4, 4, 1, 1, 1}, {0, 1, 2, 1, 0, 1, 2}, true},
        // A first page cannot go back; a page closed some other way ends it.
        {"back on the first page", {4}, {0}, false},
        {"closed otherwise", {1, 0}, {0, 1}, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> shown;
        const bool done = RunWizardPages(3, [&](int page) {
            shown.push_back(page);
            return shown.size() <= c.results.size() ? c.results[shown.size() - 1] : 2;
        });
        EXPECT_EQ(done, c.done);
        EXPECT_EQ(shown, c.shown);
    }
}

} // namespace
