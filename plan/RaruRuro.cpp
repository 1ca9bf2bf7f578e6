#include "plan/RaruRuro.h"

#include "numeric/FieldChecks.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/PlanFile.h"

#include <algorithm>

namespace orvanta {

const char* const DefaultResponseName = "Отклик системы";

TRaruRuro::TRaruRuro(TPlanHost& host) : PlanHost(host), MessageScope(host) {}

TRaruRuro::~TRaruRuro() = default;

bool TRaruRuro::SetFactorCount(std::int32_t k) {
    if (k > 0) {
        FactorCount = k;
        HasFactorCount = true;
        return true;
    }
    FactorCount = -1;
    HasFactorCount = false;
    return false;
}

void TRaruRuro::InvalidateData() {
    HasCodeMatrix = false;
    HasNaturalMatrix = false;
    HasBaseLevels = false;
    HasIntervals = false;
    HasRepeatCount = false;
    HasYMatrix = false;
    HasCheckPoint = false;
    HasCheckY = false;
    DropResults();
}

void TRaruRuro::DropResults() {
    HasYMean = false;
    HasYVariance = false;
    HasYDeviation = false;
    HasMaxRunVariance = false;
    HasReproVariance = false;
    HasCochran = false;
    HasBasisMatrix = false;
    HasInfoMatrix = false;
    HasInvInfoMatrix = false;
    HasBVector = false;
    HasSignificance = false;
    HasEquationLines = false;
    HasResiduals2 = false;
    HasAdequacyVariance = false;
    HasFisher = false;
    HasCheckVarianceFactor = false;
    HasCheckT = false;
    HasExtremumPoint = false;
}

void TRaruRuro::Reset() {
    InvalidateData();
    FactorCount = -1;
    HasFactorCount = false;
    HasPlanKind = false;
    Generator = nullptr;
    Model = nullptr;
    Addens.clear();
    HasRunCount = false;
    HasStarArm = false;
    HasFactorNames = false;
    HasBasisMatrix = false;
    HasAdequacyVariance = false;
    HasFisher = false;
    HasCheckVarianceFactor = false;
    HasCheckT = false;
    Modified = false;
    FileName.clear();
}

void TRaruRuro::FreeData() {
    for (auto window : {TDataWindow::CodeMatrix, TDataWindow::NaturalMatrix,
                        TDataWindow::BaseLevels, TDataWindow::Intervals, TDataWindow::Responses})
        if (PlanHost.IsDataWindowOpen(window))
            PlanHost.CloseDataWindow(window);
    if (PlanHost.IsReportWindowOpen())
        PlanHost.CloseReportWindow();

    BaseLevels.Done();
    Intervals.Done();
    YMatrix.Done();
    InfoMatrix.Done();
    InvInfoMatrix.Done();
    CheckPoint.Done();
    CheckY.Done();
    YMean.Done();
    YVariance.Done();
    YDeviation.Done();
    BVector.Done();
    Residuals2.Done();
    ExtremumPoint.Done();
    // The plan data, the observations and the results that stand on them;
    // what was released (the information matrices, the check point) too.
    InvalidateData();
}

void TRaruRuro::MakeDefaultFactorNames() {
    FactorNames.clear();
    for (std::int32_t i = 1; i <= FactorCount; ++i)
        FactorNames.push_back("Фактор № " + IntToStr(i));
    HasFactorNames = true;
}

void TRaruRuro::CodedToNatural(const double* x, double* z) const {
    for (std::int32_t j = 0; j < FactorCount; ++j)
        z[j] = x[j] * Intervals.Get(j) + BaseLevels.Get(j);
}

void TRaruRuro::NaturalToCoded(const double* z, double* x) const {
    for (std::int32_t j = 0; j < FactorCount; ++j) {
        const double interval = Intervals.Get(j);
        const double difference = z[j] - BaseLevels.Get(j);
        x[j] = interval == 0.0 ? difference : difference / interval;
    }
}

void TRaruRuro::RefreshNaturalMatrix() {
    if (!HasBaseLevels || !HasIntervals || !HasCodeMatrix)
        return;
    const std::int32_t rows = CodeMatrix.RowCount();
    const std::int32_t cols = CodeMatrix.ColCount();
    if (BaseLevels.Size() < cols || Intervals.Size() < cols)
        return;
    if (NaturalMatrix.RowCount() != rows || NaturalMatrix.ColCount() != cols)
        NaturalMatrix.SetSize(rows, cols);
    for (std::int32_t i = 0; i < rows; ++i)
        for (std::int32_t j = 0; j < cols; ++j)
            NaturalMatrix.Set(i, j, CodeMatrix.Get(i, j) * Intervals.Get(j) + BaseLevels.Get(j));
    HasNaturalMatrix = true;
    if (PlanHost.IsDataWindowOpen(TDataWindow::NaturalMatrix))
        PlanHost.RefreshDataWindow(TDataWindow::NaturalMatrix);
}

bool TRaruRuro::EditResponses() {
    if (!HasRunCount) {
        ShowWarning("Невозможно начать редактирование откликов:\nнеизвестно количество опытов.");
        return false;
    }
    TRepeatsRequest request;
    request.Caption = HasYMatrix ? "Изменить количество повторений" : "Новый набор наблюдений";
    request.ResponseName = ResponseName;
    const auto answer = PlanHost.RunRepeatsDialog(request);
    if (!answer)
        return false;

    std::int32_t m = -1;
    const std::size_t length = answer->RepeatsText.size();
    if (length >= 1 && length <= 3 && !TextToInt(answer->RepeatsText, m))
        m = -1;
    if (m < 1) {
        // The dialog admits 1 .. 64 repeats; anything else would leave an
        // observation matrix without columns behind a valid flag.
        TSpinField field{answer->RepeatsText, 1, 64};
        CheckSpinInteger(field, "Количество повторений");
        return false;
    }
    if (!CheckStoredText(answer->ResponseName, "Имя отклика"))
        return false;
    ResponseName = answer->ResponseName.empty() ? DefaultResponseName : answer->ResponseName;
    RepeatCount = m;
    HasRepeatCount = true;

    if (HasYMatrix) {
        TNamedMatrix resized;
        resized.Create(RunCount, m);
        const std::int32_t rows = std::min(RunCount, YMatrix.RowCount());
        const std::int32_t cols = std::min(m, YMatrix.ColCount());
        for (std::int32_t i = 0; i < rows; ++i)
            for (std::int32_t j = 0; j < cols; ++j)
                resized.Set(i, j, YMatrix.Get(i, j));
        resized.SetName(YMatrix.GetName());
        YMatrix = std::move(resized);
        if (PlanHost.IsDataWindowOpen(TDataWindow::Responses))
            PlanHost.RefreshDataWindow(TDataWindow::Responses);
    } else {
        YMatrix.SetSize(RunCount, m);
        HasYMatrix = true;
    }
    PlanHost.ShowDataWindow(TDataWindow::Responses);
    return true;
}

void TRaruRuro::ShowPlanWindows() {
    const std::pair<TDataWindow, bool> windows[] = {
        {TDataWindow::CodeMatrix, HasCodeMatrix}, {TDataWindow::NaturalMatrix, HasNaturalMatrix},
        {TDataWindow::BaseLevels, HasBaseLevels}, {TDataWindow::Intervals, HasIntervals},
        {TDataWindow::Responses, HasYMatrix},
    };
    for (const auto& [window, valid] : windows)
        if (valid)
            PlanHost.ShowDataWindow(window);
}

} // namespace orvanta
