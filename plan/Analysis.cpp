#include "plan/RaruRuro.h"

#include "numeric/Cp1251.h"
#include "numeric/MemoryStream.h"
#include "numeric/Messages.h"
#include "plan/CriticalValues.h"
#include "plan/Settings.h"

#include <cmath>

namespace orvanta {

namespace {

const char* const NotCompleted = "Операция не завершена.";
const char* const AnalysisDone = "Проведен полный анализ.";

} // namespace

void TRaruRuro::ShowResult(TResultForm form, bool& showAlways, bool& activateReport) {
    form.ShowAlways = showAlways;
    form.ActivateReport = activateReport;
    const TResultFormChoices choices = PlanHost.ShowResultForm(form);
    showAlways = choices.ShowAlways;
    activateReport = choices.ActivateReport;
}

void TRaruRuro::UpdateAndShowReport() {
    TMemoryStream report;
    ComposeReport(report);
    ReportText = Cp1251ToUtf8(report.Bytes());
    HasReportText = true;
    ++ReportNumber;
    PlanHost.ShowReportWindow();
}

void TRaruRuro::RunStatistics() {
    if (!HasRunCount) {
        RunCount = YMatrix.RowCount();
        HasRunCount = true;
    }
    if (PlanKind == PlanCCO || PlanKind == PlanCCR) {
        StarArm = ComputeStarArm(PlanKind);
        HasStarArm = true;
    }
    const std::int32_t n = RunCount;
    YMean.SetSize(n);
    YVariance.SetSize(n);
    YDeviation.SetSize(n);
    HasYMean = HasYVariance = HasYDeviation = false;
    HasMaxRunVariance = HasReproVariance = HasCochran = false;
    const std::int32_t m = Repeats();
    for (std::int32_t i = 0; i < n; ++i) {
        long double sum = 0.0L;
        for (std::int32_t j = 0; j < m; ++j)
            sum += YMatrix.Get(i, j);
        YMean.Set(i, static_cast<double>(sum / m));
    }
    HasYMean = true;
}

bool TRaruRuro::ComputeAverages() {
    StatusText = NotCompleted;
    if (!HasYMatrix)
        return false;
    const std::int32_t rows = YMatrix.RowCount();
    const std::int32_t cols = YMatrix.ColCount();
    YMean.SetSize(rows);
    std::vector<double> means(static_cast<std::size_t>(rows));
    for (std::int32_t i = 0; i < rows; ++i) {
        long double sum = 0.0L;
        for (std::int32_t j = 0; j < cols; ++j)
            sum += YMatrix.Get(i, j);
        YMean.Set(i, cols > 0 ? static_cast<double>(sum / cols) : 0.0);
        means[static_cast<std::size_t>(i)] = YMean.Get(i);
    }
    HasYMean = true;
    PlanHost.ShowAveragesDialog(means);
    StatusText.clear();
    PlanHost.RefreshCommands();
    return true;
}

bool TRaruRuro::CheckHomogeneity() {
    StatusText = NotCompleted;
    if (!HasYMatrix || YMatrix.ColCount() < 1 || (HasRunCount && YMatrix.RowCount() != RunCount)) {
        ShowWarning("Анализ однородности невозможен:\nматрица наблюдений не соответствует плану.");
        return false;
    }
    RunStatistics();
    const std::int32_t n = RunCount;
    const std::int32_t m = Repeats();
    if (m == 1) {
        StatusText = AnalysisDone;
        PlanHost.RefreshCommands();
        return true;
    }
    long double total = 0.0L;
    double largest = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        long double squares = 0.0L;
        for (std::int32_t j = 0; j < m; ++j) {
            const long double d = static_cast<long double>(YMatrix.Get(i, j)) - YMean.Get(i);
            squares += d * d;
        }
        const double variance = static_cast<double>(squares / (m - 1));
        YVariance.Set(i, variance);
        YDeviation.Set(i, std::sqrt(variance));
        total += variance;
        if (variance > largest)
            largest = variance;
    }
    const double sum = static_cast<double>(total);
    HasYVariance = HasYDeviation = true;
    MaxRunVariance = largest;
    HasMaxRunVariance = true;
    CochranG = sum != 0.0 ? largest / sum : 0.0;
    ReproVariance = sum / n;
    HasReproVariance = true;
    CochranGCrit = CochranCritical(n, m - 1);
    HasCochran = true;

    StatusText = AnalysisDone;
    PlanHost.RefreshCommands();
    TSettings& settings = Settings();
    if (settings.CBCohrenResultsShow) {
        TResultForm form;
        form.Kind = TResultFormKind::Cochran;
        form.Measure = std::sqrt(ReproVariance);
        form.Computed = CochranG;
        form.Table = CochranGCrit;
        form.Verdict = CochranG > CochranGCrit ? "Неоднородны." : "Однородны.";
        ShowResult(form, settings.CBCohrenResultsShow, settings.CBCohrenActivateReport);
    }
    if (settings.CBCohrenActivateReport)
        UpdateAndShowReport();
    return true;
}

bool TRaruRuro::RunAnalysis() {
    const bool done = CheckHomogeneity() && EstimateRegression() && CheckAdequacy();
    StatusText = done ? AnalysisDone : NotCompleted;
    ++AnalysisNumber;
    PlanHost.RefreshCommands();
    return done;
}

} // namespace orvanta
