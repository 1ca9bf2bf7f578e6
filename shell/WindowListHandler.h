#pragma once

#include "shell/WindowArrangement.h"

#include <memory>
#include <vector>

class QWidget;

namespace orvanta {

class TFormList;
class TPlanService;

// What the window lists do to the plan's windows; the plan host implements it
// over the multiple-document area.
class TWindowListOps {
public:
    virtual ~TWindowListOps() = default;
    // Restores the window to normal (the report through RestoreReportWindow,
    // the diagram by telling its view to show itself).
    virtual void ShowPlanWindow(TPlanWindow window) = 0;
    virtual void MinimizePlanWindow(TPlanWindow window) = 0;
    // Normal state, then moved to the rectangle, then brought to the front.
    virtual void PlacePlanWindow(TPlanWindow window, const TWindowRect& rect) = 0;
    // The diagram's view arranges itself.
    virtual void ArrangeDiagram() = 0;
    // The windows of the model beside the plan's that the operation lists
    // (open and, for showing, minimised; otherwise not minimised).
    virtual std::vector<TPlanWindow> ExtraWindows(TListOperation /*operation*/) const { return {}; }
};

// The three window-list dialogs ("Свернуть", "Показать", "Расположить окна")
// and the operations that run them.
class TWindowListHandler {
public:
    TWindowListHandler(TPlanService& service, TWindowListOps& ops, QWidget* parent);
    ~TWindowListHandler();

    // The common part of the operations: the list built from the plan's
    // actions, the dialog shown when its "Всегда выводить этот список" is
    // checked (anything but OK stops; OK stores the check box into the
    // operation's setting), then the checked windows acted upon in list order.
    bool Minimize();
    bool Show();
    bool Arrange(const TWindowRect& area);

    TFormList& Dialog(TListOperation operation);
    // The three check boxes from the settings (after the options dialog).
    void ApplyOptions();

private:
    bool Run(TListOperation operation, const TWindowRect* area);
    // Rows of code and natural matrix, base levels and intervals, responses
    // and report, then the diagram, which arranges itself.
    void Place(const std::vector<TPlanWindow>& checked, const TWindowRect& area);

    TPlanService& Service;
    TWindowListOps& Ops;
    std::unique_ptr<TFormList> Dialogs[3];
};

} // namespace orvanta
