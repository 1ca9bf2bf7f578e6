#include "plotwindows/PlotForm.h"

#include "diagrams/ChartExportDialog.h"
#include "numeric/Stream.h"
#include "plotwindows/PlotExport.h"
#include "services/SafeWrite.h"
#include "surface3d/GLBitSize.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QVBoxLayout>

#include <optional>
#include <qcustomplot.h>

namespace orvanta {

TPlotForm::TPlotForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PlotForm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Plot = new QCustomPlot(this);
    Plot->setObjectName(QStringLiteral("Plot"));
    Plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    Plot->setContextMenuPolicy(Qt::CustomContextMenu);
    ReadOutLine = new QLabel(this);
    ReadOutLine->setObjectName(QStringLiteral("ReadOut"));
    ReadOutLine->setContentsMargins(6, 2, 6, 2);
    ReadOutLine->hide();
    layout->addWidget(Plot, 1);
    layout->addWidget(ReadOutLine);
    connect(Plot, &QCustomPlot::mouseMove, this, &TPlotForm::MouseMoved);
    connect(Plot, &QCustomPlot::mousePress, this, &TPlotForm::MousePressed);
    CreateMenus();
    AskExportFile = [this] { return RunExportDialog(); };
    AskRasterSize = [this]() -> std::optional<QSize> {
        TGLBitSize dialog(this);
        return dialog.Run();
    };
}

void TPlotForm::CreateMenus() {
    const auto command = [this](const char* name, const QString& caption, auto handler) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromUtf8(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    using F = TPlotForm;
    QAction* zoom = command("Zoom11Item", QStringLiteral("Масштаб 1:1"), &F::Zoom11ItemClick);
    QAction* bitmap = command("BitmapItem", QStringLiteral("Как растр"), &F::BitmapItemClick);
    bitmap->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    QAction* svg = command("SvgItem", QStringLiteral("Как SVG"), &F::SvgItemClick);
    svg->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    QAction* format = command("FormatItem", QStringLiteral("Формат ..."), [this] {
        if (OnFormat)
            OnFormat();
    });
    QAction* exportItem = command("ExportItem", QStringLiteral("Экспорт ..."), &F::ExportItemClick);
    UnitsItem = command("UnitsItem", QStringLiteral("Натуральные единицы"), [this] {
        if (UnitsSwitched)
            UnitsSwitched(UnitsItem->isChecked());
    });
    UnitsItem->setCheckable(true);
    UnitsItem->setVisible(false);

    EditMenu = new QMenu(QStringLiteral("Правка"), this);
    EditMenu->setObjectName(QStringLiteral("EditMenu"));
    const auto fill = [&](QMenu* menu) {
        menu->addAction(zoom);
        QMenu* copy = menu->addMenu(QStringLiteral("Копировать"));
        copy->setObjectName(QStringLiteral("CopyPlotMenu"));
        copy->addActions({bitmap, svg});
        menu->addSeparator();
        menu->addActions({format, exportItem});
        menu->addSeparator();
        menu->addAction(UnitsItem);
    };
    fill(EditMenu);
    auto* context = new QMenu(this);
    context->setObjectName(QStringLiteral("PlotMenu"));
    fill(context);
    connect(Plot, &QWidget::customContextMenuRequested, this,
            [this, context](const QPoint& at) { context->popup(Plot->mapToGlobal(at)); });
    // The copy shortcuts belong to this window only.
    for (QAction* action : {bitmap, svg}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
}

void TPlotForm::SetDrawing(std::function<void(QCustomPlot&, const TPlotLook&)> draw) {
    Draw = std::move(draw);
    Redraw();
}

void TPlotForm::Redraw() {
    PointSets.clear();
    if (Draw)
        Draw(*Plot, Look);
    Plot->replot();
}

void TPlotForm::ApplyLook(const TPlotLook& look) {
    Look = look;
    Redraw();
}

void TPlotForm::OfferUnits(bool natural, std::function<void(bool)> switched) {
    UnitsSwitched = std::move(switched);
    UnitsItem->setChecked(natural);
    UnitsItem->setVisible(true);
}

bool TPlotForm::NaturalUnits() const {
    return UnitsItem->isChecked();
}

void TPlotForm::RegisterPoints(QCPCurve* points, int set) {
    PointSets[points] = set;
}

void TPlotForm::MousePressed(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !OnPointClick)
        return;
    // The nearest registered point within a few pixels, whatever is drawn
    // over it (a mark, its label).
    const QPointF at = event->position();
    double best = 6.0 * 6.0;
    std::optional<std::pair<int, int>> hit;
    for (const auto& [curve, set] : PointSets) {
        QCPAxis* x = curve->keyAxis();
        QCPAxis* y = curve->valueAxis();
        int index = 0;
        for (auto it = curve->data()->constBegin(); it != curve->data()->constEnd();
             ++it, ++index) {
            const double dx = x->coordToPixel(it->key) - at.x();
            const double dy = y->coordToPixel(it->value) - at.y();
            if (dx * dx + dy * dy < best) {
                best = dx * dx + dy * dy;
                hit = std::pair{set, index};
            }
        }
    }
    if (hit)
        OnPointClick(hit->first, hit->second);
}

void TPlotForm::MouseMoved(QMouseEvent* event) {
    QCPAxisRect* rect = Plot->axisRect();
    if (!ReadOut || !rect)
        return;
    const QPointF at = event->position();
    if (!rect->rect().contains(at.toPoint())) {
        ReadOutLine->clear();
        return;
    }
    const double x = rect->axis(QCPAxis::atBottom)->pixelToCoord(at.x());
    const double y = rect->axis(QCPAxis::atLeft)->pixelToCoord(at.y());
    ReadOutLine->setText(ReadOut(x, y));
    ReadOutLine->show();
}

void TPlotForm::Zoom11ItemClick() {
    Redraw();
}

void TPlotForm::BitmapItemClick() {
    QGuiApplication::clipboard()->setImage(RenderPlotImage(*Plot, Plot->size()));
}

void TPlotForm::SvgItemClick() {
    // Programs that take no vector pictures paste the raster instead.
    auto* data = new QMimeData();
    data->setData(QStringLiteral("image/svg+xml"),
                  RenderPlot(*Plot, TChartFormat::Svg, Plot->size()));
    data->setImageData(RenderPlotImage(*Plot, Plot->size()));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool TPlotForm::ExportPicture(const std::string& path, TChartFormat format, QSize size) {
    const QByteArray bytes = RenderPlot(*Plot, format, size);
    return WriteFileSafely(path, [&](TStream& stream) {
        stream.Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    });
}

std::optional<std::pair<std::string, int>> TPlotForm::RunExportDialog() {
    return RunChartExportDialog(this, LastExportFile, QStringLiteral("ExportDialog"));
}

void TPlotForm::ExportItemClick() {
    const auto choice = AskExportFile();
    if (!choice)
        return;
    const TChartExportFile file = ChartExportFileFor(choice->first, choice->second);
    QSize size = Plot->size();
    if (file.Format == TChartFormat::Png) {
        const auto chosen = AskRasterSize();
        if (!chosen)
            return;
        size = *chosen;
    }
    LastExportFile = file.Path;
    ExportPicture(file.Path, file.Format, size);
}

} // namespace orvanta
