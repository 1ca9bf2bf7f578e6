#include "plotwindows/PlotLook.h"

#include "dialogs/FontAndColor.h"
#include "plan/Settings.h"

#include <QApplication>
#include <qcustomplot.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace orvanta {

namespace {

// Viridis at nine evenly spaced points, from dark violet through teal to
// yellow: its lightness rises evenly, so equal steps of the response look
// like equal steps of colour.
constexpr std::array<std::array<int, 3>, 9> Viridis = {{{68, 1, 84},
                                                        {71, 44, 122},
                                                        {59, 81, 139},
                                                        {44, 113, 142},
                                                        {33, 144, 141},
                                                        {39, 173, 129},
                                                        {92, 200, 99},
                                                        {170, 220, 50},
                                                        {253, 231, 37}}};

} // namespace

TPlotLook PlotLookOf(const TSettings& settings) {
    const QPalette& palette = QApplication::palette();
    TPlotLook look;
    look.Background = ColorOf(settings.SColor, palette);
    look.Axis = ColorOf(settings.SAxisColor, palette);
    look.Grid = settings.CBGridVisible;
    look.GridPen =
        QPen(ColorOf(settings.SGridColor, palette), 1, GridPenStyle(settings.CBGridStyle));
    look.Series = ColorOf(settings.SSeriesColor, palette);
    return look;
}

void ApplyLook(QCPAxisRect& rect, const TPlotLook& look) {
    for (QCPAxis* axis : rect.axes()) {
        axis->setBasePen(QPen(look.Axis, 1));
        axis->setTickPen(QPen(look.Axis, 1));
        axis->setSubTickPen(QPen(look.Axis, 1));
        axis->setLabelColor(look.Axis);
        axis->setTickLabelColor(look.Axis);
        axis->grid()->setVisible(look.Grid);
        axis->grid()->setPen(look.GridPen);
    }
}

void ApplyLook(QCustomPlot& plot, const TPlotLook& look) {
    plot.setBackground(look.Background);
    for (QCPAxisRect* rect : plot.axisRects())
        ApplyLook(*rect, look);
}

QColor ScaleColour(double t) {
    t = std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0);
    const double at = t * (Viridis.size() - 1);
    const auto i = std::min(static_cast<std::size_t>(at), Viridis.size() - 2);
    const double f = at - static_cast<double>(i);
    int rgb[3];
    for (std::size_t c = 0; c < 3; ++c)
        rgb[c] =
            static_cast<int>(std::lround(Viridis[i][c] + f * (Viridis[i + 1][c] - Viridis[i][c])));
    return QColor(rgb[0], rgb[1], rgb[2]);
}

QCPColorGradient BandGradient(const std::vector<double>& levels, double low, double high) {
    QCPColorGradient gradient;
    gradient.setLevelCount(1000);
    gradient.setNanHandling(QCPColorGradient::nhTransparent);
    QMap<double, QColor> stops;
    std::vector<double> edges{low};
    for (const double level : levels)
        if (level > low && level < high)
            edges.push_back(level);
    edges.push_back(high);
    const double span = high > low ? high - low : 1.0;
    const std::size_t bands = edges.size() - 1;
    // Each band is one colour: two stops of it at the band's edges, a hair
    // inside, so that the gradient steps at the level.
    const double hair = 1e-6;
    for (std::size_t b = 0; b < bands; ++b) {
        const QColor colour = ScaleColour(bands > 1 ? double(b) / double(bands - 1) : 0.5);
        stops[std::clamp((edges[b] - low) / span + (b ? hair : 0.0), 0.0, 1.0)] = colour;
        stops[std::clamp((edges[b + 1] - low) / span - (b + 1 < bands ? hair : 0.0), 0.0, 1.0)] =
            colour;
    }
    gradient.setColorStops(stops);
    return gradient;
}

QColor CurveColour(int index) {
    static const QColor colours[] = {
        QColor(31, 119, 180),  QColor(214, 39, 40), QColor(44, 160, 44),   QColor(148, 103, 189),
        QColor(255, 127, 14),  QColor(140, 86, 75), QColor(227, 119, 194), QColor(23, 190, 207),
        QColor(127, 127, 127), QColor(188, 189, 34)};
    return colours[index % 10];
}

} // namespace orvanta
