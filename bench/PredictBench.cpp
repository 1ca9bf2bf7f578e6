// The fitted equation of the largest built-in plan, CCR with 10 factors (66
// terms), at many points: the inner loop of the extremum search and of the
// surfaces. Target: at least 15 million evaluations a second, with no
// allocation per evaluation.

#include "BuiltinPlanHost.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

using namespace orvanta;

namespace {

std::atomic<long> Allocations{0};

void PredictCcr10(benchmark::State& state) {
    bench::TBuiltinPlanHost host{PlanCCR, 10};
    TRaruRuro plan(host);
    Settings().CBAlsoCreateY = false;
    if (!plan.NewPlan() || plan.TermCount() != 66) {
        state.SkipWithError("the CCR plan of 10 factors was not built");
        return;
    }
    std::mt19937 random(10);
    std::uniform_real_distribution<double> value(-1.7, 1.7);
    plan.BVector.Create(66);
    for (std::int32_t j = 0; j < 66; ++j)
        plan.BVector.Set(j, value(random));
    plan.HasBVector = true;

    // 1024 points of 10 coordinates stay in the first-level cache.
    constexpr std::size_t Points = 1024;
    std::vector<double> points(Points * 10);
    for (double& x : points)
        x = value(random);

    const long before = Allocations.load();
    double check = 0.0;
    for (std::size_t i = 0; i < Points; ++i)
        check += plan.Predict(&points[i * 10]);
    benchmark::DoNotOptimize(check);
    if (Allocations.load() != before) {
        state.SkipWithError("Predict allocated memory");
        return;
    }

    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plan.Predict(&points[i * 10]));
        i = (i + 1) % Points;
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

// Counts every allocation of the program, so that one inside Predict shows.
// Kept out of line: inlined into a caller, GCC would take the free() below for
// the release of a pointer that came from operator new.
[[gnu::noinline]] void* operator new(std::size_t size) {
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

BENCHMARK(PredictCcr10);
