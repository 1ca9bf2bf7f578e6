#pragma once

#include "stats/ModelStatistics.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace orvanta::cli {

// The statistics as the batch tool prints them: aligned Russian tables with
// six significant digits, p below 0.0001 as "< 0.0001".
std::string StatisticsText(const TModelStatistics& statistics);
// The same as one JSON object; undefined figures are null, and numbers read
// back exactly.
nlohmann::ordered_json StatisticsJson(const TModelStatistics& statistics);
// Rows of cells aligned as the statistics print them: the first column to
// the left, the others to the right, two blanks apart.
std::string AlignedTable(const std::vector<std::vector<std::string>>& rows);

} // namespace orvanta::cli
