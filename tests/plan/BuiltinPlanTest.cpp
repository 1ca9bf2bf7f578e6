// The built-in plans against designs written out here another way: the
// factorial core by recursive doubling, the model terms as lists of the factor
// indices they multiply, and the defining properties of the star arms
// (orthogonality of the CCO plan, rotatability of the CCR plan).

#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

using TRows = std::vector<std::vector<double>>;
using TTerm = std::vector<int>;

// 2^k sign vectors in standard order. Doubling the design of k - 1 factors,
// first with the new factor at -1 and then at +1, keeps the first factor
// alternating fastest.
TRows FactorialCore(int k) {
    if (k == 0)
        return {{}};
    TRows rows;
    for (double level : {-1.0, 1.0})
        for (auto row : FactorialCore(k - 1)) {
            row.push_back(level);
            rows.push_back(row);
        }
    return rows;
}

TRows CentralComposite(int k, double alpha) {
    TRows rows = FactorialCore(k);
    for (int j = 0; j < k; ++j)
        for (double sign : {-1.0, 1.0}) {
            std::vector<double> star(static_cast<std::size_t>(k), 0.0);
            star[static_cast<std::size_t>(j)] = sign * alpha;
            rows.push_back(star);
        }
    rows.emplace_back(static_cast<std::size_t>(k), 0.0);
    return rows;
}

// {} is the intercept, {i} a linear term, {i, j} a product or a square.
std::vector<TTerm> ModelTerms(int k, bool quadratic) {
    std::vector<TTerm> terms{{}};
    for (int i = 0; i < k; ++i)
        terms.push_back({i});
    if (!quadratic)
        return terms;
    for (int i = 0; i < k; ++i)
        for (int j = i + 1; j < k; ++j)
            terms.push_back({i, j});
    for (int i = 0; i < k; ++i)
        terms.push_back({i, i});
    return terms;
}

double TermValue(const TTerm& term, const std::vector<double>& x) {
    double value = 1.0;
    for (int i : term)
        value *= x[static_cast<std::size_t>(i)];
    return value;
}

double ReferenceArm(int kind, int k) {
    const double core = std::pow(2.0, k);
    if (kind == PlanCCR)
        return std::pow(2.0, k / 4.0);
    const double runs = core + 2 * k + 1;
    return std::sqrt((std::sqrt(core * runs) - core) / 2);
}

// Largest difference between the reference rows and the rows of m from `first` on.
double MaxDeviation(const TMatrix& m, const TRows& reference, std::int32_t first = 0) {
    double worst = 0.0;
    for (std::size_t i = 0; i < reference.size(); ++i)
        for (std::size_t j = 0; j < reference[i].size(); ++j) {
            const double value =
                m.Get(first + static_cast<std::int32_t>(i), static_cast<std::int32_t>(j));
            worst = std::max(worst, std::abs(value - reference[i][j]));
        }
    return worst;
}

// Sum over the rows [0, rows) of the product of two basis columns.
double ColumnDot(const TMatrix& m, std::int32_t a, std::int32_t b, std::int32_t rows) {
    double sum = 0.0;
    for (std::int32_t i = 0; i < rows; ++i)
        sum += m.Get(i, a) * m.Get(i, b);
    return sum;
}

// A plan of its own, built through the built-in plan dialog and expanded.
struct TBuiltin {
    TBuiltin(int kind, int k) {
        host.QueueBuiltinPlan(kind, k);
        Built = plan.NewPlan() && plan.ExpandCodeMatrix();
    }
    TScriptedHost host;
    TRaruRuro plan{host};
    bool Built = false;
};

class BuiltinPlanTest : public ::testing::Test {
protected:
    void SetUp() override { Settings().CBAlsoCreateY = false; }
    void TearDown() override { Settings().SetDefaults(); }
};

TEST_F(BuiltinPlanTest, StarArmsOfTheSmallPlans) {
    struct {
        int Kind, K;
        double Alpha;
    } const cases[] = {
        {PlanCCO, 2, 1.0}, {PlanCCR, 2, 1.41421}, {PlanCCO, 3, 1.21541}, {PlanCCR, 3, 1.68179}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.Kind << ", k " << c.K);
        TBuiltin b(c.Kind, c.K);
        ASSERT_TRUE(b.Built);
        const TRaruRuro& local = b.plan;
        EXPECT_TRUE(local.HasStarArm);
        EXPECT_NEAR(local.StarArm, c.Alpha, 5e-6);
        EXPECT_EQ(local.ComputeStarArm(c.Kind), local.StarArm);
        EXPECT_EQ(local.ComputeStarArm(PlanFFE), 0.0);
        EXPECT_EQ(local.ComputeStarArm(PlanGeneral), 0.0);
    }
}

TEST_F(BuiltinPlanTest, TwoFactorPlansRowByRow) {
    TBuiltin ffe(PlanFFE, 2);
    ASSERT_TRUE(ffe.Built);
    const TRows ffeCode{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    const TRows ffeBasis{{1, -1, -1}, {1, 1, -1}, {1, -1, 1}, {1, 1, 1}};
    ASSERT_EQ(ffe.plan.BasisMatrix.ColCount(), 3);
    EXPECT_EQ(MaxDeviation(ffe.plan.CodeMatrix, ffeCode), 0.0);
    EXPECT_EQ(MaxDeviation(ffe.plan.BasisMatrix, ffeBasis), 0.0);

    TBuiltin b(PlanCCO, 2);
    ASSERT_TRUE(b.Built);
    const TRaruRuro& cco = b.plan;
    ASSERT_EQ(cco.RunCount, 9);
    ASSERT_EQ(cco.BasisMatrix.ColCount(), 6);
    // Rows 4 .. 8: the star points and the centre; columns 1, x1, x2, x1x2, x1^2, x2^2.
    const TRows tail{{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {0, 0}};
    const TRows tailBasis{{1, -1, 0, 0, 1, 0},
                          {1, 1, 0, 0, 1, 0},
                          {1, 0, -1, 0, 0, 1},
                          {1, 0, 1, 0, 0, 1},
                          {1, 0, 0, 0, 0, 0}};
    EXPECT_EQ(MaxDeviation(cco.CodeMatrix, tail, 4), 0.0);
    EXPECT_EQ(MaxDeviation(cco.BasisMatrix, tailBasis, 4), 0.0);
    const TRows firstBasis{{1, -1, -1, 1, 1, 1}};
    EXPECT_EQ(MaxDeviation(cco.BasisMatrix, firstBasis), 0.0);
}

TEST_F(BuiltinPlanTest, EveryBuiltinPlanMatchesTheReferenceDesign) {
    for (int kind : {PlanFFE, PlanCCO, PlanCCR})
        for (int k = 2; k <= 10; ++k) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << ", k " << k);
            TBuiltin b(kind, k);
            ASSERT_TRUE(b.Built);
            const TRaruRuro& local = b.plan;

            const bool quadratic = kind != PlanFFE;
            const TRows design =
                quadratic ? CentralComposite(k, ReferenceArm(kind, k)) : FactorialCore(k);
            const auto n = static_cast<std::int32_t>(design.size());
            const std::int32_t p = quadratic ? (k + 1) * (k + 2) / 2 : k + 1;
            ASSERT_EQ(local.RunCount, n);
            ASSERT_EQ(local.CodeMatrix.RowCount(), n);
            ASSERT_EQ(local.CodeMatrix.ColCount(), k);
            ASSERT_EQ(local.TermCount(), p);
            ASSERT_EQ(local.BasisMatrix.RowCount(), n);
            ASSERT_EQ(local.BasisMatrix.ColCount(), p);
            EXPECT_LT(MaxDeviation(local.CodeMatrix, design), 1e-12);

            const auto terms = ModelTerms(k, quadratic);
            TRows basis;
            for (const auto& row : design) {
                basis.emplace_back();
                for (const auto& term : terms)
                    basis.back().push_back(TermValue(term, row));
            }
            EXPECT_LT(MaxDeviation(local.BasisMatrix, basis), 1e-12);

            if (quadratic) {
                // Every factor takes -1 and +1 on half the core each, the arm
                // once each way, and 0 on the other star points and the centre.
                const double alpha = local.StarArm;
                for (std::int32_t j = 0; j < k; ++j) {
                    std::map<double, int> levels;
                    for (std::int32_t i = 0; i < n; ++i)
                        ++levels[local.CodeMatrix.Get(i, j)];
                    std::map<double, int> expected{{-1.0, 1 << (k - 1)}, {1.0, 1 << (k - 1)}};
                    expected[0.0] += 2 * (k - 1) + 1;
                    ++expected[-alpha];
                    ++expected[alpha];
                    EXPECT_EQ(levels, expected) << "factor " << j;
                }
            }

            // On the factorial core the intercept, the linear terms and the
            // products are mutually orthogonal: X'X = 2^k I.
            const std::int32_t core = 1 << k;
            const std::int32_t columns = quadratic ? p - k : p;
            int offDiagonal = 0;
            for (std::int32_t a = 0; a < columns; ++a) {
                EXPECT_EQ(ColumnDot(local.BasisMatrix, a, a, core), core) << "column " << a;
                for (std::int32_t b = a + 1; b < columns; ++b)
                    offDiagonal += ColumnDot(local.BasisMatrix, a, b, core) != 0.0;
            }
            EXPECT_EQ(offDiagonal, 0);
        }
}

// The CCO arm makes X'X diagonal once the square columns are centred; the CCR
// arm makes the fourth moment three times the mixed one (rotatability).
TEST_F(BuiltinPlanTest, StarArmsGiveOrthogonalAndRotatablePlans) {
    for (int k = 2; k <= 10; ++k) {
        SCOPED_TRACE(testing::Message() << "k " << k);
        TBuiltin cco(PlanCCO, k);
        TBuiltin ccr(PlanCCR, k);
        ASSERT_TRUE(cco.Built && ccr.Built);
        TMatrix x = cco.plan.BasisMatrix;
        const std::int32_t n = x.RowCount();
        const std::int32_t p = x.ColCount();
        for (std::int32_t j = p - k; j < p; ++j) {
            const double mean = ColumnDot(x, 0, j, n) / n;
            for (std::int32_t i = 0; i < n; ++i)
                x.Set(i, j, x.Get(i, j) - mean);
        }
        double worst = 0.0;
        for (std::int32_t a = 0; a < p; ++a)
            for (std::int32_t b = a + 1; b < p; ++b)
                worst = std::max(worst, std::abs(ColumnDot(x, a, b, n)));
        EXPECT_LT(worst, 1e-9 * n);

        const TMatrix& d = ccr.plan.CodeMatrix;
        double fourth = 0.0;
        double mixed = 0.0;
        for (std::int32_t i = 0; i < d.RowCount(); ++i) {
            fourth += std::pow(d.Get(i, 0), 4);
            mixed += std::pow(d.Get(i, 0) * d.Get(i, k - 1), 2);
        }
        EXPECT_NEAR(fourth, 3 * mixed, 1e-9 * fourth);
    }
}

TEST_F(BuiltinPlanTest, RefusedOrdersAndKinds) {
    const std::string prefix = "Невозможно создать план: \n";
    struct {
        int Kind, K;
        std::string Text;
    } const cases[] = {
        {PlanFFE, 1, prefix + "План порядка 1 не поддерживается."},
        {PlanCCR, 0, prefix + "План порядка 0 не поддерживается."},
        {PlanCCO, 11, prefix + "План порядка 11 не поддерживается."},
        {3, 1, prefix + "План порядка 1 не поддерживается."},
        {3, 4, prefix + "Неизвестный тип плана."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        TBuiltin b(c.Kind, c.K);
        const TRaruRuro& local = b.plan;
        EXPECT_FALSE(b.Built);
        EXPECT_EQ(b.host.Messages, (std::vector<TMessageRecord>{{TMessageKind::Warning, c.Text}}));
        EXPECT_FALSE(local.HasFactorCount);
        EXPECT_EQ(local.GetFactorCount(), -1);
        EXPECT_FALSE(local.HasCodeMatrix);
    }
}

} // namespace
