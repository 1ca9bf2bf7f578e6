#include "shell/GraphWindows.h"

#include "diagrams/GraphForm.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/MainForm.h"
#include "shell/OptionsForm.h"
#include "shell/OptionsPages.h"
#include "shell/QtPlanHost.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace orvanta {

namespace {

// The options dialog's page of the diagram ("График").
constexpr int DiagramPage = 2;

std::vector<QPointF> PointsOf(const TPointList2D& list) {
    std::vector<QPointF> points;
    points.reserve(static_cast<std::size_t>(list.Count()));
    for (const TPoint2D& p : list)
        points.emplace_back(p.X, p.Y);
    return points;
}

} // namespace

TGraphWindows::TGraphWindows(QMdiArea& area, TPlanService& service, TMainForm& main)
    : Area(area), Service(service), Main(main) {}

TGraphWindows::~TGraphWindows() {
    CloseAll();
}

void TGraphWindows::CloseAll() {
    // Nobody is told: the program is ending, or the plan goes with its holder.
    if (DiagramSub)
        DiagramSub->disconnect(&Guard);
    Close(TGraphWindow::Diagram);
}

QMdiSubWindow* TGraphWindows::DiagramWindow() const {
    return DiagramSub.data();
}

TGraphForm* TGraphWindows::Diagram() const {
    return DiagramSub ? qobject_cast<TGraphForm*>(DiagramSub->widget()) : nullptr;
}

TGraphForm* TGraphWindows::CreateDiagram() {
    auto* form = new TGraphForm;
    form->ApplyOptions(Settings());
    form->OnFormat = [this] {
        TOptionsForm& options = Main.OptionsForm();
        options.Pages->setCurrentIndex(DiagramPage);
        options.Execute();
    };
    form->AskNumber = [this](const std::string& caption, const std::string& initial) {
        return Main.Host().InputReal(initial, caption);
    };
    auto* sub = Area.addSubWindow(form);
    sub->setObjectName(QStringLiteral("DiagramWindow"));
    sub->setWindowTitle(QStringLiteral("График"));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(528, 358);
    QObject::connect(sub, &QObject::destroyed, &Guard, [this] {
        Service.Graphs.DiagramClosed();
        Main.RefreshCommands();
    });
    DiagramSub = sub;
    return form;
}

void TGraphWindows::Show(TGraphWindow window) {
    if (window != TGraphWindow::Diagram)
        return;
    TGraphForm* form = Diagram();
    if (!form)
        form = CreateDiagram();
    const TGraphHolder& graphs = Service.Graphs;
    form->SetData(PointsOf(graphs.Curve), PointsOf(graphs.Points2D),
                  QString::fromStdString(graphs.Titles2D.First),
                  QString::fromStdString(graphs.Titles2D.Last));
    DiagramSub->showNormal();
    DiagramSub->raise();
    Area.setActiveSubWindow(DiagramSub);
}

void TGraphWindows::Close(TGraphWindow window) {
    if (window != TGraphWindow::Diagram || !DiagramSub)
        return;
    QMdiSubWindow* sub = DiagramSub;
    DiagramSub = nullptr;
    sub->showMinimized();
    Area.removeSubWindow(sub);
    delete sub;
}

void TGraphWindows::ApplyOptions(TGraphWindow window) {
    if (window == TGraphWindow::Diagram)
        if (TGraphForm* form = Diagram())
            form->ApplyOptions(Settings());
}

} // namespace orvanta
