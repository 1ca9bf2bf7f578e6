#include "dialogs/WizardSpinEdit.h"

#include "dialogs/NewPlanWizardLogic.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace orvanta {

TWizardSpinEdit::TWizardSpinEdit(std::int32_t minValue, std::int32_t maxValue, std::int32_t value,
                                 QWidget* parent)
    : QAbstractSpinBox(parent), MinValue(minValue), MaxValue(maxValue) {
    setAccelerated(true);
    // Wide enough for the counts the fields take, not for the whole form.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    lineEdit()->setText(QString::number(value));
    connect(lineEdit(), &QLineEdit::textChanged, this, &TWizardSpinEdit::TextChanged);
}

void TWizardSpinEdit::SetMaximum(std::int32_t maxValue) {
    MaxValue = maxValue;
    update();
}

QString TWizardSpinEdit::Text() const {
    return lineEdit()->text();
}

void TWizardSpinEdit::SetText(const QString& text) {
    if (text != lineEdit()->text())
        lineEdit()->setText(text);
}

void TWizardSpinEdit::SetValue(std::int32_t value) {
    SetText(QString::number(value));
}

std::int32_t TWizardSpinEdit::ClampedValue() const {
    return ClampedSpinValue(Text().toStdString(), MinValue, MaxValue);
}

TSpinField TWizardSpinEdit::Field() const {
    return {Text().toStdString(), MinValue, MaxValue};
}

bool TWizardSpinEdit::Check(const std::string& fieldName) {
    TSpinField field = Field();
    Checking = true;
    const bool ok = CheckSpinInteger(field, fieldName);
    Checking = false;
    if (!ok) {
        SetText(QString::fromStdString(field.Text));
        setFocus();
        selectAll();
    }
    return ok;
}

void TWizardSpinEdit::Clamp() {
    SetValue(ClampedValue());
}

void TWizardSpinEdit::CheckOnLeave(const std::string& fieldName,
                                   std::vector<const QWidget*> exempt) {
    LeaveCheckName = fieldName;
    LeaveExempt = std::move(exempt);
}

void TWizardSpinEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    emit Left();
    if (LeaveCheckName.empty() || Checking)
        return;
    // Only a move to another control of the same window counts: not the
    // window losing the keyboard (a warning box on top), not the window
    // closing.
    const auto reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    const QWidget* next = QApplication::focusWidget();
    if (!next || next->window() != window() || !window()->isVisible())
        return;
    if (std::find(LeaveExempt.begin(), LeaveExempt.end(), next) != LeaveExempt.end())
        return;
    Check(LeaveCheckName);
}

void TWizardSpinEdit::stepBy(int steps) {
    const std::int64_t value = std::int64_t{ClampedValue()} + steps;
    SetValue(static_cast<std::int32_t>(std::clamp<std::int64_t>(value, MinValue, MaxValue)));
    selectAll();
}

QValidator::State TWizardSpinEdit::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

void TWizardSpinEdit::fixup(QString&) const {}

QAbstractSpinBox::StepEnabled TWizardSpinEdit::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    const std::int32_t value = ClampedValue();
    StepEnabled enabled = StepNone;
    if (value < MaxValue)
        enabled |= StepUpEnabled;
    if (value > MinValue)
        enabled |= StepDownEnabled;
    return enabled;
}

QSize TWizardSpinEdit::sizeHint() const {
    ensurePolished();
    // Room for the longest text the counters take seriously (six digits).
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000000"));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(width, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QSize TWizardSpinEdit::minimumSizeHint() const {
    return sizeHint();
}

} // namespace orvanta
