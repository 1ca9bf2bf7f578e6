#include "TextCodec.h"

#include <cstdint>

namespace orvanta::stdmodule {

namespace {

// Reads one code point starting at text[i] and advances i; a broken sequence
// gives U+FFFD and consumes one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    constexpr char32_t Broken = 0xFFFD;
    const auto lead = static_cast<std::uint8_t>(text[i++]);
    if (lead < 0x80)
        return lead;
    std::size_t extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return Broken;
    }
    if (i + extra > text.size())
        return Broken;
    for (std::size_t n = 0; n < extra; ++n) {
        const auto next = static_cast<std::uint8_t>(text[i + n]);
        if ((next & 0xC0) != 0x80)
            return Broken;
        cp = (cp << 6) | (next & 0x3F);
    }
    i += extra;
    return cp;
}

char ToCp1251(char32_t cp) {
    if (cp < 0x80)
        return static_cast<char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) // А .. я
        return static_cast<char>(0xC0 + (cp - 0x0410));
    switch (cp) {
    case 0x0401: // Ё
        return static_cast<char>(0xA8);
    case 0x0451: // ё
        return static_cast<char>(0xB8);
    case 0x00B7: // middle dot of products such as "x1·x2"
        return static_cast<char>(0xB7);
    case 0x2116: // №
        return static_cast<char>(0xB9);
    default:
        return '?';
    }
}

} // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size())
        out.push_back(ToCp1251(NextCodePoint(utf8, i)));
    return out;
}

} // namespace orvanta::stdmodule
