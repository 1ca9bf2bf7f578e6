#include "design/EvaluationTables.h"

#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"

#include <cmath>

namespace orvanta {

namespace {

// A coefficient whose variance is inflated this much, or whose test is this
// weak, is worth a look before the runs are made.
constexpr double LargeVif = 10.0;
constexpr double LowPower = 0.8;

TStatCell Figure(double value) {
    return {StatFigure(value), std::isfinite(value) ? std::optional<double>(value) : std::nullopt};
}

TStatCell Name(const std::string& text) {
    return {text, std::nullopt};
}

std::string Coordinates(const TPoint& x) {
    std::string text;
    for (std::size_t i = 0; i < x.size(); ++i)
        text += (i ? "; " : "") + StatFigure(x[i]);
    return text;
}

TStatSection Efficiency(const TDesignEvaluation& e) {
    TStatSection section{"efficiency", "Эффективность", {}, {}, {}};
    section.Above.push_back("План: N = " + IntToStr(e.Runs) + ", p = " + IntToStr(e.Terms) +
                            ", m = " + IntToStr(e.Repeats) + "; область: " +
                            (e.Region == TDesignRegion::Cube ? "куб [−1; 1]." : "симплекс."));
    TStatTable table = StatTable({"Показатель", "Значение"});
    AddStatRow(table, {Name("D-эффективность, %"), Figure(e.DEfficiency)});
    AddStatRow(table, {Name("A-эффективность, %"), Figure(e.AEfficiency)});
    AddStatRow(table, {Name("G-эффективность, %"), Figure(e.GEfficiency)});
    AddStatRow(table, {Name("N·fᵀCf в центре"), Figure(e.SpvCentre)});
    AddStatRow(table, {Name("N·fᵀCf наибольшая в области"), Figure(e.SpvMax)});
    section.Tables.push_back(std::move(table));
    section.Below = {
        "Наибольшая дисперсия предсказания в точке (" + Coordinates(e.SpvMaxPoint) + ").",
        "C = (XᵀX)⁻¹; D = 100·det(XᵀX)^(1/p)/N, A = 100·p/(N·tr C), G = 100·p/(N·max hᵢ), "
        "hᵢ = fᵢᵀCfᵢ — рычаг опыта i."};
    return section;
}

TStatSection Coefficients(const TDesignEvaluation& e, const std::vector<std::string>& names) {
    TStatSection section{"coefficients", "Коэффициенты", {}, {}, {}};
    section.Above.push_back("Ошибки коэффициентов на единицу σ; мощность t-критерия при α = " +
                            StatFigure(e.Alpha) + " для коэффициента " + StatFigure(e.Delta) +
                            "σ, число степеней свободы " + IntToStr(e.PowerDf) + ".");
    TStatTable table = StatTable({"Коэффициент", "VIF", "Относительная ошибка", "Мощность"});
    bool anyMarked = false;
    for (std::size_t j = 0; j < e.RelativeStdErrors.size(); ++j) {
        const std::optional<double>& vif = e.Vif[j];
        const bool marked = (vif && *vif > LargeVif) || e.Power[j] < LowPower;
        anyMarked = anyMarked || marked;
        AddStatRow(table,
                   {Name(j < names.size() ? names[j] : "B" + IntToStr(std::int64_t(j))),
                    vif ? Figure(*vif) : Name(""), Figure(e.RelativeStdErrors[j]),
                    Figure(e.Power[j])},
                   marked);
    }
    section.Tables.push_back(std::move(table));
    if (anyMarked)
        section.Below.push_back("Выделены коэффициенты с VIF > " + StatFigure(LargeVif) +
                                " или мощностью меньше " + StatFigure(LowPower) + ".");
    return section;
}

TStatSection Leverage(const TRaruRuro& plan, const TDesignEvaluation& e) {
    TStatSection section{"leverage", "Рычаги опытов", {}, {}, {}};
    std::vector<std::string> header{"Опыт"};
    for (std::int32_t j = 0; j < plan.FactorCount; ++j)
        header.push_back(PlanFactorName(plan, std::size_t(j)));
    header.push_back("Рычаг");
    TStatTable table = StatTable(std::move(header));
    // The usual rule for a run that pulls the fit towards itself: twice the
    // average leverage p/N.
    const double high = 2.0 * e.Terms / e.Runs;
    for (std::int32_t i = 0; i < e.Runs; ++i) {
        TStatRow row{{IntToStr(i + 1), double(i + 1)}};
        for (std::int32_t j = 0; j < plan.FactorCount; ++j)
            row.push_back(Figure(plan.CodeMatrix.Get(i, j)));
        const double h = e.Leverage[std::size_t(i)];
        row.push_back(Figure(h));
        AddStatRow(table, std::move(row), h > high);
    }
    section.Tables.push_back(std::move(table));
    section.Above.push_back("Кодированные значения факторов и рычаг hᵢ = fᵢᵀCfᵢ каждого опыта.");
    section.Below.push_back("Выделены опыты с рычагом больше 2p/N = " + StatFigure(high) + ".");
    return section;
}

TStatSection Fds(const TDesignEvaluation& e) {
    TStatSection section{"fds", "Дисперсия предсказания", {}, {}, {}};
    section.Above.push_back("Доля области плана, в которой масштабированная дисперсия "
                            "предсказания N·fᵀCf не больше указанной.");
    TStatTable table = StatTable({"Доля области", "N·fᵀCf не больше"});
    for (const TSpvFraction& f : e.Fds)
        AddStatRow(table, {Figure(f.Fraction), Figure(f.Spv)});
    section.Tables.push_back(std::move(table));
    return section;
}

TStatSection Aliases(const std::optional<TAliasStructure>& aliases, TAliasRefusal refusal) {
    TStatSection section{"aliases", "Смешивание", {}, {}, {}};
    if (!aliases) {
        section.Above.push_back("Структура смешивания " + AliasRefusalText(refusal));
        return section;
    }
    if (aliases->DefiningWords.empty()) {
        section.Above.push_back("Полный факторный план: эффекты не смешаны.");
        return section;
    }
    section.Above.push_back("Определяющее соотношение: " + DefiningRelationText(*aliases) + ".");
    section.Above.push_back("Разрешающая способность: " + RomanNumeral(*aliases->Resolution) + ".");
    TStatTable table = StatTable({"Эффект", "Смешан с (до тройных взаимодействий)"});
    for (const TAliasChain& chain : aliases->Chains) {
        std::string with;
        for (const TSignedEffect& alias : chain.Aliases)
            with += (with.empty() ? "" : " = ") + EffectText(alias);
        AddStatRow(table, {Name(EffectText(chain.Effect)), Name(with.empty() ? "—" : with)},
                   !chain.Aliases.empty());
    }
    section.Tables.push_back(std::move(table));
    return section;
}

} // namespace

std::string EvaluationProblem(const TRaruRuro& plan) {
    const std::int32_t n = plan.CodeMatrix.RowCount();
    const std::int32_t p = plan.TermCount();
    if (!plan.HasCodeMatrix || plan.FactorCount < 1 ||
        plan.CodeMatrix.ColCount() != plan.FactorCount)
        return "Оценка плана невозможна: нет кодированной матрицы плана.";
    if (p < 1)
        return "Оценка плана невозможна: нет модели.";
    if (n < p)
        return "Оценка плана невозможна: опытов (N = " + IntToStr(n) +
               ") меньше, чем слагаемых модели (p = " + IntToStr(p) + ").";
    return {};
}

TCurvesPicture FdsPicture(const std::vector<TSpvFraction>& fds) {
    TCurve curve;
    for (const TSpvFraction& f : fds)
        curve.Points.push_back({f.Fraction, f.Spv});
    return {"Доля области плана (FDS)", "Доля области", "N·fᵀCf", {curve}, {{0.0, 1.0}}};
}

std::string SingularDesignText() {
    return "Оценка плана невозможна: информационная матрица вырождена, план не позволяет "
           "оценить все коэффициенты модели.";
}

std::vector<std::string> CoefficientNames(const TRaruRuro& plan) {
    std::vector<std::string> names;
    const std::int32_t p = plan.TermCount();
    const std::int32_t k = plan.FactorCount;
    if (plan.PlanKind == PlanGeneral) {
        for (std::int32_t j = 0; j < p; ++j) {
            const TAdden* adden =
                plan.Model ? plan.Model->GetAdden(j) : plan.Addens[static_cast<std::size_t>(j)];
            names.push_back(adden ? adden->GetCoefName() : "B" + IntToStr(j));
        }
        return names;
    }
    for (std::int32_t t = 0; t <= k; ++t)
        names.push_back("B" + IntToStr(t));
    for (std::int32_t i = 1; i <= k && std::int32_t(names.size()) < p; ++i)
        for (std::int32_t j = i + 1; j <= k; ++j)
            names.push_back("B" + IntToStr(i) + IntToStr(j));
    for (std::int32_t i = 1; i <= k && std::int32_t(names.size()) < p; ++i)
        names.push_back("B" + IntToStr(i) + IntToStr(i));
    names.resize(static_cast<std::size_t>(p));
    return names;
}

std::string AliasRefusalText(TAliasRefusal refusal) {
    switch (refusal) {
    case TAliasRefusal::NotTwoLevel:
        return "определяется только для двухуровневого плана (кодированные значения ±1).";
    case TAliasRefusal::NotRegular:
        return "не определена: план не является регулярной дробной репликой, эффекты смешаны "
               "частично.";
    case TAliasRefusal::TooManyFactors:
        return "не определена: слишком много факторов (больше " + IntToStr(MaxAliasFactors) + ").";
    case TAliasRefusal::None:
        break;
    }
    return {};
}

std::string DefiningRelationText(const TAliasStructure& aliases) {
    std::string relation = "I";
    for (const TSignedEffect& word : aliases.DefiningWords)
        relation += " = " + EffectText(word);
    return relation;
}

std::vector<TStatSection> EvaluationSections(const TRaruRuro& plan, const TDesignEvaluation& e,
                                             const std::optional<TAliasStructure>& aliases,
                                             TAliasRefusal refusal) {
    return {Efficiency(e), Coefficients(e, CoefficientNames(plan)), Leverage(plan, e), Fds(e),
            Aliases(aliases, refusal)};
}

} // namespace orvanta
