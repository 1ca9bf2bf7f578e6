#include "dialogs/YMparams.h"

#include "numeric/FieldChecks.h"
#include "numeric/NumberText.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
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

// A response name as people write it, with its units: the field shows one
// as long as this whole.
const char* const LongResponseName = "Предел прочности при растяжении, МПа";

// The width a line edit needs to show the text whole. What the field adds
// around its text (frame, margins) is what its size hint adds around the
// 17 'x' it is sized for; one more character leaves room for the cursor.
int WidthToShow(const QLineEdit& edit, const QString& text) {
    const QFontMetrics metrics = edit.fontMetrics();
    const int around = edit.sizeHint().width() - 17 * metrics.horizontalAdvance(QLatin1Char('x'));
    return metrics.horizontalAdvance(text) + metrics.averageCharWidth() + around;
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
    EY->setMinimumWidth(WidthToShow(*EY, QString::fromUtf8(LongResponseName)));

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
