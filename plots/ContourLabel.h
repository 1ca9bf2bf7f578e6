#pragma once

#include "plots/Contour.h"

#include <cstddef>
#include <vector>

namespace orvanta {

// The index of the point nearest to the middle of the polyline by length:
// where a level line's value is written. Shared by the plane and the
// triangle, whose clipped pieces are labelled anew.
std::size_t MiddleIndex(const std::vector<TPlotPoint>& points);

} // namespace orvanta
