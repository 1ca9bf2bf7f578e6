// The commands that need no plan: quantile and modules.

#include "Arguments.h"
#include "Commands.h"
#include "Session.h"

#include "distributions/Distributions.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/DistrDis.h"
#include "services/MathDefinition.h"
#include "services/ProgramFolder.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>

namespace orvanta::cli {

namespace {

std::int32_t Degrees(const TWords& words, std::size_t at) {
    return ParseInteger(words[at], "степеней свободы");
}

void RequireCount(const TWords& words, std::size_t count, const char* form) {
    if (words.size() != count)
        throw TUsageError(std::string("ожидается: orvan quantile ") + form);
}

// The printed table's value, or with `exact` the distribution's at level
// alpha (two-sided for Student, upper for Fisher and Cochran, the named tail
// for Pearson).
double Quantile(const TWords& words, bool exact, double alpha) {
    if (words.empty())
        throw TUsageError("не указано распределение");
    const std::string& name = words[0];
    if (name == "student") {
        RequireCount(words, 2, "student F");
        const std::int32_t f = Degrees(words, 1);
        return exact ? dist::StudentQuantile(1.0 - alpha / 2.0, f) : StudentQuantile(f);
    }
    if (name == "fisher") {
        RequireCount(words, 3, "fisher F2 F1");
        const std::int32_t f2 = Degrees(words, 1);
        const std::int32_t f1 = Degrees(words, 2);
        return exact ? dist::FisherQuantile(1.0 - alpha, f1, f2) : FisherQuantile(f2, f1);
    }
    if (name == "cochran") {
        RequireCount(words, 3, "cochran N F");
        const std::int32_t n = ParseInteger(words[1], "N");
        const std::int32_t f = Degrees(words, 2);
        return exact ? dist::CochranCritical(alpha, n, f) : CochranQuantile(n, f);
    }
    if (name == "pearson") {
        RequireCount(words, 3, "pearson upper|lower F");
        if (words[1] != "upper" && words[1] != "lower")
            throw TUsageError("pearson принимает upper или lower");
        const bool upper = words[1] == "upper";
        const std::int32_t f = Degrees(words, 2);
        return exact ? dist::ChiSquareQuantile(upper ? 1.0 - alpha : alpha, f)
                     : PearsonQuantile(upper ? 0 : 1, f);
    }
    throw TUsageError("неизвестное распределение " + name);
}

// One loaded module and the ranges of the registry's lists it filled.
struct TModuleSpan {
    std::string File;
    std::int32_t Addens[2] = {0, 0};
    std::int32_t Models[2] = {0, 0};
    std::int32_t Generators[2] = {0, 0};
};

// The registry keeps one list of each kind in load order; the counts before
// and after every module tell which objects are its own.
std::vector<TModuleSpan> LoadModules(TMathDefinition& registry) {
    struct TCounts {
        std::int32_t Modules, Addens, Models, Generators;
    };
    std::vector<TCounts> marks;
    const auto mark = [&] {
        marks.push_back({registry.ModuleCount(), registry.AddenCount(), registry.ModelCount(),
                         registry.GenCount()});
    };
    registry.LoadFolder(ProgramFolder() + "/Models", [&](const std::string&) { mark(); });
    mark();
    std::vector<TModuleSpan> spans;
    for (std::size_t i = 0; i + 1 < marks.size(); ++i) {
        const TCounts& a = marks[i];
        const TCounts& b = marks[i + 1];
        if (b.Modules == a.Modules)
            continue;
        const std::string& path = registry.ModuleName(a.Modules);
        spans.push_back({path.substr(path.rfind('/') + 1),
                         {a.Addens, b.Addens},
                         {a.Models, b.Models},
                         {a.Generators, b.Generators}});
    }
    return spans;
}

nlohmann::ordered_json ModuleJson(const TMathDefinition& registry, const TModuleSpan& span) {
    nlohmann::ordered_json json{{"file", span.File},
                                {"addens", nlohmann::ordered_json::array()},
                                {"models", nlohmann::ordered_json::array()},
                                {"generators", nlohmann::ordered_json::array()}};
    for (std::int32_t i = span.Addens[0]; i < span.Addens[1]; ++i) {
        const TAdden* a = registry.Adden(i);
        json["addens"].push_back({{"name", a->GetName()},
                                  {"text", a->GetText()},
                                  {"coefName", a->GetCoefName()},
                                  {"neededFactors", a->NeededFactors()}});
    }
    for (std::int32_t i = span.Models[0]; i < span.Models[1]; ++i) {
        const TModel* m = registry.Model(i);
        json["models"].push_back({{"name", m->GetName()},
                                  {"requiredDimension", m->RequiredDimension()},
                                  {"addenCount", m->AddenCount()}});
    }
    for (std::int32_t i = span.Generators[0]; i < span.Generators[1]; ++i) {
        const TGenerator* g = registry.Generator(i);
        std::int32_t runs = 0;
        std::int32_t factors = 0;
        g->GetSize(runs, factors);
        const TModel* model = g->DefaultModel();
        json["generators"].push_back(
            {{"name", g->GetName()},
             {"runs", runs},
             {"factors", factors},
             {"defaultModel",
              model ? nlohmann::ordered_json(model->GetName()) : nlohmann::ordered_json(nullptr)}});
    }
    return json;
}

void PrintModule(const nlohmann::ordered_json& module) {
    std::cout << module["file"].get<std::string>() << "\n";
    std::cout << "  Слагаемые (" << module["addens"].size() << "):\n";
    for (const auto& a : module["addens"])
        std::cout << "    " << a["name"].get<std::string>() << " — " << a["text"].get<std::string>()
                  << " [" << a["coefName"].get<std::string>()
                  << "], факторов: " << a["neededFactors"].get<int>() << "\n";
    std::cout << "  Модели (" << module["models"].size() << "):\n";
    for (const auto& m : module["models"])
        std::cout << "    " << m["name"].get<std::string>()
                  << " (k = " << m["requiredDimension"].get<int>()
                  << ", слагаемых: " << m["addenCount"].get<int>() << ")\n";
    std::cout << "  Планы (" << module["generators"].size() << "):\n";
    for (const auto& g : module["generators"]) {
        std::cout << "    " << g["name"].get<std::string>() << " (N = " << g["runs"].get<int>()
                  << ", k = " << g["factors"].get<int>() << ")";
        if (!g["defaultModel"].is_null())
            std::cout << ", модель: " << g["defaultModel"].get<std::string>();
        std::cout << "\n";
    }
}

} // namespace

int RunQuantile(const TWords& words) {
    const TArguments arguments(words, {{"--alpha"}, {"--exact"}, 0, 3});
    const bool exact = arguments.Has("--exact");
    if (arguments.Value("--alpha") && !exact)
        throw TUsageError("--alpha задает уровень точного значения и требует --exact");
    const double value = Quantile(arguments.Positional(), exact, AlphaOption(arguments));
    if (!std::isfinite(value)) {
        ShowWarning("Для этих степеней свободы значения нет.");
        return ExitFailure;
    }
    std::cout << FormatShortestPoint(value) << "\n";
    return ExitSuccess;
}

int RunModules(const TWords& words) {
    const TArguments arguments(words, {{}, {"--json"}, 0, 0});
    // Messages of modules that fail to load go to standard error through the
    // process's default message host.
    TMathDefinition registry;
    nlohmann::ordered_json modules = nlohmann::ordered_json::array();
    for (const TModuleSpan& span : LoadModules(registry))
        modules.push_back(ModuleJson(registry, span));
    if (arguments.Has("--json")) {
        std::cout << nlohmann::ordered_json{{"modules", modules}}.dump(2) << "\n";
        return ExitSuccess;
    }
    for (const auto& module : modules)
        PrintModule(module);
    return ExitSuccess;
}

} // namespace orvanta::cli
