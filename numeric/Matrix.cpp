#include "numeric/Matrix.h"

#include "numeric/ExtendedDot.h"
#include "numeric/NumberText.h"
#include "numeric/Stream.h"
#include "numeric/StreamText.h"
#include "numeric/Vector.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <utility>

namespace orvanta {

namespace {

// Partial pivoting: the row among i .. n-1 of the row table whose element in
// column i is largest in magnitude; the first such row on ties.
std::int32_t PivotRow(double* const* rows, std::int32_t i, std::int32_t n) {
    std::int32_t best = i;
    double largest = std::fabs(rows[i][i]);
    for (std::int32_t k = i + 1; k < n; ++k) {
        const double v = std::fabs(rows[k][i]);
        if (v > largest) {
            largest = v;
            best = k;
        }
    }
    return best;
}

} // namespace

void TMatrix::TFreeBlock::operator()(void* p) const {
    std::free(p);
}

TMatrix::TMatrix(const TMatrix& other) {
    Init(other.nRows, other.nCols);
    AssignData(other);
}

TMatrix& TMatrix::operator=(const TMatrix& other) {
    if (this != &other) {
        if (nRows != other.nRows || nCols != other.nCols || !Block)
            SetSize(other.nRows, other.nCols);
        AssignData(other);
    }
    return *this;
}

TMatrix::TMatrix(TMatrix&& other) noexcept {
    *this = std::move(other);
}

TMatrix& TMatrix::operator=(TMatrix&& other) noexcept {
    if (this != &other) {
        Block = std::move(other.Block);
        Scratch = std::exchange(other.Scratch, nullptr);
        RowsA = std::exchange(other.RowsA, nullptr);
        RowsB = std::exchange(other.RowsB, nullptr);
        ColsA = std::exchange(other.ColsA, nullptr);
        ColsB = std::exchange(other.ColsB, nullptr);
        nCols = std::exchange(other.nCols, 0);
        nRows = std::exchange(other.nRows, 0);
        Rows = std::exchange(other.Rows, nullptr);
        CurrentView = std::exchange(other.CurrentView, TMatrixView::RowsA);
        DataBytes = std::exchange(other.DataBytes, 0);
    }
    return *this;
}

void TMatrix::Init(std::int32_t rows, std::int32_t cols) {
    Done();
    if (rows < 1 || cols < 1) {
        nRows = rows;
        nCols = cols;
        return;
    }
    const auto r = static_cast<std::size_t>(rows);
    const auto c = static_cast<std::size_t>(cols);
    // Both areas and the tables must fit a size_t: two int32 sizes multiply
    // without overflow, but their bytes times two may not.
    constexpr std::size_t MaxCells = std::numeric_limits<std::size_t>::max() / (4 * sizeof(double));
    if (r * c > MaxCells)
        throw std::bad_alloc();
    const std::size_t area = r * c * sizeof(double);
    const std::size_t tables = (2 * r + 2 * c + std::max(r, c)) * sizeof(double*);
    void* block = std::calloc(1, 2 * area + tables);
    if (!block)
        throw std::bad_alloc();
    Block.reset(block);
    auto* areaA = static_cast<double*>(block);
    double* areaB = areaA + r * c;
    auto** table = reinterpret_cast<double**>(areaB + r * c);
    RowsA = table;
    ColsA = RowsA + r;
    RowsB = ColsA + c;
    ColsB = RowsB + r;
    Scratch = ColsB + c;
    for (std::size_t i = 0; i < r; ++i) {
        RowsA[i] = areaA + i * c;
        RowsB[i] = areaB + i * c;
    }
    for (std::size_t j = 0; j < c; ++j) {
        ColsA[j] = areaA + j * r;
        ColsB[j] = areaB + j * r;
    }
    Rows = RowsA;
    CurrentView = TMatrixView::RowsA;
    DataBytes = static_cast<std::int64_t>(area);
    // Only a matrix that got its storage takes the size: a failed allocation
    // leaves an empty one, not a size without cells.
    nRows = rows;
    nCols = cols;
}

void TMatrix::Done() {
    Block.reset();
    Scratch = RowsA = RowsB = ColsA = ColsB = Rows = nullptr;
    nRows = nCols = 0;
    DataBytes = 0;
    CurrentView = TMatrixView::RowsA;
}

void TMatrix::SetSize(std::int32_t rows, std::int32_t cols) {
    Init(rows, cols);
}

double** TMatrix::TableOf(TMatrixView view) const {
    switch (view) {
    case TMatrixView::RowsA:
        return RowsA;
    case TMatrixView::ColsA:
        return ColsA;
    case TMatrixView::RowsB:
        return RowsB;
    case TMatrixView::ColsB:
        return ColsB;
    }
    return RowsA;
}

double* TMatrix::AreaOf(TMatrixView view) const {
    const bool onA = view == TMatrixView::RowsA || view == TMatrixView::ColsA;
    return onA ? RowsA[0] : RowsB[0];
}

double* TMatrix::SpareAreaOf(TMatrixView view) const {
    const bool onA = view == TMatrixView::RowsA || view == TMatrixView::ColsA;
    return onA ? RowsB[0] : RowsA[0];
}

std::string TMatrix::GetText(std::int32_t r, std::int32_t c) const {
    return FormatMatrixCell(Rows[r][c]);
}

void TMatrix::SetText(std::int32_t r, std::int32_t c, std::string_view text) {
    Rows[r][c] = StrToFloat(text);
}

void TMatrix::Clear() {
    if (Block)
        std::memset(Contents(), 0, static_cast<std::size_t>(DataBytes));
}

void TMatrix::Identity() {
    if (!Block)
        return;
    Clear();
    for (std::int32_t i = 0; i < std::min(nRows, nCols); ++i)
        Rows[i][i] = 1.0;
}

bool TMatrix::AssignData(const TMatrix& other) {
    if (nRows != other.nRows || nCols != other.nCols)
        return false;
    if (Block && other.Block && this != &other)
        std::memcpy(Contents(), other.Contents(), static_cast<std::size_t>(DataBytes));
    return true;
}

void TMatrix::StoreSpare() {
    if (Block)
        std::memcpy(SpareAreaOf(CurrentView), AreaOf(CurrentView),
                    static_cast<std::size_t>(DataBytes));
}

void TMatrix::RestoreSpare() {
    if (Block)
        std::memcpy(AreaOf(CurrentView), SpareAreaOf(CurrentView),
                    static_cast<std::size_t>(DataBytes));
}

void TMatrix::Transpose() {
    if (Block) {
        TMatrixView next = TMatrixView::ColsB;
        switch (CurrentView) {
        case TMatrixView::RowsA:
            next = TMatrixView::ColsB;
            break;
        case TMatrixView::ColsB:
            next = TMatrixView::RowsA;
            break;
        case TMatrixView::RowsB:
            next = TMatrixView::ColsA;
            break;
        case TMatrixView::ColsA:
            next = TMatrixView::RowsB;
            break;
        }
        double** target = TableOf(next);
        for (std::int32_t i = 0; i < nRows; ++i)
            for (std::int32_t j = 0; j < nCols; ++j)
                target[j][i] = Rows[i][j];
        Rows = target;
        CurrentView = next;
    }
    std::swap(nRows, nCols);
}

bool TMatrix::GetBlock(TMatrix& target, std::int32_t rowOffset, std::int32_t colOffset) const {
    if (rowOffset < 0 || colOffset < 0 ||
        static_cast<std::int64_t>(rowOffset) + target.nRows > nRows ||
        static_cast<std::int64_t>(colOffset) + target.nCols > nCols)
        return false;
    for (std::int32_t i = 0; i < target.nRows; ++i)
        std::copy_n(Rows[rowOffset + i] + colOffset, target.nCols, target.Rows[i]);
    return true;
}

bool TMatrix::PutBlock(const TMatrix& source, std::int32_t rowOffset, std::int32_t colOffset) {
    if (rowOffset < 0 || colOffset < 0 ||
        static_cast<std::int64_t>(rowOffset) + source.nRows > nRows ||
        static_cast<std::int64_t>(colOffset) + source.nCols > nCols)
        return false;
    for (std::int32_t i = 0; i < source.nRows; ++i)
        std::copy_n(source.Rows[i], source.nCols, Rows[rowOffset + i] + colOffset);
    return true;
}

bool TMatrix::GetRowPart(TVector& target, std::int32_t row, std::int32_t colOffset) const {
    if (row < 0 || row >= nRows || colOffset < 0 ||
        static_cast<std::int64_t>(colOffset) + target.Size() > nCols)
        return false;
    std::copy_n(Rows[row] + colOffset, target.Size(), target.Elements());
    return true;
}

bool TMatrix::Multiply(const TMatrix& a, const TMatrix& b) {
    if (nRows != a.nRows || a.nCols != b.nRows || b.nCols != nCols)
        return false;
    if (!Block)
        return true;
    // Into a separate matrix first: this matrix may be one of the factors.
    // The columns of b become contiguous rows of its transposed copy.
    TMatrix columns(b);
    columns.Transpose();
    TMatrix product(nRows, nCols);
    for (std::int32_t i = 0; i < nRows; ++i) {
        double* out = product.Rows[i];
        ExtendedDotRange(a.Rows[i], columns.Rows, 0, nCols, a.nCols,
                         [out](std::int32_t j, long double v) { out[j] = static_cast<double>(v); });
    }
    AssignData(product);
    return true;
}

bool TMatrix::MultiplyVector(const TVector& v, TVector& result) const {
    if (v.Size() != nCols || result.Size() < nRows)
        return false;
    // Sums first: `result` may be `v`.
    TVector sums(nRows);
    ExtendedDotRange(v.Elements(), Rows, 0, nRows, nCols, [&sums](std::int32_t i, long double x) {
        sums.Set(i, static_cast<double>(x));
    });
    std::copy_n(sums.Elements(), nRows, result.Elements());
    return true;
}

bool TMatrix::Invert() {
    if (nRows != nCols)
        return false;
    if (!Block)
        return true;
    const std::int32_t n = nRows;
    // The elimination runs on a copy so that a failure leaves the contents
    // (and the spare area, which callers use as a backup) as they were.
    TMatrix work(*this);
    TMatrix inverse(n, n);
    inverse.Identity();
    double** w = work.Scratch;
    std::copy_n(work.Rows, n, w);
    double** t = inverse.Rows;
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t best = PivotRow(w, i, n);
        if (best != i) {
            std::swap(w[i], w[best]);
            std::swap(t[i], t[best]);
        }
        const double p = w[i][i];
        if (p == 0.0)
            return false;
        for (std::int32_t k = i + 1; k < n; ++k)
            w[i][k] /= p;
        for (std::int32_t k = 0; k < n; ++k)
            t[i][k] /= p;
        for (std::int32_t k = 0; k < n; ++k) {
            if (k == i)
                continue;
            const double f = w[k][i];
            if (f == 0.0)
                continue;
            double* wk = w[k];
            const double* wi = w[i];
            for (std::int32_t l = i + 1; l < n; ++l)
                wk[l] -= wi[l] * f;
            double* tk = t[k];
            const double* ti = t[i];
            for (std::int32_t l = 0; l < n; ++l)
                tk[l] -= ti[l] * f;
        }
    }
    for (std::int32_t i = 0; i < n; ++i)
        std::copy_n(t[i], n, Rows[i]);
    return true;
}

double TMatrix::Determinant() {
    if (nRows != nCols || !Block)
        return 0.0;
    const std::int32_t n = nRows;
    double** w = Scratch;
    std::copy_n(Rows, n, w);
    double det = 1.0;
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int32_t best = PivotRow(w, i, n);
        const double largest = std::fabs(w[best][i]);
        if (largest == 0.0)
            return 0.0;
        if (best != i) {
            std::swap(w[i], w[best]);
            det = -det;
        }
        const double p = w[i][i];
        for (std::int32_t k = i + 1; k < n; ++k)
            w[i][k] /= p;
        for (std::int32_t k = i + 1; k < n; ++k) {
            const double f = w[k][i];
            for (std::int32_t l = i + 1; l < n; ++l)
                w[k][l] -= f * w[i][l];
        }
        det *= p;
    }
    return det;
}

void TMatrix::WriteRow(TStream& stream) const {
    std::string text;
    for (std::int32_t i = 0; i < nRows && Block; ++i) {
        for (std::int32_t j = 0; j < nCols; ++j) {
            text += GetText(i, j);
            text += '\t';
        }
        text += '\n';
    }
    WriteText(stream, text);
}

} // namespace orvanta
