// Creating a plan through the wizard's answers: built-in plans, plans from a
// generator, non-standard plans, and what follows from the options.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "FakeMath.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

using TRows = std::vector<std::vector<double>>;

TRows RowsOf(const TMatrix& m) {
    TRows rows;
    for (std::int32_t i = 0; i < m.RowCount(); ++i)
        rows.emplace_back(m.Row(i), m.Row(i) + m.ColCount());
    return rows;
}

std::vector<double> ValuesOf(const TVector& v) {
    return std::vector<double>(v.Elements(), v.Elements() + v.Size());
}

const TRows SquareRows{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
const TRows TriangleRows{{0, 0}, {1, 0}, {0.5, 0.75}};

class NewPlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings().CBAlsoCreateY = false;
        catalog.GeneratorList = {&triangle, &square};
        catalog.ModelList = {&linear};
        catalog.AddenList = {&one, &x1, &x2, &x1x2};
        plan.SetMathCatalog(&catalog);
    }
    void TearDown() override { Settings().SetDefaults(); }

    static TNewPlanAnswers Answers(TPlanSource source) {
        TNewPlanAnswers answers;
        answers.Source = source;
        return answers;
    }
    static TNewPlanAnswers FromGenerator(const std::string& name) {
        TNewPlanAnswers answers = Answers(TPlanSource::Generator);
        answers.GeneratorName = name;
        return answers;
    }

    // Base levels 0 and intervals 1, so the natural matrix repeats the code matrix.
    void ExpectUnitLevels() {
        const auto k = static_cast<std::size_t>(plan.FactorCount);
        EXPECT_EQ(ValuesOf(plan.BaseLevels), std::vector<double>(k, 0.0));
        EXPECT_EQ(ValuesOf(plan.Intervals), std::vector<double>(k, 1.0));
        EXPECT_EQ(RowsOf(plan.NaturalMatrix), RowsOf(plan.CodeMatrix));
        EXPECT_TRUE(plan.HasBaseLevels && plan.HasIntervals && plan.HasNaturalMatrix);
    }

    TFakeAdden one{"1", 0, [](const double*) { return 1.0; }};
    TFakeAdden x1{"x1", 1, [](const double* x) { return x[0]; }};
    TFakeAdden x2{"x2", 2, [](const double* x) { return x[1]; }};
    TFakeAdden x1x2{"x1x2", 2, [](const double* x) { return x[0] * x[1]; }};
    TFakeModel linear{"Линейная", 2, {&one, &x1, &x2}};
    TFakeGenerator square{"ПФЭ 2^2", SquareRows, &linear};
    TFakeGenerator triangle{"Треугольник", TriangleRows};
    TFakeCatalog catalog;
    TScriptedHost host;
    TRaruRuro plan{host};
};

TEST_F(NewPlanTest, BuiltinPlanWithObservations) {
    Settings().CBAlsoCreateY = true;
    host.QueueBuiltinPlan(PlanCCO, 3);
    host.QueueRepeats(2);
    ASSERT_TRUE(plan.NewPlan());
    EXPECT_TRUE(host.Messages.empty());
    ASSERT_EQ(host.RepeatsRequests.size(), 1u);
    EXPECT_EQ(host.RepeatsRequests[0].Caption, "Новый набор наблюдений");
    EXPECT_TRUE(plan.HasFactorCount && plan.HasPlanKind && plan.HasRunCount);
    EXPECT_EQ(plan.PlanKind, PlanCCO);
    EXPECT_EQ(plan.RunCount, 15);
    EXPECT_EQ(plan.YMatrix.RowCount(), 15);
    EXPECT_EQ(plan.YMatrix.ColCount(), 2);
    EXPECT_EQ(plan.FileName, "");
    ExpectUnitLevels();
    EXPECT_TRUE(plan.HasFactorNames);
    EXPECT_EQ(plan.FactorNames,
              (std::vector<std::string>{"Фактор № 1", "Фактор № 2", "Фактор № 3"}));
    for (const char* request : {"show CodeMatrix", "show NaturalMatrix", "show BaseLevels",
                                "show Intervals", "show Responses"})
        EXPECT_GE(host.CountRequests(request), 1u) << request;
    ASSERT_FALSE(host.Requests.empty());
    EXPECT_EQ(host.Requests.back(), "refresh commands");
    EXPECT_EQ(host.CountRequests("check point"), 0u);
}

TEST_F(NewPlanTest, CancelledObservationsAbandonThePlan) {
    Settings().CBAlsoCreateY = true;
    host.QueueBuiltinPlan(PlanFFE, 2);
    host.RepeatsAnswers.push_back(std::nullopt);
    EXPECT_FALSE(plan.NewPlan());
    EXPECT_FALSE(plan.HasFactorCount);
    EXPECT_EQ(host.CountRequests("refresh commands"), 0u);
}

TEST_F(NewPlanTest, NoObservationDialogWhenTheOptionIsOff) {
    host.QueueBuiltinPlan(PlanCCR, 2);
    ASSERT_TRUE(plan.NewPlan());
    EXPECT_TRUE(host.RepeatsRequests.empty());
    EXPECT_FALSE(plan.HasYMatrix);
    EXPECT_EQ(host.CountRequests("show Responses"), 0u);
    EXPECT_EQ(host.CountRequests("show CodeMatrix"), 1u);
}

TEST_F(NewPlanTest, AbandonedDialogsChangeNothing) {
    host.WizardAnswers.push_back(std::nullopt);
    EXPECT_FALSE(plan.NewPlan());
    host.WizardAnswers.push_back(Answers(TPlanSource::Builtin));
    host.BuiltinPlanAnswers.push_back(std::nullopt);
    EXPECT_FALSE(plan.NewPlan());
    EXPECT_FALSE(plan.HasFactorCount);
    EXPECT_FALSE(plan.HasCodeMatrix);
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_TRUE(host.Requests.empty());
}

TEST_F(NewPlanTest, GeneralPlansFromAGenerator) {
    struct {
        const char* Case;
        TNewPlanAnswers Answers;
        const TGenerator* Generator;
        const TRows* Rows;
        const TModel* Model;
        std::vector<const TAdden*> Addens;
    } cases[] = {
        {"its own model", FromGenerator("ПФЭ 2^2"), &square, &SquareRows, &linear, {}},
        {"collected terms", FromGenerator("ПФЭ 2^2"), &square, &SquareRows, nullptr, {&one, &x1x2}},
        {"a standard model", FromGenerator("Треугольник"), &triangle, &TriangleRows, &linear, {}},
    };
    cases[0].Answers.UseGeneratorModel = true;
    cases[0].Answers.Addens = {&x1x2};
    cases[1].Answers.Addens = {&one, &x1x2};
    cases[2].Answers.UseStandardModel = true;
    cases[2].Answers.ModelName = "Линейная";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        plan.Reset();
        host.WizardAnswers.push_back(c.Answers);
        ASSERT_TRUE(plan.NewPlan());
        EXPECT_EQ(plan.PlanKind, PlanGeneral);
        EXPECT_EQ(plan.Generator, c.Generator);
        EXPECT_EQ(plan.Model, c.Model);
        EXPECT_EQ(plan.Addens, c.Addens);
        EXPECT_EQ(plan.GetFactorCount(), 2);
        EXPECT_EQ(plan.RunCount, static_cast<std::int32_t>(c.Rows->size()));
        EXPECT_EQ(RowsOf(plan.CodeMatrix), *c.Rows);
        ExpectUnitLevels();
    }
}

TEST_F(NewPlanTest, NonStandardPlanStartsEmpty) {
    TNewPlanAnswers answers;
    answers.Source = TPlanSource::NonStandard;
    answers.FactorCount = 3;
    answers.RunCount = 5;
    answers.Addens = {&one, &x1, &x2};
    host.WizardAnswers.push_back(answers);
    ASSERT_TRUE(plan.NewPlan());
    EXPECT_EQ(plan.PlanKind, PlanGeneral);
    EXPECT_EQ(plan.Generator, nullptr);
    EXPECT_EQ(plan.Model, nullptr);
    EXPECT_EQ(plan.Addens, answers.Addens);
    EXPECT_EQ(plan.TermCount(), 3);
    EXPECT_EQ(RowsOf(plan.CodeMatrix), TRows(5, std::vector<double>(3, 0.0)));
    ExpectUnitLevels();
    EXPECT_EQ(plan.FactorNames.size(), 3u);
}

// Three runs and three model terms make the triangle plan saturated.
TEST_F(NewPlanTest, SaturatedPlanOpensTheCheckPoint) {
    struct {
        const char* Case;
        int Repeats;
        bool Option;
        bool Saturated;
        std::size_t Shown;
    } const cases[] = {
        {"saturated", 2, true, true, 1},
        {"one repeat", 1, true, true, 0},
        {"option off", 2, false, true, 0},
        {"two terms", 2, true, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        Settings().CBAlsoCreateY = true;
        Settings().CBCPForSaturated = c.Option;
        plan.Reset();
        host.ClearRecords();
        TNewPlanAnswers answers = FromGenerator("Треугольник");
        answers.UseStandardModel = c.Saturated;
        answers.ModelName = "Линейная";
        answers.Addens = {&one, &x1};
        host.WizardAnswers.push_back(answers);
        host.QueueRepeats(c.Repeats);
        ASSERT_TRUE(plan.NewPlan());
        EXPECT_EQ(host.CountRequests("check point"), c.Shown);
    }
}

TEST_F(NewPlanTest, ExpandedMatrixOfGeneralPlans) {
    TNewPlanAnswers answers = FromGenerator("ПФЭ 2^2");
    answers.UseGeneratorModel = true;
    host.WizardAnswers.push_back(answers);
    ASSERT_TRUE(plan.NewPlan());
    ASSERT_TRUE(plan.ExpandCodeMatrix());
    EXPECT_TRUE(plan.HasBasisMatrix);
    EXPECT_EQ(RowsOf(plan.BasisMatrix), (TRows{{1, -1, -1}, {1, 1, -1}, {1, -1, 1}, {1, 1, 1}}));

    // Without a model the plan's own terms, in their order.
    plan.Model = nullptr;
    plan.Addens = {&x1x2, &one};
    ASSERT_TRUE(plan.ExpandCodeMatrix());
    EXPECT_EQ(RowsOf(plan.BasisMatrix), (TRows{{1, 1}, {-1, 1}, {-1, 1}, {1, 1}}));

    plan.Addens.clear();
    host.ClearRecords();
    plan.ExpandCodeMatrix();
    EXPECT_FALSE(plan.HasBasisMatrix);
    EXPECT_EQ(host.Messages, (std::vector<TMessageRecord>{
                                 {TMessageKind::Warning, "ExpandCodeMatrix: Addens.Count<1"}}));
}

TEST_F(NewPlanTest, ResetCodeMatrixRestoresTheInitialRuns) {
    host.QueueBuiltinPlan(PlanCCR, 2);
    ASSERT_TRUE(plan.NewPlan());
    const TRows initial = RowsOf(plan.CodeMatrix);
    plan.CodeMatrix.Set(0, 0, 7.0);
    plan.CodeMatrix.Set(8, 1, -3.0);
    plan.BaseLevels.Set(0, 1.0);
    plan.BaseLevels.Set(1, 2.0);
    plan.Intervals.Set(0, 2.0);
    plan.Intervals.Set(1, 3.0);
    host.ClearRecords();

    ASSERT_TRUE(plan.ResetCodeMatrix());
    EXPECT_EQ(RowsOf(plan.CodeMatrix), initial);
    for (std::int32_t i = 0; i < 9; ++i)
        for (std::int32_t j = 0; j < 2; ++j)
            EXPECT_DOUBLE_EQ(plan.NaturalMatrix.Get(i, j), (j + 1.0) + (j + 2.0) * initial[i][j]);
    for (const char* request : {"refresh CodeMatrix", "refresh NaturalMatrix", "refresh commands"})
        EXPECT_EQ(host.CountRequests(request), 1u) << request;

    // A generator's plan comes back from the generator; a typed-in one has
    // nothing to come back to.
    plan.Reset();
    host.WizardAnswers.push_back(FromGenerator("Треугольник"));
    ASSERT_TRUE(plan.NewPlan());
    plan.CodeMatrix.Set(2, 1, 9.0);
    ASSERT_TRUE(plan.ResetCodeMatrix());
    EXPECT_EQ(RowsOf(plan.CodeMatrix), TriangleRows);

    plan.Reset();
    TNewPlanAnswers typedIn = Answers(TPlanSource::NonStandard);
    typedIn.Addens = {&one};
    host.WizardAnswers.push_back(typedIn);
    ASSERT_TRUE(plan.NewPlan());
    plan.CodeMatrix.Set(0, 0, 9.0);
    EXPECT_FALSE(plan.ResetCodeMatrix());
    EXPECT_EQ(plan.CodeMatrix.Get(0, 0), 9.0);
}

} // namespace
