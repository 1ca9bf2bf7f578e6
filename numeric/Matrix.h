#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace orvanta {

class TStream;
class TVector;

// Which row table is the current view of a matrix.
enum class TMatrixView { RowsA, ColsA, RowsB, ColsB };

// A dense matrix of doubles in one allocation: two equal data areas, four
// row-pointer tables (each area seen as rows x cols and as cols x rows) and a
// work area. The current view is one of the four tables, so transposition is
// one copy into the other area and a switch of the view, and the whole
// contents are always the bytes starting at the first row of the view.
// Indices are not checked.
class TMatrix {
public:
    TMatrix() = default;
    TMatrix(std::int32_t rows, std::int32_t cols) { Init(rows, cols); }
    TMatrix(const TMatrix& other);
    TMatrix& operator=(const TMatrix& other);
    TMatrix(TMatrix&& other) noexcept;
    TMatrix& operator=(TMatrix&& other) noexcept;
    ~TMatrix() = default;

    // Builds the block (contents zeroed); with rows < 1 or cols < 1 only the
    // counts are set and there is no block.
    void Init(std::int32_t rows, std::int32_t cols);
    void Done();
    void SetSize(std::int32_t rows, std::int32_t cols);

    std::int32_t RowCount() const { return nRows; }
    std::int32_t ColCount() const { return nCols; }
    // Byte size of one data area.
    std::int64_t GetDataBytes() const { return DataBytes; }
    bool HasBlock() const { return Block != nullptr; }
    TMatrixView View() const { return CurrentView; }

    double Get(std::int32_t r, std::int32_t c) const { return Rows[r][c]; }
    void Set(std::int32_t r, std::int32_t c, double x) { Rows[r][c] = x; }
    double* Row(std::int32_t r) { return Rows[r]; }
    const double* Row(std::int32_t r) const { return Rows[r]; }
    // The whole current contents (row after row); null without a block.
    double* Contents() { return Rows ? Rows[0] : nullptr; }
    const double* Contents() const { return Rows ? Rows[0] : nullptr; }

    // "%.5g" with the decimal separator.
    std::string GetText(std::int32_t r, std::int32_t c) const;
    // Raises EConvertError when the text is not a number.
    void SetText(std::int32_t r, std::int32_t c, std::string_view text);

    void Clear();
    void Identity();
    // Copies the contents; false when the shapes differ.
    bool AssignData(const TMatrix& other);
    // Backup of the contents in the other data area, and back.
    void StoreSpare();
    void RestoreSpare();
    void Transpose();

    bool GetBlock(TMatrix& target, std::int32_t rowOffset, std::int32_t colOffset) const;
    bool PutBlock(const TMatrix& source, std::int32_t rowOffset, std::int32_t colOffset);
    bool GetRowPart(TVector& target, std::int32_t row, std::int32_t colOffset) const;

    // this = a x b, accumulated in extended precision; false (nothing changed)
    // unless the shapes agree. This matrix may be a or b.
    bool Multiply(const TMatrix& a, const TMatrix& b);
    // result[i] = sum over j of (i, j) * v[j]; false unless v has nCols
    // elements and result at least nRows.
    bool MultiplyVector(const TVector& v, TVector& result) const;

    // Gauss-Jordan with partial pivoting. False, with the contents unchanged,
    // when the matrix is not square or a pivot is exactly zero.
    bool Invert();
    // Gaussian elimination with partial pivoting on the contents themselves
    // (they hold the reduction afterwards); 0.0 when not square or singular.
    double Determinant();

    // Plain row output: every element "%.5g" and TAB, LF after each row.
    void WriteRow(TStream& stream) const;

private:
    double** TableOf(TMatrixView view) const;
    double* AreaOf(TMatrixView view) const;
    double* SpareAreaOf(TMatrixView view) const;

    struct TFreeBlock {
        void operator()(void* p) const;
    };
    std::unique_ptr<void, TFreeBlock> Block;
    double** Scratch = nullptr;
    double** RowsA = nullptr;
    double** RowsB = nullptr;
    double** ColsA = nullptr;
    double** ColsB = nullptr;
    std::int32_t nCols = 0;
    std::int32_t nRows = 0;
    double** Rows = nullptr;
    TMatrixView CurrentView = TMatrixView::RowsA;
    std::int64_t DataBytes = 0;
};

} // namespace orvanta
