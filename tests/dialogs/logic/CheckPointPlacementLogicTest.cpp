// Where the check-point dialog and its editor windows go, worked out by hand
// for main windows with and without bars, border and room on either side.
#include "dialogs/CheckPointPlacementLogic.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

// A sizeable main window at (100, 50), 800 wide, with a 4-pixel frame, a
// 19-pixel caption, a 19-pixel menu and a 60-pixel tool bar: its child area
// starts at 50 + 4 + 19 + 19 + 60 = 152.
TMainWindowFrame Sizeable(bool toolBar = true) {
    TMainWindowFrame main;
    main.Left = 100;
    main.Top = 50;
    main.Width = 800;
    main.FrameWidth = 4;
    main.FrameHeight = 4;
    main.CaptionHeight = 19;
    main.MenuHeight = 19;
    main.ToolBarVisible = toolBar;
    main.ToolBarHeight = 60;
    return main;
}

TEST(CheckPointDialogPlace, TopRightOfTheChildArea) {
    TMainWindowFrame fullScreen = Sizeable();
    fullScreen.Left = 0;
    fullScreen.Top = 0;
    fullScreen.Width = 1024;
    fullScreen.HasBorder = false;
    TMainWindowFrame noMenu = Sizeable();
    noMenu.MenuHeight = 0;
    noMenu.ToolBarHeight = 40;
    struct TCase {
        const char* Name;
        TMainWindowFrame Main;
        int DialogWidth;
        int Left;
        int Top;
    };
    const TCase cases[] = {
        {"bars shown", Sizeable(), 200, 696, 152},
        {"tool bar hidden", Sizeable(false), 200, 696, 92},
        {"no border, no caption", fullScreen, 250, 770, 83},
        {"no menu", noMenu, 200, 696, 113},
    };
    for (const TCase& c : cases) {
        const TWindowPlace place = CheckPointDialogPlace(c.Main, c.DialogWidth);
        EXPECT_EQ(place.Left, c.Left) << c.Name;
        EXPECT_EQ(place.Top, c.Top) << c.Name;
        EXPECT_EQ(ChildAreaTop(c.Main), c.Top) << c.Name;
    }
}

TEST(CheckPointEditorPlace, BesideTheDialogOnTheWiderSide) {
    TMainWindowFrame bare; // no frame, caption or border, as offscreen
    bare.Width = 1000;
    bare.MenuHeight = 20;
    bare.ToolBarVisible = true;
    bare.ToolBarHeight = 30;
    struct TCase {
        const char* Name;
        TMainWindowFrame Main;
        TWindowPlace Dialog;
        TWindowPlace Editor;
    };
    const TCase cases[] = {
        // Free width 4 on the right, 596 on the left; the top would be -2.
        {"dialog where it was shown", Sizeable(), {696, 152, 200, 150}, {0, 0, 592, 150}},
        // 550 free on the right, 50 on the left.
        {"dialog moved left and down", Sizeable(), {150, 300, 200, 120}, {242, 146, 550, 120}},
        // 300 free on either side: the right one is not smaller.
        {"equal room", Sizeable(), {400, 200, 200, 100}, {492, 46, 300, 100}},
        {"dialog above the main window", Sizeable(), {696, 10, 200, 150}, {0, 0, 592, 150}},
        {"no frame", bare, {700, 50, 300, 200}, {0, 2, 700, 200}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(CheckPointEditorPlace(c.Main, c.Dialog), c.Editor) << c.Name;
}

} // namespace
} // namespace orvanta
