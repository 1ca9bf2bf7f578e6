#include "numeric/FieldChecks.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"

namespace orvanta {

namespace {

bool HasRange(const TSpinField& field) {
    return field.MinValue != field.MaxValue;
}

bool SpinValue(const TSpinField& field, std::int32_t& value) {
    std::int32_t v = 0;
    if (!TextToInt(field.Text, v))
        return false;
    if (HasRange(field) && (v < field.MinValue || v > field.MaxValue))
        return false;
    value = v;
    return true;
}

} // namespace

bool CheckReal(std::string_view text, double& value, std::string_view fieldName) {
    if (TextToFloat(text, value))
        return true;
    value = 0.0;
    if (fieldName.empty())
        ShowWarning("Поле должно содержать действительное число.");
    else
        ShowWarning("Поле \"" + std::string(fieldName) +
                    "\" должно содержать действительное число.");
    return false;
}

bool CheckSpinInteger(TSpinField& field, std::string_view fieldName) {
    std::int32_t value = 0;
    if (SpinValue(field, value))
        return true;
    std::string requirement;
    if (HasRange(field)) {
        requirement =
            "число от " + IntToStr(field.MinValue) + " до " + IntToStr(field.MaxValue) + ".";
        field.Text = IntToStr(field.MinValue);
    } else {
        requirement = "целое число";
    }
    if (fieldName.empty())
        ShowWarning("Поле должно содержать\n" + requirement);
    else
        ShowWarning("Поле \"" + std::string(fieldName) + "\" должно содержать\n" + requirement);
    return false;
}

std::int32_t SpinValueOrDefault(const TSpinField& field) {
    std::int32_t value = 0;
    if (SpinValue(field, value))
        return value;
    return HasRange(field) ? field.MinValue : 0;
}

std::string RealTextOrZero(std::string_view text) {
    double value = 0.0;
    return TextToFloat(text, value) ? std::string(text) : std::string("0");
}

bool InputString(std::string& text, std::string_view initial, std::string_view caption) {
    auto answer = CurrentMessageHost().InputString(std::string(initial), std::string(caption));
    if (!answer)
        return false;
    text = std::move(*answer);
    return true;
}

bool InputReal(double& value, std::string_view initial, std::string_view caption) {
    const auto answer = CurrentMessageHost().InputReal(std::string(initial), std::string(caption));
    value = answer.value_or(0.0);
    return answer.has_value();
}

} // namespace orvanta
