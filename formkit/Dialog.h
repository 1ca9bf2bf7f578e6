#pragma once

// A dialog built from a template when it is opened and destroyed when it
// closes. A plug-in derives from it, fills its controls in OnInitDialog and
// answers their buttons in OnCommand.

#include "formkit/Button.h"
#include "formkit/DialogTemplate.h"

#include <memory>
#include <string>

class CDialog {
public:
    explicit CDialog(TDialogTemplate dialogTemplate);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Shows the dialog modally over owner (the main window's handle as the
    // host's GetMainWindow gives it, a QWidget* as void*; may be null) and
    // returns the result handed to EndDialog, or -1 when no application
    // object exists to show it.
    int DoModal(void* owner);
    // Closes the open dialog; DoModal returns result. Called from
    // OnInitDialog, the dialog is never shown.
    void EndDialog(int result);

    // The dialog window (a QWidget* as void*), null while it is not open.
    void* Handle() const;
    const TDialogTemplate& Template() const { return Tmpl; }

    // Controls by template id; null when not open or no such id.
    CWindowedControl* Control(int id) const;
    CButton* Button(int id) const;

    std::string GetItemText(int id) const;
    void SetItemText(int id, const std::string& text);
    void EnableItem(int id, bool enable = true);
    bool IsChecked(int id) const;
    void CheckItem(int id, bool checked = true);

protected:
    virtual void OnInitDialog() {}
    // A button with an id was pressed. Closes the dialog with that id when
    // the pressed push button reads "OK", "Отмена" or "Закрыть".
    virtual void OnCommand(int id);

private:
    struct TOpen;
    // Escape and the close box press "Отмена" or "Закрыть" when there is one.
    void OnCancelRequest();
    void Build(void* owner);

    TDialogTemplate Tmpl;
    std::unique_ptr<TOpen> Open;
    bool Ended = false;
    int Result = 0;
};
