#include "PlainTable.h"

#include "Arguments.h"

#include "numeric/Errors.h"
#include "numeric/FileStream.h"
#include "numeric/Messages.h"

#include <vector>

namespace orvanta::cli {

namespace {

bool ParseRow(std::string line, std::vector<double>& row) {
    const bool semicolons = line.find(';') != std::string::npos;
    const std::string separators = semicolons ? " \t;" : " \t,";
    if (semicolons)
        for (char& c : line)
            if (c == ',')
                c = '.';
    row.clear();
    std::size_t pos = line.find_first_not_of(separators);
    while (pos != std::string::npos) {
        const std::size_t end = line.find_first_of(separators, pos);
        double value = 0.0;
        if (!ReadPointNumber(std::string_view(line).substr(pos, end - pos), value))
            return false;
        row.push_back(value);
        pos = line.find_first_not_of(separators, end);
    }
    return true;
}

std::string ReadAll(TStream& stream) {
    stream.SetPosition(0);
    std::string bytes(static_cast<std::size_t>(stream.Size()), '\0');
    if (!bytes.empty())
        stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

// A form that runs out of bytes is simply not that form.
template <class TRead> bool Attempt(TStream& stream, TRead read) {
    stream.SetPosition(0);
    try {
        return read();
    } catch (const EReadError&) {
        return false;
    }
}

void ShowOpenError(const std::string& path) {
    ShowError("Ошибка открытия файла \"" + path + "\". Извините.");
}

} // namespace

bool ParsePlainTable(std::string_view text, TNamedMatrix& matrix) {
    std::vector<std::vector<double>> rows;
    std::vector<double> row;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        start = end + 1;
        if (!ParseRow(line, row)) {
            matrix.SetSize(0, 0);
            return false;
        }
        if (row.empty())
            continue;
        if (!rows.empty() && row.size() != rows.front().size()) {
            matrix.SetSize(0, 0);
            return false;
        }
        rows.push_back(row);
    }
    if (rows.empty()) {
        matrix.SetSize(0, 0);
        return false;
    }
    const auto n = static_cast<std::int32_t>(rows.size());
    const auto k = static_cast<std::int32_t>(rows.front().size());
    matrix.Create(n, k);
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t j = 0; j < k; ++j)
            matrix.Set(i, j, rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
    return true;
}

std::optional<TNamedMatrix> ReadMatrixTable(const std::string& path) {
    TNamedMatrix matrix;
    try {
        TFileStream stream(path);
        const auto filled = [&] { return matrix.RowCount() > 0 && matrix.ColCount() > 0; };
        if (Attempt(stream, [&] { return matrix.ReadTextForm(stream) && filled(); }) ||
            Attempt(stream, [&] { return matrix.ReadBinary(stream) && filled(); }))
            return matrix;
        ParsePlainTable(ReadAll(stream), matrix);
    } catch (const EFOpenError&) {
        ShowOpenError(path);
        return std::nullopt;
    } catch (const EStreamError&) {
        matrix.SetSize(0, 0);
    }
    return matrix;
}

std::optional<TNamedVector> ReadVectorTable(const std::string& path) {
    TNamedVector vector;
    try {
        TFileStream stream(path);
        if (Attempt(stream, [&] { return vector.ReadTextForm(stream) && vector.Size() > 0; }) ||
            Attempt(stream, [&] { return vector.ReadBinary(stream) && vector.Size() > 0; }))
            return vector;
        TNamedMatrix table;
        vector.SetSize(0);
        if (ParsePlainTable(ReadAll(stream), table) &&
            (table.RowCount() == 1 || table.ColCount() == 1)) {
            const std::int32_t n = table.RowCount() * table.ColCount();
            vector.Create(n);
            for (std::int32_t i = 0; i < n; ++i)
                vector.Set(i, table.RowCount() == 1 ? table.Get(0, i) : table.Get(i, 0));
        }
    } catch (const EFOpenError&) {
        ShowOpenError(path);
        return std::nullopt;
    } catch (const EStreamError&) {
        vector.SetSize(0);
    }
    return vector;
}

} // namespace orvanta::cli
