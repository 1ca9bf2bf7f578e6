#include "numeric/Cp1251.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cerrno>
#include <optional>
#include <string>

using namespace orvanta;
using namespace std::string_literals;

namespace {

// glibc's own code page table, converting one byte at a time; nullopt where
// the code page has no character.
class TIconvReference {
public:
    TIconvReference() : Cd(iconv_open("UTF-8", "CP1251")) {}
    ~TIconvReference() {
        if (Valid()) {
            iconv_close(Cd);
        }
    }
    TIconvReference(const TIconvReference&) = delete;
    TIconvReference& operator=(const TIconvReference&) = delete;

    bool Valid() const { return Cd != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> Convert(unsigned char code) {
        iconv(Cd, nullptr, nullptr, nullptr, nullptr);
        char in = static_cast<char>(code);
        char out[8];
        char* inPtr = &in;
        char* outPtr = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        if (iconv(Cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        return std::string(out, outPtr);
    }

private:
    iconv_t Cd;
};

std::string AllCodes() {
    std::string all(256, '\0');
    for (int code = 0; code < 256; ++code) {
        all[code] = static_cast<char>(code);
    }
    return all;
}

} // namespace

TEST(Cp1251, EveryCodeMatchesTheSystemTable) {
    TIconvReference reference;
    ASSERT_TRUE(reference.Valid()) << "iconv has no CP1251";

    std::string whole;
    int unassigned = 0;
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        std::optional<std::string> expected = reference.Convert(static_cast<unsigned char>(code));
        if (!expected) {
            // The code page leaves 0x98 empty; the program keeps it as U+0098 so
            // that no byte string is lost.
            ++unassigned;
            EXPECT_EQ(code, 0x98);
            expected = "\xC2\x98";
        }
        const std::string byte(1, static_cast<char>(code));
        EXPECT_EQ(Cp1251ToUtf8(byte), *expected);
        EXPECT_EQ(Utf8ToCp1251(*expected), byte);
        whole += *expected;
    }
    EXPECT_EQ(unassigned, 1);
    EXPECT_EQ(Cp1251ToUtf8(AllCodes()), whole);
}

TEST(Cp1251, EveryByteStringSurvivesARoundTrip) {
    const std::string all = AllCodes();
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);

    std::string reversed(all.rbegin(), all.rend());
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(reversed)), reversed);

    const std::string text = "Проверка: «Ёж» — № 1, 5 €\tend";
    EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(text)), text);
}

TEST(Cp1251, CharactersWithoutACodeAndBadSequencesBecomeQuestionMarks) {
    struct Case {
        const char* what;
        std::string utf8;
        std::string cp1251;
    };
    const Case cases[] = {{"Chinese", "中", "?"},
                          {"four-byte character", "a😀b", "a?b"},
                          {"U+0080 (0x80 is Ђ)", "\xC2\x80", "?"},
                          {"Latin with accent", "é", "?"},
                          {"stray continuation byte", "a\x80z", "a?z"},
                          {"lead byte cut short by ASCII",
                           "\xD0"
                           "A",
                           "?A"},
                          {"lead byte at the end", "x\xD0", "x?"},
                          {"byte 0xFF", "\xFF", "?"},
                          {"embedded zero is kept", "a\0b"s, "a\0b"s},
                          {"question mark itself", "?", "?"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251);
    }

    // How many marks an invalid multi-byte sequence gives is the codec's
    // choice; that it gives only marks and keeps what follows is not.
    const char* const invalid[] = {
        "\xC0\xAF",         // overlong "/"
        "\xE2\x82",         // three-byte sequence cut short
        "\xED\xA0\x80",     // UTF-16 surrogate
        "\xF4\x90\x80\x80", // beyond U+10FFFF
    };
    for (const char* bytes : invalid) {
        SCOPED_TRACE(testing::PrintToString(std::string(bytes)));
        const std::string out = Utf8ToCp1251(std::string(bytes) + "ok");
        ASSERT_GE(out.size(), 3u);
        EXPECT_EQ(out.substr(out.size() - 2), "ok");
        EXPECT_EQ(out.find_first_not_of('?'), out.size() - 2);
    }
}

TEST(Cp1251, CountsAndCutsCharacters) {
    struct LengthCase {
        std::string text;
        std::size_t length;
    };
    const LengthCase lengths[] = {{"", 0},  {"abc", 3},    {"Орванта", 7}, {"€", 1},
                                  {"😀", 1}, {"a\x80z", 3}, {"\xD0", 1},    {"a\0b"s, 3}};
    for (const LengthCase& c : lengths) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(Utf8Length(c.text), c.length);
    }

    struct PrefixCase {
        std::string text;
        std::size_t count;
        std::string prefix;
    };
    const PrefixCase prefixes[] = {{"Орванта", 3, "Орв"}, {"abc", 10, "abc"}, {"abc", 0, ""},
                                   {"Ёж😀x", 3, "Ёж😀"},    {"Ёж😀x", 2, "Ёж"},  {"", 5, ""}};
    for (const PrefixCase& c : prefixes) {
        SCOPED_TRACE(c.text + " / " + std::to_string(c.count));
        EXPECT_EQ(Utf8Prefix(c.text, c.count), c.prefix);
    }
}
