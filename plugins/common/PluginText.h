#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// The field texts of the plug-in dialogs are read the way the C library's
// atoi and atof read them: blanks, a sign and the longest number that opens
// the text; text that does not open with a number reads as 0. The point is
// the decimal separator whatever the process locale says. An integer beyond
// the 32-bit range reads as the nearest bound.
std::int32_t ReadLeadingInt(std::string_view text);
// A number beyond the double range, or "inf"/"nan", reads as 0.
double ReadLeadingFloat(std::string_view text);

// printf's "%f" and "%g", always with a point.
std::string FormatFixed(double value);
std::string FormatShortest(double value);

// Byte-wise prefix test of a zero-terminated text that may be null.
bool StartsWith(const char* text, std::string_view prefix);

} // namespace orvanta
