#pragma once

#include "stats/ModelStatistics.h"

#include <nlohmann/json.hpp>

#include <string>

namespace orvanta::cli {

// The statistics as the batch tool prints them: aligned Russian tables with
// six significant digits, p below 0.0001 as "< 0.0001".
std::string StatisticsText(const TModelStatistics& statistics);
// The same as one JSON object; undefined figures are null, and numbers read
// back exactly.
nlohmann::ordered_json StatisticsJson(const TModelStatistics& statistics);

} // namespace orvanta::cli
