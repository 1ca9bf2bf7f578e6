// The full analysis of the largest built-in plan, CCR with 10 factors and 3
// repeats (1045 runs, 66 terms), without dialogs: Cochran, the regression
// with the Student step, the adequacy test. Target: under 5 ms. The three
// steps are also timed on their own, to show where the time goes.

#include "BuiltinPlanHost.h"
#include "lsq/LeastSquares.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace orvanta;

namespace {

constexpr std::int32_t Factors = 10;
constexpr std::int32_t Repeats = 3;

// The plan with observations from a quadratic whose every coefficient is
// far above the noise, so that no model-change dialog comes up; forms and
// report off.
class TAnalysedPlan {
public:
    explicit TAnalysedPlan(benchmark::State& state) {
        TSettings& s = Settings();
        s.CBAlsoCreateY = false;
        s.CBCohrenResultsShow = s.CBStudentResultsShow = s.CBFisherResultsShow = false;
        s.CBCohrenActivateReport = s.CBStudentActivateReport = s.CBFisherActivateReport = false;
        if (!Plan.NewPlan() || Plan.TermCount() != 66 || Plan.RunCount != 1045) {
            state.SkipWithError("the CCR plan of 10 factors was not built");
            return;
        }
        std::mt19937 random(1045);
        std::uniform_real_distribution<double> size(1.0, 3.0);
        std::normal_distribution<double> noise(0.0, 0.05);
        TNamedVector b;
        b.Create(66);
        for (std::int32_t j = 0; j < 66; ++j)
            b.Set(j, (j % 2 ? -1.0 : 1.0) * size(random));
        Plan.BVector = b;
        const std::int32_t n = Plan.RunCount;
        Plan.YMatrix.Create(n, Repeats);
        for (std::int32_t i = 0; i < n; ++i) {
            const double mean = Plan.Predict(Plan.CodeMatrix.Row(i));
            for (std::int32_t j = 0; j < Repeats; ++j)
                Plan.YMatrix.Set(i, j, mean + noise(random));
        }
        Plan.HasYMatrix = true;
        Plan.RepeatCount = Repeats;
        Plan.HasRepeatCount = true;
        if (!Plan.RunAnalysis() || Plan.SignificantCount != 66 || !Plan.HasFisher)
            state.SkipWithError("the analysis did not run through");
    }
    ~TAnalysedPlan() { Settings().SetDefaults(); }

    bench::TBuiltinPlanHost Host{PlanCCR, Factors};
    TRaruRuro Plan{Host};
};

void FullAnalysisCcr10(benchmark::State& state) {
    TAnalysedPlan analysed(state);
    TRaruRuro& plan = analysed.Plan;
    for (auto _ : state) {
        const bool done =
            plan.CheckHomogeneity() && plan.EstimateRegression() && plan.CheckAdequacy();
        benchmark::DoNotOptimize(done);
    }
}

void CheckHomogeneityCcr10(benchmark::State& state) {
    TAnalysedPlan analysed(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysed.Plan.CheckHomogeneity());
}

void EstimateRegressionCcr10(benchmark::State& state) {
    TAnalysedPlan analysed(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysed.Plan.EstimateRegression());
}

// The least-squares fit alone: X'X, QR of the 1045 x 66 basis, the refined
// coefficients and C = (X'X)^-1.
void LeastSquaresCcr10(benchmark::State& state) {
    TAnalysedPlan analysed(state);
    const TRaruRuro& plan = analysed.Plan;
    TVector b;
    TMatrix c;
    for (auto _ : state) {
        const TLeastSquares fit(plan.BasisMatrix);
        benchmark::DoNotOptimize(fit.Solve(plan.YMean, b) && fit.Covariance(c));
    }
}

void CheckAdequacyCcr10(benchmark::State& state) {
    TAnalysedPlan analysed(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(analysed.Plan.CheckAdequacy());
}

} // namespace

BENCHMARK(FullAnalysisCcr10)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckHomogeneityCcr10)->Unit(benchmark::kMicrosecond);
BENCHMARK(EstimateRegressionCcr10)->Unit(benchmark::kMillisecond);
BENCHMARK(LeastSquaresCcr10)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckAdequacyCcr10)->Unit(benchmark::kMicrosecond);
