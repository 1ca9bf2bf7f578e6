#pragma once

#include "plan/PlanHost.h"
#include "shell/WindowListHandler.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace orvanta {

class TMTEditForm;
class TReportForm;
class TSingleWindow;
class TStatisticsWindow;
class TPlotWindows;
class TPlanService;

// The plan's five data windows and its report window inside the main
// window's multiple-document area. Each is created once on its first
// showing and titled with the plan's window caption; closing one minimises
// it, since the plan owns it.
class TPlanWindows : public TWindowListOps {
public:
    // `refreshTitle` runs when an editor's data or state change.
    TPlanWindows(QMdiArea& area, TPlanService& service, std::function<void()> refreshTitle);
    ~TPlanWindows() override;

    void ShowData(TDataWindow window);
    void MinimizeData(TDataWindow window);
    void RefreshData(TDataWindow window);
    void CloseData(TDataWindow window);
    bool IsDataOpen(TDataWindow window) const;
    bool IsDataMinimized(TDataWindow window) const;
    bool IsDataEdited(TDataWindow window) const;
    void ClearDataEdited(TDataWindow window);
    TMTEditForm* Editor(TDataWindow window) const;
    // The tool-bar hints of the editors follow the options.
    void ApplyOptions();

    void ShowReport();
    void MinimizeReport();
    void CloseReport();
    bool IsReportOpen() const;
    bool IsReportMinimized() const;
    bool IsReportEdited() const;
    bool SaveReport();
    TReportForm* Report() const;

    // Closes every window of the plan (at shutdown).
    void CloseAll();
    QMdiSubWindow* SubWindow(TPlanWindow window) const;

    // TWindowListOps
    void ShowPlanWindow(TPlanWindow window) override;
    void MinimizePlanWindow(TPlanWindow window) override;
    void PlacePlanWindow(TPlanWindow window, const TWindowRect& rect) override;
    void ArrangeDiagram() override;
    std::vector<TPlanWindow> ExtraWindows(TListOperation operation) const override;
    // The model's windows the lists act upon.
    void SetModelWindows(TStatisticsWindow* statistics, TPlotWindows* plots,
                         TSingleWindow* evaluation) {
        Statistics = statistics;
        Plots = plots;
        Evaluation = evaluation;
    }

private:
    void Attach(TMTEditForm& editor, TDataWindow window);
    QMdiSubWindow* AddWindow(TPlanWindow window, QWidget* contents);
    void Close(TPlanWindow window);
    static void ShowNormal(QMdiSubWindow* sub);

    QMdiArea& Area;
    TPlanService& Service;
    std::function<void()> RefreshTitle;
    QPointer<QMdiSubWindow> Windows[6];
    TStatisticsWindow* Statistics = nullptr;
    TPlotWindows* Plots = nullptr;
    TSingleWindow* Evaluation = nullptr;
    // The number of the composed report the window shows.
    std::optional<std::uint64_t> LoadedReport;
};

} // namespace orvanta
