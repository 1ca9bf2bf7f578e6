// orvan: the batch tool. It drives the plan service operations of the
// desktop program through a host without windows, for scripts, servers and
// checking results.

#include "Arguments.h"
#include "Commands.h"

#include "orvanta/Version.h"

#include "numeric/MessageHost.h"

#include <cstdio>
#include <exception>
#include <string_view>

using namespace orvanta;
using namespace orvanta::cli;

namespace {

struct TCommand {
    std::string_view Name;
    int (*Run)(const TWords&);
    const char* Usage;
};

constexpr TCommand Commands[] = {
    {"new", RunNew,
     "  orvan new --builtin ffe|cco|ccr --factors K --repeats M -o PLAN.mpl\n"
     "  orvan new --generator NAME [--model NAME] --repeats M -o PLAN.mpl\n"
     "  orvan new --custom --factors K --runs N (--model NAME | --addens NAME,NAME,...)\n"
     "            --repeats M [--d-optimal [--seed S] [--candidates grid|continuous]\n"
     "            [--lower a1,...,ak] [--upper b1,...,bk] [--constraint \"a1,...,ak<=c\" ...]]\n"
     "            -o PLAN.mpl\n"},
    {"set", RunSet,
     "  orvan set PLAN.mpl [--responses FILE] [--code FILE] [--levels FILE|v1,...,vk]\n"
     "            [--intervals FILE|v1,...,vk] [--names \"name1;name2;...\"]\n"
     "            [--response-name NAME] [--check-point x1,...,xk --check-responses y1,...,yn]\n"
     "            [--from-runsheet FILE]\n"},
    {"analyze", RunAnalyze,
     "  orvan analyze PLAN.mpl [--insignificant ignore|zero|refit] [--json]\n"},
    {"report", RunReport, "  orvan report PLAN.mpl [--all-sections]\n"},
    {"statistics", RunStatistics,
     "  orvan statistics PLAN.mpl [--insignificant ignore|zero|refit] [--error pure|residual]\n"
     "            [--alpha A] [--exact-quantiles] [--json]\n"},
    {"predict", RunPredict, "  orvan predict PLAN.mpl --at x1,...,xk [--natural] [--json]\n"},
    {"extremum", RunExtremum,
     "  orvan extremum PLAN.mpl (--min|--max) [--method monte-carlo|gauss-seidel] [--count N]\n"
     "            [--lower a1,...,ak] [--upper b1,...,bk] [--seed S] [--json]\n"},
    {"export", RunExport,
     "  orvan export PLAN.mpl --item code|natural|levels|intervals|responses -o FILE\n"},
    {"diagram", RunDiagram,
     "  orvan diagram PLAN.mpl --factor I --from A --to B --points N [--at l1,...,lk]\n"
     "            [--all-coords] [--natural] -o FILE\n"},
    {"surface", RunSurface,
     "  orvan surface PLAN.mpl --factors I,J --from A1,A2 --to B1,B2 --points P1,P2\n"
     "            [--at l1,...,lk] [--all-coords] [--natural] -o FILE\n"},
    {"plot", RunPlot,
     "  orvan plot PLAN.mpl contour|ternary|residuals|pareto|halfnormal|interaction|trace|fds\n"
     "            [--factors I,J] [--at l1,...,lk] [--from A1,A2] [--to B1,B2] [--points N]\n"
     "            [--natural|--coded] [--error pure|residual] [--width W --height H]\n"
     "            -o FILE.svg|FILE.png|FILE.pdf\n"
     "  orvan plot PLAN.mpl contour|ternary ... --data -o FILE.txt\n"},
    {"runsheet", RunRunSheet,
     "  orvan runsheet PLAN.mpl [--randomize [--seed S]] [--csv|--html] -o FILE\n"},
    {"evaluate", RunEvaluate, "  orvan evaluate PLAN.mpl [--delta D] [--alpha A] [--json]\n"},
    {"augment", RunAugment,
     "  orvan augment PLAN.mpl (--foldover [--factor I] | --axial [--alpha A] [--centre C]\n"
     "            | --d-optimal --runs R [--seed S]) [-o OUT.mpl]\n"},
    {"quantile", RunQuantile,
     "  orvan quantile student F | fisher F2 F1 | cochran N F | pearson upper|lower F\n"
     "            [--exact [--alpha A]]\n"},
    {"modules", RunModules, "  orvan modules [--json]\n"},
};

const char* const AnalysisNote =
    "Команды analyze, report, statistics, predict, extremum, diagram, surface и plot принимают\n"
    "также --yes (продолжать сомнительные расчеты), --insignificant ignore|zero|refit и\n"
    "--exact-quantiles [--alpha A] (критические значения по распределениям на уровне A\n"
    "вместо таблиц 5 %).\n";

void PrintUsage(std::FILE* out, const TCommand* only) {
    std::fputs("Использование:\n", out);
    for (const TCommand& command : Commands)
        if (!only || only == &command)
            std::fputs(command.Usage, out);
    if (!only) {
        std::fputs("  orvan --help | --version\n", out);
        std::fputs(AnalysisNote, out);
    }
}

int UsageError(const std::string& reason, const TCommand* command = nullptr) {
    std::fprintf(stderr, "orvan: %s\n", reason.c_str());
    PrintUsage(stderr, command);
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return UsageError("не указана команда");
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout, nullptr);
        return ExitSuccess;
    }
    if (name == "--version") {
        std::printf("orvan %s\n", ProgramVersion);
        return ExitSuccess;
    }
    const TWords words(argv + 2, argv + argc);
    for (const TCommand& command : Commands) {
        if (command.Name != name)
            continue;
        try {
            return command.Run(words);
        } catch (const TUsageError& error) {
            return UsageError(error.what(), &command);
        } catch (const std::exception& error) {
            WriteMessageToStandardError(TMessageKind::Error, error.what());
            return ExitFailure;
        }
    }
    return UsageError("неизвестная команда " + std::string(name));
}
