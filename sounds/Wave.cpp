#include "sounds/Wave.h"

#include <algorithm>
#include <optional>

namespace orvanta {

namespace {

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) |
           (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, const char (&tag)[5]) {
    return at + 4 <= bytes.size() && std::equal(tag, tag + 4, bytes.begin() + at);
}

// The offset of the first "data" tag that starts in [HeaderSize, SearchLimit)
// and whose size field lies inside the image. The scan goes byte by byte, so
// an odd-aligned tag is found too. A tag that starts below the limit counts
// even when its last bytes lie beyond it.
std::optional<std::size_t> FindDataTag(std::span<const std::uint8_t> image) {
    for (std::size_t at = TWave::HeaderSize; at < TWave::SearchLimit && at + 8 <= image.size();
         ++at) {
        if (HasTag(image, at, "data")) {
            return at;
        }
    }
    return std::nullopt;
}

} // namespace

bool TWave::Load(std::span<const std::uint8_t> image) {
    *this = TWave();
    if (image.size() < HeaderSize || !HasTag(image, 0, "RIFF")) {
        return false;
    }
    const std::optional<std::size_t> tag = FindDataTag(image);
    if (!tag) {
        return false;
    }
    const std::size_t first = *tag + 8;
    // A size that runs past the image would let the device read foreign
    // memory; play what is there instead.
    FDataSize = static_cast<std::uint32_t>(
        std::min<std::size_t>(ReadU32(image, *tag + 4), image.size() - first));
    FSamples = image.data() + first;

    FFormat.FormatTag = ReadU16(image, 20);
    FFormat.Channels = ReadU16(image, 22);
    FFormat.SamplesPerSec = ReadU32(image, 24);
    FFormat.BitsPerSample = ReadU16(image, 34);
    // Files in the wild carry wrong values here; the device trusts them, so
    // they are derived from the fields that describe the samples.
    FFormat.BlockAlign =
        static_cast<std::uint16_t>(std::uint32_t{FFormat.Channels} * FFormat.BitsPerSample / 8);
    FFormat.AvgBytesPerSec = std::uint32_t{FFormat.BlockAlign} * FFormat.SamplesPerSec;

    FHasFormat = true;
    FHasData = true;
    FFailed = false;
    return true;
}

} // namespace orvanta
