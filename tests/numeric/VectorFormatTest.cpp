#include "numeric/Errors.h"
#include "numeric/MemoryStream.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"
#include "numeric/NumberText.h"

#include "RecordingMessageHost.h"

#include "NumericTestSupport.h"

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
using namespace orvanta::test;
using namespace std::string_literals;

namespace {

std::string Le32(std::int32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) {
        s[i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    }
    return s;
}

std::string Le64(double v) {
    std::string s(8, '\0');
    for (int i = 0; i < 8; ++i) {
        s[i] = static_cast<char>((std::bit_cast<std::uint64_t>(v) >> (8 * i)) & 0xFF);
    }
    return s;
}

TNamedVector MakeVector(std::string_view name, const std::vector<double>& values) {
    TNamedVector v;
    v.Create(static_cast<std::int32_t>(values.size()));
    v.SetName(name);
    for (std::size_t i = 0; i < values.size(); ++i) {
        v.Set(static_cast<std::int32_t>(i), values[i]);
    }
    return v;
}

// The separator is process-wide; every test leaves it at the point.
class VectorFormat : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator('.'); }
    TRecordingMessageHost Host;
    TMessageHostScope Scope{Host};
};

} // namespace

TEST_F(VectorFormat, WritesTheTextForm) {
    struct Case {
        const char* name;
        std::vector<double> values;
        char separator;
        std::string bytes;
    };
    const Case cases[] = {{"b", {1.5, -2, 0.125}, '.', "Vector \"b\" 3\n\n1.5\t-2\t0.125\t\n\n"},
                          {"b", {1.5, -2, 0.125}, ',', "Vector \"b\" 3\n\n1,5\t-2\t0,125\t\n\n"},
                          {"x 1",
                           {2.71828, -1234.5, 0.000123456, 99995, 6.0221e23},
                           '.',
                           "Vector \"x 1\" 5\n\n2.718\t-1234\t0.0001235\t1e+05\t6.022e+23\t\n\n"},
                          {"Отклик", {0}, '.', "Vector \"\xCE\xF2\xEA\xEB\xE8\xEA\" 1\n\n0\t\n\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        SetDecimalSeparator(c.separator);
        TMemoryStream stream;
        MakeVector(c.name, c.values).WriteTextForm(stream);
        EXPECT_EQ(stream.Bytes(), c.bytes);
    }
}

TEST_F(VectorFormat, ReadsTheTextForm) {
    struct Case {
        const char* what;
        std::string bytes;
        char separator;
        bool ok;
        std::string name;
        std::vector<double> values;
    };
    const std::string b3 = "Vector \"b\" 3\n\n";
    const Case cases[] = {
        {"the writer's output", b3 + "1.5\t-2\t0.125\t\n\n", '.', true, "b", {1.5, -2, 0.125}},
        {"one LF after the last TAB", b3 + "1.5\t-2\t0.125\t\n", '.', true, "b", {1.5, -2, 0.125}},
        {"last element directly at the end", b3 + "1.5\t-2\t0.125", '.', false, "", {}},
        {"only a TAB after the last element", b3 + "1.5\t-2\t0.125\t", '.', false, "", {}},
        {"too few elements", b3 + "1.5\t-2\t\n\n", '.', false, "", {}},
        {"surplus elements are left unread", b3 + "1\t2\t3\t4\t\n\n", '.', true, "b", {1, 2, 3}},
        {"any blanks between elements",
         b3 + "1e-05 \r\n-2.5E+2\n\n\n7\n\n",
         '.',
         true,
         "b",
         {1e-05, -250, 7}},
        {"quoted name with a space", "Vector \"x 1\" 2\n\n1\t2\t\n\n", '.', true, "x 1", {1, 2}},
        {"quoted name with a TAB", "Vector \"x\ty\" 1\n\n1\t\n\n", '.', true, "x\ty", {1}},
        {"Windows-1251 name",
         "Vector \"\xCE\xF2\xEA\xEB\xE8\xEA\" 1\n\n4\t\n\n",
         '.',
         true,
         "Отклик",
         {4}},
        {"comma separator", "Vector \"c\" 2\n\n1,5\t-2,25\t\n\n", ',', true, "c", {1.5, -2.25}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetDecimalSeparator(c.separator);
        TMemoryStream stream(c.bytes);
        TNamedVector v;
        EXPECT_EQ(v.ReadTextForm(stream), c.ok);
        if (c.ok) {
            EXPECT_EQ(v.GetName(), c.name);
            EXPECT_EQ(ValuesOf(v), c.values);
        }
    }
    EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(VectorFormat, RejectedHeaderLeavesTheVectorAsItWas) {
    const std::string texts[] = {"vector \"b\" 1\n\n1\t\n\n", "Matrix \"b\" 1 1\n\n1\t\n\n\n\n",
                                 "// exported\nVector \"b\" 1\n\n1\t\n\n", "Vector \"b\" 0\n\n\n\n",
                                 "Vector \"b\" 1048576\n\n1\t\n\n", "Vector \"b\" -1\n\n1\t\n\n",
                                 "Vector \"b\" three\n\n1\t2\t3\t\n\n",
                                 // more elements than the rest of the stream can hold
                                 "Vector \"b\" 1048575\n\n1\t2\t3\t\n\n",
                                 "VTID"s + Le32(1) + "b" + Le32(1) + Le64(1)};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        TNamedVector v = MakeVector("old", {4, 5});
        TMemoryStream stream(text);
        EXPECT_FALSE(v.ReadTextForm(stream));
        EXPECT_EQ(v.GetName(), "old");
        EXPECT_EQ(ValuesOf(v), (std::vector<double>{4, 5}));
    }
}

TEST_F(VectorFormat, NonNumericElementEmptiesTheVector) {
    struct Case {
        const char* text;
        char separator;
    };
    const Case cases[] = {{"Vector \"b\" 3\n\n1\tx\t3\t\n\n", '.'},
                          {"Vector \"b\" 2\n\n1.5\t2\t\n\n", ','},
                          {"Vector \"b\" 2\n\n1\t// note\n2\t\n\n", '.'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SetDecimalSeparator(c.separator);
        TNamedVector v = MakeVector("old", {4, 5});
        TMemoryStream stream{std::string(c.text)};
        EXPECT_FALSE(v.ReadTextForm(stream));
        EXPECT_EQ(v.Size(), 0);
    }
}

TEST_F(VectorFormat, TextRoundTripKeepsFourSignificantDigits) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::vector<double> values = {0.0, 1.0, -1.0, 0.5, 99995, 1e-5, 1e300, -2.5e-300};
    while (values.size() < 200) {
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    }
    for (char separator : {'.', ','}) {
        SCOPED_TRACE(separator);
        SetDecimalSeparator(separator);
        TMemoryStream stream;
        MakeVector("round trip", values).WriteTextForm(stream);
        stream.SetPosition(0);
        TNamedVector back;
        ASSERT_TRUE(back.ReadTextForm(stream));
        EXPECT_EQ(back.GetName(), "round trip");
        ASSERT_EQ(back.Size(), static_cast<std::int32_t>(values.size()));
        for (std::size_t i = 0; i < values.size(); ++i) {
            char rounded[64];
            std::snprintf(rounded, sizeof rounded, "%.4g", values[i]);
            EXPECT_EQ(back.Get(static_cast<std::int32_t>(i)), std::strtod(rounded, nullptr));
        }
    }
}

TEST_F(VectorFormat, WritesTheBinaryRecordWithAtMost254NameBytes) {
    std::string cyrillic255;
    for (int i = 0; i < 255; ++i) {
        cyrillic255 += "Я";
    }
    const std::pair<std::string, std::string> cases[] = {
        {"b", "VTID\x01\0\0\0b\x02\0\0\0\0\0\0\0\0\0\xF8\x3F\0\0\0\0\0\0\0\xC0"s},
        {"Отклик", "VTID\x06\0\0\0\xCE\xF2\xEA\xEB\xE8\xEA\x02\0\0\0"s + Le64(1.5) + Le64(-2)},
        {std::string(255, 'n'),
         "VTID"s + Le32(254) + std::string(254, 'n') + Le32(2) + Le64(1.5) + Le64(-2)},
        {cyrillic255,
         "VTID"s + Le32(254) + std::string(254, '\xDF') + Le32(2) + Le64(1.5) + Le64(-2)}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        TMemoryStream stream;
        MakeVector(name, {1.5, -2}).WriteBinary(stream);
        EXPECT_EQ(stream.Bytes(), bytes);
    }
}

TEST_F(VectorFormat, BinaryRoundTripIsExact) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> values = {
        0.0,        -0.0,     0.1,
        -1.0 / 3.0, 4.9e-324, 1.7976931348623157e308,
        inf,        -inf,     std::numeric_limits<double>::quiet_NaN()};
    TMemoryStream stream;
    MakeVector("Имя вектора", values).WriteBinary(stream);
    stream.SetPosition(0);
    TNamedVector back = MakeVector("old", {1});
    ASSERT_TRUE(back.ReadBinary(stream));
    EXPECT_TRUE(stream.AtEnd());
    EXPECT_EQ(back.GetName(), "Имя вектора");
    ASSERT_EQ(back.Size(), static_cast<std::int32_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back.Get(static_cast<std::int32_t>(i))),
                  std::bit_cast<std::uint64_t>(values[i]));
    }
}

TEST_F(VectorFormat, ReadsBinaryRecords) {
    struct Case {
        const char* what;
        std::string bytes;
        bool ok;
        std::int64_t endPosition; // -1: not checked
        std::string name;
    };
    const std::string body = Le32(2) + Le64(1.5) + Le64(-2);
    const Case cases[] = {
        {"plain record", "VTID"s + Le32(1) + "b" + body + "more", true, 29, "b"},
        {"empty name", "VTID"s + Le32(0) + body, true, 28, ""},
        {"Windows-1251 name", "VTID"s + Le32(3) + "\xC8\xEC\xFF" + body, true, 31, "Имя"},
        {"longer stored name: 254 bytes kept, stream aligned",
         "VTID"s + Le32(300) + std::string(300, 'q') + body, true, 328, std::string(254, 'q')},
        {"matrix tag fails at its first byte", "MTID"s + Le32(1) + "b" + body, false, 1, ""},
        {"tag fails at its last byte", "VTIX"s + Le32(1) + "b" + body, false, 4, ""},
        {"text form fails at its second byte", "Vector \"b\" 1\n\n1\t\n\n", false, 2, ""},
        {"negative name length", "VTID"s + Le32(-1) + body, false, -1, ""},
        {"size 0", "VTID"s + Le32(1) + "b" + Le32(0), false, -1, ""},
        {"negative size", "VTID"s + Le32(1) + "b" + Le32(-3) + Le64(1), false, -1, ""},
        {"size 1048577", "VTID"s + Le32(1) + "b" + Le32(1048577) + Le64(1), false, -1, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMemoryStream stream(c.bytes);
        TNamedVector v = MakeVector("old", {4, 5});
        EXPECT_EQ(v.ReadBinary(stream), c.ok);
        if (c.endPosition >= 0) {
            EXPECT_EQ(stream.Position(), c.endPosition);
        }
        if (c.ok) {
            EXPECT_EQ(v.GetName(), c.name);
        }
        EXPECT_EQ(ValuesOf(v), (c.ok ? std::vector<double>{1.5, -2} : std::vector<double>{4, 5}));
    }
}

// A record that the end of the stream cuts short is a short file, not
// another kind of record: the stream's read error, and nothing changes.
TEST_F(VectorFormat, RecordsCutShortRaiseTheReadError) {
    const struct {
        const char* What;
        std::string Bytes;
        bool Matrix;
    } cases[] = {
        {"vector: one element short", "VTID"s + Le32(1) + "b" + Le32(3) + Le64(1) + Le64(2), false},
        {"vector: 1048576 elements announced, one there",
         "VTID"s + Le32(1) + "b" + Le32(1048576) + Le64(1), false},
        {"vector: inside the name", "VTID"s + Le32(5) + "ab", false},
        {"matrix: one element short", "MTID"s + Le32(0) + Le32(2) + Le32(2) + Le64(1) + Le64(2),
         true},
        {"matrix: 1048575 x 1048575 announced", "MTID"s + Le32(0) + Le32(1048575) + Le32(1048575),
         true},
        {"matrix: inside the name", "MTID"s + Le32(3) + "m", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TMemoryStream stream(c.Bytes);
        TNamedVector v = MakeVector("old", {4, 5});
        TNamedMatrix m;
        m.Create(1, 1);
        if (c.Matrix)
            EXPECT_THROW(m.ReadBinary(stream), EReadError);
        else
            EXPECT_THROW(v.ReadBinary(stream), EReadError);
        EXPECT_EQ(ValuesOf(v), (std::vector<double>{4, 5}));
        EXPECT_EQ(m.RowCount(), 1);
    }
}

TEST_F(VectorFormat, UnknownFormIsTriedAsTextThenAsBinary) {
    TMemoryStream stream;
    MakeVector("b", {0.1, 0.2}).WriteBinary(stream);
    stream.SetPosition(0);
    TNamedVector v;
    ASSERT_FALSE(v.ReadTextForm(stream));
    stream.SetPosition(0);
    ASSERT_TRUE(v.ReadBinary(stream));
    EXPECT_EQ(ValuesOf(v), (std::vector<double>{0.1, 0.2}));
}

TEST_F(VectorFormat, WritesPlainRows) {
    SetDecimalSeparator(',');
    TMemoryStream stream;
    MakeVector("b", {1.5, -2, 0.000123456, 123456}).WriteRow(stream);
    EXPECT_EQ(stream.Bytes(), "1,5\t-2\t0,0001235\t1,235e+05\t\n");
}
