#pragma once

#include <cstdint>
#include <span>

namespace orvanta {

// The 16-byte PCM format record of a WAVE file ("fmt " chunk body).
struct TWaveFormat {
    std::uint16_t FormatTag = 0;
    std::uint16_t Channels = 0;
    std::uint32_t SamplesPerSec = 0;
    std::uint32_t AvgBytesPerSec = 0;
    std::uint16_t BlockAlign = 0;
    std::uint16_t BitsPerSample = 0;
};

// One sound: the format and the samples of a RIFF WAVE file image. The
// samples are not copied, so the image must outlive the wave.
class TWave {
public:
    // The lowest offset at which the "data" tag may start is right after a
    // canonical 16-byte format chunk; tags starting at SearchLimit or later
    // are not looked for.
    static constexpr std::size_t HeaderSize = 36;
    static constexpr std::size_t SearchLimit = 4096;

    TWave() = default;
    explicit TWave(std::span<const std::uint8_t> image) { Load(image); }

    // Returns whether the sound can be played; on failure the wave stays
    // Failed with no samples.
    bool Load(std::span<const std::uint8_t> image);

    const TWaveFormat& Format() const { return FFormat; }
    const std::uint8_t* Samples() const { return FSamples; }
    std::uint32_t DataSize() const { return FDataSize; }
    bool HasFormat() const { return FHasFormat; }
    bool HasData() const { return FHasData; }
    bool Failed() const { return FFailed; }

private:
    TWaveFormat FFormat;
    const std::uint8_t* FSamples = nullptr;
    std::uint32_t FDataSize = 0;
    bool FHasFormat = false;
    bool FHasData = false;
    bool FFailed = true;
};

} // namespace orvanta
