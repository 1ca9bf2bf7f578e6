#pragma once

#include "Arguments.h"
#include "Commands.h"

#include "plots/Pictures.h"
#include "plots/PlotData.h"

#include <optional>
#include <string>

namespace orvanta::cli {

enum class TPlotKind { Contour, Ternary, Residuals, Pareto, HalfNormal, Interaction, Trace, Fds };

// What `orvan plot` draws: the kind, the file and its size, and the content
// computed from the analysed plan (one of the parts, by kind).
struct TPlotContent {
    TPlotKind Kind = TPlotKind::Contour;
    std::string Output;
    bool Data = false; // the contour's level lines as text instead of a picture
    std::int32_t Width = 800;
    std::int32_t Height = 600;
    std::optional<TContourPicture> Contour;
    std::optional<TResidualPanels> Residuals;
    std::optional<TParetoChart> Pareto;
    std::optional<THalfNormalPlot> HalfNormal;
    std::optional<TCurvesPicture> Curves;
};

// The picture formats by the output's extension.
enum class TPictureFormat { Svg, Png, Pdf };
std::optional<TPictureFormat> PictureFormat(const std::string& path);

// Reads the command line into the content's kind, file and size; a usage
// error when it does not fit. The plan is not opened.
void ReadPlotWords(const TWords& words, TPlotContent& content);

// Reads the command line (a usage error when it does not fit), opens and
// analyses the plan (only opens it for the prediction variance, which needs
// no response) and computes the picture's content. ExitSuccess, or the
// exit status after the message.
int PreparePlot(const TWords& words, TPlotContent& content);

// The level lines of the content as text, written safely to its output.
int WriteContourData(const TPlotContent& content);

} // namespace orvanta::cli
