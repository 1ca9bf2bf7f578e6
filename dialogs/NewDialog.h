#pragma once

#include "dialogs/DialogClosing.h"
#include "plan/PlanHost.h"

#include <cstdint>
#include <optional>

class QPushButton;
class QRadioButton;

namespace orvanta {

class TWizardSpinEdit;

// "Создать план": one of the three plans the program builds itself (full
// factorial, central composite orthogonal or rotatable) and its number of
// factors, 2 to 10. The choices stay from one use to the next.
class TNewDialog : public TSmallDialog {
    Q_OBJECT
public:
    explicit TNewDialog(QWidget* parent = nullptr);

    // Shows the dialog modally; the kind and k on "OK", nullopt on "Отмена".
    std::optional<TBuiltinPlanAnswer> Run();

    // 0 full factorial, 1 central composite orthogonal, 2 rotatable.
    std::int32_t Kind() const { return PlanKind; }
    std::int32_t FactorCount() const { return Factors; }

    QRadioButton* FFEButton = nullptr;
    QRadioButton* CCOButton = nullptr;
    QRadioButton* CCRButton = nullptr;
    TWizardSpinEdit* EDegree = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool Validate() override;
    // The factor count is brought into 2 .. 10.
    void Restore() override;
    void showEvent(QShowEvent* event) override;

private:
    std::int32_t PlanKind = 0;
    std::int32_t Factors = 2;
};

} // namespace orvanta
