// The fixed tables of the surface window: the palette of a palette
// display, the raster size the size dialog shows, and the bitmap fonts.
#include "surface3d/BitSizeLogic.h"
#include "surface3d/BitmapFont.h"
#include "surface3d/GLPalette.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvanta;

namespace {

bool operator==(const TPaletteEntry& a, const TPaletteEntry& b) {
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue && a.Flags == b.Flags;
}

TEST(GLPaletteTest, TheEightBitCubeKeepsTheSystemColours) {
    const auto palette = MakePalette({8, 3, 0, 3, 3, 2, 6});
    ASSERT_EQ(palette.size(), 256u);
    const struct {
        std::size_t Index;
        TPaletteEntry Entry;
    } expected[] = {
        // The cube: index = blue << 6 | green << 3 | red.
        {0, {0, 0, 0, 0}},
        {7, {255, 0, 0, 0}},
        {0x38, {0, 255, 0, 0}},
        {0xC0, {0, 0, 255, 0}},
        {255, {255, 255, 255, 0}},
        {0x51, {36, 73, 85, 0}},   // red 1, green 2, blue 1
        {0x95, {182, 73, 170, 0}}, // red 5, green 2, blue 2
        // The twelve system colours.
        {3, {128, 0, 0, 0}},
        {24, {0, 128, 0, 0}},
        {27, {128, 128, 0, 0}},
        {64, {0, 0, 128, 0}},
        {67, {128, 0, 128, 0}},
        {88, {0, 128, 128, 0}},
        {173, {192, 192, 192, 0}},
        {181, {192, 220, 192, 0}},
        {236, {166, 202, 240, 0}},
        {247, {255, 251, 240, 0}},
        {164, {160, 160, 164, 0}},
        {91, {128, 128, 128, 0}},
    };
    for (const auto& e : expected)
        EXPECT_TRUE(palette[e.Index] == e.Entry) << e.Index;
}

TEST(GLPaletteTest, OtherLayoutsExpandTheirBitsOnly) {
    // 4 bits, one each for red, green, blue: no system colours.
    const auto small = MakePalette({4, 1, 0, 1, 1, 1, 2});
    ASSERT_EQ(small.size(), 16u);
    EXPECT_TRUE(small[3] == (TPaletteEntry{255, 255, 0, 0}));
    EXPECT_TRUE(small[8] == (TPaletteEntry{0, 0, 0, 0})); // the fourth bit is nobody's
    // The 3-3-2 bits at other places keep the plain cube.
    const auto moved = MakePalette({8, 3, 5, 3, 2, 2, 0});
    EXPECT_TRUE(moved[3] == (TPaletteEntry{0, 0, 255, 0}));
    // A channel of four bits has no expansion table.
    EXPECT_EQ(MakePalette({8, 4, 0, 2, 4, 2, 6})[15].Red, 0);
    EXPECT_TRUE(MakePalette({16, 5, 0, 6, 5, 5, 11}).empty());
}

TEST(RasterSizeTest, TheFileSizeIsRoundedToKilobytes) {
    using std::nullopt;
    const struct {
        std::optional<std::int32_t> Width, Height, Kb;
    } cases[] = {
        {640, 480, 900},     // 921 658 bytes
        {320, 320, 300},     // 307 258 bytes
        {4096, 4096, 49152}, // 50 331 706 bytes
        {492, 1, 1},         // 1 534 bytes: rounds down
        {493, 1, 2},         // 1 537 bytes: rounds up
        {nullopt, 480, nullopt},
        {640, nullopt, nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RasterFileSizeKb(c.Width, c.Height), c.Kb)
            << c.Width.value_or(-1) << " x " << c.Height.value_or(-1);
}

bool Blank(const std::uint8_t* glyph, int rows) {
    return std::all_of(glyph, glyph + rows, [](std::uint8_t row) { return row == 0; });
}

TEST(BitmapFontTest, CyrillicLettersHaveGlyphsAndTheSpaceIsBlank) {
    for (int code : {0xC0, 0xFF, 0xA8, int('A'), int('z'), int('0'), int('_')}) {
        EXPECT_FALSE(Blank(Glyph8x16(static_cast<std::uint8_t>(code)), 16)) << code;
        EXPECT_FALSE(Blank(Glyph8x8(static_cast<std::uint8_t>(code)), 8)) << code;
    }
    EXPECT_TRUE(Blank(Glyph8x16(' '), 16));
    EXPECT_TRUE(Blank(Glyph8x8(' '), 8));
    EXPECT_TRUE(Blank(Glyph8x16(0), 16));
    // 'А' and the Latin 'A' look alike; 'я' is no mirror of 'R'.
    EXPECT_TRUE(std::equal(Glyph8x16(0xC0), Glyph8x16(0xC0) + 16, Glyph8x16('A')));
    EXPECT_FALSE(std::equal(Glyph8x16(0xFF), Glyph8x16(0xFF) + 16, Glyph8x16('R')));
}

} // namespace
