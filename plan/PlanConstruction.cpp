#include "plan/RaruRuro.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/Settings.h"

#include <cmath>
#include <new>

namespace orvanta {

namespace {

const char* const CannotCreate = "Невозможно создать план: \n";

std::int32_t CentralCompositeRuns(std::int32_t k) {
    return (1 << k) + 2 * k + 1;
}

} // namespace

bool TRaruRuro::NewPlan() {
    const auto answers = PlanHost.RunNewPlanWizard();
    if (!answers)
        return false;
    return BuildNewPlan(*answers);
}

bool TRaruRuro::BuildNewPlan(const TNewPlanAnswers& answers) {
    const bool defined =
        answers.Source == TPlanSource::Builtin ? DefineBuiltinPlan() : DefineGeneralPlan(answers);
    if (!defined)
        return false;
    try {
        return FinishNewPlan();
    } catch (const std::bad_alloc&) {
        ShowError("Недостаточно памяти для создания плана. Извините.");
        HasFactorCount = false;
        return false;
    }
}

bool TRaruRuro::DefineBuiltinPlan() {
    const auto answer = PlanHost.RunBuiltinPlanDialog();
    if (!answer)
        return false;
    const std::int32_t k = answer->FactorCount;
    // The dialog admits 2 .. 10 factors; larger plans would not fit in memory.
    if (k < 2 || k > MaxBuiltinFactors) {
        ShowWarning(std::string(CannotCreate) + "План порядка " + IntToStr(k) +
                    " не поддерживается.");
        return false;
    }
    SetFactorCount(k);
    if (answer->Kind < PlanFFE || answer->Kind > PlanCCR) {
        ShowWarning(std::string(CannotCreate) + "Неизвестный тип плана.");
        SetFactorCount(-1);
        return false;
    }
    Generator = nullptr;
    Model = nullptr;
    Addens.clear();
    PlanKind = static_cast<std::uint8_t>(answer->Kind);
    RunCount = PlanKind == PlanFFE ? (1 << k) : CentralCompositeRuns(k);
    return true;
}

bool TRaruRuro::DefineGeneralPlan(const TNewPlanAnswers& answers) {
    Generator = nullptr;
    Model = nullptr;
    Addens.clear();
    std::int32_t k = answers.FactorCount;
    std::int32_t n = answers.RunCount;
    if (answers.Source == TPlanSource::Generator) {
        const std::int32_t index = Catalog ? Catalog->GenByName(answers.GeneratorName) : -1;
        if (index < 0) {
            ShowWarning("Внутренняя ошибка: ExternalModules.GenByName()");
            return false;
        }
        Generator = Catalog->Generator(index);
        Generator->GetSize(n, k);
    }
    if (k < 1 || n < 1) {
        ShowWarning(std::string(CannotCreate) + "Неверный размер плана: " + IntToStr(n) + " x " +
                    IntToStr(k) + ".");
        Generator = nullptr;
        return false;
    }
    SetFactorCount(k);
    RunCount = n;
    if (Generator && answers.UseGeneratorModel) {
        Model = Generator->DefaultModel();
    } else if (answers.UseStandardModel && Catalog) {
        const std::int32_t index = Catalog->ModelByName(answers.ModelName);
        if (index >= 0)
            Model = Catalog->Model(index);
    }
    if (!Model)
        Addens = answers.Addens;
    PresetRuns.clear();
    if (!Model && !Generator && std::int32_t(answers.Runs.size()) == n)
        PresetRuns = answers.Runs;
    PlanKind = PlanGeneral;
    return true;
}

void TRaruRuro::DefaultNaturalUnits() {
    const std::int32_t k = FactorCount;
    BaseLevels.Create(k);
    Intervals.Create(k);
    for (std::int32_t j = 0; j < k; ++j)
        Intervals.Set(j, 1.0);
    NaturalMatrix.Create(RunCount, k);
    HasBaseLevels = HasIntervals = HasNaturalMatrix = true;
    RefreshNaturalMatrix();
}

bool TRaruRuro::FinishNewPlan() {
    HasPlanKind = true;
    HasRunCount = true;
    BuildCodeMatrix();
    // Unit intervals and zero base levels: natural equals coded until the
    // person enters the levels.
    DefaultNaturalUnits();
    if (Settings().CBAlsoCreateY && !EditResponses()) {
        HasFactorCount = false;
        return false;
    }
    MakeDefaultFactorNames();
    if (PlanKind == PlanGeneral && RunCount == TermCount() && Settings().CBCPForSaturated &&
        HasRepeatCount && RepeatCount > 1)
        PlanHost.ShowCheckPointWindow();

    ShowPlanWindows();
    PlanHost.RefreshCommands();
    return true;
}

void TRaruRuro::BuildCodeMatrix() {
    const std::int32_t n = RunCount;
    const std::int32_t k = FactorCount;
    CodeMatrix.SetSize(n, k);
    HasCodeMatrix = true;
    if (n < 1 || k < 1)
        return;

    if (PlanKind == PlanGeneral) {
        if (!Generator) {
            // The wizard's D-optimal plan, when the person asked for one.
            for (std::size_t i = 0; i < PresetRuns.size() && i < std::size_t(n); ++i)
                for (std::int32_t j = 0; j < k && j < std::int32_t(PresetRuns[i].size()); ++j)
                    CodeMatrix.Set(std::int32_t(i), j, PresetRuns[i][std::size_t(j)]);
            PresetRuns.clear();
            return;
        }
        std::int32_t rows = 0;
        std::int32_t cols = 0;
        Generator->GetSize(rows, cols);
        if (rows != n || cols != k) {
            ShowError("Внутренняя ошибка: TGenerator.GetSize() <> RunCount, FactorCount");
            return;
        }
        std::vector<double*> table(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i)
            table[static_cast<std::size_t>(i)] = CodeMatrix.Row(i);
        Generator->Fill(table.data());
        return;
    }

    // Factorial core in standard order: the first factor alternates fastest.
    const std::int32_t core = std::min(n, std::int32_t{1} << k);
    for (std::int32_t i = 0; i < core; ++i)
        for (std::int32_t j = 0; j < k; ++j)
            CodeMatrix.Set(i, j, ((i >> j) & 1) ? 1.0 : -1.0);
    if (PlanKind != PlanCCO && PlanKind != PlanCCR)
        return;

    StarArm = ComputeStarArm(PlanKind);
    HasStarArm = true;
    for (std::int32_t j = 0; j < k; ++j) {
        const std::int32_t row = (1 << k) + 2 * j;
        if (row + 1 >= n) // the last row is the centre point
            break;
        CodeMatrix.Set(row, j, -StarArm);
        CodeMatrix.Set(row + 1, j, StarArm);
    }
    // The centre point (the last row) stays all zeros.
}

double TRaruRuro::ComputeStarArm(std::int32_t kind) const {
    const double core = std::ldexp(1.0, FactorCount);
    if (kind == PlanCCR)
        return std::pow(core, 0.25);
    if (kind == PlanCCO)
        return std::sqrt((std::sqrt(core * RunCount) - core) / 2.0);
    return 0.0;
}

bool TRaruRuro::ResetCodeMatrix() {
    if (!HasPlanKind || !HasFactorCount || !HasRunCount)
        return false;
    if (PlanKind == PlanGeneral ? Generator == nullptr : PlanKind > PlanGeneral)
        return false;
    BuildCodeMatrix();
    if (PlanHost.IsDataWindowOpen(TDataWindow::CodeMatrix))
        PlanHost.RefreshDataWindow(TDataWindow::CodeMatrix);
    RefreshNaturalMatrix();
    PlanHost.RefreshCommands();
    return true;
}

} // namespace orvanta
