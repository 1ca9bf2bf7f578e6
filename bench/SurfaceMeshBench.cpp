// A response surface of 1000 x 1000 points, the finest grid the surface
// wizard allows: building the mesh from the graph holder and colouring it,
// as each "Show" of the surface does. Target: well under a second.

#include "plan/SilentPlanHost.h"
#include "services/GraphHolder.h"
#include "surface3d/SurfaceMesh.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using namespace orvanta;

namespace {

void BuildAndColourMesh(benchmark::State& state) {
    const auto scheme = static_cast<std::uint8_t>(state.range(0));
    constexpr std::int32_t Side = 1000;
    TSilentPlanHost host;
    TGraphHolder holder(host);
    holder.BeginSurface(Side, Side);
    for (std::int32_t i = 0; i < Side; ++i)
        for (std::int32_t j = 0; j < Side; ++j) {
            const double x1 = -1.0 + 2.0 * i / (Side - 1);
            const double x2 = -1.0 + 2.0 * j / (Side - 1);
            holder.AddPoint3D(x1, x2, 3.0 + x1 - 2.0 * x2 + 0.5 * x1 * x2 - x1 * x1);
        }
    TSettings settings;
    settings.LBSurfScheme = scheme;
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::function<int()> random = [&] { return byte(engine); };
    TSurface mesh;
    for (auto _ : state) {
        BuildMesh(holder, mesh);
        ColourMesh(mesh, settings, random);
        benchmark::DoNotOptimize(mesh.Colors.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Side * Side);
}

} // namespace

// 0 one colour, 1 random, 2 two colours.
BENCHMARK(BuildAndColourMesh)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
