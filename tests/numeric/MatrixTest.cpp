#include "numeric/Matrix.h"
#include "numeric/Errors.h"
#include "numeric/MemoryStream.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NumberText.h"
#include "numeric/Vector.h"

#include "NumericTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <new>
#include <random>
#include <string>
#include <vector>

using namespace orvanta;
using namespace orvanta::test;

namespace {

template <class TValue> TMatrix Generated(std::int32_t rows, std::int32_t cols, TValue value) {
    TMatrix m(rows, cols);
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < cols; ++c) {
            m.Set(r, c, value(r, c));
        }
    }
    return m;
}

// Values given row after row.
TMatrix FromRows(std::int32_t rows, std::int32_t cols, const std::vector<double>& values) {
    return Generated(rows, cols, [&](std::int32_t r, std::int32_t c) {
        return values[static_cast<std::size_t>(r * cols + c)];
    });
}

// Distinct values that show where every element went.
TMatrix Numbered(std::int32_t rows, std::int32_t cols) {
    return Generated(rows, cols, [](std::int32_t r, std::int32_t c) { return 10.0 * r + c + 1.0; });
}

TMatrix Filled(std::int32_t rows, std::int32_t cols, double x) {
    return Generated(rows, cols, [x](std::int32_t, std::int32_t) { return x; });
}

TMatrix Random(std::int32_t rows, std::int32_t cols, std::mt19937& random) {
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    return Generated(rows, cols, [&](std::int32_t, std::int32_t) { return value(random); });
}

// The product by the definition, element by element, as a reference.
std::vector<double> ReferenceProduct(const TMatrix& a, const TMatrix& b) {
    std::vector<double> product;
    for (std::int32_t i = 0; i < a.RowCount(); ++i) {
        for (std::int32_t j = 0; j < b.ColCount(); ++j) {
            long double sum = 0.0L;
            for (std::int32_t k = 0; k < a.ColCount(); ++k) {
                sum += static_cast<long double>(a.Get(i, k)) * b.Get(k, j);
            }
            product.push_back(static_cast<double>(sum));
        }
    }
    return product;
}

} // namespace

TEST(MatrixTest, InitBuildsAZeroedBlockOrOnlyTheCounts) {
    TMatrix m = Numbered(2, 2);
    m.Init(2, 3);
    EXPECT_EQ(m.RowCount(), 2);
    EXPECT_EQ(m.ColCount(), 3);
    EXPECT_EQ(m.GetDataBytes(), 2 * 3 * 8);
    EXPECT_TRUE(m.HasBlock());
    EXPECT_EQ(m.View(), TMatrixView::RowsA);
    EXPECT_EQ(ValuesOf(m), std::vector<double>(6, 0.0));

    for (const std::int32_t rows : {0, -1, 3}) {
        SCOPED_TRACE(rows);
        TMatrix empty = Numbered(2, 2);
        empty.Init(rows, 3 - rows);
        EXPECT_FALSE(empty.HasBlock());
        EXPECT_EQ(empty.GetDataBytes(), 0);
        EXPECT_EQ(empty.Contents(), nullptr);
    }

    m.Done();
    EXPECT_EQ(m.RowCount(), 0);
    EXPECT_EQ(m.ColCount(), 0);
    EXPECT_EQ(m.GetDataBytes(), 0);
    EXPECT_FALSE(m.HasBlock());

    // Sizes whose bytes do not fit a size_t (2^30 x 2^30 doubles, twice, wrap
    // to almost nothing) fail to allocate and leave an empty matrix behind.
    for (const std::int32_t n : {1 << 30, std::numeric_limits<std::int32_t>::max()}) {
        SCOPED_TRACE(n);
        TMatrix huge = Numbered(2, 2);
        EXPECT_THROW(huge.Init(n, n), std::bad_alloc);
        EXPECT_EQ(huge.RowCount(), 0);
        EXPECT_FALSE(huge.HasBlock());
    }
}

TEST(MatrixTest, TransposeTwiceGivesBackContentsAndView) {
    struct TShape {
        std::int32_t rows;
        std::int32_t cols;
    };
    const TShape shapes[] = {{2, 3}, {3, 2}, {1, 4}, {4, 1}, {1, 1}, {5, 5}};
    for (const TShape& s : shapes) {
        SCOPED_TRACE(testing::Message() << s.rows << " x " << s.cols);
        const TMatrix original = Numbered(s.rows, s.cols);
        TMatrix m = original;

        m.Transpose();
        ASSERT_EQ(m.RowCount(), s.cols);
        ASSERT_EQ(m.ColCount(), s.rows);
        EXPECT_EQ(m.View(), TMatrixView::ColsB);
        for (std::int32_t i = 0; i < s.rows; ++i) {
            for (std::int32_t j = 0; j < s.cols; ++j) {
                EXPECT_EQ(m.Get(j, i), original.Get(i, j));
                // The transposed contents lie back to back, row after row.
                EXPECT_EQ(m.Contents()[j * s.rows + i], original.Get(i, j));
            }
        }

        m.Transpose();
        ASSERT_EQ(m.RowCount(), s.rows);
        ASSERT_EQ(m.ColCount(), s.cols);
        EXPECT_EQ(m.View(), TMatrixView::RowsA);
        EXPECT_EQ(ValuesOf(m), ValuesOf(original));
    }
}

TEST(MatrixTest, SpareCopyRestoresContentsInEitherView) {
    const TMatrix original = Numbered(2, 3);
    TMatrix m = original;
    m.StoreSpare();
    m.Clear();
    m.RestoreSpare();
    EXPECT_EQ(ValuesOf(m), ValuesOf(original));

    // On the transposed view the backup goes the other way, into area A.
    m.Transpose();
    const std::vector<double> transposed = ValuesOf(m);
    m.StoreSpare();
    m.Identity();
    m.RestoreSpare();
    EXPECT_EQ(m.View(), TMatrixView::ColsB);
    EXPECT_EQ(ValuesOf(m), transposed);
    m.Transpose();
    EXPECT_EQ(m.View(), TMatrixView::RowsA);
    EXPECT_EQ(ValuesOf(m), ValuesOf(original));
}

TEST(MatrixTest, ClearAndIdentityOnEveryShape) {
    struct TShape {
        std::int32_t rows;
        std::int32_t cols;
    };
    const TShape shapes[] = {{2, 3}, {3, 2}, {3, 3}, {1, 4}};
    for (const TShape& s : shapes) {
        SCOPED_TRACE(testing::Message() << s.rows << " x " << s.cols);
        TMatrix m = Filled(s.rows, s.cols, 7.0);
        m.Identity();
        for (std::int32_t r = 0; r < s.rows; ++r) {
            for (std::int32_t c = 0; c < s.cols; ++c) {
                EXPECT_EQ(m.Get(r, c), r == c ? 1.0 : 0.0) << r << ", " << c;
            }
        }
        m.Clear();
        EXPECT_EQ(ValuesOf(m), std::vector<double>(static_cast<std::size_t>(s.rows * s.cols)));
    }
}

TEST(MatrixTest, AssignDataRequiresTheSameShape) {
    // 2 x 3 and 3 x 2 have the same byte size but not the same shape.
    TMatrix wide = Numbered(2, 3);
    TMatrix tall = Filled(3, 2, -1.0);
    EXPECT_FALSE(tall.AssignData(wide));
    EXPECT_EQ(ValuesOf(tall), std::vector<double>(6, -1.0));
    EXPECT_FALSE(wide.AssignData(tall));
    EXPECT_EQ(ValuesOf(wide), ValuesOf(Numbered(2, 3)));

    // A transposed source is copied as it is seen.
    TMatrix transposed = Numbered(2, 3);
    transposed.Transpose();
    ASSERT_TRUE(tall.AssignData(transposed));
    EXPECT_EQ(ValuesOf(tall), ValuesOf(transposed));

    TMatrix same = Filled(2, 3, 0.5);
    ASSERT_TRUE(same.AssignData(wide));
    EXPECT_EQ(ValuesOf(same), ValuesOf(wide));
}

TEST(MatrixTest, CopiesAreIndependent) {
    TMatrix original = Numbered(2, 3);
    TMatrix copy(original);
    TMatrix assigned = Filled(4, 4, 1.0);
    assigned = original;
    original.Set(0, 0, -5.0);
    original.Transpose();
    EXPECT_EQ(ValuesOf(copy), ValuesOf(Numbered(2, 3)));
    EXPECT_EQ(ValuesOf(assigned), ValuesOf(Numbered(2, 3)));
    EXPECT_NE(copy.Contents(), assigned.Contents());

    TMatrix& alias = copy;
    copy = alias;
    EXPECT_EQ(ValuesOf(copy), ValuesOf(Numbered(2, 3)));

    // A copy of a transposed matrix can be transposed back.
    TMatrix transposed = Numbered(2, 3);
    transposed.Transpose();
    TMatrix transposedCopy(transposed);
    EXPECT_EQ(transposedCopy.RowCount(), 3);
    EXPECT_EQ(ValuesOf(transposedCopy), ValuesOf(transposed));
    transposedCopy.Transpose();
    EXPECT_EQ(ValuesOf(transposedCopy), ValuesOf(Numbered(2, 3)));

    const TMatrix empty;
    TMatrix fromEmpty(empty);
    EXPECT_FALSE(fromEmpty.HasBlock());
    assigned = empty;
    EXPECT_FALSE(assigned.HasBlock());
    EXPECT_EQ(assigned.RowCount(), 0);
}

TEST(MatrixTest, WholeMatrixOperationsWithoutABlockDoNothing) {
    struct TShape {
        std::int32_t rows;
        std::int32_t cols;
    };
    for (const TShape& s : {TShape{0, 0}, TShape{0, 3}, TShape{3, 0}}) {
        SCOPED_TRACE(testing::Message() << s.rows << " x " << s.cols);
        TMatrix m(s.rows, s.cols);
        m.Clear();
        m.Identity();
        m.StoreSpare();
        m.RestoreSpare();
        m.Transpose();
        EXPECT_FALSE(m.HasBlock());
        m.Transpose();
        EXPECT_EQ(m.RowCount(), s.rows);
        EXPECT_EQ(m.ColCount(), s.cols);
        EXPECT_EQ(m.View(), TMatrixView::RowsA);

        const TMatrix other(s.rows, s.cols);
        EXPECT_TRUE(m.AssignData(other));
        TMemoryStream stream;
        m.WriteRow(stream);
        EXPECT_EQ(stream.Size(), 0);

        TMatrix copy(m);
        copy = m;
        EXPECT_FALSE(copy.HasBlock());
        EXPECT_EQ(copy.Contents(), nullptr);

        (void)m.Determinant();
        (void)m.Invert();
        EXPECT_FALSE(m.HasBlock());
    }
}

TEST(MatrixTest, GetBlockAndPutBlockFitTest) {
    struct TCase {
        std::int32_t rows;
        std::int32_t cols;
        std::int32_t rowOffset;
        std::int32_t colOffset;
        bool fits;
    };
    // The big matrix is 4 x 5.
    const TCase cases[] = {
        {2, 3, 2, 2, true},   // ends exactly at the last row and column
        {2, 3, 3, 2, false},  // one row further
        {2, 3, 2, 3, false},  // one column further
        {2, 3, -1, 0, false}, // negative row offset
        {2, 3, 0, -1, false}, // negative column offset
        {4, 5, 0, 0, true},   // the whole matrix
        {5, 5, 0, 0, false},  // one row more than the matrix
        {4, 6, 0, 0, false},  // one column more than the matrix
        {1, 1, 3, 4, true},   // the last element
        {1, 1, 4, 4, false},  // past the last row
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.rows << " x " << c.cols << " at " << c.rowOffset << ", " << c.colOffset);
        const TMatrix big = Numbered(4, 5);
        TMatrix block = Filled(c.rows, c.cols, -1.0);
        ASSERT_EQ(big.GetBlock(block, c.rowOffset, c.colOffset), c.fits);
        for (std::int32_t r = 0; r < c.rows; ++r) {
            for (std::int32_t k = 0; k < c.cols; ++k) {
                EXPECT_EQ(block.Get(r, k),
                          c.fits ? big.Get(c.rowOffset + r, c.colOffset + k) : -1.0);
            }
        }

        TMatrix target = Filled(4, 5, -1.0);
        const TMatrix source = Numbered(c.rows, c.cols);
        ASSERT_EQ(target.PutBlock(source, c.rowOffset, c.colOffset), c.fits);
        for (std::int32_t r = 0; r < 4; ++r) {
            for (std::int32_t k = 0; k < 5; ++k) {
                const bool inside = c.fits && r >= c.rowOffset && r < c.rowOffset + c.rows &&
                                    k >= c.colOffset && k < c.colOffset + c.cols;
                EXPECT_EQ(target.Get(r, k),
                          inside ? source.Get(r - c.rowOffset, k - c.colOffset) : -1.0);
            }
        }
    }
}

TEST(MatrixTest, GetRowPartBounds) {
    struct TCase {
        std::int32_t size;
        std::int32_t row;
        std::int32_t colOffset;
        bool ok;
    };
    // The matrix is 3 x 4.
    const TCase cases[] = {
        {4, 0, 0, true},  {2, 2, 2, true},   {1, 1, 3, true},   {2, 2, 3, false},
        {1, 3, 0, false}, {1, -1, 0, false}, {1, 0, -1, false}, {5, 0, 0, false},
    };
    const TMatrix m = Numbered(3, 4);
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " from " << c.row << ", " << c.colOffset);
        TVector part(c.size);
        for (std::int32_t k = 0; k < c.size; ++k) {
            part.Set(k, -1.0);
        }
        ASSERT_EQ(m.GetRowPart(part, c.row, c.colOffset), c.ok);
        for (std::int32_t k = 0; k < c.size; ++k) {
            EXPECT_EQ(part.Get(k), c.ok ? m.Get(c.row, c.colOffset + k) : -1.0);
        }
    }
}

TEST(MatrixTest, MultiplyByHand) {
    struct TCase {
        const char* what;
        std::int32_t n, k, m;
        std::vector<double> a;
        std::vector<double> b;
        std::vector<double> product;
    };
    const TCase cases[] = {
        {"2x3 by 3x2", 2, 3, 2, {1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}, {58, 64, 139, 154}},
        // Single doubles would lose the 1 in both of these.
        {"cancelling sum", 1, 3, 1, {1e16, 1, -1e16}, {1, 1, 1}, {1}},
        {"exact products", 1, 2, 1, {1e8 + 1, 1e8}, {1e8 + 1, -1e8}, {2e8 + 1}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TMatrix a = FromRows(c.n, c.k, c.a);
        const TMatrix b = FromRows(c.k, c.m, c.b);
        TMatrix product = Filled(c.n, c.m, -1.0);
        ASSERT_TRUE(product.Multiply(a, b));
        EXPECT_EQ(ValuesOf(product), c.product);
    }
}

TEST(MatrixTest, MultiplyRefusesMismatchedShapes) {
    struct TCase {
        std::int32_t targetRows, targetCols;
        std::int32_t aRows, aCols;
        std::int32_t bRows, bCols;
    };
    const TCase cases[] = {
        {2, 2, 2, 3, 2, 2}, // inner sizes differ
        {3, 2, 2, 3, 3, 2}, // target rows
        {2, 3, 2, 3, 3, 2}, // target columns
        {2, 2, 2, 3, 3, 3}, // target columns
        {0, 0, 2, 3, 3, 2}, // target without a block
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.targetRows << "x" << c.targetCols << " = " << c.aRows
                                        << "x" << c.aCols << " * " << c.bRows << "x" << c.bCols);
        TMatrix target = Filled(c.targetRows, c.targetCols, 7.0);
        const TMatrix a = Numbered(c.aRows, c.aCols);
        const TMatrix b = Numbered(c.bRows, c.bCols);
        EXPECT_FALSE(target.Multiply(a, b));
        EXPECT_EQ(target.RowCount(), c.targetRows);
        EXPECT_EQ(target.ColCount(), c.targetCols);
        EXPECT_EQ(ValuesOf(target),
                  std::vector<double>(static_cast<std::size_t>(c.targetRows * c.targetCols), 7.0));
    }
}

TEST(MatrixTest, MultiplyIntoOneOfItsOperands) {
    TMatrix square = FromRows(2, 2, {1, 2, 3, 4});
    ASSERT_TRUE(square.Multiply(square, square));
    EXPECT_EQ(ValuesOf(square), (std::vector<double>{7, 10, 15, 22}));

    enum class TSide { Left, Right };
    struct TCase {
        TSide side;
        std::int32_t rows, inner, cols;
    };
    // The operand that is also the target has the target's shape.
    const TCase cases[] = {
        {TSide::Left, 10, 10, 10},
        {TSide::Left, 2, 3, 3},
        {TSide::Right, 3, 3, 2},
        {TSide::Right, 7, 7, 4},
    };
    std::mt19937 random(20240611);
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.side == TSide::Left ? "left " : "right ") << c.rows
                                        << " x " << c.inner << " x " << c.cols);
        TMatrix a = Random(c.rows, c.inner, random);
        TMatrix b = Random(c.inner, c.cols, random);
        const std::vector<double> expected = ReferenceProduct(a, b);
        TMatrix& target = c.side == TSide::Left ? a : b;
        ASSERT_TRUE(target.Multiply(a, b));
        const std::vector<double> actual = ValuesOf(target);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i) {
            EXPECT_NEAR(actual[i], expected[i], 1e-15) << i;
        }
    }
}

TEST(MatrixTest, MultiplyVectorChecksSizes) {
    const TMatrix m = FromRows(2, 3, {1, 2, 3, 4, 5, 6});
    struct TCase {
        std::int32_t vSize;
        std::int32_t resultSize;
        bool ok;
    };
    const TCase cases[] = {
        {3, 2, true}, {3, 4, true}, {2, 2, false}, {4, 2, false}, {3, 1, false}, {3, 0, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "v " << c.vSize << ", result " << c.resultSize);
        TVector v(c.vSize);
        for (std::int32_t i = 0; i < c.vSize; ++i) {
            v.Set(i, i + 1.0);
        }
        TVector result(c.resultSize);
        for (std::int32_t i = 0; i < c.resultSize; ++i) {
            result.Set(i, -1.0);
        }
        ASSERT_EQ(m.MultiplyVector(v, result), c.ok);
        // {1 2 3; 4 5 6} * (1, 2, 3) = (14, 32); elements past nRows stay.
        for (std::int32_t i = 0; i < c.resultSize; ++i) {
            const double expected = !c.ok || i >= 2 ? -1.0 : (i == 0 ? 14.0 : 32.0);
            EXPECT_EQ(result.Get(i), expected) << i;
        }
    }

    const TMatrix cancelling = FromRows(1, 3, {1e16, 1, -1e16});
    TVector ones(3);
    for (std::int32_t i = 0; i < 3; ++i) {
        ones.Set(i, 1.0);
    }
    TVector sum(1);
    ASSERT_TRUE(cancelling.MultiplyVector(ones, sum));
    EXPECT_EQ(sum.Get(0), 1.0);
}

TEST(MatrixTest, GetTextKeepsFiveSignificantDigits) {
    struct TCase {
        double value;
        const char* point;
        const char* comma;
    };
    const TCase cases[] = {
        {1.5, "1.5", "1,5"},
        {3.14159265, "3.1416", "3,1416"},
        {100000.0, "1e+05", "1e+05"},
        {123456.0, "1.2346e+05", "1,2346e+05"},
        {-1.5e-7, "-1.5e-07", "-1,5e-07"},
        {0.0, "0", "0"},
    };
    for (const char separator : {'.', ','}) {
        TSeparatorGuard guard(separator);
        for (const TCase& c : cases) {
            SCOPED_TRACE(testing::Message() << c.point << " with '" << separator << "'");
            const TMatrix m = FromRows(1, 1, {c.value});
            EXPECT_EQ(m.GetText(0, 0), separator == '.' ? c.point : c.comma);
        }
    }
}

TEST(MatrixTest, SetTextReadsNumbersAndRejectsTheRest) {
    TSeparatorGuard guard(',');
    TMatrix m(1, 2);
    m.SetText(0, 0, "1,25");
    m.SetText(0, 1, "-3e2");
    EXPECT_EQ(ValuesOf(m), (std::vector<double>{1.25, -300.0}));
    EXPECT_THROW(m.SetText(0, 1, "1.25"), EConvertError);
}

TEST(NamedMatrixTest, SetNameKeepsAtMost256Characters) {
    struct TCase {
        const char* what;
        std::string name;
        std::string kept;
    };
    const TCase cases[] = {
        {"short", "Матрица X", "Матрица X"},
        {"300 cyrillic", Repeat("Я", 300), Repeat("Я", 256)},
        {"257 mixed", Repeat("m", 255) + "ЯЯ", Repeat("m", 255) + "Я"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TNamedMatrix m;
        m.SetName(c.name);
        EXPECT_EQ(m.GetName(), c.kept);
    }
}

TEST(NamedMatrixTest, AssignCopiesNameAndContentsOfTheSameShape) {
    TNamedMatrix source;
    source.Create(2, 3);
    source.SetName("Матрица плана");
    for (std::int32_t r = 0; r < 2; ++r) {
        for (std::int32_t c = 0; c < 3; ++c) {
            source.Set(r, c, r - 0.5 * c);
        }
    }

    TNamedMatrix target;
    target.Create(2, 3);
    target.SetName("old");
    ASSERT_TRUE(target.Assign(source));
    EXPECT_EQ(target.GetName(), "Матрица плана");
    EXPECT_EQ(ValuesOf(target), ValuesOf(source));

    TNamedMatrix tall;
    tall.Create(3, 2);
    tall.SetName("tall");
    tall.Set(2, 1, 9.0);
    EXPECT_FALSE(tall.Assign(source));
    EXPECT_EQ(tall.GetName(), "tall");
    EXPECT_EQ(ValuesOf(tall), (std::vector<double>{0, 0, 0, 0, 0, 9}));

    TNamedMatrix copy(source);
    source.SetName("changed");
    source.Set(0, 0, 100.0);
    EXPECT_EQ(copy.GetName(), "Матрица плана");
    EXPECT_EQ(copy.Get(0, 0), 0.0);

    copy.Create(1, 1);
    EXPECT_EQ(copy.GetName(), "");
    EXPECT_EQ(ValuesOf(copy), (std::vector<double>{0.0}));
}
