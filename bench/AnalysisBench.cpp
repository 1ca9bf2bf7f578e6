// The full analysis of the largest built-in plan, CCR with 10 factors and 3
// repeats (1045 runs, 66 terms), without dialogs: Cochran, the regression
// with the Student step, the adequacy test. Target: under 5 ms. The three
// steps are also timed on their own, to show where the time goes.

#include "AnalysedCcr10.h"
#include "lsq/LeastSquares.h"

#include <benchmark/benchmark.h>

using namespace orvanta;
using bench::TAnalysedPlan;

namespace {

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
