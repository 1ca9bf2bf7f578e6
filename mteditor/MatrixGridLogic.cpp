#include "mteditor/MatrixGridLogic.h"

#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"
#include "numeric/NumberText.h"

#include <algorithm>
#include <utility>

namespace orvanta {

namespace {

// Longer cell texts take no more characters, except Backspace.
constexpr std::size_t MaxTypedLength = 25;
// Bytes of the paste buffer per grid cell.
constexpr std::int64_t PasteBytesPerCell = 64;

bool IsPasteSeparator(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

TGridRect CellRect(TGridCell cell) {
    return {cell.Col, cell.Row, cell.Col, cell.Row};
}

TGridRect RecordRect(const TCellRangeInfo& record) {
    return {record.Col, record.Row, record.Right(), record.Bottom()};
}

} // namespace

TMatrixGridLogic::TMatrixGridLogic() = default;

// ---- Data ----

void TMatrixGridLogic::AttachMatrix(TNamedMatrix& matrix) {
    Matrix = &matrix;
    Vector = nullptr;
    Edited = false;
    Rebuild();
}

void TMatrixGridLogic::AttachVector(TNamedVector& vector) {
    Vector = &vector;
    Matrix = nullptr;
    Edited = false;
    Rebuild();
}

void TMatrixGridLogic::Detach() {
    Matrix = nullptr;
    Vector = nullptr;
    Edited = false;
    Rebuild();
}

std::string TMatrixGridLogic::Name() const {
    if (Matrix)
        return Matrix->GetName();
    if (Vector)
        return Vector->GetName();
    return {};
}

void TMatrixGridLogic::SetName(std::string_view name) {
    if (Matrix)
        Matrix->SetName(name);
    else if (Vector)
        Vector->SetName(name);
}

void TMatrixGridLogic::Rebuild() {
    Typing = false;
    TypingCaptured = false;
    if (Matrix) {
        Cols = Matrix->ColCount() + 1;
        Rows = Matrix->RowCount() + 1;
    } else if (Vector) {
        Cols = Vector->Size();
        Rows = 2;
    } else {
        Cols = 0;
        Rows = 0;
    }
    Texts.assign(static_cast<std::size_t>(Cols) * static_cast<std::size_t>(Rows), std::string());
    if (Matrix) {
        for (std::int32_t j = 1; j < Cols; ++j)
            Texts[IndexOf({j, 0})] = IntToStr(j);
        for (std::int32_t i = 1; i < Rows; ++i) {
            Texts[IndexOf({0, i})] = IntToStr(i);
            for (std::int32_t j = 1; j < Cols; ++j)
                Texts[IndexOf({j, i})] = Matrix->GetText(i - 1, j - 1);
        }
    } else if (Vector) {
        for (std::int32_t j = 0; j < Cols; ++j) {
            Texts[IndexOf({j, 0})] = IntToStr(j + 1);
            Texts[IndexOf({j, 1})] = Vector->GetText(j);
        }
    }
}

// ---- Grid ----

TGridRect TMatrixGridLogic::DataCells() const {
    return {FixedCols(), FixedRows(), Cols - 1, Rows - 1};
}

TGridRect TMatrixGridLogic::RowCells(TGridCell current) const {
    const TGridRect all = DataCells();
    return {all.Left, current.Row, all.Right, current.Row};
}

TGridRect TMatrixGridLogic::ColumnCells(TGridCell current) const {
    const TGridRect all = DataCells();
    return {current.Col, all.Top, current.Col, all.Bottom};
}

bool TMatrixGridLogic::IsInsideData(const TGridRect& rect) const {
    const TGridRect all = DataCells();
    return HasData() && rect.Left <= rect.Right && rect.Top <= rect.Bottom &&
           rect.Left >= all.Left && rect.Right <= all.Right && rect.Top >= all.Top &&
           rect.Bottom <= all.Bottom;
}

bool TMatrixGridLogic::IsInsideGrid(TGridCell cell) const {
    return cell.Col >= 0 && cell.Col < Cols && cell.Row >= 0 && cell.Row < Rows;
}

std::size_t TMatrixGridLogic::IndexOf(TGridCell cell) const {
    return static_cast<std::size_t>(cell.Row) * static_cast<std::size_t>(Cols) +
           static_cast<std::size_t>(cell.Col);
}

const std::string& TMatrixGridLogic::Text(TGridCell cell) const {
    static const std::string none;
    return IsInsideGrid(cell) ? Texts[IndexOf(cell)] : none;
}

void TMatrixGridLogic::SetText(TGridCell cell, std::string text) {
    if (IsInsideGrid(cell))
        Texts[IndexOf(cell)] = std::move(text);
}

double& TMatrixGridLogic::Element(TGridCell cell) const {
    if (Vector)
        return Vector->Elements()[cell.Col];
    return Matrix->Row(cell.Row - 1)[cell.Col - 1];
}

std::string TMatrixGridLogic::StoredText(TGridCell cell) const {
    return IsInsideData(CellRect(cell)) ? FormatFull(Element(cell)) : std::string();
}

double TMatrixGridLogic::StoredValue(TGridCell cell) const {
    return IsInsideData(CellRect(cell)) ? Element(cell) : 0.0;
}

// ---- Changes ----

void TMatrixGridLogic::Changed() {
    Edited = true;
    if (OnChanged)
        OnChanged();
}

void TMatrixGridLogic::Capture(TCellRangeInfo& record, const TGridRect& rect) const {
    record.Col = rect.Left;
    record.Row = rect.Top;
    const std::int32_t rows = rect.Bottom - rect.Top + 1;
    const std::int32_t cols = rect.Right - rect.Left + 1;
    if (rows == 1 && cols == 1) {
        if (!record.IsSingleCell())
            record.Cells.Done();
        record.Value = Element({rect.Left, rect.Top});
        return;
    }
    if (record.Cells.RowCount() != rows || record.Cells.ColCount() != cols)
        record.Cells.SetSize(rows, cols);
    if (Matrix) {
        Matrix->GetBlock(record.Cells, rect.Top - 1, rect.Left - 1);
    } else {
        std::copy_n(Vector->Elements() + rect.Left, cols, record.Cells.Row(0));
    }
}

bool TMatrixGridLogic::CommitRange(const TGridRect& rect) {
    if (!IsInsideData(rect))
        return false;
    // The commits of one typed edit after its first keep the record of the
    // value from before the edit: undo takes back the whole edit.
    const bool sameEdit = Typing && rect == CellRect(TypingCell);
    if (UndoAt != -1 && !(sameEdit && TypingCaptured)) {
        Capture(UndoRanges[static_cast<std::size_t>(UndoAt)], rect);
        TypingCaptured = sameEdit;
    }
    for (std::int32_t r = rect.Top; r <= rect.Bottom; ++r) {
        for (std::int32_t c = rect.Left; c <= rect.Right; ++c) {
            double value = 0.0;
            if (!TextToFloat(Texts[IndexOf({c, r})], value))
                return false;
            Element({c, r}) = value;
        }
    }
    Changed();
    return true;
}

bool TMatrixGridLogic::CommitCell(TGridCell cell) {
    if (!CommitRange(CellRect(cell)))
        return false;
    Texts[IndexOf(cell)] = FormatFull(Element(cell));
    return true;
}

void TMatrixGridLogic::FillRange(const TGridRect& rect, double value) {
    if (!IsInsideData(rect))
        return;
    if (UndoAt != -1)
        Capture(UndoRanges[static_cast<std::size_t>(UndoAt)], rect);
    const std::string text = FormatFull(value);
    for (std::int32_t r = rect.Top; r <= rect.Bottom; ++r) {
        for (std::int32_t c = rect.Left; c <= rect.Right; ++c) {
            Texts[IndexOf({c, r})] = text;
            Element({c, r}) = value;
        }
    }
    Changed();
}

// The values the grid shows over the shape of another record; a text that is
// not a number ends the capture, keeping what was read before it.
void TMatrixGridLogic::CaptureTexts(TCellRangeInfo& record, const TCellRangeInfo& shape) const {
    record.Col = shape.Col;
    record.Row = shape.Row;
    if (shape.IsSingleCell()) {
        if (!record.IsSingleCell())
            record.Cells.Done();
        TextToFloat(Texts[IndexOf({shape.Col, shape.Row})], record.Value);
        return;
    }
    const std::int32_t rows = shape.Cells.RowCount();
    const std::int32_t cols = shape.Cells.ColCount();
    if (record.Cells.RowCount() != rows || record.Cells.ColCount() != cols)
        record.Cells.SetSize(rows, cols);
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < cols; ++j) {
            if (!TextToFloat(Texts[IndexOf({shape.Col + j, shape.Row + i})],
                             record.Cells.Row(i)[j]))
                return;
        }
    }
}

void TMatrixGridLogic::WriteRecord(const TCellRangeInfo& record) {
    if (record.IsSingleCell()) {
        Texts[IndexOf({record.Col, record.Row})] = FormatFull(record.Value);
        return;
    }
    for (std::int32_t i = 0; i < record.Cells.RowCount(); ++i)
        for (std::int32_t j = 0; j < record.Cells.ColCount(); ++j)
            Texts[IndexOf({record.Col + j, record.Row + i})] = FormatFull(record.Cells.Get(i, j));
}

void TMatrixGridLogic::Undo() {
    if (UndoAt != 0 && UndoAt != 1)
        return;
    const std::size_t current = static_cast<std::size_t>(UndoAt);
    const std::size_t other = 1 - current;
    const TCellRangeInfo& record = UndoRanges[current];
    // Before the first change the record is the corner cell, and after a new
    // attach it may lie outside the new data: there is nothing to undo then.
    if (!IsInsideData(RecordRect(record)))
        return;
    CaptureTexts(UndoRanges[other], record);
    WriteRecord(record);
    UndoAt = -1;
    CommitRange(RecordRect(record));
    UndoAt = static_cast<std::int32_t>(other);
}

// ---- Clipboard ----

std::string TMatrixGridLogic::CopyText(const TGridRect& selection) const {
    std::string text;
    if (!IsInsideData(selection))
        return text;
    for (std::int32_t r = selection.Top; r <= selection.Bottom; ++r) {
        for (std::int32_t c = selection.Left; c < selection.Right; ++c) {
            text += Texts[IndexOf({c, r})];
            text += '\t';
        }
        text += Texts[IndexOf({selection.Right, r})];
        text += '\n';
    }
    return text;
}

bool TMatrixGridLogic::Paste(std::string_view clipboard, const TGridRect& selection) {
    if (!IsInsideData(selection))
        return false;
    // The clipboard text went through a zeroed buffer of a size fixed by the
    // grid, read up to its first NUL.
    const std::int64_t bufferSize = static_cast<std::int64_t>(Rows) * Cols * PasteBytesPerCell;
    std::string_view text =
        clipboard.substr(0, static_cast<std::size_t>(std::max<std::int64_t>(bufferSize - 1, 0)));
    text = text.substr(0, text.find('\0'));
    if (text.empty())
        return false;
    TPasteTokens tokens(text);
    // The texts the written cells showed, so that a paste that stops leaves
    // the grid as it was.
    std::vector<std::pair<std::size_t, std::string>> replaced;
    bool complete = true;
    for (std::int32_t r = selection.Top; complete && r <= selection.Bottom; ++r) {
        for (std::int32_t c = selection.Left; c <= selection.Right; ++c) {
            std::optional<std::string> token = tokens.Next();
            double value = 0.0;
            if (!token || !TextToFloat(*token, value)) {
                complete = false;
                break;
            }
            const std::size_t index = IndexOf({c, r});
            replaced.emplace_back(index, std::move(Texts[index]));
            Texts[index] = std::move(*token);
        }
    }
    if (!complete) {
        for (auto& [index, old] : replaced)
            Texts[index] = std::move(old);
        return false;
    }
    return CommitRange(selection);
}

// ---- Cursor ----

TGridCell TMatrixGridLogic::NextInRow(TGridCell cell) const {
    const TGridRect all = DataCells();
    if (!IsInsideData(all))
        return cell;
    if (cell.Col < all.Right)
        return {cell.Col + 1, cell.Row};
    if (cell.Row < all.Bottom)
        return {all.Left, cell.Row + 1};
    return {all.Left, all.Top};
}

TGridCell TMatrixGridLogic::PreviousInRow(TGridCell cell) const {
    const TGridRect all = DataCells();
    if (!IsInsideData(all))
        return cell;
    if (cell.Col > all.Left)
        return {cell.Col - 1, cell.Row};
    if (cell.Row > all.Top)
        return {all.Right, cell.Row - 1};
    return {all.Right, all.Bottom};
}

TGridCell TMatrixGridLogic::NextInColumn(TGridCell cell) const {
    const TGridRect all = DataCells();
    if (!IsInsideData(all))
        return cell;
    if (cell.Row < all.Bottom)
        return {cell.Col, cell.Row + 1};
    if (cell.Col < all.Right)
        return {cell.Col + 1, all.Top};
    return {all.Left, all.Top};
}

// ---- Typing ----

void TMatrixGridLogic::BeginTyping(TGridCell cell) {
    Typing = IsInsideData(CellRect(cell));
    TypingCaptured = false;
    TypingCell = cell;
}

bool TMatrixGridLogic::TypeText(TGridCell cell, std::string text) {
    if (!IsInsideData(CellRect(cell)))
        return false;
    Texts[IndexOf(cell)] = std::move(text);
    // Text that is not yet a number ("-", "1e") waits for the next key and
    // leaves the undo record alone.
    double value = 0.0;
    if (!TextToFloat(Texts[IndexOf(cell)], value))
        return false;
    return CommitRange(CellRect(cell));
}

void TMatrixGridLogic::EndTyping() {
    if (!Typing)
        return;
    Typing = false;
    TypingCaptured = false;
    if (!IsInsideData(CellRect(TypingCell)))
        return;
    double value = 0.0;
    if (!TextToFloat(Texts[IndexOf(TypingCell)], value))
        Texts[IndexOf(TypingCell)] = StoredText(TypingCell);
}

std::optional<char> TMatrixGridLogic::FilterChar(char typed, std::string_view cellText) {
    if (typed != '\b' && cellText.size() > MaxTypedLength)
        return std::nullopt;
    if (typed == '*')
        typed = 'E';
    if ((typed >= '0' && typed <= '9') || typed == '\b' || typed == '+' || typed == '-')
        return typed;
    if (typed == '.' || typed == ',') {
        const char separator = GetDecimalSeparator();
        if (cellText.find(separator) != std::string_view::npos)
            return std::nullopt;
        return separator;
    }
    if (typed == 'e' || typed == 'E') {
        if (cellText.find_first_of("eE") != std::string_view::npos)
            return std::nullopt;
        return typed;
    }
    return std::nullopt;
}

// ---- Paste tokens ----

std::optional<std::string> TPasteTokens::Next() {
    while (Position < Text.size() && IsPasteSeparator(Text[Position]))
        ++Position;
    if (Position >= Text.size())
        return std::nullopt;
    if (Text[Position] == '"') {
        const std::size_t start = Position + 1;
        const std::size_t quote = Text.find('"', start);
        const std::size_t end = quote == std::string_view::npos ? Text.size() : quote;
        Position = quote == std::string_view::npos ? Text.size() : quote + 1;
        return std::string(Text.substr(start, end - start));
    }
    const std::size_t start = Position;
    while (Position < Text.size() && !IsPasteSeparator(Text[Position]))
        ++Position;
    return std::string(Text.substr(start, Position - start));
}

} // namespace orvanta
