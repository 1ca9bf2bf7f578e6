#include "shell/GraphWindows.h"

#include "diagrams/GraphForm.h"
#include "plan/Settings.h"
#include "services/PlanService.h"
#include "shell/MainForm.h"
#include "shell/OptionsForm.h"
#include "shell/OptionsPages.h"
#include "shell/QtPlanHost.h"
#include "surface3d/GLUnavailable.h"
#include "surface3d/OpenGLWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace orvanta {

namespace {

// The options dialog's pages of the diagram ("График") and the surface
// ("Диаграмма").
constexpr int DiagramPage = 2;
constexpr int SurfacePage = 3;

std::vector<QPointF> PointsOf(const TPointList2D& list) {
    std::vector<QPointF> points;
    points.reserve(static_cast<std::size_t>(list.Count()));
    for (const TPoint2D& p : list)
        points.emplace_back(p.X, p.Y);
    return points;
}

std::size_t Index(TGraphWindow window) {
    return window == TGraphWindow::Diagram ? 0 : 1;
}

} // namespace

TGraphWindows::TGraphWindows(QMdiArea& area, TPlanService& service, TMainForm& main)
    : Area(area), Service(service), Main(main) {}

TGraphWindows::~TGraphWindows() {
    CloseAll();
}

void TGraphWindows::CloseAll() {
    // Nobody is told: the program is ending, or the plan goes with its holder.
    for (TGraphWindow window : {TGraphWindow::Diagram, TGraphWindow::Surface}) {
        if (QMdiSubWindow* sub = Windows[Index(window)])
            sub->disconnect(&Guard);
        Close(window);
    }
}

QMdiSubWindow* TGraphWindows::DiagramWindow() const {
    return Windows[0].data();
}

QMdiSubWindow* TGraphWindows::SurfaceWindow() const {
    return Windows[1].data();
}

TGraphForm* TGraphWindows::Diagram() const {
    return Windows[0] ? qobject_cast<TGraphForm*>(Windows[0]->widget()) : nullptr;
}

TOpenGLWindow* TGraphWindows::Surface() const {
    return Windows[1] ? qobject_cast<TOpenGLWindow*>(Windows[1]->widget()) : nullptr;
}

void TGraphWindows::OpenOptions(int page) {
    TOptionsForm& options = Main.OptionsForm();
    options.Pages->setCurrentIndex(page);
    options.Execute();
}

QMdiSubWindow* TGraphWindows::AddWindow(TGraphWindow window, QWidget* contents, const QString& name,
                                        const QString& caption, QSize size) {
    auto* sub = Area.addSubWindow(contents);
    sub->setObjectName(name);
    sub->setWindowTitle(caption);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(size);
    QObject::connect(sub, &QObject::destroyed, &Guard, [this, window] {
        if (window == TGraphWindow::Diagram)
            Service.Graphs.DiagramClosed();
        else
            Service.Graphs.SurfaceClosed();
        Main.RefreshCommands();
    });
    Windows[Index(window)] = sub;
    return sub;
}

void TGraphWindows::ShowDiagram() {
    TGraphForm* form = Diagram();
    if (!form) {
        form = new TGraphForm;
        form->ApplyOptions(Settings());
        form->OnFormat = [this] { OpenOptions(DiagramPage); };
        form->AskNumber = [this](const std::string& caption, const std::string& initial) {
            return Main.Host().InputReal(initial, caption);
        };
        AddWindow(TGraphWindow::Diagram, form, QStringLiteral("DiagramWindow"),
                  QStringLiteral("График"), QSize(528, 358));
    }
    const TGraphHolder& graphs = Service.Graphs;
    form->SetData(PointsOf(graphs.Curve), PointsOf(graphs.Points2D),
                  QString::fromStdString(graphs.Titles2D.First),
                  QString::fromStdString(graphs.Titles2D.Last));
}

void TGraphWindows::ShowSurface() {
    if (SurfaceWindow() && !Surface())
        return; // the picture of a platform without OpenGL
    TOpenGLWindow* view = Surface();
    if (!view) {
        const QString name = QStringLiteral("SurfaceWindow");
        const QString caption = QStringLiteral("Поверхность отклика");
        if (!PlatformHasOpenGL()) {
            AddWindow(TGraphWindow::Surface, new TGLUnavailable, name, caption, QSize(488, 406));
            return;
        }
        view = new TOpenGLWindow;
        view->OnFormat = [this] { OpenOptions(SurfacePage); };
        AddWindow(TGraphWindow::Surface, view, name, caption, QSize(488, 406));
    }
    view->SetSurface(Service.Graphs);
}

void TGraphWindows::Show(TGraphWindow window) {
    const bool made = !Windows[Index(window)];
    if (window == TGraphWindow::Diagram)
        ShowDiagram();
    else
        ShowSurface();
    QMdiSubWindow* sub = Windows[Index(window)];
    sub->showNormal();
    // The frame a new surface window needs is known once it is shown; the
    // drawing area then takes the size its menu has checked.
    if (TOpenGLWindow* view = made ? Surface() : nullptr)
        view->ApplySelectedSize();
    sub->raise();
    Area.setActiveSubWindow(sub);
}

void TGraphWindows::Close(TGraphWindow window) {
    QMdiSubWindow* sub = Windows[Index(window)];
    if (!sub)
        return;
    Windows[Index(window)] = nullptr;
    sub->showMinimized();
    Area.removeSubWindow(sub);
    delete sub;
}

void TGraphWindows::ApplyOptions(TGraphWindow window) {
    if (window == TGraphWindow::Diagram) {
        if (TGraphForm* form = Diagram())
            form->ApplyOptions(Settings());
    } else if (TOpenGLWindow* view = Surface()) {
        view->ApplyOptions(Settings());
    }
}

} // namespace orvanta
