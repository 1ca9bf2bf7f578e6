// The plan service: which actions are possible in which state, the status
// text a command leaves behind, the small value services, and a whole
// working session driven through the C table as a plug-in drives it.

#include "services/PlanService.h"
#include "numeric/Cp1251.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "FakeMath.h"
#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string NotCompleted = "Операция не завершена.";

class PlanServiceTest : public ::testing::Test {
protected:
    void SetUp() override { Settings().CBAlsoCreateY = false; }
    void TearDown() override { Settings().SetDefaults(); }

    // A full factorial plan of two factors (four runs).
    void BuildFfe2() {
        host.QueueBuiltinPlan(PlanFFE, 2);
        ASSERT_TRUE(svc.NewPlan());
        host.ClearRecords();
    }

    TScriptedHost host;
    TRaruRuro plan{host};
    TPlanService svc{plan};
};

TEST_F(PlanServiceTest, FreshProgramOffersOnlyNewOpenAndImport) {
    OrvPlanService* server = svc.Server();
    for (std::int32_t action : {0, 1, 6, 7})
        EXPECT_EQ(server->Table->CanDo(server, action), -1) << action;
    for (std::int32_t action : {2, 3, 4, 5, 13, 25})
        EXPECT_EQ(server->Table->CanDo(server, action), 0) << action;
    EXPECT_TRUE(host.Messages.empty());

    // Unknown actions are warned about and refused.
    for (std::int32_t action : {50, 255}) {
        host.ClearRecords();
        EXPECT_EQ(server->Table->CanDo(server, action), 0);
        EXPECT_EQ(host.MessageTexts(),
                  std::vector<std::string>{"RaruRuro.CanDo(): Запрос на неизвестное действие (\"" +
                                           std::to_string(action) + "\")."});
        EXPECT_EQ(host.Messages.at(0).Kind, TMessageKind::Warning);
    }
}

TEST_F(PlanServiceTest, OnlyTheLowByteOfTheActionCounts) {
    BuildFfe2();
    ASSERT_EQ(svc.CanDo(13), -1);
    for (std::int32_t action = 0; action < 50; ++action)
        EXPECT_EQ(svc.CanDo(256 + action), svc.CanDo(action)) << action;
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(PlanServiceTest, OneFactorRegressionAllowsDiagramsButNoSurfaces) {
    TFakeAdden one{"1", 0, [](const double*) { return 1.0; }};
    TFakeAdden x1{"x1", 1, [](const double* x) { return x[0]; }};
    TFakeCatalog catalog;
    catalog.AddenList = {&one, &x1};
    plan.SetMathCatalog(&catalog);
    TNewPlanAnswers answers;
    answers.Source = TPlanSource::NonStandard;
    answers.FactorCount = 1;
    answers.RunCount = 3;
    answers.Addens = {&one, &x1};
    host.WizardAnswers.push_back(answers);
    ASSERT_TRUE(svc.NewPlan());
    for (std::int32_t i = 0; i < 3; ++i)
        plan.CodeMatrix.Set(i, 0, i - 1.0);
    // y = 3 + 2 x exactly.
    SetObservations(plan, {{1.0}, {3.0}, {5.0}});
    ASSERT_TRUE(plan.EstimateRegression());

    const struct {
        std::int32_t Action;
        bool Yes;
    } cases[] = {{25, true}, {26, true}, {27, true}, {29, true}, {28, false}, {30, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Action);
        EXPECT_EQ(svc.CanDo(c.Action), c.Yes ? -1 : 0);
    }
    OrvPlanService* server = svc.Server();
    const double x = 0.5;
    double y = 0.0;
    server->Table->PredictAt(server, &x, &y);
    EXPECT_NEAR(y, 4.0, 1e-12);
}

TEST_F(PlanServiceTest, RefusedCommandLeavesNotCompleted) {
    OrvPlanService* server = svc.Server();
    const OrvPlanServiceTable* t = server->Table;
    EXPECT_EQ(t->ClosePlan(server), 0);
    EXPECT_EQ(Cp1251ToUtf8(t->GetStatusText(server)), NotCompleted);
    t->ClearStatusText(server);
    EXPECT_EQ(t->ExportCodeMatrix(server), 0);
    EXPECT_EQ(Cp1251ToUtf8(t->GetStatusText(server)), NotCompleted);
    EXPECT_EQ(t->RunAnalysis(server), 0);
    EXPECT_EQ(Cp1251ToUtf8(t->GetStatusText(server)), NotCompleted);
    // The single-window commands answer without touching the status text.
    t->ClearStatusText(server);
    EXPECT_EQ(t->RestoreCodeMatrixWindow(server), 0);
    EXPECT_EQ(t->MinimizeReportWindow(server), 0);
    EXPECT_STREQ(t->GetStatusText(server), "");
    EXPECT_TRUE(host.FileDialogs.empty());
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(PlanServiceTest, DimensionsGoOnlyWhereAsked) {
    BuildFfe2();
    SetObservations(plan, {{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    OrvPlanService* server = svc.Server();
    server->Table->GetDimensions(server, nullptr, nullptr, nullptr);
    std::int32_t k = -7, n = -7, m = -7;
    server->Table->GetDimensions(server, &k, nullptr, nullptr);
    EXPECT_EQ((std::vector<std::int32_t>{k, n, m}), (std::vector<std::int32_t>{2, -7, -7}));
    server->Table->GetDimensions(server, &k, &n, &m);
    EXPECT_EQ((std::vector<std::int32_t>{k, n, m}), (std::vector<std::int32_t>{2, 4, 2}));
}

TEST_F(PlanServiceTest, CodedAndNaturalValuesTranslateBothWays) {
    BuildFfe2();
    plan.BaseLevels.Set(0, 10.0);
    plan.BaseLevels.Set(1, -3.0);
    plan.Intervals.Set(0, 2.5);
    plan.Intervals.Set(1, 0.5);
    OrvPlanService* server = svc.Server();
    const double natural[2] = {12.5, -2.75};
    double coded[2] = {};
    server->Table->ToCoded(server, coded, natural);
    EXPECT_NEAR(coded[0], 1.0, 1e-15);
    EXPECT_NEAR(coded[1], 0.5, 1e-15);
    double back[2] = {};
    server->Table->ToNatural(server, back, coded);
    EXPECT_NEAR(back[0], natural[0], 1e-13);
    EXPECT_NEAR(back[1], natural[1], 1e-13);

    // A zero interval makes the coded value a plain difference.
    plan.Intervals.Set(1, 0.0);
    server->Table->ToCoded(server, coded, natural);
    EXPECT_NEAR(coded[1], 0.25, 1e-15);
    // Null pointers leave everything alone.
    double untouched[2] = {42.0, 42.0};
    server->Table->ToCoded(server, untouched, nullptr);
    server->Table->ToNatural(server, nullptr, natural);
    server->Table->ToNatural(server, untouched, nullptr);
    EXPECT_EQ(untouched[0], 42.0);
    EXPECT_EQ(untouched[1], 42.0);
}

// The rotatable composite design of three factors with two parallel
// observations per run: new plan, responses, analysis, save, close, open,
// analysis and report, all through the operations a plug-in receives.
TEST_F(PlanServiceTest, WholeSessionThroughTheCTable) {
    char pattern[] = "/tmp/orvan-session-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    TSettings& settings = Settings();
    settings.CBAlsoCreateY = true;
    settings.CBCohrenResultsShow = false;
    settings.CBStudentResultsShow = false;
    settings.CBFisherResultsShow = false;
    settings.CBFisherActivateReport = false;

    OrvPlanService* server = svc.Server();
    const OrvPlanServiceTable* t = server->Table;
    const auto status = [&] { return std::string(t->GetStatusText(server)); };

    host.QueueBuiltinPlan(PlanCCR, 3);
    host.QueueRepeats(2);
    ASSERT_EQ(t->NewPlan(server), 1);
    EXPECT_EQ(status(), Utf8ToCp1251("Создание плана завершено."));
    std::int32_t k = 0, n = 0, m = 0;
    t->GetDimensions(server, &k, &n, &m);
    ASSERT_EQ(k, 3);
    ASSERT_EQ(n, 15); // 8 factorial runs, 6 star runs and the centre
    ASSERT_EQ(m, 2);

    // y = b0 + b1 x1 + b2 x2 + b3 x3 + b12 x1x2 + b13 x1x3 + b23 x2x3
    //     + b11 x1^2 + b22 x2^2 + b33 x3^2, observed twice with a scatter of
    // about 0.01 and a lack of fit of at most 0.002.
    const std::vector<double> truth{10.0, 1.0, 2.0, 3.0, 0.5, 0.6, 0.7, 1.1, 1.2, 1.3};
    ASSERT_TRUE(svc.Plan.HasYMatrix);
    for (std::int32_t i = 0; i < n; ++i) {
        double x[3];
        for (std::int32_t j = 0; j < 3; ++j)
            x[j] = svc.Plan.CodeMatrix.Get(i, j);
        const double fit = truth[0] + truth[1] * x[0] + truth[2] * x[1] + truth[3] * x[2] +
                           truth[4] * x[0] * x[1] + truth[5] * x[0] * x[2] +
                           truth[6] * x[1] * x[2] + truth[7] * x[0] * x[0] +
                           truth[8] * x[1] * x[1] + truth[9] * x[2] * x[2];
        const double lack = 0.001 * ((i * 7) % 5 - 2);
        const double scatter = 0.01 + 0.001 * (i % 3);
        svc.Plan.YMatrix.Set(i, 0, fit + lack + scatter);
        svc.Plan.YMatrix.Set(i, 1, fit + lack - scatter);
    }

    ASSERT_EQ(t->RunAnalysis(server), 1);
    EXPECT_EQ(status(), Utf8ToCp1251("Проведен полный анализ."));
    const double* b = t->GetCoefficients(server);
    ASSERT_NE(b, nullptr);
    const std::vector<double> first(b, b + truth.size());
    for (std::size_t j = 0; j < truth.size(); ++j)
        EXPECT_NEAR(first[j], truth[j], 2e-3) << "coefficient " << j;

    host.SaveDialogAnswers.push_back(TFileChoice{folder + "/session", true});
    ASSERT_EQ(t->SavePlanAs(server), 1);
    EXPECT_EQ(status(), Utf8ToCp1251("Сохранение плана завершено."));
    const std::string path = folder + "/session.mpl";
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
    EXPECT_EQ(std::string(t->GetFileName(server)), path);
    EXPECT_EQ(t->IsModified(server), 0);

    ASSERT_EQ(t->ClosePlan(server), 1);
    EXPECT_EQ(status(), Utf8ToCp1251("Данные удалены из памяти."));
    EXPECT_TRUE(host.Questions.empty());
    EXPECT_EQ(t->CanDo(server, ORV_ACTION_NEW_PLAN), -1);
    EXPECT_STREQ(t->GetFileName(server), "");

    ASSERT_EQ(t->OpenPlan(server, Utf8ToCp1251(path).c_str()), 1);
    EXPECT_EQ(status(), Utf8ToCp1251("Открытие плана завершено."));
    EXPECT_EQ(std::string(t->GetFileName(server)), path);
    t->GetDimensions(server, &k, &n, &m);
    EXPECT_EQ((std::vector<std::int32_t>{k, n, m}), (std::vector<std::int32_t>{3, 15, 2}));

    ASSERT_EQ(t->RunAnalysis(server), 1);
    EXPECT_EQ(status(), Utf8ToCp1251("Проведен полный анализ."));
    const double* again = t->GetCoefficients(server);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(std::vector<double>(again, again + truth.size()), first);

    ASSERT_EQ(t->UpdateReport(server), 1);
    EXPECT_EQ(status(), Utf8ToCp1251("Отчет создан."));
    EXPECT_TRUE(host.ReportOpen);
    EXPECT_FALSE(svc.Plan.ReportText.empty());
    EXPECT_TRUE(host.Messages.empty()) << host.Messages.front().Text;
    std::filesystem::remove_all(folder);
}

} // namespace
