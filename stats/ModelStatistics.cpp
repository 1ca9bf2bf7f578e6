#include "stats/ModelStatistics.h"

#include "distributions/Distributions.h"
#include "lsq/LeastSquares.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "stats/Lenth.h"
#include "stats/ResponseSurface.h"

#include <Eigen/Dense>

#include <cmath>
#include <limits>

namespace orvanta {

namespace {

using TDense = Eigen::MatrixXd;
using TColumn = Eigen::VectorXd;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The model the plan predicts with: its terms (indices into the plan's term
// list), their columns of the run basis, coefficients and C.
struct TFittedModel {
    std::vector<std::int32_t> Terms;
    TDense F;
    TColumn B;
    TDense C;
    std::int32_t Constant = -1; // column of the constant term, if any
    // The insignificant terms were zeroed: the kept C covers every term.
    bool Zeroed = false;
};

bool BuildModel(const TRaruRuro& plan, TFittedModel& model) {
    const std::int32_t full = plan.BVector.Size();
    const TNamedMatrix& basis = plan.BasisMatrix;
    const bool refitted = basis.ColCount() < full;
    const bool all = !refitted && plan.SignificantCount >= full;
    model.Zeroed = !refitted && !all;
    for (std::int32_t t = 0; t < full; ++t)
        if (all || plan.Significance[static_cast<std::size_t>(t)])
            model.Terms.push_back(t);
    const auto p = static_cast<Eigen::Index>(model.Terms.size());
    const std::int32_t n = basis.RowCount();
    if (p == 0 || n != plan.RunCount || (refitted && basis.ColCount() != p))
        return false;
    model.F.resize(n, p);
    model.B.resize(p);
    for (Eigen::Index j = 0; j < p; ++j) {
        const std::int32_t term = model.Terms[static_cast<std::size_t>(j)];
        const std::int32_t column = refitted ? static_cast<std::int32_t>(j) : term;
        for (std::int32_t i = 0; i < n; ++i)
            model.F(i, j) = basis.Get(i, column);
        model.B(j) = plan.BVector.Get(term);
        if (model.Constant < 0 && (model.F.col(j).array() == 1.0).all())
            model.Constant = static_cast<std::int32_t>(j);
    }
    // C as the program keeps it: over every term, or over the refitted ones.
    const TNamedMatrix& c = plan.InvInfoMatrix;
    model.C.resize(p, p);
    for (Eigen::Index i = 0; i < p; ++i)
        for (Eigen::Index j = 0; j < p; ++j) {
            const std::int32_t ri =
                refitted ? static_cast<std::int32_t>(i) : model.Terms[static_cast<std::size_t>(i)];
            const std::int32_t rj =
                refitted ? static_cast<std::int32_t>(j) : model.Terms[static_cast<std::size_t>(j)];
            model.C(i, j) = c.Get(ri, rj);
        }
    return true;
}

// h_i = f_i' C f_i of the model's own columns, without an N x N matrix. With
// zeroed terms the kept C belongs to all terms, so the model's columns are
// factorized again.
TColumn RunLeverages(const TFittedModel& model) {
    TDense c = model.C;
    if (model.Zeroed) {
        TMatrix columns(static_cast<std::int32_t>(model.F.rows()),
                        static_cast<std::int32_t>(model.F.cols()));
        for (Eigen::Index i = 0; i < model.F.rows(); ++i)
            for (Eigen::Index j = 0; j < model.F.cols(); ++j)
                columns.Set(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j),
                            model.F(i, j));
        TMatrix inverse;
        if (TLeastSquares(columns).Covariance(inverse))
            for (Eigen::Index i = 0; i < c.rows(); ++i)
                for (Eigen::Index j = 0; j < c.cols(); ++j)
                    c(i, j) =
                        inverse.Get(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j));
    }
    return (model.F * c).cwiseProduct(model.F).rowwise().sum();
}

std::optional<double> Ratio(double numerator, std::int32_t df) {
    return df > 0 ? std::optional<double>(numerator / df) : std::nullopt;
}

// The sums of squares of the analysis of variance.
struct TSums {
    double Total = 0.0, Residual = 0.0, PureError = 0.0, LackOfFit = 0.0, Model = 0.0;
    std::int32_t TotalDf = 0, ResidualDf = 0, PureErrorDf = 0, LackOfFitDf = 0, ModelDf = 0;
};

TSums SumsOfSquares(const TRaruRuro& plan, const TFittedModel& model, const TColumn& predicted,
                    double mean) {
    const std::int32_t n = plan.RunCount;
    const std::int32_t m = plan.Repeats();
    const auto p = static_cast<std::int32_t>(model.Terms.size());
    const bool constant = model.Constant >= 0;
    long double total = 0, residual = 0, pure = 0, lack = 0, explained = 0;
    for (std::int32_t i = 0; i < n; ++i) {
        const long double yi = plan.YMean.Get(i);
        const long double fitted = predicted(i);
        lack += (yi - fitted) * (yi - fitted);
        explained += constant ? (fitted - mean) * (fitted - mean) : fitted * fitted;
        for (std::int32_t j = 0; j < m; ++j) {
            const long double y = plan.YMatrix.Get(i, j);
            total += constant ? (y - mean) * (y - mean) : y * y;
            residual += (y - fitted) * (y - fitted);
            pure += (y - yi) * (y - yi);
        }
    }
    TSums s;
    s.Total = static_cast<double>(total);
    s.Residual = static_cast<double>(residual);
    s.PureError = static_cast<double>(pure);
    s.LackOfFit = static_cast<double>(m * lack);
    s.Model = static_cast<double>(m * explained);
    s.TotalDf = n * m - (constant ? 1 : 0);
    s.ResidualDf = n * m - p;
    s.PureErrorDf = n * (m - 1);
    s.LackOfFitDf = n - p;
    s.ModelDf = p - (constant ? 1 : 0);
    return s;
}

TAnovaRow TestedRow(std::string source, std::int32_t df, double ss, double errorMs,
                    std::int32_t errorDf) {
    TAnovaRow row{std::move(source), df, ss, Ratio(ss, df), {}, {}};
    if (row.MS && errorDf > 0 && errorMs > 0.0) {
        row.F = *row.MS / errorMs;
        row.P = dist::FisherUpperP(*row.F, df, errorDf);
    }
    return row;
}

void FillAnova(const TRaruRuro& plan, const TFittedModel& model, const TSums& s, double errorMs,
               std::int32_t errorDf, TModelStatistics& out) {
    const std::int32_t m = plan.Repeats();
    out.Anova.push_back(TestedRow("model", s.ModelDf, s.Model, errorMs, errorDf));
    for (std::size_t j = 0; j < model.Terms.size(); ++j) {
        if (static_cast<std::int32_t>(j) == model.Constant)
            continue;
        const auto at = static_cast<Eigen::Index>(j);
        const double ss = m * model.B(at) * model.B(at) / model.C(at, at);
        out.Anova.push_back(
            TestedRow(CoefficientLabel(plan, model.Terms[j]), 1, ss, errorMs, errorDf));
    }
    out.Anova.push_back(
        {"residual", s.ResidualDf, s.Residual, Ratio(s.Residual, s.ResidualDf), {}, {}});
    if (s.LackOfFitDf > 0) {
        TAnovaRow lack{
            "lackOfFit", s.LackOfFitDf, s.LackOfFit, Ratio(s.LackOfFit, s.LackOfFitDf), {}, {}};
        if (s.PureErrorDf > 0 && s.PureError > 0.0) {
            lack.F = *lack.MS / (s.PureError / s.PureErrorDf);
            lack.P = dist::FisherUpperP(*lack.F, s.LackOfFitDf, s.PureErrorDf);
        }
        out.Anova.push_back(lack);
    }
    if (s.PureErrorDf > 0)
        out.Anova.push_back(
            {"pureError", s.PureErrorDf, s.PureError, Ratio(s.PureError, s.PureErrorDf), {}, {}});
    out.Anova.push_back({"total", s.TotalDf, s.Total, {}, {}, {}});
}

void FillCoefficients(const TRaruRuro& plan, const TFittedModel& model, double errorMs,
                      std::int32_t errorDf, double alpha, TModelStatistics& out) {
    const std::int32_t m = plan.Repeats();
    const double t = dist::StudentQuantile(1.0 - alpha / 2.0, errorDf);
    const TColumn centred = model.F.colwise().mean().transpose();
    for (std::size_t j = 0; j < model.Terms.size(); ++j) {
        const auto at = static_cast<Eigen::Index>(j);
        TCoefficientStatistics c;
        c.Term = model.Terms[j];
        c.Name = CoefficientLabel(plan, c.Term);
        c.Value = model.B(at);
        c.StdError = std::sqrt(errorMs * model.C(at, at) / m);
        c.T = c.Value / c.StdError;
        c.P = dist::StudentTwoSidedP(c.T, errorDf);
        c.CiLow = c.Value - t * c.StdError;
        c.CiHigh = c.Value + t * c.StdError;
        if (static_cast<std::int32_t>(j) != model.Constant)
            c.Vif = model.C(at, at) * (model.F.col(at).array() - centred(at)).square().sum();
        out.Coefficients.push_back(std::move(c));
    }
}

void FillObservations(const TRaruRuro& plan, const TFittedModel& model, const TColumn& predicted,
                      const TColumn& leverage, const TSums& s, TModelStatistics& out) {
    const std::int32_t m = plan.Repeats();
    const double p = static_cast<double>(model.Terms.size());
    const double df = s.ResidualDf;
    const double s2 = df > 0 ? s.Residual / df : NaN;
    long double press = 0.0L;
    for (std::int32_t i = 0; i < plan.RunCount; ++i)
        for (std::int32_t j = 0; j < m; ++j) {
            TObservationDiagnostics o;
            o.Run = i + 1;
            o.Repeat = j + 1;
            o.Actual = plan.YMatrix.Get(i, j);
            o.Predicted = predicted(i);
            o.Residual = o.Actual - o.Predicted;
            o.Leverage = leverage(i) / m;
            const double rest = 1.0 - o.Leverage;
            o.Studentized = o.Residual / std::sqrt(s2 * rest);
            const double s2Out = (df * s2 - o.Residual * o.Residual / rest) / (df - 1.0);
            o.ExternallyStudentized = o.Residual / std::sqrt(s2Out * rest);
            o.CooksDistance = o.Studentized * o.Studentized * o.Leverage / (p * rest);
            const double deleted = o.Residual / rest;
            press += static_cast<long double>(deleted) * deleted;
            out.Observations.push_back(o);
        }
    out.Fit.Press = static_cast<double>(press);
}

} // namespace

std::string AnovaSourceName(const std::string& source) {
    if (source == "model")
        return "Модель";
    if (source == "residual")
        return "Остаток";
    if (source == "lackOfFit")
        return "Неадекватность";
    if (source == "pureError")
        return "Чистая ошибка";
    if (source == "total")
        return "Итого";
    return source;
}

std::string CanonicalKindName(const std::string& kind) {
    if (kind == "maximum")
        return "максимум";
    if (kind == "minimum")
        return "минимум";
    if (kind == "saddle")
        return "седловая точка";
    return "гребень";
}

std::string CoefficientLabel(const TRaruRuro& plan, std::int32_t i) {
    const auto line = static_cast<std::size_t>(i);
    if (plan.HasEquationLines && line < plan.EquationLines.size()) {
        const std::string& text = plan.EquationLines[line];
        return text.substr(0, text.find('='));
    }
    return "B" + IntToStr(i);
}

std::optional<TModelStatistics>
ComputeStatistics(const TRaruRuro& plan, const TStatisticsOptions& options, std::string& error) {
    TFittedModel model;
    if (!plan.HasBVector || !plan.HasInvInfoMatrix || !plan.HasBasisMatrix || !plan.HasYMean ||
        !plan.HasYMatrix || !BuildModel(plan, model)) {
        error = "Нет модели: сначала проведите анализ.";
        return std::nullopt;
    }
    const std::int32_t m = plan.Repeats();
    TModelStatistics out;
    out.ErrorTerm = options.ErrorTerm.value_or(m > 1 ? TErrorTerm::Pure : TErrorTerm::Residual);
    out.Alpha = options.Alpha;
    if (out.ErrorTerm == TErrorTerm::Pure && m < 2) {
        error = "Чистая ошибка не определена: опыты не повторялись.";
        return std::nullopt;
    }
    // The predictions carry extended precision: residual sums of squares of
    // natural-unit data would lose digits to their rounding.
    TColumn predicted(model.F.rows());
    for (Eigen::Index i = 0; i < model.F.rows(); ++i) {
        long double sum = 0.0L;
        for (Eigen::Index j = 0; j < model.F.cols(); ++j)
            sum += static_cast<long double>(model.F(i, j)) * model.B(j);
        predicted(i) = static_cast<double>(sum);
    }
    long double sum = 0.0L;
    for (std::int32_t i = 0; i < plan.RunCount; ++i)
        for (std::int32_t j = 0; j < m; ++j)
            sum += plan.YMatrix.Get(i, j);
    const double mean = static_cast<double>(sum / (plan.RunCount * m));
    const TSums s = SumsOfSquares(plan, model, predicted, mean);
    const bool pure = out.ErrorTerm == TErrorTerm::Pure;
    const std::int32_t errorDf = pure ? s.PureErrorDf : s.ResidualDf;
    if (errorDf < 1) {
        error = "У выбранной ошибки нет степеней свободы.";
        return std::nullopt;
    }
    const double errorMs = (pure ? s.PureError : s.Residual) / errorDf;

    FillAnova(plan, model, s, errorMs, errorDf, out);
    FillCoefficients(plan, model, errorMs, errorDf, out.Alpha, out);
    FillObservations(plan, model, predicted, RunLeverages(model), s, out);
    TFitSummary& fit = out.Fit;
    fit.RSquared = 1.0 - s.Residual / s.Total;
    fit.AdjRSquared = 1.0 - (s.Residual / s.ResidualDf) / (s.Total / s.TotalDf);
    fit.PredRSquared = 1.0 - fit.Press / s.Total;
    fit.RootMse = s.ResidualDf > 0 ? std::sqrt(s.Residual / s.ResidualDf) : NaN;
    fit.Mean = mean;
    fit.CvPercent = 100.0 * fit.RootMse / mean;

    AnalyseResponseSurface(plan, out);
    out.Lenth = LenthAnalysis(plan, out.Coefficients, model.Constant);
    return out;
}

} // namespace orvanta
