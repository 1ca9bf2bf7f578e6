// The matrix editor's grid over a matrix or a vector of the plan: the texts it
// shows, commits, fills, the one level of undo, copy and paste, typing and
// the cursor keys.
#include "mteditor/MatrixGridLogic.h"

#include "NumericTestSupport.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {
namespace {

using test::TSeparatorGuard;
using TValues = std::vector<double>;

// A matrix (filled row by row) or a vector in the grid, counting notifications.
struct TEditor {
    TEditor(std::int32_t rows, std::int32_t cols, const TValues& values) {
        Matrix.Create(rows, cols);
        for (std::int32_t i = 0; i < rows * cols; ++i)
            Matrix.Set(i / cols, i % cols, values[static_cast<std::size_t>(i)]);
        Grid.AttachMatrix(Matrix);
        Grid.OnChanged = [this] { ++Notifications; };
    }
    explicit TEditor(const TValues& values) {
        Vector.Create(static_cast<std::int32_t>(values.size()));
        std::copy(values.begin(), values.end(), Vector.Elements());
        Grid.AttachVector(Vector);
        Grid.OnChanged = [this] { ++Notifications; };
    }
    TEditor(const TEditor&) = delete;
    TValues Data() const {
        return Grid.IsVector() ? test::ValuesOf(Vector) : test::ValuesOf(Matrix);
    }
    std::string Shown() const { return Grid.CopyText(Grid.DataCells()); }
    // The data as Shown would give them after every cell was committed.
    std::string Stored() const {
        std::string text;
        const TGridRect all = Grid.DataCells();
        for (std::int32_t r = all.Top; r <= all.Bottom; ++r)
            for (std::int32_t c = all.Left; c <= all.Right; ++c)
                text += Grid.StoredText({c, r}) + (c < all.Right ? "\t" : "\n");
        return text;
    }

    TNamedMatrix Matrix;
    TNamedVector Vector;
    TMatrixGridLogic Grid;
    int Notifications = 0;
};

TEST(MatrixGrid, AttachShowsHeadersAndTheElementsOwnTexts) {
    TEditor m(2, 3, {1.0 / 3, 2, 1e-7, 123456.7, -0.5, 0});
    TEditor v({1.0 / 3, 12345.6});
    EXPECT_EQ(m.Grid.DataCells(), (TGridRect{1, 1, 3, 2}));
    EXPECT_EQ(v.Grid.DataCells(), (TGridRect{0, 1, 1, 1}));
    EXPECT_EQ(m.Shown(), "0.33333\t2\t1e-07\n1.2346e+05\t-0.5\t0\n");
    EXPECT_EQ(v.Shown(), "0.3333\t1.235e+04\n");
    const std::pair<const TEditor&, TGridCell> headers[] = {{m, {0, 0}}, {m, {1, 0}}, {m, {3, 0}},
                                                            {m, {0, 2}}, {v, {0, 0}}, {v, {1, 0}}};
    const char* texts[] = {"", "1", "3", "2", "1", "2"};
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(headers[i].first.Grid.Text(headers[i].second), texts[i]) << i;
}

TEST(MatrixGrid, ChangedCellsShowFifteenDigitsUntilTheNextAttach) {
    TEditor e(1, 2, {1, 2});
    e.Grid.SetText({1, 1}, "3.14159265358979323846");
    ASSERT_TRUE(e.Grid.CommitCell({1, 1}));
    e.Grid.FillRange({2, 1, 2, 1}, 2.0 / 3);
    EXPECT_TRUE(e.Grid.IsEdited());
    EXPECT_EQ(e.Shown(), "3.14159265358979\t0.666666666666667\n");
    e.Grid.SetText({1, 1}, "3.1x");
    EXPECT_FALSE(e.Grid.CommitCell({1, 1}));
    EXPECT_EQ(e.Shown(), "3.1x\t0.666666666666667\n");
    e.Grid.AttachMatrix(e.Matrix);
    EXPECT_FALSE(e.Grid.IsEdited());
    EXPECT_EQ(e.Shown(), "3.1416\t0.66667\n");
}

TEST(MatrixGrid, CommitStopsAtTheFirstNonNumber) {
    struct TCase {
        bool Vector;
        std::vector<std::string> Texts;
        TValues Data;
        bool Committed;
    };
    const TCase cases[] = {
        {false, {"5", "6", "7", "8"}, {5, 6, 7, 8}, true},
        {false, {"5", "6", "x", "8"}, {5, 6, 3, 4}, false},
        {false, {"", "6", "7", "8"}, {1, 2, 3, 4}, false},
        {false, {"5", "6", "7", "1e"}, {5, 6, 7, 4}, false},
        {true, {"7", "1.5e1", "-9"}, {7, 15, -9}, true},
        {true, {"7", "x", "9"}, {7, 2, 3}, false},
    };
    for (const TCase& c : cases) {
        TEditor e = c.Vector ? TEditor(TValues{1, 2, 3}) : TEditor(2, 2, {1, 2, 3, 4});
        const TGridRect all = e.Grid.DataCells();
        for (std::size_t i = 0; i < c.Texts.size(); ++i) {
            const auto width = static_cast<std::size_t>(all.Right - all.Left + 1);
            e.Grid.SetText({all.Left + static_cast<std::int32_t>(i % width),
                            all.Top + static_cast<std::int32_t>(i / width)},
                           c.Texts[i]);
        }
        EXPECT_EQ(e.Grid.CommitRange(all), c.Committed) << c.Texts[2];
        EXPECT_EQ(e.Data(), c.Data) << c.Texts[2];
        EXPECT_EQ(e.Notifications, c.Committed ? 1 : 0) << c.Texts[2];
        EXPECT_EQ(e.Grid.IsEdited(), c.Committed) << c.Texts[2];
    }
}

TEST(MatrixGrid, FillCommandsCoverTheirRectangles) {
    enum class TWhich { All, Row, Column, Selection };
    struct TCase {
        bool Vector;
        TWhich Which;
        TGridRect Selection; // its top-left cell is the current cell
        std::string Shown;
    };
    const TCase cases[] = {
        {false, TWhich::All, {2, 2, 2, 2}, "5\t5\t5\n5\t5\t5\n"},
        {false, TWhich::Row, {2, 2, 2, 2}, "1\t2\t3\n5\t5\t5\n"},
        {false, TWhich::Column, {2, 1, 2, 1}, "1\t5\t3\n4\t5\t6\n"},
        {false, TWhich::Selection, {2, 1, 3, 2}, "1\t5\t5\n4\t5\t5\n"},
        {true, TWhich::All, {1, 1, 1, 1}, "5\t5\t5\n"},
        {true, TWhich::Row, {1, 1, 1, 1}, "5\t5\t5\n"},
        {true, TWhich::Column, {1, 1, 1, 1}, "1\t5\t3\n"},
        {true, TWhich::Selection, {0, 1, 1, 1}, "5\t5\t3\n"},
    };
    for (const TCase& c : cases) {
        TEditor e = c.Vector ? TEditor(TValues{1, 2, 3}) : TEditor(2, 3, {1, 2, 3, 4, 5, 6});
        const TGridCell current{c.Selection.Left, c.Selection.Top};
        e.Grid.FillRange(c.Which == TWhich::All      ? e.Grid.DataCells()
                         : c.Which == TWhich::Row    ? e.Grid.RowCells(current)
                         : c.Which == TWhich::Column ? e.Grid.ColumnCells(current)
                                                     : c.Selection,
                         5);
        EXPECT_EQ(e.Shown(), c.Shown) << c.Shown;
        EXPECT_EQ(e.Stored(), c.Shown);
        EXPECT_EQ(e.Notifications, 1) << c.Shown;
    }
}

TEST(MatrixGrid, UndoAlternatesWithRedo) {
    struct TCase {
        const char* Name;
        std::function<void(TMatrixGridLogic&)> Edit;
        TValues Edited;
    };
    const TCase cases[] = {
        {"commit of one cell",
         [](TMatrixGridLogic& g) {
             g.SetText({2, 1}, "9.5"), g.CommitCell({2, 1});
         },
         {1, 9.5, 3, 4}},
        {"fill of a block",
         [](TMatrixGridLogic& g) {
             g.FillRange({1, 1, 2, 2}, 7);
         },
         {7, 7, 7, 7}},
        {"fill of a column",
         [](TMatrixGridLogic& g) {
             g.FillRange({2, 1, 2, 2}, 0.1);
         },
         {1, 0.1, 3, 0.1}},
        {"paste",
         [](TMatrixGridLogic& g) {
             g.Paste("1 2\r\n3 4.25", {1, 1, 2, 2});
         },
         {1, 2, 3, 4.25}},
        // Shift+Ctrl+Enter: one undo step for the whole selection.
        {"commit, undo, fill",
         [](TMatrixGridLogic& g) {
             g.SetText({1, 2}, "8"), g.CommitCell({1, 2}), g.Undo(), g.FillRange({1, 1, 2, 2}, 8);
         },
         {8, 8, 8, 8}},
    };
    for (const TCase& c : cases) {
        TEditor e(2, 2, {1, 2, 3, 4});
        c.Edit(e.Grid);
        ASSERT_EQ(e.Data(), c.Edited) << c.Name;
        const int notifications = e.Notifications;
        e.Grid.Undo();
        EXPECT_EQ(e.Shown(), "1\t2\n3\t4\n") << c.Name;
        EXPECT_EQ(e.Data(), (TValues{1, 2, 3, 4})) << c.Name;
        e.Grid.Undo();
        EXPECT_EQ(e.Data(), c.Edited) << c.Name;
        EXPECT_EQ(e.Notifications, notifications + 2) << c.Name;
    }
    TEditor fresh(1, 1, {2}); // nothing to undo yet: the corner is no data cell
    fresh.Grid.Undo();
    EXPECT_EQ(fresh.Notifications, 0);
    EXPECT_EQ(fresh.Grid.Text({0, 0}), "");
}

TEST(MatrixGrid, CopyGivesTheShownTextsOfTheSelection) {
    TEditor e(2, 3, {1, 2, 7, 3, 4, 8});
    e.Grid.FillRange({3, 2, 3, 2}, 0.1);
    EXPECT_EQ(e.Grid.CopyText({1, 1, 2, 2}), "1\t2\n3\t4\n");
    EXPECT_EQ(e.Grid.CopyText({3, 1, 3, 2}), "7\n0.1\n");
    EXPECT_EQ(e.Grid.CopyText({0, 0, 1, 1}), "");
    e.Grid.Detach();
    EXPECT_EQ(e.Grid.CopyText({1, 1, 1, 1}), "");
}

TEST(MatrixGrid, PasteFillsTheWholeSelectionOrNothing) {
    const std::string before = "10\t20\t30\n40\t50\t60\n";
    const TGridRect two{1, 1, 2, 2};
    struct TCase {
        std::string Text;
        TGridRect Selection;
        std::string Shown; // empty: nothing pasted
        std::string Stored;
    };
    const TCase cases[] = {
        {"1 2\r\n3 4", two, "1\t2\t30\n3\t4\t60\n", "1\t2\t30\n3\t4\t60\n"},
        {"1 2\r\n3 4", {1, 1, 3, 2}, "", ""},
        {"\"1.5\"\t\"-2e3\"\n\"3\" 4", two, "1.5\t-2e3\t30\n3\t4\t60\n",
         "1.5\t-2000\t30\n3\t4\t60\n"},
        {"1.50 +2 3E0 4 5 6 7", two, "1.50\t+2\t30\n3E0\t4\t60\n", "1.5\t2\t30\n3\t4\t60\n"},
        {"7\t8", {2, 2, 2, 2}, "10\t20\t30\n40\t7\t60\n", "10\t20\t30\n40\t7\t60\n"},
        {"1 2 3 \"4", two, "1\t2\t30\n3\t4\t60\n", "1\t2\t30\n3\t4\t60\n"},
        {"1 x 3 4", two, "", ""},
        {"1,5 2 3 4", two, "", ""},
        {"1 2 3 \"", two, "", ""},
        {"\"\" 2 3 4", two, "", ""},
        {"\r\n \t", two, "", ""},
        {"", two, "", ""},
        // The text ends at a NUL, as it did in the paste buffer.
        {std::string("1 2 3 4\0x", 9), two, "1\t2\t30\n3\t4\t60\n", "1\t2\t30\n3\t4\t60\n"},
    };
    for (const TCase& c : cases) {
        TEditor e(2, 3, {10, 20, 30, 40, 50, 60});
        const bool pasted = !c.Shown.empty();
        EXPECT_EQ(e.Grid.Paste(c.Text, c.Selection), pasted) << c.Text;
        EXPECT_EQ(e.Shown(), pasted ? c.Shown : before) << c.Text;
        EXPECT_EQ(e.Notifications, pasted ? 1 : 0) << c.Text;
        EXPECT_EQ(e.Stored(), pasted ? c.Stored : before) << c.Text;
    }
    // One element: a grid of 1 x 2 cells, 128 bytes, 127 characters of text.
    TEditor v({0});
    EXPECT_TRUE(v.Grid.Paste(std::string(125, ' ') + "123", v.Grid.DataCells()));
    EXPECT_FALSE(v.Grid.Paste(std::string(127, ' ') + "4", v.Grid.DataCells()));
    EXPECT_EQ(v.Data(), TValues{12});
}

TEST(MatrixGrid, CommaSeparatorIsReadAndWritten) {
    TSeparatorGuard guard(',');
    TEditor e(1, 3, {0.5, 1.0 / 3, 0});
    EXPECT_EQ(e.Shown(), "0,5\t0,33333\t0\n");
    e.Grid.SetText({3, 1}, "2,25");
    EXPECT_TRUE(e.Grid.CommitCell({3, 1}));
    e.Grid.SetText({2, 1}, "2.25");
    EXPECT_FALSE(e.Grid.CommitCell({2, 1}));
    EXPECT_TRUE(e.Grid.Paste("1,5\t\"2,5\"", {1, 1, 2, 1}));
    EXPECT_EQ(e.Data(), (TValues{1.5, 2.5, 2.25}));
    e.Grid.FillRange({3, 1, 3, 1}, 0.1);
    EXPECT_EQ(e.Shown(), "1,5\t2,5\t0,1\n");
}

TEST(MatrixGrid, TypedCharactersAreFilteredAgainstTheCellText) {
    const std::string n25(25, '1'), n26(26, '1');
    struct TCase {
        char Separator, Typed;
        std::string CellText;
        std::optional<char> Entered;
    };
    const std::nullopt_t no = std::nullopt;
    const TCase cases[] = {
        {'.', '*', "", 'E'},    {'.', '*', "1e", no},   {'.', 'e', "12E", no},
        {'.', 'E', "12", 'E'},  {'.', 'e', "1.5", 'e'}, {'.', ',', "1", '.'},
        {'.', '.', "1.", no},   {'.', ',', "1.2", no},  {',', '.', "1", ','},
        {',', ',', "1,2", no},  {',', '.', "1.2", ','}, {'.', '0', "", '0'},
        {'.', '9', "1", '9'},   {'.', '+', "1e", '+'},  {'.', '-', "", '-'},
        {'.', '\b', "1", '\b'}, {'.', 'a', "", no},     {'.', ' ', "1", no},
        {'.', '/', "", no},     {'.', '1', n25, '1'},   {'.', '1', n26, no},
        {'.', '*', n26, no},    {'.', '\b', n26, '\b'},
    };
    for (const TCase& c : cases) {
        TSeparatorGuard guard(c.Separator);
        EXPECT_EQ(TMatrixGridLogic::FilterChar(c.Typed, c.CellText), c.Entered)
            << "'" << c.Typed << "' into \"" << c.CellText << "\", separator " << c.Separator;
    }
}

TEST(MatrixGrid, CursorMovesWrapAtTheEdgesOfTheData) {
    TEditor m(2, 3, {1, 2, 3, 4, 5, 6}); // data columns 1..3, rows 1..2
    TEditor v({1, 2, 3});                // data columns 0..2 of row 1
    using TMove = TGridCell (TMatrixGridLogic::*)(TGridCell) const;
    const TMove next = &TMatrixGridLogic::NextInRow, back = &TMatrixGridLogic::PreviousInRow,
                down = &TMatrixGridLogic::NextInColumn;
    struct TCase {
        const TEditor& Editor;
        TMove Move;
        TGridCell From, To;
    };
    const TCase cases[] = {
        {m, next, {1, 1}, {2, 1}}, {m, next, {3, 1}, {1, 2}}, {m, next, {3, 2}, {1, 1}},
        {m, back, {2, 2}, {1, 2}}, {m, back, {1, 2}, {3, 1}}, {m, back, {1, 1}, {3, 2}},
        {m, down, {2, 1}, {2, 2}}, {m, down, {1, 2}, {2, 1}}, {m, down, {3, 2}, {1, 1}},
        {v, next, {0, 1}, {1, 1}}, {v, next, {2, 1}, {0, 1}}, {v, back, {1, 1}, {0, 1}},
        {v, back, {0, 1}, {2, 1}}, {v, down, {0, 1}, {1, 1}}, {v, down, {2, 1}, {0, 1}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const TCase& c = cases[i];
        EXPECT_EQ((c.Editor.Grid.*c.Move)(c.From), c.To) << "case " << i;
    }
}

} // namespace
} // namespace orvanta
