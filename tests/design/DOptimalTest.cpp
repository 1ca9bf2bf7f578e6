// D-optimal plans against an exhaustive search of small cases and against
// designs known to be D-optimal.

#include "design/DOptimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

using namespace orvanta;

namespace {

// A polynomial model: each term is the product of x_j^e_j over its exponents.
using TTerms = std::vector<std::vector<int>>;

TBasisFunction Polynomial(const TTerms& terms) {
    return [terms](const double* x, double* f) {
        for (std::size_t t = 0; t < terms.size(); ++t) {
            f[t] = 1.0;
            for (std::size_t j = 0; j < terms[t].size(); ++j)
                f[t] *= std::pow(x[j], terms[t][j]);
        }
    };
}

const TTerms Quadratic1{{0}, {1}, {2}};
const TTerms Cubic1{{0}, {1}, {2}, {3}};
const TTerms Linear2{{0, 0}, {1, 0}, {0, 1}};
const TTerms Interaction2{{0, 0}, {1, 0}, {0, 1}, {1, 1}};
const TTerms Quadratic2{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 0}, {0, 2}};
const TTerms Scheffe3{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};

// det(X'X)^(1/p) / N by Gaussian elimination with partial pivoting.
double DValue(const TTerms& terms, const std::vector<std::vector<double>>& runs) {
    const std::size_t p = terms.size();
    const TBasisFunction basis = Polynomial(terms);
    std::vector<std::vector<double>> m(p, std::vector<double>(p, 0.0));
    std::vector<double> f(p);
    for (const auto& run : runs) {
        basis(run.data(), f.data());
        for (std::size_t a = 0; a < p; ++a)
            for (std::size_t b = 0; b < p; ++b)
                m[a][b] += f[a] * f[b];
    }
    double det = 1.0;
    for (std::size_t c = 0; c < p; ++c) {
        std::size_t pivot = c;
        for (std::size_t r = c + 1; r < p; ++r)
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c]))
                pivot = r;
        std::swap(m[c], m[pivot]);
        det *= m[c][c];
        if (det == 0.0)
            return 0.0;
        for (std::size_t r = c + 1; r < p; ++r) {
            const double factor = m[r][c] / m[c][c];
            for (std::size_t b = c; b < p; ++b)
                m[r][b] -= factor * m[c][b];
        }
    }
    return std::pow(std::fabs(det), 1.0 / double(p)) / double(runs.size());
}

// The best of every multiset of N points of the grid levels^k added to the
// fixed runs.
double BruteForce(const TTerms& terms, int k, int n, const std::vector<double>& levels,
                  const std::vector<std::vector<double>>& fixed = {}) {
    std::vector<std::vector<double>> points{{}};
    for (int j = 0; j < k; ++j) {
        std::vector<std::vector<double>> longer;
        for (const auto& point : points)
            for (double level : levels) {
                longer.push_back(point);
                longer.back().push_back(level);
            }
        points = longer;
    }
    double best = 0.0;
    std::vector<std::vector<double>> runs = fixed;
    const std::function<void(std::size_t)> choose = [&](std::size_t from) {
        if (runs.size() == fixed.size() + std::size_t(n)) {
            best = std::max(best, DValue(terms, runs));
            return;
        }
        for (std::size_t i = from; i < points.size(); ++i) {
            runs.push_back(points[i]);
            choose(i);
            runs.pop_back();
        }
    };
    choose(0);
    return best;
}

TDOptimalPlan Build(const TTerms& terms, int k, int n, const TDOptimalOptions& options) {
    return BuildDOptimalPlan(k, n, int(terms.size()), Polynomial(terms), options);
}

// n levels evenly from -1 to 1, as the search's grid has them.
std::vector<double> EvenLevels(int n) {
    std::vector<double> levels;
    for (int s = 0; s < n; ++s)
        levels.push_back(-1.0 + 2.0 * s / (n - 1));
    return levels;
}

} // namespace

TEST(DOptimal, ReachesTheBestPlanOfAnExhaustiveSearch) {
    const struct {
        const char* Case;
        const TTerms& Terms;
        int K, N, Levels;
    } cases[] = {
        {"quadratic in one factor, 3 runs", Quadratic1, 1, 3, 5},
        {"quadratic in one factor, 5 runs", Quadratic1, 1, 5, 9},
        {"cubic in one factor, 6 runs", Cubic1, 1, 6, 9},
        {"linear in two factors, 4 runs", Linear2, 2, 4, 3},
        {"interaction in two factors, 5 runs", Interaction2, 2, 5, 3},
        {"quadratic in two factors, 6 runs", Quadratic2, 2, 6, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const std::vector<double> levels = EvenLevels(c.Levels);
        TDOptimalOptions options;
        options.GridLevels = c.Levels;
        const TDOptimalPlan plan = Build(c.Terms, c.K, c.N, options);
        ASSERT_EQ(plan.Runs.size(), std::size_t(c.N)) << plan.Message;
        const double best = BruteForce(c.Terms, c.K, c.N, levels);
        EXPECT_NEAR(plan.DValue, best, 1e-9 * best);
        EXPECT_NEAR(DValue(c.Terms, plan.Runs), best, 1e-9 * best);
        EXPECT_DOUBLE_EQ(plan.DEfficiency, 100.0 * plan.DValue);
    }
}

// Runs added to runs already made: the whole plan's determinant, the old
// runs left where they are.
TEST(DOptimal, CompletesFixedRunsAsAnExhaustiveSearchDoes) {
    const struct {
        const char* Case;
        const TTerms& Terms;
        int K, N, Levels;
        std::vector<std::vector<double>> Fixed;
    } cases[] = {
        {"quadratic in one factor, both ends made", Quadratic1, 1, 2, 9, {{-1.0}, {1.0}}},
        {"cubic in one factor, off-centre runs made", Cubic1, 1, 2, 9, {{-0.5}, {0.25}, {1.0}}},
        {"interaction, three corners made", Interaction2, 2, 2, 3, {{-1, -1}, {1, 1}, {1, -1}}},
        {"quadratic in two factors, the 2^2 made",
         Quadratic2,
         2,
         3,
         3,
         {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const std::vector<double> levels = EvenLevels(c.Levels);
        TDOptimalOptions options;
        options.GridLevels = c.Levels;
        options.Fixed = c.Fixed;
        const TDOptimalPlan plan = Build(c.Terms, c.K, c.N, options);
        ASSERT_EQ(plan.Runs.size(), std::size_t(c.N)) << plan.Message;
        const double best = BruteForce(c.Terms, c.K, c.N, levels, c.Fixed);
        EXPECT_NEAR(plan.DValue, best, 1e-9 * best);
        std::vector<std::vector<double>> whole = c.Fixed;
        whole.insert(whole.end(), plan.Runs.begin(), plan.Runs.end());
        EXPECT_NEAR(DValue(c.Terms, whole), best, 1e-9 * best);
    }
}

// The 3^2 factorial is D-optimal among 9-run plans for the full quadratic on
// the square; the {3, 2} simplex lattice among 6-run plans for Scheffé's
// quadratic polynomial.
TEST(DOptimal, ReachesTheKnownOptimalQuadraticPlans) {
    std::vector<std::vector<double>> factorial;
    for (double a : {-1.0, 0.0, 1.0})
        for (double b : {-1.0, 0.0, 1.0})
            factorial.push_back({a, b});
    const std::vector<std::vector<double>> lattice{{1, 0, 0},     {0, 1, 0},     {0, 0, 1},
                                                   {.5, .5, 0.0}, {.5, 0.0, .5}, {0.0, .5, .5}};
    for (const auto candidates : {TDOptimalCandidates::Grid, TDOptimalCandidates::Continuous}) {
        SCOPED_TRACE(candidates == TDOptimalCandidates::Grid ? "grid" : "continuous");
        TDOptimalOptions options;
        options.Candidates = candidates;
        const TDOptimalPlan square = Build(Quadratic2, 2, 9, options);
        EXPECT_GE(square.DValue, 0.999 * DValue(Quadratic2, factorial)) << square.Message;

        options.Mixture = true;
        const TDOptimalPlan mixture = Build(Scheffe3, 3, 6, options);
        ASSERT_EQ(mixture.Runs.size(), 6u) << mixture.Message;
        EXPECT_NEAR(mixture.DValue, DValue(Scheffe3, lattice), 1e-6 * mixture.DValue);
        for (const auto& run : mixture.Runs) {
            EXPECT_NEAR(run[0] + run[1] + run[2], 1.0, 1e-12);
            EXPECT_GE(std::min({run[0], run[1], run[2]}), 0.0);
        }
    }
    EXPECT_TRUE(IsMixtureModel(3, 6, Polynomial(Scheffe3)));
    EXPECT_FALSE(IsMixtureModel(2, 6, Polynomial(Quadratic2)));
}

TEST(DOptimal, KeepsTheRunsInTheRegionAndRepeatsWithTheSeed) {
    TDOptimalOptions options;
    options.Candidates = TDOptimalCandidates::Continuous;
    options.Seed = 7;
    options.Lower = {-1.0, 0.0};
    options.Upper = {1.0, 1.0};
    options.Constraints = {{{1.0, 1.0}, 0.5}, {{-1.0, 1.0}, 0.8}};
    const TDOptimalPlan plan = Build(Quadratic2, 2, 8, options);
    ASSERT_EQ(plan.Runs.size(), 8u) << plan.Message;
    for (const auto& run : plan.Runs) {
        EXPECT_GE(run[0], -1.0);
        EXPECT_LE(run[0], 1.0);
        EXPECT_GE(run[1], 0.0);
        EXPECT_LE(run[1], 1.0);
        EXPECT_LE(run[0] + run[1], 0.5 + 1e-9);
        EXPECT_LE(run[1] - run[0], 0.8 + 1e-9);
    }
    EXPECT_EQ(Build(Quadratic2, 2, 8, options).Runs, plan.Runs);
    options.Seed = 8;
    EXPECT_NE(Build(Quadratic2, 2, 8, options).Runs, plan.Runs);
}

TEST(DOptimal, RefusesPlansThatCannotExist) {
    const struct {
        const char* Case;
        int N;
        std::vector<double> Lower;
        const char* Message;
    } cases[] = {
        {"fewer runs than terms",
         5,
         {},
         "Число опытов N = 5 меньше числа слагаемых модели p = 6: D-оптимальный план не "
         "существует."},
        {"a lower bound above the upper",
         9,
         {-1.0, 2.0},
         "Нижняя граница фактора № 2 больше верхней."},
    };
    for (const auto& c : cases) {
        TDOptimalOptions options;
        options.Lower = c.Lower;
        const TDOptimalPlan plan = Build(Quadratic2, 2, c.N, options);
        EXPECT_TRUE(plan.Runs.empty()) << c.Case;
        EXPECT_EQ(plan.Message, c.Message) << c.Case;
    }
}
