#pragma once

#include "dialogs/DialogClosing.h"
#include "plan/PlanHost.h"

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orvanta {

// "Вид плана второго порядка.": a loaded code matrix has the size of a
// central composite plan, but its star arm matches neither kind; the person
// says which kind it is and whether the standard star arm is to be set. The
// choices stay as they were left for the next loading.
class TSecondOrderDialog : public TSmallDialog {
    Q_OBJECT
public:
    explicit TSecondOrderDialog(QWidget* parent = nullptr);

    // Shows the dialog modally; the kind and the check box on "Ok", nullopt
    // on "Отмена".
    std::optional<TSecondOrderAnswer> Run();

    QLabel* LMessage = nullptr;
    QGroupBox* RGPlanKind = nullptr;
    QRadioButton* RBOrthogonal = nullptr;
    QRadioButton* RBRotatable = nullptr;
    QCheckBox* CBStandardStarArm = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

} // namespace orvanta
