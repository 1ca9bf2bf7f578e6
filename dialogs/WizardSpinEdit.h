#pragma once

#include "numeric/FieldChecks.h"

#include <QAbstractSpinBox>

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

// An integer field with arrows that, unlike QSpinBox, keeps whatever the
// person typed: the wizard's rules decide what a text too long or not a
// number means, and the program's integer check names the field in its
// warning. The arrows step from the number in the field (the minimum when
// there is none) and stay within the range.
class TWizardSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    TWizardSpinEdit(std::int32_t minValue, std::int32_t maxValue, std::int32_t value,
                    QWidget* parent = nullptr);

    std::int32_t Minimum() const { return MinValue; }
    std::int32_t Maximum() const { return MaxValue; }
    void SetMaximum(std::int32_t maxValue);

    QString Text() const;
    // Replaces the text; TextChanged follows when it differs.
    void SetText(const QString& text);
    void SetValue(std::int32_t value);
    // The number in the field brought into the range, the minimum when the
    // text is not a number.
    std::int32_t ClampedValue() const;
    // The field as the integer check takes it.
    TSpinField Field() const;
    // The program's integer check with the field's label in its warning; a
    // failure puts the minimum into the field and the focus back on it.
    bool Check(const std::string& fieldName);
    // Replaces the text by the clamped value.
    void Clamp();
    // Runs Check() whenever the focus leaves the field for another control
    // of its window, except the ones listed (the buttons that check or
    // restore the field by themselves).
    void CheckOnLeave(const std::string& fieldName, std::vector<const QWidget*> exempt);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The text changed, typed or set.
    void TextChanged();
    // The focus left the field.
    void Left();

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::int32_t MinValue;
    std::int32_t MaxValue;
    std::string LeaveCheckName;
    std::vector<const QWidget*> LeaveExempt;
    bool Checking = false;
};

} // namespace orvanta
