#include "formkit/Button.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace {
QAbstractButton* AsButton(void* handle) {
    return qobject_cast<QAbstractButton*>(static_cast<QWidget*>(handle));
}
} // namespace

bool CButton::GetCheck() const {
    QAbstractButton* button = AsButton(Handle());
    return button && button->isChecked();
}

// A radio button of an exclusive group refuses to be cleared directly; the
// original controls allow it, so the group lets go for the moment.
void CButton::SetCheck(bool checked) {
    QAbstractButton* button = AsButton(Handle());
    if (!button || !button->isCheckable())
        return;
    QButtonGroup* group = checked ? nullptr : button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    button->setChecked(checked);
    if (exclusive)
        group->setExclusive(true);
}

void CButton::Click() {
    if (QAbstractButton* button = AsButton(Handle()))
        button->click();
}
