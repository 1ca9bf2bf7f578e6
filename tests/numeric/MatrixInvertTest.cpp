#include "numeric/Matrix.h"

#include "NumericTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <random>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

TMatrix FromRows(std::int32_t rows, std::int32_t cols, const std::vector<double>& values) {
    TMatrix m(rows, cols);
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < cols; ++c) {
            m.Set(r, c, values[static_cast<std::size_t>(r * cols + c)]);
        }
    }
    return m;
}

// Bit for bit, so that a NaN or a -0.0 written by a failed operation shows.
bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// Laplace expansion along the first row: exact for small integer matrices and
// shares nothing with elimination.
double LaplaceDeterminant(const std::vector<double>& a, std::size_t n) {
    if (n == 1) {
        return a[0];
    }
    double det = 0.0;
    std::vector<double> minor((n - 1) * (n - 1));
    for (std::size_t j = 0; j < n; ++j) {
        std::size_t k = 0;
        for (std::size_t r = 1; r < n; ++r) {
            for (std::size_t c = 0; c < n; ++c) {
                if (c != j) {
                    minor[k++] = a[r * n + c];
                }
            }
        }
        const double term = a[j] * LaplaceDeterminant(minor, n - 1);
        det += j % 2 == 0 ? term : -term;
    }
    return det;
}

// Sign of a permutation from its cycles: (-1)^(n - number of cycles).
int PermutationSign(const std::vector<std::size_t>& p) {
    std::vector<bool> seen(p.size(), false);
    std::size_t cycles = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (!seen[i]) {
            ++cycles;
            for (std::size_t j = i; !seen[j]; j = p[j]) {
                seen[j] = true;
            }
        }
    }
    return (p.size() - cycles) % 2 == 0 ? 1 : -1;
}

std::vector<std::size_t> RandomPermutation(std::size_t n, std::mt19937& random) {
    std::vector<std::size_t> p(n);
    std::iota(p.begin(), p.end(), std::size_t{0});
    std::shuffle(p.begin(), p.end(), random);
    return p;
}

// Rows of a matrix with a dominant diagonal, put in a random order so that
// every column needs its pivot row searched for. Well conditioned at every
// size: the inverse is close to (n + 1)^-1 times a permutation.
TMatrix DominantPermuted(std::int32_t n, std::mt19937& random) {
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    const std::vector<std::size_t> order = RandomPermutation(static_cast<std::size_t>(n), random);
    TMatrix m(n, n);
    for (std::int32_t r = 0; r < n; ++r) {
        const auto source = static_cast<std::int32_t>(order[static_cast<std::size_t>(r)]);
        for (std::int32_t c = 0; c < n; ++c) {
            m.Set(r, c, value(random) + (c == source ? n + 1.0 : 0.0));
        }
    }
    return m;
}

// max |(a x)(i, j) - delta(i, j)|, the product taken by the definition.
double ResidualFromIdentity(const TMatrix& a, const TMatrix& x) {
    double worst = 0.0;
    for (std::int32_t i = 0; i < a.RowCount(); ++i) {
        for (std::int32_t j = 0; j < x.ColCount(); ++j) {
            long double sum = 0.0L;
            for (std::int32_t k = 0; k < a.ColCount(); ++k) {
                sum += static_cast<long double>(a.Get(i, k)) * x.Get(k, j);
            }
            worst = std::max(worst, static_cast<double>(std::fabs(sum - (i == j ? 1.0L : 0.0L))));
        }
    }
    return worst;
}

} // namespace

TEST(MatrixDeterminantTest, SmallMatricesByHand) {
    struct TCase {
        const char* what;
        std::int32_t n;
        std::vector<double> a;
        double det;
    };
    const TCase cases[] = {
        {"1x1", 1, {-5}, -5},
        {"2x2", 2, {1, 2, 3, 4}, -2},
        {"2x2 swapped rows", 2, {3, 4, 1, 2}, 2},
        {"upper triangular", 3, {2, 1, 3, 0, 4, 1, 0, 0, 5}, 40},
        // The same rows with the first two exchanged: one pivot swap.
        {"one row swap", 3, {0, 4, 1, 2, 1, 3, 0, 0, 5}, -40},
        {"zero in the corner", 3, {0, 1, 2, 3, 4, 5, 6, 7, 9}, -3},
        {"exchange matrix", 3, {0, 0, 1, 0, 1, 0, 1, 0, 0}, -1},
        {"cyclic permutation", 3, {0, 1, 0, 0, 0, 1, 1, 0, 0}, 1},
        {"identity", 4, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(LaplaceDeterminant(c.a, static_cast<std::size_t>(c.n)), c.det);
        TMatrix m = FromRows(c.n, c.n, c.a);
        EXPECT_NEAR(m.Determinant(), c.det, 1e-12 * std::fabs(c.det));
    }
}

TEST(MatrixDeterminantTest, ExactZeroForSingularAndNonSquare) {
    struct TCase {
        const char* what;
        std::int32_t rows;
        std::int32_t cols;
        std::vector<double> a;
    };
    const TCase cases[] = {
        {"zero first column", 2, 2, {0, 1, 0, 2}},
        {"zero middle column", 3, 3, {1, 0, 2, 3, 0, 4, 5, 0, 6}},
        {"zero last column", 3, 3, {1, 2, 0, 3, 4, 0, 5, 6, 0}},
        {"equal rows", 2, 2, {1, 2, 1, 2}},
        {"equal rows after a swap", 3, 3, {1, 2, 3, 1, 2, 3, 4, 5, 6}},
        {"zero row", 3, 3, {1, 2, 3, 0, 0, 0, 4, 5, 7}},
        {"1x1 zero", 1, 1, {0}},
        {"2x3", 2, 3, {1, 0, 0, 0, 1, 0}},
        {"3x2", 3, 2, {1, 0, 0, 1, 0, 0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TMatrix m = FromRows(c.rows, c.cols, c.a);
        const double det = m.Determinant();
        EXPECT_EQ(det, 0.0);
        EXPECT_FALSE(std::signbit(det));
    }
}

TEST(MatrixDeterminantTest, RandomIntegerMatricesAgreeWithLaplace) {
    // Entries up to 5 in magnitude and n <= 6 keep |det| below Hadamard's
    // bound (5 sqrt 6)^6 < 2e7, so rounding stays far below 1e-6.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(-5, 5);
    for (std::int32_t n = 2; n <= 6; ++n) {
        for (int trial = 0; trial < 5; ++trial) {
            SCOPED_TRACE(testing::Message() << n << " x " << n << ", trial " << trial);
            std::vector<double> a(static_cast<std::size_t>(n * n));
            for (double& x : a) {
                x = value(random);
            }
            const double reference = LaplaceDeterminant(a, static_cast<std::size_t>(n));
            TMatrix m = FromRows(n, n, a);
            EXPECT_NEAR(m.Determinant(), reference, 1e-6);

            // det(A^T) = det(A), through the transposed view.
            TMatrix t = FromRows(n, n, a);
            t.Transpose();
            EXPECT_NEAR(t.Determinant(), reference, 1e-6);
        }
    }
}

TEST(MatrixDeterminantTest, ProductOfKnownTriangularFactors) {
    // A = P L U with L unit lower triangular, so det A = sign(P) * prod U(i, i).
    std::mt19937 random(11);
    for (std::int32_t n : {10, 50, 256}) {
        SCOPED_TRACE(testing::Message() << n << " x " << n);
        const auto size = static_cast<std::size_t>(n);
        std::uniform_real_distribution<double> small(-1.0 / n, 1.0 / n);
        std::uniform_real_distribution<double> diagonal(1.0, 2.0);
        std::vector<double> lower(size * size, 0.0);
        std::vector<double> upper(size * size, 0.0);
        double det = 1.0;
        for (std::size_t i = 0; i < size; ++i) {
            lower[i * size + i] = 1.0;
            for (std::size_t j = 0; j < i; ++j) {
                lower[i * size + j] = small(random);
            }
            const double d = (random() % 2 == 0 ? 1.0 : -1.0) * diagonal(random);
            upper[i * size + i] = d;
            det *= d;
            for (std::size_t j = i + 1; j < size; ++j) {
                upper[i * size + j] = small(random);
            }
        }
        const std::vector<std::size_t> p = RandomPermutation(size, random);
        det *= PermutationSign(p);

        TMatrix m(n, n);
        for (std::size_t i = 0; i < size; ++i) {
            for (std::size_t j = 0; j < size; ++j) {
                long double sum = 0.0L;
                for (std::size_t k = 0; k <= std::min(i, j); ++k) {
                    sum += static_cast<long double>(lower[i * size + k]) * upper[k * size + j];
                }
                m.Set(static_cast<std::int32_t>(p[i]), static_cast<std::int32_t>(j),
                      static_cast<double>(sum));
            }
        }
        EXPECT_NEAR(m.Determinant(), det, 1e-10 * std::fabs(det));
    }
}

TEST(MatrixDeterminantTest, SpareCopyUndoesTheElimination) {
    struct TCase {
        const char* what;
        std::int32_t n;
        std::vector<double> a;
        bool transposed;
    };
    const TCase cases[] = {
        {"needs swaps", 3, {0, 4, 1, 2, 1, 3, 1, 0, 5}, false},
        {"singular", 3, {1, 2, 3, 1, 2, 3, 4, 5, 6}, false},
        {"transposed view", 3, {0, 4, 1, 2, 1, 3, 1, 0, 5}, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TMatrix m = FromRows(c.n, c.n, c.a);
        if (c.transposed) {
            m.Transpose();
        }
        const std::vector<double> before = ValuesOf(m);
        m.StoreSpare();
        (void)m.Determinant();
        m.RestoreSpare();
        // Row for row: the elimination swaps pointers only in its own copy of
        // the row table.
        EXPECT_EQ(ValuesOf(m), before);
        if (c.transposed) {
            m.Transpose();
            EXPECT_EQ(m.View(), TMatrixView::RowsA);
            EXPECT_EQ(ValuesOf(m), c.a);
        }
    }
}

TEST(MatrixInvertTest, SmallInversesByHand) {
    struct TCase {
        const char* what;
        std::int32_t n;
        std::vector<double> a;
        std::vector<double> inverse;
    };
    const TCase cases[] = {
        {"1x1", 1, {4}, {0.25}},
        {"2x2", 2, {4, 7, 2, 6}, {0.6, -0.7, -0.2, 0.4}},
        {"exchange", 2, {0, 1, 1, 0}, {0, 1, 1, 0}},
        {"cyclic permutation", 3, {0, 0, 1, 1, 0, 0, 0, 1, 0}, {0, 1, 0, 0, 0, 1, 1, 0, 0}},
        {"second differences",
         3,
         {2, -1, 0, -1, 2, -1, 0, -1, 2},
         {0.75, 0.5, 0.25, 0.5, 1.0, 0.5, 0.25, 0.5, 0.75}},
        // Without pivoting the tiny first pivot wipes out the (0, 0) element
        // (it comes out 0 instead of -1).
        {"tiny pivot", 2, {1e-20, 1, 1, 1}, {-1, 1, 1, -1e-20}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TMatrix m = FromRows(c.n, c.n, c.a);
        ASSERT_TRUE(m.Invert());
        const std::vector<double> inverse = ValuesOf(m);
        ASSERT_EQ(inverse.size(), c.inverse.size());
        for (std::size_t i = 0; i < inverse.size(); ++i) {
            EXPECT_NEAR(inverse[i], c.inverse[i], 1e-15) << i;
        }
    }
}

TEST(MatrixInvertTest, ProductWithTheInverseIsTheIdentity) {
    // Dominant permuted matrices have a condition number near 1, so the
    // residual stays within a few n * eps; n * 1e-12 leaves a wide margin.
    std::mt19937 random(2024);
    for (std::int32_t n : {1, 2, 3, 10, 50, 256}) {
        SCOPED_TRACE(testing::Message() << n << " x " << n);
        const TMatrix a = DominantPermuted(n, random);
        TMatrix x = a;
        ASSERT_TRUE(x.Invert());
        EXPECT_EQ(x.View(), TMatrixView::RowsA);
        EXPECT_LE(ResidualFromIdentity(a, x), n * 1e-12);
        EXPECT_LE(ResidualFromIdentity(x, a), n * 1e-12);
    }
}

TEST(MatrixInvertTest, IdentityStaysExactlyTheIdentity) {
    for (std::int32_t n : {1, 3, 17}) {
        SCOPED_TRACE(n);
        TMatrix m(n, n);
        m.Identity();
        const std::vector<double> identity = ValuesOf(m);
        ASSERT_TRUE(m.Invert());
        EXPECT_TRUE(SameBits(ValuesOf(m), identity));
    }
}

TEST(MatrixInvertTest, ZeroPivotOrNonSquareFailsAndKeepsTheContents) {
    struct TCase {
        const char* what;
        std::int32_t rows;
        std::int32_t cols;
        std::vector<double> a;
        bool transposed;
    };
    // Every square case here reaches a pivot that is exactly 0.0.
    const TCase cases[] = {
        {"zero first column", 2, 2, {0, 1, 0, 2}, false},
        {"zero last column", 2, 2, {1, 0, 2, 0}, false},
        {"zero row", 2, 2, {1, 2, 0, 0}, false},
        {"equal rows", 3, 3, {1, 2, 3, 1, 2, 3, 4, 5, 6}, false},
        {"equal rows, transposed view", 3, 3, {1, 2, 3, 1, 2, 3, 4, 5, 6}, true},
        {"zero matrix", 3, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0}, false},
        {"1x1 zero", 1, 1, {0}, false},
        {"2x3", 2, 3, {1, 0, 0, 0, 1, 0}, false},
        {"3x2", 3, 2, {1, 0, 0, 1, 0, 0}, false},
        {"2x3, transposed view", 2, 3, {1, 2, 3, 4, 5, 6}, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TMatrix m = FromRows(c.rows, c.cols, c.a);
        if (c.transposed) {
            m.Transpose();
        }
        const std::vector<double> before = ValuesOf(m);
        const TMatrixView view = m.View();
        const std::int32_t rows = m.RowCount();
        EXPECT_FALSE(m.Invert());
        EXPECT_EQ(m.View(), view);
        EXPECT_EQ(m.RowCount(), rows);
        EXPECT_TRUE(SameBits(ValuesOf(m), before));
    }
}

TEST(MatrixInvertTest, InvertsTheTransposedView) {
    // (A^T)^-1 transposed back is A^-1.
    std::mt19937 random(5);
    const TMatrix a = DominantPermuted(12, random);
    TMatrix x = a;
    x.Transpose();
    ASSERT_TRUE(x.Invert());
    x.Transpose();
    EXPECT_EQ(x.View(), TMatrixView::RowsA);
    EXPECT_LE(ResidualFromIdentity(a, x), 12 * 1e-12);
}

TEST(MatrixInvertTest, DeterminantThenInverseThroughTheSpareCopy) {
    // The plan engine's order: keep a copy, test the determinant, bring the
    // copy back and invert.
    std::mt19937 random(17);
    const TMatrix a = DominantPermuted(20, random);
    TMatrix m = a;
    m.StoreSpare();
    EXPECT_NE(m.Determinant(), 0.0);
    m.RestoreSpare();
    EXPECT_EQ(ValuesOf(m), ValuesOf(a));
    ASSERT_TRUE(m.Invert());
    EXPECT_LE(ResidualFromIdentity(a, m), 20 * 1e-12);
}
