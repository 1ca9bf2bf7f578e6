#include "plan/RaruRuro.h"

#include "lsq/LeastSquares.h"
#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/CriticalValues.h"
#include "plan/Settings.h"

#include <cmath>

namespace orvanta {

namespace {

const char* const NotCompleted = "Операция не завершена.";
const char* const AnalysisDone = "Проведен полный анализ.";
const char* const CannotEstimate = "Расчет параметров модели невозможен:\n";
const char* const SingularMatrix =
    "Информационая матрица вырождена.\nПродолжение расчета невозможно.";
const char* const IllConditioned =
    "Информационая матрица плохо обусловлена. Коэффициенты в уравнении регрессии будут иметь "
    "высокие погрешности\nПродолжить расчет - ?";
const char* const VeryIllConditioned =
    "Информационая матрица очень плохо обусловлена.\n\nПродолжить расчет - ?";

constexpr double DeterminantThreshold = 1e-15;

} // namespace

std::int32_t TRaruRuro::Repeats() const {
    if (HasYMatrix)
        return YMatrix.ColCount();
    return HasRepeatCount ? RepeatCount : 0;
}

// Forms InfoMatrix = X'X from the basis matrix X and fits the mean responses
// by least squares on a QR factorization of X itself: det(X'X) comes from the
// factorization and is tested against the threshold, then InvInfoMatrix =
// (X'X)^-1 and the coefficients. False when the regression must stop.
bool TRaruRuro::FitBasis(const char* illConditionedQuestion, TNamedVector& coefficients) {
    const TLeastSquares fit(BasisMatrix);
    fit.Information(InfoMatrix);
    HasInfoMatrix = true;
    // The old inverse does not belong to this basis.
    HasInvInfoMatrix = false;
    if (!fit.FullRank()) {
        ShowWarning(SingularMatrix);
        return false;
    }
    if (!(fit.InfoDeterminant() >= DeterminantThreshold) && !AskYesNo(illConditionedQuestion))
        return false;
    fit.Covariance(InvInfoMatrix);
    HasInvInfoMatrix = true;
    return fit.Solve(YMean, coefficients);
}

bool TRaruRuro::EstimateRegression() {
    StatusText = NotCompleted;
    Significance.clear();
    // The verdicts are gone; a regression that stops before new ones exist
    // must not leave the old count behind a valid flag.
    HasSignificance = false;
    if (!HasYMean) {
        CheckHomogeneity();
        StatusText = NotCompleted;
        if (!HasYMean) {
            ShowWarning("Не удается вычислить вектор средних откликов.");
            return false;
        }
    }
    if (!HasCodeMatrix) {
        ShowWarning(std::string(CannotEstimate) + "не определена кодовая матрица плана");
        return false;
    }
    ExpandCodeMatrix();
    if (!HasBasisMatrix) {
        ShowWarning(std::string(CannotEstimate) + "Ошибка составления матрицы базисных функций");
        return false;
    }
    if (YMean.Size() != BasisMatrix.RowCount()) {
        ShowWarning(std::string(CannotEstimate) +
                    "число средних откликов не совпадает с числом опытов");
        return false;
    }
    if (!FitBasis(IllConditioned, BVector))
        return false;
    const std::int32_t p = BVector.Size();
    Significance.assign(static_cast<std::size_t>(p), true);
    SignificantCount = p;

    const std::int32_t m = Repeats();
    if (m == 1) {
        HasBVector = true;
        FillNames();
    } else {
        const TStudentOutcome outcome = StudentStep();
        if (outcome == TStudentOutcome::Cancelled) {
            HasBasisMatrix = false;
            HasInfoMatrix = false;
            HasInvInfoMatrix = false;
            HasBVector = false;
            HasSignificance = false;
            return false;
        }
        if (outcome == TStudentOutcome::Ended)
            return false;
    }
    HasBVector = true;
    HasSignificance = true;
    StatusText = AnalysisDone;
    PlanHost.RefreshCommands();
    TSettings& settings = Settings();
    if (settings.CBStudentResultsShow && m > 1) {
        TResultForm form;
        form.Kind = TResultFormKind::Student;
        form.SignificantCount = SignificantCount;
        ShowResult(form, settings.CBStudentResultsShow, settings.CBStudentActivateReport);
    }
    if (settings.CBStudentActivateReport)
        UpdateAndShowReport();
    return true;
}

TRaruRuro::TStudentOutcome TRaruRuro::StudentStep() {
    const std::int32_t m = Repeats();
    const std::int32_t p = BVector.Size();
    const double t = StudentCritical((m - 1) * RunCount);
    for (std::int32_t i = 0; i < p; ++i) {
        // The variance of a coefficient comes from the variance of the run
        // means, which is the reproducibility variance over m.
        const double sb = std::sqrt(ReproVariance * InvInfoMatrix.Get(i, i) / m);
        if (t * sb > std::fabs(BVector.Get(i))) {
            Significance[static_cast<std::size_t>(i)] = false;
            --SignificantCount;
        }
    }
    if (SignificantCount == p) {
        HasBVector = true;
        FillNames();
        return TStudentOutcome::Continue;
    }

    TModelChangeRequest request;
    request.AllInsignificant = SignificantCount == 0;
    request.Caption = request.AllInsignificant
                          ? "Все параметры модели статистически незначимы !"
                          : "Некоторые параметры модели статистически незначимы";
    request.Preselected =
        request.AllInsignificant ? TModelChange::Ignore : TModelChange::ZeroInsignificant;
    auto choice = PlanHost.RunModelChangeDialog(request);
    if (!choice)
        return TStudentOutcome::Cancelled;
    if (request.AllInsignificant)
        choice = TModelChange::Ignore;

    switch (*choice) {
    case TModelChange::Ignore:
        SignificantCount = p;
        HasBVector = true;
        FillNames();
        break;
    case TModelChange::ZeroInsignificant:
        for (std::int32_t i = 0; i < p; ++i)
            if (!Significance[static_cast<std::size_t>(i)])
                BVector.Set(i, 0.0);
        HasBVector = true;
        FillNames();
        break;
    case TModelChange::RecomputeSignificant:
        if (!RefitSignificant())
            return TStudentOutcome::Ended;
        break;
    }
    return TStudentOutcome::Continue;
}

// Refits the model on the significant terms only and writes the reduced
// coefficients back at their positions, zeros elsewhere.
bool TRaruRuro::RefitSignificant() {
    const std::int32_t n = BasisMatrix.RowCount();
    const std::int32_t p = BasisMatrix.ColCount();
    TNamedMatrix reduced;
    reduced.Create(n, SignificantCount);
    for (std::int32_t i = 0; i < n; ++i) {
        std::int32_t column = 0;
        for (std::int32_t j = 0; j < p; ++j)
            if (Significance[static_cast<std::size_t>(j)])
                reduced.Set(i, column++, BasisMatrix.Get(i, j));
    }
    // The reduced basis and its information matrices stay: the check-point
    // test pairs the packed significant terms with the reduced C.
    BasisMatrix = std::move(reduced);
    TNamedVector coefficients;
    if (!FitBasis(VeryIllConditioned, coefficients))
        return false;
    std::int32_t k = 0;
    for (std::int32_t j = 0; j < p; ++j)
        BVector.Set(j, Significance[static_cast<std::size_t>(j)] ? coefficients.Get(k++) : 0.0);
    HasBVector = true;
    FillNames();
    return true;
}

} // namespace orvanta
