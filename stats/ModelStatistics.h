#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

class TRaruRuro;

// Which mean square the F tests, the coefficients' errors and intervals use.
enum class TErrorTerm {
    Pure,    // pure error, df N(m - 1): the reproducibility variance
    Residual // residual mean square, df n - p
};

struct TStatisticsOptions {
    // None: pure error when there are repeats, residual otherwise.
    std::optional<TErrorTerm> ErrorTerm;
    double Alpha = 0.05;
};

// One row of the analysis of variance; F and p are absent where undefined
// (df 0, no error term).
struct TAnovaRow {
    std::string
        Source; // "model", a coefficient label, "residual", "lackOfFit", "pureError", "total"
    std::int32_t Df = 0;
    double SS = 0.0;
    std::optional<double> MS;
    std::optional<double> F;
    std::optional<double> P;
};

struct TFitSummary {
    double RSquared = 0.0;
    double AdjRSquared = 0.0;
    double PredRSquared = 0.0;
    double Press = 0.0;
    double RootMse = 0.0;
    double Mean = 0.0;
    double CvPercent = 0.0;
};

struct TCoefficientStatistics {
    std::int32_t Term = 0; // index into the plan's coefficients
    std::string Name;
    double Value = 0.0;
    double StdError = 0.0;
    double T = 0.0;
    double P = 0.0;
    double CiLow = 0.0;
    double CiHigh = 0.0;
    std::optional<double> Vif; // none for the constant
};

// One observation y_ij; run and repeat count from 1.
struct TObservationDiagnostics {
    std::int32_t Run = 0;
    std::int32_t Repeat = 0;
    double Actual = 0.0;
    double Predicted = 0.0;
    double Residual = 0.0;
    double Leverage = 0.0;
    double Studentized = 0.0;
    double ExternallyStudentized = 0.0;
    double CooksDistance = 0.0;
};

// The stationary point of a second-order equation and the shape around it.
struct TCanonicalAnalysis {
    std::vector<double> StationaryCoded;
    std::vector<double> StationaryNatural;
    double Predicted = 0.0;
    std::vector<double> Eigenvalues;               // descending
    std::vector<std::vector<double>> Eigenvectors; // unit, largest component positive
    std::string Kind;                              // "maximum", "minimum", "saddle", "ridge"
    bool Inside = false;
};

struct TSteepestAscentPoint {
    double Radius = 0.0;
    std::vector<double> Coded;
    std::vector<double> Natural;
    double Predicted = 0.0;
};

struct TLenthEffect {
    std::string Name;
    double Effect = 0.0;
    bool Active = false;
};

struct TLenthAnalysis {
    double Pse = 0.0;
    double Me = 0.0;
    double Sme = 0.0;
    std::vector<TLenthEffect> Effects;
};

// Everything the statistics of a fitted plan hold.
struct TModelStatistics {
    TErrorTerm ErrorTerm = TErrorTerm::Residual;
    double Alpha = 0.05;
    std::vector<TAnovaRow> Anova;
    TFitSummary Fit;
    std::vector<TCoefficientStatistics> Coefficients;
    std::vector<TObservationDiagnostics> Observations;
    std::optional<TCanonicalAnalysis> Canonical;
    std::optional<std::vector<TSteepestAscentPoint>> SteepestAscent;
    std::optional<TLenthAnalysis> Lenth;
};

// The statistics of the plan's model as the analysis left it (all terms, the
// significant terms refitted, or the insignificant ones zeroed). Empty with a
// message text in `error` when the plan has no fitted model or the chosen
// error term has no degrees of freedom.
std::optional<TModelStatistics>
ComputeStatistics(const TRaruRuro& plan, const TStatisticsOptions& options, std::string& error);

// The Russian name of an analysis-of-variance row ("Модель", "Остаток",
// "Неадекватность", "Чистая ошибка", "Итого"; a term's row is its label).
std::string AnovaSourceName(const std::string& source);

// "максимум", "минимум", "седловая точка" or "гребень" for the kind of a
// canonical analysis.
std::string CanonicalKindName(const std::string& kind);

// The label of coefficient i as the equation lists it ("B0", "B12", ...).
std::string CoefficientLabel(const TRaruRuro& plan, std::int32_t i);

} // namespace orvanta
