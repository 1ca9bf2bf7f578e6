// The NIST StRD linear least-squares datasets fitted as a researcher fits
// them: a typed-in plan in natural units with the standard module's model
// (or the addens without a constant), the responses entered, the analysis
// run. Every coefficient, its standard error, the residual standard
// deviation and R² are graded by their log relative error against NIST's
// certified values; the bounds are at least what R's lm reaches on the same
// data (tests/data/strd/r-lre.txt).

#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"
#include "stats/ModelStatistics.h"

#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

struct TDataset {
    std::string Kind;
    int Order = 0;
    std::vector<double> Certified;
    std::vector<double> CertifiedErrors;
    double ResidualSd = 0.0;
    double RSquared = 0.0;
    TRows X;
    TRows Y;
};

TDataset Read(const std::string& name) {
    std::ifstream in(std::string(ORVAN_TEST_DATA) + "/strd/" + name + ".txt");
    TDataset d;
    bool data = false;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        if (data) {
            double y = 0.0;
            fields >> y;
            d.Y.push_back({y});
            auto& x = d.X.emplace_back();
            for (double v = 0.0; fields >> v;)
                x.push_back(v);
            continue;
        }
        std::string key, parameter, value, error;
        fields >> key;
        if (key == "model")
            fields >> d.Kind >> d.Order;
        else if (key == "residual-sd" && fields >> value)
            d.ResidualSd = std::strtod(value.c_str(), nullptr);
        else if (key == "r-squared" && fields >> value)
            d.RSquared = std::strtod(value.c_str(), nullptr);
        else if (key == "certified" && fields >> parameter >> value >> error) {
            d.Certified.push_back(std::strtod(value.c_str(), nullptr));
            d.CertifiedErrors.push_back(std::strtod(error.c_str(), nullptr));
        }
        data = key == "data";
    }
    return d;
}

// Correct significant digits, at most 15 (the certified values have 15).
double Lre(double got, double certified) {
    const double error =
        certified == 0.0 ? std::fabs(got) : std::fabs(got - certified) / std::fabs(certified);
    return error == 0.0 ? 15.0 : std::min(15.0, -std::log10(error));
}

class StrdAccuracyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Registry.LoadModule(std::string(ORVAN_MODELS_DIR) + "/standard.so"));
        Settings().CBAlsoCreateY = false;
    }
    void TearDown() override { Settings().SetDefaults(); }

    TScriptedHost Host;
    TMessageHostScope Scope{Host};
    TMathDefinition Registry;
};

TEST_F(StrdAccuracyTest, EveryCoefficientKeepsItsDigits) {
    const struct {
        const char* Name;
        double MinLre;
    } cases[] = {
        {"Norris", 12},  {"Pontius", 12}, {"NoInt1", 12},    {"NoInt2", 12},
        {"Longley", 13}, {"Filip", 7},    {"Wampler1", 9.5}, {"Wampler2", 12.5},
        {"Wampler3", 9}, {"Wampler4", 9}, {"Wampler5", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TDataset d = Read(c.Name);
        ASSERT_FALSE(d.X.empty());
        TScriptedHost host;
        TRaruRuro plan(host);
        plan.SetMathCatalog(&Registry);
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::NonStandard;
        answers.FactorCount = static_cast<std::int32_t>(d.X[0].size());
        answers.RunCount = static_cast<std::int32_t>(d.X.size());
        answers.UseStandardModel = d.Kind != "nointercept-linear";
        const std::string k = std::to_string(answers.FactorCount);
        answers.ModelName = d.Kind == "linear" ? "Линейная модель, k = " + k
                            : d.Order == 1     ? "Линейная модель, k = 1"
                            : d.Order == 2
                                ? "Полная квадратичная модель, k = 1"
                                : "Полином степени " + std::to_string(d.Order) + " от x1";
        if (!answers.UseStandardModel)
            answers.Addens = {Registry.Adden(Registry.AddenByName("x1"))};
        host.WizardAnswers.push_back(answers);
        ASSERT_TRUE(plan.NewPlan());
        ASSERT_EQ(plan.TermCount(), static_cast<std::int32_t>(d.Certified.size()));
        for (std::size_t i = 0; i < d.X.size(); ++i)
            for (std::size_t j = 0; j < d.X[i].size(); ++j)
                plan.CodeMatrix.Set(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j),
                                    d.X[i][j]);
        SetObservations(plan, d.Y);
        ASSERT_TRUE(plan.CheckHomogeneity());
        ASSERT_TRUE(plan.EstimateRegression());
        EXPECT_TRUE(host.Messages.empty());
        std::string error;
        const auto statistics = ComputeStatistics(plan, {}, error);
        ASSERT_TRUE(statistics) << error;
        for (std::size_t j = 0; j < d.Certified.size(); ++j) {
            const double got = plan.BVector.Get(static_cast<std::int32_t>(j));
            EXPECT_GE(Lre(got, d.Certified[j]), c.MinLre) << "B" << j << " = " << got;
            const double se = statistics->Coefficients[j].StdError;
            EXPECT_GE(Lre(se, d.CertifiedErrors[j]), c.MinLre) << "s(B" << j << ") = " << se;
        }
        EXPECT_GE(Lre(statistics->Fit.RootMse, d.ResidualSd), c.MinLre);
        EXPECT_GE(Lre(statistics->Fit.RSquared, d.RSquared), c.MinLre);
    }
}

} // namespace
