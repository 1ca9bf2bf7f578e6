#pragma once

#include <QColor>
#include <QPen>

class QCPAxisRect;
class QCPColorGradient;
class QCustomPlot;

namespace orvanta {

struct TSettings;

// How the pictures look, from the options page "График": the background
// around the axes, the axes' colour, the grid, and the colour of a lone
// curve.
struct TPlotLook {
    QColor Background = Qt::white;
    QColor Axis = Qt::black;
    bool Grid = true;
    QPen GridPen{QColor(128, 128, 128), 1, Qt::DotLine};
    QColor Series = Qt::black;
};

TPlotLook PlotLookOf(const TSettings& settings);

// The look on every axis rectangle of the plot.
void ApplyLook(QCustomPlot& plot, const TPlotLook& look);
void ApplyLook(QCPAxisRect& rect, const TPlotLook& look);

// A colour of the perceptually uniform scale (viridis) at t in [0, 1].
QColor ScaleColour(double t);
// A colour per band between the level values over [low, high]: one colour
// across each band, the bands following the scale from low to high.
QCPColorGradient BandGradient(const std::vector<double>& levels, double low, double high);

// Distinct colours for labelled curves (interaction, trace), by index.
QColor CurveColour(int index);

} // namespace orvanta
