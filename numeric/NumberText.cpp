#include "numeric/NumberText.h"

#include "numeric/Errors.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <langinfo.h>
#include <limits>
#include <locale.h>
#include <system_error>

namespace orvanta {

namespace {

std::atomic<char> DecimalSeparator{'.'};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view StripBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses a real number whose decimal separator is `separator`.
bool ParseReal(std::string_view text, char separator, double& value) {
    text = StripBlanks(text);
    if (text.empty() || text.size() > 4096)
        return false;
    // Rewrite into the form that from_chars reads: no '+', a point.
    char buffer[4100];
    std::size_t n = 0;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') {
        if (text[i] == '-')
            buffer[n++] = '-';
        ++i;
    }
    std::size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            buffer[n++] = c;
            ++digits;
        } else if (c == separator && !point) {
            buffer[n++] = '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E')
            return false;
        buffer[n++] = 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            buffer[n++] = text[i++];
        std::size_t expDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++expDigits)
            buffer[n++] = text[i];
        if (expDigits == 0 || i != text.size())
            return false;
    }
    double result = 0.0;
    const auto [end, ec] = std::from_chars(buffer, buffer + n, result);
    if (end != buffer + n)
        return false;
    if (ec == std::errc::result_out_of_range) {
        // Too large is not a number; too small is zero (or a denormal).
        locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        buffer[n] = '\0';
        result = strtod_l(buffer, nullptr, c);
        freelocale(c);
        if (std::isinf(result))
            return false;
    } else if (ec != std::errc()) {
        return false;
    }
    value = result;
    return true;
}

std::string Format(double value, int precision, int width, char separator) {
    char buffer[64];
    std::string text;
    if (std::isnan(value)) {
        text = std::signbit(value) ? "-nan" : "nan";
    } else {
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                             std::chars_format::general, precision);
        text.assign(buffer, ec == std::errc() ? end : buffer);
    }
    if (separator != '.')
        for (char& c : text)
            if (c == '.')
                c = separator;
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

} // namespace

char GetDecimalSeparator() {
    return DecimalSeparator.load(std::memory_order_relaxed);
}

void SetDecimalSeparator(char separator) {
    DecimalSeparator.store(separator, std::memory_order_relaxed);
}

char DetectDecimalSeparator() {
    char separator = '.';
    if (locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
        const char* radix = nl_langinfo_l(RADIXCHAR, loc);
        if (radix && radix[0] == ',')
            separator = ',';
        freelocale(loc);
    }
    SetDecimalSeparator(separator);
    return separator;
}

std::string FormatGeneral(double value, int precision, int width) {
    return Format(value, precision, width, GetDecimalSeparator());
}

std::string FormatGeneralPoint(double value, int precision, int width) {
    return Format(value, precision, width, '.');
}

std::string FormatShortestPoint(double value) {
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, ec == std::errc() ? end : buffer);
}

bool TextToFloat(std::string_view text, double& value) {
    return ParseReal(text, GetDecimalSeparator(), value);
}

double StrToFloat(std::string_view text) {
    double value = 0.0;
    if (!TextToFloat(text, value))
        throw EConvertError("\"" + std::string(text) + "\" не является действительным числом.");
    return value;
}

bool TextToInt(std::string_view text, std::int32_t& value) {
    text = StripBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return false;
    std::int32_t result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec != std::errc() || end != text.data() + text.size())
        return false;
    value = result;
    return true;
}

std::int32_t StrToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!TextToInt(text, value))
        throw EConvertError("\"" + std::string(text) + "\" не является целым числом.");
    return value;
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

} // namespace orvanta
