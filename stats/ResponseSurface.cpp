#include "stats/ResponseSurface.h"

#include "plan/RaruRuro.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

namespace orvanta {

namespace {

using TDense = Eigen::MatrixXd;
using TColumn = Eigen::VectorXd;

// y = b0 + x'b + x'Bx, B symmetric.
struct TQuadratic {
    double B0 = 0.0;
    TColumn B;
    TDense Second;
};

double At(const TRaruRuro& plan, const TColumn& x) {
    return plan.Predict(x.data());
}

double Value(const TQuadratic& q, const TColumn& x) {
    return q.B0 + q.B.dot(x) + x.dot(q.Second * x);
}

// The quadratic through the equation's values at 0, +-e_i and e_i + e_j; it
// is the equation when it also agrees at points off those axes.
bool ReadQuadratic(const TRaruRuro& plan, std::int32_t k, TQuadratic& q, double& scale) {
    const TColumn zero = TColumn::Zero(k);
    q.B0 = At(plan, zero);
    q.B = TColumn::Zero(k);
    q.Second = TDense::Zero(k, k);
    std::vector<double> plus(static_cast<std::size_t>(k));
    for (std::int32_t i = 0; i < k; ++i) {
        const TColumn e = TColumn::Unit(k, i);
        plus[static_cast<std::size_t>(i)] = At(plan, e);
        const double minus = At(plan, -e);
        q.B(i) = (plus[static_cast<std::size_t>(i)] - minus) / 2.0;
        q.Second(i, i) = (plus[static_cast<std::size_t>(i)] + minus) / 2.0 - q.B0;
    }
    for (std::int32_t i = 0; i < k; ++i)
        for (std::int32_t j = i + 1; j < k; ++j) {
            const double both = At(plan, TColumn::Unit(k, i) + TColumn::Unit(k, j));
            q.Second(i, j) = q.Second(j, i) = (both - plus[static_cast<std::size_t>(i)] -
                                               plus[static_cast<std::size_t>(j)] + q.B0) /
                                              2.0;
        }
    scale = std::fabs(q.B0) + q.B.cwiseAbs().sum() + q.Second.cwiseAbs().sum();
    // Points with every coordinate different, inside and outside the box.
    for (const double r : {0.37, -0.81, 1.9}) {
        TColumn x(k);
        for (std::int32_t i = 0; i < k; ++i)
            x(i) = r * (1.0 - 0.29 * i) + 0.13 * (i % 3);
        const double value = At(plan, x);
        const double size =
            scale * std::max(1.0, x.cwiseAbs().maxCoeff() * x.cwiseAbs().maxCoeff());
        if (!std::isfinite(value) || std::fabs(value - Value(q, x)) > 1e-9 * std::max(size, 1e-300))
            return false;
    }
    return true;
}

std::vector<double> Natural(const TRaruRuro& plan, const TColumn& coded) {
    std::vector<double> natural(static_cast<std::size_t>(coded.size()));
    plan.CodedToNatural(coded.data(), natural.data());
    return natural;
}

std::vector<double> Values(const TColumn& x) {
    return std::vector<double>(x.data(), x.data() + x.size());
}

TCanonicalAnalysis Canonical(const TRaruRuro& plan, const TQuadratic& q) {
    const Eigen::Index k = q.B.size();
    const Eigen::SelfAdjointEigenSolver<TDense> solver(q.Second);
    TCanonicalAnalysis c;
    const double largest = solver.eigenvalues().cwiseAbs().maxCoeff();
    // x_s = -1/2 B^-1 b through the eigenvectors; an eigenvalue of exactly no
    // size adds nothing (the nearest stationary point of a ridge).
    TColumn stationary = TColumn::Zero(k);
    bool ridge = false, positive = false, negative = false;
    for (Eigen::Index j = k - 1; j >= 0; --j) {
        const double lambda = solver.eigenvalues()(j);
        TColumn v = solver.eigenvectors().col(j);
        Eigen::Index at = 0;
        v.cwiseAbs().maxCoeff(&at);
        if (v(at) < 0.0)
            v = -v;
        c.Eigenvalues.push_back(lambda);
        c.Eigenvectors.push_back(Values(v));
        if (std::fabs(lambda) > 1e-12 * largest)
            stationary -= 0.5 * v.dot(q.B) / lambda * v;
        ridge = ridge || std::fabs(lambda) < 1e-3 * largest;
        positive = positive || lambda > 0.0;
        negative = negative || lambda < 0.0;
    }
    c.Kind = ridge ? "ridge" : !positive ? "maximum" : !negative ? "minimum" : "saddle";
    c.StationaryCoded = Values(stationary);
    c.StationaryNatural = Natural(plan, stationary);
    c.Predicted = At(plan, stationary);
    c.Inside = true;
    for (Eigen::Index i = 0; i < k; ++i) {
        double low = plan.CodeMatrix.Get(0, static_cast<std::int32_t>(i)), high = low;
        for (std::int32_t r = 1; r < plan.CodeMatrix.RowCount(); ++r) {
            low = std::min(low, plan.CodeMatrix.Get(r, static_cast<std::int32_t>(i)));
            high = std::max(high, plan.CodeMatrix.Get(r, static_cast<std::int32_t>(i)));
        }
        c.Inside = c.Inside && stationary(i) >= low && stationary(i) <= high;
    }
    return c;
}

std::vector<TSteepestAscentPoint> SteepestAscent(const TRaruRuro& plan, const TQuadratic& q) {
    std::vector<TSteepestAscentPoint> path;
    const TColumn direction = q.B.normalized();
    for (int step = 1; step <= 6; ++step) {
        const double radius = 0.5 * step;
        const TColumn x = radius * direction;
        path.push_back({radius, Values(x), Natural(plan, x), At(plan, x)});
    }
    return path;
}

} // namespace

void AnalyseResponseSurface(const TRaruRuro& plan, TModelStatistics& out) {
    const std::int32_t k = plan.FactorCount;
    TQuadratic q;
    double scale = 0.0;
    if (k < 1 || !ReadQuadratic(plan, k, q, scale))
        return;
    // Second-order terms at the level of the differences' rounding are none.
    const double noise = 1e-12 * scale;
    if (q.Second.cwiseAbs().maxCoeff() > noise)
        out.Canonical = Canonical(plan, q);
    else if (q.B.norm() > noise)
        out.SteepestAscent = SteepestAscent(plan, q);
}

} // namespace orvanta
