#include "plugins/common/PluginText.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace orvanta {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips the blanks and reads the sign; returns the position after them.
std::size_t SkipSign(std::string_view text, bool& negative) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    return at;
}

} // namespace

std::int32_t ReadLeadingInt(std::string_view text) {
    bool negative = false;
    std::size_t at = SkipSign(text, negative);
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > limit)
            value = limit;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

double ReadLeadingFloat(std::string_view text) {
    bool negative = false;
    const std::size_t at = SkipSign(text, negative);
    // Only digits or a point may open a number: from_chars would also take
    // "inf" and "nan", which no field of these dialogs means.
    if (at >= text.size() || !(IsDigit(text[at]) || text[at] == '.'))
        return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

std::string FormatFixed(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string FormatShortest(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

bool StartsWith(const char* text, std::string_view prefix) {
    return text && std::strncmp(text, prefix.data(), prefix.size()) == 0;
}

} // namespace orvanta
