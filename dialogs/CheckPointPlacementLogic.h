#pragma once

namespace orvanta {

// The main window as the check-point dialog measures it, in screen pixels:
// its outer rectangle and what lies between its outer top and the top of its
// client area.
struct TMainWindowFrame {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int FrameWidth = 0;
    int FrameHeight = 0;
    int CaptionHeight = 0;
    // A full-screen main window has no border and so no caption.
    bool HasBorder = true;
    int MenuHeight = 0;
    bool ToolBarVisible = false;
    int ToolBarHeight = 0;
};

// A window's outer rectangle.
struct TWindowPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TWindowPlace&) const = default;
};

// The screen row where the main window's child windows begin: below the
// frame, the caption, the menu and (when shown) the tool bar.
int ChildAreaTop(const TMainWindowFrame& main);

// Where the check-point dialog goes when it is shown: at the top right of the
// main window's child area, inside the frame. Only Left and Top are set; the
// dialog keeps its size.
TWindowPlace CheckPointDialogPlace(const TMainWindowFrame& main, int dialogWidth);

// Where an editor window opened from the dialog goes, in the coordinates of
// the main window's child area: beside the dialog, on the side with more free
// width, as high as the dialog and level with it (never above the area).
TWindowPlace CheckPointEditorPlace(const TMainWindowFrame& main, const TWindowPlace& dialog);

} // namespace orvanta
