#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// An integer edit field with its range; the range applies only when the
// minimum and maximum differ.
struct TSpinField {
    std::string Text;
    std::int32_t MinValue = 0;
    std::int32_t MaxValue = 0;
};

// True and the value when the text is a real number; otherwise the warning
// "Поле \"<name>\" должно содержать действительное число." (or without a
// name), value 0 and false.
bool CheckReal(std::string_view text, double& value, std::string_view fieldName = {});

// True when the field holds an integer within its range; otherwise a warning
// that names the requirement, the field set back to its minimum when a range
// applies, and false.
bool CheckSpinInteger(TSpinField& field, std::string_view fieldName = {});

// The integer in the field, or its minimum (with a range) or 0; no message.
std::int32_t SpinValueOrDefault(const TSpinField& field);

// The text itself when it is a real number, else "0".
std::string RealTextOrZero(std::string_view text);

// The modal input dialogs; false when cancelled (InputReal then sets 0).
bool InputString(std::string& text, std::string_view initial, std::string_view caption = {});
bool InputReal(double& value, std::string_view initial, std::string_view caption = {});

} // namespace orvanta
