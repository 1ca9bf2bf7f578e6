#pragma once

#include "plots/Contour.h"
#include "stats/ModelStatistics.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

class TRaruRuro;

// ---- Contour picture of the fitted equation over two factors ----

// Which slice of the response: factors by index from 0, their ranges and the
// levels of every factor in coded units (the two drawn are ignored there).
struct TContourRequest {
    std::int32_t FactorX = 0;
    std::int32_t FactorY = 1;
    double FromX = -1.0;
    double ToX = 1.0;
    double FromY = -1.0;
    double ToY = 1.0;
    std::vector<double> Fixed;
    // Axes in natural units; without base levels and intervals the plan has
    // only coded ones, and they are used whatever this says.
    bool Natural = true;
    std::int32_t Points = 200; // grid nodes per axis
};

struct TRunMark {
    std::int32_t Run = 0; // from 1
    TPlotPoint At;
};

// Everything the contour window and the batch tool draw, in the units of
// the axes (natural or coded; proportions drawn on the triangle for a
// mixture).
struct TContourPicture {
    TContourGrid Grid;
    std::vector<double> Levels; // round values inside the grid's range
    std::vector<TContourLine> Lines;
    // The design points projected onto the picture's plane, those inside
    // the range (all of them on the triangle).
    std::vector<TRunMark> Runs;
    // The stationary point of a second-order equation when its two drawn
    // coordinates lie inside the range.
    std::optional<TPlotPoint> Stationary;
    bool Natural = false;
    bool Ternary = false;
    std::string XTitle;                 // factor name (the triangle: component 1)
    std::string YTitle;                 // (the triangle: component 2)
    std::string ZTitle;                 // the response's name
    std::array<std::string, 3> Corners; // the triangle's component names
};

// Whether the plan draws on the triangle: three factors, every run's coded
// values non-negative and summing to 1, and a model without a constant
// term (Scheffé's polynomials).
bool IsMixturePlan(const TRaruRuro& plan);
// Whether the plan has base levels and intervals to show natural units.
bool HasNaturalAxes(const TRaruRuro& plan);

TContourPicture ContourPicture(const TRaruRuro& plan, const TContourRequest& request);
TContourPicture TernaryPicture(const TRaruRuro& plan, std::int32_t points = 200);

// ---- Residual diagnostics: four panels ----

struct TResidualPoint {
    std::int32_t Run = 0;    // from 1
    std::int32_t Repeat = 0; // from 1
    double X = 0.0;
    double Y = 0.0;
    // Beyond the statistics window's thresholds (|externally studentized
    // residual| > 3 or Cook's distance > 4/n): drawn marked, with the run.
    bool Marked = false;
};

struct TResidualPanels {
    // Normal probability plot: X the normal quantile at Blom's position
    // (i - 3/8)/(n + 1/4) of the i-th smallest externally studentized
    // residual, Y that residual; sorted by Y.
    std::vector<TResidualPoint> Normal;
    // The reference line through the quartiles (R's qqline: the sample's
    // quartiles of type 7 against the normal's), given by two points at the
    // ends of the X range.
    std::array<TPlotPoint, 2> NormalLine;
    std::vector<TResidualPoint> VsPredicted; // X predicted, Y residual
    std::vector<TResidualPoint>
        VsOrder; // X order of the observation from 1 (run, then repeat), Y residual
    std::vector<TResidualPoint> VsActual; // X actual, Y predicted (the line y = x drawn over it)
};

TResidualPanels ResidualPanels(const TModelStatistics& statistics);

// ---- Effects ----

struct TParetoBar {
    std::string Name;
    double AbsT = 0.0;
    bool Significant = false; // |t| above the critical value
};

// |t| of every term but the constant, largest first, with the two-sided
// critical t at the statistics' alpha on the error term's degrees of
// freedom (as the statistics window uses them).
struct TParetoChart {
    std::vector<TParetoBar> Bars;
    double Critical = 0.0;
    std::int32_t Df = 0;
    double Alpha = 0.05;
};

TParetoChart ParetoChart(const TModelStatistics& statistics);

struct THalfNormalPoint {
    std::string Name;
    double AbsEffect = 0.0;
    double Quantile = 0.0; // half-normal quantile at (i - 3/8)/(n + 1/4)
    bool Active = false;   // beyond Lenth's ME
};

// For an unreplicated two-level plan: |effects| in ascending order against
// half-normal quantiles, Phi^-1(0.5 + 0.5 (i - 3/8)/(n + 1/4)), with
// Lenth's margins; none when the statistics have no Lenth analysis.
struct THalfNormalPlot {
    std::vector<THalfNormalPoint> Points;
    double Me = 0.0;
    double Sme = 0.0;
};

std::optional<THalfNormalPlot> HalfNormalPlot(const TModelStatistics& statistics);

// ---- Interaction and trace ----

struct TCurve {
    std::string Name; // the label written beside the line
    std::vector<TPlotPoint> Points;
};

// The fitted response along factor `along` over its coded range -1 .. 1 (X
// in natural units when `natural` and the plan has them) at the low (-1)
// and high (+1) coded level of factor `other`, every other factor at its
// coded level in `reference`. Two curves named "<other's name> = <level>",
// the level in the units of the axis.
std::vector<TCurve> InteractionCurves(const TRaruRuro& plan, std::int32_t along, std::int32_t other,
                                      const std::vector<double>& reference, bool natural,
                                      std::int32_t points = 41);

// Perturbation: for each factor, the fitted response as that factor moves
// from -1 to 1 coded (the common X axis: the deviation from the reference
// point in coded units) with the others at the reference point; one curve
// per factor, named by the factor.
std::vector<TCurve> TraceCurves(const TRaruRuro& plan, const std::vector<double>& reference,
                                std::int32_t points = 41);

} // namespace orvanta
