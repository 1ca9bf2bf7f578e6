#include "dialogs/NewPlanWizard.h"

#include "dialogs/BadAddensForm.h"
#include "dialogs/NewDialog.h"
#include "dialogs/NewPlanWizardLogic.h"
#include "dialogs/StepFourForm.h"
#include "dialogs/StepOneForm.h"
#include "dialogs/StepThreeForm.h"
#include "dialogs/StepTwoForm.h"
#include "dialogs/StepTwoForm_A.h"

#include <QRadioButton>

namespace orvanta {

namespace {

// Unchecks a radio button of an exclusive group (Qt refuses setChecked(false)
// on the checked one).
void Uncheck(QRadioButton& button) {
    button.setAutoExclusive(false);
    button.setChecked(false);
    button.setAutoExclusive(true);
}

} // namespace

TNewPlanWizard::TNewPlanWizard(QWidget* parent)
    : StepOneForm(std::make_unique<TStepOneForm>(parent)),
      StepTwoForm(std::make_unique<TStepTwoForm>(parent)),
      StepTwoForm_A(std::make_unique<TStepTwoForm_A>(parent)),
      StepThreeForm(std::make_unique<TStepThreeForm>(parent)),
      StepFourForm(std::make_unique<TStepFourForm>(parent)),
      BadAddensForm(std::make_unique<TBadAddensForm>(parent)),
      NewDialog(std::make_unique<TNewDialog>(parent)) {
    StepFourForm->SetBadAddensDialog(
        [this](const std::vector<std::string>& lines) { BadAddensForm->Run(lines); });
}

TNewPlanWizard::~TNewPlanWizard() = default;

void TNewPlanWizard::Restrict(const TWizardChoices& choices) {
    QRadioButton* fromGen = StepOneForm->RBFromGen;
    QRadioButton* custom = StepOneForm->RBCustom;
    fromGen->setEnabled(choices.GeneratorAllowed);
    custom->setEnabled(choices.NonStandardAllowed);
    if (!choices.GeneratorAllowed)
        Uncheck(*fromGen);
    if (!choices.NonStandardAllowed)
        Uncheck(*custom);
    if (choices.SelectBuiltin)
        StepOneForm->RBOld->setChecked(true);
    // A disabled choice must not stay the one taken: the next allowed one is.
    if (!fromGen->isChecked() && !custom->isChecked() && !StepOneForm->RBOld->isChecked())
        (choices.NonStandardAllowed ? custom : StepOneForm->RBOld)->setChecked(true);
}

std::optional<TNewPlanAnswers> TNewPlanWizard::Run(const TMathCatalog& catalog) {
    StepTwoForm->SetCatalog(&catalog);
    TWizardRoute route;
    TWizardStep step = TWizardStep::StepOne;
    TWizardStep last = step;
    while (step != TWizardStep::Done && step != TWizardStep::Cancelled) {
        std::int32_t result = StepCancel;
        switch (step) {
        case TWizardStep::StepOne:
            result = StepOneForm->RunStep();
            route.Source = StepOneForm->Source();
            break;
        case TWizardStep::StepTwo:
            result = StepTwoForm->RunStep();
            route.UseGeneratorModel = StepTwoForm->UseDefaultModel();
            break;
        case TWizardStep::StepTwoA:
            result = StepTwoForm_A->RunStep();
            break;
        case TWizardStep::StepThree:
        case TWizardStep::StepFour: {
            const TPlanSize size =
                WizardPlanSize(catalog, route.Source, StepTwoForm->GeneratorName(),
                               StepTwoForm_A->FactorCount(), StepTwoForm_A->RunCount());
            if (step == TWizardStep::StepThree) {
                StepThreeForm->Prepare(&catalog, size);
                result = StepThreeForm->RunStep();
                route.UseStandardModel = StepThreeForm->UseStandardModel();
            } else {
                StepFourForm->Prepare(&catalog, size);
                result = StepFourForm->RunStep();
            }
            break;
        }
        case TWizardStep::Done:
        case TWizardStep::Cancelled:
            break;
        }
        last = step;
        step = NextWizardStep(step, result, route);
    }
    if (step == TWizardStep::Cancelled)
        return std::nullopt;

    TNewPlanAnswers answers;
    answers.Source = route.Source;
    answers.GeneratorName = StepTwoForm->GeneratorName();
    answers.UseGeneratorModel = StepTwoForm->UseDefaultModel();
    answers.FactorCount = StepTwoForm_A->FactorCount();
    answers.RunCount = StepTwoForm_A->RunCount();
    answers.UseStandardModel = StepThreeForm->UseStandardModel();
    answers.ModelName = StepThreeForm->ModelName();
    if (last == TWizardStep::StepFour) {
        answers.Addens = StepFourForm->Terms();
        answers.Runs = StepFourForm->DOptimalRuns();
    }
    return answers;
}

std::optional<TBuiltinPlanAnswer> TNewPlanWizard::RunBuiltin() {
    return NewDialog->Run();
}

} // namespace orvanta
