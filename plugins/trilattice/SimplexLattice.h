#pragma once

#include <array>
#include <vector>

namespace orvanta {

// A point of the planar simplex: three fractions that add up to 1.
using TSimplexPoint = std::array<double, 3>;

// The lattice with n divisions in the order the tools visit and write it:
// x1 from 1 down to 0, x2 up from 0 within each x1, x3 the rest. There are
// (n + 1)(n + 2) / 2 points, from (1, 0, 0) to (0, 1, 0).
std::vector<TSimplexPoint> SimplexLatticePoints(int divisions);

} // namespace orvanta
