// "orvan analyze" and "orvan statistics" of a CCR plan of 10 factors with 3
// repeats (1045 runs, 66 terms) as whole processes: start, module loading,
// reading the plan, the full analysis, printing. Target for analyze: under
// 100 ms.

#include "ProcessRunner.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

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

// A temporary folder with the plan and its observations; removed at the end.
class TCcr10Plan {
public:
    explicit TCcr10Plan(benchmark::State& state) {
        char pattern[] = "/tmp/orvan-bench-XXXXXX";
        if (!::mkdtemp(pattern)) {
            state.SkipWithError("no temporary folder");
            return;
        }
        Folder = pattern;
        Plan = Folder + "/ccr10.mpl";
        const std::string table = Folder + "/y.txt";
        if (RunProcess(ORVAN_BINARY,
                       {"new", "--builtin", "ccr", "--factors", "10", "--repeats", "3", "-o", Plan})
                .ExitCode != 0) {
            state.SkipWithError("the plan was not created");
            return;
        }
        std::ofstream(table) << Observations(1045);
        RunProcess(ORVAN_BINARY, {"set", Plan, "--responses", table});
    }
    ~TCcr10Plan() {
        if (!Folder.empty())
            std::system(("rm -rf " + Folder).c_str());
    }

    std::string Folder;
    std::string Plan;
};

void RunCommand(benchmark::State& state, const std::vector<std::string>& arguments) {
    for (auto _ : state) {
        const TProcessResult r = RunProcess(ORVAN_BINARY, arguments);
        benchmark::DoNotOptimize(r.Out.size());
        if (r.ExitCode != 0) {
            state.SkipWithError(r.Err.c_str());
            break;
        }
    }
}

void AnalyzeCcr10(benchmark::State& state) {
    const TCcr10Plan plan(state);
    RunCommand(state, {"analyze", plan.Plan, "--yes"});
}

// The whole statistics with every observation's diagnostics, as JSON (3135
// observations). scripts/compare-statsmodels.sh times statsmodels on the
// same plan.
void StatisticsCcr10(benchmark::State& state) {
    const TCcr10Plan plan(state);
    RunCommand(state, {"statistics", plan.Plan, "--yes", "--json"});
}

BENCHMARK(AnalyzeCcr10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StatisticsCcr10)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
