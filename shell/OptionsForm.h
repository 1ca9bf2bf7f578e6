#pragma once

#include "dialogs/DialogClosing.h"

#include <functional>

class QPushButton;

namespace orvanta {

class TOptionsPages;

// The options dialog "Параметры": the settings record's preferences on four
// pages. Each showing starts from the record; "Ok" tells the person which
// changes wait for the next diagram or surface, stores every control into
// the record and reports the acceptance; "Отмена" stores nothing.
class TOptionsForm : public TSmallDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    // Shows the dialog modally; true when it was closed with "Ok".
    bool Execute();

    // Called after "Ok" has stored the controls (the main window applies
    // the new settings to its windows).
    std::function<void()> OnAccepted;

    TOptionsPages* Pages = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // "Ok" closes the dialog only when every typed field is valid.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The information about changes that show only on the next diagram or
    // surface, then the controls into the record.
    void StoreOptions();
};

} // namespace orvanta
