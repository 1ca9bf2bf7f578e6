#include "plan/RaruRuro.h"

#include "numeric/Messages.h"
#include "plan/CriticalValues.h"
#include "plan/DistrDis.h"
#include "plan/Settings.h"

#include <cmath>

namespace orvanta {

namespace {

const char* const NotCompleted = "Операция не завершена.";
const char* const AnalysisDone = "Проведен полный анализ.";
const char* const CannotAnalyse = "Анализ адекватности модели невозможен:\n";
const char* const AbortedByUser = "Операция прервана пользователем.";
const char* const NeedCheckPoint = "Для анализа адекватности требуется контрольная точка.";

const char* Verdict(double statistic, double critical) {
    return statistic > critical ? "Неадекватна системе." : "Адекватна системе.";
}

} // namespace

bool TRaruRuro::CheckAdequacy() {
    StatusText = NotCompleted;
    if (HasRepeatCount && Repeats() == 1) {
        UpdateAndShowReport();
        StatusText = AnalysisDone;
        PlanHost.RefreshCommands();
        return true;
    }
    const std::string prefix = CannotAnalyse;
    // The tests need the run means and the reproducibility variance.
    if (!HasYMean || !HasRepeatCount || (Repeats() > 1 && !HasReproVariance)) {
        const TAnswer answer = AskYesNoCancel(
            "Вектор средних значений наблюдений\nне определен. Вычислить его сейчас - ?");
        if (answer == TAnswer::Cancel)
            return false;
        if (answer == TAnswer::No) {
            ShowWarning(prefix + AbortedByUser);
            return false;
        }
        CheckHomogeneity();
        StatusText = NotCompleted;
        if (!HasYMean || !HasRepeatCount || (Repeats() > 1 && !HasReproVariance)) {
            ShowWarning(prefix + "Вектор средних значений не определен");
            return false;
        }
    }
    if (!HasCodeMatrix) {
        ShowWarning(prefix + "не определена кодовая матрица плана.");
        return false;
    }
    if (!HasBVector || !HasSignificance) {
        const TAnswer answer =
            AskYesNoCancel("Коэффициенты модели не известны\nОпределить их сейчас - ?");
        if (answer == TAnswer::Cancel)
            return false;
        if (answer == TAnswer::No) {
            ShowWarning(prefix + AbortedByUser);
            return false;
        }
        EstimateRegression();
        StatusText = NotCompleted;
        if (!HasBVector || !HasSignificance)
            return false;
    }
    const std::int32_t n = RunCount;
    const std::int32_t p = SignificantCount;
    if (n < p) {
        ShowWarning(prefix + "Число параметров модели превышает число опытов.");
        return false;
    }
    const bool checkPoint =
        HasCheckPoint && HasCheckY && CheckY.Size() > 0 && CheckPoint.Size() >= FactorCount;
    if (n == p && !checkPoint) {
        const bool saturated = PlanKind == PlanGeneral && n == TermCount();
        ShowWarning(prefix +
                    (saturated ? "Используется насыщенный план эксперимента."
                               : "Модель не имеет степеней свободы.") +
                    "\n" + NeedCheckPoint);
        PlanHost.ShowCheckPointWindow();
        return false;
    }
    if (checkPoint)
        CheckPointTest();
    if (p < n)
        FisherTest();
    StatusText = AnalysisDone;
    PlanHost.RefreshCommands();
    return true;
}

void TRaruRuro::AcceptCheckPoint(const TVector& point, const TVector& observations) {
    CheckPoint.SetSize(point.Size());
    CheckPoint.AssignData(point);
    CheckY.SetSize(observations.Size());
    CheckY.AssignData(observations);
    CheckRepeatCount = CheckY.Size();
    HasCheckPoint = true;
    HasCheckY = true;
    Modified = true;
}

// The term values at the check point in the order and length of C: the
// packed significant terms after a refit (C reduced), otherwise all p terms,
// with zeros where the coefficients were set to zero.
void TRaruRuro::CheckPointTermVector(TNamedVector& f) const {
    const std::int32_t order = InvInfoMatrix.RowCount();
    const std::int32_t p = BVector.Size();
    f.SetSize(std::max(order, p));
    const double* x = CheckPoint.Elements();
    if (order < p) {
        TermValues(x, f.Elements());
    } else {
        BasisRow(x, f.Elements());
        if (SignificantCount < p)
            for (std::int32_t i = 0; i < p && static_cast<std::size_t>(i) < Significance.size();
                 ++i)
                if (!Significance[static_cast<std::size_t>(i)])
                    f.Set(i, 0.0);
    }
    f.Resize(order);
}

void TRaruRuro::CheckPointTest() {
    const std::int32_t m = Repeats();
    TNamedVector f;
    CheckPointTermVector(f);
    TVector g(InvInfoMatrix.RowCount());
    InvInfoMatrix.MultiplyVector(f, g);
    const double h = f.Dot(g);
    CheckVarianceFactor = h;
    HasCheckVarianceFactor = true;

    const std::int32_t n0 = CheckY.Size();
    long double sum = 0.0L;
    for (std::int32_t i = 0; i < n0; ++i)
        sum += CheckY.Get(i);
    const double y0 = static_cast<double>(sum / n0);
    // The difference of a mean of n0 observations and a prediction from run
    // means of m repeats each.
    const double scale = 1.0 / n0 + h / m;
    const double spread = scale >= 0.0 ? std::sqrt(scale * ReproVariance) : 0.0;
    if (spread != 0.0 && !std::isnan(spread))
        CheckT = std::fabs(y0 - Predict(CheckPoint.Elements())) / spread;
    else
        CheckT = StudentQuantile(1);
    CheckTCrit = StudentCritical((m - 1) * RunCount);
    HasCheckT = true;

    ReportAdequacy(TResultFormKind::CheckPoint, h, CheckT, CheckTCrit);
}

void TRaruRuro::FisherTest() {
    const std::int32_t n = RunCount;
    const std::int32_t m = Repeats();
    const std::int32_t p = SignificantCount;
    Residuals2.SetSize(n);
    long double total = 0.0L;
    for (std::int32_t e = 0; e < n; ++e) {
        const double r = YMean.Get(e) - Predict(CodeMatrix.Row(e));
        Residuals2.Set(e, r * r);
        total += static_cast<long double>(r) * r;
    }
    HasResiduals2 = true;
    AdequacyVariance = static_cast<double>(m * total / (n - p));
    HasAdequacyVariance = true;
    FisherFCrit = FisherCritical((m - 1) * n, n - p);
    if (ReproVariance != 0.0)
        FisherF = AdequacyVariance / ReproVariance;
    else
        FisherF = AdequacyVariance != 0.0 ? 1e308 : 0.0;
    HasFisher = true;

    ReportAdequacy(TResultFormKind::Fisher, AdequacyVariance, FisherF, FisherFCrit);
}

// The adequacy result form (when wanted and there are repeats) and the report.
void TRaruRuro::ReportAdequacy(TResultFormKind kind, double measure, double computed,
                               double table) {
    TSettings& settings = Settings();
    if (settings.CBFisherResultsShow && Repeats() > 1) {
        TResultForm form;
        form.Kind = kind;
        form.Measure = measure;
        form.Computed = computed;
        form.Table = table;
        form.Verdict = Verdict(computed, table);
        ShowResult(form, settings.CBFisherResultsShow, settings.CBFisherActivateReport);
    }
    if (settings.CBFisherActivateReport)
        UpdateAndShowReport();
}

} // namespace orvanta
