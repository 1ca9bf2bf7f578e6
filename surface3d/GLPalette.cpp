#include "surface3d/GLPalette.h"

#include <array>

namespace orvanta {

namespace {

constexpr std::array<std::uint8_t, 8> Expand3{0, 36, 73, 109, 146, 182, 219, 255};
constexpr std::array<std::uint8_t, 4> Expand2{0, 85, 170, 255};
constexpr std::array<std::uint8_t, 2> Expand1{0, 255};

std::uint8_t Expand(unsigned value, int bits) {
    switch (bits) {
    case 3:
        return Expand3[value & 7u];
    case 2:
        return Expand2[value & 3u];
    case 1:
        return Expand1[value & 1u];
    default:
        return 0;
    }
}

unsigned Shifted(unsigned value, int shift) {
    return shift >= 0 && shift < 32 ? value >> shift : 0u;
}

struct TFixedColor {
    std::size_t Index;
    TPaletteEntry Entry;
};

// The twenty static colours the desktop keeps for itself, less the eight
// the 3-3-2 cube already holds exactly.
constexpr std::array<TFixedColor, 12> SystemEntries{{
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
}};

} // namespace

std::vector<TPaletteEntry> MakePalette(const TPixelBits& bits) {
    if (bits.ColorBits < 1 || bits.ColorBits > 8)
        return {};
    std::vector<TPaletteEntry> palette(std::size_t{1} << bits.ColorBits);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const auto n = static_cast<unsigned>(i);
        palette[i] = {Expand(Shifted(n, bits.RedShift), bits.RedBits),
                      Expand(Shifted(n, bits.GreenShift), bits.GreenBits),
                      Expand(Shifted(n, bits.BlueShift), bits.BlueBits), 0};
    }
    if (bits.ColorBits == 8 && bits.RedBits == 3 && bits.RedShift == 0 && bits.GreenBits == 3 &&
        bits.GreenShift == 3 && bits.BlueBits == 2 && bits.BlueShift == 6)
        for (const TFixedColor& fixed : SystemEntries)
            palette[fixed.Index] = fixed.Entry;
    return palette;
}

} // namespace orvanta
