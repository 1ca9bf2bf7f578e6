#include "lsq/LeastSquares.h"

#include "lsq/ExactSums.h"
#include "numeric/Matrix.h"
#include "numeric/Vector.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace orvanta {

namespace {

using TDense = Eigen::MatrixXd;
using TColumn = Eigen::VectorXd;

// One correction nearly always reaches the digits the data allow; the second
// confirms it, the third is for the worst conditioned data.
constexpr int MaxCorrections = 3;

// The groups of terms that X'X links by non-zero elements (union-find); the
// inverse of a matrix made of such blocks is made of the same blocks.
void KeepGroups(const TMatrix& info, TMatrix& c) {
    const std::int32_t p = info.RowCount();
    std::vector<std::int32_t> group(static_cast<std::size_t>(p));
    for (std::int32_t i = 0; i < p; ++i)
        group[static_cast<std::size_t>(i)] = i;
    const auto root = [&group](std::int32_t i) {
        while (group[static_cast<std::size_t>(i)] != i)
            i = group[static_cast<std::size_t>(i)] =
                group[static_cast<std::size_t>(group[static_cast<std::size_t>(i)])];
        return i;
    };
    for (std::int32_t i = 0; i < p; ++i)
        for (std::int32_t j = i + 1; j < p; ++j)
            if (info.Get(i, j) != 0.0 || info.Get(j, i) != 0.0)
                group[static_cast<std::size_t>(root(j))] = root(i);
    std::vector<std::int32_t> size(static_cast<std::size_t>(p), 0);
    for (std::int32_t i = 0; i < p; ++i)
        ++size[static_cast<std::size_t>(root(i))];
    for (std::int32_t i = 0; i < p; ++i) {
        for (std::int32_t j = 0; j < p; ++j)
            if (root(i) != root(j))
                c.Set(i, j, 0.0);
        if (size[static_cast<std::size_t>(root(i))] == 1)
            c.Set(i, i, 1.0 / info.Get(i, i));
    }
}

} // namespace

struct TLeastSquares::TImpl {
    // X with column j multiplied by 2^-Exponents[j], its largest element then
    // in [0.5, 1).
    TDense Scaled;
    std::vector<int> Exponents;
    Eigen::ColPivHouseholderQR<TDense> Qr;
    bool Full = false;

    // f = y - r - X z and g = -X' r, each summed in twice the precision.
    void Residuals(const TColumn& y, const TColumn& z, const TColumn& r, TColumn& f,
                   TColumn& g) const;
    // Solves [I X; X' 0] [dr; dz] = [f; g] with the factorization.
    void Correction(const TColumn& f, const TColumn& g, TColumn& dr, TColumn& dz) const;
    // Björck's iterative refinement of the coefficients z and residuals r.
    void Refine(const TColumn& y, TColumn& z, TColumn& r) const;
};

void TLeastSquares::TImpl::Residuals(const TColumn& y, const TColumn& z, const TColumn& r,
                                     TColumn& f, TColumn& g) const {
    const Eigen::Index n = Scaled.rows();
    const Eigen::Index p = Scaled.cols();
    // Column after column, so that the inner loops run over contiguous data.
    std::vector<exact::TPair> sums(static_cast<std::size_t>(n));
    for (Eigen::Index i = 0; i < n; ++i)
        sums[static_cast<std::size_t>(i)] = exact::TwoSum(y(i), -r(i));
    std::vector<exact::TPair> splitR(static_cast<std::size_t>(n));
    for (Eigen::Index i = 0; i < n; ++i)
        splitR[static_cast<std::size_t>(i)] = exact::Split(r(i));
    g.resize(p);
    for (Eigen::Index j = 0; j < p; ++j) {
        const double* column = Scaled.col(j).data();
        const double minusZ = -z(j);
        const exact::TPair splitZ = exact::Split(minusZ);
        exact::TPair dot{0.0, 0.0};
        for (Eigen::Index i = 0; i < n; ++i) {
            const exact::TPair splitX = exact::Split(column[i]);
            exact::AddProduct(sums[static_cast<std::size_t>(i)], column[i], minusZ, splitX, splitZ);
            exact::AddProduct(dot, column[i], r(i), splitX, splitR[static_cast<std::size_t>(i)]);
        }
        g(j) = -(dot.High + dot.Low);
    }
    f.resize(n);
    for (Eigen::Index i = 0; i < n; ++i)
        f(i) = sums[static_cast<std::size_t>(i)].High + sums[static_cast<std::size_t>(i)].Low;
}

void TLeastSquares::TImpl::Correction(const TColumn& f, const TColumn& g, TColumn& dr,
                                      TColumn& dz) const {
    // With X P = Q R and dz = P w: R' h = P' g, R w = (Q' f)_top - h and
    // dr = Q (h, (Q' f)_bottom).
    const Eigen::Index p = Scaled.cols();
    const auto r = Qr.matrixR().topLeftCorner(p, p).triangularView<Eigen::Upper>();
    TColumn qf = Qr.householderQ().transpose() * f;
    TColumn h = Qr.colsPermutation().transpose() * g;
    r.transpose().solveInPlace(h);
    TColumn w = qf.head(p) - h;
    r.solveInPlace(w);
    dz = Qr.colsPermutation() * w;
    qf.head(p) = h;
    dr = Qr.householderQ() * qf;
}

void TLeastSquares::TImpl::Refine(const TColumn& y, TColumn& z, TColumn& r) const {
    TColumn f, g, dr, dz;
    for (int step = 0; step < MaxCorrections; ++step) {
        Residuals(y, z, r, f, g);
        Correction(f, g, dr, dz);
        // Values beyond the split's range give no correction at all.
        if (!dz.allFinite() || !dr.allFinite())
            return;
        z += dz;
        r += dr;
        if (dz.cwiseAbs().maxCoeff() <=
            std::numeric_limits<double>::epsilon() * z.cwiseAbs().maxCoeff())
            return;
    }
}

TLeastSquares::TLeastSquares(const TMatrix& basis) : Impl(std::make_unique<TImpl>()) {
    TImpl& s = *Impl;
    const std::int32_t n = basis.RowCount();
    const std::int32_t p = basis.ColCount();
    s.Scaled.resize(n, p);
    s.Exponents.assign(static_cast<std::size_t>(p), 0);
    bool finite = true;
    for (std::int32_t j = 0; j < p; ++j) {
        double largest = 0.0;
        for (std::int32_t i = 0; i < n; ++i) {
            const double v = basis.Get(i, j);
            finite = finite && std::isfinite(v);
            largest = std::max(largest, std::fabs(v));
        }
        int& exponent = s.Exponents[static_cast<std::size_t>(j)];
        if (largest > 0.0 && std::isfinite(largest))
            std::frexp(largest, &exponent);
        for (std::int32_t i = 0; i < n; ++i)
            s.Scaled(i, j) = std::ldexp(basis.Get(i, j), -exponent);
    }
    if (!finite || p < 1 || n < p)
        return;
    s.Qr.compute(s.Scaled);
    s.Full = s.Qr.rank() == p;
}

TLeastSquares::~TLeastSquares() = default;

std::int32_t TLeastSquares::RowCount() const {
    return static_cast<std::int32_t>(Impl->Scaled.rows());
}

std::int32_t TLeastSquares::ColCount() const {
    return static_cast<std::int32_t>(Impl->Scaled.cols());
}

bool TLeastSquares::FullRank() const {
    return Impl->Full;
}

double TLeastSquares::InfoDeterminant() const {
    if (!Impl->Full)
        return 0.0;
    // The squares of a column's scale come back in the exponent; the product
    // in extended precision and range.
    long double product = 1.0L;
    int exponent = 0;
    const TDense& qr = Impl->Qr.matrixQR();
    for (Eigen::Index i = 0; i < qr.cols(); ++i) {
        const long double r = qr(i, i);
        product *= r * r;
        exponent += 2 * Impl->Exponents[static_cast<std::size_t>(i)];
    }
    return static_cast<double>(std::ldexp(product, exponent));
}

bool TLeastSquares::Solve(const TVector& y, TVector& b) const {
    const TImpl& s = *Impl;
    if (!s.Full || y.Size() != RowCount())
        return false;
    const TColumn ys = Eigen::Map<const TColumn>(y.Elements(), y.Size());
    TColumn z = s.Qr.solve(ys);
    TColumn r = ys - s.Scaled * z;
    s.Refine(ys, z, r);
    b.SetSize(ColCount());
    for (std::int32_t j = 0; j < ColCount(); ++j)
        b.Set(j, std::ldexp(z(j), -s.Exponents[static_cast<std::size_t>(j)]));
    return true;
}

bool TLeastSquares::Covariance(const TMatrix& info, TMatrix& c) const {
    const TImpl& s = *Impl;
    if (!s.Full)
        return false;
    const Eigen::Index p = s.Scaled.cols();
    // (X'X)^-1 = P R^-1 R^-T P', filled as a symmetric matrix.
    TDense inverseR = TDense::Identity(p, p);
    s.Qr.matrixR().topLeftCorner(p, p).triangularView<Eigen::Upper>().solveInPlace(inverseR);
    TDense product = TDense::Zero(p, p);
    product.selfadjointView<Eigen::Lower>().rankUpdate(inverseR);
    const TDense full = product.selfadjointView<Eigen::Lower>();
    const TDense permuted = s.Qr.colsPermutation() * full * s.Qr.colsPermutation().transpose();
    c.SetSize(static_cast<std::int32_t>(p), static_cast<std::int32_t>(p));
    for (Eigen::Index i = 0; i < p; ++i)
        for (Eigen::Index j = 0; j < p; ++j)
            c.Set(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j),
                  std::ldexp(permuted(i, j), -s.Exponents[static_cast<std::size_t>(i)] -
                                                 s.Exponents[static_cast<std::size_t>(j)]));
    if (info.RowCount() == p && info.ColCount() == p)
        KeepGroups(info, c);
    return true;
}

} // namespace orvanta
