#include "design/DOptimal.h"

#include "design/CoordinateExchange.h"
#include "design/DesignRegion.h"
#include "numeric/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvanta {

namespace {

Eigen::MatrixXd FixedInformation(std::int32_t terms, const TBasisFunction& basis,
                                 const std::vector<std::vector<double>>& runs) {
    Eigen::MatrixXd information = Eigen::MatrixXd::Zero(terms, terms);
    Eigen::VectorXd f(terms);
    for (const std::vector<double>& run : runs) {
        basis(run.data(), f.data());
        information.selfadjointView<Eigen::Lower>().rankUpdate(f);
    }
    return information.selfadjointView<Eigen::Lower>();
}

} // namespace

TDOptimalPlan BuildDOptimalPlan(std::int32_t factors, std::int32_t runs, std::int32_t terms,
                                const TBasisFunction& basis, const TDOptimalOptions& options) {
    TDOptimalPlan plan;
    if (factors < 1 || runs < 1 || terms < 1) {
        plan.Message = "Неверный размер плана: " + IntToStr(runs) + " x " + IntToStr(factors) +
                       ", слагаемых модели " + IntToStr(terms) + ".";
        return plan;
    }
    const auto fixed = static_cast<std::int32_t>(options.Fixed.size());
    const std::int32_t total = runs + fixed;
    if (total < terms) {
        plan.Message = "Число опытов N = " + IntToStr(total) +
                       " меньше числа слагаемых модели p = " + IntToStr(terms) +
                       ": D-оптимальный план не существует.";
        return plan;
    }
    const TDesignRegion region(factors, options);
    if (!region.Error().empty()) {
        plan.Message = region.Error();
        return plan;
    }
    std::mt19937 random(options.Seed);
    TCoordinateExchange exchange(runs, terms, basis, region, options.Candidates);
    if (fixed > 0)
        exchange.SetFixedInformation(FixedInformation(terms, basis, options.Fixed));
    double best = -std::numeric_limits<double>::infinity();
    std::vector<double> points;
    for (std::int32_t start = 0; start < std::max(options.Starts, 1); ++start) {
        if (!exchange.Run(random)) {
            plan.Message = "Не найдено ни одной точки, удовлетворяющей границам и "
                           "ограничениям: область опытов пуста.";
            return plan;
        }
        if (exchange.LogDeterminant() > best) {
            best = exchange.LogDeterminant();
            points = exchange.Points();
        }
    }
    if (!std::isfinite(best)) {
        plan.Message = "Информационная матрица вырождена при любом выборе опытов: слагаемые "
                       "модели линейно зависимы в области опытов.";
        return plan;
    }
    for (std::int32_t i = 0; i < runs; ++i) {
        const auto first = points.begin() + std::ptrdiff_t(i) * factors;
        plan.Runs.emplace_back(first, first + factors);
    }
    // The runs in standard order, the first factor changing fastest: the
    // plan reads like a factorial; the order of running is the run sheet's.
    std::sort(plan.Runs.begin(), plan.Runs.end(), [](const auto& a, const auto& b) {
        return std::lexicographical_compare(a.rbegin(), a.rend(), b.rbegin(), b.rend());
    });
    plan.Mixture = options.Mixture;
    plan.DValue = std::exp(best / terms) / total;
    plan.DEfficiency = 100.0 * plan.DValue;
    return plan;
}

bool IsMixtureModel(std::int32_t factors, std::int32_t terms, const TBasisFunction& basis) {
    if (factors < 2 || terms < 1)
        return false;
    // A term that is 1 at three unrelated points is the constant.
    std::vector<bool> constant(static_cast<std::size_t>(terms), true);
    std::vector<double> x(static_cast<std::size_t>(factors));
    std::vector<double> f(static_cast<std::size_t>(terms));
    for (std::int32_t probe = 0; probe < 3; ++probe) {
        for (std::int32_t j = 0; j < factors; ++j)
            x[std::size_t(j)] = std::fmod(0.137 + 0.291 * j + 0.173 * probe * (j + 1), 1.0);
        basis(x.data(), f.data());
        for (std::size_t t = 0; t < f.size(); ++t)
            constant[t] = constant[t] && std::fabs(f[t] - 1.0) < 1e-12;
    }
    return std::find(constant.begin(), constant.end(), true) == constant.end();
}

TDOptimalPlan BuildDOptimalPlanFor(std::int32_t runs, const TModelBasis& model,
                                   TDOptimalOptions options) {
    const TBasisFunction& basis = model.Row;
    options.Mixture = IsMixtureModel(model.FactorCount, model.TermCount, basis);
    return BuildDOptimalPlan(model.FactorCount, runs, model.TermCount, basis, options);
}

} // namespace orvanta
