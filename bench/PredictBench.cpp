// The fitted equation of the largest built-in plan, CCR with 10 factors (66
// terms), at many points: the inner loop of the extremum search and of the
// surfaces. Target: at least 15 million evaluations a second, with no
// allocation per evaluation.

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

// Answers the wizard with the built-in CCR plan of 10 factors and cancels or
// ignores everything else.
class TBenchHost : public TPlanHost {
public:
    void ShowMessage(TMessageKind, const std::string&) override {}
    TAnswer AskYesNo(const std::string&) override { return TAnswer::No; }
    TAnswer AskYesNoCancel(const std::string&) override { return TAnswer::Cancel; }
    std::optional<std::string> InputString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<double> InputReal(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<TNewPlanAnswers> RunNewPlanWizard() override {
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::Builtin;
        return answers;
    }
    std::optional<TBuiltinPlanAnswer> RunBuiltinPlanDialog() override {
        return TBuiltinPlanAnswer{PlanCCR, 10};
    }
    std::optional<TRepeatsAnswer> RunRepeatsDialog(const TRepeatsRequest&) override {
        return std::nullopt;
    }
    std::optional<std::vector<std::string>>
    RunFactorNamesDialog(const std::vector<std::string>&) override {
        return std::nullopt;
    }
    std::optional<std::string> RunOpenDialog(TFileFilter, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> RunSaveDialog(TFileFilter, const std::string&) override {
        return std::nullopt;
    }
    void ShowDataWindow(TDataWindow) override {}
    void MinimizeDataWindow(TDataWindow) override {}
    void RefreshDataWindow(TDataWindow) override {}
    void CloseDataWindow(TDataWindow) override {}
    bool IsDataWindowOpen(TDataWindow) const override { return false; }
    bool IsDataWindowMinimized(TDataWindow) const override { return false; }
    void ShowReportWindow() override {}
    void MinimizeReportWindow() override {}
    void CloseReportWindow() override {}
    bool IsReportWindowOpen() const override { return false; }
    bool IsReportWindowMinimized() const override { return false; }
    void ShowCheckPointWindow() override {}
    void ShowGraphWindows() override {}
    void CloseGraphWindows() override {}
    void RefreshCommands() override {}
};

void PredictCcr10(benchmark::State& state) {
    TBenchHost host;
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
