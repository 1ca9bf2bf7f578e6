#include "plots/Pictures.h"

#include "plan/RaruRuro.h"

#include <algorithm>

namespace orvanta {

namespace {

std::string FactorName(const TRaruRuro& plan, std::int32_t factor) {
    const auto i = static_cast<std::size_t>(factor);
    return i < plan.FactorNames.size() ? plan.FactorNames[i] : "x" + std::to_string(factor + 1);
}

} // namespace

std::pair<double, double> RunSpan(const TRaruRuro& plan, std::int32_t factor) {
    double low = 0.0;
    double high = 0.0;
    for (std::int32_t i = 0; i < plan.CodeMatrix.RowCount(); ++i) {
        low = std::min(low, plan.CodeMatrix.Get(i, factor));
        high = std::max(high, plan.CodeMatrix.Get(i, factor));
    }
    if (!(high > low))
        return {-1.0, 1.0};
    const double spare = 0.05 * (high - low);
    return {low - spare, high + spare};
}

bool NaturalPicture(const TRaruRuro& plan, bool asked) {
    return asked && HasNaturalAxes(plan);
}

TCurvesPicture InteractionPicture(const TRaruRuro& plan, std::int32_t along, std::int32_t other,
                                  const std::vector<double>& reference, bool natural) {
    const bool units = NaturalPicture(plan, natural);
    TCurvesPicture picture;
    picture.Title = "Взаимодействие: " + FactorName(plan, along) + " и " + FactorName(plan, other);
    picture.XTitle = FactorName(plan, along) + (units ? "" : ", кодированные единицы");
    picture.YTitle = plan.ResponseName;
    picture.Curves = InteractionCurves(plan, along, other, reference, units);
    return picture;
}

TCurvesPicture TracePicture(const TRaruRuro& plan, const std::vector<double>& reference) {
    TCurvesPicture picture;
    picture.Title = "Трассировка";
    picture.XTitle = "Отклонение от опорной точки, кодированные единицы";
    picture.YTitle = plan.ResponseName;
    picture.Curves = TraceCurves(plan, reference);
    return picture;
}

} // namespace orvanta
