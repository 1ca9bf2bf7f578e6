#pragma once

#include <cstdint>
#include <vector>

namespace orvanta {

struct TPaletteEntry {
    std::uint8_t Red, Green, Blue, Flags;
};

// The colour layout of a pixel format that needs a palette.
struct TPixelBits {
    int ColorBits, RedBits, RedShift, GreenBits, GreenShift, BlueBits, BlueShift;
};

// The logical palette for such a format: 2^ColorBits entries, each channel
// expanded from its bits; in the 8-bit 3-3-2 layout twelve entries carry
// the fixed system colours so that the desktop keeps its own. A bit count
// outside 1 .. 8 gives an empty palette.
std::vector<TPaletteEntry> MakePalette(const TPixelBits& bits);

} // namespace orvanta
