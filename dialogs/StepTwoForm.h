#pragma once

#include "dialogs/WizardStepForm.h"

#include <string>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace orvanta {

class TMathCatalog;

// Step 2 of the new-plan wizard: a standard plan from the math modules'
// generators, and whether to take the model the plan usually goes with.
class TStepTwoForm : public TWizardStepForm {
    Q_OBJECT
public:
    explicit TStepTwoForm(QWidget* parent = nullptr);

    // The registry the list is filled from when the step is shown.
    void SetCatalog(const TMathCatalog* catalog) { Catalog = catalog; }
    // The selected plan's name, empty when none.
    std::string GeneratorName() const;
    bool UseDefaultModel() const;

    QListWidget* LBPlans = nullptr;
    QLineEdit* EModel = nullptr;
    QCheckBox* CBUseDefaultModel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillPlans();
    // The selected plan's default model, or the lack of one.
    void PlanSelected();
    void UseDefaultModelToggled(bool checked);

    const TMathCatalog* Catalog = nullptr;
    bool Filling = false;
};

} // namespace orvanta
