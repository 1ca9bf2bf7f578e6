#pragma once

#include <cstdint>
#include <memory>

namespace orvanta {

class TMatrix;
class TVector;

// The least-squares fit of y ~ X b on a basis matrix X (rows are runs,
// columns are terms), computed from a Householder QR factorization with
// column pivoting of X itself, X P = Q R, never from X'X: the condition of
// X'X is the square of X's, and natural units square it again.
//
// The columns are scaled by powers of two before the factorization (exactly,
// so nothing rounds) to make the rank decision independent of the units.
// The coefficients are refined by Björck's corrections with residuals summed
// in twice the double precision, so that on ill-conditioned data with large
// residuals they keep the digits the data allow.
class TLeastSquares {
public:
    explicit TLeastSquares(const TMatrix& basis);
    ~TLeastSquares();
    TLeastSquares(const TLeastSquares&) = delete;
    TLeastSquares& operator=(const TLeastSquares&) = delete;

    std::int32_t RowCount() const;
    std::int32_t ColCount() const;
    // False when the columns are linearly dependent as far as the factorization
    // can tell, when there are fewer rows than columns, or when the basis holds
    // a value that is not a finite number.
    bool FullRank() const;
    // det(X'X) = the product of the squared diagonal of R (with the column
    // scales); +inf when it is beyond the doubles, 0 without full rank.
    double InfoDeterminant() const;
    // The coefficients minimising |y - X b|; false (b untouched) without full
    // rank or when y does not have RowCount() elements.
    bool Solve(const TVector& y, TVector& b) const;
    // X'X summed in extended precision (every product in its order of runs,
    // as TMatrix::Multiply sums), into info resized to ColCount() square.
    void Information(TMatrix& info) const;
    // C = (X'X)^-1 into c, resized to ColCount() square; false without full
    // rank. It comes from the factorization, P R^-1 R^-T P', and one Newton
    // correction against X'X in extended precision takes it to the digits the
    // data allow. Where the terms fall into groups that X'X links by no
    // non-zero element (every term of an orthogonal plan is such a group), C
    // keeps the groups exactly: zeros between them and 1 / (X'X)_ii for a
    // lone term, which the rounding of the factorization would blur.
    bool Covariance(TMatrix& c) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};

} // namespace orvanta
