// The statistical analysis against statsmodels (tests/data/analysis), and
// what the person sees of it: the questions, the messages, the result forms
// and the verdicts on the critical values themselves.

#include "plan/DistrDis.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "FakeMath.h"
#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

const std::string CannotAnalyse = "Анализ адекватности модели невозможен:\n";
const std::string NeedCheckPoint = "\nДля анализа адекватности требуется контрольная точка.";

// One block of reference.txt: a design, its observations and the results.
struct TReference {
    std::string Name, Choice;
    int Kind = 0, K = 0, M = 0;
    TRows X, Y;
    std::vector<double> CheckX, CheckY;
    std::vector<bool> Significant;
    std::vector<double> B;
    std::map<int, double> Sb;
    std::map<std::string, double> Scalars; // G, s2, F, h, t
};

template <class T> T& At(std::vector<T>& v, std::size_t i) {
    if (v.size() <= i)
        v.resize(i + 1);
    return v[i];
}

std::vector<TReference> ReadReferences() {
    std::ifstream in(ORVAN_TEST_DATA "/analysis/reference.txt");
    std::vector<TReference> cases;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key.empty() || key[0] == '#' || key == "end")
            continue;
        if (key == "case") {
            TReference& c = cases.emplace_back();
            words >> c.Name >> c.Kind >> c.K >> c.M >> c.Choice;
            continue;
        }
        TReference& c = cases.back();
        std::size_t i = 0, j = 0;
        double v = 0.0;
        if (key == "x" || key == "y") {
            words >> i >> j >> v;
            At(At(key == "x" ? c.X : c.Y, i), j) = v;
        } else if (key == "cpx" || key == "cpy" || key == "b" || key == "sig" || key == "sb") {
            words >> i >> v;
            if (key == "sig")
                c.Significant.push_back(v != 0.0);
            else if (key == "sb")
                c.Sb[static_cast<int>(i)] = v;
            else
                At(key == "b" ? c.B : key == "cpx" ? c.CheckX : c.CheckY, i) = v;
        } else {
            words >> v;
            c.Scalars[key] = v;
        }
    }
    return cases;
}

void ExpectClose(double actual, double expected, const char* what) {
    if (expected == 0.0)
        EXPECT_EQ(actual, 0.0) << what;
    else
        EXPECT_NEAR(actual, expected, 1e-9 * std::fabs(expected)) << what;
}

std::string Coefficient(const std::string& label, double b) {
    char text[64];
    std::snprintf(text, sizeof text, "%5.5g", b);
    return label + "=" + text;
}

void SetCheckPoint(TRaruRuro& plan, const std::vector<double>& x, const std::vector<double>& y) {
    plan.CheckPoint.Create(static_cast<std::int32_t>(x.size()));
    for (std::size_t j = 0; j < x.size(); ++j)
        plan.CheckPoint.Set(static_cast<std::int32_t>(j), x[j]);
    plan.CheckY.Create(static_cast<std::int32_t>(y.size()));
    for (std::size_t j = 0; j < y.size(); ++j)
        plan.CheckY.Set(static_cast<std::int32_t>(j), y[j]);
    plan.CheckRepeatCount = plan.CheckY.Size();
    plan.HasCheckPoint = plan.HasCheckY = true;
}

const TResultForm* FormOf(const TScriptedHost& host, TResultFormKind kind) {
    for (const auto& form : host.ResultForms)
        if (form.Kind == kind)
            return &form;
    return nullptr;
}

void AllFormsOff() {
    TSettings& s = Settings();
    s.CBCohrenResultsShow = s.CBStudentResultsShow = s.CBFisherResultsShow = false;
    s.CBCohrenActivateReport = s.CBStudentActivateReport = s.CBFisherActivateReport = false;
}

// 2^2 in standard order.
const TRows Square{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

class AnalysisTest : public ::testing::Test {
protected:
    void SetUp() override { Settings().CBAlsoCreateY = false; }
    void TearDown() override { Settings().SetDefaults(); }

    void BuildBuiltin(TScriptedHost& h, TRaruRuro& p, int kind, int k) {
        h.QueueBuiltinPlan(kind, k);
        ASSERT_TRUE(p.NewPlan());
        h.ClearRecords();
    }
    // A non-standard plan with the terms 1, x1, x2, x1*x2 (or `addens`)
    // over the coded rows `x`.
    void BuildGeneral(TScriptedHost& h, TRaruRuro& p, const TRows& x,
                      std::vector<const TAdden*> addens = {}) {
        TNewPlanAnswers answers;
        answers.Source = TPlanSource::NonStandard;
        answers.FactorCount = static_cast<std::int32_t>(x[0].size());
        answers.RunCount = static_cast<std::int32_t>(x.size());
        answers.Addens =
            addens.empty() ? std::vector<const TAdden*>{&one, &x1, &x2, &x1x2} : addens;
        h.WizardAnswers.push_back(answers);
        ASSERT_TRUE(p.NewPlan());
        for (std::size_t i = 0; i < x.size(); ++i)
            for (std::size_t j = 0; j < x[i].size(); ++j)
                p.CodeMatrix.Set(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j),
                                 x[i][j]);
        h.ClearRecords();
    }

    TFakeAdden one{"1", 0, [](const double*) { return 1.0; }};
    TFakeAdden x1{"x1", 1, [](const double* x) { return x[0]; }};
    TFakeAdden x2{"x2", 2, [](const double* x) { return x[1]; }};
    TFakeAdden x1x2{"x1x2", 2, [](const double* x) { return x[0] * x[1]; }};
    TScriptedHost host;
    TRaruRuro plan{host};
};

TEST_F(AnalysisTest, FullAnalysisAgreesWithStatsmodels) {
    const auto cases = ReadReferences();
    ASSERT_EQ(cases.size(), 7u) << "tests/data/analysis/reference.txt";
    const std::map<std::string, std::vector<std::string>> labels{
        {"ffe3", {"B0", "B1", "B2", "B3"}},
        {"ccr3", {"B0", "B1", "B2", "B3", "B12", "B13", "B23", "B11", "B22", "B33"}},
        {"cco2", {"B0", "B1", "B2", "B12", "B11", "B22"}},
        {"refit", {"B0", "B1", "B2", "B12", "B11", "B22"}},
        {"saturated", {"b1", "bx1", "bx2", "bx1x2"}},
    };
    const std::map<std::string, TModelChange> choices{
        {"ignore", TModelChange::Ignore},
        {"zero", TModelChange::ZeroInsignificant},
        {"recompute", TModelChange::RecomputeSignificant}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name + ", " + c.Choice);
        TScriptedHost h;
        TRaruRuro p(h);
        if (c.Kind == PlanGeneral) {
            BuildGeneral(h, p, c.X);
        } else {
            BuildBuiltin(h, p, c.Kind, c.K);
            ASSERT_EQ(p.CodeMatrix.RowCount(), static_cast<std::int32_t>(c.X.size()));
            for (std::size_t i = 0; i < c.X.size(); ++i)
                for (std::size_t j = 0; j < c.X[i].size(); ++j)
                    ASSERT_NEAR(p.CodeMatrix.Get(static_cast<std::int32_t>(i),
                                                 static_cast<std::int32_t>(j)),
                                c.X[i][j], 1e-15);
        }
        SetObservations(p, c.Y);
        if (!c.CheckX.empty())
            SetCheckPoint(p, c.CheckX, c.CheckY);
        if (c.Choice != "none")
            h.ModelChangeAnswers.push_back(choices.at(c.Choice));

        ASSERT_TRUE(p.RunAnalysis());
        EXPECT_EQ(p.StatusText, "Проведен полный анализ.");
        EXPECT_EQ(h.ModelChangeRequests.size(), c.Choice == "none" ? 0u : 1u);
        ExpectClose(p.CochranG, c.Scalars.at("G"), "G");
        ExpectClose(p.ReproVariance, c.Scalars.at("s2"), "reproducibility variance");
        ASSERT_NE(FormOf(h, TResultFormKind::Cochran), nullptr);
        ExpectClose(FormOf(h, TResultFormKind::Cochran)->Measure, std::sqrt(c.Scalars.at("s2")),
                    "experimental error");

        EXPECT_EQ(p.Significance, c.Significant);
        ASSERT_EQ(p.BVector.Size(), static_cast<std::int32_t>(c.B.size()));
        const auto& names = labels.at(c.Name);
        for (std::size_t i = 0; i < c.B.size(); ++i) {
            ExpectClose(p.BVector.Get(static_cast<std::int32_t>(i)), c.B[i], "b");
            EXPECT_EQ(p.EquationLines.at(i),
                      Coefficient(names[i], p.BVector.Get(static_cast<std::int32_t>(i))));
        }
        // s_b = sqrt(s^2 C_ii / m) with the plan's own C, which holds the
        // significant terms only after a refit.
        ASSERT_EQ(p.InvInfoMatrix.RowCount(), static_cast<std::int32_t>(c.Sb.size()));
        std::int32_t row = 0;
        for (const auto& [term, sb] : c.Sb) {
            SCOPED_TRACE(testing::Message() << "term " << term);
            ExpectClose(std::sqrt(p.ReproVariance * p.InvInfoMatrix.Get(row, row) / c.M), sb,
                        "s_b");
            ++row;
        }

        ASSERT_EQ(p.HasFisher, c.Scalars.count("F") == 1);
        if (p.HasFisher) {
            ExpectClose(p.FisherF, c.Scalars.at("F"), "F");
            ASSERT_NE(FormOf(h, TResultFormKind::Fisher), nullptr);
            ExpectClose(FormOf(h, TResultFormKind::Fisher)->Computed, c.Scalars.at("F"), "F form");
        }
        ASSERT_EQ(p.HasCheckT, c.Scalars.count("t") == 1);
        if (p.HasCheckT) {
            ExpectClose(p.CheckVarianceFactor, c.Scalars.at("h"), "h");
            ExpectClose(p.CheckT, c.Scalars.at("t"), "t");
            ASSERT_NE(FormOf(h, TResultFormKind::CheckPoint), nullptr);
            ExpectClose(FormOf(h, TResultFormKind::CheckPoint)->Measure, c.Scalars.at("h"),
                        "prediction variance");
        }
    }
}

TEST_F(AnalysisTest, IdenticalRepeatsHaveNoErrorVariance) {
    BuildBuiltin(host, plan, PlanFFE, 2);
    // Means 1, 3, 2, 2: b = (2, 0.5, 0) and an interaction the plane misses.
    SetObservations(plan, {{1, 1}, {3, 3}, {2, 2}, {2, 2}});
    ASSERT_TRUE(plan.RunAnalysis());
    EXPECT_EQ(plan.CochranG, 0.0);
    EXPECT_EQ(plan.ReproVariance, 0.0);
    ASSERT_NE(FormOf(host, TResultFormKind::Cochran), nullptr);
    EXPECT_EQ(FormOf(host, TResultFormKind::Cochran)->Verdict, "Однородны.");
    // Every s_b is 0; even b2 = 0 meets t * s_b = 0 only with equality, which
    // keeps it significant.
    EXPECT_EQ(plan.BVector.Get(2), 0.0);
    EXPECT_EQ(plan.SignificantCount, 3);
    EXPECT_TRUE(host.ModelChangeRequests.empty());
    EXPECT_EQ(plan.FisherF, 1e308);
    ASSERT_NE(FormOf(host, TResultFormKind::Fisher), nullptr);
    EXPECT_EQ(FormOf(host, TResultFormKind::Fisher)->Verdict, "Неадекватна системе.");
}

// Moves x one unit in the last place at a time to where the plan's statistic
// crosses its critical value (`difference` is statistic - critical, and falls
// as x grows), then looks around the crossing for an x that gives the
// critical value exactly.
template <class TFn> bool HitCriticalValue(double& x, TFn difference) {
    const double up = HUGE_VAL;
    for (int step = 0; step < 100000 && difference(x) > 0.0; ++step)
        x = std::nextafter(x, up);
    for (int step = 0; step < 100000 && difference(x) < 0.0; ++step)
        x = std::nextafter(x, -up);
    const double crossing = x;
    for (int step = 0; step < 400; ++step) {
        x = std::nextafter(crossing, step % 2 ? up : -up);
        for (int away = 0; away < step / 2; ++away)
            x = std::nextafter(x, step % 2 ? up : -up);
        if (difference(x) == 0.0)
            return true;
    }
    return false;
}

// A statistic equal to its critical value accepts the hypothesis.
TEST_F(AnalysisTest, CochranGOnItsCriticalValueIsHomogeneous) {
    // Two runs of two repeats with variances v1 = (1.5 - a)^2 / 2 just below
    // 1 and v2 = 0.0548^2 / 2, so that v1 + v2 lies just above 1: G = v1 /
    // (v1 + v2) then moves by less than a unit in its last place when a does,
    // and some a gives the table value exactly.
    BuildGeneral(host, plan, {{-1}, {1}}, {&one, &x1});
    const double g = CochranQuantile(2, 1);
    const double v2 = 0.0548 * 0.0548 / 2;
    double a = 1.5 - std::sqrt(2 * g * v2 / (1 - g));
    AllFormsOff();
    ASSERT_TRUE(HitCriticalValue(a,
                                 [&](double candidate) {
                                     SetObservations(plan, {{candidate, 1.5}, {0, 0.0548}});
                                     EXPECT_TRUE(plan.CheckHomogeneity());
                                     return plan.CochranG - plan.CochranGCrit;
                                 }))
        << "no observations give G = " << g;
    SetObservations(plan, {{a, 1.5}, {0, 0.0548}});
    Settings().CBCohrenResultsShow = true;
    host.ClearRecords();
    ASSERT_TRUE(plan.CheckHomogeneity());
    ASSERT_EQ(host.ResultForms.size(), 1u);
    EXPECT_EQ(host.ResultForms[0].Computed, host.ResultForms[0].Table);
    EXPECT_EQ(host.ResultForms[0].Verdict, "Однородны.");
}

TEST_F(AnalysisTest, FisherFOnItsCriticalValueIsAdequate) {
    // 1 + 1.5 x1 - 2.5 x2 with an interaction of 0.25 that the plane cannot
    // follow: the adequacy variance is 2 * 4 * 0.25^2 = 0.5, and F = 7.7
    // (f1 = 1, f2 = 4) needs an error variance near 0.5 / 7.7, which the
    // spread 2d of the last run sets.
    BuildBuiltin(host, plan, PlanFFE, 2);
    AllFormsOff();
    const double d = std::sqrt((4 * 0.5 / 7.7 - 3 * 0.045) / 2);
    double e = 0.25 + d;
    auto observations = [&](double last) {
        SetObservations(plan, {{2.1, 2.4}, {4.6, 4.9}, {-3.4, -3.1}, {0.25 - d, last}});
    };
    ASSERT_TRUE(HitCriticalValue(e,
                                 [&](double candidate) {
                                     observations(candidate);
                                     EXPECT_TRUE(plan.RunAnalysis());
                                     return plan.FisherF - plan.FisherFCrit;
                                 }))
        << "no observations give F = " << FisherQuantile(4, 1);
    observations(e);
    Settings().CBFisherResultsShow = true;
    host.ClearRecords();
    ASSERT_TRUE(plan.RunAnalysis());
    EXPECT_TRUE(host.ModelChangeRequests.empty());
    const TResultForm* form = FormOf(host, TResultFormKind::Fisher);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Computed, form->Table);
    EXPECT_EQ(form->Verdict, "Адекватна системе.");
}

// With as many runs as fitted terms the adequacy needs a check point.
TEST_F(AnalysisTest, PlansWithoutSpareRunsAskForACheckPoint) {
    using TBuild = std::function<void(TScriptedHost&, TRaruRuro&)>;
    const TBuild saturated = [&](TScriptedHost& h, TRaruRuro& p) {
        // The general plan 1, x1, x2, x1*x2 on 2^2 runs.
        BuildGeneral(h, p, Square);
        SetObservations(p, {{6.4, 6.6}, {9.4, 9.6}, {7.4, 7.6}, {16.4, 16.6}});
    };
    const TBuild cut = [&](TScriptedHost& h, TRaruRuro& p) {
        // A CCO plan of two factors cut down to six runs for its six terms.
        BuildBuiltin(h, p, PlanCCO, 2);
        const TRows kept{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}, {-1, 0}, {0, -1}};
        p.RunCount = 6;
        p.CodeMatrix.SetSize(6, 2);
        TRows y;
        for (std::size_t i = 0; i < kept.size(); ++i) {
            const double a = kept[i][0], b = kept[i][1];
            p.CodeMatrix.Set(static_cast<std::int32_t>(i), 0, a);
            p.CodeMatrix.Set(static_cast<std::int32_t>(i), 1, b);
            const double mean = 10 + 4 * a + 3 * b + 2 * a * b + 5 * a * a + 6 * b * b;
            y.push_back({mean - 0.01, mean + 0.01});
        }
        SetObservations(p, y);
    };
    const struct {
        const char* Case;
        TBuild Build;
        std::string Text;
    } cases[] = {
        {"general", saturated, "Используется насыщенный план эксперимента."},
        {"built-in", cut, "Модель не имеет степеней свободы."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        TScriptedHost h;
        TRaruRuro p(h);
        c.Build(h, p);
        EXPECT_FALSE(p.RunAnalysis());
        EXPECT_TRUE(p.HasBVector);
        EXPECT_EQ(h.MessageTexts(),
                  std::vector<std::string>{CannotAnalyse + c.Text + NeedCheckPoint});
        EXPECT_EQ(h.Messages.at(0).Kind, TMessageKind::Warning);
        EXPECT_EQ(h.CountRequests("check point"), 1u);
        EXPECT_FALSE(p.HasFisher);
        EXPECT_EQ(p.StatusText, "Операция не завершена.");
    }
}

TEST_F(AnalysisTest, AdequacyAsksForWhatIsMissing) {
    const std::string means =
        "Вектор средних значений наблюдений\nне определен. Вычислить его сейчас - ?";
    const std::string coefficients = "Коэффициенты модели не известны\nОпределить их сейчас - ?";
    const std::string aborted = CannotAnalyse + "Операция прервана пользователем.";
    struct {
        std::vector<TAnswer> Answers;
        std::vector<std::string> Questions;
        std::vector<std::string> Messages;
        bool Done;
    } const cases[] = {
        {{TAnswer::No}, {means}, {aborted}, false},
        {{TAnswer::Cancel}, {means}, {}, false},
        {{TAnswer::Yes, TAnswer::No}, {means, coefficients}, {aborted}, false},
        {{TAnswer::Yes, TAnswer::Cancel}, {means, coefficients}, {}, false},
        {{TAnswer::Yes, TAnswer::Yes}, {means, coefficients}, {}, true},
    };
    AllFormsOff();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Questions.size() << " questions, done " << c.Done);
        TScriptedHost h;
        TRaruRuro p(h);
        BuildBuiltin(h, p, PlanFFE, 2);
        SetObservations(p, {{2.9, 3.1}, {6.9, 7.1}, {8.9, 9.1}, {12.9, 13.1}});
        h.Answers.assign(c.Answers.begin(), c.Answers.end());
        EXPECT_EQ(p.CheckAdequacy(), c.Done);
        EXPECT_EQ(h.Questions, c.Questions);
        EXPECT_EQ(h.MessageTexts(), c.Messages);
        EXPECT_EQ(p.HasFisher, c.Done);
        EXPECT_EQ(p.StatusText, c.Done ? "Проведен полный анализ." : "Операция не завершена.");
    }
}

TEST_F(AnalysisTest, AveragesDialogShowsTheRunMeans) {
    BuildBuiltin(host, plan, PlanFFE, 2);
    EXPECT_FALSE(plan.ComputeAverages());
    EXPECT_EQ(plan.StatusText, "Операция не завершена.");
    EXPECT_TRUE(host.AveragesShown.empty());

    SetObservations(plan, {{1, 2, 6}, {0, 0, 0}, {-1, -2, 0}, {0.5, 0.25, 0.75}});
    EXPECT_TRUE(plan.ComputeAverages());
    EXPECT_EQ(host.AveragesShown, (std::vector<std::vector<double>>{{3, 0, -1, 0.5}}));
    EXPECT_TRUE(plan.HasYMean);
    EXPECT_FALSE(plan.HasReproVariance);
    EXPECT_EQ(plan.StatusText, "");
}

// Each form starts from its pair of options and writes the person's choice
// back; "Обновить и показать отчет" brings the report forward.
TEST_F(AnalysisTest, ResultFormsWriteTheirCheckBoxesBack) {
    using TStep = bool (TRaruRuro::*)();
    struct {
        TResultFormKind Kind;
        TStep Step;
        bool TSettings::*Show;
        bool TSettings::*Activate;
    } const cases[] = {
        {TResultFormKind::Cochran, &TRaruRuro::CheckHomogeneity, &TSettings::CBCohrenResultsShow,
         &TSettings::CBCohrenActivateReport},
        {TResultFormKind::Student, &TRaruRuro::EstimateRegression, &TSettings::CBStudentResultsShow,
         &TSettings::CBStudentActivateReport},
        {TResultFormKind::Fisher, &TRaruRuro::CheckAdequacy, &TSettings::CBFisherResultsShow,
         &TSettings::CBFisherActivateReport},
    };
    BuildBuiltin(host, plan, PlanFFE, 2);
    SetObservations(plan, {{2.9, 3.1}, {6.9, 7.1}, {8.9, 9.1}, {12.9, 13.1}});
    for (const auto& c : cases) {
        AllFormsOff();
        Settings().*c.Show = true;
        host.ClearRecords();
        host.ResultFormChoices.push_back({false, true});
        ASSERT_TRUE((plan.*c.Step)());
        ASSERT_EQ(host.ResultForms.size(), 1u);
        EXPECT_EQ(host.ResultForms[0].Kind, c.Kind);
        EXPECT_TRUE(host.ResultForms[0].ShowAlways);
        EXPECT_FALSE(host.ResultForms[0].ActivateReport);
        EXPECT_FALSE(Settings().*c.Show);
        EXPECT_TRUE(Settings().*c.Activate);
        EXPECT_EQ(host.CountRequests("show report"), 1u);

        // Switched off, the form stays away; the report still comes.
        host.ClearRecords();
        ASSERT_TRUE((plan.*c.Step)());
        EXPECT_TRUE(host.ResultForms.empty());
        EXPECT_EQ(host.CountRequests("show report"), 1u);
    }
}

} // namespace
