#pragma once

// The largest built-in plan analysed: CCR with 10 factors and 3 repeats,
// 1045 runs, 3135 observations, with its statistics.

#include "BuiltinPlanHost.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "plots/PlotData.h"

#include <benchmark/benchmark.h>

#include <random>

namespace orvanta::bench {

// Observations from a quadratic whose every coefficient is far above the
// noise, so that no model-change dialog comes up; forms and report off.
class TAnalysedPlan {
public:
    static constexpr std::int32_t Factors = 10;
    static constexpr std::int32_t Repeats = 3;

    explicit TAnalysedPlan(benchmark::State& state) {
        TSettings& s = Settings();
        s.CBAlsoCreateY = false;
        s.CBCohrenResultsShow = s.CBStudentResultsShow = s.CBFisherResultsShow = false;
        s.CBCohrenActivateReport = s.CBStudentActivateReport = s.CBFisherActivateReport = false;
        if (!Plan.NewPlan() || Plan.TermCount() != 66 || Plan.RunCount != 1045) {
            state.SkipWithError("the CCR plan of 10 factors was not built");
            return;
        }
        std::mt19937 random(3135);
        std::uniform_real_distribution<double> size(1.0, 3.0);
        std::normal_distribution<double> noise(0.0, 0.05);
        TNamedVector b;
        b.Create(66);
        for (std::int32_t j = 0; j < 66; ++j)
            b.Set(j, (j % 2 ? -1.0 : 1.0) * size(random));
        Plan.BVector = b;
        const std::int32_t n = Plan.RunCount;
        Plan.YMatrix.Create(n, Repeats);
        for (std::int32_t i = 0; i < n; ++i) {
            const double mean = Plan.Predict(Plan.CodeMatrix.Row(i));
            for (std::int32_t j = 0; j < Repeats; ++j)
                Plan.YMatrix.Set(i, j, mean + noise(random));
        }
        Plan.HasYMatrix = true;
        Plan.RepeatCount = Repeats;
        Plan.HasRepeatCount = true;
        if (!Plan.RunAnalysis() || Plan.SignificantCount != 66) {
            state.SkipWithError("the analysis did not run through");
            return;
        }
        std::string error;
        if (auto statistics = ComputeStatistics(Plan, {}, error);
            statistics && statistics->Observations.size() == 3135)
            Statistics = std::move(*statistics);
        else
            state.SkipWithError("no statistics of 3135 observations");
    }
    ~TAnalysedPlan() { Settings().SetDefaults(); }

    TBuiltinPlanHost Host{PlanCCR, Factors};
    TRaruRuro Plan{Host};
    TModelStatistics Statistics;
};

} // namespace orvanta::bench
