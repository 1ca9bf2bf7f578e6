#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvanta {

class TPlanService;

// The plan's windows in the order of the window lists.
enum class TPlanWindow {
    CodeMatrix,
    NaturalMatrix,
    BaseLevels,
    Intervals,
    Responses,
    Report,
    Diagram,
    // The windows of the model's statistics and pictures are listed after
    // the plan's own windows, when they are open; the plan's actions know
    // nothing of them.
    Statistics,
    Contour,
    Residuals,
    Effects,
    Interaction,
    Trace,
    // The evaluation of the plan, before any response.
    Evaluation
};
constexpr int PlanWindowCount = 7;

// The window's caption, which is also its key in the lists (UTF-8).
const char* PlanWindowCaption(TPlanWindow window);

// The three window-list operations of the Window menu.
enum class TListOperation { Minimize, Show, Arrange };

// The plan action that guards the operation (47, 48, 49).
std::int32_t ListOperationAction(TListOperation operation);

// A rectangle in the main window's client area, edges inclusive of left and
// top: width = Right - Left, height = Bottom - Top.
struct TWindowRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const TWindowRect&) const = default;
};

// The windows an operation lists, in list order, asking the plan's actions
// (minimize 40..45 and 46 for the diagram; show 33..38 and 39; arrange
// 40..45 and 46).
std::vector<TPlanWindow> ListedWindows(TListOperation operation, TPlanService& service);

// Where arranging puts the six data and report windows inside `area`; only
// the checked windows get a rectangle. Index by TPlanWindow (the diagram,
// index 6, is never placed here: it arranges itself).
std::array<std::optional<TWindowRect>, 6> ArrangeGeometry(const TWindowRect& area,
                                                          const std::array<bool, 6>& checked);

// The order in which arranging places the windows: bottom row first, right
// before left, so that the code matrix ends up in front.
constexpr std::array<TPlanWindow, 6> ArrangeOrder = {
    TPlanWindow::Report,     TPlanWindow::Responses,     TPlanWindow::Intervals,
    TPlanWindow::BaseLevels, TPlanWindow::NaturalMatrix, TPlanWindow::CodeMatrix};

} // namespace orvanta
