#pragma once

#include "dialogs/DialogClosing.h"

#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvanta {

// "Имена факторов": the factor names of the plan, one at a time. The list
// shows the names, the edit field the selected one; a name typed into the
// field is kept when another factor is selected or on "Ок". "Вернуть" puts
// back the names the dialog was opened with.
class TKNamesForm : public TSmallDialog {
    Q_OBJECT
public:
    explicit TKNamesForm(QWidget* parent = nullptr);

    // Shows the dialog modally over the names; the edited names on "Ок",
    // nullopt on "Отмена".
    std::optional<std::vector<std::string>> Run(const std::vector<std::string>& names);

    QListWidget* LBFactors = nullptr;
    QLineEdit* EName = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* UndoButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // On show and on "Вернуть": the working copy starts again from the
    // names given to Run(), with the first factor selected.
    void ResetNames();
    void LBFactorsCurrentRowChanged(int row);
    // The edit field's text goes to the current factor; an empty text names
    // it by its number.
    void StoreName();
    void FillList();

    std::vector<std::string> Source;
    std::vector<std::string> Names;
    int Current = 0;
};

} // namespace orvanta
