#include "runsheet/SheetCsv.h"

#include "runsheet/RunSheet.h"

#include <charconv>
#include <cmath>

namespace orvanta {

std::string SheetNumber(double value) {
    // Plain decimals where a person reads them easily ("100000", not
    // "1e+05"); the exponent only for the very small and the very large.
    const double size = std::fabs(value);
    const bool plain = size == 0.0 || (size >= 1e-4 && size < 1e15);
    char buffer[400];
    const auto end =
        plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr
              : std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",;\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string OrderHeader(const TRunSheet& sheet) {
    return sheet.Seed ? "Порядок (зерно " + std::to_string(*sheet.Seed) + ")"
                      : std::string("Порядок");
}

std::string RunSheetCsv(const TRunSheet& sheet) {
    std::string text = "\xEF\xBB\xBF";
    text += CsvField(OrderHeader(sheet)) + ",Опыт,Повтор";
    for (const std::string& name : sheet.FactorNames)
        text += ',' + CsvField(name);
    text += ',' + CsvField(sheet.ResponseName) + "\r\n";
    for (const TSheetLine& line : sheet.Lines) {
        text += std::to_string(line.Order) + ',' + std::to_string(line.Run.Run) + ',' +
                std::to_string(line.Run.Repeat);
        for (const double value : line.Settings)
            text += ',' + SheetNumber(value);
        text += ",\r\n";
    }
    return text;
}

} // namespace orvanta
