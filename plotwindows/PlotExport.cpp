#include "plotwindows/PlotExport.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <qcustomplot.h>

namespace orvanta {

namespace {

const char* const EqualScaleProperty = "orvanEqualScale";

// Lays the plot out at `size` for the duration of a drawing.
class TDrawingSize {
public:
    TDrawingSize(QCustomPlot& plot, QSize size) : Plot(plot), Own(plot.size()) {
        Plot.resize(size);
        Plot.replot(QCustomPlot::rpImmediateRefresh);
    }
    ~TDrawingSize() {
        Plot.resize(Own);
        Plot.replot(QCustomPlot::rpQueuedReplot);
    }
    TDrawingSize(const TDrawingSize&) = delete;
    TDrawingSize& operator=(const TDrawingSize&) = delete;

private:
    QCustomPlot& Plot;
    QSize Own;
};

void Equalise(QCustomPlot& plot) {
    QCPAxisRect* rect = plot.axisRect();
    if (!rect || rect->width() <= 0 || rect->height() <= 0)
        return;
    QCPAxis* x = rect->axis(QCPAxis::atBottom);
    QCPAxis* y = rect->axis(QCPAxis::atLeft);
    const double perPixel = x->range().size() / rect->width();
    const double middle = y->range().center();
    const double half = 0.5 * perPixel * rect->height();
    y->setRange(middle - half, middle + half);
}

} // namespace

void KeepEqualScale(QCustomPlot& plot, bool on) {
    plot.setProperty(EqualScaleProperty, on);
    QObject::disconnect(&plot, &QCustomPlot::beforeReplot, &plot, nullptr);
    if (on)
        QObject::connect(&plot, &QCustomPlot::beforeReplot, &plot, [&plot] { Equalise(plot); });
}

QImage RenderPlotImage(QCustomPlot& plot, QSize size) {
    const TDrawingSize drawing(plot, size);
    return plot.toPixmap(size.width(), size.height()).toImage();
}

QByteArray RenderPlot(QCustomPlot& plot, TChartFormat format, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == TChartFormat::Png) {
        RenderPlotImage(plot, size).save(&buffer, "PNG");
        return bytes;
    }
    const TDrawingSize drawing(plot, size);
    if (format == TChartFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Орванта"));
        QCPPainter painter(&svg);
        plot.toPainter(&painter, size.width(), size.height());
        painter.end();
        return bytes;
    }
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Орванта"));
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(72);
    QCPPainter painter(&pdf);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    plot.toPainter(&painter, size.width(), size.height());
    painter.end();
    return bytes;
}

} // namespace orvanta
