// The QR least-squares fit against the other way of computing the same
// things (X'X inverted by elimination, its determinant by elimination) on
// well-conditioned bases, and its answers on bases without full rank.

#include "lsq/LeastSquares.h"
#include "numeric/Matrix.h"
#include "numeric/Vector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace orvanta;

namespace {

TMatrix FromRows(const std::vector<std::vector<double>>& rows) {
    TMatrix m(static_cast<std::int32_t>(rows.size()), static_cast<std::int32_t>(rows[0].size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            m.Set(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j), rows[i][j]);
    return m;
}

TEST(LeastSquaresTest, AgreesWithTheNormalEquationsOnWellConditionedBases) {
    // Column scales from 1e-6 to 1e6: the fit must not depend on the units.
    const struct {
        std::int32_t Rows, Cols;
        double Scale;
    } cases[] = {{3, 3, 1.0}, {12, 4, 1e-6}, {40, 7, 1e6}, {200, 21, 1.0}};
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Rows << " x " << c.Cols << ", scale " << c.Scale);
        TMatrix x(c.Rows, c.Cols);
        TVector y(c.Rows);
        for (std::int32_t i = 0; i < c.Rows; ++i) {
            y.Set(i, value(random));
            for (std::int32_t j = 0; j < c.Cols; ++j)
                x.Set(i, j, value(random) * (j % 2 ? c.Scale : 1.0));
        }
        const TLeastSquares fit(x);
        ASSERT_TRUE(fit.FullRank());

        // The other way: C = (X'X)^-1 by Gauss-Jordan, b = C X'y.
        TMatrix xt(x);
        xt.Transpose();
        TMatrix info(c.Cols, c.Cols);
        ASSERT_TRUE(info.Multiply(xt, x));
        TMatrix fitInfo;
        fit.Information(fitInfo);
        for (std::int32_t i = 0; i < c.Cols; ++i)
            for (std::int32_t j = 0; j < c.Cols; ++j)
                EXPECT_EQ(fitInfo.Get(i, j), info.Get(i, j)) << i << ", " << j;
        TMatrix inverse(info);
        const double det = inverse.Determinant();
        inverse = info;
        ASSERT_TRUE(inverse.Invert());
        TVector xty(c.Cols), expected(c.Cols);
        xt.MultiplyVector(y, xty);
        inverse.MultiplyVector(xty, expected);

        EXPECT_NEAR(fit.InfoDeterminant() / det, 1.0, 1e-12);
        TMatrix covariance;
        ASSERT_TRUE(fit.Covariance(covariance));
        TVector b;
        ASSERT_TRUE(fit.Solve(y, b));
        ASSERT_EQ(b.Size(), c.Cols);
        for (std::int32_t i = 0; i < c.Cols; ++i) {
            EXPECT_NEAR(b.Get(i), expected.Get(i), 1e-12 * std::fabs(expected.Get(i)) + 1e-300)
                << i;
            for (std::int32_t j = 0; j < c.Cols; ++j) {
                const double reference = inverse.Get(i, j);
                const double size = std::sqrt(inverse.Get(i, i) * inverse.Get(j, j));
                EXPECT_NEAR(covariance.Get(i, j), reference, 1e-12 * size) << i << ", " << j;
                EXPECT_EQ(covariance.Get(i, j), covariance.Get(j, i));
            }
        }
    }
}

TEST(LeastSquaresTest, CovarianceKeepsTheBlocksOfOrthogonalTerms) {
    // 2^2 with the interaction: X'X = 4 I, so C = I / 4 exactly. Three
    // levels with x^2: the constant and x^2 are linked, x stands alone.
    const struct {
        const char* What;
        std::vector<std::vector<double>> X;
        std::vector<std::vector<double>> C;
    } cases[] = {
        {"2^2",
         {{1, -1, -1, 1}, {1, 1, -1, -1}, {1, -1, 1, -1}, {1, 1, 1, 1}},
         {{0.25, 0, 0, 0}, {0, 0.25, 0, 0}, {0, 0, 0.25, 0}, {0, 0, 0, 0.25}}},
        {"three levels",
         {{1, -1, 1}, {1, 0, 0}, {1, 1, 1}, {1, 0, 0}},
         {{0.5, 0, -0.5}, {0, 0.5, 0}, {-0.5, 0, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        const TMatrix x = FromRows(c.X);
        TMatrix covariance;
        ASSERT_TRUE(TLeastSquares(x).Covariance(covariance));
        for (std::size_t i = 0; i < c.C.size(); ++i)
            for (std::size_t j = 0; j < c.C.size(); ++j) {
                const double got =
                    covariance.Get(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j));
                if (c.C[i][j] == 0.0 || i == 1)
                    EXPECT_EQ(got, c.C[i][j]) << i << ", " << j;
                else
                    EXPECT_NEAR(got, c.C[i][j], 1e-15) << i << ", " << j;
            }
    }
}

TEST(LeastSquaresTest, BasesWithoutFullRankAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* What;
        std::vector<std::vector<double>> X;
    } cases[] = {
        {"x^2 repeats the constant", {{1, -1, 1}, {1, 1, 1}, {1, -1, 1}, {1, 1, 1}}},
        {"a column of zeros", {{1, 0}, {2, 0}, {3, 0}}},
        {"fewer runs than terms", {{1, 2, 3}, {4, 5, 6}}},
        {"a sum of two columns", {{1, 2, 3}, {2, 0, 2}, {0, 5, 5}, {7, 1, 8}}},
        {"not a number", {{1, 2}, {nan, 1}, {3, 4}}},
        {"infinity", {{1, 2}, {inf, 1}, {3, 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        const TLeastSquares fit(FromRows(c.X));
        EXPECT_FALSE(fit.FullRank());
        EXPECT_EQ(fit.InfoDeterminant(), 0.0);
        TVector y(fit.RowCount()), b(1);
        b.Set(0, 7.0);
        EXPECT_FALSE(fit.Solve(y, b));
        EXPECT_EQ(b.Size(), 1);
        TMatrix covariance;
        EXPECT_FALSE(fit.Covariance(covariance));
    }
    // A response of the wrong length is refused too.
    const TLeastSquares fit(FromRows({{1, 0}, {0, 1}, {1, 1}}));
    TVector y(2), b;
    EXPECT_FALSE(fit.Solve(y, b));
}

} // namespace
