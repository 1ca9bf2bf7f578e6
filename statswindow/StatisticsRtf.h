#pragma once

#include "stats/StatisticsTables.h"

#include <string>
#include <vector>

namespace orvanta {

// The statistics as a rich-text document: each section's title in bold,
// its lines as paragraphs, its tables as tables with a bold header row and
// the marked rows shaded; Cyrillic as Windows-1251.
std::string SectionsToRtf(const std::vector<TStatSection>& sections);

} // namespace orvanta
