// Augmented plans fitted and compared with the plans they should become:
// the factorial with axial runs against the built-in rotatable composite
// plan, the folded fractions against their known alias structure, and the
// batch tool's augmented file against the plan it came from.

#include "design/Augment.h"
#include "BatchOutput.h"
#include "design/Aliases.h"
#include "numeric/FileStream.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"

#include "QuietAnalysis.h"
#include "ScriptedHost.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace {

using TRuns = std::vector<std::vector<double>>;

TRuns SortedRuns(const TMatrix& design) {
    TRuns runs;
    for (std::int32_t i = 0; i < design.RowCount(); ++i)
        runs.emplace_back(design.Row(i), design.Row(i) + design.ColCount());
    for (auto& run : runs)
        for (double& x : run)
            x = std::round(x * 1e9) / 1e9;
    std::sort(runs.begin(), runs.end());
    return runs;
}

TAugmentRequest Request(TAugmentKind kind) {
    TAugmentRequest request;
    request.Kind = kind;
    return request;
}

class AugmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Registry.LoadModule(std::string(ORVAN_MODELS_DIR) + "/standard.so"));
        test::SilenceResultForms();
    }
    void TearDown() override { Settings().SetDefaults(); }

    TRaruRuro& Open(const std::string& path) {
        Plans.push_back(std::make_unique<TRaruRuro>(Host));
        TRaruRuro& plan = *Plans.back();
        plan.SetMathCatalog(&Registry);
        TFileStream stream(path);
        EXPECT_TRUE(ReadPlan(stream, plan)) << path;
        return plan;
    }
    // A plan the batch tool makes: `how` are the words of `orvan new`.
    TRaruRuro& Made(const std::string& how) {
        const std::string path = Folder.File("plan" + std::to_string(Plans.size()) + ".mpl");
        BatchOutput("new " + how + " -o '" + path + "' >/dev/null 2>&1");
        return Open(path);
    }

    TScriptedHost Host;
    TMessageHostScope Scope{Host};
    TMathDefinition Registry;
    TTempFolder Folder{"orvan-augment"};
    std::vector<std::unique_ptr<TRaruRuro>> Plans;
};

} // namespace

// A 2^k factorial with axial runs at the rotatable arm and one centre run is
// the built-in rotatable plan; the responses of a quadratic, two repeats at
// +-0.01 around it, give back its coefficients in the built-in term order.
TEST_F(AugmentTest, AxialRunsMakeTheRotatablePlanThatFitsAQuadratic) {
    for (const int k : {2, 3}) {
        SCOPED_TRACE(k);
        const std::string factors = " --factors " + std::to_string(k) + " --repeats 2";
        TRaruRuro& plan = Made("--builtin ffe" + factors);
        const TRaruRuro& rotatable = Made("--builtin ccr" + factors);
        std::string message;
        const auto result = AugmentPlan(plan, Request(TAugmentKind::Axial), message);
        ASSERT_TRUE(result) << message;
        EXPECT_NEAR(result->Alpha, rotatable.StarArm, 1e-12);
        EXPECT_EQ(SortedRuns(plan.CodeMatrix), SortedRuns(rotatable.CodeMatrix));
        ASSERT_EQ(plan.TermCount(), rotatable.TermCount());

        std::vector<double> b(std::size_t(plan.TermCount()));
        for (std::size_t t = 0; t < b.size(); ++t)
            b[t] = 3.0 + double(t) * (t % 2 ? -1.5 : 2.0);
        std::vector<double> f(b.size());
        for (std::int32_t i = 0; i < plan.RunCount; ++i) {
            rotatable.BasisRow(plan.CodeMatrix.Row(i), f.data());
            double y = 0.0;
            for (std::size_t t = 0; t < b.size(); ++t)
                y += b[t] * f[t];
            plan.YMatrix.Set(i, 0, y + 0.01);
            plan.YMatrix.Set(i, 1, y - 0.01);
        }
        Host.ModelChangeAnswers.push_back(TModelChange::Ignore);
        ASSERT_TRUE(plan.RunAnalysis());
        ASSERT_EQ(plan.BVector.Size(), std::int32_t(b.size()));
        for (std::size_t t = 0; t < b.size(); ++t)
            EXPECT_NEAR(plan.BVector.Get(std::int32_t(t)), b[t], 1e-9) << "term " << t;
    }
}

// Folding 2^(3-1) over gives the full 2^3; folding the resolution III
// 2^(7-4) over on all factors gives resolution IV, on x1 alone a plan whose
// x1 is aliased with no interaction up to the third order.
TEST_F(AugmentTest, FoldOverOfTheModuleFractions) {
    const struct {
        const char* Fraction;
        std::int32_t Factor;
        std::optional<std::int32_t> Resolution;
        bool X1Clear;
    } cases[] = {
        {"Дробный факторный эксперимент 2^(3-1)", 0, std::nullopt, true},
        {"Дробный факторный эксперимент 2^(7-4)", 0, 4, false},
        {"Дробный факторный эксперимент 2^(7-4)", 1, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Fraction) + " " + std::to_string(c.Factor));
        TRaruRuro& plan = Made("--generator '" + std::string(c.Fraction) + "' --repeats 1");
        const std::int32_t n = plan.RunCount;
        std::string message;
        TAugmentRequest request = Request(TAugmentKind::FoldOver);
        request.Factor = c.Factor;
        ASSERT_TRUE(AugmentPlan(plan, request, message)) << message;
        EXPECT_EQ(plan.RunCount, 2 * n);
        const auto aliases = AliasStructure(plan.CodeMatrix);
        ASSERT_TRUE(aliases);
        EXPECT_EQ(aliases->Resolution, c.Resolution);
        EXPECT_EQ(aliases->Chains[0].Aliases.empty(), c.X1Clear);
    }
}

// The batch tool's augmented file keeps every old run, observation, level,
// name and the check point; the new runs have zero responses and the plan
// is a general one whose results are gone. Plans that are not two-level
// are refused and stay as they were.
TEST_F(AugmentTest, TheOldObservationsStayAsTheyWere) {
    const std::string example = std::string(ORVAN_SOURCE_DIR) + "/examples/";
    const struct {
        const char* Plan;
        const char* Options;
        std::int32_t Added; // 0: refused
    } cases[] = {
        {"saturated-frac3-hardness.mpl", "--foldover", 4},
        {"saturated-frac3-hardness.mpl", "--foldover --factor 2", 4},
        {"saturated-frac3-hardness.mpl", "--axial --alpha 1 --centre 2", 8},
        {"saturated-frac3-hardness.mpl", "--d-optimal --runs 3 --seed 7", 3},
        {"ccr2-strength.mpl", "--d-optimal --runs 2", 2},
        {"ccr2-strength.mpl", "--foldover", 0},
        {"ccr2-strength.mpl", "--axial", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Plan) + " " + c.Options);
        const std::string out = Folder.File("out.mpl");
        std::remove(out.c_str());
        BatchOutput("augment '" + example + c.Plan + "' " + c.Options + " -o '" + out +
                    "' 2>/dev/null");
        TRaruRuro& old = Open(example + c.Plan);
        if (c.Added == 0) {
            EXPECT_TRUE(ReadAll(out).empty());
            continue;
        }
        TRaruRuro& plan = Open(out);
        const std::int32_t n = old.RunCount;
        ASSERT_EQ(plan.RunCount, n + c.Added);
        EXPECT_EQ(plan.PlanKind, PlanGeneral);
        EXPECT_FALSE(plan.HasBVector);
        EXPECT_EQ(plan.FactorNames, old.FactorNames);
        EXPECT_EQ(plan.ResponseName, old.ResponseName);
        EXPECT_EQ(plan.HasCheckPoint, old.HasCheckPoint);
        for (std::int32_t j = 0; j < old.FactorCount; ++j) {
            EXPECT_EQ(plan.BaseLevels.Get(j), old.BaseLevels.Get(j));
            EXPECT_EQ(plan.Intervals.Get(j), old.Intervals.Get(j));
            if (old.HasCheckPoint) {
                EXPECT_EQ(plan.CheckPoint.Get(j), old.CheckPoint.Get(j));
            }
        }
        for (std::int32_t i = 0; i < plan.RunCount; ++i) {
            for (std::int32_t j = 0; j < old.FactorCount && i < n; ++j)
                EXPECT_EQ(plan.CodeMatrix.Get(i, j), old.CodeMatrix.Get(i, j));
            for (std::int32_t r = 0; r < old.RepeatCount; ++r)
                EXPECT_EQ(plan.YMatrix.Get(i, r), i < n ? old.YMatrix.Get(i, r) : 0.0);
        }
    }
}
