#include "shell/WindowArrangement.h"

#include "services/PlanService.h"

#include <cmath>
#include <cstddef>

namespace orvanta {

namespace {

constexpr std::size_t Index(TPlanWindow window) {
    return static_cast<std::size_t>(window);
}

// Nearest integer, ties to the even neighbour: the rounding the floating-point
// unit does in its default mode, made explicit so that no mode set elsewhere
// can move a window by a pixel.
std::int32_t RoundNearest(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        result += 1.0;
    return static_cast<std::int32_t>(result);
}

// The first action of the five data windows and the report, and the
// diagram's action, per operation.
struct TListActions {
    std::int32_t First;
    std::int32_t Diagram;
};

TListActions ActionsOf(TListOperation operation) {
    if (operation == TListOperation::Show)
        return {33, 39};
    return {40, 46};
}

// Where a row splits between its left and right window: a lone window takes
// the whole width.
std::int32_t ColumnSplit(const TWindowRect& area, bool left, bool right) {
    if (left && !right)
        return area.Right;
    if (right && !left)
        return area.Left;
    return RoundNearest(area.Left + 0.5 * (area.Right - area.Left));
}

} // namespace

const char* PlanWindowCaption(TPlanWindow window) {
    switch (window) {
    case TPlanWindow::CodeMatrix:
        return "Матрица плана в кодовом выражении";
    case TPlanWindow::NaturalMatrix:
        return "Матрица плана в натуральном выражении";
    case TPlanWindow::BaseLevels:
        return "Вектор основных уровней";
    case TPlanWindow::Intervals:
        return "Вектор интервалов варьирования";
    case TPlanWindow::Responses:
        return "Матрица откликов";
    case TPlanWindow::Report:
        return "Окно отчета";
    case TPlanWindow::Diagram:
        return "Диаграмма";
    case TPlanWindow::Statistics:
        return "Статистика модели";
    case TPlanWindow::Contour:
        return "Контурный график";
    case TPlanWindow::Residuals:
        return "Диагностика остатков";
    case TPlanWindow::Effects:
        return "Эффекты";
    case TPlanWindow::Interaction:
        return "Взаимодействие";
    case TPlanWindow::Trace:
        return "Трассировка";
    case TPlanWindow::Evaluation:
        return "Оценка плана";
    }
    return "";
}

std::int32_t ListOperationAction(TListOperation operation) {
    switch (operation) {
    case TListOperation::Minimize:
        return 47;
    case TListOperation::Show:
        return 48;
    case TListOperation::Arrange:
        return 49;
    }
    return 47;
}

std::vector<TPlanWindow> ListedWindows(TListOperation operation, TPlanService& service) {
    const TListActions actions = ActionsOf(operation);
    std::vector<TPlanWindow> listed;
    for (int i = 0; i < PlanWindowCount; ++i) {
        const auto window = static_cast<TPlanWindow>(i);
        const std::int32_t action =
            window == TPlanWindow::Diagram ? actions.Diagram : actions.First + i;
        if (service.Can(action))
            listed.push_back(window);
    }
    return listed;
}

std::array<std::optional<TWindowRect>, 6> ArrangeGeometry(const TWindowRect& area,
                                                          const std::array<bool, 6>& checked) {
    const auto on = [&](TPlanWindow window) { return checked[Index(window)]; };
    const bool row1 = on(TPlanWindow::CodeMatrix) || on(TPlanWindow::NaturalMatrix);
    const bool row2 = on(TPlanWindow::BaseLevels) || on(TPlanWindow::Intervals);
    const bool row3 = on(TPlanWindow::Responses) || on(TPlanWindow::Report);

    const std::int32_t t = area.Top;
    const std::int32_t b = area.Bottom;
    const double h = b - t;
    // The top of row 2 (y1) and of row 3 (y2); rows left out collapse to
    // nothing at the edge they would have shared.
    std::int32_t y1 = t;
    std::int32_t y2 = t;
    if (row1 && row2 && row3) {
        y1 = RoundNearest(t + 0.35 * h);
        y2 = RoundNearest(y1 + 0.25 * h);
    } else if (row1 && row2) {
        y1 = RoundNearest(t + 0.7 * h);
        y2 = b;
    } else if (row1 && row3) {
        y1 = y2 = RoundNearest(t + 0.4 * h);
    } else if (row2 && row3) {
        y2 = RoundNearest(t + 0.3 * h);
    } else if (row1) {
        y1 = y2 = b;
    } else if (row2) {
        y2 = b;
    }

    const std::int32_t x1 =
        ColumnSplit(area, on(TPlanWindow::CodeMatrix), on(TPlanWindow::NaturalMatrix));
    const std::int32_t x2 =
        ColumnSplit(area, on(TPlanWindow::BaseLevels), on(TPlanWindow::Intervals));
    const std::int32_t x3 = ColumnSplit(area, on(TPlanWindow::Responses), on(TPlanWindow::Report));

    const TWindowRect places[6] = {
        {area.Left, t, x1, y1},   {x1, t, area.Right, y1}, {area.Left, y1, x2, y2},
        {x2, y1, area.Right, y2}, {area.Left, y2, x3, b},  {x3, y2, area.Right, b},
    };
    std::array<std::optional<TWindowRect>, 6> result;
    for (std::size_t i = 0; i < result.size(); ++i)
        if (checked[i])
            result[i] = places[i];
    return result;
}

} // namespace orvanta
