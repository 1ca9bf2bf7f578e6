// The worked example of the statistics window's help page: every figure the
// page marks is the statistics of the bundled plan as `orvan statistics`
// computes them (the plan analysed with insignificant terms zeroed, default
// options), written with six significant digits.

#include "numeric/FileStream.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "stats/ModelStatistics.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string Source = ORVAN_SOURCE_DIR;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The page's numbers are Russian: a decimal comma and a real minus sign.
double PageNumber(std::string text) {
    for (std::size_t at; (at = text.find("−")) != std::string::npos;)
        text.replace(at, std::string("−").size(), "-");
    std::replace(text.begin(), text.end(), ',', '.');
    std::size_t used = 0;
    const double value = std::stod(text, &used);
    EXPECT_EQ(used, text.size()) << text;
    return value;
}

// Every figure of the statistics by the name the page marks it with, in the
// fields' names of `orvan statistics --json`.
std::map<std::string, double> Figures(const TModelStatistics& s) {
    std::map<std::string, double> f;
    const auto put = [&f](const std::string& key, const std::optional<double>& v) {
        if (v)
            f[key] = *v;
    };
    for (const TAnovaRow& r : s.Anova) {
        const std::string row = "anova." + r.Source + ".";
        put(row + "df", r.Df), put(row + "ss", r.SS), put(row + "ms", r.MS);
        put(row + "f", r.F), put(row + "p", r.P);
    }
    const TFitSummary& fit = s.Fit;
    put("fit.rSquared", fit.RSquared), put("fit.adjRSquared", fit.AdjRSquared);
    put("fit.predRSquared", fit.PredRSquared), put("fit.press", fit.Press);
    put("fit.rootMse", fit.RootMse), put("fit.mean", fit.Mean);
    put("fit.cvPercent", fit.CvPercent);
    for (const TCoefficientStatistics& c : s.Coefficients) {
        const std::string row = "coefficients." + c.Name + ".";
        put(row + "value", c.Value), put(row + "stdError", c.StdError), put(row + "t", c.T);
        put(row + "p", c.P), put(row + "ciLow", c.CiLow), put(row + "ciHigh", c.CiHigh);
        put(row + "vif", c.Vif);
    }
    for (const TObservationDiagnostics& o : s.Observations) {
        const std::string row =
            "observations." + std::to_string(o.Run) + "." + std::to_string(o.Repeat) + ".";
        put(row + "residual", o.Residual), put(row + "leverage", o.Leverage);
        put(row + "externallyStudentized", o.ExternallyStudentized);
        put(row + "cooksDistance", o.CooksDistance);
    }
    if (const auto& c = s.Canonical) {
        for (std::size_t i = 0; i < c->StationaryCoded.size(); ++i) {
            const std::string at = "." + std::to_string(i);
            put("canonical.stationaryCoded" + at, c->StationaryCoded[i]);
            put("canonical.stationaryNatural" + at, c->StationaryNatural[i]);
            put("canonical.eigenvalues" + at, c->Eigenvalues[i]);
            for (std::size_t j = 0; j < c->Eigenvectors[i].size(); ++j)
                put("canonical.eigenvectors" + at + "." + std::to_string(j), c->Eigenvectors[i][j]);
        }
        put("canonical.predicted", c->Predicted);
    }
    return f;
}

TEST(HelpExample, EveryMarkedFigureIsTheStatisticsOfTheBundledPlan) {
    TSettings& settings = Settings();
    settings.SetDefaults();
    settings.CBCohrenResultsShow = settings.CBStudentResultsShow = false;
    settings.CBFisherResultsShow = false;
    TScriptedHost host;
    host.ModelChangeAnswers.push_back(TModelChange::ZeroInsignificant);
    TRaruRuro plan(host);
    TFileStream stream(Source + "/examples/ccr2-strength.mpl");
    ASSERT_TRUE(ReadPlan(stream, plan));
    ASSERT_TRUE(plan.RunAnalysis());
    settings.SetDefaults();
    std::string error;
    const auto statistics = ComputeStatistics(plan, {}, error);
    ASSERT_TRUE(statistics) << error;
    ASSERT_TRUE(statistics->Canonical);
    const auto figures = Figures(*statistics);

    const std::string page = ReadText(Source + "/help/3300.html");
    const std::regex marked("<span class=\"figure\" data-figure=\"([^\"]+)\">([^<]*)</span>");
    const std::string below = "&lt; ";
    int count = 0;
    for (std::sregex_iterator it(page.begin(), page.end(), marked), end; it != end; ++it, ++count) {
        const std::string key = (*it)[1], text = (*it)[2];
        SCOPED_TRACE(key + " = " + text);
        if (key == "canonical.kind") {
            EXPECT_EQ(text, CanonicalKindName(statistics->Canonical->Kind));
            continue;
        }
        const auto found = figures.find(key);
        ASSERT_NE(found, figures.end());
        const double value = found->second;
        if (text.starts_with(below)) {
            EXPECT_LT(value, PageNumber(text.substr(below.size())));
            continue;
        }
        // Six significant digits: within half a unit of the sixth (a tie may
        // round either way, as the last bit of the computation falls).
        const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 5);
        EXPECT_LE(std::fabs(PageNumber(text) - value), 0.5 * unit * (1 + 1e-9)) << value;
    }
    EXPECT_GE(count, 40);
    EXPECT_NE(ReadText(Source + "/help/index.html").find("href=\"3300.html\""), std::string::npos);
}

} // namespace
