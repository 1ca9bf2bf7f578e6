#pragma once

#include "runsheet/RunOrder.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

class TRaruRuro;

// A response the sheet gives for a run and repeat.
struct TSheetResponse {
    TSheetRun Run;
    double Value = 0.0;
};

// What a filled sheet says: its responses (the empty cells left out) and
// the largest repeat number on it, or why the whole sheet is refused.
struct TSheetReading {
    std::string Error; // empty when the sheet fits the plan
    std::vector<TSheetResponse> Responses;
    std::int32_t Repeats = 0;
};

// The largest repeat number a sheet may give a plan that has no
// observations yet (the limit of the observations dialog).
constexpr std::int32_t MaxSheetRepeats = 64;

// Reads the CSV of a run sheet as the program writes it or as a
// spreadsheet saves it again: comma or semicolon separators, a decimal
// comma with semicolons, a byte order mark or none, the rows in any order.
// Every row must name a run and repeat of the plan once, with the run's
// factor settings in natural units (equal to 6 significant digits, as a
// spreadsheet rounds what it shows), and a number or nothing as its
// response.
TSheetReading ReadRunSheet(std::string_view text, const TRaruRuro& plan);

// Whether the sheet's setting equals the plan's to 6 significant digits;
// `scale` is the largest magnitude of the factor in the plan, below whose
// 1e-9 part a value counts as zero.
bool SameSetting(double sheet, double plan, double scale);

} // namespace orvanta
