#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvanta {

struct TPlotPoint {
    double X = 0.0;
    double Y = 0.0;
    bool operator==(const TPlotPoint&) const = default;
};

// The values of a function on a regular grid of Nx x Ny nodes spanning
// [X0, X1] x [Y0, Y1] (the ends included). A node outside the region drawn
// (the ternary triangle) holds NaN.
struct TContourGrid {
    double X0 = 0.0;
    double X1 = 1.0;
    double Y0 = 0.0;
    double Y1 = 1.0;
    std::int32_t Nx = 0;
    std::int32_t Ny = 0;
    std::vector<double> Z; // Z[j * Nx + i] is the value at (X(i), Y(j))

    double X(std::int32_t i) const;
    double Y(std::int32_t j) const;
    double At(std::int32_t i, std::int32_t j) const {
        return Z[std::size_t(j) * std::size_t(Nx) + std::size_t(i)];
    }
};

// f at every node; nx, ny >= 2.
TContourGrid EvaluateGrid(const std::function<double(double x, double y)>& f, double x0, double x1,
                          double y0, double y1, std::int32_t nx, std::int32_t ny);

// Round level values: multiples of a step of 1, 2, 2.5 or 5 times a power of
// ten, strictly inside (low, high), about `count` of them (never none when
// low < high). Values that are zero up to rounding are exactly zero.
std::vector<double> RoundLevels(double low, double high, std::int32_t count = 10);

// One level line: a polyline on the level, joined from the segments of the
// grid cells it crosses. A closed ring repeats its first point at the end.
struct TContourLine {
    double Level = 0.0;
    std::vector<TPlotPoint> Points;
    bool Closed = false;
    // The point of the line where its level is written: the point nearest to
    // the middle of the line by length (an index into Points).
    std::size_t LabelIndex = 0;
};

// Marching squares over the grid for each level, in level order. A corner
// exactly on the level counts as above it. A saddle cell (the two diagonals
// on opposite sides) is decided by the mean of its four corners: the
// corners on the same side as the mean are joined across the cell. Cells
// with a NaN corner are left out. Crossings are interpolated linearly along
// the cell edges; the segments are joined into the longest polylines, open
// ones running from border to border (or to a left-out cell), closed ones
// as rings.
std::vector<TContourLine> TraceContours(const TContourGrid& grid,
                                        const std::vector<double>& levels);

// The level lines as text for other programs: one line per polyline, the
// level first and then its points' x and y, all separated by blanks, with a
// point as the decimal separator and the shortest digits that read back to
// the same double.
std::string ContourText(const std::vector<TContourLine>& lines);

} // namespace orvanta
