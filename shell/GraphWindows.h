#pragma once

#include "plan/PlanHost.h"

#include <QObject>
#include <QPointer>
#include <QSize>

#include <array>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace orvanta {

class TGraphForm;
class TOpenGLWindow;
class TMainForm;
class TPlanService;

// The graph holder's windows inside the main window: the diagram and the
// surface. A window is made on the first showing after a build and
// destroyed when it closes; the holder keeps the points, so the window can
// be made again without a new build.
class TGraphWindows {
public:
    TGraphWindows(QMdiArea& area, TPlanService& service, TMainForm& main);
    ~TGraphWindows();

    void Show(TGraphWindow window);
    // Minimised first, as the person would see it go, then destroyed.
    void Close(TGraphWindow window);
    void ApplyOptions(TGraphWindow window);
    // Closes the windows without telling the holder (at the end of the run).
    void CloseAll();

    TGraphForm* Diagram() const;
    TOpenGLWindow* Surface() const;
    QMdiSubWindow* DiagramWindow() const;
    QMdiSubWindow* SurfaceWindow() const;

private:
    void ShowDiagram();
    void ShowSurface();
    void OpenOptions(int page);
    QMdiSubWindow* AddWindow(TGraphWindow window, QWidget* contents, const QString& name,
                             const QString& caption, QSize size);

    QMdiArea& Area;
    TPlanService& Service;
    TMainForm& Main;
    // The diagram's and the surface's sub-windows.
    std::array<QPointer<QMdiSubWindow>, 2> Windows;
    // The windows' notifications end with this object.
    QObject Guard;
};

} // namespace orvanta
