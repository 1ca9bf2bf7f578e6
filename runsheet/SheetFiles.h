#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace orvanta {

class TRaruRuro;
struct TRunSheet;

enum class TSheetFormat { Csv, Html, Pdf };

// The format a file name asks for: .htm/.html and .pdf by their
// extensions, CSV for anything else.
TSheetFormat SheetFormatOf(const std::string& path);

// "DD.MM.YYYY" of the local date of `moment`.
std::string SheetDate(std::time_t moment);

// Writes the sheet as CSV or HTML through the safe writer; false after
// its message.
bool WriteRunSheet(const std::string& path, const TRunSheet& sheet, TSheetFormat format,
                   const std::string& date);

// Reads a filled sheet into the plan's observations: each response into its
// run and repeat, an empty cell leaving the observation as it was. A plan
// without observations gets N x m of them (m = the largest repeat on the
// sheet), zeros where the sheet gives none. A sheet that does not fit the
// plan is refused whole with a message naming its row; the plan stays as it
// was.
bool ImportRunSheet(TRaruRuro& plan, const std::string& path);

} // namespace orvanta
