// The data of the residual, effect, interaction and trace plots: the normal
// plot's positions and line and the effects against R
// (tests/data/plots/*.ref, made by reference.R there), the residual panels
// against the batch tool's statistics, the curves against the fitted
// equation.

#include "plots/PlotData.h"
#include "BatchOutput.h"
#include "numeric/FileStream.h"
#include "numeric/NumberText.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"
#include "stats/StatisticsTables.h"

#include "../stats/ReferenceFile.h"
#include "QuietAnalysis.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string Data = std::string(ORVAN_TEST_DATA);
const std::string Strength = std::string(ORVAN_SOURCE_DIR) + "/examples/ccr2-strength.mpl";

std::vector<double> Figures(const TWordsLine& w, std::size_t first) {
    std::vector<double> out;
    for (std::size_t i = first; i < w.size(); ++i)
        out.push_back(Figure(w[i]));
    return out;
}

using test::BatchOutput;

class PlotDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Registry.LoadModule(std::string(ORVAN_MODELS_DIR) + "/standard.so"));
        test::SilenceResultForms();
    }
    void TearDown() override {
        Settings().SetDefaults();
        SetDecimalSeparator('.');
    }

    // The plan analysed with every term kept, and its statistics.
    TModelStatistics Analysed(const std::string& path, TStatisticsOptions options = {}) {
        Opened = std::make_unique<TRaruRuro>(Host);
        TRaruRuro& plan = *Opened;
        plan.SetMathCatalog(&Registry);
        TFileStream stream(path);
        EXPECT_TRUE(ReadPlan(stream, plan));
        Host.ModelChangeAnswers.push_back(TModelChange::Ignore);
        EXPECT_TRUE(plan.RunAnalysis());
        std::string error;
        const auto statistics = ComputeStatistics(plan, options, error);
        EXPECT_TRUE(statistics) << error;
        return statistics.value_or(TModelStatistics{});
    }

    TScriptedHost Host;
    TMessageHostScope Scope{Host};
    TMathDefinition Registry;
    std::unique_ptr<TRaruRuro> Opened;
};

TEST_F(PlotDataTest, NormalPlotAgreesWithR) {
    const auto lines = ReadReference(Data + "/plots/normal.ref");
    ASSERT_EQ(lines.size(), 18u);
    for (std::size_t at = 0; at < lines.size(); at += 3) {
        SCOPED_TRACE(lines[at][1]);
        TModelStatistics s;
        std::vector<double> sample = Figures(lines[at], 2);
        for (std::size_t i = 0; i < sample.size(); ++i)
            s.Observations.push_back(
                {static_cast<std::int32_t>(i + 1), 1, 0.0, 0.0, 0.0, 0.0, 0.0, sample[i], 0.0});
        const TResidualPanels panels = ResidualPanels(s);
        const std::vector<double> blom = Figures(lines[at + 1], 2);
        std::erase_if(sample, [](double y) { return std::isnan(y); });
        std::sort(sample.begin(), sample.end());
        ASSERT_EQ(panels.Normal.size(), sample.size());
        for (std::size_t i = 0; i < sample.size(); ++i) {
            const TResidualPoint& p = panels.Normal[i];
            EXPECT_TRUE(Agrees(p.X, blom[i]) || std::fabs(p.X - blom[i]) < 1e-15) << i;
            EXPECT_EQ(p.Y, sample[i]);
            EXPECT_EQ(s.Observations.at(std::size_t(p.Run - 1)).ExternallyStudentized, p.Y);
        }
        const std::vector<double> line = Figures(lines[at + 2], 2);
        const std::vector<double> got = {panels.NormalLine[0].X, panels.NormalLine[0].Y,
                                         panels.NormalLine[1].X, panels.NormalLine[1].Y};
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_TRUE(Agrees(got[i], line[i]) || std::fabs(got[i] - line[i]) < 1e-15)
                << i << ": " << got[i] << " vs " << line[i];
    }
}

// What the window draws is what `orvan statistics --json` prints, and it
// marks the observations the statistics window marks.
TEST_F(PlotDataTest, ResidualPanelsEqualTheBatchToolsStatistics) {
    const auto json = nlohmann::json::parse(
        BatchOutput("statistics '" + Strength + "' --insignificant ignore --json"));
    const auto& observations = json.at("observations");
    const TModelStatistics s = Analysed(Strength);
    const TResidualPanels panels = ResidualPanels(s);
    std::vector<bool> marked;
    for (const TStatSection& section : StatisticsSections(*Opened, s))
        if (section.Key == "diagnostics")
            marked = section.Tables.at(0).Marked;
    ASSERT_EQ(observations.size(), 18u);
    ASSERT_EQ(panels.VsOrder.size(), 18u);
    std::vector<double> sorted;
    for (std::size_t i = 0; i < observations.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& o = observations[i];
        const auto value = [&o](const char* key) { return o.at(key).get<double>(); };
        sorted.push_back(value("externallyStudentized"));
        const struct {
            const TResidualPoint& Point;
            double X, Y;
        } panel[] = {{panels.VsPredicted[i], value("predicted"), value("residual")},
                     {panels.VsOrder[i], double(i + 1), value("residual")},
                     {panels.VsActual[i], value("actual"), value("predicted")}};
        for (const auto& p : panel) {
            EXPECT_EQ(p.Point.Run, o.at("run").get<int>());
            EXPECT_EQ(p.Point.Repeat, o.at("repeat").get<int>());
            EXPECT_TRUE(Agrees(p.Point.X, p.X)) << p.Point.X << " vs " << p.X;
            EXPECT_TRUE(Agrees(p.Point.Y, p.Y)) << p.Point.Y << " vs " << p.Y;
            EXPECT_EQ(p.Point.Marked, marked.at(i));
        }
    }
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        EXPECT_TRUE(Agrees(panels.Normal[i].Y, sorted[i])) << i;
    // Run 4's second repeat has Cook's distance 0.35 > 4/18; nothing else
    // stands out.
    EXPECT_EQ(std::count(marked.begin(), marked.end(), true), 1);
    EXPECT_TRUE(panels.VsOrder[7].Marked);
}

TEST_F(PlotDataTest, EffectPlotsAgreeWithR) {
    const auto lines = ReadReference(Data + "/plots/effects.ref");
    std::size_t charts = 0;
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const TWordsLine& w = lines[at];
        if (w[0] != "pareto")
            continue;
        SCOPED_TRACE(w[1] + " " + w[2] + " " + w[3]);
        ++charts;
        TStatisticsOptions options;
        options.ErrorTerm = w[2] == "pure" ? TErrorTerm::Pure : TErrorTerm::Residual;
        options.Alpha = Figure(w[3]);
        const TModelStatistics s = Analysed(Data + "/statistics/" + w[1] + ".mpl", options);
        const TParetoChart chart = ParetoChart(s);
        EXPECT_EQ(chart.Df, std::stoi(w[4]));
        EXPECT_TRUE(Agrees(chart.Critical, Figure(w[5])));
        for (const TParetoBar& bar : chart.Bars) {
            const TWordsLine& b = lines.at(++at);
            EXPECT_EQ(b[0], "bar");
            EXPECT_TRUE(bar.Name == b[1]) << bar.Name;
            EXPECT_TRUE(Agrees(bar.AbsT, Figure(b[2]))) << bar.Name;
            EXPECT_EQ(bar.Significant, b[3] == "1") << bar.Name;
        }
        EXPECT_TRUE(at + 1 == lines.size() || lines[at + 1][0] != "bar");
        // Only the unreplicated two-level plan has a half-normal plot.
        const auto half = HalfNormalPlot(s);
        EXPECT_EQ(half.has_value(), w[1] == "ffe4-lenth");
        if (!half)
            continue;
        std::size_t point = 0;
        for (const TWordsLine& h : lines) {
            if (h[0] == "margins") {
                EXPECT_TRUE(Agrees(half->Me, Figure(h[1])));
                EXPECT_TRUE(Agrees(half->Sme, Figure(h[2])));
            } else if (h[0] == "halfnormal") {
                const THalfNormalPoint& p = half->Points.at(point++);
                EXPECT_TRUE(p.Name == h[1]) << p.Name;
                EXPECT_TRUE(Agrees(p.AbsEffect, Figure(h[2])));
                EXPECT_TRUE(Agrees(p.Quantile, Figure(h[3])));
                EXPECT_EQ(p.Active, h[4] == "1");
            }
        }
        EXPECT_EQ(point, half->Points.size());
    }
    EXPECT_EQ(charts, 3u);
}

// A term whose t has no value (no error variance) still gets its bar, last.
TEST_F(PlotDataTest, ParetoChartPutsATermWithoutTLast) {
    TModelStatistics s;
    for (const auto& [name, t] : {std::pair{"B0", 9.0}, {"B1", NAN}, {"B2", 2.0}, {"B3", -5.0}})
        s.Coefficients.push_back({0, name, 0.0, 0.0, t, 0.0, 0.0, 0.0,
                                  name == std::string("B0") ? std::nullopt : std::optional(1.0)});
    std::string order;
    for (const TParetoBar& bar : ParetoChart(s).Bars)
        order += bar.Name + " ";
    EXPECT_EQ(order, "B3 B2 B1 ");
}

// Both lines of the interaction plot are the fitted equation along one
// factor, labelled by the other's level in the axis' units; their ends are
// the predictions at the four factorial runs.
TEST_F(PlotDataTest, InteractionCurvesFollowTheEquationAndNameTheLevel) {
    const TModelStatistics s = Analysed(Strength);
    TRaruRuro& plan = *Opened;
    const std::string time = "Время отверждения, мин = ";
    const std::string heat = "Температура отверждения, °C = ";
    const struct {
        bool Natural;
        char Separator;
        double TimeInterval;
        std::int32_t Along, Other;
        std::string Low, High;
        double From, To;
    } cases[] = {
        {true, '.', 10.0, 0, 1, time + "30", time + "50", 105.0, 135.0},
        {true, ',', 2.5, 0, 1, time + "37,5", time + "42,5", 105.0, 135.0},
        {false, ',', 10.0, 1, 0, heat + "-1", heat + "1", -1.0, 1.0},
        {true, '.', 10.0, 1, 0, heat + "105", heat + "135", 30.0, 50.0},
        // Without an interval a factor has no natural units: the plot stays coded.
        {true, '.', 0.0, 0, 1, time + "-1", time + "1", -1.0, 1.0},
    };
    // The coded levels of the runs, to find the factorial ones.
    std::map<std::pair<double, double>, double> runs;
    for (const TObservationDiagnostics& o : s.Observations)
        runs[{plan.CodeMatrix.Get(o.Run - 1, 0), plan.CodeMatrix.Get(o.Run - 1, 1)}] = o.Predicted;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Low);
        SetDecimalSeparator(c.Separator);
        plan.Intervals.Set(1, c.TimeInterval);
        const auto curves = InteractionCurves(plan, c.Along, c.Other, {0.0, 0.0}, c.Natural, 5);
        ASSERT_EQ(curves.size(), 2u);
        EXPECT_TRUE(curves[0].Name == c.Low) << curves[0].Name;
        EXPECT_TRUE(curves[1].Name == c.High) << curves[1].Name;
        for (std::size_t line = 0; line < 2; ++line) {
            const auto& points = curves[line].Points;
            ASSERT_EQ(points.size(), 5u);
            EXPECT_DOUBLE_EQ(points.front().X, c.From);
            EXPECT_DOUBLE_EQ(points.back().X, c.To);
            for (std::size_t i = 0; i < points.size(); ++i) {
                double x[2];
                x[c.Along] = -1.0 + 0.5 * double(i);
                x[c.Other] = line == 0 ? -1.0 : 1.0;
                EXPECT_DOUBLE_EQ(points[i].Y, plan.Predict(x));
                if (i == 0 || i + 1 == points.size()) {
                    EXPECT_NEAR(points[i].Y, runs.at({x[0], x[1]}), 1e-9);
                }
            }
        }
    }
}

// The trace plot moves one factor at a time through the reference point:
// every line passes through the prediction there at deviation 0.
TEST_F(PlotDataTest, TraceCurvesCrossAtTheReferencePoint) {
    Analysed(Strength);
    const TRaruRuro& plan = *Opened;
    const std::vector<double> reference{0.5, -0.25};
    const auto curves = TraceCurves(plan, reference, 5);
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_TRUE(curves[0].Name == "Температура отверждения, °C");
    EXPECT_TRUE(curves[1].Name == "Время отверждения, мин");
    for (std::size_t f = 0; f < 2; ++f) {
        ASSERT_EQ(curves[f].Points.size(), 5u);
        for (std::size_t i = 0; i < 5; ++i) {
            std::vector<double> x = reference;
            x[f] += -1.0 + 0.5 * double(i);
            EXPECT_DOUBLE_EQ(curves[f].Points[i].X, -1.0 + 0.5 * double(i));
            EXPECT_DOUBLE_EQ(curves[f].Points[i].Y, plan.Predict(x.data()));
        }
        EXPECT_DOUBLE_EQ(curves[f].Points[2].Y, plan.Predict(reference.data()));
    }
}

} // namespace
