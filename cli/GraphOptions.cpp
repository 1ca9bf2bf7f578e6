#include "GraphOptions.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"

namespace orvanta::cli {

bool FactorOfPlan(const TRaruRuro& plan, std::int32_t number) {
    if (number >= 1 && number <= plan.FactorCount)
        return true;
    ShowWarning("Номер фактора должен быть от 1 до " + IntToStr(plan.FactorCount) + ", задан " +
                IntToStr(number) + ".");
    return false;
}

bool EnoughPoints(std::int32_t points) {
    if (points >= 2)
        return true;
    ShowWarning("Число точек должно быть не меньше 2, задано " + IntToStr(points) + ".");
    return false;
}

std::vector<double> Pair(const TArguments& arguments, const char* option) {
    std::vector<double> values = ParseNumberList(arguments.Required(option), option);
    if (values.size() != 2)
        throw TUsageError(std::string(option) + " задается двумя числами через запятую");
    return values;
}

std::vector<std::string> GraphValued(std::vector<std::string> own) {
    own.insert(own.end(), {"--from", "--to", "--points", "--at", "-o"});
    return own;
}

TGraphPoint::TGraphPoint(const TRaruRuro& plan, const TArguments& arguments)
    : TGraphPoint(plan, arguments, arguments.Has("--natural")) {}

TGraphPoint::TGraphPoint(const TRaruRuro& plan, const TArguments& arguments, bool natural)
    : Plan(plan), Natural(natural) {
    const auto at = arguments.Value("--at");
    Values = at ? ParseNumberList(*at, "--at")
                : std::vector<double>(static_cast<std::size_t>(plan.FactorCount), 0.0);
    if (!at && Natural)
        for (std::int32_t i = 0; i < plan.FactorCount; ++i)
            Values[static_cast<std::size_t>(i)] = plan.BaseLevels.Get(i);
}

bool TGraphPoint::Fits() const {
    if (static_cast<std::int32_t>(Values.size()) == Plan.FactorCount)
        return true;
    ShowWarning("--at: нужно " + IntToStr(Plan.FactorCount) + " значений, задано " +
                IntToStr(static_cast<std::int64_t>(Values.size())) + ".");
    return false;
}

double TGraphPoint::Coded(std::int32_t f, double v) const {
    std::vector<double> point = Values;
    point[static_cast<std::size_t>(f)] = v;
    return ToCoded(point)[static_cast<std::size_t>(f)];
}

std::vector<double> TGraphPoint::ToCoded(const std::vector<double>& point) const {
    if (!Natural)
        return point;
    std::vector<double> coded(point.size());
    Plan.NaturalToCoded(point.data(), coded.data());
    return coded;
}

} // namespace orvanta::cli
