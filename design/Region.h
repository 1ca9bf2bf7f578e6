#pragma once

#include "design/ModelMatrix.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace orvanta {

// Where a design's model is meant to hold: the coded cube [-1, 1]^k, or for
// a mixture the simplex (components >= 0 summing to 1).
enum class TDesignRegion { Cube, Simplex };

using TPoint = std::vector<double>;

// A mixture design: every run on the simplex and no constant term in the
// model (Scheffé's polynomials); the cube otherwise.
TDesignRegion DesignRegion(const TMatrix& design, const TModelBasis& basis);

// The cube's centre, or the simplex's centroid.
TPoint RegionCentre(TDesignRegion region, std::int32_t k);

// `count` points spread uniformly over the region, the same for the same
// seed on every machine.
std::vector<TPoint> UniformSample(TDesignRegion region, std::int32_t k, std::int32_t count,
                                  std::uint32_t seed);

// A regular grid of at most about `limit` nodes over the region, corners
// included: levels per axis of the cube, the {k, m} lattice of the simplex.
// Empty when not even two levels per axis fit.
std::vector<TPoint> RegionGrid(TDesignRegion region, std::int32_t k, std::int32_t limit);

// The best point near `start` for `value` (higher is better) by a pattern
// search that never leaves the region: moves along the axes of the cube, or
// between two components of a mixture, with the step halved until it is
// negligible. Returns the value reached and moves `start` there.
double ClimbInRegion(TDesignRegion region, TPoint& start,
                     const std::function<double(const TPoint&)>& value);

} // namespace orvanta
