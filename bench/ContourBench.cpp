// The level lines of a fitted second-order equation in two factors on a
// 200 x 200 grid: the equation at every node, the round levels and the
// tracing. The contour window computes, traces and draws this in under
// 50 ms; this is the part without the toolkit.

#include "Ccr2Equation.h"
#include "plots/Contour.h"
#include "plots/PlotData.h"

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace orvanta;
using orvanta::bench::MakeCcr2Equation;

namespace {

void ContourCcr2(benchmark::State& state) {
    bench::TBuiltinPlanHost host{PlanCCR, 2};
    TRaruRuro plan(host);
    if (!MakeCcr2Equation(plan)) {
        state.SkipWithError("the CCR plan of 2 factors was not built");
        return;
    }
    const auto f = [&plan](double x, double y) {
        const double point[2] = {x, y};
        return plan.Predict(point);
    };
    const auto n = std::int32_t(state.range(0));
    std::size_t points = 0;
    for (auto _ : state) {
        const TContourGrid grid = EvaluateGrid(f, -1.414, 1.414, -1.414, 1.414, n, n);
        const auto [low, high] = std::minmax_element(grid.Z.begin(), grid.Z.end());
        const std::vector<TContourLine> lines = TraceContours(grid, RoundLevels(*low, *high));
        points = 0;
        for (const TContourLine& line : lines)
            points += line.Points.size();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = double(points);
}
BENCHMARK(ContourCcr2)->Arg(200)->Unit(benchmark::kMillisecond);

// The whole picture the window and the batch tool draw from: natural units,
// the runs and the stationary point too.
void ContourPictureCcr2(benchmark::State& state) {
    bench::TBuiltinPlanHost host{PlanCCR, 2};
    TRaruRuro plan(host);
    if (!MakeCcr2Equation(plan)) {
        state.SkipWithError("the CCR plan of 2 factors was not built");
        return;
    }
    TContourRequest request;
    request.FromX = request.FromY = -1.414;
    request.ToX = request.ToY = 1.414;
    request.Fixed = {0.0, 0.0};
    request.Points = std::int32_t(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ContourPicture(plan, request).Lines.size());
}
BENCHMARK(ContourPictureCcr2)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
