// "orvan analyze" of a CCR plan of 10 factors with 3 repeats (1045 runs, 66
// terms) as a whole process: start, module loading, reading the plan, the
// full analysis, printing. Target: under 100 ms.

#include "ProcessRunner.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <unistd.h>

using namespace orvanta::test;

namespace {

// Observations from a quadratic whose coefficients all stand well above the
// noise, so that the analysis asks nothing.
std::string Observations(int runs) {
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.01);
    std::string table;
    for (int i = 0; i < runs; ++i) {
        for (int j = 0; j < 3; ++j)
            table += std::to_string(100.0 + i % 17 + noise(random)) + (j < 2 ? " " : "\n");
    }
    return table;
}

void AnalyzeCcr10(benchmark::State& state) {
    char pattern[] = "/tmp/orvan-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string folder = pattern;
    const std::string plan = folder + "/ccr10.mpl";
    const std::string table = folder + "/y.txt";
    if (RunProcess(ORVAN_BINARY,
                   {"new", "--builtin", "ccr", "--factors", "10", "--repeats", "3", "-o", plan})
            .ExitCode != 0) {
        state.SkipWithError("the plan was not created");
        return;
    }
    std::ofstream(table) << Observations(1045);
    RunProcess(ORVAN_BINARY, {"set", plan, "--responses", table});
    for (auto _ : state) {
        const TProcessResult r = RunProcess(ORVAN_BINARY, {"analyze", plan, "--yes"});
        benchmark::DoNotOptimize(r.Out.size());
        if (r.ExitCode != 0) {
            state.SkipWithError(r.Err.c_str());
            break;
        }
    }
    std::system(("rm -rf " + folder).c_str());
}

BENCHMARK(AnalyzeCcr10)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
