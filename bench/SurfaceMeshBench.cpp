// A response surface of 1000 x 1000 points, the finest grid the surface
// wizard allows: building the mesh from the graph holder and colouring it,
// as each "Show" of the surface does. Target: well under a second.

#include "BuiltinPlanHost.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
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

// The surface wizard's answer: the whole 1000 x 1000 grid over -1 .. 1.
class TSurfaceHost : public bench::TBuiltinPlanHost {
public:
    TSurfaceHost() : TBuiltinPlanHost(PlanCCR, 2) {}
    std::optional<TSurfaceAnswer> RunSurfaceWizard() override {
        return TSurfaceAnswer{0, 1, -1.0, 1.0, -1.0, 1.0, 1000, 1000, {0.0, 0.0}};
    }
};

// The whole "Новая поверхность": the fitted quadratic model of a rotatable
// plan evaluated on the grid by the holder, then meshed and coloured.
void ComputeAndMeshSurface(benchmark::State& state) {
    TSurfaceHost host;
    TRaruRuro plan(host);
    Settings().CBAlsoCreateY = false; // no observations dialog
    if (!plan.NewPlan() || plan.TermCount() != 6) {
        state.SkipWithError("the CCR plan of 2 factors was not built");
        return;
    }
    plan.BVector.Create(6);
    const double b[] = {18.5, 1.6, 0.8, -0.3, -1.3, -0.8};
    for (std::int32_t j = 0; j < 6; ++j)
        plan.BVector.Set(j, b[j]);
    plan.HasBVector = true;
    TGraphHolder holder(host);
    TSettings settings;
    const std::function<int()> random = [] { return 0; };
    TSurface mesh;
    for (auto _ : state) {
        holder.NewSurface(plan);
        BuildMesh(holder, mesh);
        ColourMesh(mesh, settings, random);
        benchmark::DoNotOptimize(mesh.Colors.data());
    }
    state.SetItemsProcessed(state.iterations() * 1000 * 1000);
}

} // namespace

BENCHMARK(ComputeAndMeshSurface)->Unit(benchmark::kMillisecond);
// 0 one colour, 1 random, 2 two colours.
BENCHMARK(BuildAndColourMesh)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
