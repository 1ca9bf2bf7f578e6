#pragma once

#include "diagrams/ChartExportLogic.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

class QCustomPlot;

namespace orvanta {

// The plot drawn anew at `size` (pixels; points for a PDF page) as the
// bytes of an SVG drawing, a PNG picture or a one-page PDF document. The
// plot is laid out at that size while it is drawn and comes back to its
// own size after.
QByteArray RenderPlot(QCustomPlot& plot, TChartFormat format, QSize size);
QImage RenderPlotImage(QCustomPlot& plot, QSize size);

// The plot keeps one unit of x as long as one unit of y on the screen (the
// mixture triangle), whatever its size: the y range is widened or narrowed
// about its middle before every drawing.
void KeepEqualScale(QCustomPlot& plot, bool on);

} // namespace orvanta
