#pragma once

#include "dialogs/DialogClosing.h"
#include "dialogs/ExtremumDialogLogic.h"
#include "plan/PlanHost.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QFocusEvent;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace orvanta {

// "Поиск экстремума": the box to search in, factor by factor, the method,
// minimum or maximum, the method's count and whether to start from the last
// extremum found. The rules of the fields are TExtremumDialogLogic's; this
// class binds them to the widgets.
//
// A bound edit is checked when it is left; the bounds are kept for their
// factor when another factor is selected and when the dialog closes with
// "Поиск", and equal bounds keep that factor selected. Minimum or maximum
// and both counts stay as they were left for the next search; the method
// and the box start afresh each time.
class TExtremumDialog : public TSmallDialog {
    Q_OBJECT
public:
    explicit TExtremumDialog(QWidget* parent = nullptr);

    // Prepares the dialog for the request and shows it modally; the answer
    // on "Поиск", nullopt on "Отмена".
    std::optional<TExtremumAnswer> Run(const TExtremumRequest& request);

    QListWidget* LBFactors = nullptr;
    QLineEdit* EStart = nullptr;
    QLineEdit* EEnd = nullptr;
    QComboBox* CBMethod = nullptr;
    QGroupBox* RGSearch = nullptr;
    QRadioButton* RBMinimum = nullptr;
    QRadioButton* RBMaximum = nullptr;
    QLineEdit* SESteps = nullptr;
    QLineEdit* SEApproximations = nullptr;
    QCheckBox* CBUseLast = nullptr;
    // The rest of the check box's text; a click on either toggles the box.
    QLabel* LUseLast1 = nullptr;
    QLabel* LUseLast2 = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool Validate() override;
    void Restore() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLayout* CreateBoxFields();
    QLayout* CreateSearchFields();
    void Prepare(const TExtremumRequest& request);
    void LBFactorsCurrentRowChanged(int row);
    void CBMethodCurrentIndexChanged(int index);
    // The list back on the factor whose bounds are in the edits.
    void ShowCurrentFactor();
    void ShowBounds();
    void FocusField(TExtremumField field);
    QLineEdit* FieldEdit(TExtremumField field) const;
    TExtremumFieldTexts FieldTexts() const;
    void SetFieldTexts(const TExtremumFieldTexts& texts);
    // Leaving a bound edit checks it, except towards the buttons, while a
    // warning is on the screen or while the dialog closes.
    void BoundEditLeft(QLineEdit* edit, const QFocusEvent& event);
    void LabelClicked();

    TExtremumDialogLogic Logic;
    bool Checking = false;
};

} // namespace orvanta
