// The new-plan wizard's rules without its windows: where each step leads,
// the greeting, what steps 2 to 4 offer from the math modules, and how
// step 4 keeps its term list in step with its two counters.
#include "dialogs/NewPlanWizardLogic.h"

#include "FakeMath.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvanta;
using orvanta::test::TFakeAdden;
using orvanta::test::TFakeCatalog;
using orvanta::test::TFakeGenerator;
using orvanta::test::TFakeModel;

namespace {

using S = TWizardStep;
using P = TPlanSource;

struct TMove {
    S From;
    std::int32_t Result;
    P Source;
    bool UseGeneratorModel;
    bool UseStandardModel;
    S To;
};

TEST(NewPlanWizardNavigation, EveryStepLeadsWhereItsAnswersSay) {
    const std::vector<TMove> table{
        // Step 1: no way back; forward by the plan type.
        {S::StepOne, StepForward, P::Generator, false, false, S::StepTwo},
        {S::StepOne, StepForward, P::NonStandard, true, true, S::StepTwoA},
        {S::StepOne, StepForward, P::Builtin, false, false, S::Done},
        {S::StepOne, StepCancel, P::Generator, false, false, S::Cancelled},
        {S::StepOne, StepBack, P::Generator, false, false, S::Cancelled},
        // Step 2: the generator's model finishes the wizard.
        {S::StepTwo, StepForward, P::Generator, true, false, S::Done},
        {S::StepTwo, StepForward, P::Generator, false, true, S::StepThree},
        {S::StepTwo, StepBack, P::Generator, true, false, S::StepOne},
        {S::StepTwo, StepCancel, P::Generator, true, false, S::Cancelled},
        // Step 2A.
        {S::StepTwoA, StepForward, P::NonStandard, true, true, S::StepThree},
        {S::StepTwoA, StepBack, P::NonStandard, false, false, S::StepOne},
        {S::StepTwoA, StepCancel, P::NonStandard, false, false, S::Cancelled},
        // Step 3: back to the step that came before it.
        {S::StepThree, StepBack, P::NonStandard, false, false, S::StepTwoA},
        {S::StepThree, StepBack, P::Generator, false, false, S::StepTwo},
        {S::StepThree, StepForward, P::Generator, false, true, S::Done},
        {S::StepThree, StepForward, P::NonStandard, false, false, S::StepFour},
        {S::StepThree, StepForward, P::NonStandard, true, false, S::StepFour},
        {S::StepThree, StepCancel, P::NonStandard, false, true, S::Cancelled},
        // Step 4.
        {S::StepFour, StepForward, P::NonStandard, false, false, S::Done},
        {S::StepFour, StepBack, P::Generator, false, false, S::StepThree},
        {S::StepFour, StepCancel, P::NonStandard, false, false, S::Cancelled},
        // A result that is none of the three cancels.
        {S::StepTwo, 3, P::Generator, false, false, S::Cancelled},
        {S::StepFour, -1, P::NonStandard, false, false, S::Cancelled},
    };
    for (const TMove& move : table) {
        const TWizardRoute route{move.Source, move.UseGeneratorModel, move.UseStandardModel};
        EXPECT_EQ(NextWizardStep(move.From, move.Result, route), move.To)
            << "from " << static_cast<int>(move.From) << " with " << move.Result;
    }
}

TEST(NewPlanWizardGreeting, FollowsTheHourAtEveryBoundary) {
    const std::string night = "Доброй ночи !";
    const std::string morning = "Доброе утро !";
    const std::string day = "Добрый день !";
    const std::string evening = "Добрый вечер !";
    const std::vector<std::string> expected{night,   night,   night,   night,   night,   night,
                                            day,     morning, morning, morning, day,     day,
                                            day,     day,     day,     day,     day,     evening,
                                            evening, evening, evening, evening, evening, evening};
    ASSERT_EQ(expected.size(), 24u);
    for (int hour = 0; hour < 24; ++hour)
        EXPECT_EQ(GreetingForHour(hour), expected[static_cast<std::size_t>(hour)]) << hour;
    // 06:30 is day, not night or morning; the label starts with a blank.
    EXPECT_EQ(WelcomeText(6), " Добрый день !");
    EXPECT_EQ(WelcomeText(0), " Доброй ночи !");
}

// A small registry: three addens needing 0, 1 and 2 factors, models of
// different sizes, and generators with and without a model.
class WizardCatalogTest : public ::testing::Test {
protected:
    TFakeAdden One{"1", 0, [](const double*) { return 1.0; }};
    TFakeAdden X1{"x1", 1, [](const double* x) { return x[0]; }};
    TFakeAdden X2{"x2", 2, [](const double* x) { return x[1]; }};
    TFakeAdden X1X3{"x1*x3", 3, [](const double* x) { return x[0] * x[2]; }};
    TFakeModel Line1{"line k=1", 1, {&One, &X1}};
    TFakeModel Line2{"line k=2", 2, {&One, &X1, &X2}};
    TFakeModel Big2{"big k=2", 2, {&One, &X1, &X2, &X1, &X2}};
    TFakeModel Other2{"other k=2", 2, {&One, &X2}};
    TFakeGenerator Square{"square", {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}, &Line2};
    TFakeGenerator Loose{"loose", {{0, 0, 0}, {1, 1, 1}}, nullptr};
    TFakeCatalog Catalog;
    test::TScriptedHost Seen;
    TMessageHostScope Scope{Seen};

    void SetUp() override {
        Catalog.AddenList = {&One, &X1, &X2, &X1X3};
        Catalog.ModelList = {&Line1, &Line2, &Big2, &Other2};
        Catalog.GeneratorList = {&Square, &Loose};
    }
};

TEST_F(WizardCatalogTest, StepThreeOffersModelsOfTheFactorCountThatFitTheRuns) {
    struct TCase {
        TPlanSize Size;
        std::vector<std::string> Models;
    };
    const std::vector<TCase> table{
        {{2, 4}, {"line k=2", "other k=2"}},
        // A model with as many terms as runs still fits; one more does not.
        {{2, 5}, {"line k=2", "big k=2", "other k=2"}},
        {{2, 2}, {"other k=2"}},
        {{2, 1}, {}},
        {{1, 2}, {"line k=1"}},
        {{3, 100}, {}},
        {{0, 0}, {}},
    };
    for (const TCase& c : table)
        EXPECT_EQ(ModelNamesForSize(Catalog, c.Size), c.Models)
            << "k = " << c.Size.FactorCount << ", N = " << c.Size.RunCount;
}

TEST_F(WizardCatalogTest, StepFourOffersAddensNeedingNoMoreFactorsThanThePlanHas) {
    using TList = std::vector<const TAdden*>;
    EXPECT_EQ(AddensForFactors(Catalog, 0), (TList{&One}));
    EXPECT_EQ(AddensForFactors(Catalog, 1), (TList{&One, &X1}));
    EXPECT_EQ(AddensForFactors(Catalog, 2), (TList{&One, &X1, &X2}));
    EXPECT_EQ(AddensForFactors(Catalog, 10), (TList{&One, &X1, &X2, &X1X3}));
}

TEST_F(WizardCatalogTest, StepTwoListsGeneratorsAndTheirDefaultModels) {
    EXPECT_EQ(GeneratorNames(Catalog), (std::vector<std::string>{"square", "loose"}));

    const TDefaultModelView square = DescribeGenerator(Catalog, "square");
    EXPECT_TRUE(square.Found);
    EXPECT_TRUE(square.HasDefault);
    EXPECT_EQ(square.ModelText, "line k=2");

    const TDefaultModelView loose = DescribeGenerator(Catalog, "loose");
    EXPECT_TRUE(loose.Found);
    EXPECT_FALSE(loose.HasDefault);
    EXPECT_EQ(loose.ModelText, "(модель по умолчанию отсутствует)");
    EXPECT_TRUE(Seen.Messages.empty());

    // Names are compared exactly.
    EXPECT_FALSE(DescribeGenerator(Catalog, "Square").Found);
    EXPECT_EQ(Seen.Messages,
              (std::vector<test::TMessageRecord>{
                  {TMessageKind::Warning, "Внутренняя ошибка: ExternalModules.GenByName()"}}));
}

TEST_F(WizardCatalogTest, SizeComesFromTheFieldsOrFromTheGenerator) {
    // The generator's size is N rows of k columns, whatever the fields say.
    EXPECT_EQ(WizardPlanSize(Catalog, P::Generator, "square", 7, 70), (TPlanSize{2, 4}));
    EXPECT_EQ(WizardPlanSize(Catalog, P::Generator, "loose", 7, 70), (TPlanSize{3, 2}));
    EXPECT_EQ(WizardPlanSize(Catalog, P::NonStandard, "square", 7, 70), (TPlanSize{7, 70}));
    EXPECT_TRUE(Seen.Messages.empty());

    EXPECT_EQ(WizardPlanSize(Catalog, P::Generator, "", 7, 70), (TPlanSize{0, 0}));
    EXPECT_EQ(Seen.MessageTexts(), (std::vector<std::string>{
                                       "Внутренняя ошибка: SGetKN->ExternalModules->GenByName()"}));
}

TEST(WizardSpinValue, ReadsAsASpinFieldDoes) {
    struct TCase {
        std::string Text;
        std::int32_t Expected;
    };
    const std::vector<TCase> table{{"5", 5},         {" 7 ", 7}, {"0", 1}, {"-3", 1},  {"11", 10},
                                   {"99999999", 10}, {"", 1},    {"x", 1}, {"2.5", 1}, {"+4", 4}};
    for (const TCase& c : table)
        EXPECT_EQ(ClampedSpinValue(c.Text, 1, 10), c.Expected) << '"' << c.Text << '"';
}

// ---- Step 4 ----

class TermAssignmentTest : public ::testing::Test {
protected:
    TTermAssignment Terms;
    TFakeAdden A{"a", 0, [](const double*) { return 1.0; }};
    TFakeAdden B{"b", 0, [](const double*) { return 2.0; }};
    TFakeAdden C{"c", 0, [](const double*) { return 3.0; }};

    void AssignAt(const std::string& position, const TAdden* adden) {
        Terms.IndexText = position;
        Terms.IndexChanged();
        ASSERT_TRUE(Terms.Assign(adden));
    }
    void SetCount(const std::string& count) {
        Terms.CountText = count;
        Terms.CountChanged();
    }
};

TEST_F(TermAssignmentTest, StartsWithFourEmptyTerms) {
    EXPECT_EQ(Terms.CountText, "4");
    EXPECT_EQ(Terms.IndexText, "1");
    EXPECT_EQ(Terms.IndexMax, 4);
    EXPECT_EQ(Terms.Terms(), (std::vector<const TAdden*>(4, nullptr)));
    EXPECT_EQ(Terms.BadAddenLines(), (std::vector<std::string>{"Слагаемое № 1", "Слагаемое № 2",
                                                               "Слагаемое № 3", "Слагаемое № 4"}));
}

TEST_F(TermAssignmentTest, RunsLimitTheNumberOfTerms) {
    struct TCase {
        std::int32_t Runs;
        std::string Count; // typed before the step is shown
        std::int32_t CountMax;
        std::string CountAfter;
    };
    const std::vector<TCase> table{
        {3, "4", 3, "3"},         {999, "4", 256, "4"},     {999, "300", 256, "256"},
        {256, "256", 256, "256"}, {257, "257", 256, "256"}, {1, "4", 1, "1"},
        {10, "x", 10, "x"},       {5, "1234567", 5, "5"},
    };
    for (const TCase& c : table) {
        TTermAssignment terms;
        terms.CountText = c.Count;
        terms.Prepare(c.Runs);
        EXPECT_EQ(terms.CountMax, c.CountMax) << c.Runs;
        EXPECT_EQ(terms.CountText, c.CountAfter) << c.Runs << " " << c.Count;
        if (c.CountAfter != "x") {
            const auto count = static_cast<std::size_t>(std::stoi(c.CountAfter));
            EXPECT_EQ(terms.Terms().size(), count);
            EXPECT_EQ(terms.IndexMax, static_cast<std::int32_t>(count));
        }
    }
}

TEST_F(TermAssignmentTest, LoweringTheCountMovesThePositionAndDropsTheTermsBeyond) {
    Terms.Prepare(10);
    AssignAt("1", &A);
    AssignAt("2", &B);
    AssignAt("4", &C);
    SetCount("2");
    EXPECT_EQ(Terms.IndexText, "2");
    EXPECT_EQ(Terms.IndexMax, 2);
    EXPECT_EQ(Terms.Terms(), (std::vector<const TAdden*>{&A, &B}));
    EXPECT_TRUE(Terms.BadAddenLines().empty());

    // Raising it again gives empty positions: what was dropped is gone.
    SetCount("5");
    EXPECT_EQ(Terms.IndexText, "2");
    EXPECT_EQ(Terms.IndexMax, 5);
    EXPECT_EQ(Terms.Terms(), (std::vector<const TAdden*>{&A, &B, nullptr, nullptr, nullptr}));
    EXPECT_EQ(Terms.UnassignedPositions(), (std::vector<std::int32_t>{3, 4, 5}));
    EXPECT_EQ(Terms.BadAddenLines(),
              (std::vector<std::string>{"Слагаемое № 3", "Слагаемое № 4", "Слагаемое № 5"}));
}

TEST_F(TermAssignmentTest, CountTextsThatAreTooLongOrUnreadable) {
    Terms.Prepare(20);
    AssignAt("3", &C);
    // Seven characters: taken for the largest count.
    SetCount("0000001");
    EXPECT_EQ(Terms.CountText, "20");
    EXPECT_EQ(Terms.Terms().size(), 20u);
    // An empty text (typing in progress) changes nothing.
    SetCount("");
    EXPECT_EQ(Terms.Terms().size(), 20u);
    EXPECT_EQ(Terms.IndexText, "3");
    // Not a number but short: read as the smallest count.
    SetCount("ab");
    EXPECT_EQ(Terms.Terms().size(), 1u);
    EXPECT_EQ(Terms.IndexText, "1");
    // Leaving the field with it empties it; a number stays.
    Terms.CountLeft();
    EXPECT_EQ(Terms.CountText, "");
    SetCount("7");
    Terms.CountLeft();
    EXPECT_EQ(Terms.CountText, "7");
    // A position field without usable text starts again at 1.
    Terms.IndexText = "";
    SetCount("6");
    EXPECT_EQ(Terms.IndexText, "1");
    Terms.IndexText = "12345678";
    SetCount("6");
    EXPECT_EQ(Terms.IndexText, "1");
}

TEST_F(TermAssignmentTest, PositionStaysWithinTheCountAndShowsItsTerm) {
    Terms.Prepare(10);
    AssignAt("2", &B);
    struct TCase {
        std::string Typed;
        std::string Shown;
        const TAdden* Term;
    };
    const std::vector<TCase> table{
        {"2", "2", &B},      {"1", "1", nullptr}, {"9", "4", nullptr}, {"1234567", "4", nullptr},
        {"0", "0", nullptr}, {"", "", nullptr},   {" 2", " 2", &B},
    };
    for (const TCase& c : table) {
        Terms.IndexText = c.Typed;
        EXPECT_EQ(Terms.IndexChanged(), c.Term) << '"' << c.Typed << '"';
        EXPECT_EQ(Terms.IndexText, c.Shown) << '"' << c.Typed << '"';
    }
}

TEST_F(TermAssignmentTest, AssigningNeedsAUsablePosition) {
    Terms.IndexText = "";
    EXPECT_FALSE(Terms.Assign(&A));
    Terms.IndexText = "1234567";
    EXPECT_FALSE(Terms.Assign(&A));
    EXPECT_EQ(Terms.UnassignedPositions(), (std::vector<std::int32_t>{1, 2, 3, 4}));
    // A short text that is not a number means the first position.
    Terms.IndexText = "x";
    EXPECT_TRUE(Terms.Assign(&A));
    // Re-assigning replaces.
    Terms.IndexText = "1";
    EXPECT_TRUE(Terms.Assign(&B));
    EXPECT_EQ(Terms.Terms().front(), &B);
}

TEST_F(TermAssignmentTest, GoingBackLeavesBothCountersReadable) {
    Terms.Prepare(8);
    struct TCase {
        std::string Count;
        std::string Index;
        std::string CountAfter;
        std::string IndexAfter;
    };
    const std::vector<TCase> table{
        {"", "", "1", "1"},   {"x", "3", "1", "1"}, {"6", "x", "6", "1"},
        {"9", "2", "8", "2"}, {"5", "5", "5", "5"}, {"0", "0", "1", "1"},
    };
    for (const TCase& c : table) {
        Terms.CountText = c.Count;
        Terms.IndexText = c.Index;
        Terms.IndexMax = 8;
        Terms.ClampCounters();
        EXPECT_EQ(Terms.CountText, c.CountAfter) << c.Count << "/" << c.Index;
        EXPECT_EQ(Terms.IndexText, c.IndexAfter) << c.Count << "/" << c.Index;
        EXPECT_EQ(Terms.Terms().size(), static_cast<std::size_t>(std::stoi(c.CountAfter)));
    }
}

} // namespace
