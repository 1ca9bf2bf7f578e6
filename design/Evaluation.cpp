#include "design/Evaluation.h"

#include "distributions/Distributions.h"
#include "lsq/LeastSquares.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvanta {

namespace {

constexpr std::int32_t GridNodes = 4096;
constexpr std::size_t ClimbStarts = 8;
constexpr std::int32_t FdsSteps = 20;

// N f'Cf at any point of the region.
class TScaledVariance {
public:
    TScaledVariance(const TModelBasis& basis, const TMatrix& c, std::int32_t runs)
        : Basis(basis), C(c.RowCount(), c.ColCount()), F(c.RowCount()), Runs(runs) {
        for (std::int32_t i = 0; i < c.RowCount(); ++i)
            for (std::int32_t j = 0; j < c.ColCount(); ++j)
                C(i, j) = c.Get(i, j);
    }

    double operator()(const TPoint& x) const {
        Basis.Row(x.data(), F.data());
        return Runs * F.dot(C * F);
    }

private:
    const TModelBasis& Basis;
    Eigen::MatrixXd C;
    mutable Eigen::VectorXd F;
    std::int32_t Runs;
};

std::int32_t ConstantTerm(const TMatrix& x) {
    for (std::int32_t j = 0; j < x.ColCount(); ++j) {
        bool ones = true;
        for (std::int32_t i = 0; i < x.RowCount() && ones; ++i)
            ones = x.Get(i, j) == 1.0;
        if (ones)
            return j;
    }
    return -1;
}

void FillCoefficients(const TMatrix& x, const TMatrix& c, TDesignEvaluation& out) {
    const std::int32_t n = x.RowCount();
    const std::int32_t m = out.Repeats;
    out.PowerDf = m > 1 ? n * (m - 1) : n - out.Terms;
    for (std::int32_t j = 0; j < out.Terms; ++j) {
        const double cjj = c.Get(j, j);
        double mean = 0.0;
        for (std::int32_t i = 0; i < n; ++i)
            mean += x.Get(i, j);
        mean /= n;
        double spread = 0.0;
        for (std::int32_t i = 0; i < n; ++i)
            spread += (x.Get(i, j) - mean) * (x.Get(i, j) - mean);
        out.Vif.push_back(j == out.Constant ? std::nullopt : std::optional<double>(cjj * spread));
        out.RelativeStdErrors.push_back(std::sqrt(cjj));
        out.Power.push_back(
            dist::StudentPower(out.Alpha, out.Delta / std::sqrt(cjj / m), out.PowerDf));
    }
}

void FillEfficiencies(const TLeastSquares& fit, const TMatrix& x, const TMatrix& c,
                      TDesignEvaluation& out) {
    const double n = out.Runs;
    const double p = out.Terms;
    double trace = 0.0;
    for (std::int32_t j = 0; j < out.Terms; ++j)
        trace += c.Get(j, j);
    double largest = 0.0;
    for (std::int32_t i = 0; i < out.Runs; ++i) {
        double h = 0.0;
        for (std::int32_t a = 0; a < out.Terms; ++a)
            for (std::int32_t b = 0; b < out.Terms; ++b)
                h += x.Get(i, a) * c.Get(a, b) * x.Get(i, b);
        out.Leverage.push_back(h);
        largest = std::max(largest, h);
    }
    out.DEfficiency = 100.0 * std::pow(fit.InfoDeterminant(), 1.0 / p) / n;
    out.AEfficiency = 100.0 * p / (n * trace);
    out.GEfficiency = 100.0 * p / (n * largest);
}

// The largest N f'Cf: the best nodes of a grid and of the random sample
// climbed to their local peaks; the prediction variance of a polynomial has
// few of them, mostly at the region's corners and edges.
void FillMaximum(const TScaledVariance& spv, const std::vector<TPoint>& sample,
                 const std::vector<double>& sampleValues, TDesignEvaluation& out) {
    const std::int32_t k = static_cast<std::int32_t>(out.SpvMaxPoint.size());
    std::vector<std::pair<double, TPoint>> nodes;
    for (TPoint& x : RegionGrid(out.Region, k, GridNodes))
        nodes.emplace_back(spv(x), std::move(x));
    for (std::size_t i = 0; i < sample.size(); ++i)
        nodes.emplace_back(sampleValues[i], sample[i]);
    nodes.emplace_back(out.SpvCentre, out.SpvMaxPoint);
    const std::size_t starts = std::min(ClimbStarts, nodes.size());
    std::partial_sort(nodes.begin(), nodes.begin() + static_cast<std::ptrdiff_t>(starts),
                      nodes.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    out.SpvMax = -std::numeric_limits<double>::infinity();
    for (std::size_t s = 0; s < starts; ++s) {
        TPoint x = nodes[s].second;
        const double value = ClimbInRegion(out.Region, x, spv);
        if (value > out.SpvMax) {
            out.SpvMax = value;
            out.SpvMaxPoint = x;
        }
    }
}

void FillPredictionVariance(const TModelBasis& basis, const TMatrix& c,
                            const TEvaluationOptions& options, TDesignEvaluation& out) {
    const TScaledVariance spv(basis, c, out.Runs);
    const std::int32_t k = basis.FactorCount;
    out.SpvMaxPoint = RegionCentre(out.Region, k);
    out.SpvCentre = spv(out.SpvMaxPoint);
    const std::vector<TPoint> sample =
        UniformSample(out.Region, k, options.SamplePoints, options.Seed);
    std::vector<double> values;
    for (const TPoint& x : sample)
        values.push_back(spv(x));
    FillMaximum(spv, sample, values, out);
    std::sort(values.begin(), values.end());
    for (std::int32_t s = 0; s <= FdsSteps && !values.empty(); ++s) {
        const double fraction = static_cast<double>(s) / FdsSteps;
        const auto at = static_cast<std::size_t>(std::lround(fraction * (values.size() - 1)));
        out.Fds.push_back({fraction, values[at]});
    }
}

} // namespace

std::optional<TDesignEvaluation> EvaluateDesign(const TMatrix& design, const TModelBasis& basis,
                                                const TEvaluationOptions& options) {
    if (basis.TermCount < 1 || basis.FactorCount < 1 || design.ColCount() != basis.FactorCount ||
        design.RowCount() < basis.TermCount)
        return std::nullopt;
    const TMatrix x = ModelMatrix(design, basis);
    const TLeastSquares fit(x);
    TMatrix c;
    if (!fit.Covariance(c))
        return std::nullopt;
    TDesignEvaluation out;
    out.Runs = design.RowCount();
    out.Terms = basis.TermCount;
    out.Repeats = std::max(options.Repeats, 1);
    out.Constant = ConstantTerm(x);
    out.Region = options.Region.value_or(DesignRegion(design, basis));
    out.Alpha = options.Alpha;
    out.Delta = options.Delta;
    FillCoefficients(x, c, out);
    FillEfficiencies(fit, x, c, out);
    FillPredictionVariance(basis, c, options, out);
    return out;
}

} // namespace orvanta
