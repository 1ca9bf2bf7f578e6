// The evaluation of a design for its model against R (tests/data/design/
// evaluation.ref, made by reference.R there), and the alias structure of the
// standard module's fractions as the batch tool reports it.

#include "design/Evaluation.h"
#include "BatchOutput.h"
#include "design/Aliases.h"

#include "../stats/ReferenceFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace {

TModelBasis Basis(const std::string& name) {
    if (name == "linear3")
        return {3, 4, [](const double* x, double* f) {
                    f[0] = 1.0, f[1] = x[0], f[2] = x[1], f[3] = x[2];
                }};
    if (name == "quadratic2")
        return {2, 6, [](const double* x, double* f) {
                    f[0] = 1.0, f[1] = x[0], f[2] = x[1], f[3] = x[0] * x[1];
                    f[4] = x[0] * x[0], f[5] = x[1] * x[1];
                }};
    if (name == "cubic2")
        return {2, 5, [](const double* x, double* f) {
                    f[0] = 1.0, f[1] = x[0], f[2] = x[1], f[3] = x[0] * x[0];
                    f[4] = x[0] * x[0] * x[0];
                }};
    return {3, 6, [](const double* x, double* f) {
                f[0] = x[0], f[1] = x[1], f[2] = x[2];
                f[3] = x[0] * x[1], f[4] = x[0] * x[2], f[5] = x[1] * x[2];
            }};
}

struct TReferenceCase {
    TWordsLine Head;
    std::vector<std::vector<double>> Runs;
    std::map<std::string, std::vector<double>> Figures;
};

std::vector<TReferenceCase> ReadCases() {
    std::vector<TReferenceCase> cases;
    for (const TWordsLine& line :
         ReadReference(std::string(ORVAN_TEST_DATA) + "/design/evaluation.ref")) {
        if (line[0] == "case") {
            cases.push_back({line, {}, {}});
            continue;
        }
        std::vector<double> values;
        for (std::size_t i = 1; i < line.size(); ++i)
            values.push_back(Figure(line[i]));
        if (line[0] == "run")
            cases.back().Runs.push_back(values);
        else
            cases.back().Figures[line[0]] = values;
    }
    return cases;
}

void ExpectClose(const std::vector<double>& got, const std::vector<double>& expected,
                 double tolerance, const std::string& what) {
    ASSERT_EQ(got.size(), expected.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], expected[i], tolerance * std::max(1.0, std::fabs(expected[i])))
            << what << " " << i;
}

using test::BatchOutput;

using TWords = std::vector<std::vector<std::int32_t>>;

TWords Sorted(TWords words) {
    std::sort(words.begin(), words.end());
    return words;
}

} // namespace

TEST(EvaluationTest, AgreesWithR) {
    const std::vector<TReferenceCase> cases = ReadCases();
    ASSERT_EQ(cases.size(), 5U);
    for (const TReferenceCase& c : cases) {
        SCOPED_TRACE(c.Head[1]);
        const TModelBasis basis = Basis(c.Head[2]);
        TMatrix design(static_cast<std::int32_t>(c.Runs.size()), basis.FactorCount);
        for (std::size_t i = 0; i < c.Runs.size(); ++i)
            std::copy(c.Runs[i].begin(), c.Runs[i].end(), design.Row(static_cast<std::int32_t>(i)));
        TEvaluationOptions options;
        options.Repeats = std::stoi(c.Head[4]);
        options.Alpha = Figure(c.Head[5]);
        options.Delta = Figure(c.Head[6]);
        const auto e = EvaluateDesign(design, basis, options);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->Region == TDesignRegion::Simplex, c.Head[3] == "simplex");
        std::vector<double> vif;
        for (const auto& v : e->Vif)
            vif.push_back(v.value_or(std::nan("")));
        const auto& r = c.Figures.at("vif");
        for (std::size_t j = 0; j < r.size(); ++j)
            EXPECT_EQ(std::isnan(vif[j]), std::isnan(r[j])) << "constant " << j;
        std::replace_if(
            vif.begin(), vif.end(), [](double v) { return std::isnan(v); }, 0.0);
        std::vector<double> rVif = r;
        std::replace_if(
            rVif.begin(), rVif.end(), [](double v) { return std::isnan(v); }, 0.0);
        ExpectClose(vif, rVif, 1e-9, "vif");
        ExpectClose(e->RelativeStdErrors, c.Figures.at("rse"), 1e-9, "rse");
        ExpectClose(e->Leverage, c.Figures.at("leverage"), 1e-9, "leverage");
        ExpectClose({e->DEfficiency, e->AEfficiency, e->GEfficiency}, c.Figures.at("efficiency"),
                    1e-9, "efficiency");
        // The maximum is found by a search on both sides: the same peak.
        ExpectClose({e->SpvCentre, e->SpvMax}, c.Figures.at("spv"), 1e-6, "spv");
        const std::vector<double>& power = c.Figures.at("power");
        EXPECT_EQ(e->PowerDf, static_cast<std::int32_t>(power[0]));
        ExpectClose(e->Power, {power.begin() + 1, power.end()}, 1e-8, "power");
        // 2000 random points against 10^5: each share's value lies between
        // R's values at the shares 0.05 below and above it (3.5 standard
        // errors of a sample share at the median).
        if (const auto fds = c.Figures.find("fds"); fds != c.Figures.end()) {
            const std::vector<double>& q = fds->second;
            ASSERT_EQ(e->Fds.size(), q.size() + 2);
            for (std::size_t s = 1; s <= q.size(); ++s) {
                EXPECT_GE(e->Fds[s].Spv, s > 1 ? q[s - 2] : 0.0) << "fds " << s;
                EXPECT_LE(e->Fds[s].Spv, s < q.size() ? q[s] : e->SpvMax) << "fds " << s;
            }
            EXPECT_LE(e->Fds.back().Spv, e->SpvMax);
        }
    }
}

// The textbook fractions: 2^(3-1) with x3 = x1x2, 2^(4-1) with x4 = x1x2x3,
// 2^(5-1) with x5 = x1x2x3x4 and 2^(7-4) with x4 = x1x2, x5 = x1x3,
// x6 = x2x3, x7 = x1x2x3, whose sixteen words are the generators' products.
TEST(AliasStructureTest, FractionsOfTheStandardModule) {
    const struct {
        const char* Generator;
        TWords Words;
        std::optional<std::int32_t> Resolution;
        TWords FirstChainPairs; // x1's two-factor aliases
    } cases[] = {
        {"Дробный факторный эксперимент 2^(3-1)", {{1, 2, 3}}, 3, {{2, 3}}},
        {"Дробный факторный эксперимент 2^(4-1)", {{1, 2, 3, 4}}, 4, {}},
        {"Дробный факторный эксперимент 2^(5-1)", {{1, 2, 3, 4, 5}}, 5, {}},
        {"Дробный факторный эксперимент 2^(7-4)",
         {{1, 2, 4},
          {1, 3, 5},
          {2, 3, 6},
          {3, 4, 7},
          {2, 5, 7},
          {1, 6, 7},
          {4, 5, 6},
          {1, 2, 3, 7},
          {1, 2, 5, 6},
          {1, 3, 4, 6},
          {1, 4, 5, 7},
          {2, 3, 4, 5},
          {2, 4, 6, 7},
          {3, 5, 6, 7},
          {1, 2, 3, 4, 5, 6, 7}},
         3,
         {{2, 4}, {3, 5}, {6, 7}}},
        {"Полный факторный эксперимент 2^3", {}, std::nullopt, {}},
    };
    const TTempFolder folder("orvan-design");
    const std::string plan = folder.File("plan.mpl");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Generator);
        BatchOutput("new --generator '" + std::string(c.Generator) + "' --repeats 1 -o '" + plan +
                    "' >/dev/null 2>&1");
        const auto json = nlohmann::json::parse(BatchOutput("evaluate --json '" + plan + "'"));
        EXPECT_NEAR(json["dEfficiency"].get<double>(), 100.0, 1e-9);
        EXPECT_TRUE(json["vif"][0].is_null());
        const auto& alias = json["alias"];
        EXPECT_EQ(Sorted(alias["definingWords"].get<TWords>()), Sorted(c.Words));
        EXPECT_EQ(alias["resolution"].is_null() ? std::nullopt
                                                : std::optional(alias["resolution"].get<int>()),
                  c.Resolution);
        TWords pairs;
        for (const auto& a : alias["chains"][0]["aliases"])
            if (a["effect"].size() == 2)
                pairs.push_back(a["effect"].get<std::vector<std::int32_t>>());
        EXPECT_EQ(pairs, c.FirstChainPairs);
    }
    BatchOutput(
        "new --generator 'План Плакетта - Бермана, 11 факторов, 12 опытов' --repeats 1 -o '" +
        plan + "' >/dev/null 2>&1");
    EXPECT_TRUE(
        nlohmann::json::parse(BatchOutput("evaluate --json '" + plan + "'"))["alias"].is_null());
}

// x3 = -x1x2 gives I = -x1x2x3 and x1 = -x2x3; runs at the centre change
// nothing.
TEST(AliasStructureTest, SignsAndCentreRuns) {
    const double runs[][3] = {{-1, -1, -1}, {1, -1, 1}, {-1, 1, 1}, {1, 1, -1}, {0, 0, 0}};
    TMatrix design(5, 3);
    for (std::int32_t i = 0; i < 5; ++i)
        std::copy(runs[i], runs[i] + 3, design.Row(i));
    const auto aliases = AliasStructure(design);
    ASSERT_TRUE(aliases);
    ASSERT_EQ(aliases->DefiningWords.size(), 1U);
    EXPECT_EQ(EffectText(aliases->DefiningWords[0]), "-x1·x2·x3");
    ASSERT_EQ(aliases->Chains[0].Aliases.size(), 1U);
    EXPECT_EQ(EffectText(aliases->Chains[0].Aliases[0]), "-x2·x3");
}
