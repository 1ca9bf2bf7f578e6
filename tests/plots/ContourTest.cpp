// The level lines against the functions they are drawn from: every vertex on
// its level to the grid's interpolation accuracy, the shapes around a
// stationary point, the saddle cells, the round levels, the text for other
// programs, the mixture triangle, and the pictures of two bundled plans
// against `orvan statistics --json`.

#include "plots/Contour.h"
#include "BatchOutput.h"
#include "plots/PlotData.h"
#include "plots/Ternary.h"

#include "numeric/FileStream.h"
#include "plan/PlanFile.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"

#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>

using namespace orvanta;
using namespace orvanta::test;

namespace {

using TFunction = std::function<double(double, double)>;

TContourGrid Square(const TFunction& f, std::int32_t n) {
    return EvaluateGrid(f, -1.0, 1.0, -1.0, 1.0, n, n);
}

double Cross(const TPlotPoint& o, const TPlotPoint& a, const TPlotPoint& b) {
    return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

// A proper crossing: each segment's ends strictly on both sides of the other
// (collinear pieces of a straight line are a rounding error off zero).
bool Crosses(const TPlotPoint& a, const TPlotPoint& b, const TPlotPoint& c, const TPlotPoint& d) {
    const auto sides = [](double u, double v) {
        return u * v < 0.0 && std::min(u * u, v * v) > 1e-28;
    };
    return sides(Cross(a, b, c), Cross(a, b, d)) && sides(Cross(c, d, a), Cross(c, d, b));
}

bool Encloses(const std::vector<TPlotPoint>& ring, const TPlotPoint& p) {
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        if ((ring[i].Y > p.Y) != (ring[j].Y > p.Y) &&
            p.X < ring[j].X + (ring[i].X - ring[j].X) * (p.Y - ring[j].Y) / (ring[i].Y - ring[j].Y))
            inside = !inside;
    return inside;
}

bool OnBorder(const TPlotPoint& p) {
    return std::fabs(std::fabs(p.X) - 1.0) < 1e-12 || std::fabs(std::fabs(p.Y) - 1.0) < 1e-12;
}

// Linear interpolation along an edge of length h misses a function whose
// second derivative along the axes is at most C by C h^2 / 8.
TEST(Contour, EveryVertexLiesOnItsLevelAndLinesOfALevelNeverCross) {
    const struct {
        const char* Name;
        TFunction F;
        double Curvature;
    } cases[] = {
        {"maximum",
         [](double x, double y) {
             return 5 - (x - 0.3) * (x - 0.3) - 2 * (y + 0.2) * (y + 0.2) -
                    0.5 * (x - 0.3) * (y + 0.2);
         },
         4.0},
        {"saddle", [](double x, double y) { return (x - 0.3) * (x - 0.3) - (y + 0.2) * (y + 0.2); },
         2.0},
        {"plane", [](double x, double y) { return 2 * x - 3 * y + 1; }, 0.0},
        {"egg crate", [](double x, double y) { return std::sin(3 * x) * std::sin(3 * y); }, 9.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TContourGrid grid = Square(c.F, 200);
        const auto [low, high] = std::minmax_element(grid.Z.begin(), grid.Z.end());
        std::vector<double> levels = RoundLevels(*low, *high);
        levels.push_back(0.0); // through the saddles of the egg crate
        const std::vector<TContourLine> lines = TraceContours(grid, levels);
        ASSERT_GE(lines.size(), levels.size() - 1);
        const double h = 2.0 / 199, tolerance = c.Curvature * h * h / 8 + 1e-12;
        std::map<double, std::vector<std::pair<TPlotPoint, TPlotPoint>>> segments;
        for (const TContourLine& line : lines) {
            ASSERT_GE(line.Points.size(), 2u);
            EXPECT_LT(line.LabelIndex, line.Points.size());
            for (const TPlotPoint& p : line.Points)
                ASSERT_NEAR(c.F(p.X, p.Y), line.Level, tolerance) << p.X << " " << p.Y;
            EXPECT_TRUE(line.Closed
                            ? line.Points.front() == line.Points.back()
                            : OnBorder(line.Points.front()) && OnBorder(line.Points.back()));
            for (std::size_t i = 1; i < line.Points.size(); ++i)
                segments[line.Level].push_back({line.Points[i - 1], line.Points[i]});
        }
        for (const auto& [level, list] : segments)
            for (std::size_t i = 0; i < list.size(); ++i)
                for (std::size_t j = i + 1; j < list.size(); ++j)
                    ASSERT_FALSE(
                        Crosses(list[i].first, list[i].second, list[j].first, list[j].second))
                        << level;
    }
}

// Around a maximum or a minimum every level line is a ring round the point;
// just off a saddle's value the lines are two open branches, one on each
// side of the point, across the axis that changes with the sign.
TEST(Contour, ShapesAroundAStationaryPoint) {
    const TPlotPoint s{0.3, -0.2};
    const auto q = [s](double a, double b) {
        return [s, a, b](double x, double y) {
            return a * (x - s.X) * (x - s.X) + b * (y - s.Y) * (y - s.Y);
        };
    };
    const struct {
        const char* Name;
        TFunction F;
        double Level;
        std::size_t Lines;
        bool Closed;
        int SplitAxis; // the coordinate whose side of s.X / s.Y parts the branches
    } cases[] = {
        {"maximum", q(-1, -2), -0.05, 1, true, -1}, {"maximum", q(-1, -2), -0.2, 1, true, -1},
        {"minimum", q(3, 1), 0.1, 1, true, -1},     {"saddle", q(1, -1), 0.01, 2, false, 0},
        {"saddle", q(1, -1), -0.01, 2, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(c.Level));
        const std::vector<TContourLine> lines = TraceContours(Square(c.F, 200), {c.Level});
        ASSERT_EQ(lines.size(), c.Lines);
        std::set<bool> sides;
        for (const TContourLine& line : lines) {
            EXPECT_EQ(line.Closed, c.Closed);
            EXPECT_EQ(Encloses(line.Points, s), c.Closed);
            if (c.SplitAxis < 0)
                continue;
            std::set<bool> side;
            for (const TPlotPoint& p : line.Points)
                side.insert(c.SplitAxis == 0 ? p.X > s.X : p.Y > s.Y);
            ASSERT_EQ(side.size(), 1u);
            sides.insert(*side.begin());
        }
        EXPECT_EQ(sides.size(), c.SplitAxis < 0 ? 0u : 2u);
    }
}

// One saddle cell: the corners on the side of the cell's mean stay joined,
// so the lines cut off the other two.
TEST(Contour, SaddleCellsFollowTheMean) {
    const struct {
        std::vector<double> Z; // (0,0), (1,0), (0,1), (1,1)
        std::set<std::pair<int, int>> CutOff;
    } cases[] = {
        {{1, -0.5, -0.5, 1}, {{1, 0}, {0, 1}}},
        {{1, -2, -2, 1}, {{0, 0}, {1, 1}}},
        {{-1, 2, 2, -1}, {{0, 0}, {1, 1}}},
        {{-1, 0.5, 0.5, -1}, {{1, 0}, {0, 1}}},
    };
    for (const auto& c : cases) {
        TContourGrid grid;
        grid.Nx = grid.Ny = 2;
        grid.Z = c.Z;
        std::set<std::pair<int, int>> cut;
        for (const TContourLine& line : TraceContours(grid, {0.0})) {
            ASSERT_EQ(line.Points.size(), 2u);
            const double x = (line.Points[0].X + line.Points[1].X) / 2;
            const double y = (line.Points[0].Y + line.Points[1].Y) / 2;
            cut.insert({x > 0.5, y > 0.5});
        }
        EXPECT_EQ(cut, c.CutOff) << c.Z[0] << " " << c.Z[1];
    }
}

TEST(Contour, RoundLevels) {
    const struct {
        double Low, High;
        std::int32_t Count;
        std::vector<double> Levels; // empty: checked by step only
        double Step;
    } cases[] = {
        {0, 1, 10, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}, 0.1},
        {-3.7, 12.2, 10, {-2, 0, 2, 4, 6, 8, 10, 12}, 2},
        {-0.3, 0.35, 10, {-0.2, -0.1, 0, 0.1, 0.2, 0.3}, 0},
        {17.06, 19.05, 10, {17.2, 17.4, 17.6, 17.8, 18, 18.2, 18.4, 18.6, 18.8, 19}, 0},
        {0.013, 0.0245, 5, {0.015, 0.0175, 0.02, 0.0225}, 0},
        {0.1, 0.9, 1, {0.5}, 0},
        {1, 1 + 1e-12, 10, {}, 2e-13},
        {-2e300, 7e300, 10, {-1e300, 0, 1e300, 2e300, 3e300, 4e300, 5e300, 6e300}, 0},
        {1, 1, 10, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Low) + " .. " + std::to_string(c.High));
        const std::vector<double> levels = RoundLevels(c.Low, c.High, c.Count);
        if (!c.Levels.empty() || c.Step == 0) {
            EXPECT_EQ(levels, c.Levels);
            continue;
        }
        ASSERT_GE(levels.size(), 4u);
        for (std::size_t i = 0; i < levels.size(); ++i) {
            EXPECT_TRUE(levels[i] > c.Low && levels[i] < c.High);
            const double multiple = levels[i] / c.Step;
            EXPECT_NEAR(multiple, std::round(multiple), 1e-3);
        }
    }
    // Zero is a plain zero, written "0" by the text for other programs.
    const std::vector<double> around = RoundLevels(-0.7, 0.3);
    ASSERT_EQ(std::count(around.begin(), around.end(), 0.0), 1);
    EXPECT_FALSE(std::signbit(*std::find(around.begin(), around.end(), 0.0)));
}

TEST(Contour, TextForOtherPrograms) {
    const std::vector<TContourLine> lines = {
        {0.5, {{1, 2}, {0.1, -3e-7}, {2.5, 2}, {1, 2}}, true, 1},
        {-2.25, {{1e20, 0}, {-0.3, 123456.789}}, false, 0},
    };
    EXPECT_EQ(ContourText(lines), "0.5 1 2 0.1 -3e-07 2.5 2 1 2\n-2.25 1e+20 0 -0.3 123456.789\n");
}

// ---- The mixture triangle ----

std::array<double, 3> Components(double x1, double x2, double x3) {
    return TernaryComponents(TernaryPoint(x1, x2, x3));
}

void ExpectComponents(const std::array<double, 3>& got, const std::array<double, 3>& expected) {
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(got[i], expected[i], 1e-15) << i;
}

TEST(Ternary, CornersArePureComponents) {
    const double h = std::sqrt(3.0) / 2;
    const struct {
        std::array<double, 3> X;
        TPlotPoint At;
        std::array<double, 3> Proportions;
    } cases[] = {
        {{1, 0, 0}, {0, 0}, {1, 0, 0}},
        {{0, 1, 0}, {1, 0}, {0, 1, 0}},
        {{0, 0, 1}, {0.5, h}, {0, 0, 1}},
        {{2, 2, 2}, {0.5, h / 3}, {1. / 3, 1. / 3, 1. / 3}},
        {{2, 1, 1}, {0.375, h / 4}, {0.5, 0.25, 0.25}},
    };
    for (const auto& c : cases) {
        const TPlotPoint p = TernaryPoint(c.X[0], c.X[1], c.X[2]);
        EXPECT_NEAR(p.X, c.At.X, 1e-15);
        EXPECT_NEAR(p.Y, c.At.Y, 1e-15);
        ExpectComponents(Components(c.X[0], c.X[1], c.X[2]), c.Proportions);
    }
    const TContourGrid grid = TernaryGrid([](double a, double, double) { return a; }, 5);
    EXPECT_EQ(std::count_if(grid.Z.begin(), grid.Z.end(), [](double z) { return !std::isnan(z); }),
              13); // rows of 5, 3, 3 (two on the sides), 1 and the apex
}

// The lines are clipped to the triangle and end exactly on its sides: a
// line of x1 = c is one straight piece from side x3 = 0 to side x2 = 0; a
// circle round the centroid is a ring when small and three arcs when it
// runs out over the sides; one by the apex leaves a long and a short arc.
TEST(Ternary, LinesEndOnTheSides) {
    const auto circle = [](double a0, double b0, double c0) {
        return [a0, b0, c0](double a, double b, double c) {
            return (a - a0) * (a - a0) + (b - b0) * (b - b0) + (c - c0) * (c - c0);
        };
    };
    const auto centroid = circle(1. / 3, 1. / 3, 1. / 3);
    const struct {
        const char* Name;
        std::function<double(double, double, double)> F;
        double Level;
        std::size_t Lines;
        bool Closed;
        double Tolerance;
    } cases[] = {
        {"x1 = 0.3", [](double a, double, double) { return a; }, 0.3, 1, false, 1e-12},
        {"x1 = 0.75", [](double a, double, double) { return a; }, 0.75, 1, false, 1e-12},
        {"small circle", centroid, 0.1, 1, true, 1e-4},
        {"cut circle", centroid, 0.3, 3, false, 1e-4},
        // Cut off the apex: the arc through the ring's start is one piece.
        {"circle by the apex", circle(0.2, 0.2, 0.6), 0.12, 2, false, 1e-4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<TContourLine> lines = TernaryContours(c.F, 101, {c.Level});
        ASSERT_EQ(lines.size(), c.Lines);
        for (const TContourLine& line : lines) {
            EXPECT_EQ(line.Closed, c.Closed);
            for (const TPlotPoint& p : line.Points) {
                const auto x = TernaryComponents(p);
                EXPECT_GE(std::min({x[0], x[1], x[2]}), -1e-12);
                EXPECT_NEAR(c.F(x[0], x[1], x[2]), c.Level, c.Tolerance);
            }
            if (line.Closed)
                continue;
            for (const TPlotPoint& end : {line.Points.front(), line.Points.back()}) {
                const auto x = TernaryComponents(end);
                EXPECT_NEAR(std::min({x[0], x[1], x[2]}), 0.0, 1e-12);
            }
        }
    }
}

// ---- The pictures of bundled plans ----

// The number or the array of numbers that follows the first `key` in the
// JSON text.
std::vector<double> JsonValues(const std::string& json, const std::string& key) {
    std::vector<double> values;
    std::size_t at = json.find("\"" + key + "\"");
    if (at == std::string::npos)
        return values;
    at = json.find(':', at) + 1;
    const std::size_t open = json.find_first_not_of(" \n", at);
    const bool list = json[open] == '[';
    for (at = open + (list ? 1 : 0);;) {
        std::size_t used = 0;
        values.push_back(std::stod(json.substr(at, 40), &used));
        at = json.find_first_not_of(" \n", at + used);
        if (!list || json[at] != ',')
            return values;
        ++at;
    }
}

std::string Statistics(const std::string& plan) {
    return test::BatchOutput("statistics --json '" + plan + "' 2>/dev/null");
}

class ContourPlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Registry.LoadModule(std::string(ORVAN_MODELS_DIR) + "/standard.so"));
        TSettings& s = Settings();
        s.CBCohrenResultsShow = s.CBStudentResultsShow = s.CBFisherResultsShow = false;
    }
    void TearDown() override { Settings().SetDefaults(); }

    // The plan analysed as `orvan statistics` takes it: insignificant terms zeroed.
    void Open(const std::string& name) {
        Plan.SetMathCatalog(&Registry);
        TFileStream stream(File(name));
        ASSERT_TRUE(ReadPlan(stream, Plan));
        Host.ModelChangeAnswers.push_back(TModelChange::ZeroInsignificant);
        ASSERT_TRUE(Plan.RunAnalysis());
    }
    static std::string File(const std::string& name) {
        return std::string(ORVAN_SOURCE_DIR) + "/examples/" + name;
    }

    TMathDefinition Registry;
    TScriptedHost Host;
    TRaruRuro Plan{Host};
};

TEST_F(ContourPlanTest, MixtureBlendIsDrawnOnTheTriangle) {
    ASSERT_NO_FATAL_FAILURE(Open("simplex32-blend.mpl"));
    EXPECT_TRUE(IsMixturePlan(Plan));
    const TContourPicture picture = TernaryPicture(Plan, 101);
    EXPECT_TRUE(picture.Ternary);
    EXPECT_EQ(picture.Corners[0], Plan.FactorNames[0]);
    EXPECT_EQ(picture.YTitle, Plan.FactorNames[1]);
    EXPECT_EQ(picture.ZTitle, Plan.ResponseName);
    EXPECT_FALSE(picture.Levels.empty());
    EXPECT_FALSE(picture.Lines.empty());
    ASSERT_EQ(picture.Runs.size(), std::size_t(Plan.CodeMatrix.RowCount()));
    for (std::size_t r = 0; r < picture.Runs.size(); ++r) {
        EXPECT_EQ(picture.Runs[r].Run, std::int32_t(r) + 1);
        const auto x = TernaryComponents(picture.Runs[r].At);
        for (std::int32_t i = 0; i < 3; ++i)
            EXPECT_NEAR(x[std::size_t(i)], Plan.CodeMatrix.Get(std::int32_t(r), i), 1e-12);
    }
}

// The stationary point and the runs in the axes' units, natural or coded;
// the fitted maximum is the top of the grid.
TEST_F(ContourPlanTest, CentralCompositePictureAgreesWithTheStatistics) {
    ASSERT_NO_FATAL_FAILURE(Open("ccr2-strength.mpl"));
    EXPECT_FALSE(IsMixturePlan(Plan));
    ASSERT_TRUE(HasNaturalAxes(Plan));
    const std::string json = Statistics(File("ccr2-strength.mpl"));
    const std::string canonical = json.substr(std::min(json.find("\"canonical\""), json.size()));
    const std::vector<double> predicted = JsonValues(canonical, "predicted");
    ASSERT_EQ(predicted.size(), 1u) << json;
    // Coded -1 .. 1 leaves out the star points, runs 5 to 8.
    const struct {
        bool Natural;
        double Half;
        std::vector<std::int32_t> Runs;
    } cases[] = {{true, 1.5, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {false, 1.0, {1, 2, 3, 4, 9}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Natural);
        const std::vector<double> s =
            JsonValues(canonical, c.Natural ? "stationaryNatural" : "stationaryCoded");
        ASSERT_EQ(s.size(), 2u);
        TContourRequest request;
        request.FromX = request.FromY = -c.Half;
        request.ToX = request.ToY = c.Half;
        request.Fixed = {0, 0};
        request.Natural = c.Natural;
        const TContourPicture picture = ContourPicture(Plan, request);
        EXPECT_EQ(picture.Natural, c.Natural);
        ASSERT_TRUE(picture.Stationary);
        EXPECT_NEAR(picture.Stationary->X, s[0], 1e-9 * std::fabs(s[0]));
        EXPECT_NEAR(picture.Stationary->Y, s[1], 1e-9 * std::fabs(s[1]));
        const double top = *std::max_element(picture.Grid.Z.begin(), picture.Grid.Z.end());
        EXPECT_LE(top, predicted[0] + 1e-9);
        EXPECT_NEAR(top, predicted[0], 1e-3);
        const TNamedMatrix& units = c.Natural ? Plan.NaturalMatrix : Plan.CodeMatrix;
        std::vector<std::int32_t> runs;
        for (const TRunMark& mark : picture.Runs) {
            runs.push_back(mark.Run);
            EXPECT_NEAR(mark.At.X, units.Get(mark.Run - 1, 0), 1e-9);
            EXPECT_NEAR(mark.At.Y, units.Get(mark.Run - 1, 1), 1e-9);
        }
        EXPECT_EQ(runs, c.Runs);
        EXPECT_EQ(picture.XTitle, Plan.FactorNames[0]);
        EXPECT_EQ(picture.ZTitle, Plan.ResponseName);
    }
}

} // namespace
