#pragma once

#include <string>

namespace orvanta {

struct TRunSheet;

// The sheet as a printable page (UTF-8): the plan's file name, the date,
// the order, the factors with their names, and a bordered table (settings
// to 6 significant digits) whose
// empty response cells are tall enough to write in by hand. The page keeps
// to the HTML that Qt's rich text understands too, so it prints to PDF the
// way a browser shows it.
std::string RunSheetHtml(const TRunSheet& sheet, const std::string& date);

// The text with &, <, > and " written as entities.
std::string HtmlText(const std::string& text);

} // namespace orvanta
