#pragma once

#include "dialogs/NewPlanWizardLogic.h"
#include "dialogs/WizardStepForm.h"

#include <string>

class QCheckBox;
class QListWidget;

namespace orvanta {

class TModelSumPicture;

// Step 3 of the new-plan wizard: one of the math modules' ready models for
// the plan's size, or none (the terms are then picked in step 4).
class TStepThreeForm : public TWizardStepForm {
    Q_OBJECT
public:
    explicit TStepThreeForm(QWidget* parent = nullptr);

    // The registry and the plan's size the list is filled for when shown.
    void Prepare(const TMathCatalog* catalog, const TPlanSize& size);
    // The selected model's name, empty when none.
    std::string ModelName() const;
    bool UseStandardModel() const;

    QListWidget* LBModels = nullptr;
    QCheckBox* CBUseDefaultModel = nullptr;
    TModelSumPicture* SumPicture = nullptr;

public slots:
    // A ready model must be chosen before finishing with it.
    void GoForward() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillModels();
    void UseModelToggled(bool checked);

    const TMathCatalog* Catalog = nullptr;
    TPlanSize Size;
};

} // namespace orvanta
