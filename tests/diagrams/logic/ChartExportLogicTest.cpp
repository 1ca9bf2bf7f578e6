// The names "Экспорт ..." writes the chart to.
#include "diagrams/ChartExportLogic.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(ChartExport, NamesFollowTheFilterAndTheTrimmedParts) {
    struct TCase {
        const char* Chosen;
        int Filter;
        const char* Path;
        TChartFormat Format;
    };
    const TCase cases[] = {
        {"/home/lab/chart", 0, "/home/lab/chart.svg", TChartFormat::Svg},
        {"/home/lab/chart", 1, "/home/lab/chart.png", TChartFormat::Png},
        {"/home/lab/chart", 2, "/home/lab/chart.pdf", TChartFormat::Pdf},
        // An extension typed is kept; the filter still decides the format.
        {"/home/lab/chart.svg", 1, "/home/lab/chart.svg", TChartFormat::Png},
        {"/home/lab/Chart.PDF", 2, "/home/lab/Chart.PDF", TChartFormat::Pdf},
        {"/home/lab/chart .png ", 1, "/home/lab/chart.png", TChartFormat::Png},
        {"/home/lab/  chart  ", 0, "/home/lab/chart.svg", TChartFormat::Svg},
        {"/home/lab/draft.", 2, "/home/lab/draft.pdf", TChartFormat::Pdf},
        {"/home/lab/draft. ", 0, "/home/lab/draft.svg", TChartFormat::Svg},
        {"/home/lab.v2/chart", 0, "/home/lab.v2/chart.svg", TChartFormat::Svg},
        {"/home/lab.v2/run.1.png", 1, "/home/lab.v2/run.1.png", TChartFormat::Png},
        {"/home/lab/run..svg", 0, "/home/lab/run..svg", TChartFormat::Svg},
        {"/home/my lab/отклик", 0, "/home/my lab/отклик.svg", TChartFormat::Svg},
        {"chart", 1, "chart.png", TChartFormat::Png},
        {"/chart", 2, "/chart.pdf", TChartFormat::Pdf},
        {"/home/lab/chart", -1, "/home/lab/chart.svg", TChartFormat::Svg},
        {"/home/lab/chart", 3, "/home/lab/chart.svg", TChartFormat::Svg},
    };
    for (const TCase& c : cases) {
        const TChartExportFile file = ChartExportFileFor(c.Chosen, c.Filter);
        EXPECT_EQ(file.Path, c.Path) << c.Chosen << " / " << c.Filter;
        EXPECT_EQ(file.Format, c.Format) << c.Chosen << " / " << c.Filter;
    }
}

} // namespace
} // namespace orvanta
