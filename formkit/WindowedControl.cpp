#include "formkit/WindowedControl.h"

#include "formkit/WidgetText.h"

#include <QWidget>

namespace {
QWidget* AsWidget(void* handle) {
    return static_cast<QWidget*>(handle);
}
} // namespace

CWindowedControl::CWindowedControl(void* widget, int id) : Widget(widget), ControlId(id) {}

CWindowedControl::~CWindowedControl() = default;

std::string CWindowedControl::GetText() const {
    return WidgetText(AsWidget(Widget)).toStdString();
}

void CWindowedControl::SetText(const std::string& text) {
    SetWidgetText(AsWidget(Widget), QString::fromStdString(text));
}

bool CWindowedControl::IsEnabled() const {
    return AsWidget(Widget)->isEnabled();
}

void CWindowedControl::Enable(bool enable) {
    AsWidget(Widget)->setEnabled(enable);
}

// Visible as the dialog sees it, so that a control counts as shown while its
// dialog is still being prepared.
bool CWindowedControl::IsVisible() const {
    QWidget* widget = AsWidget(Widget);
    return widget->isVisibleTo(widget->window());
}

void CWindowedControl::Show(bool show) {
    AsWidget(Widget)->setVisible(show);
}

void CWindowedControl::SetFocus() {
    AsWidget(Widget)->setFocus();
}
