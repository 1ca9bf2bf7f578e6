#include "plan/RaruRuro.h"

#include "numeric/Messages.h"
#include "numeric/NumberText.h"
#include "plan/DistrDis.h"
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

// Forms InfoMatrix = X^T X from the basis matrix and copies it into
// InvInfoMatrix; then tests the determinant of the copy (on the saved
// duplicate) and inverts it. False when the regression must stop.
bool TRaruRuro::TestInformationMatrix(const char* illConditionedQuestion) {
    TNamedMatrix transposed(BasisMatrix);
    transposed.Transpose();
    const std::int32_t p = BasisMatrix.ColCount();
    InfoMatrix.SetSize(p, p);
    InfoMatrix.Multiply(transposed, BasisMatrix);
    HasInfoMatrix = true;

    // From here on the matrix holds X^T X, not its inverse, until inverted.
    HasInvInfoMatrix = false;
    InvInfoMatrix.SetSize(p, p);
    InvInfoMatrix.AssignData(InfoMatrix);
    InvInfoMatrix.StoreSpare();
    const double d = InvInfoMatrix.Determinant();
    InvInfoMatrix.RestoreSpare();
    const double size = std::fabs(d);
    if (!(size >= DeterminantThreshold)) {
        // Exactly zero, or no number at all: nothing to invert.
        if (d == 0.0 || std::isnan(d)) {
            ShowWarning(SingularMatrix);
            return false;
        }
        if (!AskYesNo(illConditionedQuestion))
            return false;
    }
    if (!InvInfoMatrix.Invert()) {
        ShowWarning(SingularMatrix);
        return false;
    }
    HasInvInfoMatrix = true;
    return true;
}

// coefficients = (C X^T) YMean with C = InvInfoMatrix and X = basis.
bool TRaruRuro::ComputeCoefficients(const TNamedMatrix& basis, TNamedVector& coefficients) {
    TMatrix transposed(basis);
    transposed.Transpose();
    const std::int32_t p = basis.ColCount();
    TMatrix product(p, basis.RowCount());
    if (!product.Multiply(InvInfoMatrix, transposed))
        return false;
    coefficients.SetSize(p);
    return product.MultiplyVector(YMean, coefficients);
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
    if (!TestInformationMatrix(IllConditioned))
        return false;
    if (!ComputeCoefficients(BasisMatrix, BVector))
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
    const double t = StudentQuantile((m - 1) * RunCount);
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
    if (!TestInformationMatrix(VeryIllConditioned))
        return false;
    TNamedVector coefficients;
    if (!ComputeCoefficients(BasisMatrix, coefficients))
        return false;
    std::int32_t k = 0;
    for (std::int32_t j = 0; j < p; ++j)
        BVector.Set(j, Significance[static_cast<std::size_t>(j)] ? coefficients.Get(k++) : 0.0);
    HasBVector = true;
    FillNames();
    return true;
}

} // namespace orvanta
