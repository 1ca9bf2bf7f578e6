// Inversion, determinant and product of 256 x 256 matrices, the information
// matrix of the largest models. Target: an inversion under 50 ms.

#include "numeric/Matrix.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace orvanta;

namespace {

// A dominant diagonal keeps the matrix well conditioned; shuffling its rows
// makes every column search for its pivot.
TMatrix WellConditioned(std::int32_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<std::int32_t> order(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::shuffle(order.begin(), order.end(), random);
    TMatrix m(n, n);
    for (std::int32_t r = 0; r < n; ++r) {
        for (std::int32_t c = 0; c < n; ++c) {
            m.Set(r, c, value(random) + (c == order[static_cast<std::size_t>(r)] ? n : 0.0));
        }
    }
    return m;
}

// Both of these work in place, so every round starts from a fresh copy; the
// copy is one block move of 512 kB, far below the time being measured.
void Invert(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const TMatrix original = WellConditioned(n, 1);
    TMatrix m(n, n);
    for (auto _ : state) {
        m.AssignData(original);
        if (!m.Invert()) {
            state.SkipWithError("the matrix was not inverted");
            break;
        }
        benchmark::DoNotOptimize(m.Contents());
    }
}

void Determinant(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const TMatrix original = WellConditioned(n, 2);
    TMatrix m(n, n);
    for (auto _ : state) {
        m.AssignData(original);
        benchmark::DoNotOptimize(m.Determinant());
    }
}

void Multiply(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const TMatrix a = WellConditioned(n, 3);
    const TMatrix b = WellConditioned(n, 4);
    TMatrix product(n, n);
    for (auto _ : state) {
        product.Multiply(a, b);
        benchmark::DoNotOptimize(product.Contents());
    }
}

} // namespace

BENCHMARK(Invert)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(Determinant)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(Multiply)->Arg(256)->Unit(benchmark::kMillisecond);
