// The plan's own state: factor count, reset and close, factor names, the
// units, and the observation matrix as the repeats dialog edits it.

#include "plan/RaruRuro.h"
#include "plan/Settings.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

using TFlag = bool TRaruRuro::*;

const TFlag AllFlags[] = {
    &TRaruRuro::HasFactorCount,
    &TRaruRuro::HasPlanKind,
    &TRaruRuro::HasRunCount,
    &TRaruRuro::HasStarArm,
    &TRaruRuro::HasCodeMatrix,
    &TRaruRuro::HasBaseLevels,
    &TRaruRuro::HasIntervals,
    &TRaruRuro::HasNaturalMatrix,
    &TRaruRuro::HasFactorNames,
    &TRaruRuro::HasRepeatCount,
    &TRaruRuro::HasYMatrix,
    &TRaruRuro::HasCheckPoint,
    &TRaruRuro::HasCheckY,
    &TRaruRuro::HasYMean,
    &TRaruRuro::HasYVariance,
    &TRaruRuro::HasYDeviation,
    &TRaruRuro::HasMaxRunVariance,
    &TRaruRuro::HasReproVariance,
    &TRaruRuro::HasCochran,
    &TRaruRuro::HasBasisMatrix,
    &TRaruRuro::HasInfoMatrix,
    &TRaruRuro::HasInvInfoMatrix,
    &TRaruRuro::HasBVector,
    &TRaruRuro::HasSignificance,
    &TRaruRuro::HasEquationLines,
    &TRaruRuro::HasResiduals2,
    &TRaruRuro::HasAdequacyVariance,
    &TRaruRuro::HasFisher,
    &TRaruRuro::HasCheckVarianceFactor,
    &TRaruRuro::HasCheckT,
    &TRaruRuro::HasExtremumPoint,
    &TRaruRuro::Modified,
};

const std::string RepeatsWarning =
    "Поле \"Количество повторений\" должно содержать\nчисло от 1 до 64.";

class PlanStateTest : public ::testing::Test {
protected:
    void TearDown() override { Settings().SetDefaults(); }

    // A full factorial plan of two factors (4 runs) with m repeats, each
    // observation 10 x run + repeat; no observations when m = 0.
    void BuildFactorial(int m) {
        Settings().CBAlsoCreateY = m > 0;
        host.QueueBuiltinPlan(PlanFFE, 2);
        if (m > 0)
            host.QueueRepeats(m, "Выход");
        ASSERT_TRUE(plan.NewPlan());
        for (std::int32_t i = 0; i < plan.YMatrix.RowCount(); ++i)
            for (std::int32_t j = 0; j < plan.YMatrix.ColCount(); ++j)
                plan.YMatrix.Set(i, j, 10.0 * (i + 1) + j + 1);
        host.ClearRecords();
    }

    TScriptedHost host;
    TRaruRuro plan{host};
};

TEST_F(PlanStateTest, OnlyAPositiveFactorCountIsStored) {
    EXPECT_TRUE(plan.SetFactorCount(1));
    EXPECT_EQ(plan.GetFactorCount(), 1);
    EXPECT_TRUE(plan.HasFactorCount);
    EXPECT_FALSE(plan.SetFactorCount(0));
    EXPECT_EQ(plan.GetFactorCount(), -1);
    EXPECT_FALSE(plan.HasFactorCount);
}

TEST_F(PlanStateTest, ResetClearsEveryFlagAndKeepsTheStorage) {
    BuildFactorial(2);
    for (TFlag flag : AllFlags)
        plan.*flag = true;
    plan.FileName = "опыт.mpl";
    plan.Reset();
    for (std::size_t i = 0; i < std::size(AllFlags); ++i)
        EXPECT_FALSE(plan.*AllFlags[i]) << "flag " << i;
    EXPECT_EQ(plan.FileName, "");
    EXPECT_EQ(plan.CodeMatrix.RowCount(), 4);
    EXPECT_EQ(plan.YMatrix.ColCount(), 2);
}

TEST_F(PlanStateTest, FreeDataClosesTheWindowsAndReleasesTheData) {
    BuildFactorial(2);
    ASSERT_EQ(host.OpenWindows.size(), 5u);
    host.ReportOpen = true;
    plan.YMean.Create(4);
    plan.BVector.Create(3);
    plan.ExtremumPoint.Create(2);
    plan.HasYMean = plan.HasBVector = plan.HasResiduals2 = plan.HasExtremumPoint = true;

    plan.FreeData();
    EXPECT_TRUE(host.OpenWindows.empty());
    EXPECT_FALSE(host.ReportOpen);
    for (const char* request : {"close CodeMatrix", "close NaturalMatrix", "close BaseLevels",
                                "close Intervals", "close Responses", "close report"})
        EXPECT_EQ(host.CountRequests(request), 1u) << request;
    for (TFlag flag :
         {&TRaruRuro::HasCodeMatrix, &TRaruRuro::HasNaturalMatrix, &TRaruRuro::HasBaseLevels,
          &TRaruRuro::HasIntervals, &TRaruRuro::HasYMatrix, &TRaruRuro::HasYMean,
          &TRaruRuro::HasBVector, &TRaruRuro::HasResiduals2, &TRaruRuro::HasExtremumPoint})
        EXPECT_FALSE(plan.*flag);
    EXPECT_EQ(plan.BaseLevels.Size(), 0);
    EXPECT_EQ(plan.Intervals.Size(), 0);
    EXPECT_EQ(plan.YMatrix.RowCount(), 0);
    EXPECT_EQ(plan.YMean.Size(), 0);
    EXPECT_EQ(plan.BVector.Size(), 0);
    EXPECT_EQ(plan.ExtremumPoint.Size(), 0);
}

TEST_F(PlanStateTest, DefaultFactorNamesReplaceTheOldOnes) {
    plan.FactorNames = {"Температура"};
    plan.SetFactorCount(3);
    plan.MakeDefaultFactorNames();
    EXPECT_TRUE(plan.HasFactorNames);
    EXPECT_EQ(plan.FactorNames,
              (std::vector<std::string>{"Фактор № 1", "Фактор № 2", "Фактор № 3"}));
    plan.SetFactorCount(12);
    plan.MakeDefaultFactorNames();
    ASSERT_EQ(plan.FactorNames.size(), 12u);
    EXPECT_EQ(plan.FactorNames[11], "Фактор № 12");
}

TEST_F(PlanStateTest, CodedAndNaturalUnits) {
    plan.SetFactorCount(3);
    plan.BaseLevels.Create(3);
    plan.Intervals.Create(3);
    const double base[] = {10.0, -2.0, 0.5};
    const double interval[] = {2.5, 0.0, 0.1};
    for (std::int32_t j = 0; j < 3; ++j) {
        plan.BaseLevels.Set(j, base[j]);
        plan.Intervals.Set(j, interval[j]);
    }
    const double x[] = {1.0, -1.0, 0.3};
    double z[3];
    plan.CodedToNatural(x, z);
    EXPECT_DOUBLE_EQ(z[0], 12.5);
    EXPECT_DOUBLE_EQ(z[1], -2.0);
    EXPECT_DOUBLE_EQ(z[2], 0.53);

    // An interval of 0 leaves the plain difference from the base level.
    const double natural[] = {12.5, 7.0, 0.53};
    double coded[3];
    plan.NaturalToCoded(natural, coded);
    EXPECT_DOUBLE_EQ(coded[0], 1.0);
    EXPECT_DOUBLE_EQ(coded[1], 9.0);
    EXPECT_NEAR(coded[2], 0.3, 1e-12);

    // Without a zero interval the two are inverse to each other.
    plan.Intervals.Set(1, -4.0);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    for (int trial = 0; trial < 50; ++trial) {
        double start[3] = {value(random), value(random), value(random)}, there[3], back[3];
        plan.CodedToNatural(start, there);
        plan.NaturalToCoded(there, back);
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(back[j], start[j], 1e-12);
    }
}

TEST_F(PlanStateTest, NaturalMatrixFollowsTheLevels) {
    BuildFactorial(0);
    ASSERT_TRUE(host.OpenWindows.count(TDataWindow::NaturalMatrix));
    plan.BaseLevels.Set(0, 100.0);
    plan.BaseLevels.Set(1, 5.0);
    plan.Intervals.Set(0, 20.0);
    plan.Intervals.Set(1, 0.5);
    plan.RefreshNaturalMatrix();
    const double expected[4][2] = {{80, 4.5}, {120, 4.5}, {80, 5.5}, {120, 5.5}};
    for (std::int32_t i = 0; i < 4; ++i)
        for (std::int32_t j = 0; j < 2; ++j)
            EXPECT_DOUBLE_EQ(plan.NaturalMatrix.Get(i, j), expected[i][j]);
    EXPECT_EQ(host.CountRequests("refresh NaturalMatrix"), 1u);

    plan.HasIntervals = false;
    plan.Intervals.Set(0, 1000.0);
    plan.RefreshNaturalMatrix();
    EXPECT_DOUBLE_EQ(plan.NaturalMatrix.Get(1, 0), 120.0);
}

TEST_F(PlanStateTest, ResponsesNeedTheRunCount) {
    EXPECT_FALSE(plan.EditResponses());
    EXPECT_EQ(host.Messages,
              (std::vector<TMessageRecord>{
                  {TMessageKind::Warning,
                   "Невозможно начать редактирование откликов:\nнеизвестно количество опытов."}}));
    EXPECT_TRUE(host.RepeatsRequests.empty());
}

TEST_F(PlanStateTest, NewSetThenChangeOfRepeats) {
    BuildFactorial(0);
    host.QueueRepeats(3, "Выход");
    ASSERT_TRUE(plan.EditResponses());
    ASSERT_EQ(host.RepeatsRequests.size(), 1u);
    EXPECT_EQ(host.RepeatsRequests[0].Caption, "Новый набор наблюдений");
    EXPECT_EQ(host.RepeatsRequests[0].ResponseName, "Отклик системы");
    EXPECT_TRUE(plan.HasYMatrix);
    EXPECT_TRUE(plan.HasRepeatCount);
    EXPECT_EQ(plan.RepeatCount, 3);
    EXPECT_EQ(plan.ResponseName, "Выход");
    EXPECT_EQ(host.CountRequests("show Responses"), 1u);

    host.QueueRepeats(3, "");
    ASSERT_TRUE(plan.EditResponses());
    EXPECT_EQ(host.RepeatsRequests[1].Caption, "Изменить количество повторений");
    EXPECT_EQ(host.RepeatsRequests[1].ResponseName, "Выход");
    EXPECT_EQ(plan.ResponseName, "Отклик системы");
}

// A new set starts with zeros; a changed one keeps what fits.
TEST_F(PlanStateTest, ChangedRepeatsKeepTheOldObservations) {
    struct {
        int From, To;
    } const cases[] = {{0, 3}, {3, 2}, {2, 4}, {1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.From << " -> " << c.To);
        BuildFactorial(c.From);
        host.QueueRepeats(c.To);
        ASSERT_TRUE(plan.EditResponses());
        EXPECT_EQ(plan.RepeatCount, c.To);
        ASSERT_EQ(plan.YMatrix.RowCount(), 4);
        ASSERT_EQ(plan.YMatrix.ColCount(), c.To);
        for (std::int32_t i = 0; i < 4; ++i)
            for (std::int32_t j = 0; j < c.To; ++j)
                EXPECT_EQ(plan.YMatrix.Get(i, j), j < c.From ? 10.0 * (i + 1) + j + 1 : 0.0)
                    << "cell " << i << ", " << j;
        EXPECT_EQ(host.CountRequests("refresh Responses"), c.From > 0 ? 1u : 0u);
        plan.Reset();
    }
}

// A cancelled dialog, or a repeat count the dialog should have refused.
TEST_F(PlanStateTest, RefusedRepeatCountsChangeNothing) {
    const std::vector<TMessageRecord> warning{{TMessageKind::Warning, RepeatsWarning}};
    struct {
        std::optional<TRepeatsAnswer> Answer;
        std::vector<TMessageRecord> Messages;
    } const cases[] = {
        {TRepeatsAnswer{"1000", "Новое имя"}, warning},
        {TRepeatsAnswer{"0", "Новое имя"}, warning},
        {TRepeatsAnswer{"", "Новое имя"}, warning},
        {TRepeatsAnswer{"-1", "Новое имя"}, warning},
        {std::nullopt, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Answer ? "\"" + c.Answer->RepeatsText + "\"" : "cancel");
        BuildFactorial(2);
        host.RepeatsAnswers.push_back(c.Answer);
        EXPECT_FALSE(plan.EditResponses());
        EXPECT_EQ(host.Messages, c.Messages);
        EXPECT_EQ(plan.RepeatCount, 2);
        EXPECT_EQ(plan.ResponseName, "Выход");
        ASSERT_EQ(plan.YMatrix.ColCount(), 2);
        EXPECT_EQ(plan.YMatrix.Get(3, 1), 42.0);
        EXPECT_TRUE(host.Requests.empty());
        plan.Reset();
    }
}

} // namespace
