#pragma once

// A plan made from the example math module as the program makes one: the
// module loaded by the registry, the new-plan wizard answered with its
// generator and the model it proposes, observations entered by hand.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"

#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta::test {

inline const std::string SdkDir = ORVAN_SDK_DIR;

// Two repeats of y = 3 + 2 x + 1.5 |x| at x = -1, -0.5, 0, 0.5, 1, the run
// means moved by 0.1 * (1, -2, 2, -2, 1). That vector is orthogonal to 1, x
// and |x| on these levels, so least squares must give back exactly
// b = (3, 2, 1.5) and leave it as the residuals (sum of squares 0.14). Each
// run's two values lie 0.2 either side of its mean: run variance 0.08.
inline const TRows BrokenLineObservations = {
    {2.8, 2.4}, {2.75, 2.35}, {3.4, 3.0}, {4.75, 4.35}, {6.8, 6.4}};

class SdkPlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings().SetDefaults();
        Settings().CBAlsoCreateY = false;
        Plan.SetMathCatalog(&Registry);
    }
    void TearDown() override { Settings().SetDefaults(); }

    // Loads the example module; true when it was the one module found.
    bool LoadModule() { return Registry.LoadFolder(SdkDir + "/Models") == 1; }

    // The wizard's generator page with "use this model" checked.
    bool NewBrokenLinePlan() {
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::Generator;
        answers.GeneratorName = "Пять уровней (sdk)";
        answers.UseGeneratorModel = true;
        Host.WizardAnswers.push_back(answers);
        return Plan.NewPlan();
    }

    bool AnalyseBrokenLine() {
        if (!NewBrokenLinePlan())
            return false;
        SetObservations(Plan, BrokenLineObservations);
        return Plan.RunAnalysis();
    }

    TScriptedHost Host;
    TMessageHostScope Scope{Host};
    TMathDefinition Registry;
    TRaruRuro Plan{Host};
};

} // namespace orvanta::test
