#include "shell/PlanWindows.h"

#include "shell/PlotWindows.h"
#include "shell/StatisticsWindow.h"

#include "dialogs/ReportForm.h"
#include "mteditor/MTEditForm.h"
#include "numeric/NumberText.h"
#include "plan/RaruRuro.h"
#include "plan/Settings.h"
#include "services/PlanService.h"

#include <QEvent>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace orvanta {

namespace {

// The picture windows follow the statistics window in the lists' order.
TPlotWindowKind PlotKind(TPlanWindow window) {
    return static_cast<TPlotWindowKind>(static_cast<int>(window) -
                                        static_cast<int>(TPlanWindow::Contour));
}

TPlanWindow PlanWindowOf(TPlotWindowKind kind) {
    return static_cast<TPlanWindow>(static_cast<int>(TPlanWindow::Contour) +
                                    static_cast<int>(kind));
}

} // namespace

namespace {

int Index(TPlanWindow window) {
    return static_cast<int>(window);
}

TPlanWindow PlanWindowOf(TDataWindow window) {
    return static_cast<TPlanWindow>(static_cast<int>(window));
}

// Closing a plan window only minimises it, and a minimised one stays as it
// is: the plan decides when its windows go.
class TMinimizeOnClose : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            if (auto* sub = qobject_cast<QMdiSubWindow*>(watched)) {
                event->ignore();
                if (!sub->isMinimized())
                    sub->showMinimized();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TPlanWindows::TPlanWindows(QMdiArea& area, TPlanService& service,
                           std::function<void()> refreshTitle)
    : Area(area), Service(service), RefreshTitle(std::move(refreshTitle)) {}

TPlanWindows::~TPlanWindows() {
    CloseAll();
}

QMdiSubWindow* TPlanWindows::AddWindow(TPlanWindow window, QWidget* contents) {
    auto* sub = Area.addSubWindow(contents);
    sub->setWindowTitle(QString::fromUtf8(PlanWindowCaption(window)));
    sub->setObjectName(QString::fromLatin1("PlanWindow%1").arg(Index(window)));
    sub->installEventFilter(new TMinimizeOnClose(sub));
    sub->resize(window == TPlanWindow::Report ? QSize(600, 400) : QSize(566, 299));
    Windows[Index(window)] = sub;
    return sub;
}

void TPlanWindows::ShowNormal(QMdiSubWindow* sub) {
    if (sub->isMinimized() || sub->isMaximized() || !sub->isVisible())
        sub->showNormal();
}

TMTEditForm* TPlanWindows::Editor(TDataWindow window) const {
    QMdiSubWindow* sub = SubWindow(PlanWindowOf(window));
    return sub ? qobject_cast<TMTEditForm*>(sub->widget()) : nullptr;
}

void TPlanWindows::Attach(TMTEditForm& editor, TDataWindow window) {
    TRaruRuro& plan = Service.Plan;
    switch (window) {
    case TDataWindow::CodeMatrix:
        editor.AttachMatrix(plan.CodeMatrix);
        break;
    case TDataWindow::NaturalMatrix:
        editor.AttachMatrix(plan.NaturalMatrix);
        break;
    case TDataWindow::BaseLevels:
        editor.AttachVector(plan.BaseLevels);
        break;
    case TDataWindow::Intervals:
        editor.AttachVector(plan.Intervals);
        break;
    case TDataWindow::Responses:
        editor.AttachMatrix(plan.YMatrix);
        break;
    }
}

void TPlanWindows::ShowData(TDataWindow window) {
    TMTEditForm* editor = Editor(window);
    if (!editor) {
        editor = new TMTEditForm;
        editor->SetHints(Settings().CBShowHints);
        editor->OnRefreshTitle = [this] { RefreshTitle(); };
        if (window == TDataWindow::NaturalMatrix)
            editor->SetEditingAllowed(false);
        if (window == TDataWindow::CodeMatrix || window == TDataWindow::BaseLevels ||
            window == TDataWindow::Intervals)
            editor->OnDataChanged = [this](TMTEditForm&) { Service.Plan.RefreshNaturalMatrix(); };
        AddWindow(PlanWindowOf(window), editor);
    }
    Attach(*editor, window);
    ShowNormal(SubWindow(PlanWindowOf(window)));
}

void TPlanWindows::RefreshData(TDataWindow window) {
    TMTEditForm* editor = Editor(window);
    if (!editor)
        return;
    // A re-read keeps what the person changed unsaved; the reshaped
    // responses count as changed, the recomputed natural matrix does not.
    const bool edited = editor->IsEdited();
    Attach(*editor, window);
    if (window == TDataWindow::Responses)
        editor->SetEdited(true);
    else if (window != TDataWindow::NaturalMatrix)
        editor->SetEdited(edited);
}

bool TPlanWindows::IsDataEdited(TDataWindow window) const {
    const TMTEditForm* editor = Editor(window);
    return editor && editor->IsEdited();
}

void TPlanWindows::ClearDataEdited(TDataWindow window) {
    if (TMTEditForm* editor = Editor(window))
        editor->SetEdited(false);
}

void TPlanWindows::ApplyOptions() {
    if (TReportForm* report = Report())
        report->ApplySettings();
    for (int i = 0; i < 5; ++i)
        if (TMTEditForm* editor = Editor(static_cast<TDataWindow>(i)))
            editor->SetHints(Settings().CBShowHints);
}

void TPlanWindows::MinimizeData(TDataWindow window) {
    if (QMdiSubWindow* sub = SubWindow(PlanWindowOf(window)))
        sub->showMinimized();
}

void TPlanWindows::CloseData(TDataWindow window) {
    if (TMTEditForm* editor = Editor(window))
        editor->Detach();
    Close(PlanWindowOf(window));
}

bool TPlanWindows::IsDataOpen(TDataWindow window) const {
    return SubWindow(PlanWindowOf(window)) != nullptr;
}

bool TPlanWindows::IsDataMinimized(TDataWindow window) const {
    const QMdiSubWindow* sub = SubWindow(PlanWindowOf(window));
    return sub && sub->isMinimized();
}

TReportForm* TPlanWindows::Report() const {
    QMdiSubWindow* sub = SubWindow(TPlanWindow::Report);
    return sub ? qobject_cast<TReportForm*>(sub->widget()) : nullptr;
}

void TPlanWindows::ShowReport() {
    TReportForm* report = Report();
    if (!report) {
        report = new TReportForm;
        QMdiSubWindow* sub = AddWindow(TPlanWindow::Report, report);
        sub->setWindowTitle(QStringLiteral("Отчет"));
        report->OnCaption = [sub](const QString& caption) { sub->setWindowTitle(caption); };
        LoadedReport.reset();
    }
    // A new report replaces the text and the person's changes, even when it
    // reads as before; showing the window again keeps them.
    const TRaruRuro& plan = Service.Plan;
    if (!plan.HasReportText || LoadedReport != plan.ReportNumber) {
        report->LoadReport(plan.ReportText);
        LoadedReport = plan.ReportNumber;
    }
    QMdiSubWindow* sub = SubWindow(TPlanWindow::Report);
    ShowNormal(sub);
    sub->raise();
}

bool TPlanWindows::IsReportEdited() const {
    const TReportForm* report = Report();
    return report && report->IsModified();
}

bool TPlanWindows::SaveReport() {
    TReportForm* report = Report();
    return report && report->SaveReport();
}

void TPlanWindows::MinimizeReport() {
    if (QMdiSubWindow* sub = SubWindow(TPlanWindow::Report); sub && !sub->isMinimized())
        sub->showMinimized();
}

void TPlanWindows::CloseReport() {
    Close(TPlanWindow::Report);
}

bool TPlanWindows::IsReportOpen() const {
    return SubWindow(TPlanWindow::Report) != nullptr;
}

bool TPlanWindows::IsReportMinimized() const {
    const QMdiSubWindow* sub = SubWindow(TPlanWindow::Report);
    return sub && sub->isMinimized();
}

void TPlanWindows::Close(TPlanWindow window) {
    if (QMdiSubWindow* sub = SubWindow(window)) {
        Windows[Index(window)] = nullptr;
        Area.removeSubWindow(sub);
        delete sub;
    }
}

void TPlanWindows::CloseAll() {
    for (int i = 0; i < 6; ++i)
        Close(static_cast<TPlanWindow>(i));
}

QMdiSubWindow* TPlanWindows::SubWindow(TPlanWindow window) const {
    const int i = Index(window);
    return i >= 0 && i < 6 ? Windows[i].data() : nullptr;
}

void TPlanWindows::ShowPlanWindow(TPlanWindow window) {
    if (window == TPlanWindow::Evaluation && Evaluation)
        Evaluation->Restore();
    else if (window == TPlanWindow::Statistics && Statistics)
        Statistics->Restore();
    else if (window > TPlanWindow::Statistics && Plots)
        Plots->Restore(PlotKind(window));
    else if (window == TPlanWindow::Diagram)
        Service.Graphs.Show(true);
    else if (window == TPlanWindow::Report)
        Service.RestoreWindow(38);
    else if (QMdiSubWindow* sub = SubWindow(window))
        ShowNormal(sub);
}

void TPlanWindows::MinimizePlanWindow(TPlanWindow window) {
    if (window == TPlanWindow::Evaluation && Evaluation)
        Evaluation->Minimize();
    else if (window == TPlanWindow::Statistics && Statistics)
        Statistics->Minimize();
    else if (window > TPlanWindow::Statistics && Plots)
        Plots->Minimize(PlotKind(window));
    else if (window == TPlanWindow::Diagram)
        Service.Graphs.Show(false);
    else if (QMdiSubWindow* sub = SubWindow(window))
        sub->showMinimized();
}

void TPlanWindows::PlacePlanWindow(TPlanWindow window, const TWindowRect& rect) {
    QMdiSubWindow* sub = SubWindow(window);
    if (!sub)
        return;
    ShowNormal(sub);
    sub->setGeometry(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    sub->raise();
}

std::vector<TPlanWindow> TPlanWindows::ExtraWindows(TListOperation operation) const {
    const bool minimized = operation == TListOperation::Show;
    std::vector<TPlanWindow> listed;
    if (Statistics && Statistics->IsOpen() && Statistics->IsMinimized() == minimized)
        listed.push_back(TPlanWindow::Statistics);
    for (std::size_t i = 0; Plots && i < PlotWindowKinds; ++i) {
        const auto kind = static_cast<TPlotWindowKind>(i);
        if (Plots->IsOpen(kind) && Plots->IsMinimized(kind) == minimized)
            listed.push_back(PlanWindowOf(kind));
    }
    if (Evaluation && Evaluation->IsOpen() && Evaluation->IsMinimized() == minimized)
        listed.push_back(TPlanWindow::Evaluation);
    return listed;
}

void TPlanWindows::ArrangeDiagram() {
    // The diagram and surface windows place themselves; until they exist
    // there is nothing of theirs to move.
}

} // namespace orvanta
