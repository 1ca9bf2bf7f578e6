#pragma once

#include <string>

namespace orvanta {

// The picture formats "Экспорт ..." offers, in the order of the dialog's
// filters.
enum class TChartFormat { Svg, Png, Pdf };

// The format of a filter entry; an index the dialog cannot have given is
// read as the first entry.
TChartFormat ChartFormatOfFilter(int filterIndex);
// "svg", "png" or "pdf".
std::string DefaultExtension(TChartFormat format);

// Where a chart export goes: the chosen name split into folder, base name
// and extension (what follows the last "." of the name), each without the
// blanks around it; an empty extension becomes the one of the chosen
// filter. The filter, not the extension typed, decides the format.
struct TChartExportFile {
    std::string Path;
    TChartFormat Format = TChartFormat::Svg;
};
TChartExportFile ChartExportFileFor(const std::string& chosen, int filterIndex);

} // namespace orvanta
