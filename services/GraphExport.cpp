#include "services/PlanService.h"

#include "numeric/NumberText.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"
#include "plan/Settings.h"

#include <algorithm>

namespace orvanta {

namespace {

bool ValidDiagram(const TDiagramAnswer& a, std::int32_t k) {
    return a.Points >= 2 && a.Factor >= 0 && a.Factor < k &&
           static_cast<std::int32_t>(a.Point.size()) == k;
}

bool ValidSurface(const TSurfaceAnswer& a, std::int32_t k) {
    return a.XPoints >= 2 && a.YPoints >= 2 && a.FactorX >= 0 && a.FactorX < k && a.FactorY >= 0 &&
           a.FactorY < k && a.FactorX != a.FactorY &&
           static_cast<std::int32_t>(a.Point.size()) == k;
}

// Numbers of the grid file: a point as separator whatever the locale.
std::string GridNumber(double v) {
    return FormatGeneralPoint(v, 15);
}

} // namespace

bool TPlanService::ExportDiagram() {
    return Command(29, [&] {
        const auto name = AskFile(true, "Экспорт графика", TFileFilter::Text, "");
        if (!name)
            return false;
        auto answer = Plan.Host().RunDiagramWizard();
        if (!answer || !ValidDiagram(*answer, Plan.FactorCount))
            return false;
        const TSettings& settings = Settings();
        const auto f = static_cast<std::size_t>(answer->Factor);
        std::string text;
        const double h = (answer->End - answer->Start) / (answer->Points - 1);
        double x = answer->Start;
        for (std::int32_t p = 0; p < answer->Points; ++p, x += h) {
            answer->Point[f] = x;
            const double y = Plan.Predict(answer->Point.data());
            if (settings.CBExportAllCoords) {
                const double shown = settings.CBNaturalX ? x * Plan.Intervals.Get(answer->Factor) +
                                                               Plan.BaseLevels.Get(answer->Factor)
                                                         : x;
                text += FormatFull(shown) + "\t";
            }
            text += FormatFull(y) + "\n";
        }
        return WriteFile(*name, [&](TStream& s) { WriteText(s, text); });
    });
}

bool TPlanService::ExportSurface() {
    return Command(30, [&] {
        const TSettings& settings = Settings();
        const bool all = settings.CBExportAllCoords;
        const auto name =
            all ? AskFile(true, "Экспорт: все координаты", TFileFilter::Text, "")
                : AskFile(true, "Экспорт в формат GRD (WinSurf)", TFileFilter::SurferGrid, "");
        if (!name)
            return false;
        auto a = Plan.Host().RunSurfaceWizard();
        if (!a || !ValidSurface(*a, Plan.FactorCount))
            return false;
        const double hx = (a->XEnd - a->XStart) / (a->XPoints - 1);
        const double hy = (a->YEnd - a->YStart) / (a->YPoints - 1);
        const auto natural = [&](std::int32_t f, double v) {
            return v * Plan.Intervals.Get(f) + Plan.BaseLevels.Get(f);
        };
        // z[i][j]: x index i (outer), y index j (inner).
        std::vector<double> z(static_cast<std::size_t>(a->XPoints) *
                              static_cast<std::size_t>(a->YPoints));
        for (std::int32_t i = 0; i < a->XPoints; ++i)
            for (std::int32_t j = 0; j < a->YPoints; ++j) {
                a->Point[static_cast<std::size_t>(a->FactorX)] = a->XStart + i * hx;
                a->Point[static_cast<std::size_t>(a->FactorY)] = a->YStart + j * hy;
                z[static_cast<std::size_t>(i) * static_cast<std::size_t>(a->YPoints) +
                  static_cast<std::size_t>(j)] = Plan.Predict(a->Point.data());
            }
        const auto at = [&](std::int32_t i, std::int32_t j) {
            return z[static_cast<std::size_t>(i) * static_cast<std::size_t>(a->YPoints) +
                     static_cast<std::size_t>(j)];
        };
        std::string text;
        if (all) {
            const bool nat = settings.CBNaturalXY;
            for (std::int32_t i = 0; i < a->XPoints; ++i)
                for (std::int32_t j = 0; j < a->YPoints; ++j) {
                    const double x = a->XStart + i * hx;
                    const double y = a->YStart + j * hy;
                    text += FormatFull(nat ? natural(a->FactorX, x) : x) + "\t" +
                            FormatFull(nat ? natural(a->FactorY, y) : y) + "\t" +
                            FormatFull(at(i, j)) + "\n";
                }
        } else {
            const auto [low, high] = std::minmax_element(z.begin(), z.end());
            text = "DSAA\n" + IntToStr(a->XPoints) + "\t" + IntToStr(a->YPoints) + "\n" +
                   GridNumber(natural(a->FactorX, a->XStart)) + "\t" +
                   GridNumber(natural(a->FactorX, a->XEnd)) + "\n" +
                   GridNumber(natural(a->FactorY, a->YStart)) + "\t" +
                   GridNumber(natural(a->FactorY, a->YEnd)) + "\n" + GridNumber(*low) + "\t" +
                   GridNumber(*high) + "\n";
            for (std::int32_t j = 0; j < a->YPoints; ++j) {
                for (std::int32_t i = 0; i < a->XPoints; ++i)
                    text += GridNumber(at(i, j)) + "\t";
                text += "\n";
            }
        }
        return WriteFile(*name, [&](TStream& s) { WriteText(s, text); });
    });
}

} // namespace orvanta
