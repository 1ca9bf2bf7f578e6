#pragma once

#include "dialogs/WizardStepForm.h"
#include "plan/PlanHost.h"

class QLabel;
class QRadioButton;

namespace orvanta {

// Step 1 of the new-plan wizard: a greeting and the kind of plan to create.
class TStepOneForm : public TWizardStepForm {
    Q_OBJECT
public:
    explicit TStepOneForm(QWidget* parent = nullptr);

    // The kind of plan the checked radio button stands for.
    TPlanSource Source() const;

    QLabel* Welcome = nullptr;
    QRadioButton* RBFromGen = nullptr;
    QRadioButton* RBCustom = nullptr;
    QRadioButton* RBOld = nullptr;

protected:
    // The greeting follows the local hour at every showing.
    void showEvent(QShowEvent* event) override;
};

} // namespace orvanta
