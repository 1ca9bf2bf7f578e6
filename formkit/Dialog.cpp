#include "formkit/Dialog.h"

#include "formkit/FormWindow.h"

#include <QApplication>
#include <QPointer>

#include <map>

namespace {

bool IsPushButton(TControlKind kind) {
    return kind == TControlKind::Button || kind == TControlKind::DefButton;
}

bool IsButton(TControlKind kind) {
    return IsPushButton(kind) || kind == TControlKind::RadioButton ||
           kind == TControlKind::CheckBox;
}

bool Closes(const std::string& text) {
    return text == "OK" || text == "Отмена" || text == "Закрыть";
}

} // namespace

struct CDialog::TOpen {
    QPointer<TFormWindow> Window;
    std::map<int, std::unique_ptr<CWindowedControl>> Controls;

    ~TOpen() {
        Controls.clear();
        delete Window.data();
    }
};

CDialog::CDialog(TDialogTemplate dialogTemplate) : Tmpl(std::move(dialogTemplate)) {}

CDialog::~CDialog() = default;

int CDialog::DoModal(void* owner) {
    if (Open || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return -1;
    Ended = false;
    Result = 0;
    Build(owner);
    OnInitDialog();
    if (!Ended && Open->Window) {
        const int shown = Open->Window->exec();
        if (!Ended)
            Result = shown;
    }
    Open.reset();
    return Result;
}

void CDialog::Build(void* owner) {
    Open = std::make_unique<TOpen>();
    auto* window = new TFormWindow(static_cast<QWidget*>(owner), Tmpl);
    Open->Window = window;
    const std::vector<QWidget*>& widgets = window->Widgets();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const TControlTemplate& control = Tmpl.Controls[i];
        if (control.Id == IDC_STATIC || Open->Controls.count(control.Id))
            continue;
        if (IsButton(control.Kind))
            Open->Controls[control.Id] = std::make_unique<CButton>(widgets[i], control.Id);
        else
            Open->Controls[control.Id] = std::make_unique<CWindowedControl>(widgets[i], control.Id);
    }
    window->Commanded = [this](int id) { OnCommand(id); };
    window->CancelRequested = [this] { OnCancelRequest(); };
}

void CDialog::EndDialog(int result) {
    Ended = true;
    Result = result;
    if (Open && Open->Window)
        Open->Window->done(result);
}

void* CDialog::Handle() const {
    return Open ? static_cast<QWidget*>(Open->Window.data()) : nullptr;
}

CWindowedControl* CDialog::Control(int id) const {
    if (!Open)
        return nullptr;
    auto found = Open->Controls.find(id);
    return found == Open->Controls.end() ? nullptr : found->second.get();
}

CButton* CDialog::Button(int id) const {
    return dynamic_cast<CButton*>(Control(id));
}

std::string CDialog::GetItemText(int id) const {
    CWindowedControl* control = Control(id);
    return control ? control->GetText() : std::string();
}

void CDialog::SetItemText(int id, const std::string& text) {
    if (CWindowedControl* control = Control(id))
        control->SetText(text);
}

void CDialog::EnableItem(int id, bool enable) {
    if (CWindowedControl* control = Control(id))
        control->Enable(enable);
}

bool CDialog::IsChecked(int id) const {
    CButton* button = Button(id);
    return button && button->GetCheck();
}

void CDialog::CheckItem(int id, bool checked) {
    if (CButton* button = Button(id))
        button->SetCheck(checked);
}

void CDialog::OnCommand(int id) {
    for (const TControlTemplate& control : Tmpl.Controls) {
        if (control.Id != id)
            continue;
        if (IsPushButton(control.Kind) && Closes(GetItemText(id)))
            EndDialog(id);
        return;
    }
}

void CDialog::OnCancelRequest() {
    for (const TControlTemplate& control : Tmpl.Controls) {
        if (control.Id != IDC_STATIC && IsPushButton(control.Kind) &&
            (GetItemText(control.Id) == "Отмена" || GetItemText(control.Id) == "Закрыть")) {
            OnCommand(control.Id);
            return;
        }
    }
    EndDialog(IDCANCEL);
}
