#include "shell/InputDialogs.h"

#include "numeric/FieldChecks.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvanta {

namespace {

// The field and the two buttons every input dialog has.
void BuildInputDialog(QDialog& dialog, QLineEdit*& edit, QPushButton*& ok, QPushButton*& cancel) {
    dialog.setWindowTitle(QStringLiteral("Орванта"));
    edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("InputEdit"));
    edit->setMinimumWidth(260);
    ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Отмена"), &dialog);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(edit);
    layout->addWidget(buttons);
}

void CentreOnScreen(QDialog& dialog) {
    dialog.adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen()) {
        QRect frame = dialog.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        dialog.move(frame.topLeft());
    }
}

void Prepare(QDialog& dialog, QLineEdit* edit, const QString& initial, const QString& caption) {
    if (!caption.isEmpty())
        dialog.setWindowTitle(caption);
    edit->setText(initial);
    edit->selectAll();
    CentreOnScreen(dialog);
    edit->setFocus();
}

} // namespace

TStringInputDlg::TStringInputDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StringInputDlg"));
    BuildInputDialog(*this, Edit, OKButton, CancelButton);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QString> TStringInputDlg::Run(const QString& initial, const QString& caption) {
    Prepare(*this, Edit, initial, caption);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Edit->text();
}

TFloatInputDlg::TFloatInputDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FloatInputDlg"));
    BuildInputDialog(*this, Edit, OKButton, CancelButton);
    Edit->installEventFilter(this);
    connect(OKButton, &QPushButton::clicked, this, &TFloatInputDlg::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TFloatInputDlg::reject);
}

std::optional<double> TFloatInputDlg::Run(const QString& initial, const QString& caption) {
    Value = 0.0;
    Prepare(*this, Edit, initial, caption);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Value;
}

bool TFloatInputDlg::CheckField() {
    Checking = true;
    const bool ok = CheckReal(Edit->text().toStdString(), Value, "");
    Checking = false;
    if (!ok)
        Edit->setFocus();
    return ok;
}

bool TFloatInputDlg::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the field checks it, except towards "Отмена" (cancelling needs
    // no number) and while a warning about it is already on the screen.
    if (watched == Edit && event->type() == QEvent::FocusOut && !Checking && isVisible()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            next != CancelButton && next != OKButton)
            CheckField();
    }
    return QDialog::eventFilter(watched, event);
}

void TFloatInputDlg::OKButtonClick() {
    if (CheckField())
        accept();
}

void TFloatInputDlg::reject() {
    Edit->clear();
    Value = 0.0;
    QDialog::reject();
}

} // namespace orvanta
