#include "Arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace orvanta::cli {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

} // namespace

TArguments::TArguments(const std::vector<std::string>& words, const TCommandOptions& accepted) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 2 || word[0] != '-' || IsNumberList(word)) {
            Words.push_back(word);
            continue;
        }
        const auto equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (Contains(accepted.Valued, name)) {
            if (equals != std::string::npos) {
                Given[name].push_back(word.substr(equals + 1));
            } else {
                if (i + 1 >= words.size())
                    throw TUsageError("у параметра " + name + " нет значения");
                Given[name].push_back(words[++i]);
            }
        } else if (Contains(accepted.Flags, name) && equals == std::string::npos) {
            Flags[name] = true;
        } else {
            throw TUsageError("неизвестный параметр " + word);
        }
    }
    if (Words.size() < accepted.MinPositional)
        throw TUsageError(accepted.MinPositional == 1 ? "не указан файл плана"
                                                      : "не хватает аргументов");
    if (Words.size() > accepted.MaxPositional)
        throw TUsageError("лишний аргумент " + Words[accepted.MaxPositional]);
}

bool TArguments::Has(const std::string& option) const {
    return Flags.count(option) != 0 || Given.count(option) != 0;
}

std::optional<std::string> TArguments::Value(const std::string& option) const {
    const auto found = Given.find(option);
    if (found == Given.end())
        return std::nullopt;
    return found->second.back();
}

std::vector<std::string> TArguments::Values(const std::string& option) const {
    const auto found = Given.find(option);
    return found == Given.end() ? std::vector<std::string>{} : found->second;
}

std::string TArguments::Required(const std::string& option) const {
    const auto value = Value(option);
    if (!value)
        throw TUsageError("не задан параметр " + option);
    return *value;
}

bool ReadPointNumber(std::string_view text, double& value) {
    text = Trimmed(text);
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    if (text.empty() || text[0] == '+')
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

double ParseNumber(const std::string& text, const std::string& option) {
    double value = 0.0;
    if (!ReadPointNumber(text, value))
        throw TUsageError("значение " + option + " \"" + text + "\" не является числом");
    return value;
}

std::int32_t ParseInteger(const std::string& text, const std::string& option) {
    std::string_view digits = Trimmed(text);
    if (!digits.empty() && digits[0] == '+')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw TUsageError("значение " + option + " \"" + text + "\" не является целым числом");
    return value;
}

std::vector<double> ParseNumberList(const std::string& text, const std::string& option) {
    std::vector<double> values;
    for (const std::string& part : SplitCommas(text))
        values.push_back(ParseNumber(part, option));
    return values;
}

std::vector<std::int32_t> ParseIntegerList(const std::string& text, const std::string& option) {
    std::vector<std::int32_t> values;
    for (const std::string& part : SplitCommas(text))
        values.push_back(ParseInteger(part, option));
    return values;
}

bool IsNumberList(const std::string& text) {
    double value = 0.0;
    for (const std::string& part : SplitCommas(text))
        if (!ReadPointNumber(part, value))
            return false;
    return true;
}

} // namespace orvanta::cli
