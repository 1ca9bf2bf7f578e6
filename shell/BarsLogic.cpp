#include "shell/BarsLogic.h"

namespace orvanta {

void TBarsLogic::HideMenuBar() {
    if (Bars.ToolBarVisible || Bars.StatusBarVisible || AllowNoBars) {
        Bars.MenuAttached = false;
        Bars.MenuChecked = false;
    }
}

void TBarsLogic::ShowMenuBar() {
    Bars.MenuAttached = true;
    Bars.MenuChecked = true;
}

void TBarsLogic::HideToolBar() {
    Bars.ToolBarChecked = false;
    Bars.ToolBarVisible = false;
    if (NoBarLeft() && !AllowNoBars) {
        ShowMenuBar();
        Bars.MenuEnabled = false;
    }
}

void TBarsLogic::ShowToolBar() {
    Bars.ToolBarChecked = true;
    Bars.ToolBarVisible = true;
    Bars.MenuEnabled = true;
}

void TBarsLogic::HideStatusBar() {
    Bars.StatusBarChecked = false;
    Bars.StatusBarVisible = false;
    if (NoBarLeft() && !AllowNoBars) {
        ShowMenuBar();
        Bars.MenuEnabled = false;
    }
}

void TBarsLogic::ShowStatusBar() {
    Bars.StatusBarChecked = true;
    Bars.StatusBarVisible = true;
    Bars.MenuEnabled = true;
}

void TBarsLogic::ToggleMenuBar() {
    if (Bars.MenuAttached)
        HideMenuBar();
    else
        ShowMenuBar();
}

void TBarsLogic::ToggleToolBar() {
    if (Bars.ToolBarVisible)
        HideToolBar();
    else
        ShowToolBar();
}

void TBarsLogic::ToggleStatusBar() {
    if (Bars.StatusBarVisible)
        HideStatusBar();
    else
        ShowStatusBar();
    Bars.MenuEnabled = !NoBarLeft();
    if (NoBarLeft() && !Bars.MenuAttached)
        ShowMenuBar();
}

} // namespace orvanta
