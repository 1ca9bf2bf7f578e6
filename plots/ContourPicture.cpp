// The contour part of the plot data: the fitted equation over two factors,
// or over the mixture triangle, with the design's runs on it.

#include "plots/PlotData.h"
#include "plots/Ternary.h"

#include "plan/RaruRuro.h"
#include "stats/ResponseSurface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvanta {

namespace {

constexpr double MixtureTolerance = 1e-9;
constexpr std::int32_t LevelCount = 10;

std::string FactorTitle(const TRaruRuro& plan, std::int32_t factor) {
    if (factor >= 0 && std::size_t(factor) < plan.FactorNames.size())
        return plan.FactorNames[std::size_t(factor)];
    return "Фактор № " + std::to_string(factor + 1);
}

// Whether a term is 1 at every run: read from the basis matrix when the
// analysis made it, from the model's terms otherwise. Built-in plans always
// have the constant term.
bool HasConstantTerm(const TRaruRuro& plan) {
    const TNamedMatrix& code = plan.CodeMatrix;
    const std::int32_t runs = code.RowCount();
    const auto allOnes = [runs](const auto& value) {
        for (std::int32_t r = 0; r < runs; ++r)
            if (std::fabs(value(r) - 1.0) > MixtureTolerance)
                return false;
        return true;
    };
    const TNamedMatrix& basis = plan.BasisMatrix;
    if (plan.HasBasisMatrix && basis.RowCount() == runs) {
        for (std::int32_t j = 0; j < basis.ColCount(); ++j)
            if (allOnes([&](std::int32_t r) { return basis.Get(r, j); }))
                return true;
        return false;
    }
    if (plan.PlanKind != PlanGeneral)
        return true;
    std::vector<const TAdden*> terms = plan.Addens;
    if (plan.Model) {
        terms.clear();
        for (std::int32_t j = 0; j < plan.Model->AddenCount(); ++j)
            terms.push_back(plan.Model->GetAdden(j));
    }
    return terms.empty() || std::any_of(terms.begin(), terms.end(), [&](const TAdden* term) {
               return !term || allOnes([&](std::int32_t r) { return term->Evaluate(code.Row(r)); });
           });
}

// Coded <-> axis units of one factor.
struct TAxis {
    double Base = 0.0;
    double Interval = 1.0;

    double ToAxis(double coded) const { return Base + Interval * coded; }
    double ToCoded(double value) const { return (value - Base) / Interval; }
};

TAxis AxisOf(const TRaruRuro& plan, std::int32_t factor, bool natural) {
    if (!natural)
        return {};
    return {plan.BaseLevels.Get(factor), plan.Intervals.Get(factor)};
}

bool Within(double value, double from, double to) {
    const double low = std::min(from, to), high = std::max(from, to);
    const double slack = 1e-9 * std::max(high - low, std::fabs(high) + std::fabs(low));
    return value >= low - slack && value <= high + slack;
}

std::vector<double> GridLevels(const TContourGrid& grid) {
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (const double z : grid.Z)
        if (std::isfinite(z))
            low = std::min(low, z), high = std::max(high, z);
    return RoundLevels(low, high, LevelCount);
}

std::optional<TPlotPoint> StationaryPoint(const TRaruRuro& plan, std::int32_t fx, std::int32_t fy,
                                          const TAxis& ax, const TAxis& ay,
                                          const TContourGrid& grid) {
    TModelStatistics statistics;
    AnalyseResponseSurface(plan, statistics);
    if (!statistics.Canonical)
        return std::nullopt;
    const std::vector<double>& coded = statistics.Canonical->StationaryCoded;
    if (coded.size() != std::size_t(plan.FactorCount))
        return std::nullopt;
    const TPlotPoint point{ax.ToAxis(coded[std::size_t(fx)]), ay.ToAxis(coded[std::size_t(fy)])};
    if (!Within(point.X, grid.X0, grid.X1) || !Within(point.Y, grid.Y0, grid.Y1))
        return std::nullopt;
    return point;
}

} // namespace

bool IsMixturePlan(const TRaruRuro& plan) {
    const TNamedMatrix& code = plan.CodeMatrix;
    if (plan.FactorCount != 3 || !plan.HasCodeMatrix || code.RowCount() < 1 || code.ColCount() != 3)
        return false;
    for (std::int32_t r = 0; r < code.RowCount(); ++r) {
        const double* x = code.Row(r);
        if (std::min({x[0], x[1], x[2]}) < -MixtureTolerance ||
            std::fabs(x[0] + x[1] + x[2] - 1.0) > MixtureTolerance)
            return false;
    }
    return !HasConstantTerm(plan);
}

bool HasNaturalAxes(const TRaruRuro& plan) {
    if (!plan.HasBaseLevels || !plan.HasIntervals || plan.FactorCount < 1 ||
        plan.BaseLevels.Size() < plan.FactorCount || plan.Intervals.Size() < plan.FactorCount)
        return false;
    for (std::int32_t j = 0; j < plan.FactorCount; ++j)
        if (plan.Intervals.Get(j) == 0.0)
            return false;
    return true;
}

TContourPicture ContourPicture(const TRaruRuro& plan, const TContourRequest& request) {
    TContourPicture picture;
    const std::int32_t k = plan.FactorCount;
    const std::int32_t fx = request.FactorX, fy = request.FactorY;
    if (k < 1 || fx < 0 || fy < 0 || fx >= k || fy >= k)
        return picture;
    picture.Natural = request.Natural && HasNaturalAxes(plan);
    const TAxis ax = AxisOf(plan, fx, picture.Natural), ay = AxisOf(plan, fy, picture.Natural);
    std::vector<double> fixed = request.Fixed;
    fixed.resize(std::size_t(k), 0.0);
    std::vector<double> point = fixed;
    const auto f = [&](double x, double y) {
        point[std::size_t(fx)] = ax.ToCoded(x);
        point[std::size_t(fy)] = ay.ToCoded(y);
        return plan.Predict(point.data());
    };
    picture.Grid =
        EvaluateGrid(f, ax.ToAxis(request.FromX), ax.ToAxis(request.ToX), ay.ToAxis(request.FromY),
                     ay.ToAxis(request.ToY), request.Points, request.Points);
    picture.Levels = GridLevels(picture.Grid);
    picture.Lines = TraceContours(picture.Grid, picture.Levels);
    const TNamedMatrix& code = plan.CodeMatrix;
    for (std::int32_t r = 0; plan.HasCodeMatrix && r < code.RowCount(); ++r) {
        const TPlotPoint at{ax.ToAxis(code.Get(r, fx)), ay.ToAxis(code.Get(r, fy))};
        if (Within(at.X, picture.Grid.X0, picture.Grid.X1) &&
            Within(at.Y, picture.Grid.Y0, picture.Grid.Y1))
            picture.Runs.push_back({r + 1, at});
    }
    if (plan.HasBVector && plan.HasCodeMatrix && code.RowCount() > 0)
        picture.Stationary = StationaryPoint(plan, fx, fy, ax, ay, picture.Grid);
    picture.XTitle = FactorTitle(plan, fx);
    picture.YTitle = FactorTitle(plan, fy);
    picture.ZTitle = plan.ResponseName;
    return picture;
}

TContourPicture TernaryPicture(const TRaruRuro& plan, std::int32_t points) {
    TContourPicture picture;
    picture.Ternary = true;
    if (plan.FactorCount != 3)
        return picture;
    const auto f = [&plan](double x1, double x2, double x3) {
        const double x[3] = {x1, x2, x3};
        return plan.Predict(x);
    };
    picture.Grid = TernaryGrid(f, points);
    picture.Levels = GridLevels(picture.Grid);
    picture.Lines = TernaryContours(f, points, picture.Levels);
    const TNamedMatrix& code = plan.CodeMatrix;
    for (std::int32_t r = 0; plan.HasCodeMatrix && r < code.RowCount(); ++r) {
        const double* x = code.Row(r);
        picture.Runs.push_back({r + 1, TernaryPoint(x[0], x[1], x[2])});
    }
    for (std::int32_t c = 0; c < 3; ++c)
        picture.Corners[std::size_t(c)] = FactorTitle(plan, c);
    picture.XTitle = picture.Corners[0];
    picture.YTitle = picture.Corners[1];
    picture.ZTitle = plan.ResponseName;
    return picture;
}

} // namespace orvanta
