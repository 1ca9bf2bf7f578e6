#pragma once

#include <string>
#include <string_view>

namespace orvanta {

struct TRunSheet;

// The sheet for a spreadsheet: UTF-8 with a byte order mark (spreadsheets
// on Windows read a file without one in the system's code page), fields
// separated by commas and quoted as RFC 4180 has it, lines ended by CR LF.
// One header row - "Порядок" (with the seed of a random order: "Порядок
// (зерно S)", so the order can be made again and the table stays a table),
// "Опыт", "Повтор", the factors' names, the response's name - then one row
// per run x repeat with the response left empty.
std::string RunSheetCsv(const TRunSheet& sheet);

// The shortest text that reads back as exactly the same double, with a
// decimal point ("0.1", "41.21320343559643", "1e-05").
std::string SheetNumber(double value);

// The field as RFC 4180 writes it: quoted when it holds a comma, a
// semicolon, a quote or a line break, with its quotes doubled.
std::string CsvField(std::string_view text);

// The header of the first column for the sheet's order.
std::string OrderHeader(const TRunSheet& sheet);

} // namespace orvanta
