#include "shell/QtPlanHost.h"

#include "dialogs/AverageDialog.h"
#include "dialogs/CheckPointDlg.h"
#include "dialogs/DiagramWizard.h"
#include "dialogs/ExProgress.h"
#include "dialogs/ExProgressAdapter.h"
#include "dialogs/ExtremumDialog.h"
#include "dialogs/ExtremumResultDialog.h"
#include "dialogs/FileDialog.h"
#include "dialogs/KNamesForm.h"
#include "dialogs/ModelChangeDialog.h"
#include "dialogs/NewPlanWizard.h"
#include "dialogs/ResultCompleteForm.h"
#include "dialogs/SecondOrderDialog.h"
#include "dialogs/SurfaceWizard.h"
#include "dialogs/TranslateDialog.h"
#include "dialogs/YMparams.h"
#include "mteditor/MTEditForm.h"
#include "plan/Settings.h"
#include "services/MathDefinition.h"
#include "services/PlanService.h"
#include "shell/EvaluationWindow.h"
#include "shell/GraphWindows.h"
#include "shell/InputDialogs.h"
#include "shell/MainForm.h"
#include "shell/MessageBoxes.h"
#include "shell/PlanWindows.h"
#include "shell/PlotWindows.h"
#include "shell/StatisticsWindow.h"
#include "shell/WindowListHandler.h"

#include <QApplication>

namespace orvanta {

namespace {

TBoxKind BoxOf(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Info:
        return TBoxKind::Info;
    case TMessageKind::Warning:
        return TBoxKind::Warning;
    default:
        return TBoxKind::Error;
    }
}

} // namespace

QList<TFilterEntry> FileFilterEntries(TFileFilter filter) {
    switch (filter) {
    case TFileFilter::SurferGrid:
        return {ShownFilterEntry(QStringLiteral("ASCII-файлы сетки для Surfer (*.grd)")),
                AllFilesEntry()};
    case TFileFilter::Plan:
        return {ShownFilterEntry(QStringLiteral("Файлы планирования (*.mpl)")), AllFilesEntry()};
    default:
        return {ShownFilterEntry(QStringLiteral("Текстовые файлы (*.txt)")), AllFilesEntry()};
    }
}

TQtPlanHost::TQtPlanHost(TMainForm& main) : Main(main) {}

TQtPlanHost::~TQtPlanHost() = default;

void TQtPlanHost::CreateWindows() {
    if (PlanWindows)
        return;
    PlanWindows = std::make_unique<TPlanWindows>(Main.MdiArea(), Main.Service(),
                                                 [this] { Main.RefreshTitle(); });
    ListHandler = std::make_unique<TWindowListHandler>(Main.Service(), *PlanWindows, &Main);
    GraphWindows = std::make_unique<TGraphWindows>(Main.MdiArea(), Main.Service(), Main);
    StatisticsWindow = std::make_unique<TStatisticsWindow>(Main.MdiArea(), Main);
    PlotWindows = std::make_unique<TPlotWindows>(Main.MdiArea(), Main);
    EvaluationWindow = std::make_unique<TEvaluationWindow>(Main.MdiArea(), Main);
    PlanWindows->SetModelWindows(StatisticsWindow.get(), PlotWindows.get(), EvaluationWindow.get());
    // A click on a residual shows its row of the statistics.
    PlotWindows->OnObservation = [this](std::int32_t run, std::int32_t repeat) {
        StatisticsWindow->ShowObservation(run, repeat);
    };
}

void TQtPlanHost::CreateInputDialogs() {
    if (!StringInput) {
        StringInput = std::make_unique<TStringInputDlg>(&Main);
        FloatInput = std::make_unique<TFloatInputDlg>(&Main);
    }
}

void TQtPlanHost::CreatePlanDialogs() {
    if (KNamesForm)
        return;
    KNamesForm = std::make_unique<TKNamesForm>(&Main);
    YMparams = std::make_unique<TYMparams>(&Main);
    // The progress window watches the Enter and Esc keys from its creation:
    // the Enter that confirms the search dialog must already count as held.
    ExProgress = std::make_unique<TExProgress>(&Main);
    Wizard = std::make_unique<TNewPlanWizard>(&Main);
    ModelChange = std::make_unique<TModelChangeDialog>(&Main);
    Averages = std::make_unique<TAverageDialog>(&Main);
    SecondOrder = std::make_unique<TSecondOrderDialog>(&Main);
    Extremum = std::make_unique<TExtremumDialog>(&Main);
    ExtremumResult = std::make_unique<TExtremumResultDialog>(&Main);
    for (std::size_t i = 0; i < ResultForms.size(); ++i)
        ResultForms[i] =
            std::make_unique<TResultCompleteForm>(static_cast<TResultFormKind>(i), &Main);
    CreatePointDialogs();
    DiagramWizard = std::make_unique<TDiagramWizard>(&Main);
    // The levels page is the diagram wizard's, shared by both.
    SurfaceWizard = std::make_unique<TSurfaceWizard>(&Main, *DiagramWizard->Step3);
}

void TQtPlanHost::RestrictWizard(const TWizardChoices& choices) {
    CreatePlanDialogs();
    Wizard->Restrict(choices);
}

// ---- Messages ----

void TQtPlanHost::ShowMessage(TMessageKind kind, const std::string& text) {
    ShowMessageBox(&Main, BoxOf(kind), text);
}

TAnswer TQtPlanHost::AskYesNo(const std::string& text) {
    return ShowMessageBox(&Main, TBoxKind::YesNo, text);
}

TAnswer TQtPlanHost::AskYesNoCancel(const std::string& text) {
    return ShowMessageBox(&Main, TBoxKind::YesNoCancel, text);
}

std::optional<std::string> TQtPlanHost::InputString(const std::string& initial,
                                                    const std::string& caption) {
    CreateInputDialogs();
    auto text = StringInput->Run(QString::fromStdString(initial), QString::fromStdString(caption));
    if (!text)
        return std::nullopt;
    return text->toStdString();
}

std::optional<double> TQtPlanHost::InputReal(const std::string& initial,
                                             const std::string& caption) {
    CreateInputDialogs();
    return FloatInput->Run(QString::fromStdString(initial), QString::fromStdString(caption));
}

// ---- Dialogs of the plan commands ----

std::optional<TNewPlanAnswers> TQtPlanHost::RunNewPlanWizard() {
    CreatePlanDialogs();
    const TMathCatalog* catalog = Main.Plan().MathCatalog();
    if (!catalog)
        catalog = &Main.Registry();
    return Wizard->Run(*catalog);
}

std::optional<TBuiltinPlanAnswer> TQtPlanHost::RunBuiltinPlanDialog() {
    CreatePlanDialogs();
    return Wizard->RunBuiltin();
}

std::optional<TRepeatsAnswer> TQtPlanHost::RunRepeatsDialog(const TRepeatsRequest& request) {
    CreatePlanDialogs();
    return YMparams->Run(request);
}

std::optional<std::vector<std::string>>
TQtPlanHost::RunFactorNamesDialog(const std::vector<std::string>& names) {
    CreatePlanDialogs();
    return KNamesForm->Run(names);
}

TResultFormChoices TQtPlanHost::ShowResultForm(const TResultForm& form) {
    CreatePlanDialogs();
    return ResultForms[static_cast<std::size_t>(form.Kind)]->Run(form);
}

std::optional<TModelChange> TQtPlanHost::RunModelChangeDialog(const TModelChangeRequest& request) {
    CreatePlanDialogs();
    return ModelChange->Run(request);
}

void TQtPlanHost::ShowAveragesDialog(const std::vector<double>& means) {
    CreatePlanDialogs();
    Averages->Run(means);
}

std::optional<TExtremumAnswer> TQtPlanHost::RunExtremumDialog(const TExtremumRequest& request) {
    CreatePlanDialogs();
    return Extremum->Run(request);
}

std::unique_ptr<TExtremumProgress> TQtPlanHost::ShowExtremumProgress(const std::string& caption,
                                                                     double value,
                                                                     const std::string& status) {
    CreatePlanDialogs();
    return MakeExtremumProgress(*ExProgress, caption, value, status);
}

void TQtPlanHost::ShowExtremumResult(const std::vector<double>& point, double value) {
    CreatePlanDialogs();
    ExtremumResult->Run(point, value);
}

std::optional<TSecondOrderAnswer> TQtPlanHost::RunSecondOrderKindDialog() {
    CreatePlanDialogs();
    return SecondOrder->Run();
}

std::optional<TDiagramAnswer> TQtPlanHost::RunDiagramWizard() {
    CreatePlanDialogs();
    return DiagramWizard->Run(Main.Plan().FactorNames);
}

std::optional<TSurfaceAnswer> TQtPlanHost::RunSurfaceWizard() {
    CreatePlanDialogs();
    return SurfaceWizard->Run(Main.Plan().FactorNames);
}

// ---- File dialogs ----

std::optional<TFileChoice> TQtPlanHost::RunFileDialog(bool save,
                                                      const TFileDialogRequest& request) {
    TFileDialog dialog(&Main, QString::fromStdString(request.Title), save);
    dialog.setObjectName(save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
    dialog.SetFilters(FileFilterEntries(request.Filter));
    // The question about replacing a file names the file the command writes.
    dialog.SetFinalPath([&request](const QString& chosen, int filterIndex) {
        return QString::fromStdString(
            ApplyDefaultExtension(chosen.toStdString(), request.Filter, filterIndex == 0));
    });
    if (!request.InitialName.empty())
        dialog.selectFile(QString::fromStdString(request.InitialName));
    const auto choice = dialog.Run();
    if (!choice)
        return std::nullopt;
    return TFileChoice{choice->Path.toStdString(), choice->FilterIndex == 0};
}

std::optional<TFileChoice> TQtPlanHost::RunOpenDialog(const TFileDialogRequest& request) {
    return RunFileDialog(false, request);
}

std::optional<TFileChoice> TQtPlanHost::RunSaveDialog(const TFileDialogRequest& request) {
    return RunFileDialog(true, request);
}

// ---- Windows ----

void TQtPlanHost::ShowDataWindow(TDataWindow window) {
    PlanWindows->ShowData(window);
}

void TQtPlanHost::MinimizeDataWindow(TDataWindow window) {
    PlanWindows->MinimizeData(window);
}

void TQtPlanHost::RefreshDataWindow(TDataWindow window) {
    PlanWindows->RefreshData(window);
}

void TQtPlanHost::CloseDataWindow(TDataWindow window) {
    PlanWindows->CloseData(window);
}

bool TQtPlanHost::IsDataWindowOpen(TDataWindow window) const {
    return PlanWindows && PlanWindows->IsDataOpen(window);
}

bool TQtPlanHost::IsDataWindowMinimized(TDataWindow window) const {
    return PlanWindows && PlanWindows->IsDataMinimized(window);
}

bool TQtPlanHost::IsDataWindowEdited(TDataWindow window) const {
    return PlanWindows && PlanWindows->IsDataEdited(window);
}

void TQtPlanHost::ClearDataWindowEdited(TDataWindow window) {
    PlanWindows->ClearDataEdited(window);
}

void TQtPlanHost::ShowReportWindow() {
    PlanWindows->ShowReport();
}

void TQtPlanHost::MinimizeReportWindow() {
    PlanWindows->MinimizeReport();
}

void TQtPlanHost::CloseReportWindow() {
    PlanWindows->CloseReport();
}

bool TQtPlanHost::IsReportWindowOpen() const {
    return PlanWindows && PlanWindows->IsReportOpen();
}

bool TQtPlanHost::IsReportWindowMinimized() const {
    return PlanWindows && PlanWindows->IsReportMinimized();
}

bool TQtPlanHost::IsReportEdited() const {
    return PlanWindows && PlanWindows->IsReportEdited();
}

bool TQtPlanHost::SaveReport() {
    return PlanWindows && PlanWindows->SaveReport();
}

bool TQtPlanHost::RunWindowList(TWindowList list) {
    return list == TWindowList::Minimize ? ListHandler->Minimize() : ListHandler->Show();
}

bool TQtPlanHost::ArrangeWindows(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) {
    return ListHandler->Arrange(TWindowRect{left, top, right, bottom});
}

void TQtPlanHost::ApplyOptions() {
    if (ListHandler)
        ListHandler->ApplyOptions();
    if (PlanWindows)
        PlanWindows->ApplyOptions();
    if (CheckPoint && CheckPoint->EditorForm())
        CheckPoint->EditorForm()->SetHints(Settings().CBShowHints);
}

void* TQtPlanHost::MainWindowHandle() const {
    return static_cast<QWidget*>(&Main);
}

void TQtPlanHost::ShowGraphWindow(TGraphWindow window) {
    GraphWindows->Show(window);
}

void TQtPlanHost::CloseGraphWindow(TGraphWindow window) {
    GraphWindows->Close(window);
}

void TQtPlanHost::ApplyGraphOptions(TGraphWindow window) {
    GraphWindows->ApplyOptions(window);
}

void TQtPlanHost::RefreshCommands() {
    Main.RefreshCommands();
}

} // namespace orvanta
