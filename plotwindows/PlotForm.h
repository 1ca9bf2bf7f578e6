#pragma once

#include "diagrams/ChartExportLogic.h"
#include "plotwindows/PlotLook.h"

#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

class QAction;
class QCPCurve;
class QMouseEvent;
class QCustomPlot;
class QLabel;
class QMenu;

namespace orvanta {

// A window of one of the pictures of the fitted model (contour, residual
// diagnostics, effects, interaction, trace), with the diagram window's
// conventions: its menu "Правка" joins the main window's menu bar while it
// is active; the picture copies as a raster or as SVG and exports to SVG,
// PNG at a chosen size or PDF, all written safely; zoom and pan with the
// mouse; "Масштаб 1:1" draws it afresh.
class TPlotForm : public QWidget {
    Q_OBJECT
public:
    explicit TPlotForm(QWidget* parent = nullptr);

    // Draws the picture (with the look) now and whenever it must be drawn
    // afresh: the look changed, "Масштаб 1:1", the units switched.
    void SetDrawing(std::function<void(QCustomPlot&, const TPlotLook&)> draw);
    void Redraw();
    void ApplyLook(const TPlotLook& look);
    // Offers "Натуральные единицы" (checked when `natural`); switching calls
    // `switched` with the new choice, which draws anew.
    void OfferUnits(bool natural, std::function<void(bool natural)> switched);
    bool NaturalUnits() const;

    // The text under the picture for the mouse at (x, y) of the first axis
    // rectangle; without it there is no read-out line.
    std::function<QString(double x, double y)> ReadOut;
    // A click on point `index` of a scatter set registered with its number.
    void RegisterPoints(QCPCurve* points, int set);
    std::function<void(int set, int index)> OnPointClick;

    // Written safely; false (with the message shown) when it could not be.
    bool ExportPicture(const std::string& path, TChartFormat format, QSize size);
    const std::string& ExportFileName() const { return LastExportFile; }

    // "Формат ...": the options page "График".
    std::function<void()> OnFormat;
    // The export dialog: path and filter index, or nullopt when cancelled.
    std::function<std::optional<std::pair<std::string, int>>()> AskExportFile;
    // The raster's size for a PNG, or nullopt when cancelled.
    std::function<std::optional<QSize>()> AskRasterSize;

    QCustomPlot* Plot = nullptr;
    QLabel* ReadOutLine = nullptr;
    QMenu* EditMenu = nullptr;
    QAction* UnitsItem = nullptr;

    void Zoom11ItemClick();
    void BitmapItemClick();
    void SvgItemClick();
    void ExportItemClick();

private:
    void CreateMenus();
    void MouseMoved(QMouseEvent* event);
    void MousePressed(QMouseEvent* event);
    std::optional<std::pair<std::string, int>> RunExportDialog();

    std::function<void(QCustomPlot&, const TPlotLook&)> Draw;
    std::function<void(bool)> UnitsSwitched;
    TPlotLook Look;
    std::map<QCPCurve*, int> PointSets;
    std::string LastExportFile;
};

} // namespace orvanta
