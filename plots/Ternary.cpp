#include "plots/Ternary.h"

#include "plots/ContourLabel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvanta {

namespace {

const double Height = std::sqrt(3.0) / 2.0;

// Grid nodes on a side come out a rounding error off it.
constexpr double SideTolerance = 1e-9;

double NaN() {
    return std::numeric_limits<double>::quiet_NaN();
}

// f at the proportions of a point inside the triangle (up to the
// tolerance), NaN elsewhere.
double InsideValue(const std::function<double(double, double, double)>& f, double x, double y) {
    std::array<double, 3> c = TernaryComponents({x, y});
    for (double& v : c) {
        if (v < -SideTolerance)
            return NaN();
        v = std::max(v, 0.0);
    }
    return f(c[0], c[1], c[2]);
}

TPlotPoint Between(const TPlotPoint& p, const TPlotPoint& q, double t) {
    return {p.X + t * (q.X - p.X), p.Y + t * (q.Y - p.Y)};
}

// The point moved onto the side where component `side` is zero.
TPlotPoint OnSide(const TPlotPoint& point, std::size_t side) {
    std::array<double, 3> c = TernaryComponents(point);
    c[side] = 0.0;
    for (double& v : c)
        v = std::max(v, 0.0);
    return TernaryPoint(c[0], c[1], c[2]);
}

// The parameters [From, To] of segment p -> q inside the triangle, and the
// sides it crosses there (-1: none, the end is the segment's own).
struct TClip {
    double From = 0.0;
    double To = 1.0;
    int EnterSide = -1;
    int LeaveSide = -1;
    bool Empty = false;
};

TClip ClipSegment(const TPlotPoint& p, const TPlotPoint& q) {
    const std::array<double, 3> a = TernaryComponents(p), b = TernaryComponents(q);
    TClip clip;
    for (int side = 0; side < 3; ++side) {
        const double va = a[std::size_t(side)], vb = b[std::size_t(side)];
        if (va < 0.0 && vb < 0.0) {
            clip.Empty = true;
        } else if (va < 0.0) {
            if (const double t = va / (va - vb); t > clip.From)
                clip.From = t, clip.EnterSide = side;
        } else if (vb < 0.0) {
            if (const double t = va / (va - vb); t < clip.To)
                clip.To = t, clip.LeaveSide = side;
        }
    }
    clip.Empty = clip.Empty || clip.From > clip.To;
    return clip;
}

struct TPiece {
    std::vector<TPlotPoint> Points;
    bool FromSide = false; // starts where the line enters the triangle
    bool ToSide = false;   // ends where it leaves
};

// The parts of a polyline inside the triangle, in order.
std::vector<TPiece> ClipPolyline(const std::vector<TPlotPoint>& points) {
    std::vector<TPiece> pieces;
    TPiece current;
    const auto finish = [&] {
        if (!current.Points.empty())
            pieces.push_back(std::move(current));
        current = {};
    };
    for (std::size_t s = 0; s + 1 < points.size(); ++s) {
        const TPlotPoint &p = points[s], &q = points[s + 1];
        const TClip clip = ClipSegment(p, q);
        if (clip.Empty) {
            finish();
            continue;
        }
        if (clip.EnterSide >= 0) {
            finish();
            current.FromSide = true;
            current.Points.push_back(OnSide(Between(p, q, clip.From), std::size_t(clip.EnterSide)));
        } else if (current.Points.empty()) {
            current.Points.push_back(p);
        }
        if (clip.LeaveSide < 0) {
            current.Points.push_back(q);
            continue;
        }
        current.Points.push_back(OnSide(Between(p, q, clip.To), std::size_t(clip.LeaveSide)));
        current.ToSide = true;
        finish();
    }
    finish();
    return pieces;
}

bool HasLength(const std::vector<TPlotPoint>& points) {
    return std::any_of(points.begin(), points.end(),
                       [&](const TPlotPoint& p) { return !(p == points.front()); });
}

void AppendClipped(const TContourLine& line, std::vector<TContourLine>& out) {
    std::vector<TPiece> pieces = ClipPolyline(line.Points);
    if (pieces.size() == 1 && !pieces[0].FromSide && !pieces[0].ToSide) {
        out.push_back(line);
        return;
    }
    // A ring cut by the sides: its first and last pieces meet at its start.
    if (line.Closed && pieces.size() > 1 && !pieces.front().FromSide && !pieces.back().ToSide) {
        std::vector<TPlotPoint>& last = pieces.back().Points;
        last.insert(last.end(), pieces.front().Points.begin() + 1, pieces.front().Points.end());
        pieces.back().ToSide = pieces.front().ToSide;
        pieces.erase(pieces.begin());
    }
    for (TPiece& piece : pieces) {
        if (piece.Points.size() < 2 || !HasLength(piece.Points))
            continue;
        TContourLine part;
        part.Level = line.Level;
        part.Points = std::move(piece.Points);
        part.LabelIndex = MiddleIndex(part.Points);
        out.push_back(std::move(part));
    }
}

} // namespace

TPlotPoint TernaryPoint(double x1, double x2, double x3) {
    const double sum = x1 + x2 + x3;
    const double b = x2 / sum, c = x3 / sum;
    return {b + c / 2.0, c * Height};
}

std::array<double, 3> TernaryComponents(const TPlotPoint& point) {
    const double c = point.Y / Height;
    const double b = point.X - c / 2.0;
    return {1.0 - b - c, b, c};
}

TContourGrid TernaryGrid(const std::function<double(double, double, double)>& f, std::int32_t n) {
    return EvaluateGrid([&f](double x, double y) { return InsideValue(f, x, y); }, 0.0, 1.0, 0.0,
                        Height, n, n);
}

std::vector<TContourLine> TernaryContours(const std::function<double(double, double, double)>& f,
                                          std::int32_t n, const std::vector<double>& levels) {
    const auto everywhere = [&f](double x, double y) {
        const std::array<double, 3> c = TernaryComponents({x, y});
        const double value = f(c[0], c[1], c[2]);
        return std::isfinite(value) ? value : NaN();
    };
    const TContourGrid box = EvaluateGrid(everywhere, 0.0, 1.0, 0.0, Height, n, n);
    std::vector<TContourLine> lines;
    for (const TContourLine& line : TraceContours(box, levels))
        AppendClipped(line, lines);
    return lines;
}

} // namespace orvanta
