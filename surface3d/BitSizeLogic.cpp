#include "surface3d/BitSizeLogic.h"

#include <cmath>

namespace orvanta {

std::optional<std::int32_t> RasterFileSizeKb(std::optional<std::int32_t> width,
                                             std::optional<std::int32_t> height) {
    if (!width || !height)
        return std::nullopt;
    // The header of a 24-bit bitmap file is 54 bytes, plus 4 the dialog has
    // always counted; in doubles so that 4096 x 4096 cannot overflow.
    const double bytes = static_cast<double>(*width) * static_cast<double>(*height) * 3.0 + 58.0;
    return static_cast<std::int32_t>(std::lround(bytes / 1024.0));
}

} // namespace orvanta
