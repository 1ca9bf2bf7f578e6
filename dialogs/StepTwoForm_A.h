#pragma once

#include "dialogs/WizardStepForm.h"

#include <cstdint>

namespace orvanta {

class TWizardSpinEdit;

// Step 2A of the new-plan wizard: the number of factors k and of runs N of a
// plan the person will type in. Each field is checked when left and both
// when going forward; going back (or Esc) brings them into range instead.
class TStepTwoForm_A : public TWizardStepForm {
    Q_OBJECT
public:
    explicit TStepTwoForm_A(QWidget* parent = nullptr);

    // The two counts as the fields read (clamped into their ranges).
    std::int32_t FactorCount() const;
    std::int32_t RunCount() const;

    TWizardSpinEdit* KEdit = nullptr;
    TWizardSpinEdit* NEdit = nullptr;

public slots:
    void GoForward() override;
    void GoBack() override;
    void EscapeCancel() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ClampFields();
};

} // namespace orvanta
