#pragma once

#include "plan/PlanHost.h"

namespace orvanta {

// A plan host without a person: messages go to standard error, every
// question is answered No (or Cancel), every dialog is cancelled, result
// forms keep their check boxes, and windows are neither opened nor shown.
// Programs without windows (benchmarks, the batch tool) start from it and
// override what they can answer.
class TSilentPlanHost : public TPlanHost {
public:
    void ShowMessage(TMessageKind kind, const std::string& text) override {
        WriteMessageToStandardError(kind, text);
    }
    TAnswer AskYesNo(const std::string&) override { return TAnswer::No; }
    TAnswer AskYesNoCancel(const std::string&) override { return TAnswer::Cancel; }
    std::optional<std::string> InputString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<double> InputReal(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<TNewPlanAnswers> RunNewPlanWizard() override { return std::nullopt; }
    std::optional<TBuiltinPlanAnswer> RunBuiltinPlanDialog() override { return std::nullopt; }
    std::optional<TRepeatsAnswer> RunRepeatsDialog(const TRepeatsRequest&) override {
        return std::nullopt;
    }
    std::optional<std::vector<std::string>>
    RunFactorNamesDialog(const std::vector<std::string>&) override {
        return std::nullopt;
    }
    TResultFormChoices ShowResultForm(const TResultForm& form) override {
        return {form.ShowAlways, form.ActivateReport};
    }
    std::optional<TModelChange> RunModelChangeDialog(const TModelChangeRequest&) override {
        return std::nullopt;
    }
    void ShowAveragesDialog(const std::vector<double>&) override {}
    std::optional<TExtremumAnswer> RunExtremumDialog(const TExtremumRequest&) override {
        return std::nullopt;
    }
    std::unique_ptr<TExtremumProgress> ShowExtremumProgress(const std::string&, double,
                                                            const std::string&) override;
    void ShowExtremumResult(const std::vector<double>&, double) override {}
    std::optional<TSecondOrderAnswer> RunSecondOrderKindDialog() override { return std::nullopt; }
    std::optional<TDiagramAnswer> RunDiagramWizard() override { return std::nullopt; }
    std::optional<TSurfaceAnswer> RunSurfaceWizard() override { return std::nullopt; }
    void RunTranslateDialog() override {}
    std::optional<TFileChoice> RunOpenDialog(const TFileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<TFileChoice> RunSaveDialog(const TFileDialogRequest&) override {
        return std::nullopt;
    }
    void ShowDataWindow(TDataWindow) override {}
    void MinimizeDataWindow(TDataWindow) override {}
    void RefreshDataWindow(TDataWindow) override {}
    void CloseDataWindow(TDataWindow) override {}
    bool IsDataWindowOpen(TDataWindow) const override { return false; }
    bool IsDataWindowMinimized(TDataWindow) const override { return false; }
    bool IsDataWindowEdited(TDataWindow) const override { return false; }
    void ClearDataWindowEdited(TDataWindow) override {}
    void ShowReportWindow() override {}
    void MinimizeReportWindow() override {}
    void CloseReportWindow() override {}
    bool IsReportWindowOpen() const override { return false; }
    bool IsReportWindowMinimized() const override { return false; }
    bool IsReportEdited() const override { return false; }
    bool SaveReport() override { return false; }
    bool RunWindowList(TWindowList) override { return false; }
    bool ArrangeWindows(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
        return false;
    }
    void ApplyOptions() override {}
    void* MainWindowHandle() const override { return nullptr; }
    void ShowCheckPointWindow() override {}
    void CloseCheckPointWindow() override {}
    void ShowGraphWindow(TGraphWindow) override {}
    void CloseGraphWindow(TGraphWindow) override {}
    void ApplyGraphOptions(TGraphWindow) override {}
    void RefreshCommands() override {}
};

// A progress window nobody looks at: nothing is shown, nothing is asked.
class TSilentProgress : public TExtremumProgress {
public:
    void Update(std::int32_t, double) override {}
    TProgressRequest Poll() override { return TProgressRequest::None; }
    void SetStatus(const std::string&) override {}
    void WaitForKeyRelease() override {}
};

inline std::unique_ptr<TExtremumProgress>
TSilentPlanHost::ShowExtremumProgress(const std::string&, double, const std::string&) {
    return std::make_unique<TSilentProgress>();
}

} // namespace orvanta
