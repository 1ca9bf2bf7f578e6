#pragma once

namespace orvanta {

// The main window's three bars and their toggles (each menu toggle and its
// twin in the context menu are always checked and enabled alike). The menu
// bar may only go while the tool bar or the status bar stays, unless the
// stored setting AllowNoBars lets every bar go.
struct TBarsState {
    bool MenuAttached = true;
    bool ToolBarVisible = true;
    bool StatusBarVisible = true;
    bool MenuChecked = true;
    bool MenuEnabled = true;
    bool ToolBarChecked = true;
    bool StatusBarChecked = true;
    bool operator==(const TBarsState&) const = default;
};

class TBarsLogic {
public:
    explicit TBarsLogic(bool allowNoBars = false) : AllowNoBars(allowNoBars) {}

    const TBarsState& State() const { return Bars; }
    void SetAllowNoBars(bool allow) { AllowNoBars = allow; }

    void HideMenuBar();
    void ShowMenuBar();
    void HideToolBar();
    void ShowToolBar();
    void HideStatusBar();
    void ShowStatusBar();

    // The commands of the "Вид" menu and the context menu.
    void ToggleMenuBar();
    void ToggleToolBar();
    void ToggleStatusBar();

private:
    bool NoBarLeft() const { return !Bars.ToolBarVisible && !Bars.StatusBarVisible; }

    TBarsState Bars;
    bool AllowNoBars;
};

} // namespace orvanta
