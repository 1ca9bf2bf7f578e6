// The main window's own commands: documents, windows, view, service, help.
#include "shell/MainForm.h"

#include "designwindows/AugmentDialog.h"
#include "plan/RaruRuro.h"
#include "runsheetwindows/RunSheetFiles.h"
#include "services/PlanService.h"
#include "shell/AboutBox.h"
#include "shell/EvaluationWindow.h"
#include "shell/FormList.h"
#include "shell/HelpWindow.h"
#include "shell/OptionsForm.h"
#include "shell/PlanWindows.h"
#include "shell/PlotWindows.h"
#include "shell/QtPlanHost.h"
#include "shell/QuantilesForm.h"
#include "shell/StatisticsWindow.h"
#include "shell/WindowListHandler.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QToolBar>

namespace orvanta {

void TMainForm::NewItemClick() {
    if (PlanService->Can(0))
        PlanService->NewPlan();
    ArrangePlanWindows(true);
}

void TMainForm::OpenItemClick() {
    if (PlanService->Can(1))
        PlanService->OpenPlan(std::nullopt);
    ArrangePlanWindows(true);
}

void TMainForm::CloseItemClick() {
    if (PlanService->Can(4))
        PlanService->ClosePlan();
}

void TMainForm::UpdateReportItemClick() {
    if (!PlanService->Can(5))
        return;
    PlanService->UpdateReport();
    TPlanWindows& windows = PlanHost->Windows();
    QMdiSubWindow* report = windows.SubWindow(TPlanWindow::Report);
    if (!report || !report->isVisible())
        PlanService->RestoreWindow(38);
    if ((report = windows.SubWindow(TPlanWindow::Report))) {
        if (report->isMinimized())
            report->showNormal();
        report->raise();
        Mdi->setActiveSubWindow(report);
    }
}

void TMainForm::ExitItemClick() {
    close();
}

void TMainForm::ArrangePlanWindows(bool quiet) {
    if (!PlanService->Can(49))
        return;
    // The area already leaves out the tool bars and the status bar.
    const QRect client = Mdi->viewport()->rect();
    const TWindowRect area{client.left(), client.top(), client.right() + 1 - 4,
                           client.bottom() + 1 - 4};
    Mdi->cascadeSubWindows();
    TFormList& dialog = PlanHost->WindowLists().Dialog(TListOperation::Arrange);
    const bool showAlways = dialog.ShowAlways();
    if (quiet)
        dialog.SetShowAlways(false);
    PlanService->ArrangeWindows(area.Left, area.Top, area.Right, area.Bottom);
    if (quiet)
        dialog.SetShowAlways(showAlways);
}

void TMainForm::SetFullScreen(bool on) {
    bool states[7] = {};
    PlanService->SaveWindowStates(states);
    const bool toolBar = Bars().ToolBarVisible;
    const bool statusBar = Bars().StatusBarVisible;
    if (toolBar)
        HideToolBar();
    if (statusBar)
        HideStatusBar();
    if (on)
        showFullScreen();
    else
        showMaximized();
    PlanService->RestoreWindowStates(states);
    if (toolBar)
        ShowToolBar();
    if (statusBar)
        ShowStatusBar();
    findChild<QAction*>(QStringLiteral("FullScreenItem"))->setChecked(on);
}

void TMainForm::FullScreenItemClick() {
    SetFullScreen(!isFullScreen());
}

void TMainForm::CascadeItemClick() {
    Mdi->cascadeSubWindows();
}

void TMainForm::TileItemClick() {
    Mdi->tileSubWindows();
}

void TMainForm::ArrangeIconsItemClick() {
    // Minimised windows line up along the bottom edge, left to right.
    int left = 0;
    const int bottom = Mdi->viewport()->height();
    for (QMdiSubWindow* sub : Mdi->subWindowList())
        if (sub->isMinimized()) {
            sub->move(left, bottom - sub->height());
            left += sub->width();
        }
}

void TMainForm::MinimizeItemClick() {
    if (PlanService->Can(47))
        PlanService->MinimizeWindows();
}

void TMainForm::ShowItemClick() {
    if (PlanService->Can(48))
        PlanService->ShowWindows();
}

void TMainForm::ArrangeItemClick() {
    ArrangePlanWindows(false);
}

TQuantilesForm& TMainForm::QuantilesForm() {
    CreateDialogs();
    return *Quantiles;
}

void TMainForm::ShowPirsonItemClick() {
    QuantilesForm().ShowField(TQuantileWindowLogic::TInput::PirsonF);
}

void TMainForm::ShowCohrenItemClick() {
    QuantilesForm().ShowField(TQuantileWindowLogic::TInput::CohrenN);
}

void TMainForm::ShowStudentItemClick() {
    QuantilesForm().ShowField(TQuantileWindowLogic::TInput::StudentF);
}

void TMainForm::ShowFisherItemClick() {
    QuantilesForm().ShowField(TQuantileWindowLogic::TInput::FisherN);
}

TOptionsForm& TMainForm::OptionsForm() {
    CreateDialogs();
    return *OptionsDialog;
}

void TMainForm::OptionsItemClick() {
    // "Ok" stores the options and comes back through OptionsAccepted.
    OptionsForm().Execute();
}

void TMainForm::StatisticsItemClick() {
    if (PlanService->Can(25))
        PlanHost->Statistics().Show();
}

void TMainForm::EvaluationItemClick() {
    if (PlanService->Can(20))
        PlanHost->Evaluation().Show();
}

void TMainForm::ContourItemClick() {
    if (PlanService->Can(28))
        PlanHost->Plots().Show(TPlotWindowKind::Contour);
}

void TMainForm::ResidualsItemClick() {
    if (PlanService->Can(27) && Plan().HasYMatrix)
        PlanHost->Plots().Show(TPlotWindowKind::Residuals);
}

void TMainForm::EffectsItemClick() {
    if (PlanService->Can(27))
        PlanHost->Plots().Show(TPlotWindowKind::Effects);
}

void TMainForm::InteractionItemClick() {
    if (PlanService->Can(28))
        PlanHost->Plots().Show(TPlotWindowKind::Interaction);
}

void TMainForm::TraceItemClick() {
    if (PlanService->Can(27))
        PlanHost->Plots().Show(TPlotWindowKind::Trace);
}

void TMainForm::AugmentItemClick() {
    if (!PlanService->Can(20) || Plan().TermCount() < 1)
        return;
    // The dialog adds the runs itself on "OK"; the plan shows its windows
    // anew and marks itself modified.
    TAugmentDialog dialog(Plan(), this);
    if (dialog.exec() == QDialog::Accepted)
        RefreshCommands();
}

void TMainForm::RunSheetItemClick() {
    if (!PlanService->Can(14))
        return;
    Plan().StatusText = "Операция не завершена.";
    if (SaveRunSheet(this, Plan()))
        Plan().StatusText = "Рабочий лист сохранен.";
    RefreshCommands();
}

void TMainForm::ImportRunSheetItemClick() {
    if (!PlanService->Can(11))
        return;
    Plan().StatusText = "Операция не завершена.";
    // The responses window shows the new observations; the results wait
    // for the next analysis, as after an import of responses.
    if (ImportFilledRunSheet(this, Plan()))
        Plan().StatusText = "Отклики загружены из рабочего листа.";
    RefreshCommands();
}

void TMainForm::HelpWelcomeItemClick() {
    // A window with a page of its own opens that page.
    const QMdiSubWindow* active = Mdi->activeSubWindow();
    const QVariant context =
        active && active->widget() ? active->widget()->property("helpContext") : QVariant();
    if (context.isValid() && CallHelp(THelpCommand::Context, context.toInt()))
        return;
    CallHelp(THelpCommand::Contents);
}

void TMainForm::HelpQuickStartItemClick() {
    CallHelp(THelpCommand::Context, 3104);
}

void TMainForm::HelpInterfaceItemClick() {
    CallHelp(THelpCommand::Context, 3103);
}

void TMainForm::HelpQuickPlanItemClick() {
    CallHelp(THelpCommand::Context, 3229);
}

void TMainForm::HTMLHItemClick() {
    OpenReadme();
}

} // namespace orvanta
