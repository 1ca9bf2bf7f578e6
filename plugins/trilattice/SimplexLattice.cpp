#include "plugins/trilattice/SimplexLattice.h"

#include <algorithm>

namespace orvanta {

std::vector<TSimplexPoint> SimplexLatticePoints(int divisions) {
    std::vector<TSimplexPoint> points;
    if (divisions <= 0)
        return points;
    const double h = 1.0 / divisions;
    points.reserve(static_cast<std::size_t>(divisions + 1) * (divisions + 2) / 2);
    for (int i = divisions; i >= 0; --i) {
        const double x1 = i * h;
        for (int j = 0; j <= divisions - i; ++j) {
            const double x2 = j * h;
            // On the x3 = 0 edge the subtraction can come out a rounding
            // error below zero, which would print as "-0.000000" and put
            // the prediction just outside the triangle.
            points.push_back({x1, x2, std::max(0.0, 1.0 - x1 - x2)});
        }
    }
    return points;
}

} // namespace orvanta
