// The command that judges a plan before any response: evaluate.

#include "AnalysisOutput.h"
#include "Arguments.h"
#include "Commands.h"
#include "Session.h"
#include "StatisticsOutput.h"

#include "design/Aliases.h"
#include "design/Evaluation.h"
#include "design/EvaluationTables.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>

namespace orvanta::cli {

namespace {

using TJson = nlohmann::ordered_json;
using TRow = std::vector<std::string>;

std::string Figure(double value) {
    return std::isfinite(value) ? Number(value) : "—";
}

TJson Value(double value) {
    return std::isfinite(value) ? TJson(value) : TJson(nullptr);
}

std::string Coordinates(const TPoint& x) {
    std::string text;
    for (std::size_t i = 0; i < x.size(); ++i)
        text += (i ? "; " : "") + Figure(x[i]);
    return text;
}

std::string AliasText(const std::optional<TAliasStructure>& aliases, TAliasRefusal refusal) {
    if (!aliases)
        return "Структура смешивания " + AliasRefusalText(refusal) + "\n";
    if (aliases->DefiningWords.empty())
        return "Структура смешивания: полный факторный план, эффекты не смешаны.\n";
    std::string text = "Структура смешивания (до тройных взаимодействий):\nОпределяющее "
                       "соотношение: " +
                       DefiningRelationText(*aliases) +
                       "\nРазрешающая способность: " + RomanNumeral(*aliases->Resolution) + "\n";
    for (const TAliasChain& chain : aliases->Chains) {
        text += EffectText(chain.Effect);
        for (const TSignedEffect& alias : chain.Aliases)
            text += " = " + EffectText(alias);
        text += "\n";
    }
    return text;
}

std::string EvaluationText(const TDesignEvaluation& e, const std::vector<std::string>& names) {
    std::string text = "План: N = " + IntToStr(e.Runs) + ", p = " + IntToStr(e.Terms) +
                       ", m = " + IntToStr(e.Repeats) + "; область: " +
                       (e.Region == TDesignRegion::Cube ? "куб [-1; 1]" : "симплекс") + "\n\n";
    text +=
        "Эффективность плана, %:\n" + AlignedTable({{"D-эффективность", Figure(e.DEfficiency)},
                                                    {"A-эффективность", Figure(e.AEfficiency)},
                                                    {"G-эффективность", Figure(e.GEfficiency)}});
    std::vector<TRow> rows{{"Коэффициент", "VIF", "Относительная ошибка", "Мощность"}};
    for (std::size_t j = 0; j < names.size(); ++j)
        rows.push_back({names[j], e.Vif[j] ? Figure(*e.Vif[j]) : "", Figure(e.RelativeStdErrors[j]),
                        Figure(e.Power[j])});
    text += "\nКоэффициенты (ошибка на единицу σ; мощность t-критерия при α = " + Figure(e.Alpha) +
            " для коэффициента " + Figure(e.Delta) + "σ, f = " + IntToStr(e.PowerDf) + "):\n" +
            AlignedTable(rows);
    rows = {{"Опыт", "Рычаг"}};
    for (std::size_t i = 0; i < e.Leverage.size(); ++i)
        rows.push_back({IntToStr(std::int64_t(i) + 1), Figure(e.Leverage[i])});
    text += "\nРычаги опытов:\n" + AlignedTable(rows);
    text += "\nМасштабированная дисперсия предсказания N·fᵀCf:\n" +
            AlignedTable({{"В центре", Figure(e.SpvCentre)},
                          {"Наибольшая в области", Figure(e.SpvMax)},
                          {"Точка наибольшей", Coordinates(e.SpvMaxPoint)}});
    rows = {{"Доля области", "N·fᵀCf не больше"}};
    for (const TSpvFraction& f : e.Fds)
        rows.push_back({Figure(f.Fraction), Figure(f.Spv)});
    return text + AlignedTable(rows);
}

TJson AliasJson(const TAliasStructure& aliases) {
    const auto effect = [](TEffect e) { return TJson(EffectFactors(e)); };
    TJson words = TJson::array(), signs = TJson::array(), chains = TJson::array();
    for (const TSignedEffect& word : aliases.DefiningWords) {
        words.push_back(effect(word.Effect));
        signs.push_back(word.Sign);
    }
    for (const TAliasChain& chain : aliases.Chains) {
        TJson list = TJson::array();
        for (const TSignedEffect& alias : chain.Aliases)
            list.push_back({{"effect", effect(alias.Effect)}, {"sign", alias.Sign}});
        chains.push_back({{"effect", effect(chain.Effect)}, {"aliases", std::move(list)}});
    }
    return {{"resolution", aliases.Resolution ? TJson(*aliases.Resolution) : TJson(nullptr)},
            {"definingWords", std::move(words)},
            {"definingSigns", std::move(signs)},
            {"chains", std::move(chains)}};
}

TJson EvaluationJson(const TDesignEvaluation& e, const std::vector<std::string>& names,
                     const std::optional<TAliasStructure>& aliases) {
    TJson vif = TJson::array(), power = TJson::array(), fds = TJson::array();
    for (std::size_t j = 0; j < e.Vif.size(); ++j) {
        vif.push_back(e.Vif[j] ? Value(*e.Vif[j]) : TJson(nullptr));
        power.push_back(Value(e.Power[j]));
    }
    for (const TSpvFraction& f : e.Fds)
        fds.push_back({{"fraction", f.Fraction}, {"spv", Value(f.Spv)}});
    return {{"runs", e.Runs},
            {"terms", e.Terms},
            {"repeats", e.Repeats},
            {"region", e.Region == TDesignRegion::Cube ? "cube" : "simplex"},
            {"names", names},
            {"vif", std::move(vif)},
            {"relativeStdErrors", e.RelativeStdErrors},
            {"leverage", e.Leverage},
            {"dEfficiency", Value(e.DEfficiency)},
            {"aEfficiency", Value(e.AEfficiency)},
            {"gEfficiency", Value(e.GEfficiency)},
            {"spvCentre", Value(e.SpvCentre)},
            {"spvMax", Value(e.SpvMax)},
            {"spvMaxPoint", e.SpvMaxPoint},
            {"fds", std::move(fds)},
            {"alpha", e.Alpha},
            {"delta", e.Delta},
            {"powerDf", e.PowerDf},
            {"power", std::move(power)},
            {"alias", aliases ? AliasJson(*aliases) : TJson(nullptr)}};
}

double DeltaOption(const TArguments& arguments) {
    const auto text = arguments.Value("--delta");
    if (!text)
        return 2.0;
    const double delta = ParseNumber(*text, "--delta");
    if (!(delta > 0.0 && std::isfinite(delta)))
        throw TUsageError("--delta принимает число больше 0");
    return delta;
}

} // namespace

int RunEvaluate(const TWords& words) {
    const TArguments arguments(words, {{"--delta", "--alpha"}, {"--json"}, 1, 1});
    TEvaluationOptions options;
    options.Delta = DeltaOption(arguments);
    options.Alpha = AlphaOption(arguments);
    TBatchSession session;
    const TRaruRuro& plan = session.Plan;
    if (!session.Open(arguments.Positional().front()))
        return ExitFailure;
    if (const std::string problem = EvaluationProblem(plan); !problem.empty()) {
        ShowWarning(problem);
        return ExitFailure;
    }
    options.Repeats = plan.Repeats();
    const auto evaluation = EvaluateDesign(plan.CodeMatrix, PlanBasis(plan), options);
    if (!evaluation) {
        ShowWarning(SingularDesignText());
        return ExitFailure;
    }
    TAliasRefusal refusal = TAliasRefusal::None;
    const auto aliases = AliasStructure(plan.CodeMatrix, &refusal);
    const std::vector<std::string> names = CoefficientNames(plan);
    if (arguments.Has("--json"))
        std::cout << EvaluationJson(*evaluation, names, aliases).dump(2) << "\n";
    else
        std::cout << EvaluationText(*evaluation, names) << "\n" << AliasText(aliases, refusal);
    return ExitSuccess;
}

} // namespace orvanta::cli
