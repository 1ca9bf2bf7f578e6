#include "numeric/StreamText.h"
#include "numeric/MemoryStream.h"

#include "RecordingMessageHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace orvanta;
using namespace std::string_literals;

namespace {

std::string Le32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) {
        s[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    return s;
}

const TRecordedMessage ReadError{TMessageKind::Error, "Ошибка чтения из потока."};

} // namespace

TEST(ReadToken, SplitsBytesIntoTokens) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> tokens;
        std::int64_t endPosition;
    };
    const Case cases[] = {
        {"vector header", "Vector \"b\" 3\n\n"s, {"Vector", "b", "3"}, 13},
        {"every kind of blank before a token", " \t\r\nabc "s, {"abc"}, 8},
        {"the terminating blank is consumed", "abc\tdef\n"s, {"abc", "def"}, 8},
        {"the byte that reaches the end is not appended", "abc"s, {"ab"}, 3},
        {"one byte after the token completes it", "abc\t"s, {"abc"}, 4},
        {"blank then a last byte", " a"s, {""}, 2},
        {"only blanks", "   "s, {""}, 3},
        {"quoted name with a space", "\"x 1\" 3 "s, {"x 1", "3"}, 8},
        {"quoted name with a TAB", "\"a\tb\" "s, {"a\tb"}, 5},
        {"empty quotes", "\"\" x "s, {"", "x"}, 5},
        {"quote closing at the end", "\"ab\""s, {"ab"}, 4},
        {"quote never closed", "\"ab"s, {"a"}, 3},
        {"quote inside a bare token", "a\"b "s, {"a\"b"}, 4},
        {"comment line is one empty token", "// note\nVector "s, {"", "Vector"}, 15},
        {"comment ends at CR", "//c\r\nx "s, {"", "x"}, 7},
        {"comment up to the end", "// only"s, {""}, 7},
        {"single slash starts a token", "/x y"s, {"/x", ""}, 4},
        {"slashes inside a token", "a//b "s, {"a//b"}, 5},
        {"Windows-1251 bytes become UTF-8",
         "\xC8\xEC\xFF \"\xCE\xF0\xE2\xE0\xED\xF2\xE0\" "s,
         {"Имя", "Орванта"},
         13}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TRecordingMessageHost host;
        TMessageHostScope scope(host);
        TMemoryStream stream(c.bytes);
        std::vector<std::string> tokens;
        for (std::size_t i = 0; i < c.tokens.size(); ++i) {
            tokens.push_back(ReadToken(stream));
        }
        EXPECT_EQ(tokens, c.tokens);
        EXPECT_EQ(stream.Position(), c.endPosition);
        EXPECT_TRUE(host.Messages.empty());
    }
}

TEST(ReadToken, ReadPastTheEndShowsTheStreamErrorAndReturnsEmpty) {
    TRecordingMessageHost host;
    TMessageHostScope scope(host);

    TMemoryStream empty;
    EXPECT_EQ(ReadToken(empty), "");
    EXPECT_EQ(host.Messages, std::vector<TRecordedMessage>{ReadError});

    host.Messages.clear();
    TMemoryStream one("abc\n"s);
    EXPECT_EQ(ReadToken(one), "abc");
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(ReadToken(one), "");
    EXPECT_EQ(host.Messages, std::vector<TRecordedMessage>{ReadError});
}

TEST(ReadTokenFromText, FollowsTheStreamRulesWithoutComments) {
    struct Case {
        const char* text;
        std::string token;
        std::string rest;
    };
    const Case cases[] = {{"  abc def", "abc", "def"},
                          {"abc", "abc", ""},
                          {"a\tb", "a", "b"},
                          {" \t\r\n", "", ""},
                          {"", "", ""},
                          {"\"x 1\" 3", "x 1", " 3"},
                          {"\"ab", "ab", ""},
                          {"\"\"x", "", "x"},
                          {"//x y", "//x", "y"},
                          {"Привет мир", "Привет", "мир"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const char* pos = c.text;
        EXPECT_EQ(ReadTokenFromText(pos), c.token);
        EXPECT_EQ(std::string(pos), c.rest);
    }

    // At the terminating zero the position stays where it is.
    const char* text = "x";
    const char* pos = text;
    ReadTokenFromText(pos);
    ASSERT_EQ(pos, text + 1);
    EXPECT_EQ(ReadTokenFromText(pos), "");
    EXPECT_EQ(pos, text + 1);
}

TEST(LString, WritesLengthAndWindows1251Bytes) {
    struct Case {
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {{"", Le32(0)},
                          {"abc", Le32(3) + "abc"},
                          {"Орванта", Le32(7) + "\xCE\xF0\xE2\xE0\xED\xF2\xE0"},
                          {"№ 5 €", Le32(5) + "\xB9 5 \x88"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TMemoryStream stream;
        WriteLString(stream, c.text);
        EXPECT_EQ(stream.Bytes(), c.bytes);
        if (!c.text.empty()) {
            stream.SetPosition(0);
            EXPECT_EQ(ReadLString(stream), c.text);
            EXPECT_TRUE(stream.AtEnd());
        }
    }
}

TEST(LString, ReaderRejectsLengthsOutsideItsRangeAfterConsumingTheLength) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
        std::int64_t endPosition;
    };
    const std::string tail = "tail";
    const Case cases[] = {{"zero", Le32(0) + tail, "", 4},
                          {"negative", Le32(-1) + tail, "", 4},
                          {"65534", Le32(65534) + std::string(65534, 'a'), "", 4},
                          {"65533 is the largest", Le32(65533) + std::string(65533, 'a') + tail,
                           std::string(65533, 'a'), 4 + 65533},
                          {"followed by more data", Le32(3) + "abc" + tail, "abc", 7},
                          {"Windows-1251 byte", Le32(1) + "\xFF", "я", 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMemoryStream stream(c.bytes);
        EXPECT_EQ(ReadLString(stream), c.text);
        EXPECT_EQ(stream.Position(), c.endPosition);
    }
}

class SeparatorLine : public ::testing::Test {
protected:
    void TearDown() override { SetSeparatorLine(DefaultSeparatorLine); }
};

TEST_F(SeparatorLine, WritesTheLineAndLfOrNothingWhenEmpty) {
    const std::string standard =
        "// =================  * * * ======================= * * * ================";
    EXPECT_EQ(std::string(DefaultSeparatorLine), standard);
    EXPECT_EQ(GetSeparatorLine(), standard);

    TMemoryStream stream;
    WriteSeparatorLine(stream);
    EXPECT_EQ(stream.Bytes(), standard + "\n");

    SetSeparatorLine("");
    TMemoryStream none;
    WriteSeparatorLine(none);
    EXPECT_EQ(none.Bytes(), "");

    SetSeparatorLine("— Раздел —");
    EXPECT_EQ(GetSeparatorLine(), "— Раздел —");
    TMemoryStream own;
    WriteSeparatorLine(own);
    EXPECT_EQ(own.Bytes(), "\x97 \xD0\xE0\xE7\xE4\xE5\xEB \x97\n");
}

TEST(WriteText, WritesWindows1251BytesAtThePosition) {
    struct Case {
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {{"", ""},
                          {"x = 1.5\t\n", "x = 1.5\t\n"},
                          {"Ёлка ёж", "\xA8\xEB\xEA\xE0 \xB8\xE6"},
                          {"Цена €", "\xD6\xE5\xED\xE0 \x88"},
                          {"中文", "??"},
                          {"a\0b"s, "a\0b"s}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TMemoryStream stream;
        WriteText(stream, c.text);
        EXPECT_EQ(stream.Bytes(), c.bytes);
    }

    TMemoryStream stream("0123456789"s);
    stream.SetPosition(3);
    WriteText(stream, "Юг");
    EXPECT_EQ(stream.Bytes(), "012\xDE\xE3"
                              "56789");
    EXPECT_EQ(stream.Position(), 5);
}
