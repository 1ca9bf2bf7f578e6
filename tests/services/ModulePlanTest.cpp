// A general plan built end to end from a loaded module: the generator's code
// matrix, its default model's basis, the fit, the listing and the prediction.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"

#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

using namespace orvanta;
using namespace orvanta::test;

TEST(ModulePlanTest, GeneratorPlanWithItsDefaultModel) {
    TScriptedHost host;
    TRaruRuro plan(host);
    TMathDefinition registry;
    ASSERT_EQ(registry.LoadFolder(std::string(ORVAN_TEST_MODULES_DIR) + "/set"), 3);
    host.ClearRecords();
    plan.SetMathCatalog(&registry);
    Settings().CBAlsoCreateY = false;

    TNewPlanAnswers answers;
    answers.Source = TPlanSource::Generator;
    answers.GeneratorName = "План A";
    answers.UseGeneratorModel = true;
    host.WizardAnswers.push_back(answers);
    ASSERT_TRUE(plan.NewPlan());
    EXPECT_EQ(plan.PlanKind, PlanGeneral);
    EXPECT_EQ(plan.Generator, registry.Generator(0));
    EXPECT_EQ(plan.Model, registry.Model(0));
    ASSERT_EQ(plan.RunCount, 3);
    EXPECT_EQ(plan.CodeMatrix.Get(0, 0), -1.0);
    EXPECT_EQ(plan.CodeMatrix.Get(2, 0), 1.0);

    // y = 2 + 3 x on the three runs, without repeats: an exact fit.
    SetObservations(plan, {{-1.0}, {2.0}, {5.0}});
    ASSERT_TRUE(plan.RunAnalysis());
    ASSERT_EQ(plan.BVector.Size(), 2);
    EXPECT_NEAR(plan.BVector.Get(0), 2.0, 1e-14);
    EXPECT_NEAR(plan.BVector.Get(1), 3.0, 1e-14);
    EXPECT_EQ(plan.EquationLines, (std::vector<std::string>{"b=    2", "b=    3"}));
    const double x[] = {0.5};
    EXPECT_NEAR(plan.Predict(x), 3.5, 1e-14);
    // The listing refuses coefficients that do not match the model.
    plan.BVector.Resize(3);
    host.ClearRecords();
    plan.FillNames();
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{"BVector.nSize<>Model^.AddenCount\nГЛЮК. Обратитесь к "
                                       "разработчику."});
    Settings().SetDefaults();
}
