// The statistics of plans analysed the way the program analyses them, every
// figure against R (tests/data/statistics/*.ref, made by reference.R): the
// analysis of variance, the fit, the coefficients, each observation's
// diagnostics, the canonical analysis, the path of steepest ascent and
// Lenth's method.

#include "stats/ModelStatistics.h"
#include "distributions/Distributions.h"
#include "numeric/Cp1251.h"
#include "numeric/FileStream.h"
#include "numeric/MemoryStream.h"
#include "plan/DistrDis.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"
#include "stats/StatisticsReport.h"

#include "QuietAnalysis.h"
#include "ReferenceFile.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string Folder = std::string(ORVAN_TEST_DATA) + "/statistics/";

// The figures of one line from word `first` on against `got`.
void ExpectFigures(const TWordsLine& w, std::size_t first, const std::vector<double>& got,
                   std::size_t probability = 99) {
    ASSERT_EQ(w.size() - first, got.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(Agrees(got[i], Figure(w[first + i]), i == probability))
            << "word " << first + i << ": " << got[i] << " vs " << w[first + i];
}

double Or(const std::optional<double>& v) {
    return v ? *v : std::nan("");
}

class ModelStatisticsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Registry.LoadModule(std::string(ORVAN_MODELS_DIR) + "/standard.so"));
        test::SilenceResultForms();
    }
    void TearDown() override { Settings().SetDefaults(); }

    TScriptedHost Host;
    TMessageHostScope Scope{Host};
    TMathDefinition Registry;
};

void Compare(const TModelStatistics& s, const std::vector<TWordsLine>& lines) {
    std::size_t anova = 0, coef = 0, obs = 0, eigen = 0, steep = 0, effect = 0;
    for (const TWordsLine& w : lines) {
        SCOPED_TRACE(w[0] + " " + (w.size() > 1 ? w[1] : ""));
        const std::string& key = w[0];
        if (key == "anova") {
            ASSERT_LT(anova, s.Anova.size());
            const TAnovaRow& r = s.Anova[anova++];
            EXPECT_TRUE(r.Source == w[1]) << r.Source;
            ExpectFigures(w, 2, {double(r.Df), r.SS, Or(r.MS), Or(r.F), Or(r.P)}, 4);
        } else if (key == "fit") {
            const TFitSummary& f = s.Fit;
            const std::vector<std::pair<const char*, double>> fields = {
                {"rSquared", f.RSquared},         {"adjRSquared", f.AdjRSquared},
                {"predRSquared", f.PredRSquared}, {"press", f.Press},
                {"rootMse", f.RootMse},           {"mean", f.Mean},
                {"cvPercent", f.CvPercent}};
            for (const auto& [name, value] : fields) {
                if (w[1] == name)
                    ExpectFigures(w, 2, {value});
            }
        } else if (key == "coef") {
            ASSERT_LT(coef, s.Coefficients.size());
            const TCoefficientStatistics& c = s.Coefficients[coef++];
            EXPECT_TRUE(c.Name == w[1]) << c.Name;
            ExpectFigures(w, 2, {c.Value, c.StdError, c.T, c.P, c.CiLow, c.CiHigh, Or(c.Vif)}, 3);
        } else if (key == "obs") {
            ASSERT_LT(obs, s.Observations.size());
            const TObservationDiagnostics& o = s.Observations[obs++];
            ExpectFigures(w, 1,
                          {double(o.Run), double(o.Repeat), o.Actual, o.Predicted, o.Residual,
                           o.Leverage, o.Studentized, o.ExternallyStudentized, o.CooksDistance});
        } else if (key == "canonical" && w[1] == "none") {
            EXPECT_FALSE(s.Canonical);
        } else if (key == "canonical") {
            ASSERT_TRUE(s.Canonical);
            const TCanonicalAnalysis& c = *s.Canonical;
            if (w[1] == "stationaryCoded") {
                ExpectFigures(w, 2, c.StationaryCoded);
            } else if (w[1] == "stationaryNatural") {
                ExpectFigures(w, 2, c.StationaryNatural);
            } else if (w[1] == "predicted") {
                ExpectFigures(w, 2, {c.Predicted});
            } else if (w[1] == "eigenvalues") {
                ExpectFigures(w, 2, c.Eigenvalues);
            } else if (w[1] == "eigenvector") {
                ExpectFigures(w, 2, c.Eigenvectors.at(eigen++));
            } else if (w[1] == "kind") {
                EXPECT_EQ(c.Kind, w[2]);
            } else if (w[1] == "inside") {
                EXPECT_EQ(c.Inside, w[2] == "true");
            }
        } else if (key == "steepest" && w[1] == "none") {
            EXPECT_FALSE(s.SteepestAscent);
        } else if (key == "steepest") {
            ASSERT_TRUE(s.SteepestAscent);
            const TSteepestAscentPoint& p = s.SteepestAscent->at(steep++);
            std::vector<double> got{p.Radius};
            got.insert(got.end(), p.Coded.begin(), p.Coded.end());
            got.insert(got.end(), p.Natural.begin(), p.Natural.end());
            got.push_back(p.Predicted);
            ExpectFigures(w, 1, got);
        } else if (key == "lenth" && w[1] == "none") {
            EXPECT_FALSE(s.Lenth);
        } else if (key == "lenth") {
            ASSERT_TRUE(s.Lenth);
            if (w[1] == "effect") {
                const TLenthEffect& e = s.Lenth->Effects.at(effect++);
                EXPECT_TRUE(e.Name == w[2]) << e.Name;
                ExpectFigures(w, 3, {e.Effect, e.Active ? 1.0 : 0.0});
            } else {
                ExpectFigures(w, 2,
                              {w[1] == "pse"  ? s.Lenth->Pse
                               : w[1] == "me" ? s.Lenth->Me
                                              : s.Lenth->Sme});
            }
        }
    }
    EXPECT_EQ(anova, s.Anova.size());
    EXPECT_EQ(coef, s.Coefficients.size());
    EXPECT_EQ(obs, s.Observations.size());
}

TEST_F(ModelStatisticsTest, EveryFigureAgreesWithR) {
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".ref" || name == "quantiles.ref")
            continue;
        SCOPED_TRACE(name);
        ++files;
        const auto lines = ReadReference(entry.path().string());
        std::map<std::string, std::string> head;
        for (const TWordsLine& w : lines)
            if (w.size() == 2)
                head.emplace(w[0], w[1]);
        // The plan of the refit is orthogonal in the dropped terms, so zeroing
        // them leaves the same model: the refit's figures hold for both.
        std::vector<TModelChange> changes{TModelChange::Ignore};
        if (head["insignificant"] == "refit")
            changes = {TModelChange::RecomputeSignificant, TModelChange::ZeroInsignificant};
        for (const TModelChange change : changes) {
            SCOPED_TRACE(static_cast<int>(change));
            TScriptedHost host;
            TRaruRuro plan(host);
            plan.SetMathCatalog(&Registry);
            TFileStream stream(Folder + head["case"] + ".mpl");
            ASSERT_TRUE(ReadPlan(stream, plan));
            host.ModelChangeAnswers.push_back(change);
            ASSERT_TRUE(plan.RunAnalysis());
            TStatisticsOptions options;
            options.ErrorTerm = head["error"] == "pure" ? TErrorTerm::Pure : TErrorTerm::Residual;
            std::string error;
            const auto statistics = ComputeStatistics(plan, options, error);
            ASSERT_TRUE(statistics) << error;
            Compare(*statistics, lines);
        }
    }
    EXPECT_EQ(files, 12u);
}

} // namespace

namespace {

// With the option on, the plan's own tests compare with the distributions'
// values at the chosen level; without it, with the printed tables.
TEST_F(ModelStatisticsTest, ExactQuantilesDecideThePlansOwnTests) {
    for (const bool exact : {false, true}) {
        SCOPED_TRACE(exact);
        Settings().ExactQuantiles = exact;
        Settings().QuantileAlpha = 0.1;
        TScriptedHost host;
        TRaruRuro plan(host);
        TFileStream stream(Folder + "ccr2-m3.mpl");
        ASSERT_TRUE(ReadPlan(stream, plan));
        ASSERT_TRUE(plan.RunAnalysis());
        // N = 9 runs of m = 3, p = 6 terms.
        EXPECT_EQ(plan.CochranGCrit,
                  exact ? dist::CochranCritical(0.1, 9, 2) : CochranQuantile(9, 2));
        EXPECT_EQ(plan.FisherFCrit,
                  exact ? dist::FisherQuantile(0.9, 3, 18) : FisherQuantile(18, 3));
        EXPECT_TRUE(host.Messages.empty());
    }
}

} // namespace

namespace {

// Each statistics section of the report appears after the standard ones
// exactly when its option is on; with all of them off the report is byte
// for byte the one without them.
TEST_F(ModelStatisticsTest, ReportSectionsFollowTheirOptions) {
    TScriptedHost host;
    TRaruRuro plan(host);
    plan.Clock = [] { return std::time_t(0); };
    TFileStream stream(Folder + "ccr2-m3.mpl");
    ASSERT_TRUE(ReadPlan(stream, plan));
    host.ModelChangeAnswers.push_back(TModelChange::Ignore);
    ASSERT_TRUE(plan.RunAnalysis());
    const auto report = [&plan] {
        TMemoryStream bytes;
        plan.ComposeReport(bytes);
        return Cp1251ToUtf8(bytes.Bytes());
    };
    const std::string standard = report();
    InstallStatisticsReport();
    EXPECT_EQ(report(), standard);
    const struct {
        bool TSettings::*Option;
        const char* Expected;
    } cases[] = {
        {&TSettings::CBAnovaSection, "Дисперсионный анализ (ошибка: чистая ошибка): \nИсточник\t"},
        {&TSettings::CBAnovaSection, "\nМодель\t5\t481.82\t96.364\t812.31\t< 0.0001\t\n"},
        {&TSettings::CBFitSection, "Показатели качества модели: \nR-квадрат\t0.99557\t\n"},
        {&TSettings::CBIntervalsSection,
         "\nB1\t3.0003\t0.070306\t42.676\t< 0.0001\t2.8526\t3.1481\t1\t\n"},
        {&TSettings::CBCanonicalSection, "Вид поверхности: максимум\n"},
        {&TSettings::CBDiagnosticsSection, "\n9\t3\t79.77\t79.957\t-0.18667\t0.33333\t"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        Settings().*c.Option = true;
        const std::string text = report();
        Settings().*c.Option = false;
        EXPECT_EQ(text.substr(0, standard.size()), standard);
        EXPECT_NE(text.find(c.Expected, standard.size()), std::string::npos)
            << text.substr(standard.size());
    }
    SetReportSections(nullptr);
}

} // namespace
