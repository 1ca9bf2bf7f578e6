#pragma once

#include "plan/PlanHost.h"

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orvanta::test {

// One message box as the person would have seen it.
struct TMessageRecord {
    TMessageKind Kind;
    std::string Text;
    bool operator==(const TMessageRecord&) const = default;
};

// A plan host for tests: dialogs answer from queues filled by the test (an
// empty queue, or a queued nullopt, is a cancel), questions answer from their
// own queue, and every message, question and window request is recorded.
// An unexpected question or dialog is reported as a test failure.
class TScriptedHost : public TPlanHost {
public:
    // ---- Scripted answers ----
    std::deque<TAnswer> Answers;
    std::deque<std::optional<std::string>> StringInputs;
    std::deque<std::optional<double>> RealInputs;
    std::deque<std::optional<TNewPlanAnswers>> WizardAnswers;
    std::deque<std::optional<TBuiltinPlanAnswer>> BuiltinPlanAnswers;
    std::deque<std::optional<TRepeatsAnswer>> RepeatsAnswers;
    std::deque<std::optional<std::vector<std::string>>> FactorNamesAnswers;
    std::deque<std::optional<TModelChange>> ModelChangeAnswers;
    // Check boxes the result forms give back; without one queued a form
    // gives back what it was shown with.
    std::deque<TResultFormChoices> ResultFormChoices;
    std::deque<std::optional<TExtremumAnswer>> ExtremumAnswers;
    std::deque<std::optional<TSecondOrderAnswer>> SecondOrderAnswers;
    // What the progress window's Poll answers, one entry per poll; None when
    // the queue is empty.
    std::deque<TProgressRequest> ProgressRequests;
    std::deque<std::optional<TDiagramAnswer>> DiagramAnswers;
    std::deque<std::optional<TSurfaceAnswer>> SurfaceAnswers;
    std::deque<std::optional<TFileChoice>> OpenDialogAnswers;
    std::deque<std::optional<TFileChoice>> SaveDialogAnswers;
    std::vector<TFileDialogRequest> FileDialogs;
    // Data windows holding unsaved edits; the report's edits; what saving
    // the report answers.
    std::set<TDataWindow> EditedWindows;
    bool ReportEdited = false;
    bool SaveReportResult = true;

    // ---- What happened ----
    std::vector<TMessageRecord> Messages;
    std::vector<std::string> Questions;
    std::vector<TRepeatsRequest> RepeatsRequests;
    std::vector<std::vector<std::string>> FactorNamesRequests;
    std::vector<TResultForm> ResultForms;
    std::vector<TModelChangeRequest> ModelChangeRequests;
    std::vector<std::vector<double>> AveragesShown;
    std::vector<TExtremumRequest> ExtremumRequests;
    // The progress windows: caption, and every update, status and wait.
    std::vector<std::string> ProgressLog;
    std::int32_t ProgressPolls = 0;
    std::vector<std::pair<std::vector<double>, double>> ExtremumResults;
    // Window requests as short texts: "show CodeMatrix", "refresh Responses",
    // "show report", "check point", "refresh commands" ...
    std::vector<std::string> Requests;
    std::set<TDataWindow> OpenWindows;
    std::set<TDataWindow> MinimizedWindows;
    bool ReportOpen = false;
    bool ReportMinimized = false;

    // Shortcuts for tests.
    void QueueBuiltinPlan(std::int32_t kind, std::int32_t k);
    void QueueRepeats(std::int32_t m, const std::string& responseName = "Отклик системы");
    std::vector<std::string> MessageTexts() const;
    std::size_t CountRequests(const std::string& request) const;
    void ClearRecords();

    // ---- TMessageHost ----
    void ShowMessage(TMessageKind kind, const std::string& text) override;
    TAnswer AskYesNo(const std::string& text) override;
    TAnswer AskYesNoCancel(const std::string& text) override;
    std::optional<std::string> InputString(const std::string& initial,
                                           const std::string& caption) override;
    std::optional<double> InputReal(const std::string& initial,
                                    const std::string& caption) override;

    // ---- TPlanHost ----
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
    void RunTranslateDialog() override { Requests.push_back("translate"); }
    std::optional<TFileChoice> RunOpenDialog(const TFileDialogRequest& request) override;
    std::optional<TFileChoice> RunSaveDialog(const TFileDialogRequest& request) override;
    void ShowDataWindow(TDataWindow window) override;
    void MinimizeDataWindow(TDataWindow window) override;
    void RefreshDataWindow(TDataWindow window) override;
    void CloseDataWindow(TDataWindow window) override;
    bool IsDataWindowOpen(TDataWindow window) const override;
    bool IsDataWindowMinimized(TDataWindow window) const override;
    bool IsDataWindowEdited(TDataWindow window) const override {
        return EditedWindows.count(window) != 0;
    }
    void ClearDataWindowEdited(TDataWindow window) override { EditedWindows.erase(window); }
    void ShowReportWindow() override;
    void MinimizeReportWindow() override;
    void CloseReportWindow() override;
    bool IsReportWindowOpen() const override { return ReportOpen; }
    bool IsReportWindowMinimized() const override { return ReportMinimized; }
    bool IsReportEdited() const override { return ReportEdited; }
    bool SaveReport() override;
    bool RunWindowList(TWindowList list) override;
    bool ArrangeWindows(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom) override;
    void ApplyOptions() override { Requests.push_back("apply options"); }
    void* MainWindowHandle() const override { return nullptr; }
    void ShowCheckPointWindow() override;
    void CloseCheckPointWindow() override { Requests.push_back("close check point"); }
    void ShowGraphWindow(TGraphWindow window) override;
    void CloseGraphWindow(TGraphWindow window) override;
    void ApplyGraphOptions(TGraphWindow window) override;
    void RefreshCommands() override;

private:
    TAnswer NextAnswer(const std::string& text, TAnswer fallback);
};

const char* DataWindowName(TDataWindow window);

} // namespace orvanta::test
