#include "runsheet/CsvRecords.h"

namespace orvanta {

char CsvSeparator(std::string_view text) {
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ',' || c == ';'))
            return c;
        else if (!quoted && c == '\n')
            break;
    }
    return ',';
}

std::vector<TCsvRecord> SplitCsv(std::string_view text, char separator) {
    std::vector<TCsvRecord> records;
    TCsvRecord record{1, {}};
    std::string field;
    std::int32_t line = 1;
    bool quoted = false;
    const auto endRecord = [&] {
        record.Fields.push_back(std::move(field));
        field.clear();
        records.push_back(std::move(record));
        record = TCsvRecord{line, {}};
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n';
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            record.Fields.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            ++line;
            endRecord();
        } else if (c != '\r') {
            field += c;
        }
    }
    if (!field.empty() || !record.Fields.empty())
        endRecord();
    return records;
}

} // namespace orvanta
