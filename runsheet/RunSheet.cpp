#include "runsheet/RunSheet.h"

#include "numeric/FileNames.h"
#include "plan/RaruRuro.h"

#include <algorithm>

namespace orvanta {

TRunSheet MakeRunSheet(const TRaruRuro& plan, std::optional<std::uint32_t> seed) {
    TRunSheet sheet;
    const TFileNameParts parts = SplitFileName(plan.FileName);
    sheet.PlanName = plan.FileName.empty()
                         ? std::string("[без имени]")
                         : parts.Name + (parts.Extension.empty() ? "" : "." + parts.Extension);
    const std::int32_t k = plan.NaturalMatrix.ColCount();
    for (std::int32_t j = 0; j < k; ++j)
        sheet.FactorNames.push_back(j < static_cast<std::int32_t>(plan.FactorNames.size())
                                        ? plan.FactorNames[static_cast<std::size_t>(j)]
                                        : "Фактор № " + std::to_string(j + 1));
    sheet.ResponseName = plan.ResponseName;
    sheet.Seed = seed;
    const std::int32_t runs = plan.NaturalMatrix.RowCount();
    const std::int32_t repeats = std::max(plan.Repeats(), 1);
    const std::vector<TSheetRun> order =
        seed ? RandomRunOrder(runs, repeats, *seed) : StandardRunOrder(runs, repeats);
    std::int32_t place = 0;
    for (const TSheetRun& run : order) {
        TSheetLine line{++place, run, {}};
        for (std::int32_t j = 0; j < k; ++j)
            line.Settings.push_back(plan.NaturalMatrix.Get(run.Run - 1, j));
        sheet.Lines.push_back(std::move(line));
    }
    return sheet;
}

std::string OrderCaption(const TRunSheet& sheet) {
    return sheet.Seed ? "Случайный порядок опытов, зерно " + std::to_string(*sheet.Seed)
                      : std::string("Стандартный порядок опытов");
}

} // namespace orvanta
