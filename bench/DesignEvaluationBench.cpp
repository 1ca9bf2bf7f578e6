// The evaluation of a plan before the experiment: a face-centred composite
// plan of k factors (2^k + 2k + 1 runs) for the full quadratic model, whose
// most expensive part is the search for the largest prediction variance
// over the cube. The desktop program shows it on demand, the batch tool
// prints it; both wait for this.

#include "design/Evaluation.h"

#include <benchmark/benchmark.h>

using namespace orvanta;

namespace {

TMatrix FaceCentred(std::int32_t k) {
    const std::int32_t corners = 1 << k;
    TMatrix design(corners + 2 * k + 1, k);
    for (std::int32_t i = 0; i < corners; ++i)
        for (std::int32_t j = 0; j < k; ++j)
            design.Set(i, j, (i >> j) & 1 ? 1.0 : -1.0);
    for (std::int32_t j = 0; j < k; ++j) {
        design.Set(corners + 2 * j, j, -1.0);
        design.Set(corners + 2 * j + 1, j, 1.0);
    }
    return design;
}

TModelBasis FullQuadratic(std::int32_t k) {
    return {k, 1 + 2 * k + k * (k - 1) / 2, [k](const double* x, double* f) {
                std::int32_t t = 0;
                f[t++] = 1.0;
                for (std::int32_t i = 0; i < k; ++i)
                    f[t++] = x[i];
                for (std::int32_t i = 0; i < k; ++i)
                    for (std::int32_t j = i + 1; j < k; ++j)
                        f[t++] = x[i] * x[j];
                for (std::int32_t i = 0; i < k; ++i)
                    f[t++] = x[i] * x[i];
            }};
}

void BM_EvaluateFaceCentred(benchmark::State& state) {
    const auto k = static_cast<std::int32_t>(state.range(0));
    const TMatrix design = FaceCentred(k);
    const TModelBasis basis = FullQuadratic(k);
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateDesign(design, basis));
}
BENCHMARK(BM_EvaluateFaceCentred)->Arg(2)->Arg(5)->Arg(8)->Unit(benchmark::kMillisecond);

} // namespace
