#pragma once

#include "stats/ModelStatistics.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

class TRaruRuro;

// One cell as a person reads it, with the figure behind the text (none for
// names and empty cells).
struct TStatCell {
    std::string Text;
    std::optional<double> Value;
};
using TStatRow = std::vector<TStatCell>;

struct TStatTable {
    std::vector<std::string> Header;
    std::vector<TStatRow> Rows;
    // The rows a researcher should look at (one flag per row).
    std::vector<bool> Marked;
};

TStatTable StatTable(std::vector<std::string> header);
void AddStatRow(TStatTable& table, TStatRow row, bool marked = false);

// The factor's name as the plan gives it; "x1", "x2", ... without names.
std::string PlanFactorName(const TRaruRuro& plan, std::size_t i);

// One part of the statistics: a tab of the window, a block of the saved text.
struct TStatSection {
    std::string
        Key; // "anova", "fit", "coefficients", "canonical", "steepest", "lenth", "diagnostics"
    std::string Title;
    std::vector<std::string> Above;
    std::vector<TStatTable> Tables;
    std::vector<std::string> Below;
};

// The options of the statistics as the person set them ("Статистика" page).
TStatisticsOptions StatisticsOptionsFromSettings();

// The statistics of the plan's model laid out in Russian: numbers with six
// significant digits and the person's decimal separator, p below 0.0001 as
// "< 0,0001", the factor names of the plan, insignificant terms noted the
// way the report notes them.
std::vector<TStatSection> StatisticsSections(const TRaruRuro& plan, const TModelStatistics& s);

// Whether an observation stands out enough for a researcher to look at it:
// |externally studentized residual| > 3 or Cook's distance > 4/n, n the
// number of observations. The diagnostics table and the residual plots mark
// the same ones.
bool WorthALook(const TObservationDiagnostics& o, std::size_t observations);

// A figure as the tables show it ("—" when it is not a number).
std::string StatFigure(double value);

// The table as tab-separated lines, the header first: it pastes into a
// spreadsheet cell by cell.
std::string TableTsv(const TStatTable& table);

// Every section as plain text: its title, the lines above, the tables as
// tab-separated lines, the lines under them; a blank line between sections.
std::string SectionsText(const std::vector<TStatSection>& sections);

} // namespace orvanta
