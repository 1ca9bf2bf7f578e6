// What the extremum dialog takes in its bound and count fields, the exact
// warnings for what it does not, and what cancelling leaves in them.
#include "dialogs/ExtremumDialogLogic.h"

#include "ScriptedHost.h"
#include "numeric/NumberText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace orvanta;
using orvanta::test::TMessageRecord;
using orvanta::test::TScriptedHost;

namespace {

const std::string StartNotReal =
    "Поле \"Начальное значение\" должно содержать действительное число.";
const std::string EndNotReal = "Поле \"Конечное значение\" должно содержать действительное число.";
const std::string StepsRange = "Поле \"Шагов разбиения\" должно содержать\nчисло от 1 до 1000.";
const std::string ApproximationsRange =
    "Поле \"Количество приближений\" должно содержать\nчисло от 100 до 1000000000.";

std::string EqualBounds(const std::string& start) {
    return "В поле \"Конечное значение\" должна находится\nвеличина, большая " + start;
}

// Every case runs with the comma as the decimal separator, as on a Russian
// desktop, and sees the warnings the person would.
class ExtremumDialogLogicTest : public ::testing::Test {
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
    TExtremumDialogLogic Logic;
};

TEST_F(ExtremumDialogLogicTest, TypedBoundsAreKeptOrRefused) {
    struct TCase {
        const char* name;
        const char* start;
        const char* end;
        TExtremumField refused;
        double lower;
        double upper;
        std::optional<std::string> warning;
    };
    const TCase cases[] = {
        {"in order", "-0,5", "2", TExtremumField::None, -0.5, 2.0, {}},
        {"start above end is swapped", "3", "-2,25", TExtremumField::None, -2.25, 3.0, {}},
        {"blanks around", " 1,5 ", "1e1", TExtremumField::None, 1.5, 10.0, {}},
        {"equal", "1", "1", TExtremumField::End, -1.0, 1.0, EqualBounds("1")},
        {"equal typed apart", "0,25", "0,250", TExtremumField::End, -1.0, 1.0, EqualBounds("0,25")},
        {"equal, start as a number", "-2,50", "-2,5", TExtremumField::End, -1.0, 1.0,
         EqualBounds("-2,5")},
        // Leaving the field has already told the person about these.
        {"start not a number", "x", "1", TExtremumField::Start, -1.0, 1.0, {}},
        {"end empty", "0", "", TExtremumField::End, -1.0, 1.0, {}},
        {"point separator", "0.5", "1", TExtremumField::Start, -1.0, 1.0, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Host.Messages.clear();
        Logic.Prepare(1);
        EXPECT_EQ(Logic.StoreBounds(c.start, c.end), c.refused);
        EXPECT_EQ(Logic.LowerBound(0), c.lower);
        EXPECT_EQ(Logic.UpperBound(0), c.upper);
        EXPECT_EQ(Warnings(),
                  c.warning ? std::vector<std::string>{*c.warning} : std::vector<std::string>{});
    }
}

TEST_F(ExtremumDialogLogicTest, ClosingWithSearchChecksTheFieldsInOrder) {
    struct TCase {
        const char* name;
        TExtremumFieldTexts typed;
        TExtremumField refused;
        std::vector<std::string> warnings;
        // The count fields afterwards.
        std::string steps;
        std::string approximations;
    };
    const TCase cases[] = {
        {"all valid", {"-2", "2", "1000", "100"}, TExtremumField::None, {}, "1000", "100"},
        {"largest approximations",
         {"0", "1", "1", " 1000000000 "},
         TExtremumField::None,
         {},
         "1",
         "1000000000"},
        {"start first", {"a", "b", "0", "0"}, TExtremumField::Start, {StartNotReal}, "0", "0"},
        {"end", {"1", "", "0", "0"}, TExtremumField::End, {EndNotReal}, "0", "0"},
        {"equal bounds before the counts",
         {"1", "1,0", "0", "0"},
         TExtremumField::End,
         {EqualBounds("1")},
         "0",
         "0"},
        {"steps 0", {"-1", "1", "0", "1000"}, TExtremumField::Steps, {StepsRange}, "1", "1000"},
        {"steps 1001", {"-1", "1", "1001", "0"}, TExtremumField::Steps, {StepsRange}, "1", "0"},
        {"steps not whole",
         {"-1", "1", "2,5", "1000"},
         TExtremumField::Steps,
         {StepsRange},
         "1",
         "1000"},
        {"approximations 99",
         {"-1", "1", "10", "99"},
         TExtremumField::Approximations,
         {ApproximationsRange},
         "10",
         "100"},
        {"approximations beyond 32 bits",
         {"-1", "1", "10", "5000000000"},
         TExtremumField::Approximations,
         {ApproximationsRange},
         "10",
         "100"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Host.Messages.clear();
        Logic.Prepare(1);
        TExtremumFieldTexts texts = c.typed;
        EXPECT_EQ(Logic.Validate(texts), c.refused);
        EXPECT_EQ(Warnings(), c.warnings);
        EXPECT_EQ(texts.Steps, c.steps);
        EXPECT_EQ(texts.Approximations, c.approximations);
    }
}

TEST_F(ExtremumDialogLogicTest, CancellingPutsValidValuesIntoTheFields) {
    struct TCase {
        const char* name;
        TExtremumFieldTexts typed;
        TExtremumFieldTexts normal;
    };
    const TCase cases[] = {
        {"valid stays", {"-0,5", "2", "7", "700"}, {"-0,5", "2", "7", "700"}},
        {"above the range", {"x", "1", "5000", "2000000000"}, {"0", "1", "1000", "1000000000"}},
        {"below the range", {"1", "", "0", "99"}, {"1", "0", "1", "100"}},
        {"no integer", {"1", "2", "abc", "1,5"}, {"1", "2", "1", "100"}},
        {"beyond 32 bits", {"1", "2", "-5000000000", "5000000000"}, {"1", "2", "1", "100"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        Logic.Prepare(1);
        TExtremumFieldTexts texts = c.typed;
        Logic.Normalise(texts);
        EXPECT_EQ(texts.Start, c.normal.Start);
        EXPECT_EQ(texts.End, c.normal.End);
        EXPECT_EQ(texts.Steps, c.normal.Steps);
        EXPECT_EQ(texts.Approximations, c.normal.Approximations);
        // What the fields now hold is what the next search starts with.
        EXPECT_EQ(Logic.StepsText(), c.normal.Steps);
        EXPECT_EQ(Logic.ApproximationsText(), c.normal.Approximations);
    }
    EXPECT_TRUE(Host.Messages.empty());
}

} // namespace
