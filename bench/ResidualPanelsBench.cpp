// The four residual panels for the largest built-in plan, CCR with 10
// factors and 3 repeats: 1045 runs, 3135 observations. Target: under
// 100 ms. Timed from the statistics (the panels alone) and from the fitted
// plan (the statistics with their leverages first, as a window opening on
// a fresh analysis does).

#include "AnalysedCcr10.h"

using namespace orvanta;
using orvanta::bench::TAnalysedPlan;

namespace {

void ResidualPanelsCcr10(benchmark::State& state) {
    TAnalysedPlan analysed(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ResidualPanels(analysed.Statistics));
}

void StatisticsAndResidualPanelsCcr10(benchmark::State& state) {
    TAnalysedPlan analysed(state);
    for (auto _ : state) {
        std::string error;
        const auto statistics = ComputeStatistics(analysed.Plan, {}, error);
        benchmark::DoNotOptimize(ResidualPanels(*statistics));
    }
}

} // namespace

BENCHMARK(ResidualPanelsCcr10)->Unit(benchmark::kMillisecond);
BENCHMARK(StatisticsAndResidualPanelsCcr10)->Unit(benchmark::kMillisecond);
