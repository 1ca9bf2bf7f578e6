#include "numeric/MemoryStream.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NumberText.h"

#include "RecordingMessageHost.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace orvanta;
using namespace std::string_literals;

namespace {

using TRows = std::vector<std::vector<double>>;

std::string Le32(std::int32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) {
        s[i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    }
    return s;
}

std::string Le64(const std::vector<double>& values) {
    std::string s;
    for (double v : values) {
        for (int i = 0; i < 8; ++i) {
            s += static_cast<char>((std::bit_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF);
        }
    }
    return s;
}

TNamedMatrix MakeMatrix(std::string_view name, const TRows& rows, bool transposed = false) {
    TNamedMatrix m;
    m.Create(static_cast<std::int32_t>(rows.size()),
             rows.empty() ? 0 : static_cast<std::int32_t>(rows[0].size()));
    m.SetName(name);
    for (std::int32_t r = 0; r < m.RowCount(); ++r) {
        for (std::int32_t c = 0; c < m.ColCount(); ++c) {
            m.Set(r, c, rows[r][c]);
        }
    }
    if (transposed) {
        m.Transpose();
    }
    return m;
}

TRows RowsOf(const TMatrix& m) {
    TRows rows(m.RowCount());
    for (std::int32_t r = 0; r < m.RowCount(); ++r) {
        rows[r].assign(m.Row(r), m.Row(r) + m.ColCount());
    }
    return rows;
}

class MatrixFormat : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
    TRecordingMessageHost Host;
    TMessageHostScope Scope{Host};
};

const TRows M23 = {{1, 2, 3}, {4, 5, 6}};

} // namespace

TEST_F(MatrixFormat, WritesTheTextFormInTheCurrentView) {
    struct Case {
        TNamedMatrix matrix;
        char separator;
        std::string bytes;
    };
    const Case cases[] = {
        {MakeMatrix("m", M23), '.', "Matrix \"m\" 2 3\n\n1\t2\t3\t\n\n4\t5\t6\t\n\n\n\n"},
        {MakeMatrix("m", M23, true), '.', "Matrix \"m\" 3 2\n\n1\t4\t\n\n2\t5\t\n\n3\t6\t\n\n\n\n"},
        {MakeMatrix("Х", {{2.718281828, -1234.56, 0.000123456, 999995}}), '.',
         "Matrix \"\xD5\" 1 4\n\n2.7183\t-1234.6\t0.00012346\t1e+06\t\n\n\n\n"},
        {MakeMatrix("c", {{1.5, -0.25}}), ',', "Matrix \"c\" 1 2\n\n1,5\t-0,25\t\n\n\n\n"},
        {MakeMatrix("e", {}), '.', "Matrix \"e\" 0 0\n\n\n\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        SetDecimalSeparator(c.separator);
        TMemoryStream stream;
        c.matrix.WriteTextForm(stream);
        EXPECT_EQ(stream.Bytes(), c.bytes);
    }
}

TEST_F(MatrixFormat, ReadsTheTextForm) {
    struct Case {
        const char* bytes;
        char separator;
        bool ok;
        std::int32_t nRows;
        std::int32_t nCols;
        TRows rows;
    };
    const Case cases[] = {
        {"Matrix \"m\" 2 3\n\n1\t2\t3\t\n\n4\t5\t6\t\n\n\n\n", '.', true, 2, 3, M23},
        {"Matrix \"m\" 2 2\n\n1 2 3 4 \n", '.', true, 2, 2, {{1, 2}, {3, 4}}},
        {"Matrix \"m\" 1 2\n\n1,5\t-0,25\t\n\n\n\n", ',', true, 1, 2, {{1.5, -0.25}}},
        {"Matrix \"m\" 0 0\n\n\n\n", '.', true, 0, 0, {}},
        {"Matrix \"m\" 0 3\n\n\n\n", '.', true, 0, 3, {}},
        {"Matrix \"m\" 1 2\n\n1\t2", '.', false, 0, 0, {}},
        {"Matrix \"m\" 2 2\n\n1\t2\t\n\n3\t\n\n\n\n", '.', false, 0, 0, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        SetDecimalSeparator(c.separator);
        TMemoryStream stream{std::string(c.bytes)};
        TNamedMatrix m;
        EXPECT_EQ(m.ReadTextForm(stream), c.ok);
        if (c.ok) {
            EXPECT_EQ(m.GetName(), "m");
            EXPECT_EQ(m.RowCount(), c.nRows);
            EXPECT_EQ(m.ColCount(), c.nCols);
            EXPECT_EQ(RowsOf(m), c.rows);
        }
    }
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(MatrixFormat, RejectedHeaderLeavesTheMatrixAsItWas) {
    const char* const texts[] = {
        "matrix \"m\" 1 1\n\n1\t\n\n\n\n", "Vector \"m\" 1\n\n1\t\n\n",
        "// exported\nMatrix \"m\" 1 1\n\n1\t\n\n\n\n", "Matrix \"m\" 1048576 1\n\n1\t\n\n\n\n",
        "Matrix \"m\" 1 1048576\n\n1\t\n\n\n\n", "Matrix \"m\" -1 1\n\n1\t\n\n\n\n",
        "Matrix \"m\" 1 -1\n\n1\t\n\n\n\n", "Matrix \"m\" two 1\n\n1\t\n\n\n\n",
        "Matrix \"m\" 1 1.5\n\n1\t\n\n\n\n",
        // more elements than the rest of the stream can hold
        "Matrix \"m\" 1048575 1048575\n\n1\t2\t\n\n\n\n",
        "Matrix \"m\" 1048575 2\n\n1\t2\t\n\n\n\n"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        TNamedMatrix m = MakeMatrix("old", {{4, 5}});
        TMemoryStream stream{std::string(text)};
        EXPECT_FALSE(m.ReadTextForm(stream));
        EXPECT_EQ(m.GetName(), "old");
        EXPECT_EQ(RowsOf(m), (TRows{{4, 5}}));
    }
}

TEST_F(MatrixFormat, NonNumericElementEmptiesTheMatrix) {
    TNamedMatrix m = MakeMatrix("old", {{4, 5}});
    TMemoryStream stream("Matrix \"m\" 2 2\n\n1\t2\t\n\n3\t4x\t\n\n\n\n"s);
    EXPECT_FALSE(m.ReadTextForm(stream));
    EXPECT_EQ(m.RowCount(), 0);
    EXPECT_EQ(m.ColCount(), 0);
}

TEST_F(MatrixFormat, TextRoundTripKeepsFiveSignificantDigits) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-9, 9);
    TRows rows(17, std::vector<double>(13));
    for (auto& row : rows) {
        for (double& x : row) {
            x = mantissa(random) * std::pow(10.0, exponent(random));
        }
    }
    rows[0][0] = 0;
    rows[0][1] = 999995;
    for (char separator : {'.', ','}) {
        SCOPED_TRACE(separator);
        SetDecimalSeparator(separator);
        TMemoryStream stream;
        MakeMatrix("round trip", rows).WriteTextForm(stream);
        stream.SetPosition(0);
        TNamedMatrix back;
        ASSERT_TRUE(back.ReadTextForm(stream));
        EXPECT_EQ(back.GetName(), "round trip");
        TRows expected = rows;
        for (auto& row : expected) {
            for (double& x : row) {
                char rounded[64];
                std::snprintf(rounded, sizeof rounded, "%.5g", x);
                x = std::strtod(rounded, nullptr);
            }
        }
        EXPECT_EQ(RowsOf(back), expected);
    }
}

TEST_F(MatrixFormat, WritesTheBinaryRecordInTheCurrentView) {
    struct Case {
        TNamedMatrix matrix;
        std::string bytes;
    };
    const Case cases[] = {
        {MakeMatrix("m", {{1, 2}}),
         "MTID\x01\0\0\0m\x01\0\0\0\x02\0\0\0\0\0\0\0\0\0\xF0\x3F\0\0\0\0\0\0\0\x40"s},
        {MakeMatrix("Т", M23, true),
         "MTID"s + Le32(1) + "\xD2" + Le32(3) + Le32(2) + Le64({1, 4, 2, 5, 3, 6})},
        {MakeMatrix("e", {}), "MTID"s + Le32(1) + "e" + Le32(0) + Le32(0)},
        {MakeMatrix(std::string(255, 'n'), {{3}}),
         "MTID"s + Le32(254) + std::string(254, 'n') + Le32(1) + Le32(1) + Le64({3})}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.matrix.GetName());
        TMemoryStream stream;
        c.matrix.WriteBinary(stream);
        EXPECT_EQ(stream.Bytes(), c.bytes);
    }
}

TEST_F(MatrixFormat, BinaryRoundTripIsExact) {
    const double inf = std::numeric_limits<double>::infinity();
    const TRows rows = {{0.1, -0.0, 4.9e-324}, {inf, -inf, 1.0 / 3.0}};
    for (bool transposed : {false, true}) {
        TNamedMatrix m = MakeMatrix("Матрица плана", rows, transposed);
        TMemoryStream stream;
        m.WriteBinary(stream);
        stream.SetPosition(0);
        TNamedMatrix back = MakeMatrix("old", {{1}});
        ASSERT_TRUE(back.ReadBinary(stream));
        EXPECT_TRUE(stream.AtEnd());
        EXPECT_EQ(back.GetName(), "Матрица плана");
        EXPECT_EQ(Le64(RowsOf(back)[0]) + Le64(RowsOf(back)[1]),
                  Le64(RowsOf(m)[0]) + Le64(RowsOf(m)[1]));
    }
}

TEST_F(MatrixFormat, ReadsBinaryRecords) {
    struct Case {
        const char* what;
        std::string bytes;
        bool ok;
        std::int64_t endPosition; // -1: not checked
        TRows rows;
    };
    const std::string body = Le32(1) + Le32(2) + Le64({1.5, -2});
    const Case cases[] = {
        {"plain record", "MTID"s + Le32(1) + "m" + body + "more", true, 33, {{1.5, -2}}},
        {"longer stored name: 254 bytes kept, stream aligned",
         "MTID"s + Le32(300) + std::string(300, 'q') + body,
         true,
         332,
         {{1.5, -2}}},
        {"0 x 0", "MTID"s + Le32(1) + "e" + Le32(0) + Le32(0), true, 17, {}},
        {"vector tag fails at its first byte", "VTID"s + Le32(1) + "m" + body, false, 1, {}},
        {"tag fails at its third byte", "MTXD"s + Le32(1) + "m" + body, false, 3, {}},
        {"negative name length", "MTID"s + Le32(-5) + body, false, -1, {}},
        {"negative rows", "MTID"s + Le32(0) + Le32(-1) + Le32(2) + Le64({1, 2}), false, -1, {}},
        {"1048576 columns", "MTID"s + Le32(0) + Le32(1) + Le32(1048576) + Le64({1}), false, -1, {}},
        // Records cut short: VectorFormat.RecordsCutShortRaiseTheReadError.
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMemoryStream stream(c.bytes);
        TNamedMatrix m = MakeMatrix("old", {{4, 5}});
        EXPECT_EQ(m.ReadBinary(stream), c.ok);
        if (c.endPosition >= 0) {
            EXPECT_EQ(stream.Position(), c.endPosition);
        }
        EXPECT_EQ(RowsOf(m), (c.ok ? c.rows : TRows{{4, 5}}));
    }
}

TEST_F(MatrixFormat, WritesPlainRows) {
    TMemoryStream stream;
    MakeMatrix("m", {{1, 2}, {3.14159265, -123456}}).WriteRow(stream);
    EXPECT_EQ(stream.Bytes(), "1\t2\t\n3.1416\t-1.2346e+05\t\n");
}
