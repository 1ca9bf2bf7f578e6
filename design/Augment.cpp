#include "design/Augment.h"

#include "design/DOptimal.h"
#include "design/Evaluation.h"
#include "design/ModelMatrix.h"
#include "design/PlanModel.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"

#include <cmath>

namespace orvanta {

namespace {

constexpr double LevelTolerance = 1e-9;
// More centre runs than anyone makes; a typing slip otherwise.
constexpr std::int32_t MaxCentreRuns = 1000;
constexpr std::int32_t MaxNewRuns = 100000;

bool AtCentre(const TMatrix& design, std::int32_t i) {
    for (std::int32_t j = 0; j < design.ColCount(); ++j)
        if (design.Get(i, j) != 0.0)
            return false;
    return true;
}

// Every run is at the centre or has only the levels -1 and +1, and some
// run is not at the centre.
bool IsTwoLevel(const TMatrix& design) {
    for (std::int32_t i = 0; i < design.RowCount(); ++i) {
        if (AtCentre(design, i))
            continue;
        for (std::int32_t j = 0; j < design.ColCount(); ++j)
            if (std::fabs(std::fabs(design.Get(i, j)) - 1.0) > LevelTolerance)
                return false;
    }
    return FactorialRunCount(design) > 0;
}

const char* const TwoLevelOnly = "кодированные значения всех опытов, кроме центральных, "
                                 "должны быть равны -1 или +1.";

std::string RequestProblem(const TRaruRuro& plan, const TAugmentRequest& request) {
    const std::int32_t k = plan.FactorCount;
    switch (request.Kind) {
    case TAugmentKind::FoldOver:
        if (request.Factor < 0 || request.Factor > k)
            return "Номер фактора для смены знака должен быть от 1 до " + IntToStr(k) + ".";
        break;
    case TAugmentKind::Axial:
        if (request.Alpha && !(*request.Alpha > 0.0 && std::isfinite(*request.Alpha)))
            return "Плечо звездных точек должно быть числом больше 0.";
        if (request.Centre < 0 || request.Centre > MaxCentreRuns)
            return "Число центральных опытов должно быть от 0 до " + IntToStr(MaxCentreRuns) + ".";
        break;
    case TAugmentKind::DOptimal:
        if (request.Runs < 1 || request.Runs > MaxNewRuns)
            return "Число добавляемых опытов должно быть от 1 до " + IntToStr(MaxNewRuns) + ".";
        break;
    }
    return {};
}

std::optional<TMatrix> DOptimalRuns(const TRaruRuro& plan, const TAugmentRequest& request,
                                    std::string& message) {
    const std::int32_t k = plan.FactorCount;
    TDOptimalOptions options;
    options.Seed = request.Seed;
    for (std::int32_t i = 0; i < plan.CodeMatrix.RowCount(); ++i)
        options.Fixed.emplace_back(plan.CodeMatrix.Row(i), plan.CodeMatrix.Row(i) + k);
    const TDOptimalPlan design = BuildDOptimalPlanFor(request.Runs, PlanBasis(plan), options);
    if (design.Runs.empty()) {
        message = design.Message;
        return std::nullopt;
    }
    TMatrix runs(request.Runs, k);
    for (std::int32_t i = 0; i < request.Runs; ++i)
        for (std::int32_t j = 0; j < k; ++j)
            runs.Set(i, j, design.Runs[std::size_t(i)][std::size_t(j)]);
    return runs;
}

std::optional<TMatrix> NewRuns(const TRaruRuro& plan, const TAugmentRequest& request,
                               TAugmentResult& result, std::string& message) {
    switch (request.Kind) {
    case TAugmentKind::FoldOver:
        return FoldOverRuns(plan.CodeMatrix, request.Factor);
    case TAugmentKind::Axial:
        result.Alpha = request.Alpha.value_or(RotatableAlpha(plan));
        return AxialRuns(plan.FactorCount, result.Alpha, request.Centre);
    case TAugmentKind::DOptimal:
        break;
    }
    return DOptimalRuns(plan, request, message);
}

// The block of `rows` rows and the old matrix's columns with the old one on
// top; zeros below it.
TNamedMatrix Extended(const TNamedMatrix& old, std::int32_t rows) {
    TNamedMatrix extended;
    extended.Create(rows, old.ColCount());
    extended.PutBlock(old, 0, 0);
    extended.SetName(old.GetName());
    return extended;
}

void AppendRuns(TRaruRuro& plan, const TMatrix& added, TModuleTerms model) {
    const std::int32_t old = plan.CodeMatrix.RowCount();
    const std::int32_t n = old + added.RowCount();
    TNamedMatrix code = Extended(plan.CodeMatrix, n);
    code.PutBlock(added, old, 0);
    plan.CodeMatrix = std::move(code);
    if (plan.HasYMatrix)
        plan.YMatrix = Extended(plan.YMatrix, n);
    plan.RunCount = n;
    plan.HasRunCount = true;
    // The runs no longer come from a generator or a built-in rule: the plan
    // is a general one, with the model in the modules' terms.
    plan.PlanKind = PlanGeneral;
    plan.HasPlanKind = true;
    plan.Generator = nullptr;
    plan.HasStarArm = false;
    plan.Model = model.Model;
    plan.Addens = std::move(model.Addens);
    plan.DropResults();
    plan.HasNaturalMatrix = false;
    plan.RefreshNaturalMatrix();
    plan.Modified = true;
}

std::optional<double> DEfficiencyOf(const TRaruRuro& plan) {
    TEvaluationOptions options;
    // Only the determinant is wanted: a token sample of the region.
    options.SamplePoints = 20;
    const auto evaluation = EvaluateDesign(plan.CodeMatrix, PlanBasis(plan), options);
    if (!evaluation || !std::isfinite(evaluation->DEfficiency))
        return std::nullopt;
    return evaluation->DEfficiency;
}

} // namespace

std::int32_t FactorialRunCount(const TMatrix& design) {
    std::int32_t count = 0;
    for (std::int32_t i = 0; i < design.RowCount(); ++i)
        count += AtCentre(design, i) ? 0 : 1;
    return count;
}

double RotatableAlpha(const TRaruRuro& plan) {
    return std::pow(double(FactorialRunCount(plan.CodeMatrix)), 0.25);
}

std::string AugmentRefusal(const TRaruRuro& plan, TAugmentKind kind) {
    const TMatrix& design = plan.CodeMatrix;
    if (!plan.HasCodeMatrix || plan.FactorCount < 1 || design.ColCount() != plan.FactorCount ||
        design.RowCount() < 1)
        return "Нет кодированной матрицы плана.";
    if (plan.TermCount() < 1)
        return "Нет модели плана.";
    if (kind == TAugmentKind::FoldOver && !IsTwoLevel(design))
        return std::string("Зеркальное дополнение возможно только для двухуровневого плана: ") +
               TwoLevelOnly;
    if (kind == TAugmentKind::Axial && !IsTwoLevel(design))
        return std::string("Звездные точки добавляются только к двухуровневому плану: ") +
               TwoLevelOnly;
    std::string message;
    if (!PlanModuleModel(plan, kind == TAugmentKind::Axial, message))
        return message;
    return {};
}

TMatrix FoldOverRuns(const TMatrix& design, std::int32_t factor) {
    const std::int32_t k = design.ColCount();
    TMatrix runs(FactorialRunCount(design), k);
    std::int32_t row = 0;
    for (std::int32_t i = 0; i < design.RowCount(); ++i) {
        if (AtCentre(design, i))
            continue;
        for (std::int32_t j = 0; j < k; ++j) {
            const bool reversed = factor == 0 || factor == j + 1;
            runs.Set(row, j, reversed ? -design.Get(i, j) : design.Get(i, j));
        }
        ++row;
    }
    return runs;
}

TMatrix AxialRuns(std::int32_t k, double alpha, std::int32_t centre) {
    TMatrix runs(2 * k + centre, k);
    for (std::int32_t j = 0; j < k; ++j) {
        runs.Set(2 * j, j, -alpha);
        runs.Set(2 * j + 1, j, alpha);
    }
    return runs;
}

std::optional<TAugmentResult> AugmentPlan(TRaruRuro& plan, const TAugmentRequest& request,
                                          std::string& message) {
    message = AugmentRefusal(plan, request.Kind);
    if (message.empty())
        message = RequestProblem(plan, request);
    if (!message.empty())
        return std::nullopt;
    TAugmentResult result;
    result.OldRuns = plan.CodeMatrix.RowCount();
    result.OldTerms = plan.TermCount();
    auto model = PlanModuleModel(plan, request.Kind == TAugmentKind::Axial, message);
    const auto added = model ? NewRuns(plan, request, result, message) : std::nullopt;
    if (!added)
        return std::nullopt;
    result.Added = *added;
    AppendRuns(plan, result.Added, std::move(*model));
    result.Terms = plan.TermCount();
    result.DEfficiency = DEfficiencyOf(plan);
    plan.ShowPlanWindows();
    plan.Host().RefreshCommands();
    return result;
}

} // namespace orvanta
