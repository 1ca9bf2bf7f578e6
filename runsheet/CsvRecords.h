#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// One record of a CSV text and the line of the file it starts on (from 1).
struct TCsvRecord {
    std::int32_t Line = 0;
    std::vector<std::string> Fields;
};

// The separator of a CSV text: the first comma or semicolon outside quotes
// on its first line (spreadsheets in a Russian locale write semicolons);
// a comma when there is neither.
char CsvSeparator(std::string_view text);

// The records of a CSV text as RFC 4180 has them: quoted fields may hold
// separators, doubled quotes and line breaks; lines may end with LF or
// CR LF. The fields come without their quotes.
std::vector<TCsvRecord> SplitCsv(std::string_view text, char separator);

} // namespace orvanta
