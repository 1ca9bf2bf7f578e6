#include "diagrams/ChartExportLogic.h"

#include "numeric/FileNames.h"

namespace orvanta {

TChartFormat ChartFormatOfFilter(int filterIndex) {
    switch (filterIndex) {
    case 1:
        return TChartFormat::Png;
    case 2:
        return TChartFormat::Pdf;
    default:
        return TChartFormat::Svg;
    }
}

std::string DefaultExtension(TChartFormat format) {
    switch (format) {
    case TChartFormat::Png:
        return "png";
    case TChartFormat::Pdf:
        return "pdf";
    case TChartFormat::Svg:
        break;
    }
    return "svg";
}

TChartExportFile ChartExportFileFor(const std::string& chosen, int filterIndex) {
    const TFileNameParts parts = SplitFileName(chosen);
    TChartExportFile file;
    file.Format = ChartFormatOfFilter(filterIndex);
    std::string extension = TrimText(parts.Extension);
    if (extension.empty())
        extension = DefaultExtension(file.Format);
    file.Path = JoinFileName(TrimText(parts.Folder), TrimText(parts.Name), extension);
    return file;
}

} // namespace orvanta
