#include "lsq/LeastSquares.h"

#include "lsq/ExactSums.h"
#include "numeric/ExtendedDot.h"
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

using TExtended = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;

// The groups of terms that X'X links by non-zero elements (union-find); the
// inverse of a matrix made of such blocks is made of the same blocks. Both in
// scaled units.
void KeepGroups(const TExtended& info, TDense& c) {
    const auto p = static_cast<std::int32_t>(info.rows());
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
            if (info(i, j) != 0.0L)
                group[static_cast<std::size_t>(root(j))] = root(i);
    std::vector<std::int32_t> size(static_cast<std::size_t>(p), 0);
    for (std::int32_t i = 0; i < p; ++i)
        ++size[static_cast<std::size_t>(root(i))];
    for (std::int32_t i = 0; i < p; ++i) {
        for (std::int32_t j = 0; j < p; ++j)
            if (root(i) != root(j))
                c(i, j) = 0.0;
        if (size[static_cast<std::size_t>(root(i))] == 1)
            c(i, i) = static_cast<double>(1.0L / info(i, i));
    }
}

} // namespace

struct TLeastSquares::TImpl {
    // X with column j multiplied by 2^-Exponents[j], its largest element then
    // in [0.5, 1).
    TDense Scaled;
    std::vector<int> Exponents;
    Eigen::ColPivHouseholderQR<TDense> Qr;
    // X'X of the scaled columns in extended precision.
    TExtended Gram;
    bool Full = false;

    // f = y - r - X z and g = -X' r, each summed in twice the precision.
    void Residuals(const TColumn& y, const TColumn& z, const TColumn& r, TColumn& f,
                   TColumn& g) const;
    // Solves [I X; X' 0] [dr; dz] = [f; g] with the factorization.
    void Correction(const TColumn& f, const TColumn& g, TColumn& dr, TColumn& dz) const;
    // Björck's iterative refinement of the coefficients z and residuals r.
    void Refine(const TColumn& y, TColumn& z, TColumn& r) const;
    // E = I - X'X C with X'X C formed from X itself in twice the precision.
    TDense InverseResidual(const TDense& c) const;
    // Corrections C += C E of an ill-conditioned or small basis's inverse.
    void RefineInverse(TDense& c) const;
};

TDense TLeastSquares::TImpl::InverseResidual(const TDense& c) const {
    const Eigen::Index n = Scaled.rows();
    const Eigen::Index p = Scaled.cols();
    TDense e(p, p);
    std::vector<exact::TPair> y(static_cast<std::size_t>(n));
    for (Eigen::Index k = 0; k < p; ++k) {
        // y = X c_k, kept as the unrounded pair.
        for (Eigen::Index i = 0; i < n; ++i) {
            exact::TPair sum{0.0, 0.0};
            for (Eigen::Index j = 0; j < p; ++j)
                exact::AddProduct(sum, Scaled(i, j), c(j, k), exact::Split(Scaled(i, j)),
                                  exact::Split(c(j, k)));
            y[static_cast<std::size_t>(i)] = sum;
        }
        for (Eigen::Index t = 0; t < p; ++t) {
            exact::TPair sum{0.0, 0.0};
            for (Eigen::Index i = 0; i < n; ++i) {
                const exact::TPair& yi = y[static_cast<std::size_t>(i)];
                exact::AddProduct(sum, Scaled(i, t), yi.High, exact::Split(Scaled(i, t)),
                                  exact::Split(yi.High));
                sum.Low += Scaled(i, t) * yi.Low;
            }
            const exact::TPair d = exact::TwoSum(t == k ? 1.0 : 0.0, -sum.High);
            e(t, k) = d.High + (d.Low - sum.Low);
        }
    }
    return e;
}

void TLeastSquares::TImpl::RefineInverse(TDense& c) const {
    const Eigen::Index n = Scaled.rows();
    const Eigen::Index p = Scaled.cols();
    // |r_11| / |r_pp| of the pivoted R bounds the condition of X from below.
    // A well-conditioned large basis (a coded plan) keeps its C as it is: its
    // digits are there already, and the corrections cost n p^2 each.
    const TDense& qr = Qr.matrixQR();
    const double spread = std::fabs(qr(0, 0)) / std::fabs(qr(p - 1, p - 1));
    if (spread < 100.0 && static_cast<double>(n) * p * p > 2e5)
        return;
    // Newton's corrections converge only while |E| < 1 (the condition of X'X
    // below the precision); a step that does not shrink E is not taken.
    TDense e = InverseResidual(c);
    double size = e.cwiseAbs().maxCoeff();
    for (int step = 0; step < MaxCorrections && size < 0.5; ++step) {
        const TDense delta = c * e;
        const TDense next = c + (delta + delta.transpose()) / 2.0;
        const TDense nextE = InverseResidual(next);
        const double nextSize = nextE.cwiseAbs().maxCoeff();
        if (!(nextSize < size))
            return;
        c = next;
        e = nextE;
        size = nextSize;
    }
}

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
    std::vector<const double*> columns;
    for (std::int32_t j = 0; j < p; ++j)
        columns.push_back(s.Scaled.col(j).data());
    s.Gram.resize(p, p);
    for (std::int32_t i = 0; i < p; ++i)
        ExtendedDotRange(
            columns[static_cast<std::size_t>(i)], columns, i, p, n,
            [&s, i](std::int32_t j, long double v) { s.Gram(i, j) = s.Gram(j, i) = v; });
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

void TLeastSquares::Information(TMatrix& info) const {
    const TImpl& s = *Impl;
    const auto p = static_cast<std::int32_t>(s.Gram.rows());
    info.SetSize(p, p);
    for (std::int32_t i = 0; i < p; ++i)
        for (std::int32_t j = 0; j < p; ++j)
            info.Set(i, j,
                     std::ldexp(static_cast<double>(s.Gram(i, j)),
                                s.Exponents[static_cast<std::size_t>(i)] +
                                    s.Exponents[static_cast<std::size_t>(j)]));
}

bool TLeastSquares::Covariance(TMatrix& c) const {
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
    TDense inverse = s.Qr.colsPermutation() * full * s.Qr.colsPermutation().transpose();
    s.RefineInverse(inverse);
    KeepGroups(s.Gram, inverse);
    c.SetSize(static_cast<std::int32_t>(p), static_cast<std::int32_t>(p));
    for (Eigen::Index i = 0; i < p; ++i)
        for (Eigen::Index j = 0; j < p; ++j)
            c.Set(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j),
                  std::ldexp(inverse(i, j), -s.Exponents[static_cast<std::size_t>(i)] -
                                                s.Exponents[static_cast<std::size_t>(j)]));
    return true;
}

} // namespace orvanta
