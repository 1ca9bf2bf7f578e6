#include "AnalysisOutput.h"

#include "numeric/NumberText.h"
#include "stats/ModelStatistics.h"

#include <cmath>

namespace orvanta::cli {

namespace {

const char* PlanKindName(std::uint8_t kind) {
    switch (kind) {
    case PlanFFE:
        return "ffe";
    case PlanCCO:
        return "cco";
    case PlanCCR:
        return "ccr";
    default:
        return "general";
    }
}

bool IsSignificant(const TRaruRuro& plan, std::int32_t i) {
    const auto at = static_cast<std::size_t>(i);
    return at >= plan.Significance.size() || plan.Significance[at];
}

nlohmann::ordered_json Optional(const std::optional<double>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json Optional(bool valid, double value) {
    return valid ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
}

std::int32_t FisherF1(const TRaruRuro& plan) {
    return plan.RunCount - plan.SignificantCount;
}

std::int32_t FisherF2(const TRaruRuro& plan) {
    return (plan.Repeats() - 1) * plan.RunCount;
}

std::string Verdict(bool good, const char* yes, const char* no) {
    return good ? yes : no;
}

} // namespace

std::string Number(double value) {
    return FormatGeneralPoint(value, 6);
}

std::vector<TCoefficientLine> CoefficientLines(const TRaruRuro& plan) {
    std::vector<TCoefficientLine> lines;
    if (!plan.HasBVector)
        return lines;
    const std::int32_t p = plan.BVector.Size();
    const std::int32_t m = plan.Repeats();
    const TNamedMatrix& c = plan.InvInfoMatrix;
    // After a refit C holds the significant terms only, packed in term order.
    const bool reduced = c.RowCount() < p;
    std::int32_t packed = 0;
    for (std::int32_t i = 0; i < p; ++i) {
        TCoefficientLine line{
            CoefficientLabel(plan, i), plan.BVector.Get(i), IsSignificant(plan, i), {}};
        const std::int32_t row = reduced ? (line.Significant ? packed++ : -1) : i;
        if (m > 1 && plan.HasReproVariance && plan.HasInvInfoMatrix && row >= 0 &&
            row < c.RowCount())
            line.StdError = std::sqrt(plan.ReproVariance * c.Get(row, row) / m);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string AnalysisText(const TRaruRuro& plan) {
    std::string text = "Коэффициенты модели:\n";
    for (const TCoefficientLine& line : CoefficientLines(plan)) {
        text += "  " + line.Label + " = " + Number(line.Value);
        if (line.StdError)
            text += "  (ошибка " + Number(*line.StdError) + ")";
        if (!line.Significant)
            text += "  статистически не значим";
        text += "\n";
    }
    text += "Значимых коэффициентов: " + IntToStr(plan.SignificantCount) + "\n";
    if (plan.HasCochran)
        text += "Критерий Кохрена: G = " + Number(plan.CochranG) +
                ", табличное G = " + Number(plan.CochranGCrit) + ". Дисперсии " +
                Verdict(plan.CochranG <= plan.CochranGCrit, "однородны.", "неоднородны.") + "\n";
    else if (plan.Repeats() == 1)
        text += "Повторных опытов нет: проверки однородности и адекватности не проводятся.\n";
    if (plan.HasFisher)
        text +=
            "Критерий Фишера: F = " + Number(plan.FisherF) +
            ", табличное F = " + Number(plan.FisherFCrit) + " (f1 = " + IntToStr(FisherF1(plan)) +
            ", f2 = " + IntToStr(FisherF2(plan)) + "). Модель " +
            Verdict(plan.FisherF <= plan.FisherFCrit, "адекватна", "неадекватна") + " системе.\n";
    if (plan.HasCheckT)
        text += "Контрольная точка: t = " + Number(plan.CheckT) +
                ", табличное t = " + Number(plan.CheckTCrit) +
                ", дисперсия предсказания (в долях s²) = " + Number(plan.CheckVarianceFactor) +
                ". Модель " + Verdict(plan.CheckT <= plan.CheckTCrit, "адекватна", "неадекватна") +
                " системе.\n";
    if (plan.HasReproVariance)
        text += "Дисперсия воспроизводимости: " + Number(plan.ReproVariance) + "\n";
    if (plan.HasAdequacyVariance)
        text += "Дисперсия адекватности: " + Number(plan.AdequacyVariance) + "\n";
    text += plan.StatusText + "\n";
    return text;
}

nlohmann::ordered_json AnalysisJson(const TRaruRuro& plan) {
    nlohmann::ordered_json json;
    json["factors"] = plan.FactorCount;
    json["runs"] = plan.RunCount;
    json["repeats"] = plan.Repeats();
    json["planKind"] = PlanKindName(plan.PlanKind);
    json["cochran"] = nullptr;
    if (plan.HasCochran)
        json["cochran"] = {{"G", plan.CochranG},
                           {"critical", plan.CochranGCrit},
                           {"homogeneous", plan.CochranG <= plan.CochranGCrit}};
    json["coefficients"] = nlohmann::ordered_json::array();
    for (const TCoefficientLine& line : CoefficientLines(plan))
        json["coefficients"].push_back({{"label", line.Label},
                                        {"value", line.Value},
                                        {"significant", line.Significant},
                                        {"stdError", Optional(line.StdError)}});
    json["significantCount"] = plan.SignificantCount;
    json["fisher"] = nullptr;
    if (plan.HasFisher)
        json["fisher"] = {{"F", plan.FisherF},
                          {"critical", plan.FisherFCrit},
                          {"f1", FisherF1(plan)},
                          {"f2", FisherF2(plan)},
                          {"adequate", plan.FisherF <= plan.FisherFCrit}};
    json["checkPoint"] = nullptr;
    if (plan.HasCheckT)
        json["checkPoint"] = {{"t", plan.CheckT},
                              {"critical", plan.CheckTCrit},
                              {"predictionVariance", plan.CheckVarianceFactor},
                              {"adequate", plan.CheckT <= plan.CheckTCrit}};
    json["reproducibilityVariance"] = Optional(plan.HasReproVariance, plan.ReproVariance);
    json["adequacyVariance"] = Optional(plan.HasAdequacyVariance, plan.AdequacyVariance);
    json["status"] = plan.StatusText;
    return json;
}

} // namespace orvanta::cli
