#pragma once

#include "dialogs/DialogClosing.h"
#include "plan/PlanHost.h"

#include <optional>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace orvanta {

// What the regression does about coefficients that Student's test finds
// insignificant: ignore the verdicts, set those coefficients to zero, or
// refit the model on the significant terms. When no coefficient is
// significant only the first choice is left, and the group is locked on it.
class TModelChangeDialog : public TSmallDialog {
    Q_OBJECT
public:
    explicit TModelChangeDialog(QWidget* parent = nullptr);

    // Shows the dialog modally with the request's caption and choice; the
    // chosen item on "Ok", nullopt on "Отмена".
    std::optional<TModelChange> Run(const TModelChangeRequest& request);

    QGroupBox* RGModelChange = nullptr;
    QRadioButton* RBIgnore = nullptr;
    QRadioButton* RBZero = nullptr;
    QRadioButton* RBRecompute = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    QRadioButton* ButtonOf(TModelChange change) const;
    TModelChange Chosen() const;
};

} // namespace orvanta
