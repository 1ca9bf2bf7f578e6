#pragma once

#include "mteditor/CellRangeInfo.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

class TNamedMatrix;
class TNamedVector;

// A cell of the grid: column and row, numbered from 0 including the fixed
// (header) column and row.
struct TGridCell {
    std::int32_t Col = 0;
    std::int32_t Row = 0;
    bool operator==(const TGridCell&) const = default;
};

// A rectangle of grid cells, inclusive edges.
struct TGridRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// The matrix editor without its widgets: the grid's texts over one matrix
// or one vector of the plan, the commit of texts into the data, the two undo
// records, fills, copy and paste, the cursor moves and the character filter.
// The data belong to the plan; the grid only refers to them.
//
// Layout: a matrix of r x c has one fixed column and one fixed row
// (c + 1 columns, r + 1 rows; headers "1".."c" and "1".."r", the corner
// empty; data cell (j, i) is element (i - 1, j - 1)). A vector of n has no
// fixed column and one fixed row (n columns, 2 rows; headers "1".."n"; data
// cell (j, 1) is element j).
class TMatrixGridLogic {
public:
    TMatrixGridLogic();

    // ---- Data ----
    // Store the reference, clear Edited, rebuild every text (data cells with
    // the element's own text: "%.5g" for a matrix, "%.4g" for a vector).
    void AttachMatrix(TNamedMatrix& matrix);
    void AttachVector(TNamedVector& vector);
    void Detach();
    bool HasData() const { return Matrix || Vector; }
    bool IsVector() const { return Vector != nullptr; }
    TNamedMatrix* AttachedMatrix() const { return Matrix; }
    TNamedVector* AttachedVector() const { return Vector; }
    // The data's name (the matrix's or the vector's), and setting it.
    std::string Name() const;
    void SetName(std::string_view name);

    // ---- Grid ----
    std::int32_t ColCount() const { return Cols; }
    std::int32_t RowCount() const { return Rows; }
    std::int32_t FixedCols() const { return IsVector() || !HasData() ? 0 : 1; }
    std::int32_t FixedRows() const { return HasData() ? 1 : 0; }
    // All data cells (an empty grid gives a rectangle with Right < Left).
    TGridRect DataCells() const;
    // The rectangles of Fill row and Fill column at the current cell: its
    // row over all data columns, its column over all data rows (in a vector
    // the whole vector and one element).
    TGridRect RowCells(TGridCell current) const;
    TGridRect ColumnCells(TGridCell current) const;
    // True when the rectangle is not empty and lies within the data cells;
    // changes, copy and paste do nothing for any other rectangle.
    bool IsInsideData(const TGridRect& rect) const;
    const std::string& Text(TGridCell cell) const;
    void SetText(TGridCell cell, std::string text);
    // The stored element of a data cell in the general 15-digit format with
    // the process decimal separator ("%.15g").
    std::string StoredText(TGridCell cell) const;
    double StoredValue(TGridCell cell) const;

    // ---- Changes ----
    // Copies the rectangle's texts into the data (rows outer, columns inner),
    // capturing the old values for undo first unless an undo is being applied.
    // A text that is not a number ends the commit there (cells before it keep
    // their new values), sends nothing and gives false; otherwise Changed.
    bool CommitRange(const TGridRect& rect);
    // CommitRange over one cell; on success the text is rewritten from the
    // stored value ("%.15g").
    bool CommitCell(TGridCell cell);
    // Captures for undo, then writes the value (text "%.15g") into every cell
    // of the rectangle and its element; then Changed. Never fails.
    void FillRange(const TGridRect& rect, double value);
    // One level of undo that alternates with redo; nothing while UndoIndex
    // is neither 0 nor 1.
    void Undo();
    // Edited: data changed through this grid since it was attached or the
    // plan was saved; also whether undo is offered.
    bool IsEdited() const { return Edited; }
    void SetEdited(bool edited) { Edited = edited; }
    std::int32_t UndoIndex() const { return UndoAt; }
    const TCellRangeInfo& UndoRange(int i) const { return UndoRanges[static_cast<std::size_t>(i)]; }

    // Called at the end of every successful change (commit, fill, undo), after
    // Edited is set: the window refreshes its state and tells the plan.
    std::function<void()> OnChanged;

    // ---- Clipboard ----
    // The selection's texts: cells of a row separated by TAB, every row
    // ending with LF. Empty without data.
    std::string CopyText(const TGridRect& selection) const;
    // Paste: the clipboard text read as tokens, row by row into the
    // selection; every selected cell gets its token's text and the selection
    // is committed in one step (one undo step, one notification); running out
    // of tokens or meeting a non-number stops without committing, and the
    // cells written before get back the texts they showed. The token buffer
    // holds at most RowCount() * ColCount() * 64 - 1 characters of the text
    // (up to a NUL). True when committed.
    bool Paste(std::string_view clipboard, const TGridRect& selection);

    // ---- Cursor ----
    // Tab / Right: one column right, wrapping to the next row's first data
    // column and from the last cell to the first data cell.
    TGridCell NextInRow(TGridCell cell) const;
    // Shift+Tab / Left: the reverse.
    TGridCell PreviousInRow(TGridCell cell) const;
    // Enter: one row down, wrapping to the next column's first data row and
    // from the last cell to the first data cell.
    TGridCell NextInColumn(TGridCell cell) const;

    // ---- Typing ----
    // The in-place editor opened on the cell. Until EndTyping every text it
    // hands back is committed at once (TypeText), and the whole edit is one
    // undo step: only its first commit captures the old value.
    void BeginTyping(TGridCell cell);
    // The editor's text becomes the cell's text and is committed when it is
    // a number (the text is not rewritten); true when committed.
    bool TypeText(TGridCell cell, std::string text);
    // The editor closed: a text left that is not a number gives way to the
    // stored value, so the cell shows what the data hold.
    void EndTyping();
    bool IsTyping() const { return Typing; }
    TGridCell TypedCell() const { return TypingCell; }
    // The character that typing `typed` into a cell holding `cellText` enters
    // ('*' becomes 'E'; '.' and ',' become the decimal separator), or nullopt
    // when it is refused. Backspace is '\b'.
    static std::optional<char> FilterChar(char typed, std::string_view cellText);

private:
    void Rebuild();
    void Capture(TCellRangeInfo& record, const TGridRect& rect) const;
    void CaptureTexts(TCellRangeInfo& record, const TCellRangeInfo& shape) const;
    void WriteRecord(const TCellRangeInfo& record);
    void Changed();
    double& Element(TGridCell cell) const;
    bool IsInsideGrid(TGridCell cell) const;
    std::size_t IndexOf(TGridCell cell) const;

    TNamedMatrix* Matrix = nullptr;
    TNamedVector* Vector = nullptr;
    std::int32_t Cols = 0;
    std::int32_t Rows = 0;
    std::vector<std::string> Texts; // row-major, Cols per row
    std::array<TCellRangeInfo, 2> UndoRanges;
    std::int32_t UndoAt = 0;
    bool Edited = false;
    bool Typing = false;
    bool TypingCaptured = false;
    TGridCell TypingCell;
};

// The paste tokenizer: separators TAB, LF, CR and space before a token are
// skipped; a token runs to the next separator or the end; a token starting
// with a double quote runs to the next double quote (or the end) without
// the quotes. nullopt when the end of the text is reached before a token.
class TPasteTokens {
public:
    explicit TPasteTokens(std::string_view text) : Text(text) {}
    std::optional<std::string> Next();

private:
    std::string_view Text;
    std::size_t Position = 0;
};

} // namespace orvanta
