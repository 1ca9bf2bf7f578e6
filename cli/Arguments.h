#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvanta::cli {

// A command line that does not fit its command: the tool prints the reason
// and the usage text and ends with status 2.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a command accepts: options with a value, flags, and how many plain
// words (such as the plan file) may stand among them.
struct TCommandOptions {
    std::vector<std::string> Valued;
    std::vector<std::string> Flags;
    std::size_t MinPositional = 0;
    std::size_t MaxPositional = 0;
};

// The words after the command name, sorted into options and plain words.
// "--name value" and "--name=value" are both accepted; a value may start with
// a minus sign, so "--from -1" reads as expected. A repeated option keeps the
// last value, except for the options that may be given several times, which
// read them all with Values.
class TArguments {
public:
    TArguments(const std::vector<std::string>& words, const TCommandOptions& accepted);

    const std::vector<std::string>& Positional() const { return Words; }
    bool Has(const std::string& option) const;
    std::optional<std::string> Value(const std::string& option) const;
    // Every value given to the option, in the order given.
    std::vector<std::string> Values(const std::string& option) const;
    // The value of an option the command cannot do without.
    std::string Required(const std::string& option) const;

private:
    std::vector<std::string> Words;
    std::map<std::string, std::vector<std::string>> Given;
    std::map<std::string, bool> Flags;
};

// Numbers on the command line always have a decimal point, whatever the
// locale: scripts must mean the same thing everywhere.
double ParseNumber(const std::string& text, const std::string& option);
std::int32_t ParseInteger(const std::string& text, const std::string& option);
std::vector<double> ParseNumberList(const std::string& text, const std::string& option);
std::vector<std::int32_t> ParseIntegerList(const std::string& text, const std::string& option);
// True when every comma-separated part of the text is a number.
bool IsNumberList(const std::string& text);
// A number of the form the parsers above accept; false for anything else.
bool ReadPointNumber(std::string_view text, double& value);

} // namespace orvanta::cli
