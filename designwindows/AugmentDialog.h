#pragma once

#include "design/Augment.h"
#include "dialogs/DialogClosing.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace orvanta {

class TRaruRuro;

// "Дополнить план": the runs to add to the plan - its two-level runs
// folded over, axial and centre runs that make it a central composite plan,
// or runs chosen D-optimally for its model. A way that does not suit the
// plan is disabled with the reason beside it. "OK" adds the runs; when they
// cannot be added the dialog says why and stays open.
class TAugmentDialog : public TSmallDialog {
    Q_OBJECT
public:
    explicit TAugmentDialog(TRaruRuro& plan, QWidget* parent = nullptr);

    // What "OK" asks for, as the fields stand.
    TAugmentRequest Request() const;

    QRadioButton* RBFoldOver = nullptr;
    QComboBox* CBFoldFactor = nullptr;
    QLabel* LFoldOverReason = nullptr;
    QRadioButton* RBAxial = nullptr;
    QLineEdit* EAlpha = nullptr;
    QSpinBox* SECentre = nullptr;
    QLabel* LAxialReason = nullptr;
    QRadioButton* RBDOptimal = nullptr;
    QSpinBox* SERuns = nullptr;
    QSpinBox* SESeed = nullptr;
    QLabel* LDOptimalReason = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool Validate() override;

private:
    QWidget* FoldOverFields();
    QWidget* AxialFields();
    QWidget* DOptimalFields();
    // Disables a way the plan does not allow and shows why.
    void Offer(QRadioButton* choice, QWidget* fields, QLabel* reason, TAugmentKind kind);
    void FollowChoice();

    TRaruRuro& Plan;
    QWidget* FoldOverBox = nullptr;
    QWidget* AxialBox = nullptr;
    QWidget* DOptimalBox = nullptr;
};

} // namespace orvanta
