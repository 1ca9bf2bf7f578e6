#pragma once

#include <cstdint>
#include <optional>

namespace orvanta {

// The size in KB of a 24-bit raster of width x height pixels, as the size
// dialog shows it: (w * h * 3 + 58) / 1024, rounded to the nearest; empty
// when either field holds no number.
std::optional<std::int32_t> RasterFileSizeKb(std::optional<std::int32_t> width,
                                             std::optional<std::int32_t> height);

} // namespace orvanta
