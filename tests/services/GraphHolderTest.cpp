// The plan's graph holder: the curve of a diagram and the grid of a surface
// as the plan computes them, the experimental points, the windows it asks
// the host for, and its point lists.
#include "services/GraphHolder.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"

#include "PlanData.h"
#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

class GraphHolderTest : public ::testing::Test {
protected:
    void SetUp() override { Settings().CBAlsoCreateY = false; }
    void TearDown() override { Settings().SetDefaults(); }

    // y = b0 + b1 x1 + b2 x2 over a full factorial of two factors, natural
    // units x1 = 10 + 2 c1, x2 = 20 + 0.5 c2, the run means 1, 2, 3, 4.
    void BuildLinear(double b0, double b1, double b2) {
        host.QueueBuiltinPlan(PlanFFE, 2);
        ASSERT_TRUE(svc.NewPlan());
        SetObservations(plan, {{1, 1}, {2, 2}, {3, 3}, {4, 4}});
        plan.BVector.Create(3);
        plan.BVector.Set(0, b0);
        plan.BVector.Set(1, b1);
        plan.BVector.Set(2, b2);
        plan.HasBVector = true;
        plan.BaseLevels.Set(0, 10.0);
        plan.Intervals.Set(0, 2.0);
        plan.BaseLevels.Set(1, 20.0);
        plan.Intervals.Set(1, 0.5);
        plan.RefreshNaturalMatrix();
        plan.YMean.Create(4);
        for (std::int32_t i = 0; i < 4; ++i)
            plan.YMean.Set(i, i + 1.0);
        plan.HasYMean = true;
        host.ClearRecords();
    }
    std::vector<float> Xs(const TPointList2D& list) const {
        std::vector<float> xs;
        for (const TPoint2D& p : list)
            xs.push_back(p.X);
        return xs;
    }

    TScriptedHost host;
    TRaruRuro plan{host};
    TPlanService svc{plan};
    TGraphHolder& graphs = svc.Graphs;
};

TEST_F(GraphHolderTest, DefaultCurveStepsBySeventhsFromMinusOne) {
    BuildLinear(1.0, 2.0, 3.0);
    Settings().CBNaturalX = false;
    host.DiagramAnswers.push_back(TDiagramAnswer{0, -1.0, 1.0, 15, {0.0, 0.5}});
    ASSERT_TRUE(svc.NewDiagram());
    ASSERT_EQ(graphs.Curve.Count(), 15);
    // The abscissae are accumulated by addition, as the plan computes them.
    double x = -1.0;
    for (std::int32_t i = 0; i < 15; ++i, x += 2.0 / 14.0) {
        EXPECT_EQ(graphs.Curve[i].X, static_cast<float>(x)) << i;
        EXPECT_FLOAT_EQ(graphs.Curve[i].Y, static_cast<float>(1.0 + 2.0 * x + 1.5)) << i;
    }
    EXPECT_NEAR(graphs.Curve[1].X - graphs.Curve[0].X, 1.0 / 7.0, 1e-6);
    EXPECT_EQ(graphs.Titles2D.First, plan.FactorNames[0]);
    EXPECT_EQ(graphs.Titles2D.Middle, "");
    EXPECT_EQ(graphs.Titles2D.Last, plan.ResponseName);
    EXPECT_TRUE(graphs.CurveReady);
    EXPECT_TRUE(graphs.DiagramOpen);
    EXPECT_EQ(host.Requests, (std::vector<std::string>{"show diagram", "refresh commands"}));
    EXPECT_EQ(plan.StatusText, CompletionMessage(27));
}

TEST_F(GraphHolderTest, NaturalLabelsDrawTheCodedIntervalInNaturalUnits) {
    BuildLinear(1.0, 2.0, 3.0);
    Settings().CBNaturalX = true;
    host.DiagramAnswers.push_back(TDiagramAnswer{0, -1.0, 1.0, 5, {0.0, 0.0}});
    ASSERT_TRUE(svc.NewDiagram());
    EXPECT_EQ(Xs(graphs.Curve), (std::vector<float>{8.0f, 9.0f, 10.0f, 11.0f, 12.0f}));
    // The response is still computed at the coded point.
    EXPECT_FLOAT_EQ(graphs.Curve[0].Y, -1.0f);
    EXPECT_FLOAT_EQ(graphs.Curve[4].Y, 3.0f);
}

TEST_F(GraphHolderTest, ExperimentalPointsFollowTheProjectionQuestion) {
    const struct {
        const char* Name;
        bool Option;
        TAnswer Answer;
        bool Asked;
        std::int32_t Points;
    } cases[] = {
        {"option off", false, TAnswer::Yes, false, 0},
        {"projection declined", true, TAnswer::No, true, 0},
        {"projection accepted", true, TAnswer::Yes, true, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        BuildLinear(1.0, 2.0, 3.0);
        Settings().CBPoints2D = c.Option;
        Settings().CBNaturalX = true;
        host.Answers.push_back(c.Answer);
        host.DiagramAnswers.push_back(TDiagramAnswer{1, -1.0, 1.0, 5, {0.0, 0.0}});
        ASSERT_TRUE(svc.NewDiagram());
        EXPECT_EQ(host.Questions,
                  c.Asked ? std::vector<std::string>{"Текущий план построен более чем для одного "
                                                     "фактора. Корректно разместить "
                                                     "экспериментальные точки невозможно (будет "
                                                     "выполнено ортогональное проецирование их "
                                                     "на плоскость графика). Продолжить - ?"}
                          : std::vector<std::string>{});
        host.Answers.clear();
        ASSERT_EQ(graphs.Points2D.Count(), c.Points);
        // Natural levels of the second factor, in order of the levels.
        if (c.Points == 4) {
            EXPECT_EQ(Xs(graphs.Points2D), (std::vector<float>{19.5f, 19.5f, 20.5f, 20.5f}));
            EXPECT_EQ(graphs.Points2D[0].Y, 1.0f);
            EXPECT_EQ(graphs.Points2D[1].Y, 2.0f);
        }
        ASSERT_TRUE(svc.ClosePlan());
    }
}

TEST_F(GraphHolderTest, EqualAbscissaeKeepTheOrderOfRuns) {
    TPointList2D points;
    // A selection sort that swaps would put the third run before the second.
    for (const TPoint2D& p :
         {TPoint2D{1, 10}, TPoint2D{1, 20}, TPoint2D{0, 30}, TPoint2D{2, 40}, TPoint2D{0, 50}})
        points.Add(p);
    SortByX(points);
    std::vector<std::pair<float, float>> sorted;
    for (const TPoint2D& p : points)
        sorted.emplace_back(p.X, p.Y);
    EXPECT_EQ(sorted,
              (std::vector<std::pair<float, float>>{{0, 30}, {0, 50}, {1, 10}, {1, 20}, {2, 40}}));
}

TEST_F(GraphHolderTest, AOneFactorPlanAsksNoProjectionQuestion) {
    // The wizard offers no one-factor factorial; the plan is set up by hand.
    ASSERT_TRUE(plan.SetFactorCount(1));
    plan.PlanKind = PlanFFE;
    plan.HasPlanKind = true;
    plan.RunCount = 2;
    plan.HasRunCount = true;
    plan.BuildCodeMatrix();
    plan.MakeDefaultFactorNames();
    plan.BVector.Create(2);
    plan.BVector.Set(0, 2.0);
    plan.BVector.Set(1, 1.0);
    plan.HasBVector = true;
    plan.YMean.Create(2);
    plan.YMean.Set(0, 1.5);
    plan.YMean.Set(1, 3.5);
    plan.HasYMean = true;
    Settings().CBPoints2D = true;
    Settings().CBNaturalX = false;
    host.DiagramAnswers.push_back(TDiagramAnswer{0, -1.0, 1.0, 3, {0.0}});
    ASSERT_TRUE(svc.NewDiagram());
    EXPECT_TRUE(host.Questions.empty());
    EXPECT_EQ(Xs(graphs.Points2D), (std::vector<float>{-1.0f, 1.0f}));
}

TEST_F(GraphHolderTest, ADiagramReplacesASurface) {
    BuildLinear(1.0, 2.0, 3.0);
    host.SurfaceAnswers.push_back(TSurfaceAnswer{0, 1, -1.0, 1.0, -1.0, 1.0, 3, 2, {0.0, 0.0}});
    ASSERT_TRUE(svc.NewSurface());
    EXPECT_TRUE(graphs.SurfaceOpen);
    EXPECT_EQ(graphs.SurfaceVertices.Count(), 6);
    EXPECT_EQ(graphs.GridRows, 2);
    EXPECT_EQ(graphs.GridCols, 3);
    host.ClearRecords();
    host.DiagramAnswers.push_back(TDiagramAnswer{0, -1.0, 1.0, 5, {0.0, 0.0}});
    ASSERT_TRUE(svc.NewDiagram());
    EXPECT_EQ(host.Requests,
              (std::vector<std::string>{"close surface", "show diagram", "refresh commands"}));
    EXPECT_FALSE(graphs.SurfaceOpen);
    EXPECT_FALSE(graphs.SurfaceReady);
    EXPECT_TRUE(graphs.SurfaceVertices.Empty());
}

TEST_F(GraphHolderTest, SurfaceVerticesCarryTheResponseUpwards) {
    BuildLinear(0.5, 2.0, 3.0);
    Settings().CBNaturalXY = true;
    host.SurfaceAnswers.push_back(TSurfaceAnswer{0, 1, -1.0, 1.0, -1.0, 1.0, 2, 2, {0.0, 0.0}});
    ASSERT_TRUE(svc.NewSurface());
    ASSERT_EQ(graphs.SurfaceVertices.Count(), 4);
    // First factor outer, second inner; (x1, y, x2) in natural units.
    const float expected[4][3] = {
        {8, -4.5f, 19.5f}, {8, 1.5f, 20.5f}, {12, -0.5f, 19.5f}, {12, 5.5f, 20.5f}};
    for (std::int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(graphs.SurfaceVertices[i].X, expected[i][0]) << i;
        EXPECT_EQ(graphs.SurfaceVertices[i].Y, expected[i][1]) << i;
        EXPECT_EQ(graphs.SurfaceVertices[i].Z, expected[i][2]) << i;
    }
    EXPECT_EQ(graphs.Titles3D.First, plan.FactorNames[0]);
    EXPECT_EQ(graphs.Titles3D.Middle, plan.FactorNames[1]);
}

TEST_F(GraphHolderTest, WindowsCloseAndComeBackWithoutRecomputing) {
    BuildLinear(1.0, 2.0, 3.0);
    host.DiagramAnswers.push_back(TDiagramAnswer{0, -1.0, 1.0, 5, {0.0, 0.0}});
    ASSERT_TRUE(svc.NewDiagram());
    EXPECT_FALSE(graphs.Query(8));
    EXPECT_TRUE(graphs.Query(9));
    // The person closes the window: it can be shown again, and nothing is open.
    graphs.DiagramClosed();
    EXPECT_TRUE(graphs.Query(8));
    EXPECT_FALSE(graphs.Query(9));
    host.ClearRecords();
    graphs.Show(true);
    EXPECT_EQ(host.Requests, (std::vector<std::string>{"show diagram"}));
    EXPECT_EQ(graphs.Curve.Count(), 5);
    EXPECT_TRUE(host.DiagramAnswers.empty());
    host.ClearRecords();
    graphs.ApplyOptions();
    EXPECT_EQ(host.Requests, (std::vector<std::string>{"restyle diagram"}));
    host.ClearRecords();
    graphs.Show(false);
    EXPECT_EQ(host.Requests, (std::vector<std::string>{"close diagram"}));
    EXPECT_EQ(graphs.Curve.Count(), 5);
    EXPECT_TRUE(graphs.Query(8));
    host.ClearRecords();
    graphs.ApplyOptions();
    EXPECT_TRUE(host.Requests.empty());
}

TEST_F(GraphHolderTest, QueryCodes) {
    const struct {
        std::int32_t Code;
        bool Answer;
    } codes[] = {{0, true},  {1, true}, {2, true},  {3, true},  {4, true},   {5, true},
                 {6, false}, {7, true}, {8, false}, {9, false}, {10, false}, {-1, false}};
    for (const auto& c : codes)
        EXPECT_EQ(graphs.Query(c.Code), c.Answer) << c.Code;
}

TEST_F(GraphHolderTest, PointListsGrowBy256) {
    TPointList3D list;
    const struct {
        std::int32_t Count;
        std::int32_t Capacity;
    } steps[] = {{0, 0}, {1, 256}, {256, 256}, {257, 512}, {600, 768}};
    std::int32_t added = 0;
    for (const auto& s : steps) {
        for (; added < s.Count; ++added)
            list.Add({static_cast<float>(added), 0.0f, 0.0f});
        EXPECT_EQ(list.Count(), s.Count);
        EXPECT_EQ(list.Capacity(), s.Capacity);
    }
    // The old entries survive each growth.
    for (std::int32_t i = 0; i < list.Count(); ++i)
        ASSERT_EQ(list[i].X, static_cast<float>(i));
    // A known length is made room for at once, in whole steps.
    list.Reserve(1000);
    EXPECT_EQ(list.Capacity(), 1024);
    EXPECT_EQ(list.Count(), 600);
    EXPECT_EQ(list[599].X, 599.0f);
}

TEST_F(GraphHolderTest, PointsGoOnlyToTheListBeingFilled) {
    graphs.AddPoint2D(1.0, 2.0);
    graphs.AddPoint3D(1.0, 2.0, 3.0);
    EXPECT_TRUE(graphs.Curve.Empty());
    EXPECT_TRUE(graphs.SurfaceVertices.Empty());
    graphs.BeginCurve(3, -1);
    graphs.AddPoint2D(0.1, 0.2);
    graphs.AddPoint3D(1.0, 2.0, 3.0);
    graphs.BeginPoints2D(1);
    graphs.AddPoint2D(0.3, 0.4);
    graphs.EndPoints2D();
    graphs.AddPoint2D(0.5, 0.6);
    EXPECT_EQ(graphs.Curve.Count(), 1);
    EXPECT_EQ(graphs.Points2D.Count(), 1);
    EXPECT_EQ(graphs.PointCount, 1);
    EXPECT_TRUE(graphs.Points3D.Empty());
    // A double is kept as the nearest float.
    EXPECT_EQ(graphs.Curve[0].X, 0.1f);
}

} // namespace
