#include "plan/QuantileWindowLogic.h"

#include "numeric/NumberText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace orvanta;

namespace {

using TInput = TQuantileWindowLogic::TInput;
using TResult = TQuantileWindowLogic::TResult;

const std::string NoData = "Нет исходных данных.";
const std::string NearestValue = "Использовано ближайшее допустимое значение.";
const std::string Done = "Операция завершена.";

// A freshly created window that has just been activated with no input focused.
class QuantileWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetDecimalSeparator('.');
        Window.Recompute(std::nullopt);
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    // The user types into one input after another, each focused in turn.
    void Type(const std::vector<std::pair<TInput, std::string>>& typed) {
        for (const auto& [field, text] : typed)
            Window.SetInput(field, text, field);
    }

    TQuantileWindowLogic Window;
};

} // namespace

TEST_F(QuantileWindow, ActivationShowsTheQuantilesOfTheInitialInputs) {
    EXPECT_EQ(Window.Input(TInput::CohrenD), "2");
    EXPECT_EQ(Window.Input(TInput::FisherD), "1");
    EXPECT_EQ(Window.Result(TResult::PirsonL), " 3.8"); // "%4.4g" pads to four places
    EXPECT_EQ(Window.Result(TResult::PirsonR), "0.0039");
    EXPECT_EQ(Window.Result(TResult::Cohren), "0.9985");
    EXPECT_EQ(Window.Result(TResult::Student), "12.71");
    EXPECT_EQ(Window.Result(TResult::Fisher), "164.4");
    EXPECT_EQ(Window.StatusText(), "");

    SetDecimalSeparator(',');
    Window.Recompute(TInput::PirsonF);
    EXPECT_EQ(Window.Result(TResult::Cohren), "0,9985");
    EXPECT_EQ(Window.StatusText(), Done);
}

TEST_F(QuantileWindow, TypedDegreesOfFreedomReachTheirQuantiles) {
    struct TCase {
        std::vector<std::pair<TInput, std::string>> Typed;
        TResult Field;
        std::string Expected;
    };
    const TCase cases[] = {
        {{{TInput::PirsonF, "7"}}, TResult::PirsonL, "14.1"},
        {{{TInput::PirsonF, "45"}}, TResult::PirsonR, "18.5"},
        // CohrenN is f, CohrenD is n: G(n = 11, f = 12) = 0.20858; swapped 0.1973
        {{{TInput::CohrenN, "12"}, {TInput::CohrenD, "11"}}, TResult::Cohren, "0.2086"},
        {{{TInput::StudentF, "50"}}, TResult::Student, "2.01"},
        {{{TInput::StudentF, "99999999"}}, TResult::Student, "1.96"},
        {{{TInput::StudentF, "-3"}}, TResult::Student, "1.798e+308"}, // pasted
        // FisherN is f1, FisherD is f2: F(f2 = 21, f1 = 8) = 2.4833; swapped 3.15
        {{{TInput::FisherN, "8"}, {TInput::FisherD, "21"}}, TResult::Fisher, "2.483"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed.front().second);
        Window = TQuantileWindowLogic();
        Type(c.Typed);
        EXPECT_EQ(Window.Result(c.Field), c.Expected);
    }
}

TEST_F(QuantileWindow, ClearingAnInputClearsOnlyItsGroup) {
    Type({{TInput::StudentF, ""}});
    EXPECT_EQ(Window.Result(TResult::Student), "");
    EXPECT_EQ(Window.Result(TResult::PirsonL), " 3.8");
    EXPECT_EQ(Window.Result(TResult::Cohren), "0.9985");
    EXPECT_EQ(Window.Result(TResult::Fisher), "164.4");

    Type({{TInput::CohrenD, ""}, {TInput::PirsonF, ""}});
    EXPECT_EQ(Window.Result(TResult::Cohren), "");
    EXPECT_EQ(Window.Result(TResult::PirsonL), "");
    EXPECT_EQ(Window.Result(TResult::PirsonR), "");
    EXPECT_EQ(Window.Result(TResult::Fisher), "164.4");
}

TEST_F(QuantileWindow, ZeroShowsTheValueForOne) {
    const std::pair<TInput, TResult> cases[] = {
        {TInput::PirsonF, TResult::PirsonR},  {TInput::CohrenN, TResult::Cohren},
        {TInput::StudentF, TResult::Student}, {TInput::FisherN, TResult::Fisher},
        {TInput::FisherD, TResult::Fisher},
    };
    for (const auto& [input, result] : cases) {
        SCOPED_TRACE(static_cast<int>(input));
        Type({{input, "1"}});
        const std::string valueForOne = Window.Result(result);
        Type({{input, "5"}, {input, "0"}});
        EXPECT_EQ(Window.Input(input), "1");
        EXPECT_EQ(Window.Result(result), valueForOne);
    }
    Type({{TInput::CohrenD, "0"}}); // a single variance: G = 1
    EXPECT_EQ(Window.Input(TInput::CohrenD), "1");
    EXPECT_EQ(Window.Result(TResult::Cohren), "   1");
}

TEST_F(QuantileWindow, StatusTextFollowsTheFocusedInput) {
    struct TCase {
        TInput Changed;
        std::string Text;
        std::optional<TInput> Focused;
        std::string Status;
    };
    const TCase cases[] = {
        {TInput::StudentF, "", TInput::StudentF, NoData},
        {TInput::StudentF, "0", TInput::StudentF, NearestValue},
        {TInput::StudentF, "5", TInput::StudentF, Done},
        // the focused input speaks, whichever input changed
        {TInput::StudentF, "", TInput::PirsonF, Done},
        {TInput::FisherD, "0", TInput::FisherN, Done},
        {TInput::StudentF, "0", std::nullopt, ""},
        // a group with an empty input leaves its other input silent
        {TInput::CohrenN, "", TInput::CohrenD, ""},
        // text that is not a number speaks wherever the focus is
        {TInput::CohrenD, "1x", TInput::PirsonF, NoData},
        {TInput::FisherD, " ", std::nullopt, NoData},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Changed));
        SCOPED_TRACE(c.Text);
        TQuantileWindowLogic window;
        window.Recompute(std::nullopt);
        window.SetInput(c.Changed, c.Text, c.Focused);
        EXPECT_EQ(window.StatusText(), c.Status);
    }
}

TEST_F(QuantileWindow, TextThatIsNotANumberStopsTheLaterGroups) {
    Type({{TInput::StudentF, "5"}, {TInput::CohrenN, "12a"}});
    EXPECT_EQ(Window.StatusText(), NoData);
    EXPECT_EQ(Window.Result(TResult::Cohren), "0.9985");

    // Groups before the bad one are still recomputed, those after it are not.
    Type({{TInput::PirsonF, "7"}, {TInput::StudentF, ""}, {TInput::FisherN, "0"}});
    EXPECT_EQ(Window.Result(TResult::PirsonL), "14.1");
    EXPECT_EQ(Window.Result(TResult::Student), "2.57");
    EXPECT_EQ(Window.Input(TInput::FisherN), "0");
    EXPECT_EQ(Window.StatusText(), NoData);

    Type({{TInput::CohrenN, "12"}});
    EXPECT_EQ(Window.Result(TResult::Cohren), "0.77"); // n = 2: 7880 + (7341 - 7880) * 2 / 6
    EXPECT_EQ(Window.Result(TResult::Student), "");
    EXPECT_EQ(Window.Input(TInput::FisherN), "1");
    EXPECT_EQ(Window.StatusText(), Done);
}

TEST_F(QuantileWindow, KeysAreDigitsAndBackspaceUpToEightCharacters) {
    struct TCase {
        std::string Text;
        char Key;
        bool Accepted;
    };
    const TCase cases[] = {
        {"", '0', true},          {"", '9', true},           {"1", '\b', true},
        {"", 'a', false},         {"", '-', false},          {"", ',', false},
        {"", ' ', false},         {"1234567", '8', true},    {"1234567", '\b', true},
        {"12345678", '9', false}, {"12345678", '\b', false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text + " " + c.Key);
        Type({{TInput::FisherD, c.Text}});
        EXPECT_EQ(Window.AcceptsKey(TInput::FisherD, c.Key), c.Accepted);
    }
}
