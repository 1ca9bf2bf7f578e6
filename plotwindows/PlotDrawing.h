#pragma once

#include "plots/Pictures.h"
#include "plots/PlotData.h"
#include "plotwindows/PlotLook.h"

#include <QString>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QCPCurve;
class QCustomPlot;

namespace orvanta {

// The scatter sets of the residual panels, in panel order (normal plot,
// against predicted, against order, predicted against actual): a click on
// the set's point i is a click on the panel's point i.
using TResidualSets = std::array<QCPCurve*, 4>;

// Each fills the plot anew: layout, axes, plottables, items and the look.
void DrawContour(QCustomPlot& plot, const TContourPicture& picture, const TPlotLook& look);
TResidualSets DrawResiduals(QCustomPlot& plot, const TResidualPanels& panels,
                            const TPlotLook& look);
// The Pareto chart, the half-normal plot or both side by side.
void DrawEffects(QCustomPlot& plot, const TParetoChart* pareto, const THalfNormalPlot* halfNormal,
                 const TPlotLook& look);
void DrawCurves(QCustomPlot& plot, const TCurvesPicture& picture, const TPlotLook& look);

// A figure in the pictures: six significant digits, the person's decimal
// separator.
QString PlotNumber(double value);

} // namespace orvanta
