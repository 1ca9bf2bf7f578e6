#include "runsheet/SheetReader.h"

#include "numeric/FileNames.h"
#include "plan/RaruRuro.h"
#include "runsheet/CsvRecords.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

namespace orvanta {

namespace {

std::string RowError(std::int32_t line, const std::string& text) {
    return "Строка " + std::to_string(line) + " рабочего листа: " + text;
}

std::optional<double> SheetValue(std::string_view text, bool decimalComma) {
    std::string number = TrimText(text);
    if (!number.empty() && number.front() == '+')
        number.erase(0, 1);
    if (decimalComma)
        std::replace(number.begin(), number.end(), ',', '.');
    double value = 0.0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (number.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The plan's runs as the sheet shows them, and the size of each factor.
struct TPlanRuns {
    const TMatrix& Settings;
    std::vector<double> Scales;
};

class TSheetRows {
public:
    TSheetRows(const TRaruRuro& plan, bool decimalComma)
        : Runs{plan.HasNaturalMatrix ? plan.NaturalMatrix : plan.CodeMatrix, {}},
          DecimalComma(decimalComma),
          RepeatLimit(plan.HasYMatrix ? plan.YMatrix.ColCount() : MaxSheetRepeats) {
        for (std::int32_t j = 0; j < Runs.Settings.ColCount(); ++j) {
            double scale = 0.0;
            for (std::int32_t i = 0; i < Runs.Settings.RowCount(); ++i)
                scale = std::max(scale, std::fabs(Runs.Settings.Get(i, j)));
            Runs.Scales.push_back(scale);
        }
    }

    std::size_t Columns() const { return static_cast<std::size_t>(Runs.Settings.ColCount()) + 4; }

    // Empty when the row was taken.
    std::string Take(const TCsvRecord& row, TSheetReading& reading) {
        const std::int32_t line = row.Line;
        if (row.Fields.size() != Columns())
            return RowError(line, "столбцов " + std::to_string(row.Fields.size()) + ", а нужно " +
                                      std::to_string(Columns()) +
                                      " (порядок, опыт, повтор, факторы плана, отклик).");
        const std::int32_t runs = Runs.Settings.RowCount();
        std::int32_t run = 0;
        std::int32_t repeat = 0;
        if (auto error = Number(row, 1, "номер опыта", runs, run); !error.empty())
            return error;
        if (auto error = Number(row, 2, "номер повтора", RepeatLimit, repeat); !error.empty())
            return error;
        const auto [seen, fresh] = Lines.emplace(std::make_pair(run, repeat), line);
        if (!fresh)
            return RowError(line, "опыт " + std::to_string(run) + ", повтор " +
                                      std::to_string(repeat) + " уже записан в строке " +
                                      std::to_string(seen->second) + ".");
        for (std::int32_t j = 0; j < Runs.Settings.ColCount(); ++j) {
            const auto value =
                SheetValue(row.Fields[static_cast<std::size_t>(j) + 3], DecimalComma);
            if (!value || !SameSetting(*value, Runs.Settings.Get(run - 1, j),
                                       Runs.Scales[static_cast<std::size_t>(j)]))
                return RowError(line, "значения факторов не совпадают с опытом " +
                                          std::to_string(run) + " плана.");
        }
        reading.Repeats = std::max(reading.Repeats, repeat);
        const std::string& cell = row.Fields.back();
        if (TrimText(cell).empty())
            return {};
        const auto response = SheetValue(cell, DecimalComma);
        if (!response)
            return RowError(line, "отклик \"" + cell + "\" не является числом.");
        reading.Responses.push_back({{run, repeat}, *response});
        return {};
    }

private:
    std::string Number(const TCsvRecord& row, std::size_t column, const char* what,
                       std::int32_t limit, std::int32_t& number) const {
        const std::string& cell = row.Fields[column];
        const auto value = SheetValue(cell, DecimalComma);
        if (!value || *value != std::floor(*value))
            return RowError(row.Line,
                            std::string(what) + " \"" + cell + "\" не является целым числом.");
        if (*value < 1 || *value > limit)
            return RowError(row.Line, std::string(what) + " " + cell + " вне пределов 1 .. " +
                                          std::to_string(limit) + ".");
        number = static_cast<std::int32_t>(*value);
        return {};
    }

    TPlanRuns Runs;
    bool DecimalComma;
    std::int32_t RepeatLimit;
    std::map<std::pair<std::int32_t, std::int32_t>, std::int32_t> Lines;
};

bool BlankRecord(const TCsvRecord& record) {
    return std::all_of(record.Fields.begin(), record.Fields.end(),
                       [](const std::string& field) { return TrimText(field).empty(); });
}

} // namespace

bool SameSetting(double sheet, double plan, double scale) {
    const double size = std::max({std::fabs(sheet), std::fabs(plan), 1e-9 * scale});
    if (size == 0.0)
        return true;
    // Half a unit of the sixth significant digit of the larger value.
    const double halfUnit = 0.5 * std::pow(10.0, std::floor(std::log10(size)) - 5);
    return std::fabs(sheet - plan) <= halfUnit * (1 + 1e-9);
}

TSheetReading ReadRunSheet(std::string_view text, const TRaruRuro& plan) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    const char separator = CsvSeparator(text);
    std::vector<TCsvRecord> records = SplitCsv(text, separator);
    std::erase_if(records, BlankRecord);
    TSheetReading reading;
    // The first record is the header: the columns' names are for people.
    if (records.size() < 2) {
        reading.Error = "Рабочий лист не содержит ни одного опыта.";
        return reading;
    }
    TSheetRows rows(plan, separator == ';');
    // A header of another plan's width is refused before its rows.
    if (records.front().Fields.size() != rows.Columns())
        reading.Error = rows.Take(records.front(), reading);
    for (std::size_t i = 1; i < records.size() && reading.Error.empty(); ++i)
        reading.Error = rows.Take(records[i], reading);
    if (!reading.Error.empty())
        reading.Responses.clear();
    return reading;
}

} // namespace orvanta
