// The example math module as the program sees it: what the registry lists,
// and a plan built from its generator and fitted against numbers worked out
// by hand. The fit takes the terms' values and the prediction the model's own
// evaluation, so the two are checked against each other as well.

#include "SdkPlan.h"

#include <tuple>

using namespace orvanta;
using namespace orvanta::test;

namespace {

struct TAddenCase {
    const char* Name;
    const char* Text;
    const char* CoefName;
    std::int32_t NeededFactors;
};

const TAddenCase AddenCases[] = {
    {"sdk:1", "1", "b0", 0},
    {"sdk:x1", "x1", "b1", 1},
    {"sdk:|x1|", "|x1|", "b2", 1},
};

} // namespace

TEST_F(SdkPlanTest, RegistryListsTheModulesObjectsUnderTheirNames) {
    ASSERT_TRUE(LoadModule());
    EXPECT_TRUE(Host.Messages.empty());
    ASSERT_EQ(Registry.AddenCount(), 3);
    ASSERT_EQ(Registry.ModelCount(), 1);
    ASSERT_EQ(Registry.GenCount(), 1);

    for (const TAddenCase& c : AddenCases) {
        SCOPED_TRACE(c.Name);
        const std::int32_t i = Registry.AddenByName(c.Name);
        ASSERT_GE(i, 0);
        const TAdden* adden = Registry.Adden(i);
        EXPECT_EQ(adden->GetText(), c.Text);
        EXPECT_EQ(adden->GetCoefName(), c.CoefName);
        EXPECT_EQ(adden->NeededFactors(), c.NeededFactors);
    }
    // The texts people see are not names: no lookup by them.
    EXPECT_EQ(Registry.AddenByName("x1"), -1);

    // Windows-1251 in the module, UTF-8 here: the encodings must meet.
    const std::int32_t model = Registry.ModelByName("Ломаная (sdk)");
    const std::int32_t generator = Registry.GenByName("Пять уровней (sdk)");
    ASSERT_EQ(model, 0);
    ASSERT_EQ(generator, 0);
    EXPECT_EQ(Registry.Model(model)->RequiredDimension(), 1);
    EXPECT_EQ(Registry.Model(model)->AddenCount(), 3);
    std::int32_t rows = 0;
    std::int32_t cols = 0;
    Registry.Generator(generator)->GetSize(rows, cols);
    EXPECT_EQ(std::tie(rows, cols), std::make_tuple(5, 1));
    EXPECT_EQ(Registry.Generator(generator)->DefaultModel(), Registry.Model(model));
}

TEST_F(SdkPlanTest, GeneratorPlanFitsTheBrokenLine) {
    ASSERT_TRUE(LoadModule());
    ASSERT_TRUE(NewBrokenLinePlan());
    EXPECT_EQ(Plan.PlanKind, PlanGeneral);
    EXPECT_EQ(Plan.Model, Registry.Model(0));
    ASSERT_EQ(Plan.RunCount, 5);
    ASSERT_EQ(Plan.FactorCount, 1);
    const double levels[] = {-1.0, -0.5, 0.0, 0.5, 1.0};
    for (std::int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(Plan.CodeMatrix.Get(i, 0), levels[i]) << "run " << i;

    SetObservations(Plan, BrokenLineObservations);
    ASSERT_TRUE(Plan.RunAnalysis());
    ASSERT_EQ(Plan.BVector.Size(), 3);
    const double b[] = {3.0, 2.0, 1.5};
    for (std::int32_t j = 0; j < 3; ++j)
        EXPECT_NEAR(Plan.BVector.Get(j), b[j], 1e-12) << "b" << j;

    // Every run's variance is 0.08: Cochran's G = 0.08 / 0.4.
    EXPECT_NEAR(Plan.ReproVariance, 0.08, 1e-12);
    EXPECT_NEAR(Plan.CochranG, 0.2, 1e-12);
    // Adequacy: m * 0.14 / (N - p) = 0.14, and F = 0.14 / 0.08 = 1.75, below
    // F(0.95; 2, 5) = 5.786, which the program's table keeps to one decimal.
    EXPECT_NEAR(Plan.AdequacyVariance, 0.14, 1e-12);
    EXPECT_NEAR(Plan.FisherF, 1.75, 1e-10);
    EXPECT_NEAR(Plan.FisherFCrit, 5.786, 0.05);
    // Significance of |b2|: t = 1.5 / sqrt(0.04 * 10 / 7) = 6.27 > 2.571, so
    // the test keeps all three coefficients.
    EXPECT_EQ(Plan.SignificantCount, 3);
    // Left of the centre, where |x| and x part.
    const double x[] = {-0.25};
    EXPECT_NEAR(Plan.Predict(x), 2.875, 1e-12);
}
