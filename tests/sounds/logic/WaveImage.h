#pragma once

// Builds RIFF WAVE file images byte by byte, with the header fields, the
// place of the "data" tag and the declared data size under the test's control.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanta::test {

struct TWaveRecipe {
    std::string Riff = "RIFF";
    std::uint16_t FormatTag = 1;
    std::uint16_t Channels = 1;
    std::uint32_t Rate = 22050;
    std::uint16_t Bits = 16;
    // What the header claims; zero means the true value.
    std::uint16_t StatedBlockAlign = 0;
    std::uint32_t StatedByteRate = 0;
    // Where the "data" tag starts; a filler chunk of zeros precedes it.
    std::size_t DataAt = 36;
    std::vector<std::uint8_t> Data = std::vector<std::uint8_t>(100, 0x55);
    std::optional<std::uint32_t> StatedDataSize;
};

inline void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void PutText(std::vector<std::uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

inline std::vector<std::uint8_t> MakeWave(const TWaveRecipe& recipe) {
    const std::uint32_t blockAlign = recipe.Channels * recipe.Bits / 8;
    std::vector<std::uint8_t> out;
    PutText(out, recipe.Riff);
    PutLe(out, 0, 4); // patched below
    PutText(out, "WAVEfmt ");
    PutLe(out, 16, 4);
    PutLe(out, recipe.FormatTag, 2);
    PutLe(out, recipe.Channels, 2);
    PutLe(out, recipe.Rate, 4);
    PutLe(out, recipe.StatedByteRate ? recipe.StatedByteRate : blockAlign * recipe.Rate, 4);
    PutLe(out, recipe.StatedBlockAlign ? recipe.StatedBlockAlign : blockAlign, 2);
    PutLe(out, recipe.Bits, 2);
    if (recipe.DataAt > out.size()) {
        // Any gap of 8 bytes or more is a chunk of its own; a shorter one
        // is stray padding.
        const std::size_t gap = recipe.DataAt - out.size();
        if (gap >= 8) {
            PutText(out, "JUNK");
            PutLe(out, static_cast<std::uint32_t>(gap - 8), 4);
        }
        out.resize(recipe.DataAt, 0);
    }
    PutText(out, "data");
    PutLe(out, recipe.StatedDataSize.value_or(static_cast<std::uint32_t>(recipe.Data.size())), 4);
    out.insert(out.end(), recipe.Data.begin(), recipe.Data.end());
    const auto riffSize = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) {
        out[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    }
    return out;
}

} // namespace orvanta::test
