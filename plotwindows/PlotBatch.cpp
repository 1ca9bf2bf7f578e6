// orvan-plot: the pictures of `orvan plot`, drawn with the windows' own
// drawing on Qt's offscreen platform, so that no display is needed. The
// batch tool hands its words over; the plan is opened and analysed here the
// way the batch tool does it.

#include "Commands.h"
#include "PlotRequest.h"
#include "Session.h"

#include "numeric/MessageHost.h"
#include "numeric/Messages.h"
#include "numeric/Stream.h"
#include "plan/Settings.h"
#include "plotwindows/PlotDrawing.h"
#include "plotwindows/PlotExport.h"
#include "services/SafeWrite.h"

#include <QApplication>
#include <qcustomplot.h>

#include <cstdio>

using namespace orvanta;
using namespace orvanta::cli;

namespace {

void Draw(QCustomPlot& plot, const TPlotContent& content, const TPlotLook& look) {
    if (content.Contour) {
        DrawContour(plot, *content.Contour, look);
        KeepEqualScale(plot, content.Contour->Ternary);
    } else if (content.Residuals) {
        DrawResiduals(plot, *content.Residuals, look);
    } else if (content.Pareto || content.HalfNormal) {
        DrawEffects(plot, content.Pareto ? &*content.Pareto : nullptr,
                    content.HalfNormal ? &*content.HalfNormal : nullptr, look);
    } else if (content.Curves) {
        DrawCurves(plot, *content.Curves, look);
    }
}

int Run(const TWords& words) {
    TPlotContent content;
    const int status = PreparePlot(words, content);
    if (status != ExitSuccess)
        return status;
    if (content.Data)
        return WriteContourData(content);
    const auto format = PictureFormat(content.Output);
    if (!format)
        throw TUsageError("-o: файл рисунка должен иметь расширение .svg, .png или .pdf");
    const TChartFormat chart = *format == TPictureFormat::Svg   ? TChartFormat::Svg
                               : *format == TPictureFormat::Png ? TChartFormat::Png
                                                                : TChartFormat::Pdf;
    QCustomPlot plot;
    plot.resize(content.Width, content.Height);
    Draw(plot, content, PlotLookOf(Settings()));
    const QByteArray bytes = RenderPlot(plot, chart, QSize(content.Width, content.Height));
    return WriteFileSafely(content.Output,
                           [&](TStream& stream) {
                               stream.Write(bytes.constData(),
                                            static_cast<std::size_t>(bytes.size()));
                           })
               ? ExitSuccess
               : ExitFailure;
}

// The toolkit's own remarks (a missing runtime folder, fonts) are not the
// batch tool's business: its messages are its own.
void QuietToolkit(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "orvan plot: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    // No display is needed, nor used when there is one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietToolkit);
    QApplication application(argc, argv);
    const TWords words(argv + 1, argv + argc);
    try {
        return Run(words);
    } catch (const TUsageError& error) {
        std::fprintf(stderr, "orvan plot: %s\n", error.what());
        return ExitUsage;
    } catch (const std::exception& error) {
        WriteMessageToStandardError(TMessageKind::Error, error.what());
        return ExitFailure;
    }
}
