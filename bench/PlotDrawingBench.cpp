// The pictures as the windows and `orvan plot` make them, drawn whole into
// an 800 x 600 picture with QCustomPlot on the offscreen platform:
// (a) the contour of a fitted second-order equation on a 200 x 200 grid,
// computed, traced and drawn (target: under 50 ms), and (b) the four
// residual panels of 3135 observations (target: under 100 ms).

#include "AnalysedCcr10.h"
#include "Ccr2Equation.h"
#include "plan/Settings.h"
#include "plots/PlotData.h"
#include "plotwindows/PlotDrawing.h"
#include "plotwindows/PlotLook.h"

#include <QApplication>
#include <QPixmap>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

using namespace orvanta;

namespace {

void ContourDrawnCcr2(benchmark::State& state) {
    bench::TBuiltinPlanHost host{PlanCCR, 2};
    TRaruRuro plan(host);
    if (!bench::MakeCcr2Equation(plan)) {
        state.SkipWithError("the CCR plan of 2 factors was not built");
        return;
    }
    TContourRequest request;
    request.FromX = request.FromY = -1.414;
    request.ToX = request.ToY = 1.414;
    request.Fixed = {0.0, 0.0};
    request.Points = std::int32_t(state.range(0));
    const TPlotLook look = PlotLookOf(Settings());
    QCustomPlot plot;
    plot.resize(800, 600);
    for (auto _ : state) {
        DrawContour(plot, ContourPicture(plan, request), look);
        benchmark::DoNotOptimize(plot.toPixmap(800, 600).cacheKey());
    }
}
BENCHMARK(ContourDrawnCcr2)->Arg(200)->Unit(benchmark::kMillisecond);

void ResidualPanelsDrawnCcr10(benchmark::State& state) {
    bench::TAnalysedPlan analysed(state);
    const TPlotLook look = PlotLookOf(Settings());
    QCustomPlot plot;
    plot.resize(800, 600);
    for (auto _ : state) {
        DrawResiduals(plot, ResidualPanels(analysed.Statistics), look);
        benchmark::DoNotOptimize(plot.toPixmap(800, 600).cacheKey());
    }
    state.counters["observations"] = double(analysed.Statistics.Observations.size());
}
BENCHMARK(ResidualPanelsDrawnCcr10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
