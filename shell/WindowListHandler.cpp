#include "shell/WindowListHandler.h"

#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/FormList.h"

#include <algorithm>
#include <cstddef>

namespace orvanta {

namespace {

std::size_t Index(TListOperation operation) {
    return static_cast<std::size_t>(operation);
}

bool& ShowListSetting(TListOperation operation) {
    TSettings& settings = Settings();
    switch (operation) {
    case TListOperation::Minimize:
        return settings.CBShowHideList;
    case TListOperation::Show:
        return settings.CBShowShowList;
    case TListOperation::Arrange:
        break;
    }
    return settings.CBShowArrangeList;
}

bool Contains(const std::vector<TPlanWindow>& windows, TPlanWindow window) {
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

} // namespace

TWindowListHandler::TWindowListHandler(TPlanService& service, TWindowListOps& ops, QWidget* parent)
    : Service(service), Ops(ops) {
    Dialogs[Index(TListOperation::Minimize)] = std::make_unique<TMinimizeDialog>(parent);
    Dialogs[Index(TListOperation::Show)] = std::make_unique<TShowDialog>(parent);
    Dialogs[Index(TListOperation::Arrange)] = std::make_unique<TArrangeDialog>(parent);
}

TWindowListHandler::~TWindowListHandler() = default;

TFormList& TWindowListHandler::Dialog(TListOperation operation) {
    return *Dialogs[Index(operation)];
}

void TWindowListHandler::ApplyOptions() {
    for (TListOperation operation :
         {TListOperation::Minimize, TListOperation::Show, TListOperation::Arrange})
        Dialog(operation).SetShowAlways(ShowListSetting(operation));
}

bool TWindowListHandler::Minimize() {
    return Run(TListOperation::Minimize, nullptr);
}

bool TWindowListHandler::Show() {
    return Run(TListOperation::Show, nullptr);
}

bool TWindowListHandler::Arrange(const TWindowRect& area) {
    return Run(TListOperation::Arrange, &area);
}

bool TWindowListHandler::Run(TListOperation operation, const TWindowRect* area) {
    if (!Service.Can(ListOperationAction(operation)))
        return false;
    TFormList& dialog = Dialog(operation);
    std::vector<TPlanWindow> listed = ListedWindows(operation, Service);
    for (TPlanWindow extra : Ops.ExtraWindows(operation))
        listed.push_back(extra);
    dialog.SetWindows(listed);
    if (dialog.ShowAlways()) {
        if (dialog.exec() != QDialog::Accepted) {
            // A cancelled dialog changes nothing, its own check box included.
            dialog.SetShowAlways(true);
            return false;
        }
        ShowListSetting(operation) = dialog.ShowAlways();
    }

    const std::vector<TPlanWindow> checked = dialog.CheckedWindows();
    switch (operation) {
    case TListOperation::Minimize:
        for (TPlanWindow window : checked)
            Ops.MinimizePlanWindow(window);
        break;
    case TListOperation::Show:
        for (TPlanWindow window : checked)
            Ops.ShowPlanWindow(window);
        break;
    case TListOperation::Arrange:
        Place(checked, *area);
        break;
    }
    return true;
}

void TWindowListHandler::Place(const std::vector<TPlanWindow>& checked, const TWindowRect& area) {
    std::array<bool, 6> placed{};
    for (std::size_t i = 0; i < placed.size(); ++i)
        placed[i] = Contains(checked, static_cast<TPlanWindow>(i));
    const auto rects = ArrangeGeometry(area, placed);
    for (TPlanWindow window : ArrangeOrder)
        if (const auto& rect = rects[static_cast<std::size_t>(window)])
            Ops.PlacePlanWindow(window, *rect);
    if (Contains(checked, TPlanWindow::Diagram))
        Ops.ArrangeDiagram();
    // The model's windows keep their places and come to the front.
    for (TPlanWindow window : checked)
        if (window >= TPlanWindow::Statistics)
            Ops.ShowPlanWindow(window);
}

} // namespace orvanta
