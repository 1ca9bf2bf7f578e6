#include "dialogs/YMparams.h"

#include "numeric/FieldChecks.h"
#include "numeric/NumberText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orvanta {

namespace {

constexpr std::int32_t MinRepeats = 1;
constexpr std::int32_t MaxRepeats = 64;
const char* const RepeatsFieldName = "Количество повторений";

TSpinField RepeatsField(const QLineEdit& edit) {
    return {edit.text().toStdString(), MinRepeats, MaxRepeats};
}

QLineEdit* Field(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* Label(QWidget* parent, const QString& text, QLineEdit* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TYMparams::TYMparams(QWidget* parent) : TSmallDialog(parent) {
    setObjectName(QStringLiteral("YMparams"));
    setWindowTitle(QStringLiteral("Новый набор наблюдений"));

    ERepeats = Field(this, "ERepeats", QStringLiteral("4"));
    EY = Field(this, "EY", QStringLiteral("Отклик системы"));

    auto* fields = new QFormLayout;
    fields->addRow(Label(this, QStringLiteral("Количество повторений:"), ERepeats), ERepeats);
    fields->addRow(Label(this, QStringLiteral("Имя отклика:"), EY), EY);
    QHBoxLayout* buttons = OkCancelRow(QStringLiteral("Ok"), OkButton, CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    ERepeats->installEventFilter(this);
}

std::optional<TRepeatsAnswer> TYMparams::Run(const TRepeatsRequest& request) {
    setWindowTitle(QString::fromStdString(request.Caption));
    EY->setText(QString::fromStdString(request.ResponseName));
    if (exec() != Accepted)
        return std::nullopt;
    return TRepeatsAnswer{ERepeats->text().toStdString(), EY->text().toStdString()};
}

bool TYMparams::CheckRepeats() {
    TSpinField field = RepeatsField(*ERepeats);
    Checking = true;
    const bool ok = CheckSpinInteger(field, RepeatsFieldName);
    Checking = false;
    if (!ok) {
        ERepeats->setText(QString::fromStdString(field.Text));
        ERepeats->setFocus();
        ERepeats->selectAll();
    }
    return ok;
}

bool TYMparams::Validate() {
    return CheckRepeats();
}

void TYMparams::Restore() {
    const TSpinField field = RepeatsField(*ERepeats);
    std::int32_t count = 0;
    if (TextToInt(field.Text, count))
        count = std::clamp(count, MinRepeats, MaxRepeats);
    else
        count = SpinValueOrDefault(field);
    ERepeats->setText(QString::fromStdString(IntToStr(count)));
}

void TYMparams::showEvent(QShowEvent* event) {
    TSmallDialog::showEvent(event);
    ERepeats->setFocus();
    ERepeats->selectAll();
}

bool TYMparams::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the field checks it, but not towards the buttons ("Ok" checks
    // by itself, "Отмена" needs no count), not while its warning is on the
    // screen and not while the dialog closes.
    if (watched == ERepeats && event->type() == QEvent::FocusOut && !Checking && isVisible() &&
        CloseResult() == TCloseResult::None) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            next != OkButton && next != CancelButton)
            CheckRepeats();
    }
    return TSmallDialog::eventFilter(watched, event);
}

} // namespace orvanta
