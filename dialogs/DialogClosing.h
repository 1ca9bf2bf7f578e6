#pragma once

#include <QDialog>

class QHBoxLayout;
class QPushButton;

namespace orvanta {

// The way every small modal dialog of the program closes.
//
// The dialog keeps a result: none while it is open, OK or cancel once the
// person asked to close it. Enter asks for OK and Esc for cancel, on the key
// press, unless a result is already set (a close in progress keeps its
// result). Closing with OK runs Validate() first and keeps the dialog open
// when it fails, with the result back at none; closing with cancel runs
// Restore() and always closes. The title-bar close counts as cancel, as the
// dialog's "Отмена" would. Any other close (done() with a code of its own)
// happens without either step.
//
// A dialog derives from it, puts its checks into Validate() and what
// "Отмена" puts back into Restore(), and connects its buttons to accept()
// and reject(); exec() then returns QDialog::Accepted only after a
// successful validation.
class TSmallDialog : public QDialog {
    Q_OBJECT
public:
    enum class TCloseResult { None = 0, OK = 1, Cancel = 2 };

    explicit TSmallDialog(QWidget* parent = nullptr);

    // The result of the close in progress or of the last close; none while
    // the dialog is open.
    TCloseResult CloseResult() const { return Result; }

    // Closes with the given result through the steps above; none closes
    // (as rejected) without either step.
    void CloseWith(TCloseResult result);

    // accept() and reject() arrive here as Accepted and Rejected.
    void done(int code) override;

protected:
    // The row of the closing buttons, right-aligned: `ok` (default, object
    // name "OkButton") accepts, "Отмена" ("CancelButton") cancels.
    QHBoxLayout* OkRow(const QString& okText, QPushButton*& ok);
    QHBoxLayout* OkCancelRow(const QString& okText, QPushButton*& ok, QPushButton*& cancel);

    // Checks the fields before closing with OK; false keeps the dialog open
    // (the dialog tells the person why and puts the focus on the field).
    virtual bool Validate() { return true; }
    // Puts the fields into a state that is valid again on closing with cancel.
    virtual void Restore() {}

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TCloseResult Result = TCloseResult::None;
};

} // namespace orvanta
