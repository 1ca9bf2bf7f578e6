#include "plots/Contour.h"

#include "plots/ContourLabel.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace orvanta {

double TContourGrid::X(std::int32_t i) const {
    return Nx > 1 ? X0 + (X1 - X0) * i / (Nx - 1) : X0;
}

double TContourGrid::Y(std::int32_t j) const {
    return Ny > 1 ? Y0 + (Y1 - Y0) * j / (Ny - 1) : Y0;
}

TContourGrid EvaluateGrid(const std::function<double(double x, double y)>& f, double x0, double x1,
                          double y0, double y1, std::int32_t nx, std::int32_t ny) {
    TContourGrid grid;
    grid.X0 = x0, grid.X1 = x1, grid.Y0 = y0, grid.Y1 = y1;
    grid.Nx = std::max(nx, 2);
    grid.Ny = std::max(ny, 2);
    grid.Z.resize(std::size_t(grid.Nx) * std::size_t(grid.Ny));
    std::vector<double> xs(std::size_t(grid.Nx));
    for (std::int32_t i = 0; i < grid.Nx; ++i)
        xs[std::size_t(i)] = grid.X(i);
    auto z = grid.Z.begin();
    for (std::int32_t j = 0; j < grid.Ny; ++j) {
        const double y = grid.Y(j);
        for (const double x : xs)
            *z++ = f(x, y);
    }
    return grid;
}

namespace {

// step = Mantissa x 10^Power; a level is Multiple x step, formed so that
// decimal steps give the doubles nearest the decimal values (3 x 0.1 is
// 0.30000000000000004, 3 / 10 is 0.3).
struct TRoundStep {
    double Mantissa = 1.0;
    std::int32_t Power = 0;

    double Level(double multiple) const {
        const double scale = std::pow(10.0, std::abs(Power));
        return Power < 0 ? multiple * Mantissa / scale : multiple * Mantissa * scale;
    }
    double Size() const { return Level(1.0); }
    // The next round step down: 5 -> 2.5 -> 2 -> 1 -> 0.5 ...
    TRoundStep Smaller() const {
        if (Mantissa == 1.0)
            return {5.0, Power - 1};
        return {Mantissa == 5.0 ? 2.5 : Mantissa == 2.5 ? 2.0 : 1.0, Power};
    }
};

// The smallest round step not below `raw`.
TRoundStep StepAtLeast(double raw) {
    TRoundStep step{1.0, std::int32_t(std::floor(std::log10(raw)))};
    const double mantissa = raw / step.Size();
    // log10 may land a hair off a power of ten either way.
    for (const double m : {1.0, 2.0, 2.5, 5.0})
        if (m >= mantissa * (1.0 - 1e-9))
            return {m, step.Power};
    return {1.0, step.Power + 1};
}

std::vector<double> LevelsOfStep(double low, double high, const TRoundStep& step) {
    std::vector<double> levels;
    const double first = std::floor(low / step.Size()) - 1.0;
    // Bounded: far from zero a step may be below the doubles' spacing.
    for (std::int32_t k = 0; k < 1000000; ++k) {
        const double level = step.Level(first + k);
        if (level >= high)
            break;
        // Far from zero the multiples may not all be distinct doubles.
        if (level > low && (levels.empty() || level > levels.back()))
            levels.push_back(level);
    }
    return levels;
}

} // namespace

std::vector<double> RoundLevels(double low, double high, std::int32_t count) {
    if (!std::isfinite(low) || !std::isfinite(high) || !(low < high))
        return {};
    const double range = high - low;
    if (!std::isfinite(range) || range < std::numeric_limits<double>::min())
        return {};
    TRoundStep step = StepAtLeast(range / std::max(count, 1));
    std::vector<double> levels = LevelsOfStep(low, high, step);
    for (int tries = 0; levels.empty() && tries < 8; ++tries) {
        step = step.Smaller();
        levels = LevelsOfStep(low, high, step);
    }
    return levels;
}

namespace {

// A crossing of the level is named by the grid edge it lies on: edge 2n is
// the one from node n to the right, 2n + 1 the one from node n upwards (n =
// j * Nx + i). Both cells sharing an edge name it alike, which joins their
// segments exactly.
using TEdge = std::int64_t;
constexpr TEdge NoEdge = -1;

struct TSegment {
    TEdge From = NoEdge;
    TEdge To = NoEdge;
};

class TLevelTracer {
public:
    TLevelTracer(const TContourGrid& grid) : Grid(grid) {
        Ends.assign(2 * std::size_t(grid.Nx) * std::size_t(grid.Ny), {-1, -1});
    }

    void Trace(double level, std::vector<TContourLine>& lines) {
        Level = level;
        Segments.clear();
        for (std::int32_t j = 0; j + 1 < Grid.Ny; ++j)
            for (std::int32_t i = 0; i + 1 < Grid.Nx; ++i)
                AddCell(i, j);
        Used.assign(Segments.size(), false);
        // Open lines first, each from one of its free ends; what is left
        // over are rings.
        for (std::size_t s = 0; s < Segments.size(); ++s)
            for (const TEdge end : {Segments[s].From, Segments[s].To})
                if (!Used[s] && Ends[std::size_t(end)][1] < 0)
                    lines.push_back(Walk(s, end));
        for (std::size_t s = 0; s < Segments.size(); ++s)
            if (!Used[s])
                lines.push_back(Walk(s, Segments[s].From));
        for (const TSegment& segment : Segments)
            Ends[std::size_t(segment.From)] = Ends[std::size_t(segment.To)] = {-1, -1};
    }

private:
    TEdge Right(std::int32_t i, std::int32_t j) const { return 2 * (TEdge(j) * Grid.Nx + i); }
    TEdge Up(std::int32_t i, std::int32_t j) const { return Right(i, j) + 1; }

    void AddCell(std::int32_t i, std::int32_t j) {
        const double v00 = Grid.At(i, j), v10 = Grid.At(i + 1, j);
        const double v11 = Grid.At(i + 1, j + 1), v01 = Grid.At(i, j + 1);
        if (std::isnan(v00) || std::isnan(v10) || std::isnan(v11) || std::isnan(v01))
            return;
        const int index =
            (v00 >= Level) | (v10 >= Level) << 1 | (v11 >= Level) << 2 | (v01 >= Level) << 3;
        if (index == 0 || index == 15)
            return;
        const TEdge bottom = Right(i, j), right = Up(i + 1, j);
        const TEdge top = Right(i, j + 1), left = Up(i, j);
        if (index == 5 || index == 10) {
            // A saddle: the diagonal on the mean's side is joined across the
            // cell, so the segments cut off the two corners of the other one.
            const bool mean = (v00 + v10 + v11 + v01) / 4.0 >= Level;
            if (mean == (index == 5)) {
                Add(bottom, right), Add(top, left);
            } else {
                Add(left, bottom), Add(right, top);
            }
            return;
        }
        // The corners on the minority side form one run around the cell; the
        // segment cuts them off between the two edges that change side.
        const TEdge edges[4] = {bottom, right, top, left};
        std::array<TEdge, 2> cut{NoEdge, NoEdge};
        std::size_t found = 0;
        for (int e = 0; e < 4; ++e)
            if (((index >> e) & 1) != ((index >> ((e + 1) % 4)) & 1))
                cut[found++] = edges[e];
        Add(cut[0], cut[1]);
    }

    void Add(TEdge a, TEdge b) {
        const auto segment = std::int64_t(Segments.size());
        Segments.push_back({a, b});
        for (const TEdge edge : {a, b}) {
            auto& ends = Ends[std::size_t(edge)];
            ends[ends[0] < 0 ? 0 : 1] = segment;
        }
    }

    TPlotPoint Crossing(TEdge edge) const {
        const auto node = std::int32_t(edge / 2);
        const std::int32_t i = node % Grid.Nx, j = node / Grid.Nx;
        const bool up = edge % 2 != 0;
        const std::int32_t i2 = up ? i : i + 1, j2 = up ? j + 1 : j;
        const double a = Grid.At(i, j), b = Grid.At(i2, j2);
        const double t = (Level - a) / (b - a);
        if (up)
            return {Grid.X(i), Grid.Y(j) + t * (Grid.Y(j2) - Grid.Y(j))};
        return {Grid.X(i) + t * (Grid.X(i2) - Grid.X(i)), Grid.Y(j)};
    }

    TContourLine Walk(std::size_t segment, TEdge start) {
        TContourLine line;
        line.Level = Level;
        line.Points.push_back(Crossing(start));
        TEdge at = start;
        for (auto s = std::int64_t(segment); s >= 0 && !Used[std::size_t(s)];) {
            Used[std::size_t(s)] = true;
            const TSegment& current = Segments[std::size_t(s)];
            at = current.From == at ? current.To : current.From;
            line.Points.push_back(Crossing(at));
            const auto& ends = Ends[std::size_t(at)];
            s = ends[0] == s ? ends[1] : ends[0];
        }
        line.Closed = at == start && line.Points.size() > 2;
        line.LabelIndex = MiddleIndex(line.Points);
        return line;
    }

    const TContourGrid& Grid;
    double Level = 0.0;
    std::vector<TSegment> Segments;
    std::vector<bool> Used;
    // The (at most two) segments that end at each edge, by segment index.
    std::vector<std::array<std::int64_t, 2>> Ends;
};

void AppendNumber(std::string& text, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

} // namespace

std::size_t MiddleIndex(const std::vector<TPlotPoint>& points) {
    std::vector<double> along(points.size(), 0.0);
    for (std::size_t p = 1; p < points.size(); ++p)
        along[p] =
            along[p - 1] + std::hypot(points[p].X - points[p - 1].X, points[p].Y - points[p - 1].Y);
    const double middle = along.empty() ? 0.0 : along.back() / 2.0;
    std::size_t best = 0;
    for (std::size_t p = 1; p < along.size(); ++p)
        if (std::fabs(along[p] - middle) < std::fabs(along[best] - middle))
            best = p;
    return best;
}

std::vector<TContourLine> TraceContours(const TContourGrid& grid,
                                        const std::vector<double>& levels) {
    std::vector<TContourLine> lines;
    if (grid.Nx < 2 || grid.Ny < 2 || grid.Z.size() < std::size_t(grid.Nx) * std::size_t(grid.Ny))
        return lines;
    TLevelTracer tracer(grid);
    for (const double level : levels)
        if (std::isfinite(level))
            tracer.Trace(level, lines);
    return lines;
}

std::string ContourText(const std::vector<TContourLine>& lines) {
    std::string text;
    for (const TContourLine& line : lines) {
        AppendNumber(text, line.Level);
        for (const TPlotPoint& point : line.Points) {
            text += ' ';
            AppendNumber(text, point.X);
            text += ' ';
            AppendNumber(text, point.Y);
        }
        text += '\n';
    }
    return text;
}

} // namespace orvanta
