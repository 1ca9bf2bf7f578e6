#include "stats/Lenth.h"

#include "distributions/Distributions.h"
#include "plan/RaruRuro.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

bool TwoLevels(const TRaruRuro& plan) {
    const TNamedMatrix& x = plan.CodeMatrix;
    for (std::int32_t i = 0; i < x.RowCount(); ++i)
        for (std::int32_t j = 0; j < x.ColCount(); ++j)
            if (std::fabs(x.Get(i, j)) != 1.0)
                return false;
    return x.RowCount() > 0;
}

} // namespace

std::optional<TLenthAnalysis> LenthAnalysis(const TRaruRuro& plan,
                                            const std::vector<TCoefficientStatistics>& coefficients,
                                            std::int32_t constant) {
    if (plan.Repeats() != 1 || !TwoLevels(plan))
        return std::nullopt;
    TLenthAnalysis lenth;
    std::vector<double> sizes;
    for (std::size_t j = 0; j < coefficients.size(); ++j)
        if (static_cast<std::int32_t>(j) != constant) {
            lenth.Effects.push_back({coefficients[j].Name, 2.0 * coefficients[j].Value, false});
            sizes.push_back(std::fabs(lenth.Effects.back().Effect));
        }
    if (sizes.empty())
        return std::nullopt;
    const double s0 = 1.5 * Median(sizes);
    std::vector<double> small;
    std::copy_if(sizes.begin(), sizes.end(), std::back_inserter(small),
                 [s0](double c) { return c < 2.5 * s0; });
    lenth.Pse = small.empty() ? 0.0 : 1.5 * Median(small);
    const double count = static_cast<double>(sizes.size());
    const double d = count / 3.0;
    lenth.Me = dist::StudentQuantile(0.975, d) * lenth.Pse;
    const double gamma = (1.0 + std::pow(0.95, 1.0 / count)) / 2.0;
    lenth.Sme = dist::StudentQuantile(gamma, d) * lenth.Pse;
    for (TLenthEffect& effect : lenth.Effects)
        effect.Active = std::fabs(effect.Effect) > lenth.Me;
    return lenth;
}

} // namespace orvanta
