#include "PlotRequest.h"

#include "GraphOptions.h"
#include "Session.h"

#include "design/Evaluation.h"
#include "design/EvaluationTables.h"
#include "numeric/Messages.h"
#include "numeric/Stream.h"
#include "services/SafeWrite.h"

#include <algorithm>

namespace orvanta::cli {

namespace {

constexpr std::pair<const char*, TPlotKind> Kinds[] = {
    {"contour", TPlotKind::Contour},       {"ternary", TPlotKind::Ternary},
    {"residuals", TPlotKind::Residuals},   {"pareto", TPlotKind::Pareto},
    {"halfnormal", TPlotKind::HalfNormal}, {"interaction", TPlotKind::Interaction},
    {"trace", TPlotKind::Trace},           {"fds", TPlotKind::Fds},
};

TCommandOptions PlotOptions() {
    TCommandOptions options =
        AnalysisOptions(GraphValued({"--factors", "--width", "--height", "--error"}),
                        {"--natural", "--coded", "--data"});
    options.MinPositional = options.MaxPositional = 2;
    return options;
}

TPlotKind KindOf(const std::string& word) {
    for (const auto& [name, kind] : Kinds)
        if (word == name)
            return kind;
    throw TUsageError("вид графика: contour, ternary, residuals, pareto, halfnormal, interaction, "
                      "trace или fds");
}

std::int32_t Size(const TArguments& arguments, const char* option, std::int32_t otherwise) {
    const auto value = arguments.Value(option);
    const std::int32_t size = value ? ParseInteger(*value, option) : otherwise;
    if (size < 16 || size > 20000)
        throw TUsageError(std::string(option) + " задается числом от 16 до 20000");
    return size;
}

// The two factors of --factors (from 1), 1,2 without it.
std::pair<std::int32_t, std::int32_t> Factors(const TArguments& arguments, const TRaruRuro& plan,
                                              bool& fits) {
    std::vector<std::int32_t> factors{1, 2};
    if (const auto value = arguments.Value("--factors"))
        factors = ParseIntegerList(*value, "--factors");
    if (factors.size() != 2)
        throw TUsageError("--factors задается двумя числами через запятую");
    fits = FactorOfPlan(plan, factors[0]) && FactorOfPlan(plan, factors[1]);
    if (fits && factors[0] == factors[1]) {
        ShowWarning("Факторы графика должны быть разными.");
        fits = false;
    }
    return {factors[0] - 1, factors[1] - 1};
}

bool ContourOf(const TArguments& arguments, const TRaruRuro& plan, bool natural,
               TPlotContent& content) {
    if (IsMixturePlan(plan)) {
        content.Contour = TernaryPicture(plan);
        return true;
    }
    if (content.Kind == TPlotKind::Ternary) {
        ShowWarning("План не является планом смеси трех компонентов с моделью Шеффе.");
        return false;
    }
    bool fits = false;
    const auto [x, y] = Factors(arguments, plan, fits);
    const TGraphPoint point(plan, arguments, natural);
    if (!fits || !point.Fits())
        return false;
    TContourRequest request;
    request.FactorX = x;
    request.FactorY = y;
    std::tie(request.FromX, request.ToX) = RunSpan(plan, x);
    std::tie(request.FromY, request.ToY) = RunSpan(plan, y);
    if (arguments.Has("--from")) {
        const std::vector<double> from = Pair(arguments, "--from");
        request.FromX = point.Coded(x, from[0]);
        request.FromY = point.Coded(y, from[1]);
    }
    if (arguments.Has("--to")) {
        const std::vector<double> to = Pair(arguments, "--to");
        request.ToX = point.Coded(x, to[0]);
        request.ToY = point.Coded(y, to[1]);
    }
    if (const auto points = arguments.Value("--points")) {
        request.Points = ParseInteger(*points, "--points");
        if (!EnoughPoints(request.Points))
            return false;
    }
    request.Fixed = point.Coded();
    request.Natural = natural;
    content.Contour = ContourPicture(plan, request);
    return true;
}

bool StatisticsOf(const TArguments& arguments, const TRaruRuro& plan, TPlotContent& content) {
    TStatisticsOptions options;
    if (const auto error = arguments.Value("--error")) {
        if (*error != "pure" && *error != "residual")
            throw TUsageError("--error принимает pure или residual");
        options.ErrorTerm = *error == "pure" ? TErrorTerm::Pure : TErrorTerm::Residual;
    }
    options.Alpha = AlphaOption(arguments);
    std::string message;
    const auto statistics = ComputeStatistics(plan, options, message);
    if (!statistics) {
        ShowWarning(message);
        return false;
    }
    if (content.Kind == TPlotKind::Residuals)
        content.Residuals = ResidualPanels(*statistics);
    else if (content.Kind == TPlotKind::Pareto)
        content.Pareto = ParetoChart(*statistics);
    else if (!(content.HalfNormal = HalfNormalPlot(*statistics))) {
        ShowWarning("Полунормальный график строится для двухуровневого плана без повторений.");
        return false;
    }
    return true;
}

bool CurvesOf(const TArguments& arguments, const TRaruRuro& plan, bool natural,
              TPlotContent& content) {
    const TGraphPoint point(plan, arguments, natural);
    if (!point.Fits())
        return false;
    if (content.Kind == TPlotKind::Trace) {
        content.Curves = TracePicture(plan, point.Coded());
        return true;
    }
    bool fits = false;
    const auto [along, other] = Factors(arguments, plan, fits);
    if (!fits)
        return false;
    content.Curves = InteractionPicture(plan, along, other, point.Coded(), natural);
    return true;
}

// The fraction-of-design-space curve of the plan before any response.
bool FdsOf(const TRaruRuro& plan, TPlotContent& content) {
    if (const std::string problem = EvaluationProblem(plan); !problem.empty()) {
        ShowWarning(problem);
        return false;
    }
    TEvaluationOptions options;
    options.Repeats = plan.Repeats();
    const auto evaluation = EvaluateDesign(plan.CodeMatrix, PlanBasis(plan), options);
    if (!evaluation) {
        ShowWarning(SingularDesignText());
        return false;
    }
    content.Curves = FdsPicture(evaluation->Fds);
    return true;
}

} // namespace

void ReadPlotWords(const TWords& words, TPlotContent& content) {
    const TArguments arguments(words, PlotOptions());
    content.Kind = KindOf(arguments.Positional()[1]);
    content.Output = arguments.Required("-o");
    content.Data = arguments.Has("--data");
    content.Width = Size(arguments, "--width", 800);
    content.Height = Size(arguments, "--height", 600);
    if (arguments.Has("--natural") && arguments.Has("--coded"))
        throw TUsageError("--natural и --coded исключают друг друга");
    if (content.Data && content.Kind != TPlotKind::Contour && content.Kind != TPlotKind::Ternary)
        throw TUsageError("--data записывает линии уровня контурного графика");
    if (!content.Data && !PictureFormat(content.Output))
        throw TUsageError("-o: файл рисунка должен иметь расширение .svg, .png или .pdf");
}

std::optional<TPictureFormat> PictureFormat(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    if (extension == "svg")
        return TPictureFormat::Svg;
    if (extension == "png")
        return TPictureFormat::Png;
    if (extension == "pdf")
        return TPictureFormat::Pdf;
    return std::nullopt;
}

int PreparePlot(const TWords& words, TPlotContent& content) {
    ReadPlotWords(words, content);
    const TArguments arguments(words, PlotOptions());
    TBatchSession session;
    if (content.Kind == TPlotKind::Fds)
        return session.Open(arguments.Positional().front()) && FdsOf(session.Plan, content)
                   ? ExitSuccess
                   : ExitFailure;
    if (!session.OpenAnalysed(arguments))
        return ExitFailure;
    const TRaruRuro& plan = session.Plan;
    const bool natural = NaturalPicture(plan, !arguments.Has("--coded"));
    bool done = false;
    switch (content.Kind) {
    case TPlotKind::Contour:
    case TPlotKind::Ternary:
        done = ContourOf(arguments, plan, natural, content);
        break;
    case TPlotKind::Residuals:
    case TPlotKind::Pareto:
    case TPlotKind::HalfNormal:
        done = StatisticsOf(arguments, plan, content);
        break;
    case TPlotKind::Interaction:
    case TPlotKind::Trace:
        done = CurvesOf(arguments, plan, natural, content);
        break;
    case TPlotKind::Fds:
        break;
    }
    return done ? ExitSuccess : ExitFailure;
}

int WriteContourData(const TPlotContent& content) {
    const std::string text = ContourText(content.Contour->Lines);
    return WriteFileSafely(content.Output,
                           [&](TStream& stream) { stream.Write(text.data(), text.size()); })
               ? ExitSuccess
               : ExitFailure;
}

} // namespace orvanta::cli
