#include "design/DesignRegion.h"

#include "numeric/NumberText.h"

#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {

// Rounding in the steps must not push a run out of the region it was in.
constexpr double Tolerance = 1e-9;
// Random draws before a region is taken for empty.
constexpr std::int32_t Attempts = 20000;

double Dot(const std::vector<double>& a, const double* x) {
    double sum = 0.0;
    for (std::size_t j = 0; j < a.size(); ++j)
        sum += a[j] * x[j];
    return sum;
}

} // namespace

TDesignRegion::TDesignRegion(std::int32_t factors, const TDOptimalOptions& options)
    : K(factors), Mixture(options.Mixture), Levels(std::max(options.GridLevels, 2)),
      Lower(options.Lower), Upper(options.Upper), Constraints(options.Constraints) {
    const auto k = static_cast<std::size_t>(K);
    if (Lower.empty())
        Lower.assign(k, Mixture ? 0.0 : -1.0);
    if (Upper.empty())
        Upper.assign(k, 1.0);
    Check(options);
    for (std::int32_t j = 0; j < K; ++j) {
        if (!Mixture)
            MoveList.push_back({j, -1});
        for (std::int32_t l = j + 1; Mixture && l < K; ++l)
            MoveList.push_back({j, l});
    }
}

void TDesignRegion::Check(const TDOptimalOptions& options) {
    const auto k = static_cast<std::size_t>(K);
    if (Lower.size() != k || Upper.size() != k) {
        Problem = "Границы нужно задать для каждого из " + IntToStr(K) + " факторов.";
        return;
    }
    for (std::size_t i = 0; i < options.Constraints.size(); ++i)
        if (options.Constraints[i].A.size() != k) {
            Problem = "Ограничение № " + IntToStr(static_cast<std::int64_t>(i) + 1) +
                      " должно иметь " + IntToStr(K) + " коэффициентов.";
            return;
        }
    for (std::int32_t j = 0; j < K; ++j)
        if (Lower[std::size_t(j)] > Upper[std::size_t(j)]) {
            Problem = "Нижняя граница фактора № " + IntToStr(j + 1) + " больше верхней.";
            return;
        }
    if (!Mixture)
        return;
    if (K < 2) {
        Problem = "Смесь должна состоять хотя бы из двух компонентов.";
        return;
    }
    double low = 0.0;
    double high = 0.0;
    for (std::size_t j = 0; j < k; ++j) {
        low += Lower[j];
        high += Upper[j];
    }
    if (low > 1.0 + Tolerance || high < 1.0 - Tolerance)
        Problem = "Доли компонентов смеси с такими границами не могут составить в сумме 1.";
}

bool TDesignRegion::Satisfies(const double* x) const {
    for (std::size_t j = 0; j < Lower.size(); ++j)
        if (x[j] < Lower[j] - Tolerance || x[j] > Upper[j] + Tolerance)
            return false;
    for (const TLinearConstraint& c : Constraints)
        if (Dot(c.A, x) > c.C + Tolerance)
            return false;
    return true;
}

double TDesignRegion::Level(std::int32_t j, std::int32_t s) const {
    const double lower = Lower[std::size_t(j)];
    return lower + (Upper[std::size_t(j)] - lower) * s / (Levels - 1);
}

std::pair<double, double> TDesignRegion::Interval(const double* x, TMove move) const {
    const auto j = std::size_t(move.J);
    double lo = Lower[j] - x[j];
    double hi = Upper[j] - x[j];
    if (move.L >= 0) {
        const auto l = std::size_t(move.L);
        lo = std::max(lo, x[l] - Upper[l]);
        hi = std::min(hi, x[l] - Lower[l]);
    }
    for (const TLinearConstraint& c : Constraints) {
        const double slope = c.A[j] - (move.L >= 0 ? c.A[std::size_t(move.L)] : 0.0);
        const double slack = c.C - Dot(c.A, x);
        if (slope > 0.0)
            hi = std::min(hi, slack / slope);
        else if (slope < 0.0)
            lo = std::max(lo, slack / slope);
    }
    return {std::min(lo, 0.0), std::max(hi, 0.0)};
}

void TDesignRegion::GridSteps(const double* x, TMove move, double lo, double hi,
                              std::vector<double>& steps) const {
    steps.clear();
    steps.push_back(lo);
    // A mixture's pair shares what the two have: its grid spans that share.
    for (std::int32_t s = 1; Mixture && s + 1 < Levels; ++s)
        steps.push_back(lo + (hi - lo) * s / (Levels - 1));
    for (std::int32_t s = 0; !Mixture && s < Levels; ++s) {
        const double step = Level(move.J, s) - x[std::size_t(move.J)];
        if (step > lo && step < hi)
            steps.push_back(step);
    }
    steps.push_back(hi);
}

bool TDesignRegion::RandomPoint(std::mt19937& random, bool onGrid, double* x) const {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<std::int32_t> level(0, Levels - 1);
    std::exponential_distribution<double> share(1.0);
    double free = 1.0;
    for (double lower : Lower)
        free -= lower;
    for (std::int32_t attempt = 0; attempt < Attempts; ++attempt) {
        double sum = 0.0;
        for (std::int32_t j = 0; j < K; ++j) {
            if (Mixture)
                sum += x[j] = share(random);
            else
                x[j] = onGrid ? Level(j, level(random))
                              : Lower[std::size_t(j)] +
                                    (Upper[std::size_t(j)] - Lower[std::size_t(j)]) * unit(random);
        }
        // Proportions spread evenly over the simplex above the lower bounds.
        for (std::int32_t j = 0; Mixture && j < K; ++j)
            x[j] = Lower[std::size_t(j)] + free * x[j] / sum;
        if (Satisfies(x))
            return true;
    }
    return false;
}

double TDesignRegion::Snapped(std::int32_t j, double value) const {
    const double lower = Lower[std::size_t(j)];
    const double width = Upper[std::size_t(j)] - lower;
    if (width <= 0.0)
        return lower;
    const double level =
        Level(j, static_cast<std::int32_t>(std::lround((value - lower) / width * (Levels - 1))));
    return std::fabs(value - level) < 1e-12 ? level : value;
}

void TDesignRegion::Apply(double* x, TMove move, double tau) const {
    if (move.L < 0) {
        x[move.J] = Snapped(move.J, x[move.J] + tau);
        return;
    }
    const double pair = x[move.J] + x[move.L];
    x[move.J] = Snapped(move.J, x[move.J] + tau);
    // The sum stays 1 within rounding; a proportion on its bound is exact.
    x[move.L] = Snapped(move.L, pair - x[move.J]);
}

void TDesignRegion::Wander(std::mt19937& random, double* x) const {
    std::uniform_int_distribution<std::size_t> pick(0, MoveList.size() - 1);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (std::int32_t step = 0; step < 4 * K; ++step) {
        const TMove move = MoveList[pick(random)];
        const auto [lo, hi] = Interval(x, move);
        Apply(x, move, lo + (hi - lo) * unit(random));
    }
}

} // namespace orvanta
