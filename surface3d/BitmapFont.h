#pragma once

#include <cstdint>

namespace orvanta {

// The scene's two bitmap fonts, 8 x 16 and 8 x 8, for every code of the
// Windows-1251 code page (Cyrillic included). Rows run from the top, bit 7
// is the leftmost pixel.
const std::uint8_t* Glyph8x16(std::uint8_t code); // 16 bytes
const std::uint8_t* Glyph8x8(std::uint8_t code);  // 8 bytes

} // namespace orvanta
