// The search for the minimum and maximum of the fitted equation: the methods,
// the start point, the stop keys and what the person sees.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "plan/SilentPlanHost.h"

#include "FakeMath.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

using TPoint = std::vector<double>;

const std::string Hint = "status Для остановки нажмите и удерживайте 'Enter' или 'Esc'";
const std::string MonteCarloWindow = "show Поиск экстремума: метод Монте-Карло.";
const std::string GaussSeidelWindow = "show Поиск экстремума: метод Гаусса - Зейделя.";
const std::string NotCompleted = "Операция не завершена.";
const std::string Done = "Проведен поиск экстремума.";

// CCR, k = 2: y = 1 + u^2 + 2w^2 + 0.5uw with u = x1 - 0.3, w = x2 + 0.45,
// expanded by hand into the terms 1, x1, x2, x1x2, x1^2, x2^2.
const std::vector<double> Bowl{1.4275, -0.375, 1.65, 0.5, 1.0, 2.0};

// Where the gradient of a quadratic in two factors vanishes:
// [2b11 b12; b12 2b22] x = -[b1; b2], solved by Cramer's rule.
TPoint StationaryPoint(const std::vector<double>& b) {
    const double a = 2 * b[4], c = b[3], d = 2 * b[5];
    const double det = a * d - c * c;
    return {(-b[1] * d + b[2] * c) / det, (-b[2] * a + b[1] * c) / det};
}

class ExtremumTest : public ::testing::Test {
protected:
    void SetUp() override { Settings().CBAlsoCreateY = false; }
    void TearDown() override { Settings().SetDefaults(); }

    // A new plan in place of the last one, as after closing it, with the
    // coefficients b.
    void Build(int kind, int k, const std::vector<double>& b) {
        host.QueueBuiltinPlan(kind, k);
        Make(b);
    }
    void BuildGeneral(int k, std::vector<const TAdden*> addens, const std::vector<double>& b) {
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::NonStandard;
        answers.FactorCount = k;
        answers.RunCount = k + 1;
        answers.Addens = std::move(addens);
        host.WizardAnswers.push_back(answers);
        Make(b);
    }
    void Make(const std::vector<double>& b) {
        plan.FreeData();
        ASSERT_TRUE(plan.NewPlan());
        ASSERT_EQ(plan.TermCount(), static_cast<std::int32_t>(b.size()));
        plan.BVector.SetSize(static_cast<std::int32_t>(b.size()));
        for (std::size_t j = 0; j < b.size(); ++j)
            plan.BVector.Set(static_cast<std::int32_t>(j), b[j]);
        plan.HasBVector = true;
        host.ClearRecords();
    }

    // The extremum dialog's answer for the square -1 .. 1.
    void QueueAnswer(TExtremumMethod method, std::int32_t count, bool maximum = false) {
        TExtremumAnswer answer;
        answer.Method = method;
        answer.Maximum = maximum;
        answer.Steps = answer.Approximations = count;
        answer.Lower = {-1, -1};
        answer.Upper = {1, 1};
        host.ExtremumAnswers.push_back(answer);
    }

    TPoint Extremum() const {
        return TPoint(plan.ExtremumPoint.Elements(),
                      plan.ExtremumPoint.Elements() + plan.ExtremumPoint.Size());
    }

    TFakeAdden x1{"x1", 1, [](const double* x) { return x[0]; }};
    TScriptedHost host;
    TRaruRuro plan{host};
};

TEST_F(ExtremumTest, GaussSeidelWalksToThePointNoNeighbourImproves) {
    struct TRow {
        std::vector<double> b;
        std::int32_t steps;
        TPoint point;
        std::int64_t evaluations;
    };
    for (const TRow& row : {// y = x1^2: the centre at once; the start value, then the centre
                            // and its four neighbours, of which the x2 ones are only as low.
                            TRow{{0, 0, 0, 0, 1, 0}, 10, {0, 0}, 6},
                            // y = -x1^2 - x2^2 falls alike in all four directions; the step
                            // up x1 comes first, x1 runs to its bound, then x2. By hand: 1 +
                            // 4 x (1 + 4) + 4 x (1 + 3) + (1 + 2) evaluations.
                            TRow{{0, 0, 0, 0, -1, -1}, 8, {1, 1}, 40}}) {
        Build(PlanCCR, 2, row.b);
        plan.FindMinimum({-1, -1}, {1, 1}, TExtremumMethod::GaussSeidel, false, row.steps);
        ASSERT_TRUE(plan.HasExtremumPoint);
        EXPECT_EQ(Extremum(), row.point);
        EXPECT_EQ(plan.LastSearchEvaluations, row.evaluations);
        EXPECT_EQ(host.ProgressLog,
                  (std::vector<std::string>{GaussSeidelWindow, Hint, "wait", "close"}));
    }
}

TEST_F(ExtremumTest, MaximumIsReportedWithTheEquationsSignAndLeavesTheCoefficients) {
    struct TRow {
        double b0;
        TExtremumMethod method;
        std::int32_t count;
    };
    for (const TRow& row :
         {TRow{0.0, TExtremumMethod::GaussSeidel, 10}, TRow{2.5, TExtremumMethod::GaussSeidel, 10},
          TRow{-3.0, TExtremumMethod::MonteCarlo, 100}}) {
        SCOPED_TRACE(row.b0);
        Build(PlanCCR, 2, {row.b0, 0, 0, 0, -1, 0}); // y = b0 - x1^2
        const TNamedVector before = plan.BVector;
        QueueAnswer(row.method, row.count, true);
        ASSERT_TRUE(plan.FindExtremum());
        EXPECT_EQ(std::memcmp(before.Elements(), plan.BVector.Elements(), 6 * sizeof(double)), 0);
        ASSERT_EQ(host.ExtremumResults.size(), 1u);
        // No draw of the random search beats the start point, the centre.
        EXPECT_EQ(host.ExtremumResults[0].first, (TPoint{0, 0}));
        EXPECT_EQ(host.ExtremumResults[0].second, row.b0);
        EXPECT_EQ(plan.StatusText, Done);
        EXPECT_EQ(host.CountRequests("refresh commands"), 1u);
        EXPECT_EQ(host.ExtremumRequests.at(0).FactorNames, plan.FactorNames);
    }
}

TEST_F(ExtremumTest, CoefficientsComeBackWhenTheProgressWindowFails) {
    // A window that breaks down at the first look at the keys, while the
    // coefficients are negated for a maximum.
    class TBrokenProgress : public TSilentProgress {
        TProgressRequest Poll() override { throw std::runtime_error("window gone"); }
    };
    class TBrokenHost : public TScriptedHost {
        std::unique_ptr<TExtremumProgress> ShowExtremumProgress(const std::string&, double,
                                                                const std::string&) override {
            return std::make_unique<TBrokenProgress>();
        }
    };
    TBrokenHost broken;
    TRaruRuro local(broken);
    broken.QueueBuiltinPlan(PlanCCR, 2);
    ASSERT_TRUE(local.NewPlan());
    local.BVector.SetSize(6);
    local.BVector.Set(4, -1.0); // y = -x1^2
    local.HasBVector = true;
    EXPECT_THROW(local.FindMaximum({-1, -1}, {1, 1}, TExtremumMethod::MonteCarlo, false, 100),
                 std::runtime_error);
    EXPECT_EQ(local.BVector.Get(4), -1.0);
    EXPECT_FALSE(local.HasExtremumPoint);
}

// A plan of two factors whose terms record every point they are evaluated at.
class RecordingTest : public ExtremumTest {
protected:
    void SetUp() override {
        ExtremumTest::SetUp();
        BuildGeneral(2, {&one, &x1, &x2}, {0, 1, -2}); // y = x1 - 2 x2
    }
    double Y(const TPoint& x) const { return x[0] - 2 * x[1]; }
    // The lowest of the first `count` points evaluated; the earliest on ties.
    TPoint Lowest(std::size_t count) const {
        TPoint best = seen.at(0);
        for (std::size_t i = 1; i < count; ++i)
            best = Y(seen.at(i)) < Y(best) ? seen[i] : best;
        return best;
    }

    std::vector<TPoint> seen;
    TFakeAdden one{"1", 0, [this](const double* x) {
                       seen.push_back({x[0], x[1]});
                       return 1.0;
                   }};
    TFakeAdden x2{"x2", 2, [](const double* x) { return x[1]; }};
};

TEST_F(RecordingTest, MonteCarloDrawsFiftyPointsABatchOnTheThousandthGrid) {
    // The keys are polled only when the whole percentage of batches done
    // moves: with 200 batches, after every second one.
    struct TRow {
        std::int32_t approximations;
        std::size_t points; // besides the start point
        std::int32_t polls;
    };
    for (const TRow row : {TRow{49, 0, 0}, TRow{100, 100, 2}, TRow{149, 100, 2}, TRow{150, 150, 3},
                           TRow{10000, 10000, 100}}) {
        SCOPED_TRACE(row.approximations);
        seen.clear();
        host.ClearRecords();
        plan.FindMinimum({-1, 0}, {1, 4}, TExtremumMethod::MonteCarlo, false, row.approximations);
        ASSERT_EQ(seen.size(), row.points + 1);
        EXPECT_EQ(plan.LastSearchEvaluations, static_cast<std::int64_t>(seen.size()));
        EXPECT_EQ(seen[0], (TPoint{0, 2}));
        ASSERT_TRUE(plan.HasExtremumPoint);
        // Every draw is lower + r * range / 1000 with r in 0 .. 999: the upper
        // bound itself is never drawn.
        for (std::size_t i = 1; i < seen.size(); ++i) {
            const double r1 = (seen[i][0] + 1) / 2 * 1000, r2 = seen[i][1] / 4 * 1000;
            EXPECT_NEAR(r1, std::round(r1), 1e-6);
            EXPECT_NEAR(r2, std::round(r2), 1e-6);
            EXPECT_TRUE(r1 > -0.5 && r1 < 999.5 && r2 > -0.5 && r2 < 999.5);
        }
        EXPECT_EQ(Extremum(), Lowest(seen.size()));
        EXPECT_EQ(host.ProgressPolls, row.polls);
    }
}

TEST_F(RecordingTest, EscAbandonsTheSearchAndEnterKeepsTheBestPointSoFar) {
    struct TRow {
        TProgressRequest key;
        bool found;
        const char* release;
    };
    for (const TRow& row :
         {TRow{TProgressRequest::Cancel, false, "status Вы можете отпустить кнопку 'Esc'..."},
          TRow{TProgressRequest::Stop, true, "status Вы можете отпустить кнопку 'Enter'..."}}) {
        SCOPED_TRACE(row.release);
        host.ClearRecords();
        seen.clear();
        QueueAnswer(TExtremumMethod::MonteCarlo, 1000); // 20 batches
        host.ProgressRequests = {row.key};

        EXPECT_EQ(plan.FindExtremum(), row.found);
        EXPECT_EQ(plan.HasExtremumPoint, row.found);
        EXPECT_EQ(plan.StatusText, row.found ? Done : NotCompleted);
        EXPECT_EQ(host.ProgressPolls, 1);
        EXPECT_EQ(host.ProgressLog,
                  (std::vector<std::string>{MonteCarloWindow, Hint, "wait", "update 5", row.release,
                                            "wait", "close"}));
        // The start point and one batch; the result dialog's own value
        // comes after them.
        EXPECT_EQ(plan.LastSearchEvaluations, 51);
        EXPECT_EQ(host.CountRequests("refresh commands"), row.found ? 1u : 0u);
        ASSERT_EQ(host.ExtremumResults.size(), row.found ? 1u : 0u);
        if (row.found) {
            EXPECT_EQ(host.ExtremumResults[0], std::make_pair(Lowest(51), Y(Lowest(51))));
        }
    }
}

TEST_F(ExtremumTest, EnterStopsTheDescentWhereItStands) {
    // y = x1 + x2 + x3, steps of 1/32 from the centre of a box of half-width
    // 25/32: x1 walks down 25 steps, then x2; the keys are looked at after the
    // 50th move, with x3 still at 0.
    Build(PlanFFE, 3, {0, 1, 1, 1});
    host.ProgressRequests = {TProgressRequest::Stop};
    const double a = 25.0 / 32;
    plan.FindMinimum({-a, -a, -a}, {a, a, a}, TExtremumMethod::GaussSeidel, false, 50);
    EXPECT_TRUE(plan.HasExtremumPoint);
    EXPECT_EQ(Extremum(), (TPoint{-a, -a, 0}));
    EXPECT_EQ(host.ProgressPolls, 1);
}

TEST_F(ExtremumTest, MoreThanFourFactorsOnlyTheRandomSearch) {
    const std::string question =
        "Число факторов слишком велико для выбранного метода.\nИспользовать метод Монте-Карло - ?";
    struct TRow {
        std::int32_t k;
        TExtremumMethod method;
        std::optional<TAnswer> answer; // none: no question expected
        std::string window;            // empty: no search
    };
    const std::vector<TRow> rows{
        {5, TExtremumMethod::GaussSeidel, TAnswer::No, ""},
        {5, TExtremumMethod::GaussSeidel, TAnswer::Yes, MonteCarloWindow},
        {5, TExtremumMethod::Scanning, TAnswer::Yes, MonteCarloWindow},
        {5, TExtremumMethod::MonteCarlo, std::nullopt, MonteCarloWindow},
        {4, TExtremumMethod::GaussSeidel, std::nullopt, GaussSeidelWindow},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.k);
        Build(PlanFFE, row.k, std::vector<double>(static_cast<std::size_t>(row.k) + 1, 0.0));
        if (row.answer)
            host.Answers.push_back(*row.answer);
        const TPoint lower(static_cast<std::size_t>(row.k), -1), upper(lower.size(), 1);
        plan.FindMinimum(lower, upper, row.method, false, 100);
        EXPECT_EQ(host.Questions,
                  row.answer ? std::vector<std::string>{question} : std::vector<std::string>{});
        EXPECT_EQ(plan.HasExtremumPoint, !row.window.empty());
        EXPECT_EQ(host.ProgressLog.empty() ? "" : host.ProgressLog[0], row.window);
    }
}

TEST_F(ExtremumTest, BothMethodsFindTheStationaryPointOfABowl) {
    Build(PlanCCR, 2, Bowl);
    const TPoint stationary = StationaryPoint(Bowl);
    ASSERT_NEAR(stationary[0], 0.3, 1e-12);
    ASSERT_NEAR(stationary[1], -0.45, 1e-12);

    // 40 steps of 0.05 put (0.3, -0.45) on the grid of the descent. The bowl
    // is round enough that no other grid point stops it: one step along a
    // factor from any other point goes downhill.
    plan.FindMinimum({-1, -1}, {1, 1}, TExtremumMethod::GaussSeidel, false, 40);
    ASSERT_TRUE(plan.HasExtremumPoint);
    EXPECT_NEAR(plan.ExtremumPoint.Get(0), stationary[0], 1e-9);
    EXPECT_NEAR(plan.ExtremumPoint.Get(1), stationary[1], 1e-9);

    // The random search is only close in probability. With 100000 draws the
    // chance that none lands in the region of the bowl whose values all beat
    // a point 0.02 away is far below 1e-9 (10000 draws miss it about one time
    // in 25), so the bound holds for any sequence the generator gives.
    plan.SeedRandom(20240611);
    plan.FindMinimum({-1, -1}, {1, 1}, TExtremumMethod::MonteCarlo, false, 100000);
    ASSERT_TRUE(plan.HasExtremumPoint);
    EXPECT_NEAR(plan.ExtremumPoint.Get(0), stationary[0], 0.02);
    EXPECT_NEAR(plan.ExtremumPoint.Get(1), stationary[1], 0.02);
    EXPECT_EQ(plan.LastSearchEvaluations, 100001);
}

TEST_F(ExtremumTest, ScanningVisitsTheWholeGrid) {
    // The bowl on a grid of 7 steps: of the grid points around (0.3, -0.45),
    // y(3/7, -3/7) = 1.0188265 is the lowest (by hand, from the u, w form).
    Build(PlanCCR, 2, Bowl);
    plan.FindMinimum({-1, -1}, {1, 1}, TExtremumMethod::Scanning, false, 7);
    ASSERT_TRUE(plan.HasExtremumPoint);
    EXPECT_NEAR(plan.ExtremumPoint.Get(0), 3.0 / 7, 1e-12);
    EXPECT_NEAR(plan.ExtremumPoint.Get(1), -3.0 / 7, 1e-12);
    EXPECT_NEAR(plan.Predict(plan.ExtremumPoint.Elements()), 1.0188265, 1e-7);

    // y = x1 + .. + x(k-1) is lowest all along the last factor at the lower
    // bounds of the others; the first of these points, the lower corner,
    // stays. The grid has (steps + 1)^k points; the keys are looked at once
    // per run of the innermost loop, (steps + 1)^(k-1) times.
    struct TRow {
        std::int32_t k, steps;
        std::int64_t points, checks;
    };
    for (const TRow row :
         {TRow{1, 7, 8, 1}, TRow{2, 7, 64, 8}, TRow{3, 4, 125, 25}, TRow{4, 3, 256, 64}}) {
        SCOPED_TRACE(row.k);
        std::vector<double> b(static_cast<std::size_t>(row.k) + 1, 1.0);
        b.front() = b.back() = 0;
        if (row.k == 1)
            BuildGeneral(1, {&x1}, {1}); // built-in plans start at two factors
        else
            Build(PlanFFE, row.k, b);
        const TPoint lower(static_cast<std::size_t>(row.k), -1), upper(lower.size(), 1);
        plan.FindMinimum(lower, upper, TExtremumMethod::Scanning, false, row.steps);
        ASSERT_TRUE(plan.HasExtremumPoint);
        EXPECT_EQ(Extremum(), lower);
        EXPECT_EQ(plan.LastSearchEvaluations, row.points + 1);
        EXPECT_EQ(host.ProgressPolls, row.checks);
        // The last run overshoots the count of runs; the gauge stops at full.
        EXPECT_EQ(host.ProgressLog.at(host.ProgressLog.size() - 2), "update 100");
        EXPECT_EQ(host.ProgressLog.at(0), "show Поиск экстремума: метод сканирования.");
    }
}

TEST_F(ExtremumTest, TheSearchStartsFromTheLastExtremumOnlyWhenAskedAndValid) {
    // With fewer than 50 approximations the random search draws nothing, so
    // the start point is the answer.
    Build(PlanCCR, 2, Bowl);
    struct TRow {
        bool previous, useLast;
        TPoint start;
    };
    const TPoint last{0.7, -0.2};
    for (const TRow& row : {TRow{true, true, last}, TRow{true, false, {0.5, -0.25}},
                            TRow{false, true, {0.5, -0.25}}}) {
        SCOPED_TRACE(testing::Message() << row.previous << row.useLast);
        plan.ExtremumPoint.SetSize(2);
        plan.ExtremumPoint.Set(0, last[0]);
        plan.ExtremumPoint.Set(1, last[1]);
        plan.HasExtremumPoint = row.previous;
        plan.FindMinimum({0, -1}, {1, 0.5}, TExtremumMethod::MonteCarlo, row.useLast, 49);
        ASSERT_TRUE(plan.HasExtremumPoint);
        EXPECT_EQ(Extremum(), row.start);
        EXPECT_EQ(plan.LastSearchEvaluations, 1);
    }
    // The dialog offers the last extremum when there is one.
    host.ExtremumAnswers.push_back(std::nullopt);
    EXPECT_FALSE(plan.FindExtremum());
    EXPECT_TRUE(host.ExtremumRequests.at(0).HasLastExtremum);
    EXPECT_EQ(plan.StatusText, NotCompleted);

    // Without coefficients there is nothing to search, and no old extremum.
    host.ClearRecords();
    plan.HasBVector = false;
    plan.FindMinimum({-1, -1}, {1, 1}, TExtremumMethod::GaussSeidel, false, 10);
    EXPECT_FALSE(plan.HasExtremumPoint);
    EXPECT_EQ(host.ProgressLog.size(), 0u);
}

} // namespace
