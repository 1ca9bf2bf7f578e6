#pragma once

#include "runsheet/RunOrder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

class TRaruRuro;

// One line of the sheet: its place in the order of running (from 1), the
// run and repeat, and the run's factor settings in natural units.
struct TSheetLine {
    std::int32_t Order = 0;
    TSheetRun Run;
    std::vector<double> Settings;
};

// What a run sheet shows: the plan it comes from, the names of its columns,
// the seed of a random order, and a line per run x repeat.
struct TRunSheet {
    std::string PlanName; // the plan file's name without its folder, or "[без имени]"
    std::vector<std::string> FactorNames;
    std::string ResponseName;
    std::optional<std::uint32_t> Seed; // none: standard order
    std::vector<TSheetLine> Lines;
};

// The sheet of the plan's natural matrix with m = the plan's repeats (at
// least 1), in standard order or in the order made from `seed`.
TRunSheet MakeRunSheet(const TRaruRuro& plan, std::optional<std::uint32_t> seed);

// "Случайный порядок опытов, зерно S" or "Стандартный порядок опытов".
std::string OrderCaption(const TRunSheet& sheet);

} // namespace orvanta
