#pragma once

#include "plots/Contour.h"

#include <array>
#include <functional>

namespace orvanta {

// The simplex of three components drawn as an equilateral triangle of side
// 1: component 1 pure at (0, 0), component 2 pure at (1, 0), component 3 pure
// at (1/2, sqrt(3)/2). The proportions are normalised by their sum.
TPlotPoint TernaryPoint(double x1, double x2, double x3);
std::array<double, 3> TernaryComponents(const TPlotPoint& point);

// f of the proportions at n x n nodes over the triangle's bounding box
// ([0, 1] x [0, sqrt(3)/2]), NaN outside the triangle: the picture's colour
// bands.
TContourGrid TernaryGrid(const std::function<double(double, double, double)>& f, std::int32_t n);

// The level lines of f inside the triangle, reaching its sides: traced over
// the whole box (a mixture polynomial is defined beyond the simplex too) and
// clipped to the triangle.
std::vector<TContourLine> TernaryContours(const std::function<double(double, double, double)>& f,
                                          std::int32_t n, const std::vector<double>& levels);

} // namespace orvanta
