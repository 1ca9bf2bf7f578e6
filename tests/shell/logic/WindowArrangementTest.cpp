// Where "Расположить окна" puts the plan's windows, and which windows the
// three window lists offer.
#include "shell/WindowArrangement.h"

#include "ScriptedHost.h"
#include "plan/RaruRuro.h"
#include "services/PlanService.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orvanta {
namespace {

using W = TPlanWindow;

std::array<bool, 6> Checked(std::initializer_list<W> windows) {
    std::array<bool, 6> checked{};
    for (W window : windows)
        checked[static_cast<std::size_t>(window)] = true;
    return checked;
}

std::string Describe(const std::optional<TWindowRect>& rect) {
    if (!rect)
        return "none";
    return std::to_string(rect->Left) + "," + std::to_string(rect->Top) + " - " +
           std::to_string(rect->Right) + "," + std::to_string(rect->Bottom);
}

struct TPlaced {
    W Window;
    TWindowRect Rect;
};

// The area 1000 x 800 at (4, 30): percentages of the height are whole pixels,
// and a left or top edge left out of a formula shows.
const TWindowRect Area{4, 30, 1004, 830};

TEST(ArrangeGeometry, RowsAndColumnsFollowTheCheckedWindows) {
    struct TCase {
        const char* Name;
        std::initializer_list<W> Windows;
        std::vector<TPlaced> Expected;
    };
    const TCase cases[] = {
        {"code matrix alone takes the whole area", {W::CodeMatrix}, {{W::CodeMatrix, Area}}},
        {"code matrix over the report: 40 % and 60 %, full width",
         {W::CodeMatrix, W::Report},
         {{W::CodeMatrix, {4, 30, 1004, 350}}, {W::Report, {4, 350, 1004, 830}}}},
        {"all six: rows of 35, 25 and 40 %, split in the middle",
         {W::CodeMatrix, W::NaturalMatrix, W::BaseLevels, W::Intervals, W::Responses, W::Report},
         {{W::CodeMatrix, {4, 30, 504, 310}},
          {W::NaturalMatrix, {504, 30, 1004, 310}},
          {W::BaseLevels, {4, 310, 504, 510}},
          {W::Intervals, {504, 310, 1004, 510}},
          {W::Responses, {4, 510, 504, 830}},
          {W::Report, {504, 510, 1004, 830}}}},
        {"rows 1 and 2: 70 % and 30 %; lone right windows take the full width",
         {W::NaturalMatrix, W::Intervals},
         {{W::NaturalMatrix, {4, 30, 1004, 590}}, {W::Intervals, {4, 590, 1004, 830}}}},
        {"rows 2 and 3: 30 % and 70 %",
         {W::BaseLevels, W::Responses, W::Report},
         {{W::BaseLevels, {4, 30, 1004, 270}},
          {W::Responses, {4, 270, 504, 830}},
          {W::Report, {504, 270, 1004, 830}}}},
        {"row 1 alone, both windows",
         {W::CodeMatrix, W::NaturalMatrix},
         {{W::CodeMatrix, {4, 30, 504, 830}}, {W::NaturalMatrix, {504, 30, 1004, 830}}}},
        {"row 2 alone", {W::Intervals}, {{W::Intervals, Area}}},
        {"row 3 alone", {W::Responses}, {{W::Responses, Area}}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto places = ArrangeGeometry(Area, Checked(c.Windows));
        std::array<std::optional<TWindowRect>, 6> expected;
        for (const TPlaced& placed : c.Expected)
            expected[static_cast<std::size_t>(placed.Window)] = placed.Rect;
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(Describe(places[i]), Describe(expected[i])) << PlanWindowCaption(W(i));
    }
}

TEST(ArrangeGeometry, EdgesAreRoundedToTheNearestPixel) {
    // Height 21 at top 5: 35 % is 7.35, 70 % 14.7, 40 % 8.4, 30 % 6.3. The
    // third row starts a quarter of the height below the rounded second row
    // (7 + 5.25), not below the exact 35 % (7.35 + 5.25 = 12.6 would give 13).
    const TWindowRect area{0, 5, 200, 26};
    struct TCase {
        std::initializer_list<W> Windows;
        W Window;
        std::int32_t Top;
        std::int32_t Bottom;
    };
    const TCase cases[] = {
        {{W::CodeMatrix, W::BaseLevels, W::Report}, W::CodeMatrix, 5, 12},
        {{W::CodeMatrix, W::BaseLevels, W::Report}, W::BaseLevels, 12, 17},
        {{W::CodeMatrix, W::BaseLevels, W::Report}, W::Report, 17, 26},
        {{W::CodeMatrix, W::BaseLevels}, W::BaseLevels, 20, 26},
        {{W::CodeMatrix, W::Responses}, W::Responses, 13, 26},
        {{W::BaseLevels, W::Responses}, W::Responses, 11, 26},
    };
    for (const TCase& c : cases) {
        const auto rect = ArrangeGeometry(area, Checked(c.Windows))[std::size_t(c.Window)];
        ASSERT_TRUE(rect) << PlanWindowCaption(c.Window);
        EXPECT_EQ(rect->Top, c.Top) << PlanWindowCaption(c.Window);
        EXPECT_EQ(rect->Bottom, c.Bottom) << PlanWindowCaption(c.Window);
    }
    // Width 300 at left 7: the middle is 157.
    const auto row = ArrangeGeometry({7, 0, 307, 100}, Checked({W::Responses, W::Report}));
    EXPECT_EQ(Describe(row[std::size_t(W::Responses)]), "7,0 - 157,100");
    EXPECT_EQ(Describe(row[std::size_t(W::Report)]), "157,0 - 307,100");
}

// Whatever is checked, the placed windows cover the area exactly: nothing is
// left bare, nothing overlaps, no window is turned inside out.
TEST(ArrangeGeometry, EveryChoiceTilesTheWholeArea) {
    const TWindowRect areas[] = {Area, {0, 0, 640, 480}, {3, 7, 320, 29}, {0, 0, 1, 1}};
    for (const TWindowRect& area : areas) {
        for (unsigned mask = 1; mask < 64; ++mask) {
            SCOPED_TRACE(std::to_string(mask) + " in " + Describe(area));
            std::array<bool, 6> checked{};
            for (std::size_t i = 0; i < 6; ++i)
                checked[i] = (mask >> i) & 1U;
            const auto places = ArrangeGeometry(area, checked);
            std::int64_t covered = 0;
            for (std::size_t i = 0; i < 6; ++i) {
                ASSERT_EQ(places[i].has_value(), checked[i]);
                if (!places[i])
                    continue;
                const TWindowRect& r = *places[i];
                EXPECT_TRUE(r.Left >= area.Left && r.Right <= area.Right && r.Left <= r.Right);
                EXPECT_TRUE(r.Top >= area.Top && r.Bottom <= area.Bottom && r.Top <= r.Bottom);
                covered += std::int64_t(r.Right - r.Left) * (r.Bottom - r.Top);
                for (std::size_t j = 0; j < i; ++j) {
                    if (!places[j])
                        continue;
                    const TWindowRect& s = *places[j];
                    const bool apart = r.Right <= s.Left || s.Right <= r.Left ||
                                       r.Bottom <= s.Top || s.Bottom <= r.Top;
                    EXPECT_TRUE(apart) << Describe(r) << " overlaps " << Describe(s);
                }
            }
            EXPECT_EQ(covered, std::int64_t(area.Right - area.Left) * (area.Bottom - area.Top));
        }
    }
}

class WindowLists : public ::testing::Test {
protected:
    std::vector<W> Listed(TListOperation operation) { return ListedWindows(operation, Service); }

    test::TScriptedHost Host;
    TRaruRuro Plan{Host};
    TPlanService Service{Plan};
};

TEST_F(WindowLists, OfferTheWindowsEachOperationCanActOn) {
    using D = TDataWindow;
    struct TCase {
        const char* Name;
        std::set<D> Open;
        std::set<D> Minimized;
        bool ReportOpen;
        bool ReportMinimized;
        bool GraphReady;
        bool GraphOpen;
        std::vector<W> Minimize;
        std::vector<W> Show;
    };
    const TCase cases[] = {
        {"nothing open", {}, {}, false, false, false, false, {}, {}},
        {"all open and normal",
         {D::CodeMatrix, D::NaturalMatrix, D::BaseLevels, D::Intervals, D::Responses},
         {},
         true,
         false,
         true,
         true,
         {W::CodeMatrix, W::NaturalMatrix, W::BaseLevels, W::Intervals, W::Responses, W::Report,
          W::Diagram},
         // An open diagram has nothing to be restored.
         {}},
        {"all minimized",
         {D::CodeMatrix, D::NaturalMatrix, D::BaseLevels, D::Intervals, D::Responses},
         {D::CodeMatrix, D::NaturalMatrix, D::BaseLevels, D::Intervals, D::Responses},
         true,
         true,
         false,
         false,
         {},
         {W::CodeMatrix, W::NaturalMatrix, W::BaseLevels, W::Intervals, W::Responses, W::Report}},
        {"some of each",
         {D::NaturalMatrix, D::Intervals, D::Responses},
         {D::Intervals},
         true,
         true,
         true,
         false,
         {W::NaturalMatrix, W::Responses},
         {W::Intervals, W::Report, W::Diagram}},
        // A minimized mark on a closed window counts for nothing.
        {"closed but marked", {}, {D::BaseLevels}, false, true, false, false, {}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Host.OpenWindows = c.Open;
        Host.MinimizedWindows = c.Minimized;
        Host.ReportOpen = c.ReportOpen;
        Host.ReportMinimized = c.ReportMinimized;
        Service.Graphs.Clear();
        Service.Graphs.CurveReady = c.GraphReady || c.GraphOpen;
        Service.Graphs.Show(c.GraphOpen);
        EXPECT_EQ(Listed(TListOperation::Minimize), c.Minimize);
        EXPECT_EQ(Listed(TListOperation::Arrange), c.Minimize);
        EXPECT_EQ(Listed(TListOperation::Show), c.Show);
        // The Window menu's items are enabled exactly when their list has an entry.
        EXPECT_EQ(Service.Can(ListOperationAction(TListOperation::Minimize)), !c.Minimize.empty());
        EXPECT_EQ(Service.Can(ListOperationAction(TListOperation::Arrange)), !c.Minimize.empty());
        EXPECT_EQ(Service.Can(ListOperationAction(TListOperation::Show)), !c.Show.empty());
    }
}

} // namespace
} // namespace orvanta
