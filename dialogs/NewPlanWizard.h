#pragma once

#include "plan/PlanHost.h"
#include "services/ModuleChecks.h"

#include <memory>
#include <optional>

class QWidget;

namespace orvanta {

class TMathCatalog;
class TStepOneForm;
class TStepTwoForm;
class TStepTwoForm_A;
class TStepThreeForm;
class TStepFourForm;
class TBadAddensForm;
class TNewDialog;

// The new-plan wizard: its four step windows, the bad-addens dialog and the
// built-in plan dialog, created once and kept, so that every answer is still
// there the next time the wizard runs. The windows are children of `parent`;
// the wizard must go before its parent does.
class TNewPlanWizard {
public:
    explicit TNewPlanWizard(QWidget* parent);
    ~TNewPlanWizard();
    TNewPlanWizard(const TNewPlanWizard&) = delete;
    TNewPlanWizard& operator=(const TNewPlanWizard&) = delete;

    // Step 1 offers only what the loaded math modules allow (set once at
    // start-up): a choice not allowed is disabled and not left checked.
    void Restrict(const TWizardChoices& choices);
    // Runs the steps modally in sequence over the registry; the answers when
    // the person finished, nullopt when cancelled. The term list of step 4
    // is handed over only when the wizard was finished there (otherwise a
    // ready model stands for the terms).
    std::optional<TNewPlanAnswers> Run(const TMathCatalog& catalog);
    // The built-in plan dialog: kind and k, nullopt when cancelled.
    std::optional<TBuiltinPlanAnswer> RunBuiltin();

    TStepOneForm& StepOne() const { return *StepOneForm; }
    TStepTwoForm& StepTwo() const { return *StepTwoForm; }
    TStepTwoForm_A& StepTwoA() const { return *StepTwoForm_A; }
    TStepThreeForm& StepThree() const { return *StepThreeForm; }
    TStepFourForm& StepFour() const { return *StepFourForm; }
    TBadAddensForm& BadAddens() const { return *BadAddensForm; }
    TNewDialog& BuiltinDialog() const { return *NewDialog; }

private:
    std::unique_ptr<TStepOneForm> StepOneForm;
    std::unique_ptr<TStepTwoForm> StepTwoForm;
    std::unique_ptr<TStepTwoForm_A> StepTwoForm_A;
    std::unique_ptr<TStepThreeForm> StepThreeForm;
    std::unique_ptr<TStepFourForm> StepFourForm;
    std::unique_ptr<TBadAddensForm> BadAddensForm;
    std::unique_ptr<TNewDialog> NewDialog;
};

} // namespace orvanta
