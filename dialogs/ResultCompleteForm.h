#pragma once

#include "dialogs/DialogClosing.h"
#include "plan/PlanHost.h"

#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace orvanta {

// One of the four forms that close an analysis step: homogeneity
// ("Анализ однородности завершен."), regression, and adequacy by Fisher's
// criterion or at the check point. The fields are read-only; the two check
// boxes let the person switch the form and the report off from here.
class TResultCompleteForm : public TSmallDialog {
    Q_OBJECT
public:
    explicit TResultCompleteForm(TResultFormKind kind, QWidget* parent = nullptr);

    TResultFormKind Kind() const { return FormKind; }
    // Fills the fields and the check boxes, shows the form modally and gives
    // back the check boxes as the person left them.
    TResultFormChoices Run(const TResultForm& form);

    QGroupBox* Group = nullptr;
    // The fields in the order they stand in the form.
    std::vector<QLineEdit*> Fields;
    QCheckBox* CBShowAlways = nullptr;
    QCheckBox* CBActivateReport = nullptr;
    QPushButton* OkButton = nullptr;

private:
    void AddField(const QString& label, const QString& name);
    void Fill(const TResultForm& form);

    TResultFormKind FormKind;
};

} // namespace orvanta
