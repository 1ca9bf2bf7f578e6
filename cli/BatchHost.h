#pragma once

#include "plan/SilentPlanHost.h"

#include <optional>

namespace orvanta::cli {

// The plan host of the batch tool: every dialog is answered from the
// command line, questions about doubtful computations get No unless the
// person said --yes, result forms stay closed, and messages go to standard
// error with their kind.
class TBatchHost : public TSilentPlanHost {
public:
    bool AnswerYes = false;
    std::optional<TNewPlanAnswers> NewPlanAnswers;
    std::optional<TBuiltinPlanAnswer> BuiltinAnswer;
    std::optional<TRepeatsAnswer> RepeatsAnswer;
    TModelChange ModelChange = TModelChange::ZeroInsignificant;
    std::optional<TFileChoice> SaveChoice;
    std::optional<TDiagramAnswer> DiagramAnswer;
    std::optional<TSurfaceAnswer> SurfaceAnswer;

    TAnswer AskYesNo(const std::string&) override;
    TAnswer AskYesNoCancel(const std::string&) override;
    std::optional<TNewPlanAnswers> RunNewPlanWizard() override { return NewPlanAnswers; }
    std::optional<TBuiltinPlanAnswer> RunBuiltinPlanDialog() override { return BuiltinAnswer; }
    std::optional<TRepeatsAnswer> RunRepeatsDialog(const TRepeatsRequest&) override {
        return RepeatsAnswer;
    }
    TResultFormChoices ShowResultForm(const TResultForm&) override { return {false, false}; }
    std::optional<TModelChange> RunModelChangeDialog(const TModelChangeRequest&) override {
        return ModelChange;
    }
    std::optional<TFileChoice> RunSaveDialog(const TFileDialogRequest&) override {
        return SaveChoice;
    }
    std::optional<TDiagramAnswer> RunDiagramWizard() override { return DiagramAnswer; }
    std::optional<TSurfaceAnswer> RunSurfaceWizard() override { return SurfaceAnswer; }
    std::unique_ptr<TExtremumProgress> ShowExtremumProgress(const std::string& caption,
                                                            double value,
                                                            const std::string& status) override;
};

} // namespace orvanta::cli
