#pragma once

#include "diagrams/ChartExportLogic.h"

#include <QChart>
#include <QPointF>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QChartView;
class QLineSeries;
class QMenu;
class QScatterSeries;
class QValueAxis;

class QGraphicsSimpleTextItem;

namespace orvanta {

struct TSettings;

// The diagram window: the fitted response along one factor as a line, the
// experimental points over it. The person zooms with the mouse, copies the
// chart to the clipboard, exports it as a picture and sets the label steps.
// Its menu "Правка" joins the main window's menu bar while it is active.
class TGraphForm : public QWidget {
    Q_OBJECT
public:
    explicit TGraphForm(QWidget* parent = nullptr);

    // Empties both series; the curve in list order goes to "Series", the
    // points (sorted by the caller) to "Points"; the axis titles; both axes
    // span the data. Points that are not finite cannot be drawn and are
    // left out.
    void SetData(const std::vector<QPointF>& curve, const std::vector<QPointF>& points,
                 const QString& xTitle, const QString& yTitle);
    // The look of the options page "График": title, background, axis colour,
    // grid on/off, colour and style, line colour.
    void ApplyOptions(const TSettings& settings);

    // The label steps the person asked for (0: the axis chooses).
    double XIncrement() const { return XStep; }
    // The label texts along the bottom (horizontal) or left axis, in order.
    QStringList LabelTexts(Qt::Orientation orientation) const;
    double YIncrement() const { return YStep; }
    // The chart in the copy background as a file, written safely; false
    // (with the message shown) when it could not be written.
    bool ExportChart(const std::string& path, TChartFormat format);
    // The name the last export went to; the export dialog starts there.
    const std::string& ExportFileName() const { return LastExportFile; }

    // "Формат ...": opens the options dialog on the page "График".
    std::function<void()> OnFormat;
    // The number-input dialog (caption, current value): the new value, or
    // nullopt when cancelled. By default the program's real-number dialog.
    std::function<std::optional<double>(const std::string& caption, const std::string& initial)>
        AskNumber;
    // The save dialog "Экспорт графика": the chosen path and the index of
    // the chosen filter, or nullopt when cancelled. Tests replace it.
    std::function<std::optional<std::pair<std::string, int>>()> AskExportFile;

    QChart* Chart = nullptr;
    QChartView* View = nullptr;
    QLineSeries* Series = nullptr;
    QScatterSeries* Points = nullptr;
    // Value axes whose labels the window places (category axes underneath);
    // tickInterval() and tickAnchor() tell the spacing and the first label.
    QValueAxis* AxisX = nullptr;
    QValueAxis* AxisY = nullptr;
    QMenu* EditMenu = nullptr;

    void Zoom11ItemClick();
    void BitmapItemClick();
    void MetafileItemClick();
    void TeeFormatItemClick();
    void TeeExportItemClick();
    void XIncItemClick();
    void YIncItemClick();

private:
    void CreateChart();
    void CreateAxes();
    void CreateMenus();
    QAction* Command(const char* name, const QString& caption, void (TGraphForm::*handler)());
    std::optional<std::pair<std::string, int>> RunExportDialog();
    void AskLabelStep(Qt::Orientation orientation);
    // Qt Charts numbers an axis's labels at every frame of an animation with
    // the step the axis has at that moment, but over only as many labels as
    // it made when it last laid the axis out, and does not check the count:
    // a step changed between a layout and the frames after it writes past
    // the labels. So a step changes only right before the chart lays the
    // axis out: while a new range is on its way (the axis's min or max
    // changing comes before the chart sees the range), or followed at once
    // by a layout of our own (RefreshLabelSteps); never in answer to the
    // chart's range or plot-area signals.
    bool SetTickSteps(QValueAxis* axis);
    void RefreshLabelSteps();
    void PlotAreaChanged();
    void PlaceLabels();
    void PlaceLabels(QValueAxis* axis);

    // The chart is drawn for the clipboard and for files in the copy
    // background and without animation, and looks as before afterwards.
    void BeginCopyLook();
    void EndCopyLook();
    QImage RenderImage();
    QByteArray RenderSvg();
    QByteArray RenderPdf();
    QByteArray Rendered(TChartFormat format);

    double XStep = 0.1;
    double YStep = 0.0;
    // The labels the window writes beside the axes, and their colour.
    std::vector<QGraphicsSimpleTextItem*> XLabels;
    std::vector<QGraphicsSimpleTextItem*> YLabels;
    QColor LabelColor = Qt::black;
    // A new plot area takes new steps once the chart has finished its layout.
    QTimer StepTimer;
    bool LayingOut = false;
    std::string LastExportFile;
    QBrush SavedBackground;
    QChart::AnimationOptions SavedAnimations = QChart::NoAnimation;
};

} // namespace orvanta
