#include "runsheet/SheetHtml.h"

#include "runsheet/RunSheet.h"
#include "runsheet/SheetCsv.h"

#include <cstdio>
#include <cstdlib>

namespace orvanta {

namespace {

const char* const PageStyle =
    "body { font-family: sans-serif; font-size: 11pt; margin: 1.5em; }\n"
    "h1 { font-size: 16pt; margin: 0 0 0.4em 0; }\n"
    "p { margin: 0.2em 0; }\n"
    "table { border-collapse: collapse; margin-top: 0.8em; }\n"
    "th, td { border: 1px solid black; padding: 6px 10px; }\n"
    "th { background-color: #e8e8e8; }\n"
    "td { text-align: right; height: 2.2em; }\n"
    "td.response { width: 9em; }\n"
    "@media print { body { margin: 0; } tr { page-break-inside: avoid; } }\n";

// A setting as a person reads it off the page: 6 significant digits, the
// precision that reading a filled sheet back asks of a setting.
std::string ShownSetting(double value) {
    char rounded[32];
    std::snprintf(rounded, sizeof rounded, "%.5e", value);
    return SheetNumber(std::strtod(rounded, nullptr));
}

} // namespace

std::string HtmlText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string RunSheetHtml(const TRunSheet& sheet, const std::string& date) {
    std::string page = "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>Рабочий лист: " +
                       HtmlText(sheet.PlanName) + "</title>\n<style>\n" + PageStyle +
                       "</style>\n</head>\n<body>\n<h1>Рабочий лист</h1>\n";
    page += "<p>План: " + HtmlText(sheet.PlanName) + "</p>\n";
    page += "<p>Дата: " + HtmlText(date) + "</p>\n";
    page += "<p>" + HtmlText(OrderCaption(sheet)) + "</p>\n";
    // Names may hold commas themselves: one to a line.
    page += "<p>Факторов: " + std::to_string(sheet.FactorNames.size()) + "</p>\n<ol>\n";
    for (const std::string& name : sheet.FactorNames)
        page += "<li>" + HtmlText(name) + "</li>\n";
    page += "</ol>\n";
    // The attributes are for Qt's rich text, which reads no CSS borders.
    page +=
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"6\">\n<thead>\n<tr><th>Порядок</th>"
        "<th>Опыт</th><th>Повтор</th>";
    for (const std::string& name : sheet.FactorNames)
        page += "<th>" + HtmlText(name) + "</th>";
    page += "<th>" + HtmlText(sheet.ResponseName) + "</th></tr>\n</thead>\n<tbody>\n";
    for (const TSheetLine& line : sheet.Lines) {
        page += "<tr><td>" + std::to_string(line.Order) + "</td><td>" +
                std::to_string(line.Run.Run) + "</td><td>" + std::to_string(line.Run.Repeat) +
                "</td>";
        for (const double value : line.Settings)
            page += "<td>" + ShownSetting(value) + "</td>";
        page += "<td class=\"response\" width=\"120\">&nbsp;<br>&nbsp;</td></tr>\n";
    }
    page += "</tbody>\n</table>\n</body>\n</html>\n";
    return page;
}

} // namespace orvanta
