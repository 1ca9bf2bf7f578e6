// The commands that write plan data for other programs: export, diagram and
// surface. They run the plan service's own export commands, with the save
// dialog answered by -o and the wizards by the options.

#include "Arguments.h"
#include "Commands.h"
#include "GraphOptions.h"
#include "Session.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/Settings.h"

namespace orvanta::cli {

namespace {

// The file exactly as given: no extension is added to a name without one.
TFileChoice OutputFile(const TArguments& arguments) {
    return TFileChoice{arguments.Required("-o"), false};
}

bool (TPlanService::*ExportOf(const std::string& item))() {
    if (item == "code")
        return &TPlanService::ExportCodeMatrix;
    if (item == "natural")
        return &TPlanService::ExportNaturalMatrix;
    if (item == "levels")
        return &TPlanService::ExportBaseLevels;
    if (item == "intervals")
        return &TPlanService::ExportIntervals;
    if (item == "responses")
        return &TPlanService::ExportResponses;
    throw TUsageError("--item принимает code, natural, levels, intervals или responses");
}

// The graph's settings for this run only: all coordinates or values alone,
// natural or coded abscissas.
void GraphSettings(const TArguments& arguments) {
    TSettings& settings = Settings();
    settings.CBExportAllCoords = arguments.Has("--all-coords");
    settings.CBNaturalX = settings.CBNaturalXY = arguments.Has("--natural");
}

} // namespace

int RunExport(const TWords& words) {
    const TArguments arguments(words, {{"--item", "-o"}, {}, 1, 1});
    const auto exportItem = ExportOf(arguments.Required("--item"));
    TBatchSession session;
    session.Host.SaveChoice = OutputFile(arguments);
    // A plan file holds all five items, so an opened plan can export each.
    if (!session.Open(arguments.Positional().front()) || !(session.Service.*exportItem)())
        return ExitFailure;
    return ExitSuccess;
}

int RunDiagram(const TWords& words) {
    const TArguments arguments(
        words, AnalysisOptions(GraphValued({"--factor"}), {"--all-coords", "--natural"}));
    const std::int32_t factor = ParseInteger(arguments.Required("--factor"), "--factor");
    const double from = ParseNumber(arguments.Required("--from"), "--from");
    const double to = ParseNumber(arguments.Required("--to"), "--to");
    const std::int32_t points = ParseInteger(arguments.Required("--points"), "--points");
    TBatchSession session;
    session.Host.SaveChoice = OutputFile(arguments);
    if (!session.OpenAnalysed(arguments))
        return ExitFailure;
    const TGraphPoint point(session.Plan, arguments);
    if (!FactorOfPlan(session.Plan, factor) || !EnoughPoints(points) || !point.Fits())
        return ExitFailure;
    TDiagramAnswer answer;
    answer.Factor = factor - 1;
    answer.Start = point.Coded(answer.Factor, from);
    answer.End = point.Coded(answer.Factor, to);
    answer.Points = points;
    answer.Point = point.Coded();
    session.Host.DiagramAnswer = answer;
    GraphSettings(arguments);
    return session.Service.ExportDiagram() ? ExitSuccess : ExitFailure;
}

int RunSurface(const TWords& words) {
    const TArguments arguments(
        words, AnalysisOptions(GraphValued({"--factors"}), {"--all-coords", "--natural"}));
    const auto factors = ParseIntegerList(arguments.Required("--factors"), "--factors");
    const auto points = ParseIntegerList(arguments.Required("--points"), "--points");
    if (factors.size() != 2 || points.size() != 2)
        throw TUsageError("--factors и --points задаются двумя числами через запятую");
    const std::vector<double> from = Pair(arguments, "--from");
    const std::vector<double> to = Pair(arguments, "--to");
    TBatchSession session;
    session.Host.SaveChoice = OutputFile(arguments);
    if (!session.OpenAnalysed(arguments))
        return ExitFailure;
    const TRaruRuro& plan = session.Plan;
    const TGraphPoint point(plan, arguments);
    if (!FactorOfPlan(plan, factors[0]) || !FactorOfPlan(plan, factors[1]) ||
        !EnoughPoints(points[0]) || !EnoughPoints(points[1]) || !point.Fits())
        return ExitFailure;
    if (factors[0] == factors[1]) {
        ShowWarning("Факторы поверхности должны быть разными.");
        return ExitFailure;
    }
    TSurfaceAnswer answer;
    answer.FactorX = factors[0] - 1;
    answer.FactorY = factors[1] - 1;
    answer.XStart = point.Coded(answer.FactorX, from[0]);
    answer.XEnd = point.Coded(answer.FactorX, to[0]);
    answer.YStart = point.Coded(answer.FactorY, from[1]);
    answer.YEnd = point.Coded(answer.FactorY, to[1]);
    answer.XPoints = points[0];
    answer.YPoints = points[1];
    answer.Point = point.Coded();
    session.Host.SurfaceAnswer = answer;
    GraphSettings(arguments);
    return session.Service.ExportSurface() ? ExitSuccess : ExitFailure;
}

} // namespace orvanta::cli
