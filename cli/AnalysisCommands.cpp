// The commands that analyse a plan and use its equation: analyze, report,
// predict and extremum.

#include "AnalysisOutput.h"
#include "Arguments.h"
#include "Commands.h"
#include "Session.h"
#include "StatisticsOutput.h"

#include "numeric/Cp1251.h"
#include "numeric/MemoryStream.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/Settings.h"

#include <iostream>

namespace orvanta::cli {

namespace {

void PrintJson(const nlohmann::ordered_json& json) {
    std::cout << json.dump(2) << "\n";
}

// Every report section on; the divider text stays the person's own.
void AllReportSections() {
    TSettings& s = Settings();
    for (bool* option : {&s.CBUseDivider,
                         &s.CBTimeDate,
                         &s.CBDegree,
                         &s.CBpType,
                         &s.CBN,
                         &s.CBModelType,
                         &s.CBMainMatrix,
                         &s.CBNaturalMatrix,
                         &s.CBMLVector,
                         &s.CBDFVector,
                         &s.CBExpandedMatrix,
                         &s.CBMMatrix,
                         &s.CBCMatrix,
                         &s.CBR,
                         &s.CBYMatrix,
                         &s.CBAVector,
                         &s.CBDVector,
                         &s.CBSVector,
                         &s.CBDV,
                         &s.CBDmax,
                         &s.CBActualBSize,
                         &s.CBBVector,
                         &s.CBDad,
                         &s.CBCohrenAnalysis,
                         &s.CBFisherAnalysis,
                         &s.CBMainPoint,
                         &s.CBMarkEndOfReport})
        *option = true;
}

// k coordinates from the command line; a count that does not fit the plan
// is the plan's refusal, not a usage error.
bool PointOfPlan(const TRaruRuro& plan, const std::vector<double>& values, const char* what) {
    if (static_cast<std::int32_t>(values.size()) == plan.FactorCount)
        return true;
    ShowWarning(std::string(what) + ": нужно " + IntToStr(plan.FactorCount) + " значений, задано " +
                IntToStr(static_cast<std::int64_t>(values.size())) + ".");
    return false;
}

std::string PointText(const std::vector<double>& point) {
    std::string text = "(";
    for (std::size_t i = 0; i < point.size(); ++i)
        text += (i ? ", " : "") + Number(point[i]);
    return text + ")";
}

TExtremumMethod MethodOption(const TArguments& arguments) {
    const std::string method = arguments.Value("--method").value_or("monte-carlo");
    if (method == "monte-carlo")
        return TExtremumMethod::MonteCarlo;
    if (method == "gauss-seidel")
        return TExtremumMethod::GaussSeidel;
    throw TUsageError("--method принимает monte-carlo или gauss-seidel");
}

std::vector<double> Bound(const TArguments& arguments, const char* option, std::int32_t k,
                          double otherwise) {
    const auto value = arguments.Value(option);
    if (!value)
        return std::vector<double>(static_cast<std::size_t>(k), otherwise);
    return ParseNumberList(*value, option);
}

} // namespace

int RunAnalyze(const TWords& words) {
    const TArguments arguments(words, AnalysisOptions({}, {"--json"}));
    TBatchSession session;
    if (!session.OpenAnalysed(arguments))
        return ExitFailure;
    if (arguments.Has("--json"))
        PrintJson(AnalysisJson(session.Plan));
    else
        std::cout << AnalysisText(session.Plan);
    return ExitSuccess;
}

int RunStatistics(const TWords& words) {
    const TArguments arguments(words, AnalysisOptions({"--error"}, {"--json"}));
    TStatisticsOptions options;
    if (const auto error = arguments.Value("--error")) {
        if (*error != "pure" && *error != "residual")
            throw TUsageError("--error принимает pure или residual");
        options.ErrorTerm = *error == "pure" ? TErrorTerm::Pure : TErrorTerm::Residual;
    }
    options.Alpha = AlphaOption(arguments);
    TBatchSession session;
    if (!session.OpenAnalysed(arguments))
        return ExitFailure;
    std::string message;
    const auto statistics = ComputeStatistics(session.Plan, options, message);
    if (!statistics) {
        ShowWarning(message);
        return ExitFailure;
    }
    if (arguments.Has("--json"))
        PrintJson(StatisticsJson(*statistics));
    else
        std::cout << StatisticsText(*statistics);
    return ExitSuccess;
}

int RunReport(const TWords& words) {
    const TArguments arguments(words, AnalysisOptions({}, {"--all-sections"}));
    // The report is for people: their decimal separator.
    DetectDecimalSeparator();
    TBatchSession session;
    if (arguments.Has("--all-sections"))
        AllReportSections();
    if (!session.OpenAnalysed(arguments))
        return ExitFailure;
    TMemoryStream report;
    session.Plan.ComposeReport(report);
    std::cout << Cp1251ToUtf8(report.Bytes());
    return ExitSuccess;
}

int RunPredict(const TWords& words) {
    const TArguments arguments(words, AnalysisOptions({"--at"}, {"--natural", "--json"}));
    std::vector<double> point = ParseNumberList(arguments.Required("--at"), "--at");
    TBatchSession session;
    if (!session.OpenAnalysed(arguments) || !PointOfPlan(session.Plan, point, "--at"))
        return ExitFailure;
    if (arguments.Has("--natural")) {
        const std::vector<double> natural = point;
        session.Plan.NaturalToCoded(natural.data(), point.data());
    }
    const double value = session.Plan.Predict(point.data());
    if (arguments.Has("--json"))
        PrintJson({{"value", value}});
    else
        std::cout << Number(value) << "\n";
    return ExitSuccess;
}

int RunExtremum(const TWords& words) {
    const TArguments arguments(
        words, AnalysisOptions({"--method", "--count", "--lower", "--upper", "--seed"},
                               {"--min", "--max", "--json"}));
    if (arguments.Has("--min") == arguments.Has("--max"))
        throw TUsageError("нужен ровно один из параметров --min, --max");
    const TExtremumMethod method = MethodOption(arguments);
    const std::int32_t count = arguments.Value("--count")
                                   ? ParseInteger(*arguments.Value("--count"), "--count")
                                   : (method == TExtremumMethod::MonteCarlo ? 1000 : 10);
    const auto seed = arguments.Value("--seed");
    const std::uint32_t seedValue =
        seed ? static_cast<std::uint32_t>(ParseInteger(*seed, "--seed")) : 0;

    TBatchSession session;
    TRaruRuro& plan = session.Plan;
    if (!session.OpenAnalysed(arguments))
        return ExitFailure;
    const std::vector<double> lower = Bound(arguments, "--lower", plan.FactorCount, -1.0);
    const std::vector<double> upper = Bound(arguments, "--upper", plan.FactorCount, 1.0);
    if (!PointOfPlan(plan, lower, "--lower") || !PointOfPlan(plan, upper, "--upper"))
        return ExitFailure;
    if (seed)
        plan.SeedRandom(seedValue);
    if (arguments.Has("--max"))
        plan.FindMaximum(lower, upper, method, false, count);
    else
        plan.FindMinimum(lower, upper, method, false, count);
    if (!plan.HasExtremumPoint) {
        ShowWarning("Поиск экстремума не проведен.");
        return ExitFailure;
    }
    const std::vector<double> point(plan.ExtremumPoint.Elements(),
                                    plan.ExtremumPoint.Elements() + plan.ExtremumPoint.Size());
    const double value = plan.Predict(point.data());
    if (arguments.Has("--json")) {
        PrintJson({{"point", point}, {"value", value}});
    } else {
        std::cout << (arguments.Has("--max") ? "Максимум" : "Минимум") << " в точке "
                  << PointText(point) << " (кодированные значения)\n"
                  << "Значение: " << Number(value) << "\n";
    }
    return ExitSuccess;
}

} // namespace orvanta::cli
