#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// The decimal separator of every number text the user reads or types. It is
// process-wide and never taken from the C library's global locale: the
// desktop program sets it from the Qt locale, the batch tool from LC_NUMERIC.
char GetDecimalSeparator();
void SetDecimalSeparator(char separator);
// Reads the separator of the environment's LC_NUMERIC without touching the
// global locale, sets it and returns it ('.' or ',').
char DetectDecimalSeparator();

// printf's "%<width>.<precision>g" with the process decimal separator.
std::string FormatGeneral(double value, int precision, int width = 0);

// The named forms of the program.
inline std::string FormatVectorCell(double v) {
    return FormatGeneral(v, 4);
} // "%.4g"
inline std::string FormatMatrixCell(double v) {
    return FormatGeneral(v, 5);
} // "%.5g"
inline std::string FormatCoefficient(double v) {
    return FormatGeneral(v, 5, 5);
} // "%5.5g"
inline std::string FormatQuantile(double v) {
    return FormatGeneral(v, 4, 4);
} // "%4.4g"
inline std::string FormatFull(double v) {
    return FormatGeneral(v, 15);
} // "%.15g"

// Like FormatGeneral, but always with a point (files that are not for people).
std::string FormatGeneralPoint(double value, int precision, int width = 0);

// The shortest text with a point that reads back as exactly the same double
// (what other programs read from the batch tool).
std::string FormatShortestPoint(double value);

// A real number typed with the process decimal separator: blanks around it,
// an optional sign, digits with at most one separator, an optional exponent.
// Overflow is not a number; underflow gives zero.
bool TextToFloat(std::string_view text, double& value);
// As TextToFloat, raising EConvertError on a text that is not a number.
double StrToFloat(std::string_view text);

// A decimal 32-bit integer with an optional sign and blanks around it.
bool TextToInt(std::string_view text, std::int32_t& value);
std::int32_t StrToInt(std::string_view text);

// Decimal text of an integer.
std::string IntToStr(std::int64_t value);

} // namespace orvanta
