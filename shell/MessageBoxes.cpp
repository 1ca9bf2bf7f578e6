#include "shell/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace orvanta {

namespace {

TMessageBoxHook& Hook() {
    static TMessageBoxHook hook;
    return hook;
}

QMessageBox::Icon IconOf(TBoxKind kind) {
    switch (kind) {
    case TBoxKind::Info:
        return QMessageBox::Information;
    case TBoxKind::Error:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Warning;
    }
}

} // namespace

void SetMessageBoxHook(TMessageBoxHook hook) {
    Hook() = std::move(hook);
}

TAnswer ShowMessageBox(QWidget* parent, TBoxKind kind, const std::string& text) {
    if (Hook())
        return Hook()(kind, text);
    QMessageBox box(IconOf(kind), QStringLiteral("Орванта"), QString::fromStdString(text),
                    QMessageBox::NoButton, parent);
    if (kind == TBoxKind::YesNo || kind == TBoxKind::YesNoCancel) {
        QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        QPushButton* cancel = nullptr;
        if (kind == TBoxKind::YesNoCancel)
            cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel ? cancel : no);
        box.exec();
        if (box.clickedButton() == yes)
            return TAnswer::Yes;
        if (box.clickedButton() == no || !cancel)
            return TAnswer::No;
        return TAnswer::Cancel;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return TAnswer::Yes;
}

} // namespace orvanta
