#include "diagrams/GraphForm.h"

#include "diagrams/ChartExportDialog.h"

#include "diagrams/AxisScaleLogic.h"
#include "dialogs/FontAndColor.h"
#include "numeric/FieldChecks.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "numeric/Stream.h"
#include "plan/Settings.h"
#include "services/SafeWrite.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QChartView>
#include <QClipboard>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace orvanta {

namespace {

// How much room a label needs along its axis, in pixels: numbers side by
// side on the bottom axis, one text line each on the left one.
constexpr double BottomLabelPixels = 40.0;
constexpr double LeftLabelPixels = 20.0;
// Label intervals allowed before the chart has been laid out.
constexpr int UnlaidLabelCapacity = 50;
// The room left beyond the data at each end of an axis, as a part of its
// span: a twentieth keeps the 8-pixel point markers whole down to a plot
// 80 pixels across.
constexpr double AxisMargin = 0.05;

const QColor Silver(0xC0, 0xC0, 0xC0);

QFont TextFont(const QString& preferred) {
    QFont font;
    // The chart's Arial is stood in for by a face every Debian desktop has.
    font.setFamilies({preferred, QStringLiteral("DejaVu Sans")});
    font.setPixelSize(13);
    return font;
}

QList<QPointF> FinitePoints(const std::vector<QPointF>& points, std::vector<double>& xs,
                            std::vector<double>& ys) {
    QList<QPointF> kept;
    kept.reserve(static_cast<qsizetype>(points.size()));
    for (const QPointF& p : points) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            continue;
        kept.append(p);
        xs.push_back(p.x());
        ys.push_back(p.y());
    }
    return kept;
}

} // namespace

TGraphForm::TGraphForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraphForm"));
    setWindowTitle(QStringLiteral("График"));
    resize(528, 358);
    CreateChart();
    CreateMenus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(View);
    AskNumber = [](const std::string& caption, const std::string& initial) {
        double value = 0.0;
        return InputReal(value, initial, caption) ? std::optional<double>(value) : std::nullopt;
    };
    AskExportFile = [this] { return RunExportDialog(); };
}

void TGraphForm::CreateChart() {
    Chart = new QChart();
    Chart->setTitle(QStringLiteral("Зависимость отклика от одного из нормализованных факторов"));
    Chart->setTitleFont(TextFont(QStringLiteral("Arial")));
    Chart->setTitleBrush(Qt::black);
    Chart->legend()->hide();
    Chart->setBackgroundBrush(Silver);
    Chart->setBackgroundRoundness(0);
    // The background reaches the edges of the window and of every copy.
    Chart->layout()->setContentsMargins(0, 0, 0, 0);
    Chart->setDropShadowEnabled(false);
    Chart->setAnimationOptions(QChart::GridAxisAnimations);

    Series = new QLineSeries(Chart);
    Series->setName(QStringLiteral("Series"));
    Series->setPen(QPen(Qt::black, 1));
    Series->setPointsVisible(false);
    Points = new QScatterSeries(Chart);
    Points->setName(QStringLiteral("Points"));
    Points->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    Points->setMarkerSize(8);
    Points->setColor(Qt::white);
    Points->setBorderColor(Qt::red);
    Chart->addSeries(Series);
    Chart->addSeries(Points);
    for (QLegendMarker* marker : Chart->legend()->markers(Points))
        marker->setVisible(false);
    CreateAxes();

    View = new QChartView(Chart, this);
    View->setObjectName(QStringLiteral("ChartView"));
    View->setFrameShape(QFrame::NoFrame);
    View->setRenderHint(QPainter::Antialiasing);
    View->setRubberBand(QChartView::RectangleRubberBand);
    View->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TGraphForm::CreateAxes() {
    AxisX = new QValueAxis(Chart);
    AxisY = new QValueAxis(Chart);
    AxisX->setTitleText(QStringLiteral("Фактор"));
    AxisY->setTitleText(QStringLiteral("Отклик"));
    for (QValueAxis* axis : {AxisX, AxisY}) {
        axis->setTitleFont(TextFont(QStringLiteral("DejaVu Sans")));
        axis->setTitleBrush(Qt::black);
        // The grid follows the labels' step; the axis's own label texts keep
        // their room but are not seen: they add up the step and so show a
        // drifting "-0.0" where zero is. The window writes the labels itself.
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setLabelsBrush(Qt::transparent);
        axis->setLabelFormat(QStringLiteral("%.12g"));
        axis->setLinePenColor(Qt::black);
        axis->setGridLinePen(QPen(Qt::black, 1));
        connect(axis, &QValueAxis::minChanged, this, [this, axis] { SetTickSteps(axis); });
        connect(axis, &QValueAxis::maxChanged, this, [this, axis] { SetTickSteps(axis); });
        connect(axis, &QValueAxis::rangeChanged, this, qOverload<>(&TGraphForm::PlaceLabels));
    }
    Chart->addAxis(AxisX, Qt::AlignBottom);
    Chart->addAxis(AxisY, Qt::AlignLeft);
    for (QXYSeries* series : {static_cast<QXYSeries*>(Series), static_cast<QXYSeries*>(Points)}) {
        series->attachAxis(AxisX);
        series->attachAxis(AxisY);
    }
    StepTimer.setSingleShot(true);
    StepTimer.setInterval(0);
    connect(&StepTimer, &QTimer::timeout, this, &TGraphForm::RefreshLabelSteps);
    connect(Chart, &QChart::plotAreaChanged, this, &TGraphForm::PlotAreaChanged);
    SetTickSteps(AxisX);
    SetTickSteps(AxisY);
    PlaceLabels();
}

QAction* TGraphForm::Command(const char* name, const QString& caption,
                             void (TGraphForm::*handler)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromUtf8(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TGraphForm::CreateMenus() {
    using F = TGraphForm;
    QAction* zoom = Command("Zoom11Item", QStringLiteral("Масштаб 1:1"), &F::Zoom11ItemClick);
    QAction* bitmap = Command("BitmapItem", QStringLiteral("Как растр"), &F::BitmapItemClick);
    bitmap->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    QAction* metafile =
        Command("MetafileItem", QStringLiteral("Как метафайл"), &F::MetafileItemClick);
    metafile->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    QAction* format =
        Command("TeeFormatItem", QStringLiteral("Формат ..."), &F::TeeFormatItemClick);
    QAction* exportItem =
        Command("TeeExportItem", QStringLiteral("Экспорт ..."), &F::TeeExportItemClick);
    QAction* xStep = Command("XIncItem", QStringLiteral("По оси OX"), &F::XIncItemClick);
    QAction* yStep = Command("YIncItem", QStringLiteral("По оси OY"), &F::YIncItemClick);

    EditMenu = new QMenu(QStringLiteral("Правка"), this);
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    const auto fill = [&](QMenu* menu) {
        menu->addAction(zoom);
        QMenu* copy = menu->addMenu(QStringLiteral("Копировать"));
        copy->setObjectName(QStringLiteral("CopyChartMenu"));
        copy->addActions({bitmap, metafile});
        menu->addSeparator();
        menu->addActions({format, exportItem});
        menu->addSeparator();
        QMenu* steps = menu->addMenu(QStringLiteral("Шаг меток"));
        steps->setObjectName(QStringLiteral("IncMenu"));
        steps->addActions({xStep, yStep});
    };
    fill(EditMenu);
    auto* context = new QMenu(this);
    context->setObjectName(QStringLiteral("ChartMenu"));
    fill(context);
    connect(View, &QWidget::customContextMenuRequested, this,
            [this, context](const QPoint& at) { context->popup(View->mapToGlobal(at)); });
    // The copy shortcuts belong to this window only: the report window has
    // its own Ctrl+C.
    for (QAction* action : {bitmap, metafile}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
}

void TGraphForm::SetData(const std::vector<QPointF>& curve, const std::vector<QPointF>& points,
                         const QString& xTitle, const QString& yTitle) {
    std::vector<double> xs;
    std::vector<double> ys;
    const QList<QPointF> line = FinitePoints(curve, xs, ys);
    const QList<QPointF> marks = FinitePoints(points, xs, ys);
    // A zoom is undone first: undoing it later would bring back the old data's span.
    Chart->zoomReset();
    Series->clear();
    Points->clear();
    Series->replace(line);
    Points->replace(marks);
    AxisX->setTitleText(xTitle);
    AxisY->setTitleText(yTitle);
    const TAxisRange x = WithMargin(DataRange(xs), AxisMargin);
    const TAxisRange y = WithMargin(DataRange(ys), AxisMargin);
    AxisX->setRange(x.Min, x.Max);
    AxisY->setRange(y.Min, y.Max);
    RefreshLabelSteps();
}

void TGraphForm::ApplyOptions(const TSettings& settings) {
    const QPalette& palette = QApplication::palette();
    const std::string& title = settings.ELegend;
    Chart->setTitle(QString::fromStdString(title.substr(0, title.find('\n'))));
    Chart->setBackgroundBrush(ColorOf(settings.SColor, palette));
    QPen grid(ColorOf(settings.SGridColor, palette), 1);
    grid.setStyle(GridPenStyle(settings.CBGridStyle));
    for (QValueAxis* axis : {AxisX, AxisY}) {
        axis->setLinePenColor(ColorOf(settings.SAxisColor, palette));
        axis->setGridLineVisible(settings.CBGridVisible);
        axis->setGridLinePen(grid);
    }
    Series->setColor(ColorOf(settings.SSeriesColor, palette));
}

bool TGraphForm::SetTickSteps(QValueAxis* axis) {
    const QRectF area = Chart->plotArea();
    const bool bottom = axis == AxisX;
    const int capacity = bottom
                             ? LabelCapacity(area.width(), BottomLabelPixels, UnlaidLabelCapacity)
                             : LabelCapacity(area.height(), LeftLabelPixels, UnlaidLabelCapacity);
    const double interval =
        LabelInterval(bottom ? XStep : YStep, axis->min(), axis->max(), capacity);
    const std::vector<double> values = LabelValues(interval, axis->min(), axis->max());
    const double anchor = values.empty() ? axis->min() : values.front();
    if (axis->tickInterval() == interval && axis->tickAnchor() == anchor)
        return false;
    axis->setTickInterval(interval);
    axis->setTickAnchor(anchor);
    return true;
}

void TGraphForm::RefreshLabelSteps() {
    StepTimer.stop();
    const bool x = SetTickSteps(AxisX);
    const bool y = SetTickSteps(AxisY);
    if (x || y) {
        // The axes are laid out again with the new steps before any frame
        // of a running animation can number them.
        const bool wasLayingOut = std::exchange(LayingOut, true);
        Chart->layout()->invalidate();
        Chart->layout()->activate();
        LayingOut = wasLayingOut;
    }
    PlaceLabels();
}

void TGraphForm::PlotAreaChanged() {
    PlaceLabels();
    // The area a new layout of our own gives keeps the steps it was laid
    // out with: the steps would otherwise chase the labels' widths.
    if (!LayingOut)
        StepTimer.start();
}

QStringList TGraphForm::LabelTexts(Qt::Orientation orientation) const {
    QStringList texts;
    for (const QGraphicsSimpleTextItem* item : orientation == Qt::Horizontal ? XLabels : YLabels)
        texts << item->text();
    return texts;
}

void TGraphForm::PlaceLabels() {
    PlaceLabels(AxisX);
    PlaceLabels(AxisY);
}

void TGraphForm::PlaceLabels(QValueAxis* axis) {
    const bool bottom = axis == AxisX;
    const std::vector<double> values = LabelValues(axis->tickInterval(), axis->min(), axis->max());
    std::vector<QGraphicsSimpleTextItem*>& items = bottom ? XLabels : YLabels;
    while (items.size() > values.size()) {
        delete items.back();
        items.pop_back();
    }
    while (items.size() < values.size()) {
        auto* item = new QGraphicsSimpleTextItem(Chart);
        item->setZValue(10);
        items.push_back(item);
    }
    const QRectF area = Chart->plotArea();
    const QFont font = axis->labelsFont();
    for (std::size_t i = 0; i < values.size(); ++i) {
        QGraphicsSimpleTextItem* item = items[i];
        item->setText(QString::fromStdString(LabelText(values[i])));
        item->setFont(font);
        item->setBrush(LabelColor);
        const QRectF box = item->boundingRect();
        // Beside the axis line, centred on the value's place.
        const QPointF at = bottom ? Chart->mapToPosition(QPointF(values[i], AxisY->min()), Series)
                                  : Chart->mapToPosition(QPointF(AxisX->min(), values[i]), Series);
        item->setPos(bottom ? QPointF(at.x() - box.width() / 2, area.bottom() + 4)
                            : QPointF(area.left() - 6 - box.width(), at.y() - box.height() / 2));
    }
}

void TGraphForm::AskLabelStep(Qt::Orientation orientation) {
    const bool bottom = orientation == Qt::Horizontal;
    double& step = bottom ? XStep : YStep;
    const auto value =
        AskNumber(bottom ? "Шаг по оси абсцисс" : "Шаг по оси ординат", FormatFull(step));
    if (!value)
        return;
    // A negative step would count the labels away from the axis; the old
    // step stays.
    if (!IsValidLabelStep(*value)) {
        ShowWarning("Шаг меток не может быть отрицательным.");
        return;
    }
    step = *value;
    RefreshLabelSteps();
}

void TGraphForm::XIncItemClick() {
    AskLabelStep(Qt::Horizontal);
}

void TGraphForm::YIncItemClick() {
    AskLabelStep(Qt::Vertical);
}

void TGraphForm::Zoom11ItemClick() {
    Chart->zoomReset();
}

void TGraphForm::TeeFormatItemClick() {
    if (OnFormat)
        OnFormat();
}

void TGraphForm::BeginCopyLook() {
    SavedBackground = Chart->backgroundBrush();
    SavedAnimations = Chart->animationOptions();
    Chart->setAnimationOptions(QChart::NoAnimation);
    Chart->setBackgroundBrush(ColorOf(Settings().SCopyColor, QApplication::palette()));
    // New titles and ranges reach the chart's items at its next layout, which
    // would come only after the picture has been taken.
    Chart->layout()->activate();
}

void TGraphForm::EndCopyLook() {
    Chart->setBackgroundBrush(SavedBackground);
    Chart->setAnimationOptions(SavedAnimations);
}

QImage TGraphForm::RenderImage() {
    return View->grab().toImage();
}

QByteArray TGraphForm::RenderSvg() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(View->size());
    generator.setViewBox(QRect(QPoint(0, 0), View->size()));
    generator.setTitle(Chart->title());
    QPainter painter(&generator);
    View->render(&painter);
    painter.end();
    return buffer.data();
}

QByteArray TGraphForm::RenderPdf() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    // One page the size of the window, at the screen's 96 pixels per inch.
    writer.setResolution(96);
    writer.setPageSize(QPageSize(QSizeF(View->size()) * 72.0 / 96.0, QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(Chart->title());
    writer.setCreator(QStringLiteral("Орванта"));
    QPainter painter(&writer);
    View->render(&painter, QRectF(QPointF(0, 0), QSizeF(View->size())));
    painter.end();
    return buffer.data();
}

QByteArray TGraphForm::Rendered(TChartFormat format) {
    switch (format) {
    case TChartFormat::Png: {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        RenderImage().save(&buffer, "PNG");
        return buffer.data();
    }
    case TChartFormat::Pdf:
        return RenderPdf();
    case TChartFormat::Svg:
        break;
    }
    return RenderSvg();
}

void TGraphForm::BitmapItemClick() {
    BeginCopyLook();
    const QImage image = RenderImage();
    EndCopyLook();
    QGuiApplication::clipboard()->setImage(image);
}

void TGraphForm::MetafileItemClick() {
    BeginCopyLook();
    const QByteArray svg = RenderSvg();
    const QImage image = RenderImage();
    EndCopyLook();
    // Programs that take no vector pictures paste the bitmap instead.
    auto* data = new QMimeData();
    data->setData(QStringLiteral("image/svg+xml"), svg);
    data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data);
}

bool TGraphForm::ExportChart(const std::string& path, TChartFormat format) {
    BeginCopyLook();
    const QByteArray bytes = Rendered(format);
    EndCopyLook();
    return WriteFileSafely(path, [&](TStream& stream) {
        stream.Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    });
}

std::optional<std::pair<std::string, int>> TGraphForm::RunExportDialog() {
    return RunChartExportDialog(this, LastExportFile, QStringLiteral("ExportDialog"));
}

void TGraphForm::TeeExportItemClick() {
    const auto choice = AskExportFile();
    if (!choice)
        return;
    const TChartExportFile file = ChartExportFileFor(choice->first, choice->second);
    LastExportFile = file.Path;
    ExportChart(file.Path, file.Format);
}

} // namespace orvanta
