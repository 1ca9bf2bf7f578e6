// A D-optimal plan of 30 runs for the full quadratic model in five factors
// (21 terms), ten random starts: the wizard's button and `orvan new
// --d-optimal` must answer in well under a second.

#include "design/DOptimal.h"

#include <benchmark/benchmark.h>

using namespace orvanta;

namespace {

constexpr int K = 5;

// 1; x1 .. x5; xi xj for i < j; x1^2 .. x5^2.
void FullQuadratic(const double* x, double* f) {
    int t = 0;
    f[t++] = 1.0;
    for (int i = 0; i < K; ++i)
        f[t++] = x[i];
    for (int i = 0; i < K; ++i)
        for (int j = i + 1; j < K; ++j)
            f[t++] = x[i] * x[j];
    for (int i = 0; i < K; ++i)
        f[t++] = x[i] * x[i];
}

void DOptimalQuadratic(benchmark::State& state) {
    TDOptimalOptions options;
    options.Candidates = static_cast<TDOptimalCandidates>(state.range(0));
    double efficiency = 0.0;
    for (auto _ : state) {
        const TDOptimalPlan plan = BuildDOptimalPlan(K, 30, 21, FullQuadratic, options);
        efficiency = plan.DEfficiency;
        benchmark::DoNotOptimize(plan.Runs.data());
    }
    state.counters["DEfficiency"] = efficiency;
}

} // namespace

BENCHMARK(DOptimalQuadratic)
    ->Arg(static_cast<int>(TDOptimalCandidates::Grid))
    ->Arg(static_cast<int>(TDOptimalCandidates::Continuous))
    ->Unit(benchmark::kMillisecond);
