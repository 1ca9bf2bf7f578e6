#include "dialogs/CheckPointPlacementLogic.h"

#include <algorithm>

namespace orvanta {

int ChildAreaTop(const TMainWindowFrame& main) {
    int top = main.Top + main.FrameHeight;
    if (main.HasBorder)
        top += main.CaptionHeight;
    top += main.MenuHeight;
    if (main.ToolBarVisible)
        top += main.ToolBarHeight;
    return top;
}

TWindowPlace CheckPointDialogPlace(const TMainWindowFrame& main, int dialogWidth) {
    TWindowPlace place;
    place.Left = main.Left + main.Width - dialogWidth - main.FrameWidth;
    place.Top = ChildAreaTop(main);
    return place;
}

TWindowPlace CheckPointEditorPlace(const TMainWindowFrame& main, const TWindowPlace& dialog) {
    TWindowPlace place;
    // The child's own frame sits above its client area; two pixels of it stay
    // visible below the dialog's top edge.
    place.Top = std::max(0, dialog.Top - ChildAreaTop(main) - main.FrameHeight + 2);
    place.Height = dialog.Height;
    const int freeRight = main.Left + main.Width - dialog.Left - dialog.Width;
    const int freeLeft = dialog.Left - main.Left;
    if (freeRight < freeLeft) {
        place.Left = 0;
        place.Width = dialog.Left - main.Left - main.FrameWidth;
    } else {
        place.Left = dialog.Left + dialog.Width - main.Left - 2 * main.FrameWidth;
        place.Width = freeRight;
    }
    return place;
}

} // namespace orvanta
