#include "plotwindows/PlotDrawing.h"

#include "numeric/NumberText.h"
#include "plots/Ternary.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace orvanta {

namespace {

const QColor MarkedColour(200, 30, 30);
const QColor LineColour(40, 40, 40);

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Empties the plot and lays out a title row over `rows` x `columns` axis
// rectangles, which it returns row by row.
std::vector<QCPAxisRect*> Layout(QCustomPlot& plot, const QString& title, int rows, int columns) {
    plot.clearItems();
    plot.clearPlottables();
    plot.clearGraphs();
    plot.plotLayout()->clear();
    plot.plotLayout()->addElement(
        0, 0, new QCPTextElement(&plot, title, QFont(QString(), 11, QFont::Bold)));
    auto* grid = new QCPLayoutGrid;
    plot.plotLayout()->addElement(1, 0, grid);
    std::vector<QCPAxisRect*> rects;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            auto* rect = new QCPAxisRect(&plot);
            grid->addElement(r, c, rect);
            rects.push_back(rect);
        }
    return rects;
}

QCPAxis* Bottom(QCPAxisRect* rect) {
    return rect->axis(QCPAxis::atBottom);
}

QCPAxis* Left(QCPAxisRect* rect) {
    return rect->axis(QCPAxis::atLeft);
}

// Points without lines (or a polyline with `pen`), kept in the given order.
QCPCurve* Curve(QCPAxisRect* rect, const std::vector<TPlotPoint>& points, const QPen& pen,
                const QCPScatterStyle& scatter = QCPScatterStyle()) {
    auto* curve = new QCPCurve(Bottom(rect), Left(rect));
    QVector<double> t(static_cast<int>(points.size()));
    QVector<double> x(t.size());
    QVector<double> y(t.size());
    for (int i = 0; i < t.size(); ++i) {
        t[i] = i;
        x[i] = points[static_cast<std::size_t>(i)].X;
        y[i] = points[static_cast<std::size_t>(i)].Y;
    }
    curve->setData(t, x, y, true);
    curve->setPen(pen);
    curve->setScatterStyle(scatter);
    if (scatter.shape() != QCPScatterStyle::ssNone && pen.style() == Qt::NoPen)
        curve->setLineStyle(QCPCurve::lsNone);
    return curve;
}

QCPItemText* Label(QCustomPlot& plot, QCPAxisRect* rect, const TPlotPoint& at, const QString& text,
                   Qt::Alignment alignment, const QColor& colour = LineColour) {
    auto* label = new QCPItemText(&plot);
    label->setClipAxisRect(rect);
    label->setClipToAxisRect(true);
    label->position->setAxes(Bottom(rect), Left(rect));
    label->position->setCoords(at.X, at.Y);
    label->setPositionAlignment(alignment);
    label->setText(text);
    label->setColor(colour);
    label->setPadding(QMargins(3, 1, 3, 1));
    return label;
}

// A straight line through two points of the rectangle's axes.
QCPItemStraightLine* Line(QCustomPlot& plot, QCPAxisRect* rect, const TPlotPoint& a,
                          const TPlotPoint& b, const QPen& pen) {
    auto* line = new QCPItemStraightLine(&plot);
    line->setClipAxisRect(rect);
    for (QCPItemPosition* p : {line->point1, line->point2})
        p->setAxes(Bottom(rect), Left(rect));
    line->point1->setCoords(a.X, a.Y);
    line->point2->setCoords(b.X, b.Y);
    line->setPen(pen);
    return line;
}

void Titles(QCPAxisRect* rect, const QString& x, const QString& y) {
    Bottom(rect)->setLabel(x);
    Left(rect)->setLabel(y);
}

void Rescale(QCPAxisRect* rect) {
    for (QCPAxis* axis : {Bottom(rect), Left(rect)}) {
        axis->rescale(true);
        const QCPRange range = axis->range();
        const double margin = range.size() > 0 ? range.size() * 0.06 : 1.0;
        axis->setRange(range.lower - margin, range.upper + margin);
    }
}

void LevelLines(QCustomPlot& plot, QCPAxisRect* rect, const std::vector<TContourLine>& lines) {
    for (const TContourLine& line : lines) {
        if (line.Points.size() < 2)
            continue;
        Curve(rect, line.Points, QPen(LineColour, 1));
        const TPlotPoint& at = line.Points[std::min(line.LabelIndex, line.Points.size() - 1)];
        QCPItemText* label = Label(plot, rect, at, PlotNumber(line.Level), Qt::AlignCenter);
        label->setBrush(QColor(255, 255, 255, 200));
        label->setFont(QFont(QString(), 8));
    }
}

void RunMarks(QCustomPlot& plot, QCPAxisRect* rect, const TContourPicture& picture) {
    std::vector<TPlotPoint> points;
    for (const TRunMark& run : picture.Runs)
        points.push_back(run.At);
    Curve(rect, points, Qt::NoPen,
          QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black, 1.5), Qt::white, 7));
    for (const TRunMark& run : picture.Runs)
        Label(plot, rect, run.At, QString::number(run.Run), Qt::AlignLeft | Qt::AlignBottom)
            ->setPadding(QMargins(5, 0, 0, 4));
    if (picture.Stationary) {
        Curve(rect, {*picture.Stationary}, Qt::NoPen,
              QCPScatterStyle(QCPScatterStyle::ssStar, QPen(MarkedColour, 2), Qt::NoBrush, 14));
        // Written towards the middle of the picture, where there is room.
        const bool right = picture.Stationary->X > 0.5 * (picture.Grid.X0 + picture.Grid.X1);
        QCPItemText* label =
            Label(plot, rect, *picture.Stationary, QStringLiteral("стационарная точка"),
                  (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop, MarkedColour);
        label->setPadding(right ? QMargins(0, 6, 10, 0) : QMargins(10, 6, 0, 0));
    }
}

// The colour bands and their legend beside the rectangle.
void ColourBands(QCustomPlot& plot, QCPAxisRect* rect, const TContourPicture& picture) {
    const TContourGrid& grid = picture.Grid;
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (const double z : grid.Z)
        if (std::isfinite(z)) {
            low = std::min(low, z);
            high = std::max(high, z);
        }
    if (!(low < high))
        high = low + 1.0;
    auto* map = new QCPColorMap(Bottom(rect), Left(rect));
    map->data()->setSize(grid.Nx, grid.Ny);
    map->data()->setRange(QCPRange(grid.X0, grid.X1), QCPRange(grid.Y0, grid.Y1));
    for (std::int32_t j = 0; j < grid.Ny; ++j)
        for (std::int32_t i = 0; i < grid.Nx; ++i)
            map->data()->setCell(i, j, grid.At(i, j));
    const QCPColorGradient gradient = BandGradient(picture.Levels, low, high);
    map->setGradient(gradient);
    map->setDataRange(QCPRange(low, high));
    map->setInterpolate(true);
    auto* scale = new QCPColorScale(&plot);
    qobject_cast<QCPLayoutGrid*>(plot.plotLayout()->element(1, 0))->addElement(0, 1, scale);
    scale->setGradient(gradient);
    scale->setDataRange(QCPRange(low, high));
    scale->axis()->setLabel(Text(picture.ZTitle));
    QSharedPointer<QCPAxisTickerText> ticks(new QCPAxisTickerText);
    for (const double level : picture.Levels)
        ticks->addTick(level, PlotNumber(level));
    scale->axis()->setTicker(ticks);
    map->setColorScale(scale);
    auto* margins = new QCPMarginGroup(&plot);
    rect->setMarginGroup(QCP::msBottom | QCP::msTop, margins);
    scale->setMarginGroup(QCP::msBottom | QCP::msTop, margins);
}

// The triangle, its proportion lines at tenths of two, and the corners'
// names, over hidden axes.
void TriangleFrame(QCustomPlot& plot, QCPAxisRect* rect, const TContourPicture& picture) {
    for (QCPAxis* axis : rect->axes())
        axis->setVisible(false);
    const QPen thin(QColor(255, 255, 255, 150), 1, Qt::DotLine);
    for (int step = 1; step < 5; ++step) {
        const double c = 0.2 * step;
        Curve(rect, {TernaryPoint(c, 1 - c, 0), TernaryPoint(c, 0, 1 - c)}, thin);
        Curve(rect, {TernaryPoint(1 - c, c, 0), TernaryPoint(0, c, 1 - c)}, thin);
        Curve(rect, {TernaryPoint(1 - c, 0, c), TernaryPoint(0, 1 - c, c)}, thin);
    }
    Curve(rect,
          {TernaryPoint(1, 0, 0), TernaryPoint(0, 1, 0), TernaryPoint(0, 0, 1),
           TernaryPoint(1, 0, 0)},
          QPen(Qt::black, 1.5));
    const Qt::Alignment corners[3] = {Qt::AlignRight | Qt::AlignTop, Qt::AlignLeft | Qt::AlignTop,
                                      Qt::AlignHCenter | Qt::AlignBottom};
    for (int c = 0; c < 3; ++c) {
        double x[3] = {0, 0, 0};
        x[c] = 1;
        QCPItemText* name = Label(plot, rect, TernaryPoint(x[0], x[1], x[2]),
                                  Text(picture.Corners[std::size_t(c)]), corners[c]);
        name->setClipToAxisRect(false);
        name->setPadding(QMargins(8, 10, 8, 10));
        name->setFont(QFont(QString(), 10, QFont::Bold));
    }
    Bottom(rect)->setRange(-0.22, 1.22);
    Left(rect)->setRange(-0.12, 1.0);
}

} // namespace

QString PlotNumber(double value) {
    return QString::fromStdString(FormatGeneral(value, 6));
}

void DrawContour(QCustomPlot& plot, const TContourPicture& picture, const TPlotLook& look) {
    const QString title = (picture.Ternary ? QStringLiteral("Контурный график на симплексе: ")
                                           : QStringLiteral("Контурный график: ")) +
                          Text(picture.ZTitle);
    QCPAxisRect* rect = Layout(plot, title, 1, 1).front();
    ColourBands(plot, rect, picture);
    LevelLines(plot, rect, picture.Lines);
    if (picture.Ternary) {
        TriangleFrame(plot, rect, picture);
    } else {
        Titles(rect, Text(picture.XTitle), Text(picture.YTitle));
        // A little room around the bands, so that runs on their edge show
        // whole with their numbers.
        const double dx = 0.04 * (picture.Grid.X1 - picture.Grid.X0);
        const double dy = 0.04 * (picture.Grid.Y1 - picture.Grid.Y0);
        Bottom(rect)->setRange(picture.Grid.X0 - dx, picture.Grid.X1 + dx);
        Left(rect)->setRange(picture.Grid.Y0 - dy, picture.Grid.Y1 + dy);
    }
    RunMarks(plot, rect, picture);
    ApplyLook(plot, look);
    if (picture.Ternary)
        for (QCPAxis* axis : rect->axes())
            axis->grid()->setVisible(false);
}

TResidualSets DrawResiduals(QCustomPlot& plot, const TResidualPanels& panels,
                            const TPlotLook& look) {
    const std::vector<QCPAxisRect*> rects =
        Layout(plot, QStringLiteral("Диагностика остатков"), 2, 2);
    const std::vector<TResidualPoint>* sets[4] = {&panels.Normal, &panels.VsPredicted,
                                                  &panels.VsOrder, &panels.VsActual};
    const QString titles[4][2] = {{QStringLiteral("Квантиль нормального распределения"),
                                   QStringLiteral("Внешне стьюдентизированный остаток")},
                                  {QStringLiteral("Предсказание"), QStringLiteral("Остаток")},
                                  {QStringLiteral("Порядок наблюдения"), QStringLiteral("Остаток")},
                                  {QStringLiteral("Наблюдение"), QStringLiteral("Предсказание")}};
    TResidualSets curves{};
    const QPen reference(QColor(31, 119, 180), 1.2, Qt::DashLine);
    for (int p = 0; p < 4; ++p) {
        QCPAxisRect* rect = rects[std::size_t(p)];
        Titles(rect, titles[p][0], titles[p][1]);
        std::vector<TPlotPoint> points;
        for (const TResidualPoint& r : *sets[p])
            points.push_back({r.X, r.Y});
        curves[std::size_t(p)] = Curve(
            rect, points, Qt::NoPen,
            QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(look.Series, 1.2), Qt::NoBrush, 6));
        for (const TResidualPoint& r : *sets[p])
            if (r.Marked) {
                Curve(rect, {{r.X, r.Y}}, Qt::NoPen,
                      QCPScatterStyle(QCPScatterStyle::ssDisc, MarkedColour, 8));
                Label(plot, rect, {r.X, r.Y}, QString::number(r.Run),
                      Qt::AlignLeft | Qt::AlignBottom, MarkedColour)
                    ->setPadding(QMargins(6, 0, 0, 4));
            }
        Rescale(rect);
    }
    Line(plot, rects[0], panels.NormalLine[0], panels.NormalLine[1], reference);
    Line(plot, rects[1], {0, 0}, {1, 0}, reference);
    Line(plot, rects[2], {0, 0}, {1, 0}, reference);
    Line(plot, rects[3], {0, 0}, {1, 1}, reference);
    ApplyLook(plot, look);
    return curves;
}

namespace {

void ParetoPanel(QCustomPlot& plot, QCPAxisRect* bars, const TParetoChart& pareto) {
    Titles(bars, QStringLiteral("Слагаемое"), QStringLiteral("|t|"));
    auto* significant = new QCPBars(Bottom(bars), Left(bars));
    auto* other = new QCPBars(Bottom(bars), Left(bars));
    significant->setBrush(QColor(31, 119, 180));
    other->setBrush(QColor(190, 190, 190));
    QSharedPointer<QCPAxisTickerText> names(new QCPAxisTickerText);
    double largest = pareto.Critical;
    for (std::size_t i = 0; i < pareto.Bars.size(); ++i) {
        const TParetoBar& bar = pareto.Bars[i];
        (bar.Significant ? significant : other)->addData(double(i + 1), bar.AbsT);
        names->addTick(double(i + 1), Text(bar.Name));
        largest = std::max(largest, bar.AbsT);
    }
    Bottom(bars)->setTicker(names);
    Bottom(bars)->setTickLabelRotation(pareto.Bars.size() > 8 ? 60 : 0);
    Bottom(bars)->setRange(0.3, double(pareto.Bars.size()) + 0.7);
    Left(bars)->setRange(0, largest * 1.12);
    Line(plot, bars, {0, pareto.Critical}, {1, pareto.Critical},
         QPen(MarkedColour, 1.5, Qt::DashLine));
    Label(plot, bars, {double(pareto.Bars.size()) + 0.6, pareto.Critical},
          QStringLiteral("t = %1 (α = %2)")
              .arg(PlotNumber(pareto.Critical), PlotNumber(pareto.Alpha)),
          Qt::AlignRight | Qt::AlignBottom, MarkedColour)
        ->setBrush(QColor(255, 255, 255, 210));
}

void HalfNormalPanel(QCustomPlot& plot, QCPAxisRect* half, const THalfNormalPlot& halfNormal,
                     const TPlotLook& look) {
    Titles(half, QStringLiteral("|эффект|"),
           QStringLiteral("Квантиль полунормального распределения"));
    std::vector<TPlotPoint> points;
    for (const THalfNormalPoint& p : halfNormal.Points)
        points.push_back({p.AbsEffect, p.Quantile});
    Curve(half, points, Qt::NoPen,
          QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(look.Series, 1.2), Qt::NoBrush, 6));
    for (const THalfNormalPoint& p : halfNormal.Points)
        if (p.Active)
            Label(plot, half, {p.AbsEffect, p.Quantile}, Text(p.Name),
                  Qt::AlignRight | Qt::AlignBottom, MarkedColour);
    Rescale(half);
    const QCPRange span = Left(half)->range();
    // The two names one above the other: the margins lie close together.
    for (const auto& [value, name, at] :
         {std::tuple{halfNormal.Me, QStringLiteral("ME"), span.upper},
          std::tuple{halfNormal.Sme, QStringLiteral("SME"), span.upper - 0.07 * span.size()}}) {
        Line(plot, half, {value, 0}, {value, 1}, QPen(MarkedColour, 1.2, Qt::DashLine));
        Label(plot, half, {value, at}, name, Qt::AlignLeft | Qt::AlignTop, MarkedColour);
    }
    Bottom(half)->setRange(0, std::max(Bottom(half)->range().upper, halfNormal.Sme * 1.1));
}

} // namespace

void DrawEffects(QCustomPlot& plot, const TParetoChart* pareto, const THalfNormalPlot* halfNormal,
                 const TPlotLook& look) {
    const std::vector<QCPAxisRect*> rects =
        Layout(plot, QStringLiteral("Эффекты"), 1, (pareto ? 1 : 0) + (halfNormal ? 1 : 0));
    if (pareto)
        ParetoPanel(plot, rects.front(), *pareto);
    if (halfNormal)
        HalfNormalPanel(plot, rects.back(), *halfNormal, look);
    ApplyLook(plot, look);
}

void DrawCurves(QCustomPlot& plot, const TCurvesPicture& picture, const TPlotLook& look) {
    QCPAxisRect* rect = Layout(plot, Text(picture.Title), 1, 1).front();
    Titles(rect, Text(picture.XTitle), Text(picture.YTitle));
    const bool lone = picture.Curves.size() == 1;
    for (std::size_t i = 0; i < picture.Curves.size(); ++i) {
        const TCurve& curve = picture.Curves[i];
        const QColor colour = lone ? look.Series : CurveColour(int(i));
        Curve(rect, curve.Points, QPen(colour, 2));
        if (!curve.Points.empty())
            Label(plot, rect, curve.Points.back(), Text(curve.Name),
                  Qt::AlignLeft | Qt::AlignVCenter, colour);
    }
    Rescale(rect);
    if (picture.XRange) {
        Bottom(rect)->setRange(picture.XRange->first, picture.XRange->second);
    } else {
        // Room on the right for the labels at the curves' ends.
        const QCPRange x = Bottom(rect)->range();
        Bottom(rect)->setRange(x.lower, x.upper + 0.3 * x.size());
    }
    ApplyLook(plot, look);
}

} // namespace orvanta
