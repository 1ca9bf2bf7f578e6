// The fitted equation at a point, and the values of the significant terms.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "FakeMath.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

// The basis row of the built-in models read off the outer product x x':
// 1, x, then the entries above its diagonal row by row, then the diagonal.
std::vector<double> ReferenceRow(const std::vector<double>& x, bool quadratic) {
    std::vector<double> row{1.0};
    row.insert(row.end(), x.begin(), x.end());
    if (!quadratic)
        return row;
    const std::size_t k = x.size();
    std::vector<double> outer(k * k);
    for (std::size_t a = 0; a < k; ++a)
        for (std::size_t b = 0; b < k; ++b)
            outer[a * k + b] = x[a] * x[b];
    for (std::size_t a = 0; a < k; ++a)
        for (std::size_t b = a + 1; b < k; ++b)
            row.push_back(outer[a * k + b]);
    for (std::size_t a = 0; a < k; ++a)
        row.push_back(outer[a * k + a]);
    return row;
}

double Dot(const std::vector<double>& a, const double* b) {
    double sum = 0.0;
    for (std::size_t j = 0; j < a.size(); ++j)
        sum += a[j] * b[j];
    return sum;
}

// A plan of its own, built through the built-in plan dialog.
struct TBuiltin {
    TBuiltin(int kind, int k) {
        host.QueueBuiltinPlan(kind, k);
        Built = plan.NewPlan();
    }
    TScriptedHost host;
    TRaruRuro plan{host};
    bool Built = false;
};

// A model whose own evaluation differs from the sum of its terms, to tell
// which of the two the plan used.
class TShiftedModel : public TFakeModel {
public:
    using TFakeModel::TFakeModel;
    double Evaluate(const double* x, const double* b) const override {
        return TFakeModel::Evaluate(x, b) + 100.0;
    }
};

class PredictTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings().CBAlsoCreateY = false;
        catalog.ModelList = {&shifted};
        plan.SetMathCatalog(&catalog);
    }
    void TearDown() override { Settings().SetDefaults(); }

    void SetCoefficients(const std::vector<double>& b) {
        plan.BVector.Create(static_cast<std::int32_t>(b.size()));
        for (std::size_t j = 0; j < b.size(); ++j)
            plan.BVector.Set(static_cast<std::int32_t>(j), b[j]);
        plan.HasBVector = true;
    }

    // A non-standard plan of two factors and four runs with the standard
    // model `modelName`, or with `addens` when the name is empty.
    void BuildGeneral(const std::string& modelName, std::vector<const TAdden*> addens) {
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::NonStandard;
        answers.UseStandardModel = !modelName.empty();
        answers.ModelName = modelName;
        answers.Addens = std::move(addens);
        host.WizardAnswers.push_back(answers);
        ASSERT_TRUE(plan.NewPlan());
    }

    TFakeAdden one{"1", 0, [](const double*) { return 1.0; }};
    TFakeAdden x1{"x1", 1, [](const double* x) { return x[0]; }};
    TFakeAdden x2{"x2", 2, [](const double* x) { return x[1]; }};
    TFakeAdden x1x2{"x1x2", 2, [](const double* x) { return x[0] * x[1]; }};
    TFakeAdden x1sq{"x1^2", 1, [](const double* x) { return x[0] * x[0]; }};
    TShiftedModel shifted{"Сдвинутая", 2, {&one, &x1, &x2}};
    TFakeCatalog catalog;
    TScriptedHost host;
    TRaruRuro plan{host};
};

TEST_F(PredictTest, BuiltinPlansPredictTheBasisRowTimesTheCoefficients) {
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> coefficient(-5.0, 5.0);
    std::uniform_real_distribution<double> coordinate(-2.0, 2.0);
    for (int kind : {PlanFFE, PlanCCO, PlanCCR})
        for (int k = 2; k <= 6; ++k) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << ", k " << k);
            TBuiltin b(kind, k);
            ASSERT_TRUE(b.Built);
            TRaruRuro& local = b.plan;
            const bool quadratic = kind != PlanFFE;
            const auto p = static_cast<std::int32_t>(
                ReferenceRow(std::vector<double>(static_cast<std::size_t>(k)), quadratic).size());
            ASSERT_EQ(local.TermCount(), p);
            local.BVector.Create(p);
            for (std::int32_t j = 0; j < p; ++j)
                local.BVector.Set(j, coefficient(random));
            local.HasBVector = true;

            for (int trial = 0; trial < 20; ++trial) {
                std::vector<double> x(static_cast<std::size_t>(k));
                for (double& v : x)
                    v = coordinate(random);
                const double expected = Dot(ReferenceRow(x, quadratic), local.BVector.Elements());
                EXPECT_NEAR(local.Predict(x.data()), expected, 1e-12 * (1.0 + std::abs(expected)));
            }
            // At the runs of the plan, star points and centre included, the
            // prediction is the basis matrix times the coefficients.
            ASSERT_TRUE(local.ExpandCodeMatrix());
            for (std::int32_t i = 0; i < local.RunCount; ++i) {
                const std::vector<double> row(local.BasisMatrix.Row(i),
                                              local.BasisMatrix.Row(i) + p);
                const double expected = Dot(row, local.BVector.Elements());
                EXPECT_NEAR(local.Predict(local.CodeMatrix.Row(i)), expected,
                            1e-12 * (1.0 + std::abs(expected)))
                    << "run " << i;
            }
        }
}

// With a model the plan asks the model; without one it sums its own terms.
TEST_F(PredictTest, GeneralPlansPredictThroughTheModelOrTheirTerms) {
    BuildGeneral("Сдвинутая", {});
    ASSERT_EQ(plan.Model, &shifted);
    SetCoefficients({2.0, -1.0, 0.5});
    const double x[] = {0.3, -0.7};
    EXPECT_DOUBLE_EQ(plan.Predict(x), 2.0 - 0.3 - 0.35 + 100.0);

    plan.Reset();
    BuildGeneral("", {&x1x2, &x1sq, &one});
    SetCoefficients({3.0, -2.0, 0.5});
    const double y[] = {1.5, -2.0};
    EXPECT_DOUBLE_EQ(plan.Predict(y), 3.0 * -3.0 - 2.0 * 2.25 + 0.5);
}

TEST_F(PredictTest, TermValuesPackTheSignificantTerms) {
    constexpr double Unused = -777.0;
    struct {
        const char* Case;
        std::vector<bool> Significance;
        std::vector<double> Expected;
    } const cases[] = {
        // Terms at (2, 3, 5): 1; 2, 3, 5; 6, 10, 15; 4, 9, 25.
        {"CCR, k = 3",
         {true, false, true, false, false, true, false, false, false, true},
         {1, 3, 10, 25}},
        {"CCR, k = 3, all", std::vector<bool>(10, true), {1, 2, 3, 5, 6, 10, 15, 4, 9, 25}},
        {"FFE, k = 3", {false, true, true, false}, {2, 3}},
    };
    const double x[] = {2.0, 3.0, 5.0};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        TBuiltin b(c.Significance.size() == 4 ? PlanFFE : PlanCCR, 3);
        ASSERT_TRUE(b.Built);
        TRaruRuro& local = b.plan;
        local.Significance = c.Significance;
        local.HasSignificance = true;
        std::vector<double> f(12, Unused);
        local.TermValues(x, f.data());
        std::vector<double> expected = c.Expected;
        expected.resize(f.size(), Unused);
        EXPECT_EQ(f, expected);
    }

    // A general plan takes its own terms, or its model's, in their order.
    BuildGeneral("", {&x1x2, &one, &x1sq});
    plan.Significance = {true, false, true};
    std::vector<double> f(4, Unused);
    plan.TermValues(x, f.data());
    EXPECT_EQ(f, (std::vector<double>{6, 4, Unused, Unused}));

    plan.Reset();
    BuildGeneral("Сдвинутая", {});
    plan.Significance = {false, true, true};
    f.assign(4, Unused);
    plan.TermValues(x, f.data());
    EXPECT_EQ(f, (std::vector<double>{2, 3, Unused, Unused}));
}

} // namespace
