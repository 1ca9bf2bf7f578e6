#pragma once

#include "numeric/MessageHost.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

class TAdden;

// What step 1 of the new-plan wizard chose.
enum class TPlanSource { Generator, NonStandard, Builtin };

// The answers of a finished new-plan wizard.
struct TNewPlanAnswers {
    TPlanSource Source = TPlanSource::Generator;
    std::string GeneratorName;      // step 2's selected plan
    bool UseGeneratorModel = false; // step 2's "Использовать эту модель"
    std::int32_t FactorCount = 2;   // step 2A: k of a non-standard plan
    std::int32_t RunCount = 4;      // step 2A: N of a non-standard plan
    bool UseStandardModel = false; // step 3's "Использовать одну из стандартных моделей"
    std::string ModelName;             // step 3's selected model
    std::vector<const TAdden*> Addens; // step 4's term list, in term order
    // Step 4's D-optimal plan for those terms (N runs of k coded values);
    // empty when the person types the code matrix.
    std::vector<std::vector<double>> Runs;
};

// The built-in plan dialog: kind 0 = FFE, 1 = CCO, 2 = CCR, and k.
struct TBuiltinPlanAnswer {
    std::int32_t Kind = 0;
    std::int32_t FactorCount = 2;
};

// The observations dialog as the plan opens it, and what it gives back.
struct TRepeatsRequest {
    std::string Caption;
    std::string ResponseName;
};
struct TRepeatsAnswer {
    std::string RepeatsText; // the repeats field as typed (validated 1 .. 64 by the dialog)
    std::string ResponseName;
};

// The four analysis result forms.
enum class TResultFormKind { Cochran, Student, Fisher, CheckPoint };

// What a result form shows, and the state of its two check boxes
// ("Всегда показывать результаты", "Обновить и показать отчет").
struct TResultForm {
    TResultFormKind Kind = TResultFormKind::Cochran;
    // Cochran: experimental error; Fisher: adequacy variance; check point:
    // prediction variance.
    double Measure = 0.0;
    double Computed = 0.0;             // the criterion's computed value
    double Table = 0.0;                // its table value
    std::int32_t SignificantCount = 0; // Student form
    std::string Verdict; // "Однородны." ... "Адекватна системе." ...
    bool ShowAlways = true;
    bool ActivateReport = false;
};

// The two check boxes as the person left them.
struct TResultFormChoices {
    bool ShowAlways = true;
    bool ActivateReport = false;
};

// The model-change dialog's three choices.
enum class TModelChange { Ignore, ZeroInsignificant, RecomputeSignificant };

struct TModelChangeRequest {
    std::string Caption;
    // No coefficient is significant: only "Игнорировать незначимость" is offered.
    bool AllInsignificant = false;
    TModelChange Preselected = TModelChange::ZeroInsignificant;
};

// Extremum search methods, numbered as the search takes them.
enum class TExtremumMethod { MonteCarlo = 1, GaussSeidel = 2, Scanning = 3 };

// What the extremum dialog ("Поиск экстремума") is prepared from.
struct TExtremumRequest {
    std::vector<std::string> FactorNames;
    bool HasLastExtremum = false; // enables and checks "Использовать последний ..."
};

// The extremum dialog's answers; bounds in coded units, one per factor.
struct TExtremumAnswer {
    TExtremumMethod Method = TExtremumMethod::MonteCarlo;
    bool Maximum = false;
    bool UseLast = false;
    std::int32_t Steps = 10;            // "Шагов разбиения:" (Gauss-Seidel, scanning)
    std::int32_t Approximations = 1000; // "Количество приближений:" (Monte Carlo)
    std::vector<double> Lower;
    std::vector<double> Upper;
};

// What the person asked of a running search.
enum class TProgressRequest { None, Stop, Cancel };

// The progress window of a running extremum search; closed when destroyed.
class TExtremumProgress {
public:
    virtual ~TExtremumProgress() = default;
    // Gauge and "Значение в текущей точке:".
    virtual void Update(std::int32_t percent, double value) = 0;
    // Enter held or "Остановить" → Stop; Esc held or "Отмена" → Cancel.
    virtual TProgressRequest Poll() = 0;
    virtual void SetStatus(const std::string& text) = 0;
    // Waits until the stop keys are released (Enter after the dialog closed,
    // or the key that stopped the search).
    virtual void WaitForKeyRelease() = 0;
};

// The second-order plan kind dialog ("Вид плана второго порядка.").
struct TSecondOrderAnswer {
    bool Rotatable = false; // "Ротатабельным планом", else "Ортогональным планом"
    bool StandardStarArm = true; // "Установить стандартное звездное плечо"
};

// The three file-dialog filters of a plan.
enum class TFileFilter { Text, SurferGrid, Plan };

// An open or save dialog as a command prepares it.
struct TFileDialogRequest {
    std::string Title;
    TFileFilter Filter = TFileFilter::Text;
    std::string InitialName;
};

// The confirmed choice: the path as typed and whether the first entry of the
// filter ("*.txt", "*.grd", "*.mpl") was selected.
struct TFileChoice {
    std::string Path;
    bool FirstFilterEntry = true;
};

// The diagram wizard's answers (coded units): the varied factor, its range
// and point count, and the values of all k factors (the fixed ones count).
struct TDiagramAnswer {
    std::int32_t Factor = 0;
    double Start = -1.0;
    double End = 1.0;
    std::int32_t Points = 2;
    std::vector<double> Point;
};

// The surface wizard's answers (coded units): two varied factors with their
// ranges and point counts, and the values of all k factors.
struct TSurfaceAnswer {
    std::int32_t FactorX = 0;
    std::int32_t FactorY = 1;
    double XStart = -1.0;
    double XEnd = 1.0;
    double YStart = -1.0;
    double YEnd = 1.0;
    std::int32_t XPoints = 2;
    std::int32_t YPoints = 2;
    std::vector<double> Point;
};

// The window-list dialogs of the main window.
enum class TWindowList { Minimize, Show };

// The two windows of the plan's graph holder.
enum class TGraphWindow { Diagram, Surface };

// The plan's five data windows (matrix editors).
enum class TDataWindow { CodeMatrix, NaturalMatrix, BaseLevels, Intervals, Responses };

// Everything the plan engine asks of the program around it: the message
// boxes (through the message host it extends), the dialogs it runs, the file
// dialogs, the windows it opens and the main window's refresh. Every dialog
// answer is a plain value; a cancelled dialog is an empty optional.
class TPlanHost : public TMessageHost {
public:
    // Dialogs of the plan commands.
    virtual std::optional<TNewPlanAnswers> RunNewPlanWizard() = 0;
    virtual std::optional<TBuiltinPlanAnswer> RunBuiltinPlanDialog() = 0;
    virtual std::optional<TRepeatsAnswer> RunRepeatsDialog(const TRepeatsRequest& request) = 0;
    // The factor names dialog, given the current names; the edited names on OK.
    virtual std::optional<std::vector<std::string>>
    RunFactorNamesDialog(const std::vector<std::string>& names) = 0;

    // The modal analysis result form; the check boxes come back.
    virtual TResultFormChoices ShowResultForm(const TResultForm& form) = 0;
    // The model-change dialog of the Student step; nullopt when cancelled.
    virtual std::optional<TModelChange>
    RunModelChangeDialog(const TModelChangeRequest& request) = 0;
    // The averages dialog ("Средние значения") over the mean responses.
    virtual void ShowAveragesDialog(const std::vector<double>& means) = 0;

    // The extremum dialog, the progress window and the result dialog
    // ("Экстремум": the coded point and the model's value there).
    virtual std::optional<TExtremumAnswer> RunExtremumDialog(const TExtremumRequest& request) = 0;
    virtual std::unique_ptr<TExtremumProgress>
    ShowExtremumProgress(const std::string& caption, double value, const std::string& status) = 0;
    virtual void ShowExtremumResult(const std::vector<double>& point, double value) = 0;
    // The second-order plan kind dialog of code-matrix loading.
    virtual std::optional<TSecondOrderAnswer> RunSecondOrderKindDialog() = 0;

    // The diagram and surface wizards.
    virtual std::optional<TDiagramAnswer> RunDiagramWizard() = 0;
    virtual std::optional<TSurfaceAnswer> RunSurfaceWizard() = 0;
    // The translation dialog (coded and natural points, predicted response).
    virtual void RunTranslateDialog() = 0;

    // File dialogs: the confirmed choice, nullopt when cancelled.
    virtual std::optional<TFileChoice> RunOpenDialog(const TFileDialogRequest& request) = 0;
    virtual std::optional<TFileChoice> RunSaveDialog(const TFileDialogRequest& request) = 0;

    // Window requests. A data window shows the plan's matrix or vector of
    // that kind; refreshing re-reads the data into an open window.
    virtual void ShowDataWindow(TDataWindow window) = 0;
    virtual void MinimizeDataWindow(TDataWindow window) = 0;
    virtual void RefreshDataWindow(TDataWindow window) = 0;
    virtual void CloseDataWindow(TDataWindow window) = 0;
    virtual bool IsDataWindowOpen(TDataWindow window) const = 0;
    virtual bool IsDataWindowMinimized(TDataWindow window) const = 0;
    // The window holds edits not yet saved.
    virtual bool IsDataWindowEdited(TDataWindow window) const = 0;
    virtual void ClearDataWindowEdited(TDataWindow window) = 0;
    virtual void ShowReportWindow() = 0;
    virtual void MinimizeReportWindow() = 0;
    virtual void CloseReportWindow() = 0;
    virtual bool IsReportWindowOpen() const = 0;
    virtual bool IsReportWindowMinimized() const = 0;
    virtual bool IsReportEdited() const = 0;
    // Saves the report window's text through its own dialog; true when saved.
    virtual bool SaveReport() = 0;
    // The window-list dialogs and the arrangement of the plan's windows in
    // the main window's client area.
    virtual bool RunWindowList(TWindowList list) = 0;
    virtual bool ArrangeWindows(std::int32_t left, std::int32_t top, std::int32_t right,
                                std::int32_t bottom) = 0;
    // Pushes the stored options into the open windows.
    virtual void ApplyOptions() = 0;
    // The main window's native handle (for plug-ins), or null.
    virtual void* MainWindowHandle() const = 0;
    // The non-modal check-point window.
    virtual void ShowCheckPointWindow() = 0;
    virtual void CloseCheckPointWindow() = 0;
    // The diagram and surface windows of the plan's graph holder: shown
    // (created when missing) with the holder's points, closed (minimised
    // first), restyled from the stored options. A window closed by the
    // person is reported back to the holder by the host.
    virtual void ShowGraphWindow(TGraphWindow window) = 0;
    virtual void CloseGraphWindow(TGraphWindow window) = 0;
    virtual void ApplyGraphOptions(TGraphWindow window) = 0;

    // The main window re-enables its commands, shows the status text and
    // refreshes its title.
    virtual void RefreshCommands() = 0;
};

} // namespace orvanta
