#pragma once

#include "numeric/MessageHost.h"
#include "numeric/NamedMatrix.h"
#include "numeric/NamedVector.h"
#include "plan/MathObjects.h"
#include "plan/PlanHost.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace orvanta {

// Plan kinds.
constexpr std::uint8_t PlanFFE = 0;     // built-in full factorial, 2^k runs
constexpr std::uint8_t PlanCCO = 1;     // built-in central composite, orthogonal
constexpr std::uint8_t PlanCCR = 2;     // built-in central composite, rotatable
constexpr std::uint8_t PlanGeneral = 3; // generator and/or model from the math modules

// Largest factor count of a built-in plan.
constexpr std::int32_t MaxBuiltinFactors = 10;

extern const char* const DefaultResponseName; // "Отклик системы"

// The experiment: the plan in coded and natural units, the model, the
// observations and every result of their processing. Every data item has a
// valid flag of its own; a consumer tests the flag and computes or asks
// before use. The program holds exactly one plan; "new", "open" and "close"
// fill and empty it.
class TStream;

class TRaruRuro {
public:
    // The plan talks to people through `host`, which it also makes the
    // process's message host for its lifetime.
    explicit TRaruRuro(TPlanHost& host);
    ~TRaruRuro();
    TRaruRuro(const TRaruRuro&) = delete;
    TRaruRuro& operator=(const TRaruRuro&) = delete;

    TPlanHost& Host() const { return PlanHost; }
    // The math modules' objects that plans are built from (may be null).
    void SetMathCatalog(const TMathCatalog* catalog) { Catalog = catalog; }
    const TMathCatalog* MathCatalog() const { return Catalog; }

    // ---- Plan definition ----
    std::int32_t FactorCount = -1;
    bool HasFactorCount = false;
    std::uint8_t PlanKind = 0;
    bool HasPlanKind = false;
    const TGenerator* Generator = nullptr;
    const TModel* Model = nullptr;
    std::vector<const TAdden*> Addens;
    std::int32_t RunCount = 0;
    bool HasRunCount = false;
    double StarArm = 0.0;
    bool HasStarArm = false;
    TNamedMatrix CodeMatrix;
    bool HasCodeMatrix = false;
    TNamedVector BaseLevels;
    bool HasBaseLevels = false;
    TNamedVector Intervals;
    bool HasIntervals = false;
    TNamedMatrix NaturalMatrix;
    bool HasNaturalMatrix = false;
    std::vector<std::string> FactorNames;
    bool HasFactorNames = false;
    std::string ResponseName = DefaultResponseName;

    // ---- Observations ----
    std::int32_t RepeatCount = 0;
    bool HasRepeatCount = false;
    TNamedMatrix YMatrix;
    bool HasYMatrix = false;
    TNamedVector CheckPoint;
    bool HasCheckPoint = false;
    std::int32_t CheckRepeatCount = 0;
    TNamedVector CheckY;
    bool HasCheckY = false;

    // ---- Results ----
    TNamedVector YMean;
    bool HasYMean = false;
    TNamedVector YVariance;
    bool HasYVariance = false;
    TNamedVector YDeviation;
    bool HasYDeviation = false;
    double MaxRunVariance = 0.0;
    bool HasMaxRunVariance = false;
    double ReproVariance = 0.0;
    bool HasReproVariance = false;
    double CochranG = 0.0;
    double CochranGCrit = 0.0;
    bool HasCochran = false;
    TNamedMatrix BasisMatrix;
    bool HasBasisMatrix = false;
    TNamedMatrix InfoMatrix;
    bool HasInfoMatrix = false;
    TNamedMatrix InvInfoMatrix;
    bool HasInvInfoMatrix = false;
    TNamedVector BVector;
    bool HasBVector = false;
    std::vector<bool> Significance;
    std::int32_t SignificantCount = 0;
    bool HasSignificance = false;
    std::vector<std::string> EquationLines;
    bool HasEquationLines = false;
    TNamedVector Residuals2;
    bool HasResiduals2 = false;
    double AdequacyVariance = 0.0;
    bool HasAdequacyVariance = false;
    double FisherF = 0.0;
    double FisherFCrit = 0.0;
    bool HasFisher = false;
    double CheckVarianceFactor = 0.0;
    bool HasCheckVarianceFactor = false;
    double CheckT = 0.0;
    double CheckTCrit = 0.0;
    bool HasCheckT = false;
    TNamedVector ExtremumPoint;
    bool HasExtremumPoint = false;

    // ---- Bookkeeping ----
    bool Modified = false;
    std::string StatusText;
    std::string FileName;

    // ---- State ----
    // k > 0 stores k; otherwise k = -1, no factor count, false.
    bool SetFactorCount(std::int32_t k);
    std::int32_t GetFactorCount() const { return FactorCount; }
    // Clears every valid flag, the generator, the model and the file name;
    // the storage is kept.
    void Reset();
    // The close action: closes the plan's windows, releases the data and
    // clears the flags of what was released.
    void FreeData();
    // "Фактор № 1" .. "Фактор № k".
    void MakeDefaultFactorNames();
    // Natural = base level + interval x coded, per factor; an interval of 0
    // makes the reverse a plain difference. k values each.
    void CodedToNatural(const double* x, double* z) const;
    void NaturalToCoded(const double* z, double* x) const;
    // Clears the flags of every result computed from the runs and the
    // observations (the report's text aside): a plan whose runs changed
    // has none of them until it is analysed again.
    void DropResults();
    // Recomputes the natural matrix when base levels and intervals are valid.
    void RefreshNaturalMatrix();
    // A new set of observations, or a change of the repeat count.
    bool EditResponses();
    // The check-point window closed with OK: its coded point and its
    // observations become the plan's check point, and the plan is modified.
    void AcceptCheckPoint(const TVector& point, const TVector& observations);
    // Opens (or refreshes) the window of every valid data item.
    void ShowPlanWindows();

    // ---- Construction ----
    // Runs the wizard and builds the plan; true when a plan was created.
    bool NewPlan();
    // Fills the code matrix for the current kind, k and N.
    void BuildCodeMatrix();
    // The star arm of a central composite plan of `kind` for the current k
    // and N; 0 for any other kind.
    double ComputeStarArm(std::int32_t kind) const;
    // Rebuilds the initial code matrix and what follows from it.
    bool ResetCodeMatrix();
    // Fills the basis matrix (N x p) from the code matrix and the model.
    bool ExpandCodeMatrix();
    // Number of model terms p of the current plan (0 when unknown).
    std::int32_t TermCount() const;
    // The fitted equation at the coded point x (k values).
    double Predict(const double* x) const;
    // The values at x of the significant model terms, in term order, packed
    // into f (at least as many elements as significant terms).
    void TermValues(const double* x, double* f) const;
    // The values at x of all the model's terms, in term order.
    void BasisRow(const double* x, double* f) const;

    // ---- Regression and analysis ----
    // The regression action: least squares on the mean responses, the
    // information-matrix test, the Student step; true on success.
    bool EstimateRegression();
    // Rebuilds the coefficient listing from the coefficients.
    void FillNames();
    // The averages action: mean responses shown in the averages dialog.
    bool ComputeAverages();
    // Cochran's test of the run variances (also the run statistics).
    bool CheckHomogeneity();
    // The adequacy test: Fisher's and/or the check-point test.
    bool CheckAdequacy();
    // The full analysis: homogeneity, regression, adequacy.
    bool RunAnalysis();
    // Counts the analyses run, whatever their end: windows that show the
    // model's results follow it.
    std::uint64_t AnalysisNumber = 0;
    // Recomposes the report and brings its window forward.
    void UpdateAndShowReport();
    // Number of parallel repeats m of the observations.
    std::int32_t Repeats() const;

    // ---- Extremum search ----
    // The action: dialog, search, result dialog.
    bool FindExtremum();
    // The search for the minimum (maximum) of the fitted equation in the box
    // [lower, upper] (coded, k values each); `count` is the number of
    // approximations (Monte Carlo) or of steps (Gauss-Seidel, scanning).
    void FindMinimum(const std::vector<double>& lower, const std::vector<double>& upper,
                     TExtremumMethod method, bool useLast, std::int32_t count);
    void FindMaximum(const std::vector<double>& lower, const std::vector<double>& upper,
                     TExtremumMethod method, bool useLast, std::int32_t count);
    // The generator of the random search (seeded from the clock at start).
    void SeedRandom(std::uint32_t seed) { Random.seed(seed); }
    // Number of equation evaluations of the last search.
    std::int64_t LastSearchEvaluations = 0;

    // ---- Report ----
    // Appends the whole report (Windows-1251 text) to the stream.
    void ComposeReport(TStream& stream);
    // The last composed report, as the report window shows it (UTF-8).
    std::string ReportText;
    bool HasReportText = false;
    // Counts the composed reports: a new report replaces the window's text
    // even when it reads the same as the one before.
    std::uint64_t ReportNumber = 0;
    // The clock of the report's date line (tests fix it).
    std::function<std::time_t()> Clock = [] { return std::time(nullptr); };

    // ---- Loading plan data from files ----
    bool LoadCodeMatrix(const std::string& fileName);
    bool LoadBaseLevels(const std::string& fileName);
    bool LoadIntervals(const std::string& fileName);
    bool LoadResponses(const std::string& fileName);

private:
    // Zero base levels, unit intervals and the natural matrix (= coded).
    void DefaultNaturalUnits();
    bool RecognizeCompositePlan();
    bool LoadPlanVector(const std::string& fileName, TNamedVector& target, bool valid,
                        TDataWindow window, const char* unknownSize);
    enum class TStudentOutcome { Continue, Cancelled, Ended };
    TStudentOutcome StudentStep();
    bool RefitSignificant();
    bool FitBasis(const char* illConditionedQuestion, TNamedVector& coefficients);
    void RunStatistics();
    void CheckPointTest();
    void FisherTest();
    void ReportAdequacy(TResultFormKind kind, double measure, double computed, double table);
    void CheckPointTermVector(TNamedVector& f) const;
    void ShowResult(TResultForm form, bool& showAlways, bool& activateReport);

    // Clears the flags of the plan data, the observations and their results.
    void InvalidateData();
    bool BuildNewPlan(const TNewPlanAnswers& answers);
    bool DefineBuiltinPlan();
    bool DefineGeneralPlan(const TNewPlanAnswers& answers);
    // The runs the new plan's code matrix is filled with (the wizard's
    // D-optimal plan), used once.
    std::vector<std::vector<double>> PresetRuns;
    bool FinishNewPlan();

    TPlanHost& PlanHost;
    TMessageHostScope MessageScope;
    std::mt19937 Random{static_cast<std::uint32_t>(std::time(nullptr))};
    const TMathCatalog* Catalog = nullptr;
};

// Sections that the layers above the plan (the statistics of the model) add
// to the report after its own and before the end mark: the texts for the
// plan, each followed by the divider. None unless a layer sets them.
using TReportSections = std::function<std::vector<std::string>(const TRaruRuro&)>;
void SetReportSections(TReportSections sections);
const TReportSections& ReportSections();

} // namespace orvanta
