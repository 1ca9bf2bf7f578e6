#pragma once

#include "plan/PlanHost.h"

#include <QList>

#include <array>
#include <memory>
#include <vector>

namespace orvanta {

class TMainForm;
struct TWizardChoices;
class TPlanWindows;
class TGraphWindows;
class TStatisticsWindow;
class TEvaluationWindow;
class TPlotWindows;
class TDiagramWizard;
class TSurfaceWizard;
class TWindowListHandler;
class TStringInputDlg;
class TFloatInputDlg;
class TKNamesForm;
class TYMparams;
class TExProgress;
class TNewPlanWizard;
class TModelChangeDialog;
class TAverageDialog;
class TSecondOrderDialog;
class TExtremumDialog;
class TExtremumResultDialog;
class TResultCompleteForm;
class TTranslateDialog;
class TCheckPointDlg;
struct TFilterEntry;

// The plan's host in the desktop program: message boxes, the input and file
// dialogs, and the plan's windows inside the main window. Dialogs that the
// program has not yet got answer as if cancelled.
class TQtPlanHost : public TPlanHost {
public:
    explicit TQtPlanHost(TMainForm& main);
    ~TQtPlanHost() override;

    // Made once the plan and its services exist (the dialogs of the program
    // are created once, in a fixed order, by the main window).
    void CreateWindows();
    void CreateInputDialogs();
    // The dialogs of the plan commands, created once at start-up.
    void CreatePlanDialogs();
    // Step 1 of the wizard offers what the math modules found at start-up allow.
    void RestrictWizard(const TWizardChoices& choices);
    TPlanWindows& Windows() { return *PlanWindows; }
    TGraphWindows& Graphs() { return *GraphWindows; }
    TStatisticsWindow& Statistics() { return *StatisticsWindow; }
    TEvaluationWindow& Evaluation() { return *EvaluationWindow; }
    TPlotWindows& Plots() { return *PlotWindows; }
    TWindowListHandler& WindowLists() { return *ListHandler; }

    // ---- TMessageHost ----
    void ShowMessage(TMessageKind kind, const std::string& text) override;
    TAnswer AskYesNo(const std::string& text) override;
    TAnswer AskYesNoCancel(const std::string& text) override;
    std::optional<std::string> InputString(const std::string& initial,
                                           const std::string& caption) override;
    std::optional<double> InputReal(const std::string& initial,
                                    const std::string& caption) override;

    // ---- Dialogs of the plan commands ----
    std::optional<TNewPlanAnswers> RunNewPlanWizard() override;
    std::optional<TBuiltinPlanAnswer> RunBuiltinPlanDialog() override;
    std::optional<TRepeatsAnswer> RunRepeatsDialog(const TRepeatsRequest& request) override;
    std::optional<std::vector<std::string>>
    RunFactorNamesDialog(const std::vector<std::string>& names) override;
    TResultFormChoices ShowResultForm(const TResultForm& form) override;
    std::optional<TModelChange> RunModelChangeDialog(const TModelChangeRequest& request) override;
    void ShowAveragesDialog(const std::vector<double>& means) override;
    std::optional<TExtremumAnswer> RunExtremumDialog(const TExtremumRequest& request) override;
    std::unique_ptr<TExtremumProgress> ShowExtremumProgress(const std::string& caption,
                                                            double value,
                                                            const std::string& status) override;
    void ShowExtremumResult(const std::vector<double>& point, double value) override;
    std::optional<TSecondOrderAnswer> RunSecondOrderKindDialog() override;
    std::optional<TDiagramAnswer> RunDiagramWizard() override;
    std::optional<TSurfaceAnswer> RunSurfaceWizard() override;
    void RunTranslateDialog() override;
    // The same dialog opened at a coded point (the stationary point of the
    // statistics window).
    void RunTranslateDialogAt(const std::vector<double>& coded);

    // ---- File dialogs ----
    std::optional<TFileChoice> RunOpenDialog(const TFileDialogRequest& request) override;
    std::optional<TFileChoice> RunSaveDialog(const TFileDialogRequest& request) override;

    // ---- Windows ----
    void ShowDataWindow(TDataWindow window) override;
    void MinimizeDataWindow(TDataWindow window) override;
    void RefreshDataWindow(TDataWindow window) override;
    void CloseDataWindow(TDataWindow window) override;
    bool IsDataWindowOpen(TDataWindow window) const override;
    bool IsDataWindowMinimized(TDataWindow window) const override;
    bool IsDataWindowEdited(TDataWindow window) const override;
    void ClearDataWindowEdited(TDataWindow window) override;
    void ShowReportWindow() override;
    void MinimizeReportWindow() override;
    void CloseReportWindow() override;
    bool IsReportWindowOpen() const override;
    bool IsReportWindowMinimized() const override;
    bool IsReportEdited() const override;
    bool SaveReport() override;
    bool RunWindowList(TWindowList list) override;
    bool ArrangeWindows(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom) override;
    void ApplyOptions() override;
    void* MainWindowHandle() const override;
    void ShowCheckPointWindow() override;
    void CloseCheckPointWindow() override;
    void ShowGraphWindow(TGraphWindow window) override;
    void CloseGraphWindow(TGraphWindow window) override;
    void ApplyGraphOptions(TGraphWindow window) override;
    void RefreshCommands() override;

    // The check-point window, once it exists.
    TCheckPointDlg* CheckPointWindow() const { return CheckPoint.get(); }
    // The main window's clock asks for it after an editor of the check-point
    // window closed: the window comes back above the main window.
    void BringCheckPointForward();

private:
    void CreatePointDialogs();
    void OpenTranslateDialog(const std::vector<double>* start);
    // The plan's close handler of the check-point window.
    void CheckPointClosed();

    std::optional<TFileChoice> RunFileDialog(bool save, const TFileDialogRequest& request);

    TMainForm& Main;
    std::unique_ptr<TPlanWindows> PlanWindows;
    std::unique_ptr<TGraphWindows> GraphWindows;
    std::unique_ptr<TStatisticsWindow> StatisticsWindow;
    std::unique_ptr<TEvaluationWindow> EvaluationWindow;
    std::unique_ptr<TPlotWindows> PlotWindows;
    std::unique_ptr<TDiagramWizard> DiagramWizard;
    // Uses the diagram wizard's levels page: destroyed before it.
    std::unique_ptr<TSurfaceWizard> SurfaceWizard;
    std::unique_ptr<TWindowListHandler> ListHandler;
    std::unique_ptr<TStringInputDlg> StringInput;
    std::unique_ptr<TFloatInputDlg> FloatInput;
    std::unique_ptr<TKNamesForm> KNamesForm;
    std::unique_ptr<TYMparams> YMparams;
    std::unique_ptr<TExProgress> ExProgress;
    std::unique_ptr<TNewPlanWizard> Wizard;
    std::unique_ptr<TModelChangeDialog> ModelChange;
    std::unique_ptr<TAverageDialog> Averages;
    std::unique_ptr<TSecondOrderDialog> SecondOrder;
    std::unique_ptr<TExtremumDialog> Extremum;
    std::unique_ptr<TExtremumResultDialog> ExtremumResult;
    // Homogeneity, regression, Fisher, check point (in TResultFormKind order).
    std::array<std::unique_ptr<TResultCompleteForm>, 4> ResultForms;
    std::unique_ptr<TTranslateDialog> Translate;
    std::unique_ptr<TCheckPointDlg> CheckPoint;
};

// The filter entries of a file dialog: "Текстовые файлы (*.txt)", then
// "Все файлы (*.*)".
QList<TFilterEntry> FileFilterEntries(TFileFilter filter);

} // namespace orvanta
