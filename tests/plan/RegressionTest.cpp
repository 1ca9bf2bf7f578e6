// Least squares on the run means: the coefficient listing, the test of the
// information matrix and the Student step with its model-change dialog.
// The coefficients of larger designs are checked against statsmodels in
// AnalysisTest.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "FakeMath.h"
#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const char* const Singular = "Информационая матрица вырождена.\nПродолжение расчета невозможно.";
const char* const IllConditioned =
    "Информационая матрица плохо обусловлена. Коэффициенты в уравнении регрессии будут иметь "
    "высокие погрешности\nПродолжить расчет - ?";
const char* const Remark = " (статистически не значим, слагаемое модели должно быть исключено)";

class RegressionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings().CBAlsoCreateY = false;
        catalog.ModelList = {&linear};
        plan.SetMathCatalog(&catalog);
    }
    void TearDown() override { Settings().SetDefaults(); }

    void SetObservations(const TRows& y) { test::SetObservations(plan, y); }
    // A non-standard plan over the coded rows `x`, with the model "Линейная"
    // when `addens` is empty.
    void BuildGeneral(const TRows& x, std::vector<const TAdden*> addens = {}) {
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::NonStandard;
        answers.FactorCount = static_cast<std::int32_t>(x[0].size());
        answers.RunCount = static_cast<std::int32_t>(x.size());
        answers.UseStandardModel = addens.empty();
        answers.ModelName = "Линейная";
        answers.Addens = std::move(addens);
        host.WizardAnswers.push_back(answers);
        ASSERT_TRUE(plan.NewPlan());
        for (std::size_t i = 0; i < x.size(); ++i)
            for (std::size_t j = 0; j < x[i].size(); ++j)
                plan.CodeMatrix.Set(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j),
                                    x[i][j]);
        host.ClearRecords();
    }

    TFakeAdden one{"1", 0, [](const double*) { return 1.0; }, "b0"};
    TFakeAdden x1{"x1", 1, [](const double* x) { return x[0]; }, "b1"};
    TFakeAdden x2{"x2", 2, [](const double* x) { return x[1]; }, "b2"};
    TFakeAdden x1sq{"x1^2", 1, [](const double* x) { return x[0] * x[0]; }, "b11"};
    TFakeModel linear{"Линейная", 2, {&one, &x1, &x2}};
    TFakeCatalog catalog;
    TScriptedHost host;
    TRaruRuro plan{host};
};

TEST_F(RegressionTest, TwoFactorExampleWithoutRepeats) {
    host.QueueBuiltinPlan(PlanFFE, 2);
    ASSERT_TRUE(plan.NewPlan());
    host.ClearRecords();
    SetObservations({{1}, {3}, {5}, {7}});

    ASSERT_TRUE(plan.RunAnalysis());
    EXPECT_EQ(plan.StatusText, "Проведен полный анализ.");
    ASSERT_EQ(plan.BVector.Size(), 3);
    EXPECT_DOUBLE_EQ(plan.BVector.Get(0), 4.0);
    EXPECT_DOUBLE_EQ(plan.BVector.Get(1), 1.0);
    EXPECT_DOUBLE_EQ(plan.BVector.Get(2), 2.0);
    EXPECT_EQ(plan.EquationLines, (std::vector<std::string>{"B0=    4", "B1=    1", "B2=    2"}));
    // Without repeats there are means only: no variances, no Student test, no
    // result forms, and the adequacy step just shows the report.
    EXPECT_TRUE(plan.HasYMean);
    EXPECT_FALSE(plan.HasReproVariance);
    EXPECT_FALSE(plan.HasCochran);
    EXPECT_EQ(plan.Significance, std::vector<bool>(3, true));
    EXPECT_EQ(plan.SignificantCount, 3);
    EXPECT_TRUE(host.ResultForms.empty());
    EXPECT_TRUE(host.ModelChangeRequests.empty());
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(host.CountRequests("show report"), 1u);
    EXPECT_FALSE(plan.HasFisher);
}

// The determinant of X'X decides: 0 stops with a message, below 1e-15 asks,
// from 1e-15 on goes ahead.
TEST_F(RegressionTest, InformationMatrixTest) {
    // The doubles on either side of sqrt(1e-15): with one non-zero value r in
    // the column, det(X'X) = r^2 is the product R's diagonal gives exactly.
    const double below = 3.162277660168379e-08;
    const double above = 3.16227766016838e-08;
    ASSERT_TRUE(below * below < 1e-15 && above * above >= 1e-15);
    struct {
        const char* Case;
        TRows X;
        std::vector<const TAdden*> Addens;
        std::optional<TAnswer> Answer;
        std::vector<std::string> Messages;
        bool Done;
    } const cases[] = {
        // Three terms on two distinct points, x1^2 repeating the intercept.
        {"singular", {{-1}, {1}, {-1}, {1}}, {&one, &x1, &x1sq}, std::nullopt, {Singular}, false},
        {"1e-16, No", {{1e-8}, {0}, {0}, {0}}, {&x1}, TAnswer::No, {}, false},
        {"1e-16, Yes", {{1e-8}, {0}, {0}, {0}}, {&x1}, TAnswer::Yes, {}, true},
        {"just below 1e-15", {{below}, {0}, {0}, {0}}, {&x1}, TAnswer::No, {}, false},
        {"1e-15", {{above}, {0}, {0}, {0}}, {&x1}, std::nullopt, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        plan.Reset();
        BuildGeneral(c.X, c.Addens);
        SetObservations({{1}, {2}, {3}, {4}});
        if (c.Answer)
            host.Answers.push_back(*c.Answer);
        EXPECT_EQ(plan.EstimateRegression(), c.Done);
        EXPECT_EQ(host.Questions,
                  c.Answer ? std::vector<std::string>{IllConditioned} : std::vector<std::string>{});
        EXPECT_EQ(host.MessageTexts(), c.Messages);
        EXPECT_EQ(plan.HasBVector, c.Done);
        EXPECT_EQ(plan.HasInvInfoMatrix, c.Done);
        EXPECT_EQ(plan.StatusText, c.Done ? "Проведен полный анализ." : "Операция не завершена.");
    }
    // On 1e-15 itself: X'X = r^2, C = 1 / r^2 and b = 1 / r.
    EXPECT_EQ(plan.InfoMatrix.Get(0, 0), above * above);
    EXPECT_NEAR(plan.InvInfoMatrix.Get(0, 0) * above * above, 1.0, 1e-15);
    EXPECT_NEAR(plan.BVector.Get(0) * above, 1.0, 1e-15);
}

// The model b0 + b1 x1 + b2 x2 on 2^2 runs of two repeats with the spread
// +-0.5: s^2 = 0.5, s_b = sqrt(0.5 / 4 / 2) = 0.25 and t(4) * s_b = 0.695. So
// b1 = 0.8 is significant and b2 = 0.1 is not. (Without the division by m,
// s_b would be 0.354 and b1 insignificant.)
TEST_F(RegressionTest, ModelChangeDialog) {
    const TRows square{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    const TRows someInsignificant{{3.6, 4.6}, {5.2, 6.2}, {3.8, 4.8}, {5.4, 6.4}};
    const char* const some = "Некоторые параметры модели статистически незначимы";
    struct {
        const char* Case;
        TRows Y;
        std::optional<TModelChange> Answer;
        const char* Caption;
        std::int32_t SignificantCount;
    } const cases[] = {
        {"cancel", someInsignificant, std::nullopt, some, 2},
        {"ignore", someInsignificant, TModelChange::Ignore, some, 3},
        {"zero", someInsignificant, TModelChange::ZeroInsignificant, some, 2},
        {"all insignificant",
         {{-0.49, 0.51}, {-0.48, 0.52}, {-0.47, 0.53}, {-0.51, 0.49}},
         TModelChange::Ignore,
         "Все параметры модели статистически незначимы !",
         3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        plan.Reset();
        BuildGeneral(square);
        SetObservations(c.Y);
        if (!c.Answer) {
            // Cancel drops an earlier regression too.
            host.ModelChangeAnswers.push_back(TModelChange::Ignore);
            ASSERT_TRUE(plan.RunAnalysis());
            host.ClearRecords();
        }
        host.ModelChangeAnswers.push_back(c.Answer);

        const bool done = plan.RunAnalysis();
        EXPECT_EQ(done, c.Answer.has_value());
        ASSERT_EQ(host.ModelChangeRequests.size(), 1u);
        const TModelChangeRequest& request = host.ModelChangeRequests[0];
        EXPECT_EQ(request.Caption, c.Caption);
        const bool all = c.Caption != some;
        EXPECT_EQ(request.AllInsignificant, all);
        EXPECT_EQ(request.Preselected,
                  all ? TModelChange::Ignore : TModelChange::ZeroInsignificant);
        if (!done) {
            // Cancel drops the whole regression; the adequacy step is not reached.
            EXPECT_EQ(plan.StatusText, "Операция не завершена.");
            EXPECT_FALSE(plan.HasBasisMatrix || plan.HasInfoMatrix || plan.HasInvInfoMatrix ||
                         plan.HasBVector || plan.HasSignificance);
            EXPECT_EQ(host.ResultForms.size(), 1u); // Cochran's only
            continue;
        }
        EXPECT_EQ(plan.SignificantCount, c.SignificantCount);
        ASSERT_EQ(host.ResultForms.at(1).Kind, TResultFormKind::Student);
        EXPECT_EQ(host.ResultForms.at(1).SignificantCount, c.SignificantCount);
        if (all)
            continue;
        EXPECT_EQ(plan.Significance, (std::vector<bool>{true, true, false}));
        EXPECT_NEAR(plan.BVector.Get(0), 5.0, 1e-12);
        EXPECT_NEAR(plan.BVector.Get(1), 0.8, 1e-12);
        if (*c.Answer == TModelChange::Ignore) {
            EXPECT_NEAR(plan.BVector.Get(2), 0.1, 1e-12);
        } else {
            EXPECT_EQ(plan.BVector.Get(2), 0.0);
            EXPECT_EQ(plan.EquationLines,
                      (std::vector<std::string>{"b0=    5", "b1=  0.8",
                                                std::string("b2=    0") + Remark}));
        }
    }
}

} // namespace

// A regression stopped at the ill-conditioning question keeps no verdicts and
// no inverse from the run before: the adequacy test asks for the coefficients
// instead of pairing the old count with a matrix that is not inverted.
TEST_F(RegressionTest, StoppedRegressionLeavesNoStaleVerdicts) {
    BuildGeneral({{-1, -1}, {1, -1}, {-1, 1}, {1, 1}});
    SetObservations({{1, 1.2}, {3, 3.1}, {5, 4.8}, {7, 7.3}});
    Settings().CBCohrenResultsShow = false;
    Settings().CBStudentResultsShow = false;
    ASSERT_TRUE(plan.CheckHomogeneity());
    ASSERT_TRUE(plan.EstimateRegression());
    ASSERT_TRUE(plan.HasSignificance);

    for (std::int32_t i = 0; i < 4; ++i)
        for (std::int32_t j = 0; j < 2; ++j)
            plan.CodeMatrix.Set(i, j, plan.CodeMatrix.Get(i, j) * 1e-5);
    host.Answers = {TAnswer::No};
    EXPECT_FALSE(plan.EstimateRegression());
    EXPECT_FALSE(plan.HasSignificance);
    EXPECT_FALSE(plan.HasInvInfoMatrix);

    host.ClearRecords();
    host.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(plan.CheckAdequacy());
    EXPECT_EQ(host.Questions, std::vector<std::string>{
                                  "Коэффициенты модели не известны\nОпределить их сейчас - ?"});
}
