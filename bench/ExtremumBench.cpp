// The random search for the minimum with 10,000,000 approximations (200,000
// batches of 50 draws) on a rotatable central composite plan of 5 factors
// (21 terms): the longest search a person is likely to start. Target: under
// 2 s per search.

#include "BuiltinPlanHost.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace orvanta;

namespace {

constexpr std::int32_t Factors = 5;
constexpr std::int32_t Approximations = 10'000'000;

// y = 1 + sum (x_i - c_i)^2 with c = (0.3, -0.2, 0.1, -0.4, 0.5), in the
// built-in term order 1; x1..x5; x_i x_j; x1^2..x5^2.
void SetBowl(TRaruRuro& plan, const std::vector<double>& centre) {
    plan.BVector.Create(21);
    double constant = 1.0;
    for (std::int32_t i = 0; i < Factors; ++i) {
        const double c = centre[static_cast<std::size_t>(i)];
        plan.BVector.Set(1 + i, -2.0 * c);
        plan.BVector.Set(16 + i, 1.0);
        constant += c * c;
    }
    plan.BVector.Set(0, constant);
    plan.HasBVector = true;
}

void MonteCarloCcr5(benchmark::State& state) {
    bench::TBuiltinPlanHost host{PlanCCR, Factors};
    TRaruRuro plan(host);
    Settings().CBAlsoCreateY = false;
    if (!plan.NewPlan() || plan.TermCount() != 21) {
        state.SkipWithError("the CCR plan of 5 factors was not built");
        return;
    }
    const std::vector<double> centre{0.3, -0.2, 0.1, -0.4, 0.5};
    SetBowl(plan, centre);
    const std::vector<double> lower(Factors, -1.0), upper(Factors, 1.0);

    for (auto _ : state) {
        plan.SeedRandom(2024);
        plan.FindMinimum(lower, upper, TExtremumMethod::MonteCarlo, false, Approximations);
    }
    if (!plan.HasExtremumPoint || plan.LastSearchEvaluations != Approximations + 1) {
        state.SkipWithError("the search did not evaluate every approximation");
        return;
    }
    // Ten million draws among 10^15 grid points still come near the bottom.
    double distance = 0.0;
    for (std::int32_t i = 0; i < Factors; ++i)
        distance = std::fmax(
            distance, std::fabs(plan.ExtremumPoint.Get(i) - centre[static_cast<std::size_t>(i)]));
    state.counters["max_coordinate_error"] = distance;
    state.SetItemsProcessed(state.iterations() * Approximations);
}

} // namespace

BENCHMARK(MonteCarloCcr5)->Unit(benchmark::kMillisecond)->Iterations(3);
