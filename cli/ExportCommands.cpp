// The commands that write plan data for other programs: export, diagram and
// surface. They run the plan service's own export commands, with the save
// dialog answered by -o and the wizards by the options.

#include "Arguments.h"
#include "Commands.h"
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

// Factor numbers count from 1 on the command line, from 0 in the plan.
bool FactorOfPlan(const TRaruRuro& plan, std::int32_t number) {
    if (number >= 1 && number <= plan.FactorCount)
        return true;
    ShowWarning("Номер фактора должен быть от 1 до " + IntToStr(plan.FactorCount) + ", задан " +
                IntToStr(number) + ".");
    return false;
}

bool EnoughPoints(std::int32_t points) {
    if (points >= 2)
        return true;
    ShowWarning("Число точек должно быть не меньше 2, задано " + IntToStr(points) + ".");
    return false;
}

// The graph's settings for this run only: all coordinates or values alone,
// natural or coded abscissas.
void GraphSettings(const TArguments& arguments) {
    TSettings& settings = Settings();
    settings.CBExportAllCoords = arguments.Has("--all-coords");
    settings.CBNaturalX = settings.CBNaturalXY = arguments.Has("--natural");
}

// The values of all k factors (the fixed ones count): --at, or the centre.
// With --natural every number of the command line is in natural units.
class TGraphPoint {
public:
    TGraphPoint(const TRaruRuro& plan, const TArguments& arguments)
        : Plan(plan), Natural(arguments.Has("--natural")) {
        const auto at = arguments.Value("--at");
        Values = at ? ParseNumberList(*at, "--at")
                    : std::vector<double>(static_cast<std::size_t>(plan.FactorCount), 0.0);
        if (!at && Natural)
            for (std::int32_t i = 0; i < plan.FactorCount; ++i)
                Values[static_cast<std::size_t>(i)] = plan.BaseLevels.Get(i);
    }

    bool Fits() const {
        if (static_cast<std::int32_t>(Values.size()) == Plan.FactorCount)
            return true;
        ShowWarning("--at: нужно " + IntToStr(Plan.FactorCount) + " значений, задано " +
                    IntToStr(static_cast<std::int64_t>(Values.size())) + ".");
        return false;
    }
    // The point in coded units.
    std::vector<double> Coded() const { return ToCoded(Values); }
    // Factor f's value v in coded units.
    double Coded(std::int32_t f, double v) const {
        std::vector<double> point = Values;
        point[static_cast<std::size_t>(f)] = v;
        return ToCoded(point)[static_cast<std::size_t>(f)];
    }

private:
    std::vector<double> ToCoded(const std::vector<double>& point) const {
        if (!Natural)
            return point;
        std::vector<double> coded(point.size());
        Plan.NaturalToCoded(point.data(), coded.data());
        return coded;
    }

    const TRaruRuro& Plan;
    bool Natural;
    std::vector<double> Values;
};

std::vector<std::string> GraphValued(std::vector<std::string> own) {
    own.insert(own.end(), {"--from", "--to", "--points", "--at", "-o"});
    return own;
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

namespace {

// Two numbers of a pair option such as --from A1,A2.
std::vector<double> Pair(const TArguments& arguments, const char* option) {
    std::vector<double> values = ParseNumberList(arguments.Required(option), option);
    if (values.size() != 2)
        throw TUsageError(std::string(option) + " задается двумя числами через запятую");
    return values;
}

} // namespace

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
