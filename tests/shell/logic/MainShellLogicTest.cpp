// The main window's title, bars and status clock without windows.
#include "shell/BarsLogic.h"
#include "shell/MainTitle.h"
#include "shell/StatusClock.h"

#include "ScriptedHost.h"
#include "plan/RaruRuro.h"
#include "services/PlanService.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(MainTitle, FollowsPlanStateAndChanges) {
    struct TCase {
        bool Complete;
        const char* Name;
        bool Modified;
        const char* Title;
    };
    const TCase cases[] = {
        {false, "", false, "Орванта"},
        {false, "", true, "(план изменен) - Орванта"},
        {true, "[без имени]", false, "[без имени] - Орванта"},
        {true, "[без имени]", true, "[без имени] (изменен) - Орванта"},
        {true, "run1", true, "run1 (изменен) - Орванта"},
        {true, "run1", false, "run1 - Орванта"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MainTitle(c.Complete, c.Name, c.Modified), c.Title) << c.Name << c.Modified;
}

TEST(MainTitle, DisplayNameDropsFolderAndLastExtension) {
    test::TScriptedHost host;
    TRaruRuro plan(host);
    TPlanService service(plan);
    const std::pair<const char*, const char*> cases[] = {
        {"", "[без имени]"},    {"/home/lab/2026/run1.mpl", "run1"},
        {"/data/run1", "run1"}, {"/data/series.2.mpl", "series.2"},
        {"run1.mpl", "run1"},
    };
    for (const auto& [file, name] : cases) {
        plan.FileName = file;
        EXPECT_EQ(service.DisplayName(), name) << file;
    }
}

// The toggles as the person sees them after a sequence of commands.
TEST(BarsLogic, MenuBarNeedsAnotherBarUnlessAllowed) {
    using Step = void (TBarsLogic::*)();
    struct TCase {
        const char* What;
        bool AllowNoBars;
        std::vector<Step> Steps;
        TBarsState Expected;
    };
    const TCase cases[] = {
        {"fresh", false, {}, {true, true, true, true, true, true, true}},
        {"menu hidden while bars show",
         false,
         {&TBarsLogic::ToggleMenuBar},
         {false, true, true, false, true, true, true}},
        {"both bars hidden: menu stays, toggles disabled",
         false,
         {&TBarsLogic::ToggleToolBar, &TBarsLogic::ToggleStatusBar, &TBarsLogic::ToggleMenuBar},
         {true, false, false, true, false, false, false}},
        {"showing a bar enables the menu toggles again",
         false,
         {&TBarsLogic::ToggleToolBar, &TBarsLogic::ToggleStatusBar, &TBarsLogic::ToggleToolBar},
         {true, true, false, true, true, true, false}},
        {"hiding the last bar brings the menu back",
         false,
         {&TBarsLogic::ToggleMenuBar, &TBarsLogic::ToggleToolBar, &TBarsLogic::ToggleStatusBar},
         {true, false, false, true, false, false, false}},
        {"AllowNoBars lets every bar go",
         true,
         {&TBarsLogic::ToggleToolBar, &TBarsLogic::ToggleStatusBar, &TBarsLogic::ToggleMenuBar},
         {false, false, false, false, false, false, false}},
        {"hidden tool bar, then status bar toggled twice",
         false,
         {&TBarsLogic::HideToolBar, &TBarsLogic::ToggleStatusBar, &TBarsLogic::ToggleStatusBar},
         {true, false, true, true, true, false, true}},
    };
    for (const TCase& c : cases) {
        TBarsLogic bars(c.AllowNoBars);
        for (Step step : c.Steps)
            (bars.*step)();
        const TBarsState& s = bars.State();
        EXPECT_EQ(s, c.Expected) << c.What << ": menu " << s.MenuAttached << s.MenuChecked
                                 << s.MenuEnabled << " tool " << s.ToolBarVisible
                                 << s.ToolBarChecked << " status " << s.StatusBarVisible
                                 << s.StatusBarChecked;
    }
}

TEST(StatusClock, ClearsBetweenTenAndElevenSecondsAfterRefresh) {
    TStatusClock clock;
    EXPECT_FALSE(clock.ShouldClear(50000)) << "nothing to clear before the first refresh";
    clock.Refreshed(1000);
    // The clock ticks once a second; the first tick that clears comes after
    // ten seconds and no later than eleven.
    const std::pair<std::int64_t, bool> ticks[] = {
        {1000, false}, {10999, false}, {11000, false}, {11001, true}, {12000, true}, {60000, true},
    };
    for (const auto& [now, clears] : ticks)
        EXPECT_EQ(clock.ShouldClear(now), clears) << now;
    clock.Refreshed(60000);
    EXPECT_FALSE(clock.ShouldClear(60500));
}

} // namespace
} // namespace orvanta
